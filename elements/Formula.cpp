#include "elements/Formula.h"

#include "elements/BlockAnalog.h"

#include <climits>
#include <cmath>
#include <string>

// ---- CExprStack ----

BOOL CExprStack::Push(const CString& text)
{
    if (IsFull())
        return FALSE;
    m_astrItems[++m_nTop] = text;
    return TRUE;
}

void CExprStack::Drop()
{
    if (!IsEmpty())
        m_astrItems[m_nTop--].Empty();
}

CString CExprStack::Top() const
{
    return IsEmpty() ? CString() : m_astrItems[m_nTop];
}

CString CExprStack::Pop()
{
    if (IsEmpty())
        return CString();
    CString text = m_astrItems[m_nTop];
    m_astrItems[m_nTop--].Empty();
    return text;
}

// ---- token helpers ----

namespace Formula {

namespace {

const wchar_t kOperators[] = L"+-*/";

int Precedence(const CString& op)
{
    return (op == L"*" || op == L"/") ? 2 : 1;
}

} // namespace

bool IsOperator(const CString& token)
{
    if (token.GetLength() != 1)
        return false;
    const wchar_t c = token.GetAt(0);
    return c == L'+' || c == L'-' || c == L'*' || c == L'/';
}

long long ReadInteger(const CString& text)
{
    const wchar_t* p = text.GetString();
    while (*p == L' ' || *p == L'\t')
        ++p;
    bool bNegative = false;
    if (*p == L'+' || *p == L'-')
        bNegative = (*p++ == L'-');
    long long value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        const int digit = *p - L'0';
        if (value > (LLONG_MAX - digit) / 10)
            return bNegative ? LLONG_MIN : LLONG_MAX;  // saturate instead of overflowing
        value = value * 10 + digit;
    }
    return bNegative ? -value : value;
}

} // namespace Formula

// ---- the mathematical instruction's formula ----

void CBlockAnalog::BuildFormulaTokens(CString* pFormula, std::vector<CString>* pTokens) const
{
    if (m_nType != typeAMATH || !pFormula || !pTokens)
        return;
    CString v[4];
    for (int k = 0; k < 4; ++k)
        v[k].Format(L"%d", FormulaOperand(k));
    CString op[3];
    int prio[3];
    for (int k = 0; k < 3; ++k) {
        const int index = FormulaOperator(k);
        // An operator index outside 0..3 (only a damaged file holds one) counts as "+".
        op[k] = CString(Formula::kOperators[(index >= 0 && index <= 3) ? index : 0]);
        prio[k] = FormulaPriority(k);
    }
    enum { L = 0, M = 1, H = 2 };
    const CString a = v[0], b = v[1], c = v[2], d = v[3];
    const CString o1 = op[0], o2 = op[1], o3 = op[2];
    const CString open = L"(", close = L")";
    std::vector<CString> t;
    if (prio[0] == H) {
        if (prio[1] == M)
            t = {open, open, a, o1, b, close, o2, c, close, o3, d};
        else if (prio[2] == M)
            t = {open, a, o1, b, close, o2, open, c, o3, d, close};
        else
            t = {open, a, o1, b, close, o2, c, o3, d};
    } else if (prio[1] == H) {
        if (prio[2] == M)
            t = {a, o1, open, open, b, o2, c, close, o3, d, close};
        else if (prio[0] == M)
            t = {open, a, o1, open, b, o2, c, close, close, o3, d};
        else
            t = {a, o1, open, b, o2, c, close, o3, d};
    } else if (prio[2] == H) {
        if (prio[0] == M)
            t = {open, a, o1, b, close, o2, open, c, o3, d, close};
        else if (prio[1] == M)
            t = {a, o1, open, b, o2, open, c, o3, d, close, close};
        else
            t = {a, o1, b, o2, open, c, o3, d, close};
    } else {
        t = {a, o1, b, o2, c, o3, d};
    }
    if (pTokens->size() < t.size())
        pTokens->resize(t.size());
    for (size_t i = 0; i < t.size(); ++i)
        (*pTokens)[i] = t[i];
    for (const CString& token : *pTokens) {
        if (token.IsEmpty())
            break;
        *pFormula += token;
    }
    pTokens->resize(20);
}

void CBlockAnalog::EvalFormula()
{
    CExprStack stack;
    std::vector<CString> infix(16);
    CString formula;
    BuildFormulaTokens(&formula, &infix);
    std::vector<CString> postfix(20);
    InfixToPostfix(infix, &postfix, &stack);
    EvalPostfix(postfix, &stack);
}

void CBlockAnalog::InfixToPostfix(const std::vector<CString>& infix,
                                  std::vector<CString>* pPostfix, CExprStack* pStack)
{
    size_t out = 0;
    auto emit = [&](const CString& token) {
        if (out >= pPostfix->size())
            pPostfix->resize(out + 1);
        (*pPostfix)[out++] = token;
    };
    for (const CString& token : infix) {
        if (token.IsEmpty())
            break;
        if (token == L"(") {
            pStack->Push(token);
        } else if (token == L")") {
            while (!pStack->IsEmpty()) {
                CString top = pStack->Pop();
                if (top == L"(")
                    break;
                emit(top);
            }
        } else if (Formula::IsOperator(token)) {
            while (!pStack->IsEmpty() && pStack->Top() != L"(" &&
                   Formula::Precedence(pStack->Top()) >= Formula::Precedence(token))
                emit(pStack->Pop());
            pStack->Push(token);
        } else {
            emit(token);
        }
    }
    while (!pStack->IsEmpty())
        emit(pStack->Pop());
}

void CBlockAnalog::EvalPostfix(const std::vector<CString>& postfix, CExprStack* pStack)
{
    for (const CString& token : postfix) {
        if (token.IsEmpty())
            break;
        if (!Formula::IsOperator(token)) {
            pStack->Push(token);
            continue;
        }
        // Operands of every intermediate step are whole numbers (the results are truncated);
        // the arithmetic itself is single precision.
        const float right = static_cast<float>(Formula::ReadInteger(pStack->Pop()));
        const float left = static_cast<float>(Formula::ReadInteger(pStack->Pop()));
        float result = 0.0f;
        switch (token.GetAt(0)) {
        case L'+': result = left + right; break;
        case L'-': result = left - right; break;
        case L'*': result = left * right; break;
        default:
            if (right == 0.0f) {
                m_nActualValue = kWordMax;
                return;
            }
            result = left / right;
            break;
        }
        // The whole part of the result, held within the 64-bit range (operands of at most
        // 16 bits keep every reachable result inside it).
        const double whole = std::trunc(static_cast<double>(result));
        long long value = 0;
        if (std::isnan(whole))
            value = 0;
        else if (whole >= 9.2e18)
            value = LLONG_MAX;
        else if (whole <= -9.2e18)
            value = LLONG_MIN;
        else
            value = static_cast<long long>(whole);
        pStack->Push(CString(std::to_wstring(value)));
    }
    long long value = Formula::ReadInteger(pStack->Pop());
    if (value > 32767)
        value = 32767;
    if (value < -32768)
        value = -32768;
    m_nActualValue = static_cast<int>(value);
}

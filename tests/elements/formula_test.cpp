// The formula of the mathematical instruction: parentheses from the priorities, precedence and
// left-to-right order, truncation of every intermediate result, division by zero, the final
// clamp, referenced operands and the En rule.
#include "ValueBench.h"

#include "elements/BlockAnalog.h"
#include "elements/Formula.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum { ADD = 0, SUB = 1, MUL = 2, DIV = 3 };
enum { L = 0, M = 1, H = 2 };

struct FormulaCase {
    int v[4];
    int op[3];
    int prio[3];
    const wchar_t* text;
    int result;
};

void SetFormula(CBlockAnalog& block, const FormulaCase& c)
{
    for (int k = 0; k < 4; ++k)
        block.FormulaOperand(k) = c.v[k];
    for (int k = 0; k < 3; ++k) {
        block.FormulaOperator(k) = c.op[k];
        block.FormulaPriority(k) = c.prio[k];
    }
}

} // namespace

TEST(Formula, TextAndResultFollowThePriorities)
{
    const FormulaCase cases[] = {
        {{10, 4, 3, 2}, {ADD, MUL, SUB}, {L, M, L}, L"10+4*3-2", 20},
        {{10, 4, 3, 2}, {ADD, MUL, SUB}, {H, L, L}, L"(10+4)*3-2", 40},
        {{1, 2, 3, 4}, {ADD, MUL, SUB}, {H, L, L}, L"(1+2)*3-4", 5},
        {{1, 2, 3, 4}, {ADD, MUL, SUB}, {H, M, L}, L"((1+2)*3)-4", 5},
        {{1, 2, 3, 4}, {ADD, MUL, ADD}, {H, L, M}, L"(1+2)*(3+4)", 21},
        {{2, 3, 4, 1}, {MUL, ADD, SUB}, {L, H, M}, L"2*((3+4)-1)", 12},
        {{2, 3, 4, 1}, {MUL, ADD, SUB}, {M, H, L}, L"(2*(3+4))-1", 13},
        {{8, 2, 1, 0}, {SUB, SUB, ADD}, {L, H, L}, L"8-(2-1)+0", 7},
        {{8, 2, 1, 0}, {SUB, SUB, ADD}, {L, L, L}, L"8-2-1+0", 5},
        {{2, 3, 4, 5}, {MUL, ADD, MUL}, {L, L, H}, L"2*3+(4*5)", 26},
        {{2, 3, 4, 5}, {MUL, ADD, MUL}, {M, L, H}, L"(2*3)+(4*5)", 26},
        {{2, 3, 4, 5}, {SUB, SUB, SUB}, {L, M, H}, L"2-(3-(4-5))", -2},
        {{2, 3, 4, 5}, {SUB, SUB, SUB}, {H, H, H}, L"(2-3)-4-5", -10},  // a second H adds nothing
        {{7, 2, 2, 0}, {DIV, MUL, ADD}, {L, L, L}, L"7/2*2+0", 6},      // 7 / 2 truncates to 3
        {{-7, 2, 0, 0}, {DIV, ADD, ADD}, {L, L, L}, L"-7/2+0+0", -3},
        {{3, -5, 0, 0}, {SUB, ADD, ADD}, {L, L, L}, L"3--5+0+0", 8},    // "-5" is an operand
        {{300, 300, 0, 0}, {MUL, ADD, ADD}, {L, L, L}, L"300*300+0+0", 32767},
        {{-300, 300, 0, 0}, {MUL, ADD, ADD}, {L, L, L}, L"-300*300+0+0", -32768},
        {{5, 0, 1, 1}, {DIV, ADD, ADD}, {L, L, L}, L"5/0+1+1", 32767},  // division by 0
        {{5, 2, 0, 9}, {ADD, MUL, DIV}, {L, L, H}, L"5+2*(0/9)", 5},
        {{5, 2, 0, 100}, {ADD, DIV, MUL}, {L, L, L}, L"5+2/0*100", 32767},  // even before a *
        // Intermediate results far beyond 16 bits stay exact enough to come back down.
        {{-32768, -32768, -32768, 32767}, {MUL, MUL, DIV}, {L, L, L},
         L"-32768*-32768*-32768/32767", -32768},
        {{32767, 32767, 32767, 32767}, {MUL, MUL, MUL}, {L, L, L},
         L"32767*32767*32767*32767", 32767},
        {{1, 2, 3, 4}, {9, -1, ADD}, {L, L, L}, L"1+2+3+4", 10},  // damaged operator indexes
    };
    for (const FormulaCase& c : cases) {
        CBlockAMATH block(815);
        SetFormula(block, c);
        CString text;
        std::vector<CString> tokens(16);
        block.BuildFormulaTokens(&text, &tokens);
        EXPECT_EQ(text, CString(c.text));
        EXPECT_EQ(tokens.size(), 20u);
        block.EvalFormula();
        EXPECT_EQ(block.m_nActualValue, c.result) << "case with result " << c.result;
    }
}

TEST(Formula, OnlyTheMathematicalInstructionBuildsTokens)
{
    CBlockAMUX mux(816);
    CString text = L"keep";
    std::vector<CString> tokens(3, CString(L"x"));
    mux.BuildFormulaTokens(&text, &tokens);
    EXPECT_EQ(text, CString(L"keep"));
    EXPECT_EQ(tokens, std::vector<CString>(3, CString(L"x")));
}

TEST(Formula, EnableAndReferences)
{
    ValueBench b;
    CBlockAnalog* p = b.Make<CBlockAnalog>(815);
    CBlockObj* pEn = b.Bit(101, 1);
    ValueBench::Wire(p, 0, pEn);
    const FormulaCase c{{1, 2, 3, 4}, {ADD, ADD, ADD}, {L, L, L}, L"", 0};
    SetFormula(*p, c);
    ValueBench::Refer(p, 3, b.Value(9001, 100000.0, 866));  // V4 from a block, clamped
    p->Simulate(&b.view);
    EXPECT_EQ(p->FormulaOperand(3), 32767);  // written into the operand
    EXPECT_EQ(p->m_nActualValue, 32767);

    ValueBench::Refer(p, 3, b.Value(9002, -4.8, 866));
    p->Simulate(&b.view);
    EXPECT_EQ(p->FormulaOperand(3), -4);
    EXPECT_EQ(p->m_nActualValue, 2);

    pEn->m_nPinValue[kOutputPin] = 0;
    p->m_nExtra3 = 1;  // "Last Value"
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_nActualValue, 2);
    p->m_nExtra3 = 0;
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_nActualValue, 0);
}

TEST(Formula, StackRefusesOverflowAndUnderflowQuietly)
{
    CExprStack stack;
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Pop(), CString());
    EXPECT_EQ(stack.Top(), CString());
    stack.Drop();
    for (int i = 0; i < CExprStack::kCapacity; ++i)
        EXPECT_TRUE(stack.Push(CString(std::to_wstring(i))));
    EXPECT_TRUE(stack.IsFull());
    EXPECT_FALSE(stack.Push(L"lost"));
    EXPECT_EQ(stack.Pop(), CString(L"19"));
    EXPECT_EQ(stack.Top(), CString(L"18"));

    // A postfix list with more operators than operands evaluates without reading past the stack.
    CBlockAMATH block(815);
    CExprStack empty;
    block.EvalPostfix({CString(L"3"), CString(L"+"), CString(L"*")}, &empty);
    EXPECT_EQ(block.m_nActualValue, 0);
}

TEST(Formula, ReadIntegerStopsAtTheFirstOtherCharacterAndSaturates)
{
    EXPECT_EQ(Formula::ReadInteger(L"-3.500000"), -3);
    EXPECT_EQ(Formula::ReadInteger(L""), 0);
    EXPECT_EQ(Formula::ReadInteger(L"+12x"), 12);
    EXPECT_EQ(Formula::ReadInteger(L"99999999999999999999999"), LLONG_MAX);
    EXPECT_FALSE(Formula::IsOperator(L"-5"));
    EXPECT_TRUE(Formula::IsOperator(L"/"));
}

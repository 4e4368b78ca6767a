#include "shell/ChildFrame.h"

#include "elements/SimTime.h"
#include "platform/ui/core/MessageMap.h"

namespace {

const wchar_t* const kWeekdays[7] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday",
                                     L"Thursday", L"Friday", L"Saturday"};
const wchar_t* const kMonths[12] = {L"January", L"February", L"March", L"April",
                                    L"May", L"June", L"July", L"August",
                                    L"September", L"October", L"November", L"December"};

CString MonthName(int month, BOOL bShort)
{
    CString name = (month >= 1 && month <= 12) ? kMonths[month - 1] : L"";
    return bShort ? name.Left(3) : name;
}

} // namespace

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
END_MESSAGE_MAP()

void CChildFrame::ActivateFrame(int nCmdShow)
{
    CMDIChildWnd::ActivateFrame(nCmdShow == -1 ? SW_SHOWMAXIMIZED : nCmdShow);
}

CChildFrame::CChildFrame()
{
    GetLocalTime(&m_stSimTime);
    m_stPrevSimTime = m_stSimTime;
}

SYSTEMTIME* CChildFrame::GetSimTime(SYSTEMTIME* pOut) const
{
    if (pOut) {
        std::lock_guard<std::mutex> lock(m_clockLock);
        *pOut = m_stSimTime;
    }
    return pOut;
}

SYSTEMTIME* CChildFrame::GetPrevSimTime(SYSTEMTIME* pOut) const
{
    if (pOut) {
        std::lock_guard<std::mutex> lock(m_clockLock);
        *pOut = m_stPrevSimTime;
    }
    return pOut;
}

void CChildFrame::SetSimTime(const SYSTEMTIME& st)
{
    std::lock_guard<std::mutex> lock(m_clockLock);
    m_stPrevSimTime = m_stSimTime;
    m_stSimTime = st;
    m_bClockSet = TRUE;
}

void CChildFrame::AdvanceSimTime(int ms)
{
    std::lock_guard<std::mutex> lock(m_clockLock);
    m_stPrevSimTime = m_stSimTime;
    AddMsecToSystemTime(&m_stSimTime, ms, &m_stSimTime);
}

void CChildFrame::FormatSimTime(CString* pOut, BOOL bShortMonth, int mode) const
{
    if (!pOut)
        return;
    SYSTEMTIME st;
    GetSimTime(&st);
    const int hour12 = st.wHour > 12 ? st.wHour - 12 : st.wHour;
    const wchar_t* const ampm = (st.wHour >= 12 && st.wHour <= 23) ? L"PM" : L"AM";
    switch (mode) {
    case 0:
        pOut->Format(L"%s, %s %d, %d %d:%d:%d %s",
                     st.wDayOfWeek < 7 ? kWeekdays[st.wDayOfWeek] : L"",
                     (LPCTSTR)MonthName(st.wMonth, FALSE), int(st.wDay), int(st.wYear), hour12,
                     int(st.wMinute), int(st.wSecond), ampm);
        break;
    case 1:
        pOut->Format(L"%s %d, %d", (LPCTSTR)MonthName(st.wMonth, bShortMonth), int(st.wDay),
                     int(st.wYear));
        break;
    case 2:
        pOut->Format(L"%d:%02d:%02d %s", hour12, int(st.wMinute), int(st.wSecond), ampm);
        break;
    case 3:
        pOut->Format(L"%02d%02d%02d%02d%02d%02d", int(st.wYear % 100), int(st.wMonth),
                     int(st.wDay), int(st.wHour), int(st.wMinute), int(st.wSecond));
        break;
    default:
        pOut->Empty();
        break;
    }
}

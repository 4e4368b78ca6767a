// The ladder element sheet: the operands a contact and a coil are offered, the entry chosen
// turned into the operand (a contact on an output takes the coil's number), and the simulation
// values of an input contact set right before they are applied.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/PropShLadIO.h"

namespace pagestest {
namespace {

class LadderSheetTest : public PagesTest {
protected:
    CBlockObj* AddElement(Program& p, int type, int operand)
    {
        CBlockObj* pElement = AddBlock(p, type);
        if (pElement)
            pElement->m_nOperand = operand;
        return pElement;
    }
    std::vector<std::wstring> Entries(CWnd* pPage)
    {
        std::vector<std::wstring> out;
        CWnd* pList = pPage->GetDlgItem(1230);
        for (int i = 0; i < int(pList->SendMessage(LB_GETCOUNT, 0, 0)); ++i) {
            wchar_t text[128] = {};
            pList->SendMessage(LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    // Runs the modal sheet of an element with one step while it waits.
    INT_PTR RunLadder(Program& p, CBlockObj* pElement, std::function<void(CPropShLadIO&)> step)
    {
        CPropShLadIO sheet(pElement, L"Ladder", p.view);
        sheet.FillFromElement();
        drv.Host().QueueIdleStep([&] { step(sheet); });
        const INT_PTR result = sheet.DoModal();
        if (result == IDOK)
            sheet.StoreIntoElement();
        return result;
    }
};

TEST_F(LadderSheetTest, AContactIsOfferedWhatCoilsDriveAndTakesTheCoilsNumber)
{
    Program& p = Open();
    p.doc->m_nDocKind = 2;
    CBlockObj* pCoilQ = AddElement(p, 703, 605);
    CBlockObj* pCoilM = AddElement(p, 704, 1320);
    CBlockObj* pContact = AddElement(p, 700, 100);
    ASSERT_TRUE(pCoilQ && pCoilM && pContact);
    const INT_PTR result = RunLadder(p, pContact, [&](CPropShLadIO& s) {
        CWnd* pPage = s.GetPage(0);
        const auto entries = Entries(pPage);
        // After the inputs, keys, signals and shift register bits: the output, then the flag.
        auto find = [&](const wchar_t* prefix) {
            for (size_t i = 0; i < entries.size(); ++i)
                if (entries[i].rfind(prefix, 0) == 0)
                    return int(i);
            return -1;
        };
        EXPECT_EQ(find(L"I016"), -1);
        EXPECT_LT(find(L"S3.15"), find(L"Q005"));
        EXPECT_LT(find(L"Q005"), find(L"M4"));
        pPage->SetDlgItemText(1040, L"q0");
        EXPECT_EQ(int(pPage->GetDlgItem(1230)->SendMessage(LB_GETCURSEL, 0, 0)), find(L"Q005"));
        s.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(pContact->m_nOperand, pCoilQ->m_nNumber);
}

TEST_F(LadderSheetTest, ACoilReadByAContactIsOfferedNoOpenConnector)
{
    Program& p = Open();
    p.doc->m_nDocKind = 2;
    CBlockObj* pCoil = AddElement(p, 703, 600);
    CBlockObj* pOther = AddElement(p, 703, 601);
    for (bool read : {true, false}) {
        CBlockObj* pContact = read ? AddElement(p, 700, pCoil->m_nNumber) : nullptr;
        RunLadder(p, pCoil, [&](CPropShLadIO& s) {
            const auto entries = Entries(s.GetPage(0));
            bool connectors = false, other = false;
            for (const auto& e : entries) {
                connectors = connectors || e.rfind(L"X", 0) == 0;
                other = other || e.rfind(L"Q001", 0) == 0;
            }
            EXPECT_EQ(connectors, !read);
            EXPECT_FALSE(other);  // held by the other coil
            s.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        if (pContact)
            pContact->m_nOperand = 100;
    }
    EXPECT_EQ(pOther->m_nOperand, 601);
}

TEST_F(LadderSheetTest, InputSimulationValuesAreSetRightBeforeTheyAreApplied)
{
    Program& p = Open();
    p.doc->m_nDocKind = 2;
    CBlockObj* pContact = AddElement(p, 700, 102);
    struct Case {
        int autoRange, behaviour, min, max, current;
        int expMin, expMax, expCurrent;
    };
    for (Case c : {Case{1, 3, 5, 7, 20000, 0, 9999, 9999}, Case{0, 3, 50, 20, 5, 20, 50, 20}, Case{0, 0, 1, 9, 4, 1, 9, 4}}) {
        CPropShLadIO sheet(pContact, L"Ladder", p.view);
        sheet.FillFromElement();
        ASSERT_NE(sheet.m_pSimPage, nullptr);
        sheet.m_pSimPage->m_bAutoRange = c.autoRange;
        sheet.m_pSimPage->m_nBehaviour = c.behaviour;
        sheet.m_pSimPage->m_nMin = c.min;
        sheet.m_pSimPage->m_nMax = c.max;
        sheet.m_pSimPage->m_nCurrent = c.current;
        CIOParamRecord record;
        sheet.FillRecord(record);
        EXPECT_EQ(record.nMin, c.expMin);
        EXPECT_EQ(record.nMax, c.expMax);
        EXPECT_EQ(record.nValue, c.expCurrent);
        EXPECT_EQ(record.nBlockNumber, pContact->m_nNumber);
        EXPECT_EQ(record.nOperand, 102);
    }
}

}  // namespace
}  // namespace pagestest

// Message-text fields: copies, records of both schemas and the width fix-up of old models.
#include "DocTestSupport.h"

#include "msgtext/Widget.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Bytes of one field record as an archive holds it, behind its class tag.
struct FieldBytes {
    Bytes bytes;
    void Int(int v)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(&v);
        bytes.insert(bytes.end(), p, p + 4);
    }
    void Word(int v)
    {
        bytes.push_back(static_cast<unsigned char>(v & 0xFF));
        bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    }
    void String(const char* ascii)
    {
        bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, static_cast<unsigned char>(std::strlen(ascii))});
        for (const char* c = ascii; *c != '\0'; ++c) {
            bytes.push_back(static_cast<unsigned char>(*c));
            bytes.push_back(0);
        }
    }
    // Tag of a new class "CWidget" with the given schema, then items 1-9 of a value field.
    FieldBytes(int schema, int left, int right, int col, int number, int item, int width)
    {
        Word(0xFFFF);
        Word(schema);
        Word(7);
        for (char c : std::string("CWidget"))
            bytes.push_back(static_cast<unsigned char>(c));
        for (int v : {left, 20, right, 40, 0x808080, 1, col, number, item})
            Int(v);
        String("Counter");
        Int(0);
        Int(width);
    }
};

CWidget* Load(CTavixDoc& doc, const Bytes& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), UINT(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    return static_cast<CWidget*>(ar.ReadObject(RUNTIME_CLASS(CWidget)));
}

} // namespace

TEST(Widget, OldModelWidthFixUp)
{
    struct Case {
        const char* what;
        int col, width, item;
        int newCol, newLeft, newRight, newWidth;
    };
    // Cells 10 pixels wide; item 19 has table width 5, item 33 width 3.
    const Case cases[] = {
        {"moved left to end at column 12", 10, 2, 19, 8, 80, 120, 5},
        {"widened in place", 3, 2, 19, 3, 30, 80, 5},
        {"narrowed in place", 3, 4, 33, 3, 30, 60, 3},
        {"already the table width", 3, 5, 19, 3, 30, 80, 5},
        {"no width: kept", 3, 0, 19, 3, 30, 50, 0},
        {"no item: kept", 3, 2, -1, 3, 30, 50, 2},
    };
    CTavixDoc doc;
    doc.m_nHardwareCode = 0x1188;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int left = c.col * 10;
        const int right = left + (c.width > 0 ? c.width * 10 : 20);
        FieldBytes record(0, left, right, c.col, -1, c.item, c.width);
        CWidget* pField = Load(doc, record.bytes);
        ASSERT_NE(pField, nullptr);
        EXPECT_EQ(pField->m_nCol, c.newCol);
        EXPECT_EQ(pField->m_rect.left, c.newLeft);
        EXPECT_EQ(pField->m_rect.right, c.newRight);
        EXPECT_EQ(pField->m_nWidth, c.newWidth);
        delete pField;
    }
}

TEST(Widget, NewModelsKeepTheStoredWidth)
{
    CTavixDoc doc;
    FieldBytes record(0, 100, 120, 10, -1, 19, 2);
    CWidget* pField = Load(doc, record.bytes);
    EXPECT_EQ(pField->m_nCol, 10);
    EXPECT_EQ(pField->m_nWidth, 2);
    delete pField;
}

TEST(Widget, SchemaZeroLoadsDefaultsAndStoresSchemaOne)
{
    CTavixDoc doc;
    CBlockObj* pCounter = AddNew(doc, 800);
    FieldBytes record(0, 30, 90, 3, pCounter->m_nNumber, 16, 6);
    CWidget* pField = Load(doc, record.bytes);
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->m_pBlock, pCounter);
    EXPECT_EQ(pField->m_pDoc, &doc);
    EXPECT_EQ(pField->m_strText, L"Counter");
    EXPECT_EQ(pField->m_strStatusName[0], L"W");
    EXPECT_EQ(pField->m_strStatusName[10], L" ");
    EXPECT_EQ(pField->m_nSetting, 0);

    pField->m_strStatusName[11] = L"N";
    pField->m_nMaxValue = 500;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(pField);
        ar.Close();
    }
    const BYTE* data = file.GetData();
    EXPECT_EQ(data[2], 1);  // schema 1 in the class tag
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    auto* pAgain = static_cast<CWidget*>(ar.ReadObject(RUNTIME_CLASS(CWidget)));
    EXPECT_EQ(pAgain->m_strStatusName[11], L"N");
    EXPECT_EQ(pAgain->m_nMaxValue, 500);
    EXPECT_EQ(pAgain->m_pBlock, pCounter);
    delete pAgain;
    delete pField;
}

TEST(Widget, UnknownSchemaIsRefused)
{
    CTavixDoc doc;
    FieldBytes record(2, 30, 90, 3, -1, 16, 6);
    bool refused = false;
    try {
        delete Load(doc, record.bytes);
    } catch (CArchiveException* e) {
        refused = e->m_cause == CArchiveException::badSchema;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(Widget, CopyToClonesEverythingButTheDocument)
{
    CTavixDoc doc;
    CBlockObj* pBlock = AddNew(doc, 800);
    CWidget source(10, 20, 60, 20, RGB(128, 128, 255));
    source.m_nRow = 2;
    source.m_nCol = 4;
    source.m_pBlock = pBlock;
    source.m_nNumber = pBlock->m_nNumber;
    source.m_nItem = 16;
    source.m_strText = L"Counter";
    source.m_nType = widgetBar;
    source.m_nWidth = 6;
    source.m_pDoc = &doc;
    source.m_bSelected = TRUE;
    source.m_strStatusName[20] = L"X";
    source.m_nValueIndex = 1;
    source.m_nMinValue = -5;
    source.m_nMaxValue = 5;
    source.m_nSetting = 3;

    CWidget copy;
    source.CopyTo(&copy);
    source.CopyTo(nullptr);
    EXPECT_EQ(copy.m_rect, CRect(10, 20, 70, 40));
    EXPECT_EQ(copy.m_crColor, RGB(128, 128, 255));
    EXPECT_EQ(copy.m_nRow, 2);
    EXPECT_EQ(copy.m_nCol, 4);
    EXPECT_EQ(copy.m_pBlock, pBlock);
    EXPECT_EQ(copy.m_nNumber, pBlock->m_nNumber);
    EXPECT_EQ(copy.m_nItem, 16);
    EXPECT_EQ(copy.m_strText, L"Counter");
    EXPECT_EQ(copy.m_nType, widgetBar);
    EXPECT_EQ(copy.m_nWidth, 6);
    EXPECT_EQ(copy.m_pDoc, nullptr);
    EXPECT_TRUE(copy.m_bSelected);
    EXPECT_EQ(copy.m_strStatusName[20], L"X");
    EXPECT_EQ(copy.m_nValueIndex, 1);
    EXPECT_EQ(copy.m_nMinValue, -5);
    EXPECT_EQ(copy.m_nMaxValue, 5);
    EXPECT_EQ(copy.m_nSetting, 3);
    EXPECT_TRUE(copy.HitTest(POINT{10, 20}));
    EXPECT_FALSE(copy.HitTest(POINT{70, 20}));
}

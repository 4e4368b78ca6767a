// The element record of the base element: its byte layout, schema branches and damage checks,
// and the copy of settings between elements.
#include "elements/BlockObj.h"
#include "elements/BlockConnectors.h"

#include "ArchiveHelpers.h"

#include <gtest/gtest.h>

namespace {

// An element with a distinct value in every stored field. Strings are empty so that the
// offsets below are fixed (an empty archived string is 4 bytes).
void Fill(CBlockObj& b)
{
    b.m_ptOrigin = CPoint(11, 12);
    b.m_ptSaved = CPoint(13, 14);
    b.m_nWidth = 25;
    b.m_nHeight = 40;
    b.m_nNumber = 9003;
    b.m_bShowComment = 0;
    for (int i = 0; i < kPinCount; ++i) {
        b.m_nLink[i] = 1000 + i;
        b.m_bNegate[i] = i % 2;
        b.m_nPinKind[i] = i % 4;
    }
    b.m_nOperand = 77;
    b.m_nCodeSize = 0x1234;
    b.m_nContactState = 1;
    b.m_nInputs = 3;
    b.m_nOutputs = 1;
    b.m_nReserved1 = 5;
    b.m_nReserved2 = 6;
    b.m_nMonthly = 7;
    b.m_bRetentive = 1;
    b.m_bProtected = 1;
    b.m_nTime1Low = 21;
    b.m_nTime1High = 22;
    b.m_nTime1Base = 1;
    b.m_nRefUnit1 = 2;
    b.m_bRef[0] = 1;
    b.m_nTime2Low = 31;
    b.m_nTime2High = 32;
    b.m_nTime2Base = 0;
    b.m_nCount = 33;
    b.m_bStdPreWarning = 0;
    for (int k = 0; k < 4; ++k)
        b.m_nPreWarn[k] = 40 + k;
    b.m_nExtra1 = 51;
    b.m_nExtra3 = 53;
    b.m_nSimKind = 3;
    b.m_nExtra4 = 54;
    b.m_bRef[1] = 1;
    b.m_nOperandCount = 8;
    b.m_bAutoRange = 0;
    b.m_nSimValue = 61;
    b.m_nSimMin = -62;
    b.m_nSimMax = 63;
    b.m_nRefUnit2 = 1;
    b.m_nPulse = 1;
    b.m_nYearStart = 2010;
    b.m_nYearEnd = 2050;
    b.m_nYearly = 0;
    b.m_nStartValue = 70;
    b.m_bRef[2] = 1;
    b.m_bRef[3] = 1;
    b.m_nExtra2 = 72;
    b.m_dParam = 2.5;
}

} // namespace

TEST(ElementRecord, ByteLayout)
{
    CBlockObj b(811, 4);
    Fill(b);
    CBlockObj ref1(9000, 0), ref3(9002, 0);
    ref1.m_nNumber = 9010;
    ref3.m_nNumber = 9030;
    b.m_pRefBlock[0] = &ref1;
    b.m_pRefBlock[2] = &ref3;
    b.m_nRefNumber[1] = 9999;  // set, but no block in the program: the number stays

    const std::vector<BYTE> bytes = StoreBody(b);
    ASSERT_EQ(bytes.size(), 482u);

    struct Field { size_t offset; int value; const char* name; } ints[] = {
        {0, 811, "type"}, {4, 11, "origin x"}, {8, 12, "origin y"}, {12, 13, "saved x"},
        {16, 14, "saved y"}, {20, 25, "width"}, {24, 40, "height"}, {28, 9003, "number"},
        {34, 1000, "link 0"}, {110, 1019, "link 19"}, {118, 77, "operand"},
        {134, 3, "inputs"}, {138, 1, "outputs"}, {142, 5, "reserved 1"}, {146, 6, "reserved 2"},
        {150, 7, "monthly"}, {154, 1, "retentive"}, {158, 1, "protected"},
        {162, 21, "time-1 low"}, {166, 22, "time-1 high"}, {170, 1, "time-1 base"},
        {174, 2, "ref unit 1"}, {178, 1, "ref 1"}, {182, 31, "time-2 low"},
        {186, 32, "time-2 high"}, {190, 0, "time-2 base"}, {194, 33, "count"},
        {198, 0, "std pre-warning"}, {202, 40, "pre-warn 1"}, {214, 43, "pre-warn 4"},
        {218, 51, "extra 1"}, {222, 53, "extra 3"}, {226, 3, "sim kind"}, {230, 54, "extra 4"},
        {234, 9010, "ref number 1"}, {238, 1, "ref 2"}, {242, 9999, "ref number 2"},
        {246, 8, "operand count"}, {250, 0, "auto range"}, {254, 61, "sim value"},
        {258, -62, "sim min"}, {262, 63, "sim max"}, {266, 0, "negate 0"}, {270, 1, "negate 1"},
        {346, 0, "pin kind 0"}, {350, 1, "pin kind 1"}, {422, 3, "pin kind 19"},
        {426, 1, "ref unit 2"}, {430, 1, "pulse"}, {434, 2010, "first year"},
        {438, 2050, "last year"}, {442, 0, "yearly"}, {450, 70, "start value"},
        {454, 1, "ref 3"}, {458, 9030, "ref number 3"}, {462, 1, "ref 4"},
        {466, -1, "ref number 4"}, {470, 72, "extra 2"},
    };
    for (const Field& f : ints)
        EXPECT_EQ(IntAt(bytes, f.offset), f.value) << f.name;
    EXPECT_EQ(WordAt(bytes, 32), 0) << "show-comment word";
    EXPECT_EQ(WordAt(bytes, 126), 0x1234) << "code size word";
    EXPECT_EQ(WordAt(bytes, 132), 1) << "contact state word";
    double d = 0;
    std::memcpy(&d, bytes.data() + 474, 8);
    EXPECT_EQ(d, 2.5);
    // Storing takes the reference numbers from the pointers; a reference that is switched off
    // and has no block is stored as none, whatever number it kept.
    EXPECT_EQ(b.m_nRefNumber[0], 9010);
    b.m_bRef[1] = 0;
    EXPECT_EQ(IntAt(StoreBody(b), 242), -1);
}

TEST(ElementRecord, RoundTripKeepsEveryStoredField)
{
    CBlockObj b(811, 4);
    Fill(b);
    b.m_strText = L"text";
    b.m_strName = L"Pump1";
    b.m_strComment = L"Kommentar \x6C34";
    b.m_strParam = L"0x00FF";
    const std::vector<BYTE> bytes = StoreBody(b);

    CBlockObj loaded;
    EXPECT_EQ(LoadBody(loaded, bytes, 1), 0u);
    EXPECT_EQ(loaded.m_nSchema, 1);
    EXPECT_EQ(StoreBody(loaded), bytes);
    EXPECT_EQ(loaded.m_strComment, b.m_strComment);
    EXPECT_EQ(loaded.m_nYearStart, 2010);
    EXPECT_EQ(loaded.m_dParam, 2.5);
    // Option bits come from the class, never from the file.
    EXPECT_EQ(loaded.m_byOptions, kDefaultOptions);
}

TEST(ElementRecord, SchemaZeroOfAFamilyClassStopsAfterThePinKinds)
{
    CBlockObj b(811, 4);
    Fill(b);
    std::vector<BYTE> bytes = StoreBody(b);
    bytes.resize(426);  // items 1-20 only, as older files hold them
    PutInt(bytes, 0, TYPE_MALE);  // the code of the class that reads it

    CBlockMale male;
    EXPECT_EQ(LoadBody(male, bytes, 0), 0u);
    EXPECT_EQ(male.m_nSchema, 0);
    EXPECT_EQ(male.m_nPinKind[19], 3);
    // The schema-1 fields keep the typed defaults.
    EXPECT_EQ(male.m_nYearStart, 2000);
    EXPECT_EQ(male.m_nYearEnd, 2099);
    EXPECT_EQ(male.m_nYearly, 1);
    EXPECT_EQ(male.m_dParam, 0.0);
}

TEST(ElementRecord, PlainElementReadsTheWholeRecordItWrote)
{
    // Types 601 and 811 are plain base elements tagged with the base class's schema 0; their
    // record still holds every item, and reading must take all of it so that the objects after
    // it in the file are read from the right place.
    CBlockObj first(811, 4);
    Fill(first);
    CBlockObj second(601, 4);
    second.m_nNumber = 1281;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &first << &second;
        ar.Close();
    }
    std::vector<BYTE> bytes(file.GetData(), file.GetData() + file.GetLength());
    CMemFile in(bytes.data(), UINT(bytes.size()));
    CArchive ar(&in, CArchive::load);
    CObject* a = nullptr;
    CObject* c = nullptr;
    ar >> a >> c;
    ASSERT_NE(a, nullptr);
    ASSERT_NE(c, nullptr);
    auto* pa = static_cast<CBlockObj*>(a);
    auto* pc = static_cast<CBlockObj*>(c);
    EXPECT_EQ(pa->m_nYearStart, 2010);
    EXPECT_EQ(pa->m_nExtra2, 72);
    EXPECT_EQ(pc->m_nType, 601);
    EXPECT_EQ(pc->m_nNumber, 1281);
    EXPECT_EQ(ar.GetBytesLeft(), 0u);
    delete a;
    delete c;
}

TEST(ElementRecord, DamagedRecordsAreRefused)
{
    CBlockObj filled(811, 4);
    Fill(filled);
    std::vector<BYTE> good = StoreBody(filled);
    PutInt(good, 0, TYPE_MALE);  // read by a connector below
    struct Case { const char* what; std::vector<BYTE> bytes; UINT schema; int cause; };
    std::vector<BYTE> truncated(good.begin(), good.begin() + 300);
    std::vector<BYTE> manyInputs = good;
    PutInt(manyInputs, 134, 11);
    std::vector<BYTE> negativeOutputs = good;
    PutInt(negativeOutputs, 138, -1);
    const Case cases[] = {
        {"unknown schema", good, 2, CArchiveException::badSchema},
        {"truncated", truncated, 1, CArchiveException::endOfFile},
        {"eleven inputs", manyInputs, 1, CArchiveException::genericException},
        {"negative outputs", negativeOutputs, 1, CArchiveException::genericException},
    };
    for (const Case& c : cases) {
        CBlockMale b;
        int cause = -1;
        try {
            LoadBody(b, c.bytes, c.schema);
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, c.cause) << c.what;
    }
}

TEST(ElementRecord, EveryTruncationEndsInAnError)
{
    CBlockObj filled(811, 4);
    Fill(filled);
    filled.m_strName = L"Name";
    const std::vector<BYTE> good = StoreBody(filled);
    for (size_t n = 0; n < good.size(); ++n) {
        const std::vector<BYTE> part(good.begin(), good.begin() + n);
        CBlockObj b;
        int cause = -1;
        try {
            LoadBody(b, part, 1);
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        ASSERT_EQ(cause, CArchiveException::endOfFile) << n << " bytes";
    }
}

TEST(ElementCopy, NewerFieldsOnlyFromMachineTypeQ)
{
    struct Case { int type; int machine; bool copied; } cases[] = {
        {410, 0x21, false}, {410, 0x51, true},   // weekly timer: pulse
        {800, 0x21, false}, {800, 0x61, true},   // counter: start value
    };
    for (const Case& c : cases) {
        CBlockObj src(c.type, 4), dst(c.type, 4);
        src.m_nPulse = 1;
        src.m_nStartValue = 99;
        src.m_nTime1High = 17;
        src.CopyTo(&dst, FALSE, c.machine);
        EXPECT_EQ(dst.m_nTime1High, 17);
        const int copied = c.type == 410 ? dst.m_nPulse : dst.m_nStartValue;
        EXPECT_EQ(copied, c.copied ? (c.type == 410 ? 1 : 99) : 0) << c.type << " " << c.machine;
    }
}

TEST(ElementCopy, GeometryOnlyWhenAsked)
{
    CBlockObj src(300, 4), dst(300, 4);
    src.m_ptOrigin = CPoint(100, 200);
    src.m_nLink[1] = 9005;
    src.m_nLink[10] = 9007;
    src.m_nWidth = 30;
    src.CopyTo(&dst, FALSE, 0x51);
    EXPECT_EQ(dst.m_ptOrigin, CPoint(0, 0));
    EXPECT_EQ(dst.m_nLink[1], LINK_OPEN);
    src.CopyTo(&dst, TRUE, 0x51);
    EXPECT_EQ(dst.m_ptOrigin, CPoint(100, 200));
    EXPECT_EQ(dst.m_nLink[1], 9005);
    EXPECT_EQ(dst.m_nLink[10], 9007);
    EXPECT_EQ(dst.m_nWidth, 30);
    src.CopyTo(nullptr, TRUE, 0x51);  // nothing happens
}

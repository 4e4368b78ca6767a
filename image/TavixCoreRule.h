// CTavixCoreRule: the image compiler and decoder, one object per transfer operation. A download
// allocates the buffers, compiles the document's elements into area 0 and area J (and, on the
// newer device families, the message-text memory) and leaves the checksums and the byte
// exchange to the transfer engine (FinishImage does both for it). An upload receives the areas
// into the buffers and rebuilds the program's elements, links and settings in a new document.
// All compile state lives in the object, so two compilations never see each other's offsets.
#pragma once

#include "platform/base/Afx.h"

#include "image/ImageLayout.h"
#include "image/InstrCursor.h"

#include <unordered_map>
#include <vector>

class CBlockObj;
class CBlockMSGTEXT;
class CTavixDoc;
class CWidget;

class CTavixCoreRule : public CObject
{
    DECLARE_DYNAMIC(CTavixCoreRule)

public:
    enum { modeDownload = 1, modeUpload = 2, modeClear = 4 };
    // Function-block numbers an instruction can carry: the operand word holds 10 bits of index.
    enum { kFirstBlockNumber = 9000, kLastBlockNumber = 10023 };
    enum { kMaxInstructions = kLastBlockNumber - kFirstBlockNumber + 1 };

    CTavixCoreRule();
    ~CTavixCoreRule() override;
    CTavixCoreRule(const CTavixCoreRule&) = delete;
    CTavixCoreRule& operator=(const CTavixCoreRule&) = delete;

    void SetDocument(CTavixDoc* pDoc) { m_pDoc = pDoc; }
    CTavixDoc* GetDocument() const { return m_pDoc; }

    // ---- buffers ----
    // Mode 1 download (J size from the document), 2 upload (J size and message-text byte count
    // set by the caller before), 4 clear (one 8576-byte buffer of 0xFF as the area-0 copy).
    // FALSE when the mode needs a document and has none, or a size is out of range.
    BOOL AllocImageBuffers(int nMode, int nMessageTextCount);
    void FillArea(int nMode, BYTE* pBuffer, int nArea, BYTE fill, int nSize);
    // Pointer to a named section in its area buffer; null when that buffer is not there or is
    // shorter than the section (area J of its real size).
    BYTE* SectionPtr(const char* pszName);

    // ---- opcode words ----
    static void InitOpcodeTables();
    void GetOpcodeWord(WORD* pWord, const CBlockObj* pBlock) const;

    // ---- compilation ----
    // The whole compilation in the device's order: sorts the document's elements into the
    // function-block, output, marker, open-connector, analog output/marker and input lists
    // and compiles them, with the system sections. FALSE when something failed (GetLastError).
    BOOL CompileProgram();
    int CompileBlock(CBlockObj* pBlock, CTavixDoc* pDoc);
    int CompileFunctionBlock(CBlockObj* pBlock, CTavixDoc* pDoc);
    void SetCodeSize(CBlockObj* pBlock);
    int EncodeInstruction(CBlockObj* pBlock, CTavixDoc* pDoc);
    // Operand word of an element: class code in bits 15-12, number minus the class base below,
    // bit 10 when negated; the plain number for a type without a class code.
    void EncodeOperand(WORD* pWord, const CBlockObj* pSource, BOOL bNegated) const;
    int CompileOutputDriver(CBlockObj* pBlock, CTavixDoc* pDoc);
    int CompileInputSettings(CBlockObj* pBlock);
    void CompileSystemPart1(CTavixDoc* pDoc);
    void CompileSystemPart2();
    void CompileDataLog(CBlockObj* pDataLog, CTavixDoc* pDoc, BYTE* pSection);
    // The transfer engine's steps after a compilation: LC checksum and message-text words and
    // sum, then the byte-exchanged copies of the areas.
    void FinishImage();
    // Local time written into section ID; without a call the PC's clock at compilation.
    void SetCompileTime(const SYSTEMTIME& st);

    // ---- message texts ----
    void EncodeMessageTextOld(CBlockMSGTEXT* pBlock, int nCPos);
    void EncodeMessageTextNew(CBlockMSGTEXT* pBlock);
    void EncodeMessageFields(CBlockMSGTEXT* pBlock, int nSet);
    void DecodeMessageText(CBlockMSGTEXT* pBlock, int nText);
    void DecodeMessageTextNew(CBlockMSGTEXT* pBlock, int nText);
    void DecodeMessageFields(CBlockMSGTEXT* pBlock, int nText, int nSet);

    // ---- decoding of an uploaded image ----
    BOOL DecodeSettings();
    // Output tables, the instruction area, names, input settings and the block references of
    // the new document; FALSE when the instruction area cannot be decoded (GetLastError).
    BOOL DecodeImage();
    int DecodeOutputTables(int nTable);
    BOOL DecodeProgram();
    int DecodeNameOrPassword(int n);
    int DecodeInputSettings();
    void DecodeDataLog(const BYTE* pSection);
    void LookUpBlockName(CBlockObj* pBlock, int nIndex);
    // Link number of an I/O operand class into m_nLink[pin]; returns the element type, -1 for
    // a class without one. `swapped` is byte 0 x 256 + byte 1 of the operand word.
    int SetIoLink(WORD swapped, CBlockObj* pBlock, int nPin);
    CBlockObj* DecodeIoOperand(BYTE b1, int nPin, CBlockObj* pBlock, WORD swapped);
    // Block pointers of the decoded references and data-log items.
    void ResolveReferences();
    // Block pointers, items and captions of message-text fields decoded before their blocks.
    void ResolveFieldBlocks();
    // Item, caption, width and value index of a decoded field from the type of its block;
    // b0 b1 is the stored variable location of a gauge field.
    void CompleteDecodedField(CWidget* pField, int nType, BYTE b0, BYTE b1);

    static BOOL IsFlagBitSet(BYTE b, int n) { return (b >> n) & 1; }
    static void SetFlagBit(BYTE* pb, int n) { *pb = BYTE(*pb | (1u << n)); }
    static void ClearFlagBit(BYTE* pb, int n) { *pb = BYTE(*pb & ~(1u << n)); }

    const CString& GetLastError() const { return m_strError; }
    // Notes of the last decoding (links opened because no block had their number, ...).
    const CStringArray& GetWarnings() const { return m_warnings; }

public:
    // Buffers of one transfer: area 0, area J (m_nJSize bytes), their byte-exchanged copies,
    // the message-text memory and its copy.
    std::vector<BYTE> m_area0;
    std::vector<BYTE> m_areaJ;
    std::vector<BYTE> m_area0Wire;
    std::vector<BYTE> m_areaJWire;
    int m_nJSize = 0;
    std::vector<BYTE> m_msgText;
    std::vector<BYTE> m_msgTextWire;
    int m_nMsgTextBytes = 0;   // message-text bytes of an upload (set by the transfer engine)
    int m_nNamedCount = 0;     // entries written to sections A and B
    int m_nFilterOrdinal = 0;  // analog filter blocks compiled so far
    CObList m_rootList;        // output-like elements of an upload, ascending number

private:
    // ---- compile helpers ----
    void Fail(const CString& text);
    bool IsOldFamily() const;
    // Bytes the document's function blocks take in area J on its device family.
    int CompiledCodeSize() const;
    int RefNumber(const CBlockObj* pBlock, int k) const;
    // Operand of input pin p (or the open-input bytes) at the writer.
    void WriteOperand(InstrWriter& w, CBlockObj* pBlock, int nPin);
    const CBlockObj* FindOperandSource(const CBlockObj* pBlock, int nLink) const;
    // Time word of a literal time or a referenced block; FALSE (with a message) when the value
    // needs more than 14 bits.
    bool TimeWord(WORD* pWord, const CBlockObj* pBlock, int nHigh, int nLow, int nBase,
                  bool bRef, int nRefNumber, int nRefUnit);
    bool WriteTimerTime(InstrWriter& w, const CBlockObj* pBlock, int j);
    // ref k(x): the referenced block's number - 9000 when flag k is set, else x.
    long RefOr(const CBlockObj* pBlock, int k, long x);
    void WriteName(const CBlockObj* pBlock);
    void InsertByNumber(CObList& list, CBlockObj* pBlock);

    void EncodeLogicFamily(CBlockObj* b, InstrWriter& w);
    void EncodeTimerBlock(CBlockObj* b, InstrWriter& w);
    void EncodeWeeklyTimer(CBlockObj* b, InstrWriter& w);
    void EncodeYearlyTimer(CBlockObj* b, InstrWriter& w);
    void EncodeAstroClock(CBlockObj* b, InstrWriter& w);
    void EncodeStopwatch(CBlockObj* b, InstrWriter& w);
    void EncodeCounter(CBlockObj* b, InstrWriter& w);
    void EncodeHoursCounter(CBlockObj* b, InstrWriter& w);
    void EncodeThresholdTrigger(CBlockObj* b, InstrWriter& w);
    void EncodeRelayBlock(CBlockObj* b, InstrWriter& w);
    void EncodeMessageTextBlock(CBlockObj* b, InstrWriter& w);
    void EncodeModbusBlock(CBlockObj* b, InstrWriter& w);
    void EncodeWifiBlock(CBlockObj* b, InstrWriter& w);
    void EncodeUdcBlock(CBlockObj* b, InstrWriter& w);
    void EncodeAnalogBlock(CBlockObj* b, InstrWriter& w);
    void EncodeAnalogWatchdog(CBlockObj* b, InstrWriter& w);
    void EncodeAnalogMuxMath(CBlockObj* b, InstrWriter& w);
    void EncodeAnalogRamp(CBlockObj* b, InstrWriter& w);
    void EncodePiController(CBlockObj* b, InstrWriter& w);
    void EncodePwm(CBlockObj* b, InstrWriter& w);
    void EncodeAnalogFilter(CBlockObj* b, InstrWriter& w);
    void EncodeMaxMin(CBlockObj* b, InstrWriter& w);
    void EncodeAverageValue(CBlockObj* b, InstrWriter& w);
    void EncodeMathError(CBlockObj* b, InstrWriter& w);
    void EncodeWordMathBlock(CBlockObj* b, InstrWriter& w);
    void EncodeQuadBlock(CBlockObj* b, InstrWriter& w);
    void EncodeEncoderBlock(CBlockObj* b, InstrWriter& w);
    static BYTE GetWeekdayMask(const int days[7]);
    // Index-map word of the analog element chosen by a selector (0 AM, 1 AQ, 2 AI).
    static WORD AnalogIndexWord(int nSelector, int nIndex);

    // ---- decode helpers ----
    CBlockObj* NewDecodedBlock(int nType, int nIndex, BYTE flags);
    void DecodeOperand(InstrReader& r, int off, CBlockObj* pBlock, int nPin);
    void DecodeOperands(InstrReader& r, CBlockObj* pBlock, int nCount);
    // Time word k of the generic decoder; *pBase carries the base between the words.
    void DecodeTimeWord(CBlockObj* pBlock, int k, unsigned word, int* pPrevBase, int* pPrevOffset);
    // Decodes one instruction; its size in bytes, 0 when it cannot be decoded.
    int DecodeInstruction(int nType, int nIndex, int nStart, BYTE flags);
    void DecodeGenericBlock(CBlockObj* b, InstrReader& r, BYTE flags);
    void DecodeTimerFamily(CBlockObj* b, InstrReader& r);
    void DecodeWeeklyTimer(CBlockObj* b, InstrReader& r);
    void DecodeYearlyTimer(CBlockObj* b, InstrReader& r);
    void DecodeAstroClock(CBlockObj* b, InstrReader& r);
    void DecodeStopwatch(CBlockObj* b, InstrReader& r);
    void DecodeCounter(CBlockObj* b, InstrReader& r);
    void DecodeHoursCounter(CBlockObj* b, InstrReader& r);
    void DecodeThresholdTrigger(CBlockObj* b, InstrReader& r);
    void DecodeAnalogTrigger(CBlockObj* b, InstrReader& r);
    void DecodeAnalogWatchdog(CBlockObj* b, InstrReader& r);
    void DecodeRelay(CBlockObj* b, InstrReader& r);
    void DecodeMessageTextBlock(CBlockObj* b, InstrReader& r, int nText);
    void DecodeSoftKey(CBlockObj* b, InstrReader& r);
    void DecodeModbusBlock(CBlockObj* b, InstrReader& r);
    void DecodeMathInstruction(CBlockObj* b, InstrReader& r);
    void DecodeAnalogRamp(CBlockObj* b, InstrReader& r);
    void DecodePIController(CBlockObj* b, InstrReader& r);
    void DecodePWM(CBlockObj* b, InstrReader& r);
    void DecodeAnalogFilter(CBlockObj* b, InstrReader& r);
    void DecodeMaxMin(CBlockObj* b, InstrReader& r);
    void DecodeAverage(CBlockObj* b, InstrReader& r);
    void DecodeMathError(CBlockObj* b, InstrReader& r);
    void DecodeWifiBlock(CBlockObj* b, InstrReader& r);
    void DecodeMEM(CBlockObj* b, InstrReader& r);
    void DecodeEncoder(CBlockObj* b, InstrReader& r);
    void DecodeUDC(CBlockObj* b, InstrReader& r);
    void DecodeQuadratic(CBlockObj* b, InstrReader& r);
    void DecodeWordMath(CBlockObj* b, InstrReader& r);
    // Analog selector and index of a stored index-map word (high byte first).
    static void DecodeAnalogIndexWord(unsigned word, int* pSelector, int* pIndex);
    void OpenDanglingLinks();
    // A new element of a decoded program: numbered, sized, appended to the document.
    CBlockObj* CreateIoElement(int nType, int nNumber);
    void AddDecoded(CBlockObj* pBlock);
    CBlockObj* FindDecoded(int nNumber) const;
    void ApplyFlagByte(CBlockObj* pBlock, BYTE flags);

    CTavixDoc* m_pDoc = nullptr;
    CString m_strError;
    CStringArray m_warnings;
    bool m_bHaveTime = false;
    SYSTEMTIME m_tmCompile{};
    // Program-wide compile state of one compilation.
    WORD m_wCurrentOffset = 0;
    WORD m_wNextOffset = 0;
    int m_nMsgTextOrdinal = 0;
    WORD m_wMsgTextOffsetC = 0;
    int m_nMsgTextCount = 0;  // message-text records allocated
    int m_nDecodedMsgTexts = 0;
    // Number -> element of the document while an upload is decoded.
    std::unordered_map<int, CBlockObj*> m_decodeIndex;
    // Fields of newer message texts whose block comes later in the program, with what the
    // record said about them; completed once every block is decoded.
    struct PendingField {
        CWidget* pField;
        int nTypeHint;
        BYTE loc[2];
    };
    std::vector<PendingField> m_pendingFields;
};

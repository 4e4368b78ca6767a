// CTavixDoc: one control program (function block diagram ".yfb" or ladder diagram ".yld").
// It owns the elements, wires, comments and the ladder power bus, the program's settings, the
// file format, the numbering and device limits of elements, the wire geometry and the undo store.
// Its modified flag, path name, title, views and the Save/Close commands are the framework's
// document's; a document template creates it by its runtime class.
#pragma once

#include "platform/base/Afx.h"
#include "platform/ui/framework/Document.h"

#include "document/BlockTally.h"
#include "document/DocTypes.h"
#include "document/WireEndIndex.h"
#include "document/UndoStore.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

class CBlockObj;
class CConnectLineObj;
class CBlockComment;
class CPowerBusObj;
class CWnd;
namespace docfile {
class SeenObjects;
}

class CTavixDoc : public CDocument {
    DECLARE_DYNCREATE(CTavixDoc)

public:
    // Document kinds (m_nDocKind).
    enum { kindFbd = 1, kindLadder = 2 };
    // Machine type from which the newer device families' layouts apply ('Q').
    enum { machineNew = 0x51 };
    enum { logoBytes = 960, markerBytes = 100 };

    // Full construction of a new document: name tables, screen extent, the main frame's pending
    // document kind (reset to 1), the global hardware code and its series text, the markers.
    CTavixDoc();
    ~CTavixDoc() override;

    CTavixDoc(const CTavixDoc&) = delete;
    CTavixDoc& operator=(const CTavixDoc&) = delete;

    // ---- document life (overrides of the framework's document) ----

    void Serialize(CArchive& ar) override;
    // Runs Serialize through ar and closes it; a failure abandons the archive (nothing more is
    // read or flushed) and goes on to the caller.
    void SerializeAndClose(CArchive& ar);
    // Removes and deletes every object of the four element lists.
    void DeleteContents() override;
    // Empties the document and takes the baseline undo snapshot of the new program.
    BOOL OnNewDocument() override;
    // Loads a program file and takes it as the document's path. On failure the document is
    // left as it was, the failure is reported, FALSE is returned and GetLastError() tells why.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Save / Save As: an empty path asks for the file (proposing the document's path, else
    // GetProposedFileName()); on success with bReplace the document takes the name as its path.
    // Saving itself is the framework's (OnSaveDocument, through the safe-replace routine).
    BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE) override;
    // Keeps the text of a failed open or save for GetLastError() and shows it.
    void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) override;
    // The name a first save proposes: the title cut at the first of " #%;/\" plus the
    // template's extension (".yfb" without one) for a function block diagram, ".yld" for a
    // ladder diagram.
    CString GetProposedFileName() const;

    // Text of the last failed open, save or undo step.
    const CString& GetLastError() const { return m_strLastError; }
    // Warnings of the last load (dropped wires whose ends name no element, ...).
    const CStringArray& GetLoadWarnings() const { return m_loadWarnings; }

    // The document's private temporary folder (created on first use, removed with the
    // document): undo snapshots and any other per-document temporary file belong there.
    CString GetPrivateTempFolder() { return m_undo.GetFolder(); }

    // Machine type: the high byte of the hardware code.
    int GetMachineType() const { return (m_nHardwareCode >> 8) & 0xFF; }
    BOOL IsNewModel() const { return GetMachineType() >= machineNew; }
    BOOL IsLadder() const { return m_nDocKind == kindLadder; }

    // ---- element registry ----

    // Numbers a new element and appends it to m_blocks; sets the modified flag. FALSE (element
    // not added, still the caller's) when its number range has no free number.
    BOOL AddBlock(CBlockObj* pBlock);
    // The same for a pasted element: I/O elements keep their number when it is free.
    BOOL InsertBlock(CBlockObj* pBlock);
    int CountBlocks() const;
    int CountFunctionBlocks() const;
    CBlockObj* FindBlockByNumber(int nNumber) const;
    CBlockObj* FindIOBlock(int nOperand, int nType) const;
    CBlockObj* HitTestBlock(CPoint pt) const;
    CBlockObj* HitTestBlockWithPins(CPoint pt) const;
    CBlockComment* HitTestComment(CPoint pt) const;
    CConnectLineObj* HitTestWire(int x, int y);
    BOOL GetPinPosition(CRect* pRect, CBlockObj* pBlock, int nPin) const;
    void AddWire(CConnectLineObj* pWire);
    void RemoveWire(CConnectLineObj* pWire);
    void AddComment(CBlockComment* pComment);
    BOOL IsWireDuplicate(CConnectLineObj* pNew, CBlockObj* pOther, int nOtherPin) const;
    CConnectLineObj* FindWireOnConnector(CBlockObj* pConnector) const;
    // The wires that end at the element, in list order, while a CWireEndIndex is held; null
    // when none is (the caller walks m_wires).
    const std::vector<CConnectLineObj*>* WiresOfElement(const CBlockObj* pBlock) const;
    int GetProgramCodeSize() const;
    int CountNamedBlocks() const;
    int CountFlaggedBlocks(int nExcludeNumber) const;
    void UpdateBlockSizesForHardware();
    BOOL CanAddBlock(int nType, BlockCounts* pCounts = nullptr) const;
    void SetLastPoint(int x, int y) { m_ptLast = CPoint(x, y); }

    // Element kind of a type code: 1 I/O, 2 function block, 3 page connector, 4 data log, 0 other.
    static int GetBlockKind(int nType);
    // Display label of an element ("I018", "B12", "Low", "M4", ...).
    CString GetBlockLabel(const CBlockObj* pBlock) const;

    // ---- orthogonal wire geometry ----

    // Moves the start (bIsStart) or end of a wire to (x, y) keeping every segment horizontal or
    // vertical; nKind 1 output pin, 2 input pin, 0 no side.
    void MoveWireEnd(CConnectLineObj* pWire, int x, int y, BOOL bIsStart, int nKind);
    void DetourWire(CConnectLineObj* pWire, BOOL bIsStart, int nKind);
    void SimplifyWire(CConnectLineObj* pWire);
    static BOOL ChooseBend(const CPoint pts[4], int endX, int endY, int startX, int startY);
    void RerouteWire(CConnectLineObj* pWire);

    // ---- block reference lists (the texts a page adds to its combo or list box) ----

    // Candidates for a parameter that takes its value from another block.
    void GetBlockReferenceEntries(int nSkipNumber, CStringArray& entries) const;
    // Blocks whose value a memory block or the data log can store.
    void GetStorableBlockEntries(int nSkipNumber, CStringArray& entries) const;
    // The same entries added to a page's control; none of them clears the control first.
    void FillBlockComboBox(int nSkipNumber, CWnd* pCombo) const;
    void FillMemBlockComboBox(int nSkipNumber, CWnd* pCombo) const;
    void FillDataLogBlockComboBox(int nSkipNumber, CWnd* pList) const;

    // ---- message-text field arrays of the program file ----

    // Serializes item 21 of the file: the field arrays of every message-text element.
    void SerializeMessageTextFields(CArchive& ar);

public:
    // Members in declared order; "file" members are written by Serialize.
    int m_nPageLayout[10];
    CRect m_rcExtent;
    int m_nPageWidth;
    int m_nPageHeight;
    BOOL m_bSimulating;
    CObList m_blocks;    // CBlockObj*: every element except wires, comments and the power bus
    CObList m_wires;     // CConnectLineObj*
    CObList m_comments;  // CBlockComment*
    CString m_strInfo1;
    CString m_strInfo2;
    int m_nInfo;
    CString m_strInfo3;
    CString m_strInfo4;
    CString m_strInfo5;
    int m_nDocKind;
    int m_nFileInfo;
    CString m_strProgramName;
    CString m_strPassword;
    float m_fZoom;
    // Page Setup's margins (left, top, right, bottom, in the dialog's units) for the page and for
    // the printout; kept for the run, not written to the file.
    CRect m_rcPageMargins{0, 0, 0, 0};
    CRect m_rcPrintMargins{0, 0, 0, 0};
    CString m_strCreator;
    CString m_strProject;
    CString m_strInstallation;
    CString m_strCustomer;
    CString m_strDiagramNo;
    CString m_strChecked;
    CString m_strLogoPath;
    CString m_strVersion1;
    CString m_strVersion2;
    CString m_strVersion3;
    BOOL m_bShowPropertiesAtNew;
    CString m_strComment;
    BOOL m_bCopyProtect;
    int m_nRedundancy;
    int m_nSyncTime;
    int m_nTempHigh;
    int m_nTempLow;
    BOOL m_bKeepLastAQ;
    CByteArray m_qt;            // 32 setting bytes
    CArray<double, double> m_fv; // 32 values
    int m_nDisplayLanguage;
    int m_nLogoTime;
    int m_nContrast;
    int m_nBacklight;
    BOOL m_bLogoInverse;
    BOOL m_bLogoPresent;
    BYTE* m_pLogo;              // 960 display bytes when present, owned
    int m_nAIRange0;
    int m_nAIRange1;
    PortSettings m_port[3];
    WORD m_nHardwareCode;
    short m_nHardwareExtra;
    WORD m_nMinFirmware;
    short m_nMinFirmwareExtra;
    CString m_strHardwareName;
    CMap<int, int, CString, LPCTSTR> m_operandComments;
    CMap<int, int, SimSettingRecord, const SimSettingRecord&> m_simSettings;
    CObList m_powerBus;         // CPowerBusObj*: exactly one in a ladder document
    int m_nOptionCount[3];
    int m_nTextSet1;
    int m_nTextSet2;
    int m_nTextSetting;
    int m_nTextTime1;
    int m_nTextTime2;
    int m_nScanTime;
    int m_nAnalogFilter;
    CUndoStore m_undo;
    CPoint m_ptLast;
    BYTE m_markers[markerBytes];

private:
    struct DetachedTag {};
    // A document holding only defaults, without touching the main frame; used to load a file
    // or snapshot before it replaces this document's contents.
    explicit CTavixDoc(DetachedTag);
    void InitDefaults();
    void FreeLogo();
    // Exchanges everything a program file holds (and the lists) with another document.
    void SwapContents(CTavixDoc& other);
    // Runs after the lists were read: references, data-log items, wires with missing ends.
    void FixUpAfterLoad();
    void SerializeLadderMaps(CArchive& ar);
    void SerializeMessageTextFields(CArchive& ar, docfile::SeenObjects& seen);
    // Loads an archive into a detached document; on success swaps it into this one. A failure
    // puts the old contents back, keeps its text for GetLastError() and, when ppFailure is
    // given, hands the exception to the caller (who deletes it).
    BOOL LoadFrom(CFile& file, const CString& name, CException** ppFailure = nullptr);

    friend class CUndoStore;
    friend class CBlockNumberIndex;
    friend class CBlockTally;
    friend class CWireEndIndex;

    // Keeps a held tally current after an element was added to m_blocks.
    void NoteAdded(const CBlockObj* pBlock);
    void TallyLimitClasses(const CBlockObj* pBlock);
    // The held tally's taken numbers of a type (or of function blocks), counted when first asked.
    CBlockTally::Numbers& TalliedNumbers(int nKey);

    // (number, element) sorted by number, the first element of m_blocks with a number first,
    // while a CBlockNumberIndex is held.
    std::vector<std::pair<int, CBlockObj*>>* m_pNumberIndex = nullptr;
    // Counts and taken numbers, while a CBlockTally is held.
    CBlockTally* m_pTally = nullptr;
    // Wires by element, while a CWireEndIndex is held.
    CWireEndIndex::Table* m_pWireEnds = nullptr;

    BOOL m_bCounted = FALSE;  // counted among the main frame's open documents
    CString m_strLastError;
    CStringArray m_loadWarnings;
};

// Makes CTavixDoc::FindBlockByNumber answer from an index for as long as the object lives, so
// that a pass over every element (loading, one simulation step of every block) does not search
// the list once per link. Hold it only while no element is added, removed or renumbered.
// Nested indexes leave the outer one in charge.
class CBlockNumberIndex {
public:
    explicit CBlockNumberIndex(CTavixDoc& doc);
    ~CBlockNumberIndex();
    CBlockNumberIndex(const CBlockNumberIndex&) = delete;
    CBlockNumberIndex& operator=(const CBlockNumberIndex&) = delete;

private:
    CTavixDoc& m_doc;
    // One block of memory, where a hash map took a node per element: a repaint builds one.
    std::vector<std::pair<int, CBlockObj*>> m_index;
    bool m_bOwner = false;
};

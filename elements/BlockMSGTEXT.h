// The message text block (810): one text the device shows on its display, with four lines of
// characters in up to two character sets, the fields placed on those lines and the text's
// settings. Its En input activates the text.
#pragma once

#include "elements/BlockObj.h"

class CWidget;

class CBlockMSGTEXT : public CBlockObj
{
    DECLARE_SERIAL(CBlockMSGTEXT)
public:
    enum { kRows = 5, kColumns = 25, kCells = kRows * kColumns, kLines = 4 };
    // Columns of set 1 used below machine type 'Q' (12 characters after the header column).
    enum { kOldColumns = 13 };

    CBlockMSGTEXT();
    explicit CBlockMSGTEXT(int nType);
    ~CBlockMSGTEXT() override;

    // Settings of a new block from the document it is made for: from machine type 'Q' on, only
    // the document's current character set is enabled and edited; below it, set 1 alone.
    void ApplyDocumentSettings(int nMachineType, int nCurrentSet);

    // Element record, then (schema 1) the 250 cells, set 1 before set 2 for each cell, and the
    // fourteen settings; schema 0 records hold only the 65 set-1 cells of columns 0..12.
    void Serialize(CArchive& ar) override;
    // Copies the fields of set 1 and, from machine type 'Q' on, of set 2, the cells (only the
    // 5 x 13 set-1 cells below 'Q') and the settings (from 'Q' on).
    void CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType) override;
    BOOL Simulate(CTavixView* pView) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;

    // Priority ("message-text index", -1 none) and the acknowledge option, in the parameter
    // words that hold them; the acknowledge-pending flag lives with the simulation only: kept
    // in the Retentivity word it would reach the file and the device program's flags.
    int& Priority() { return m_nCount; }
    BOOL& AcknowledgeRequired() { return m_bStdPreWarning; }
    BOOL& AcknowledgePending() { return m_bAckPending; }

    static int CellIndex(int row, int column) { return row * kColumns + column; }

public:
    CString m_astrCells1[kCells];  // set 1: 5 rows x 25 columns; row 0 and column 0 are headers
    CString m_astrCells2[kCells];  // set 2, same layout
    CObArray m_aLines1[kLines];    // fields (CWidget, owned) on lines 1..4 of set 1
    CObArray m_aLines2[kLines];    // fields on lines 1..4 of set 2
    int m_bAckLatch;               // runtime: an acknowledged text is being shown
    BOOL m_bAckPending = FALSE;    // runtime: the shown text waits for its acknowledgement
    int m_bCaptureEnableTime;      // runtime: the next enable-time text captures the time
    int m_bCaptureEnableDate;      // runtime: the same for the date
    CString m_strEnableTime;       // runtime: captured enable time
    CString m_strEnableTimeShort;  // runtime: the same in the device view's form
    CString m_strEnableDate;       // runtime: captured enable date
    // Stored settings.
    int m_nCurrentSet;             // 0 set 1, 1 set 2
    int m_bSet1Enabled;
    int m_bSet2Enabled;
    int m_nTickerMode1;            // 0 character by character, 1 line by line
    int m_nTickerMode2;
    int m_bTickerLine[8];          // line 1 set 1, line 1 set 2, line 2 set 1, ...
    int m_bShowDetails;

private:
    void InitCells();
    void SerializeSettings(CArchive& ar);
    static void DeleteFields(CObArray& line);
    // Replaces the fields of `to` by copies of those of `from` at the same indexes.
    static void CopyFields(const CObArray& from, CObArray& to);
};

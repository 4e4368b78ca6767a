// CIOStatus: the modal "I/O Status Overview" dialog. It opens the main frame's port with its own
// line settings and polls the device's clock and its inputs, outputs and flags on a timer,
// showing them module by module in a grid, until the user disconnects, a poll fails or the
// dialog closes. The port is closed and the timer stopped on every way out.
#pragma once

#include "controls/GridCtrl.h"
#include "controls/ToolTipWnd.h"
#include "platform/ui/dialogs/Dlg.h"

#include <random>

class CMainFrame;
class CModBus;

class CIOStatus : public CDialog
{
public:
    CIOStatus(CMainFrame& frame, CModBus& modbus);
    ~CIOStatus() override;

    // Views of the grid: inputs/outputs/analog values, flags, analog flags.
    enum View { viewIo = 0, viewFlags = 1, viewAnalogFlags = 2 };

    // One poll: the clock, then the areas of the chosen view. TRUE when every read succeeded.
    BOOL PollOnce();
    // The grid's text of a cell (row 0 the header, column 0 the labels).
    CString CellText(int nRow, int nColumn) const;
    const CGridCtrl& Grid() const { return m_grid; }
    const CToolTipWnd& ToolTip() const { return m_toolTip; }
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnConnect();
    int ChosenView() const;

    int m_nRefreshTime = 3;        // seconds, 1..30
    UINT m_nPollDelay = 10;        // milliseconds
    UINT m_nDeviceAddress = 0;     // 0..255
    int m_nParity = 0;             // 0 none, 1 odd, 2 even
    int m_nDataBits = 1;           // 0 for 7, 1 for 8
    int m_nStopBits = 0;           // 0 one, 1 two
    CString m_strCommText = L"None,8,1";
    CString m_strTime;             // the device time shown

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void BuildInitialGrid();
    void SetUpRangeTips();
    void RebuildGrid();
    // Lays the grid out for a view: counts, header and row labels, colours, empty values.
    void LayOutGrid(int nView, BOOL bInitialLabels);
    void OnParityChange();
    void OnAddressUpdate();
    void OnPollDelayUpdate();
    int OpenLinkPort();
    void CloseLinkPort();
    void StopPolling();
    void EnableParameters(BOOL bEnable);
    BOOL ReadIoAreas(UINT* pError);
    // A polled value: red when set, black when zero.
    void SetValueCell(int nRow, int nColumn, unsigned value);
    void Wait(int ms);

    CMainFrame& m_frame;
    CModBus& m_modbus;
    int m_nFixedCols = 1;
    int m_nFixedRows = 1;
    int m_nCols = 0;
    int m_nRows = 0;
    CGridCtrl m_grid;
    CToolTipWnd m_toolTip;
    // Header and label colours change at every layout; a fixed seed keeps them the same from
    // one run to the next.
    std::minstd_rand m_headerColours{258};
    BOOL m_bPolling = FALSE;

    DECLARE_MESSAGE_MAP()
};

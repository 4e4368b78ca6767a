// CTavixView: the diagram view of one program, a scroll view that both document templates
// create. It holds the edit mode and the selection, maps diagram units to the window through
// the document's zoom, paints the diagram double-buffered (stepping every block while it
// simulates) and gives the diagram elements the services they use: the simulated time of the
// current repaint, the block factory with its message-text numbers, the monitor sheets.
#pragma once

#include "platform/base/Afx.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/View.h"

#include "elements/ConnectLineObj.h"
#include "view/PrintTiles.h"

#include <map>
#include <memory>
#include <set>
#include <unordered_set>
#include <utility>
#include <set>
#include <vector>

class CTavixDoc;
class CChildFrame;
class CBlockObj;
struct CIOParamRecord;
struct CMsgTextParamRecord;
class CBlockComment;
class CInfoTip;
class CSimClock;
class CBlockAnalog;
class CAnalogSliderDlg;
class CTavixView;
class CAllPropertySheet;
class CPropShLadIO;
class CDiagramIndex;
class CPaintBands;

// Message the simulated clock's timer thread posts to the view: one 25 ms tick. The view
// advances its frame's clock and repaints on the user-interface thread.
constexpr UINT WM_SIM_TICK = WM_USER + 60;
// Posted by the value popup when Enter, Alt or Esc ends it.
constexpr UINT WM_CLOSE_VALUE_POPUP = WM_USER + 61;

// The one view that simulates (null when none): at most one view simulates at a time.
extern CTavixView* g_pSimulatingView;

class CTavixView : public CScrollView
{
    DECLARE_DYNCREATE(CTavixView)

public:
    enum {
        modeSelect = 0,
        modeInsert = 1,
        modeConnect = 2,
        modeMoveBlocks = 3,
        modeDragWire = 4,
        modeRubberBand = 6,
        modeInsertComment = 8,
        modeMoveComments = 9,
        modeCutJoin = 13,
        modeSimulate = 100,
    };
    enum { kMessageTextSlots = 16, kPinCaptionRows = 117, kPinCaptionColumns = 21 };

    // The framework creates the view from its runtime class; tests and benchmarks may give a
    // document and a frame of their own to a view without a window.
    explicit CTavixView(CTavixDoc* pDoc = nullptr, CChildFrame* pFrame = nullptr);
    ~CTavixView() override;

    // The document: the one given at construction, else the framework's document.
    CTavixDoc* GetDocument() const;
    void SetDocument(CTavixDoc* pDoc) { m_pTavixDoc = pDoc; }
    // The child frame whose simulated clock and bars the view uses (null when it has none).
    CChildFrame* GetParentFrame() const;
    void SetParentFrame(CChildFrame* pFrame) { m_pFrame = pFrame; }
    BOOL IsSimulating() const { return m_nEditMode == modeSimulate; }

    // Creates an element of a type code with its class's constructor, sized 25 x 40 (four
    // inputs) or 25 x 36; a message-text block takes the lowest free message-text number.
    // The element is not numbered, placed or added; the caller owns it. Null on no memory.
    CBlockObj* CreateBlockByType(int nType);

    // ---- repaint requests ----
    // The one repaint request of the view: the whole client area, without erasing. Safe to
    // call from any thread (it only queues the request); counted while there is no window.
    void InvalidateAll();
    // Pushes a block's live value into its open sheet while the view simulates.
    void UpdateMonitorSheets(CBlockObj* pBlock);
    // WM_APPLY_BLOCK_PARAMS: the record an open block sheet applies (wParam the type code,
    // lParam the record of the type's family); returns 0.
    LRESULT ApplySheetParams(WPARAM wParam, LPARAM lParam);
    // Takes a filled record of the type's family into a block: the one road of the modal
    // sheet's OK and the modeless sheet's Apply; while simulating the running rules follow.
    void TakeSheetRecord(CBlockObj& block, int nType, LPARAM record);
    // The number an applied I/O record names: the element moves there when the index is free.
    void ApplyIONumber(CBlockObj& block, const CIOParamRecord& record);
    // After either road (Apply or OK) stored an I/O element: its sheet, message-text fields and
    // simulation bars follow a new number or simulation kind.
    void AfterIoElementChanged(CBlockObj& block, int nOldNumber, int nOldKind);
    void RefreshSimulationBars(CBlockObj& block);
    // A message-text record: slot and acknowledge bookkeeping, then the grid page's texts.
    void ApplyMsgText(CBlockObj& block, const CMsgTextParamRecord& record);

    // ---- zoom and scrolling ----
    // value rounded half away from zero.
    static int ScaleToDevice(float value);
    // The zoom held within 0.25..4.0.
    static float ClampZoom(float zoom);
    float GetZoom() const;
    // Stores the clamped zoom in the document.
    void SetZoom(float zoom);
    // Scroll sizes: the diagram extent times the zoom, rounded; then the memory context's
    // zoom mapping.
    void UpdateScrollSizes();
    // Device point at the middle of the client area.
    CPoint GetViewCentre() const;
    // Zooms keeping the point at the middle of the window in the middle (from a zoom of 1.0 or
    // more; from below 1.0 the view returns to the top-left corner) and repaints.
    void ZoomTo(float zoom);
    // Mapping of the zoom: window extent 100, viewport extent zoom x 100 rounded.
    void PrepareZoomDC(CDC* pDC) const;
    // Two points from device units to diagram units, through a context prepared as for painting.
    void DeviceToLogical(POINT pts[2]);
    // A client point (pixels) as a diagram point: (client + scroll position) / zoom, truncated.
    CPoint ClientToDiagram(CPoint client) const;

    // ---- painting ----
    void OnDraw(CDC* pDC) override;
    // Page lines outside the diagram area, the area, its frame and the ladder power bus.
    void DrawPageGrid(CDC* pDC);
    // The diagram frame with the print-page divisions.
    void DrawBaseFrame(CDC* pDC, const RECT* pArea);
    // Blocks, wires, power bus, comments, rubber band or rubber wire; steps the blocks while
    // simulating. pass goes unchanged to the elements.
    void DrawDiagram(CDC* pDC, int pass);
    void DrawRubberWire(CDC* pDC);
    // TRUE when the main window's active frame shows this view (or there is no main frame).
    BOOL IsActivePaintView() const;

    // ---- selection ----
    // 0 all, 1 wires, 2 blocks, 3 comments: clears the selected flags of every object of those
    // kinds in the document and empties the matching lists.
    void ClearSelection(int kind);
    // Empties the selection lists and the current block, wire and comment, and repaints; for
    // operations after which no element they named is sure to exist.
    void ForgetSelection();
    BOOL IsBlockSelected(CBlockObj* pBlock, BOOL bByNumber) const;
    BOOL IsWireSelected(CConnectLineObj* pWire) const;
    BOOL IsCommentSelected(CBlockComment* pComment) const;
    CBlockObj* FindBlock(int nNumber) const;

    // ---- pin captions and the info tip ----
    // Loads the pin-caption table from the string table.
    void InitPinLabels();
    // Row of the pin-caption table for a type code (the power bus: 116); -1 when it has none.
    static int GetPinCaptionRow(int nType);
    // Caption of a pin (0-19) or the title (20) of an element; empty when there is none.
    CString GetPinCaption(const CBlockObj* pBlock, int column) const;
    CInfoTip* GetInfoTip() const { return m_pInfoTip.get(); }

    // ---- simulated clock ----
    // Starts the 25 ms tick of the simulated clock (its timer thread only posts WM_SIM_TICK).
    void StartSimClock();
    // Stops it; when this returns no tick runs any more.
    void StopSimClock();
    BOOL IsSimClockRunning() const;

    // ---- simulation ----
    // Command "Simulation" (F3): enters simulation, or leaves it.
    void ToggleSimulation();
    void OnUpdateToolsSimulation(CCmdUI* pCmdUI);
    // The document holds an element or a comment and no other view simulates.
    BOOL CanSimulate() const;
    // The view's window goes: only the simulation flags are reset.
    void DetachSimulation();
    // Rewrites the document's element list in evaluation order: inputs and sources, function
    // blocks, outputs and coils, flags, analog outputs, analog flags, open connectors, connector
    // ends, the data log, then anything else; each group in ascending number.
    void OrderBlocksForSimulation();
    // Range and scaled value of an analog input or contact, an input, key or make/break contact.
    void ComputeAnalogRange(CBlockObj* pBlock);
    // Recomputes the ranges of the analog inputs that feed an analog function block.
    void UpdateAnalogSources(CBlockObj* pBlock);
    // The bounds a page may offer for an analog input or contact: its consumers' measuring
    // range, or -32767..32767 when there is none or they differ.
    void GetAnalogRange(CBlockObj* pBlock, int* pMin, int* pMax);
    // The analog function blocks an element drives (into m_analogConsumers; *pCount grows).
    void CollectAnalogConsumers(CBlockObj* pElement, int* pCount);
    // The value slider of an analog input or contact at a screen point; closing it.
    void OpenValuePopup(CBlockObj* pBlock, int x, int y);
    void CloseValuePopup();
    // Screen point where the value popup of an element opens.
    CPoint PopupPlace(const CBlockObj* pBlock);
    // The popup moved: the element (and an analog contact's settings) take the value.
    void SetPopupValue(CBlockObj* pBlock, int value);
    CAnalogSliderDlg* GetValuePopup() const { return m_pValuePopup.get(); }
    // A left press and release on the diagram while simulating (client points): inputs and
    // keys toggle or act as momentary buttons, input contacts switch with every contact of
    // their operand, analog inputs open the value slider; a release ends a held Power press.
    void OnSimulationPress(CPoint client);
    void OnSimulationRelease(CPoint client);
    // A double-click while simulating opens the sheet of the block (or comment) under it;
    // elements operated by clicks open nothing.
    void OnSimulationDoubleClick(CPoint client);
    // A ladder input reached by several wires (parallel branches) takes the power of all its
    // sources: their list, or null when the input has one source or none. Set while simulating.
    const std::vector<CBlockObj*>* GetParallelSources(const CBlockObj* pBlock, int nPin) const;

    // ---- undo ----
    // Edit > Undo / Redo: clears the current objects and the selection, steps the undo store,
    // rebuilds the message-text numbers and repaints.
    void OnEditUndo();
    void OnEditRedo();
    // Marks the message-text numbers of the document's message-text blocks as used.
    void RebuildMessageTextSlots();

    // ---- editing: mouse, wiring, insertion (view/ViewMouse*.cpp, ViewWiring*.cpp) ----
    // The selection of a press in select mode; returns the next mode.
    int SelectAt(int x, int y, UINT nFlags);
    // Moves the selected blocks (their wire ends follow), wires and comments by a delta; nKey
    // is the arrow key that nudges, 0 for a mouse move.
    void MoveSelection(int dx, int dy, UINT nKey = 0);
    void MoveWireSegment(int dx, int dy, CConnectLineObj* pWire, UINT nKey);
    // TRUE when moving the hit vertical segment to x would bring it within 5 units of an end pin.
    BOOL IsSegmentBlocked(int x, CConnectLineObj* pWire) const;
    void SelectInRubberBand();
    // Moves a wire's vertices (only the inner ones with bInnerOnly) and its end points.
    void TranslateWire(CConnectLineObj* pWire, int dx, int dy, BOOL bInnerOnly);
    void AutoScroll(BOOL bDragging, int x, int y);
    // FALSE (beep and message) when the point lies outside the diagram extent; else pulls it
    // inside the margin of a block, or of the given comment.
    BOOL ClampInsertPoint(CPoint* pPoint, CBlockComment* pComment);
    // After a move: selected objects outside the extent go back where the move started (with the
    // message); FALSE then.
    BOOL CheckSelectionInExtent();
    // Moves the selection back by the drag anchor when anything selected lies outside the
    // drawable area after a move to (x, y).
    void KeepSelectionInside(int x, int y);
    // When something reaches past one page (right or bottom edge in diagram units), the page
    // counts grow to cover it, the diagram extent becomes whole pages and the scroll sizes follow.
    void GrowPagesToReach(int right, int bottom);
    // Creates the element of a palette type at a point (not yet added); null when refused, with
    // the refusal shown.
    CBlockObj* InsertBlock(int nType, CPoint* pPoint);
    // Creates a comment at a point (not yet added); null when the point is refused.
    CBlockComment* CreateComment(CPoint point);
    // Adds a new element made by InsertBlock: numbered, one undo step; the hooks of a message
    // text or shift register run here. FALSE (element deleted) when the document has no number.
    BOOL AddInsertedBlock(CBlockObj* pBlock);
    // The ladder power bus (null in a function block diagram or before its first repaint).
    CBlockObj* GetPowerBus() const;
    // TRUE when the point lies on the power bus widened by 7 units left and right.
    BOOL IsOnPowerBus(CPoint pt) const;

    // One click of a connection at a diagram point (see the wiring rules). A null block means the
    // block under the point, pin -1 the pin under it; bForce skips the refusals.
    void ConnectAt(int x, int y, CBlockObj* pBlock = nullptr, int nPin = -1, BOOL bForce = FALSE);
    // 1 when the signal classes of a source output and a destination input pin fit.
    BOOL CheckPinTypes(CBlockObj* pSource, CBlockObj* pDest, int nPin) const;
    // The live check while the mouse moves: sets m_nLinkState and shows the info tip.
    void CheckLinkAtCursor(int x, int y, CPoint client);
    // The refusal state (0, 1 incompatible, 2 loop) of joining a fixed wire end to a pin.
    int CheckLink(CBlockObj* pFixed, int nFixedPin, CBlockObj* pTarget, int nTargetPin,
                  CConnectLineObj* pMoving);
    int PinHitTest(CBlockObj* pBlock, int x, int y) const;
    void StoreWireLinks(CConnectLineObj* pWire);
    // A wire without checks, appended to the document and linked; no undo step.
    CConnectLineObj* CreateWire(int x1, int y1, CBlockObj* pStart, int nStartPin, int x2, int y2,
                                CBlockObj* pEnd, int nEndPin);
    void CancelWiring();
    // Wires whose start or end block is the block, in document order.
    int GetBlockWires(CPtrArray& wires, CBlockObj* pBlock) const;
    int CountWiresAtPin(CBlockObj* pBlock, int nPin) const;
    int GetWiresAtPin(CPtrArray& wires, CBlockObj* pBlock, int nPin) const;
    // Junction dots between the wire and every other wire at that pin; validated on request.
    void UpdateJunctions(CConnectLineObj* pWire, CBlockObj* pBlock, BOOL bValidate, int nPin);
    void ValidateJunctions(const CPtrArray& wires);
    // Keeps the dot at vertex j of a wire only where at least two wires pass.
    void ValidateJunction(CConnectLineObj* pWire, INT_PTR j);
    // The divergence marking between the wire and the given wires that share its pin.
    void MarkJunctionsAmong(CConnectLineObj* pWire, CBlockObj* pBlock, int nPin, const CPtrArray& wires);
    // Marks the junctions at both ends of a wire where more than one wire meets, then validates.
    void RefreshJunctionsOf(CConnectLineObj* pWire);
    // Tidies a wire's bends after a drag.
    void NormalizeRoute(CConnectLineObj* pWire);
    // Moves the dragged end of the current wire to another pin after the wiring checks; sets
    // m_nLinkState when refused and then changes nothing.
    void RelinkWireEnd(int x, int y, CBlockObj* pTarget, int nPin);
    // Feedback tests: non-zero when the connection closes a loop the rules refuse.
    int CheckFeedbackLoop(CConnectLineObj* pWire, CBlockObj* pTarget, int nPin);
    BOOL FindRecursion(CConnectLineObj* pWire);
    // One undo step of an edit: snapshot and the modified flag.
    void TakeSnapshot();

    // ---- editing: commands, keyboard, clipboard, deletion, connectors ----
    // The palette's choice: the tool becomes the edit mode; tool 1 inserts blocks of the type.
    void SelectPaletteTool(int nTool, int nType);
    // Command 1079: the main frame's current tool and palette type.
    void OnPaletteTool();
    void OnModeConnect();
    void OnModeSelect();
    void OnContextSelection();
    void OnModeCutJoin();
    void OnModeInsertComment();
    void OnEditSelectAll();
    void AlignSelection(BOOL bVertical);
    void OnAlignVertical() { AlignSelection(TRUE); }
    void OnAlignHorizontal() { AlignSelection(FALSE); }
    // Centres the view on an element and selects it; FALSE (beep) when there is no such element.
    BOOL GoToBlock(int nNumber);
    void OnGoToPartner();
    // Go To Block: the Select Block dialog, which moves the view while the user browses.
    void OnGoToBlock();
    void OnEditSeparate();
    void JoinConnectors();
    void OnZoomIn();
    void OnZoomOut();
    void OnFileSaveAll();
    // Wire and background colours from the colour picker; they last as long as the view.
    void OnWireColor();
    void OnBackgroundColor();
    // PC->Device: the download of this view's program, run by the main frame.
    void OnTransferPcToDevice();
    // The sub-menu of the context menu for the last right click (-1: none is shown).
    int ChooseContextMenu();
    void OnEditDelete();
    // Removes the selection with everything that cannot stay without it; no undo step.
    void DeleteSelection();
    void RenumberFunctionBlocks();
    void RefreshWireLinks();
    // Drops every reference of the document's elements to an element about to be deleted.
    void UnlinkReferencesTo(CBlockObj* pDeleted);
    void UnlinkReferencesToAny(const std::unordered_set<const CBlockObj*>& deleted);
    void RemoveBlockFields(CBlockObj* pBlock);
    // Removes, in one pass, the message-text fields bound to any of the blocks and the unbound
    // fields that show any of the operands.
    void RemoveFieldsOfAny(const std::unordered_set<const CBlockObj*>& blocks, const std::set<int>& operands);
    void RemoveOperandFields(int nOperand);
    void RefreshFieldNumbers();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // Whether clipboard content may enter this program. FALSE with the text to show in
    // *pMessage (*pAnswered set when the user already answered a question instead); may clear
    // *pKeepWires when the user chose to paste without the wires.
    BOOL CheckPasteAllowed(const CObList& blocks, const CObList& wires, CString* pMessage, BOOL* pKeepWires,
                           BOOL* pAnswered);
    // Replaces the current wire by a connector pair; FALSE (nothing changed, message shown)
    // when the document has no room for the two connectors.
    BOOL SeparateWire();
    // Where a connector is tried at the try order k of the spiral search (dx negated for 901).
    static void GetSpiralOffset(int nType, int k, int* pDx, int* pDy);
    BOOL IsPlaceOccupied(CBlockObj* pConnector, int dx, int dy) const;
    void PlaceConnector(CBlockObj* pConnector);
    // Separates every wire that crosses an element's body; one undo step for all of them.
    int SeparateOverlappingWires();
    // Takes one wire out of the document as deleting it alone would (pins it leaves alone are
    // unlinked, junction dots it shared are checked again), without the rest of a deletion.
    void RemoveLoneWire(CConnectLineObj* pWire);
    // How many wires pass within 1 unit of a point.
    int CountLinesThrough(int x, int y) const;
    // Bodies and wires by place while SeparateOverlappingWires runs, else null.
    CDiagramIndex* m_pIndex = nullptr;
    bool m_bSelectionClear = false;  // the run's first separation cleared every selected flag
    // ---- block property sheets (BlockProperties.cpp) ----
    // Edit > Block Properties (and a double-click): the property sheet of the current block,
    // modal while editing, modeless (one per block) while simulating.
    void OnEditBlockProperties();
    void OnUpdateEditBlockProperties(CCmdUI* pCmdUI);
    // The modal sheet of the current free comment: OK stores its text, font, colour and size
    // (the pages grow to hold it) or, with the text emptied, deletes the comment.
    void EditCurrentComment();
    // The block's label, a blank and its type's display name.
    CString MakeSheetCaption(const CBlockObj* pBlock) const;
    // The open modeless sheet of a block number, null when none.
    CAllPropertySheet* FindOpenSheet(int nNumber) const;
    // The open modeless sheet of a ladder element, null when none.
    CPropShLadIO* FindOpenLadderSheet(const CBlockObj* pElement) const;
    // A modeless sheet going away leaves its list; leaving simulation and closing the view
    // close every open sheet, block and ladder sheets alike.
    void RemoveOpenSheet(CAllPropertySheet* pSheet);
    void RemoveOpenLadderSheet(CPropShLadIO* pSheet);
    void CloseOpenSheets();
    std::vector<CAllPropertySheet*> m_sheets;      // open modeless block sheets
    std::vector<CPropShLadIO*> m_ladderSheets;     // open modeless ladder element sheets

    // ---- printing (view/ViewPrint.cpp) and the page layout (view/ViewPageLayout.cpp) ----
    // File > Print and File > Print Preview: the whole diagram at zoom 1.0 without selection
    // marks, one tile of it per page over the printable area; the print setup dialog first
    // (Print asks on its first run and after a Print that did not ask; Preview always asks).
    void OnFilePrintDiagram();
    void OnFilePrintPreviewDiagram();
    // View > Page Layout: pages across and down of the diagram area (not while simulating).
    void OnViewPageLayout();
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // What the print setup dialog chose last.
    struct PrintSettings {
        int nOrientation = 1;  // 1 landscape, 0 portrait
        int nPaper = 4;        // 2 A2, 3 A3, 4 A4
        int nScaleMode = 2;    // 1 to paper size, 2 to page size, 3 by the factor
        int bPrintParams = 0;
        double dScale = 1.0;
    };
    PrintSettings m_printSettings;
    CPrintTiles m_printTiles;       // the pages of the running job
    BOOL m_bAskPrintSetup = TRUE;   // the next File > Print shows the print setup dialog first

    // ---- ladder to function block conversion ----
    // Rebuilds a ladder document as this view's (new, empty) function block diagram. FALSE,
    // with the reason in *pError, when the ladder cannot be converted faithfully.
    BOOL ConvertLadderToFbd(const CTavixDoc* pSource, CString* pError = nullptr);

    // ---- members (the view's state; several Parts of the editor read and write them) ----
    BOOL m_bSnapshotOnConnect = TRUE;
    BOOL m_bMsgTextSlotUsed[kMessageTextSlots] = {};
    std::unique_ptr<CDC> m_pMemDC;          // off-screen context of the paint handler
    std::unique_ptr<CBitmap> m_pMemBitmap;  // off-screen bitmap of the client size
    BOOL m_bMemDCReady = FALSE;             // set by the first update
    int m_nPaintBandRows = 0;               // rows painted at a time while editing; 0: by the width
    std::unique_ptr<CBitmap> m_pBandBitmap; // off-screen bitmap of one band
    const CPaintBands* m_pPaintBands = nullptr;  // the elements of each band, while painting in bands
    int m_nPaintBand = 0;                   // the band being painted
    CPoint m_ptPaintOrigin;                 // client point at the painting context's device (0, 0)
    CBlockObj* m_pPopupBlock = nullptr;
    BOOL m_bSimCheckUpdate = FALSE;         // the Simulation command shows its check mark
    SYSTEMTIME m_simTime{};                 // simulated clock copied at each repaint
    int m_nEditMode = modeSelect;           // 100 while simulating
    int m_nWireStage = 0;                   // fixed points of the connection being drawn
    int m_nPaletteType = 0;                 // block type code inserted in mode 1
    CPoint m_ptConnectFirst;
    BOOL m_bRightOnBlock = TRUE, m_bRightOnWire = TRUE, m_bRightOnComment = TRUE;
    CConnectLineObj m_wireNew;              // the connection being drawn
    CRect m_rcBand;                         // rubber band: press point and current point
    CBlockObj* m_pCurBlock = nullptr;       // drawn last, on top
    CConnectLineObj* m_pCurWire = nullptr;
    CBlockComment* m_pCurComment = nullptr;
    CPoint m_ptLast;
    CSize m_sizeTotal;                      // scroll size in device units
    COLORREF m_crBackground = RGB(180, 180, 180);
    COLORREF m_crWire = RGB(0, 0, 0);
    COLORREF m_crRubber = RGB(0, 0, 0);
    int m_nHitSegment = 0, m_nHitOrient = 0;
    CObList m_selBlocks;
    CObList m_selWires;
    CObList m_selComments;
    CString m_strPinCaption[kPinCaptionRows][kPinCaptionColumns];
    CPoint m_ptDown;
    int m_nLinkState = 0;                   // 0 allowed, 1 incompatible, 2 recursion
    BOOL m_bWireFromInsert = FALSE;
    HCURSOR m_hModeCursor = nullptr;        // the edit mode's cursor last shown, null for the class's
    CString m_strNudgeSnapshot;             // the undo snapshot a held arrow key's nudges rewrite
    // ---- editing state ----
    BOOL m_bVerticalNudge = FALSE;          // the last arrow key was Up or Down
    CPoint m_ptAnchor;                      // drag anchor: where a move or paste started
    std::vector<std::pair<CBlockComment*, CPoint>> m_savedComments;  // positions before a move
    int m_nRepaintRequests = 0;             // repaint requests while there is no window
    std::vector<CBlockAnalog*> m_analogConsumers;  // filled by CollectAnalogConsumers

protected:
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void PostNcDestroy() override;
    // Every message passes the info tip first, so that it hides when the pointer moves.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSimTick(WPARAM, LPARAM);
    // ---- editing: window messages and command states ----
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    // Over the client area in a mode with a cursor of its own, that cursor stays (the window
    // class's arrow would otherwise flash back before every move).
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    // The cursor of the edit mode at a diagram point (null: the window class's cursor), and
    // showing it.
    HCURSOR ChooseModeCursor(CPoint diagram) const;
    void ShowModeCursor(HCURSOR hCursor);
    void OnUpdateModeConnect(CCmdUI* pCmdUI);
    void OnUpdateModeSelect(CCmdUI* pCmdUI);
    void OnUpdateModeCutJoin(CCmdUI* pCmdUI);
    void OnUpdateModeInsertComment(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    void OnUpdateAlign(CCmdUI* pCmdUI);
    void OnUpdateSelectAll(CCmdUI* pCmdUI);
    void OnUpdateZoomIn(CCmdUI* pCmdUI);
    void OnUpdateZoomOut(CCmdUI* pCmdUI);
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditDelete(CCmdUI* pCmdUI);
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    void OnUpdateNotLocked(CCmdUI* pCmdUI);
    // Leaves simulation through the Simulation command before an editing mode starts.
    void LeaveSimulationForEdit();
    // True while edits are refused: simulating.
    BOOL IsEditLocked() const;
    LRESULT OnCloseValuePopup(WPARAM, LPARAM);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    // Rebuilds the off-screen bitmap at the client size.
    void CreateMemBitmap();
    int PaintBandRows(int width) const;
    // The off-screen bitmap of a band of the client's width.
    CBitmap* BandBitmap(CDC* pScreen, int rows);
    // Draws `band` (client units) into the off-screen bitmap, where its origin (client units)
    // is at the bitmap's top left, and copies it to the screen.
    void PaintBand(CDC* pScreen, const CRect& band, CPoint origin);

    DECLARE_MESSAGE_MAP()

private:
    void EnterSimulation();
    void LeaveSimulation();
    void InitBlockForSimulation(CBlockObj* pBlock);
    void ResetBlockAfterSimulation(CBlockObj* pBlock);
    void CollectAnalogConsumers(CBlockObj* pElement, int* pCount, std::set<const CBlockObj*>& visited);

    void CollectParallelSources();

    std::map<std::pair<const CBlockObj*, int>, std::vector<CBlockObj*>> m_parallelSources;
    std::unique_ptr<CAnalogSliderDlg> m_pValuePopup;
    CTavixDoc* m_pTavixDoc;
    CChildFrame* m_pFrame;
    std::unique_ptr<CInfoTip> m_pInfoTip;
    std::unique_ptr<CFont> m_pTipFont;  // the info tip's fixed-pitch font, 12 high and 6 wide
    HICON m_hTipIcon = nullptr;         // the info tip's icon
    std::unique_ptr<CSimClock> m_pSimClock;
};

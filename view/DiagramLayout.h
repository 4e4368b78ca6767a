// CDiagramLayout: places the elements of a function block diagram that has links but no
// geometry (an uploaded program, a converted ladder program) on a grid, and draws a wire for
// every link. Each root (an output-like element) takes a new row in the rightmost column; the
// first source of a block shares its row, further sources open new rows below, and every level
// of sources moves one column to the left. Elements no root reaches become roots of their own
// in rows below, so nothing is left outside the diagram.
#pragma once

#include "platform/base/Afx.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

class CBlockObj;
class CConnectLineObj;
class CTavixDoc;
class CTavixView;

class CDiagramLayout
{
public:
    enum { kColumnPitch = 75, kRowPitch = 55, kBlockWidth = 25, kUnplaced = -9999 };

    explicit CDiagramLayout(CTavixView& view);

    // Places every element of the document, starting from the roots in their order. Grows the
    // document's pages (and marks it modified) when the grid does not fit one page.
    void Place(const std::vector<CBlockObj*>& roots);
    // A wire from every linked input to the output of its source, from the roots backwards;
    // wires crossing a block body become connector pairs. All of it is one undo step. Returns how many
    // links got no wire because the wiring rules refuse them (the links are kept).
    int Wire(const std::vector<CBlockObj*>& roots);

    // Lays out and wires a program read back from a device in the view's document: the roots
    // are the outputs, flags, analog outputs and flags, open connectors, the data log and the
    // WiFi writes, in ascending number. All of it is one undo step.
    static void LayOutDecoded(CTavixView& view);

    // Output-like elements: never placed as the source of another element.
    static bool IsOutputLike(const CBlockObj* pBlock);
    // The first input that links a block number; -1 when none.
    static int FirstLink(const CBlockObj* pBlock);
    // Inputs of a block that link a block number, from the first one.
    static std::vector<int> LinkedInputs(const CBlockObj* pBlock);
    int Columns() const { return m_nMaxColumn; }
    int Rows() const { return m_nRows; }

private:
    struct Cell {
        int column = kUnplaced;
        int row = kUnplaced;
    };
    CBlockObj* Find(int nNumber) const;
    void PlaceRoot(CBlockObj* pRoot);
    void PlaceSources(CBlockObj* pBlock, int nPin);
    void WireInputs(CBlockObj* pBlock, std::unordered_set<const CBlockObj*>& done);
    bool WireInput(CBlockObj* pBlock, int nPin);
    void MarkFanOutJunctions();
    void GrowPages(int right, int bottom);

    CTavixView& m_view;
    CTavixDoc& m_doc;
    std::unordered_map<int, CBlockObj*> m_byNumber;
    std::unordered_map<const CBlockObj*, Cell> m_cells;
    int m_nMaxColumn = 1;
    int m_nRows = 0;
    int m_nRefused = 0;
    std::unordered_map<const CBlockObj*, std::vector<CConnectLineObj*>> m_fanOut;  // wires per source
};

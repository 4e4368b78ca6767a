// CUndoCompound: makes the edits of one compound operation (a layout, a conversion, a command
// that replaces several wires) a single undo step. While an object lives, the document's undo
// store only notes the snapshots its steps ask for; when the outermost one ends, the store takes
// one snapshot if any was asked for.
#pragma once

class CTavixDoc;

class CUndoCompound {
public:
    explicit CUndoCompound(CTavixDoc* pDocument);
    ~CUndoCompound();
    CUndoCompound(const CUndoCompound&) = delete;
    CUndoCompound& operator=(const CUndoCompound&) = delete;

private:
    CTavixDoc* m_pDocument;
};

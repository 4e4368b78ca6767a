// CGridDropTarget: connects a grid window to drag and drop. It passes the drags over its grid to
// the grid's own OnDragEnter, OnDragOver, OnDragLeave and OnDrop.
#pragma once

#include "platform/ui/core/Ole.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget {
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override;

    // Registers the grid; FALSE when already registered or while another registration runs.
    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke();
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

private:
    CGridCtrl* m_pGridCtrl = nullptr;  // not owned
    BOOL m_bRegistered = FALSE;
};

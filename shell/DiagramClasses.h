// The document and view classes the program's templates pair with CChildFrame, and how the shell
// finds the diagram behind a framework document or view. The diagram document and view become
// framework classes of their own; until then a small framework document carries a CTavixDoc and
// an empty view stands in the child frame.
#pragma once

#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/View.h"

#include <memory>

class CTavixDoc;
class CTavixView;

CRuntimeClass* DiagramDocumentClass();
CRuntimeClass* DiagramViewClass();
// The diagram of a framework document or view; null when it has none.
CTavixDoc* DiagramDocumentOf(CDocument* pDoc);
CTavixView* DiagramViewOf(CView* pView);

// A framework document that holds one CTavixDoc and lets it load and save the program file.
class CDiagramDocumentHost : public CDocument
{
    DECLARE_DYNCREATE(CDiagramDocumentHost)
public:
    CDiagramDocumentHost();
    ~CDiagramDocumentHost() override;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Gives each diagram view this document's diagram.
    void OnChangedViewList() override;

    CTavixDoc* GetDiagram() const { return m_pDiagram.get(); }

private:
    std::unique_ptr<CTavixDoc> m_pDiagram;
};

// The view of a child frame while the diagram view is not a framework view: a white page.
class CDiagramViewHost : public CView
{
    DECLARE_DYNCREATE(CDiagramViewHost)
public:
    void OnDraw(CDC* pDC) override;
};

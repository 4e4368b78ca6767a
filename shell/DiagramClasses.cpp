#include "shell/DiagramClasses.h"

#include "document/TavixDoc.h"
#include "platform/gdi/DC.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include <type_traits>

namespace {

template <class D, class = void>
struct IsFrameworkDocument : std::false_type {};
template <class D>
struct IsFrameworkDocument<D, std::void_t<decltype(&D::classCTavixDoc)>> : std::is_base_of<CDocument, D> {};

template <class V, class = void>
struct IsFrameworkView : std::false_type {};
template <class V>
struct IsFrameworkView<V, std::void_t<decltype(&V::classCTavixView)>> : std::is_base_of<CView, V> {};

template <class D>
CRuntimeClass* DocumentClassOf()
{
    if constexpr (IsFrameworkDocument<D>::value)
        return &D::classCTavixDoc;
    else
        return RUNTIME_CLASS(CDiagramDocumentHost);
}

template <class V>
CRuntimeClass* ViewClassOf()
{
    if constexpr (IsFrameworkView<V>::value)
        return &V::classCTavixView;
    else
        return RUNTIME_CLASS(CDiagramViewHost);
}

} // namespace

CRuntimeClass* DiagramDocumentClass() { return DocumentClassOf<CTavixDoc>(); }
CRuntimeClass* DiagramViewClass() { return ViewClassOf<CTavixView>(); }

CTavixDoc* DiagramDocumentOf(CDocument* pDoc)
{
    if (auto* host = dynamic_cast<CDiagramDocumentHost*>(pDoc))
        return host->GetDiagram();
    return dynamic_cast<CTavixDoc*>(static_cast<CObject*>(pDoc));
}

CTavixView* DiagramViewOf(CView* pView)
{
    return dynamic_cast<CTavixView*>(static_cast<CObject*>(pView));
}

// ---- document host ----

IMPLEMENT_DYNCREATE(CDiagramDocumentHost, CDocument)

CDiagramDocumentHost::CDiagramDocumentHost() : m_pDiagram(std::make_unique<CTavixDoc>()) {}
CDiagramDocumentHost::~CDiagramDocumentHost() = default;

BOOL CDiagramDocumentHost::OnNewDocument()
{
    return CDocument::OnNewDocument() && m_pDiagram->OnNewDocument();
}

BOOL CDiagramDocumentHost::OnOpenDocument(LPCTSTR lpszPathName)
{
    if (!m_pDiagram->OnOpenDocument(lpszPathName)) {
        CString text;
        text.Format(L"%s\n\n%s", lpszPathName, LPCTSTR(m_pDiagram->GetLastError()));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return FALSE;
    }
    g_wHardwareCode = WORD(m_pDiagram->m_nHardwareCode);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDiagramDocumentHost::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (!m_pDiagram->OnSaveDocument(lpszPathName)) {
        CString text;
        text.Format(L"%s\n\n%s", lpszPathName, LPCTSTR(m_pDiagram->GetLastError()));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDiagramDocumentHost::IsModified()
{
    return CDocument::IsModified() || m_pDiagram->IsModified();
}

void CDiagramDocumentHost::SetModifiedFlag(BOOL bModified)
{
    CDocument::SetModifiedFlag(bModified);
    m_pDiagram->SetModifiedFlag(bModified);
}

void CDiagramDocumentHost::OnChangedViewList()
{
    for (POSITION pos = GetFirstViewPosition(); pos;)
        if (CTavixView* view = DiagramViewOf(GetNextView(pos)))
            view->SetDocument(m_pDiagram.get());
    CDocument::OnChangedViewList();
}

// ---- view host ----

IMPLEMENT_DYNCREATE(CDiagramViewHost, CView)

void CDiagramViewHost::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, RGB(255, 255, 255));
}

#include "StructureFixture.h"

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

StructureTestApp& TheApp()
{
    static StructureTestApp* pApp = new StructureTestApp;
    return *pApp;
}

BOOL HostWindow::CreateHost(int width, int height)
{
    return CreateEx(0, AfxRegisterWndClass(0), u"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width, height,
                    nullptr, nullptr);
}

namespace {
std::string Text(const CString& s) { return QString::fromUtf16(static_cast<LPCTSTR>(s)).toStdString(); }

void DescribeItem(const CDrawingTreeCtrl& tree, HTREEITEM h, std::string& out)
{
    out += Text(tree.GetItemText(h));
    const UINT state = tree.GetItemState(h, TVIS_BOLD | TVIS_OVERLAYMASK);
    if (state & TVIS_BOLD)
        out += "*";
    const UINT overlay = (state & TVIS_OVERLAYMASK) >> 8;
    if (overlay == 1)
        out += "#";
    if (overlay == 2)
        out += "!";
    int image = 0;
    int selected = 0;
    tree.GetItemImage(h, image, selected);
    if (image == CDrawingTreeCtrl::imageHiddenPaper || image == CDrawingTreeCtrl::imageHiddenPart)
        out += "~";
    if (HTREEITEM c = tree.GetChildItem(h)) {
        out += "{";
        for (; c != nullptr; c = tree.GetNextSiblingItem(c)) {
            DescribeItem(tree, c, out);
            if (tree.GetNextSiblingItem(c) != nullptr)
                out += ";";
        }
        out += "}";
    }
}

std::string Marks(const Draw2dDocument& doc, const DrawingFeatureBase* pDrawing, BOOL bActive)
{
    std::string out;
    if (bActive)
        out += "*";
    if (bActive)
        out += "!";
    else if (pDrawing->GetDrawingState() == 1)
        out += "#";
    if (!(pDrawing->GetStateFlags() & DrawingFeatureBase::flagDisplay) && !bActive)
        out += "~";
    (void)doc;
    return out;
}
}  // namespace

std::string DescribeTree(const CDrawingTreeCtrl& tree)
{
    std::string out;
    for (HTREEITEM h = tree.GetRootItem(); h != nullptr; h = tree.GetNextSiblingItem(h)) {
        DescribeItem(tree, h, out);
        if (tree.GetNextSiblingItem(h) != nullptr)
            out += ";";
    }
    return out;
}

std::string ExpectedTree(const Draw2dDocument& doc)
{
    std::string out = "Drawings*{";
    const long activeDrawing = doc.GetActiveDrawingID();
    const long activeLayout = doc.GetActiveLayoutID();
    for (int i = 0; i < doc.GetDrawingFeatureCount(); ++i) {
        const DrawingFeatureBase* d = doc.GetDrawingFeatureByIndex(i);
        if (i > 0)
            out += ";";
        out += Text(d->GetDrawingName());
        const bool lists = d->IsPaperFeature() && d->GetPartLayoutCount() > 0;
        const bool selfActive = d->GetDrawingID() == activeDrawing && d->GetSelfPartLayoutID() == activeLayout;
        out += Marks(doc, d, selfActive && !lists);
        if (lists) {
            out += "{" + Text(d->GetDrawingName()) + Marks(doc, d, d->GetSelfPartLayoutID() == activeLayout);
            for (int k = 0; k < d->GetPartLayoutCount(); ++k) {
                const PartDrawingLayout* l = d->GetPartLayout(k);
                const DrawingFeatureBase* shown = doc.GetDrawingFeatureByID(l->GetDrawingID());
                out += ";" + Text(l->GetLayoutName()) + Marks(doc, shown, l->GetLayoutID() == activeLayout);
            }
            out += "}";
        }
    }
    return out + "}";
}

ResourceModule* DrawingBarFixture::s_pModule = nullptr;
ResourceModule* DrawingBarFixture::s_pPrevious = nullptr;

void DrawingBarFixture::SetUpTestSuite()
{
    TheApp();
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    s_pModule = english.pModule;
    s_pPrevious = AfxGetResourceHandle();
    if (s_pModule != nullptr)
        AfxSetResourceHandle(s_pModule);
}

void DrawingBarFixture::TearDownTestSuite()
{
    AfxSetResourceHandle(s_pPrevious);
    if (s_pModule != nullptr)
        AfxFreeResourceModule(s_pModule);
    s_pModule = nullptr;
}

void DrawingBarFixture::SetUp()
{
    TheApp().boxes.clear();
    TheApp().types.clear();
    TheApp().answer = IDOK;
    doc.InitDocument();
    doc.SetNotifyFunction(&DrawingBarFixture::OnNotify, this);
    ASSERT_TRUE(host.CreateHost(300, 400));
    ASSERT_TRUE(bar.Create(u"Drawing", &host, CRect(0, 0, 260, 360), FALSE, 59426,
                           WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, 0xF));
    Activate();
}

void DrawingBarFixture::TearDown()
{
    doc.SetNotifyFunction(nullptr, nullptr);
    if (bar.GetSafeHwnd() != nullptr)
        bar.DestroyWindow();
    if (host.GetSafeHwnd() != nullptr)
        host.DestroyWindow();
}

int DrawingBarFixture::OnNotify(NotifyInfoBase* pInfo, void* pUserData)
{
    auto* self = static_cast<DrawingBarFixture*>(pUserData);
    if (self->bar.GetSafeHwnd() != nullptr)
        self->bar.OnDocumentNotify(pInfo);
    return 0;
}

void DrawingBarFixture::Activate()
{
    NotifyInfoBase info(&doc, NotifyInfoBase::kindDocument, 1);
    bar.OnDocumentNotify(&info);
}

long DrawingBarFixture::AddLine(long nDrawingID)
{
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
    return doc.AddFeature(&line, doc.GetDrawingFeatureByID(nDrawingID), 1);
}

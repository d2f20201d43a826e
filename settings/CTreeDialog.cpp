#include "settings/CTreeDialog.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <algorithm>

#include "controls/CQZ2PropertyPage.h"
#include "controls/HelpButtonImage.h"
#include "platform/gdi/CDC.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNCREATE(CTreeDialog, CDialog)

BEGIN_MESSAGE_MAP(CTreeDialog, CDialog)
    ON_NOTIFY(TVN_SELCHANGING, CTreeDialog::kTreeId, &CTreeDialog::OnSelChanging)
    ON_NOTIFY(TVN_SELCHANGED, CTreeDialog::kTreeId, &CTreeDialog::OnSelChanged)
    ON_WM_DRAWITEM()
    ON_WM_HELPINFO()
    ON_COMMAND(ID_HELP, &CTreeDialog::OnHelpButton)
END_MESSAGE_MAP()

CTreeDialog::CTreeDialog() : CTreeDialog(nullptr, FALSE) {}

CTreeDialog::CTreeDialog(CWnd* pParent, BOOL bShowPreview) : CDialog(IDD, pParent), m_bShowPreview(bShowPreview) {}

CTreeDialog::~CTreeDialog() = default;

void CTreeDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kTreeId, m_tree);
    DDX_Control(pDX, kPreviewId, m_preview);
}

BOOL CTreeDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_preview.ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
    m_preview.ShowWindow(m_bShowPreview ? SW_SHOWNA : SW_HIDE);

    if (auto* pHelp = dynamic_cast<CButton*>(GetDlgItem(ID_HELP))) {
        if (LoadHelpButtonImage(m_helpImage))
            pHelp->SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    }

    if (!m_separator.Create(_T(""), WS_CHILD | SS_ETCHEDHORZ, CRect(0, 0, 1, 1), this))
        return FALSE;
    m_separator.ShowWindow(SW_SHOWNA);
    // The band and the separator take their places at once, even when no page grows the frame.
    RecalcLayout();
    return TRUE;
}

HTREEITEM CTreeDialog::AddPage(CQZ2PropertyPage* pPage, LPCTSTR lpszCaption, int nImage, int nSelectedImage,
                               HTREEITEM hParent, HTREEITEM hInsertAfter, BOOL bGrow)
{
    HTREEITEM hItem = m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszCaption, nImage,
                                        nSelectedImage, 0, 0, 0, hParent, hInsertAfter);
    if (hItem == nullptr)
        return nullptr;
    m_tree.SetItemData(hItem, reinterpret_cast<DWORD_PTR>(pPage));
    if (bGrow)
        FitFrameToPage(pPage);
    return hItem;
}

BOOL CTreeDialog::ShowPage(CQZ2PropertyPage* pPage)
{
    if (pPage == nullptr || !pPage->CreateAsChild(this))
        return FALSE;
    CRect rc = FrameRect();
    rc.OffsetRect(0, 5);
    pPage->MoveWindow(&rc, TRUE);
    pPage->ShowWindow(SW_SHOW);
    m_pCurrentPage = pPage;
    return TRUE;
}

BOOL CTreeDialog::SelectPage(CQZ2PropertyPage* pPage)
{
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextItemInOrder(h)) {
        if (reinterpret_cast<CQZ2PropertyPage*>(m_tree.GetItemData(h)) == pPage)
            return m_tree.SelectItem(h);
    }
    return FALSE;
}

void CTreeDialog::SetPreviewImage(const QImage* pImage)
{
    if (!m_bShowPreview)
        return;
    m_pPreviewImage.reset(pImage != nullptr ? new QImage(pImage->copy()) : nullptr);
    if (m_preview.GetSafeHwnd() != nullptr)
        m_preview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CTreeDialog::GetPreviewSize(SIZE& size) const
{
    const CRect rc = ChildRect(kPreviewId);
    size.cx = rc.Width();
    size.cy = rc.Height();
}

CRect CTreeDialog::ChildRect(int nID) const
{
    CRect rc(0, 0, 0, 0);
    CWnd* pWnd = GetDlgItem(nID);
    if (pWnd == nullptr)
        return rc;
    pWnd->GetWindowRect(&rc);
    ScreenToClient(&rc);
    rc.NormalizeRect();
    return rc;
}

CRect CTreeDialog::FrameRect() const { return ChildRect(kFrameId); }

void CTreeDialog::FitFrameToPage(CQZ2PropertyPage* pPage)
{
    CWnd* pFrame = GetDlgItem(kFrameId);
    if (pPage == nullptr || pFrame == nullptr)
        return;
    const CRect rc = FrameRect();
    int w = rc.Width();
    int h = rc.Height();
    DialogTemplate t;
    if (!pPage->GetPageTemplate(t))
        return;
    const CSize size = t.GetSizeInPixels();
    bool grown = false;
    if (size.cx > w) {
        w = size.cx;
        grown = true;
    }
    if (size.cy > h) {
        h = size.cy;
        grown = true;
    }
    if (!grown)
        return;
    pFrame->MoveWindow(rc.left, rc.top, w, h, TRUE);
    RecalcLayout();
}

void CTreeDialog::RecalcLayout()
{
    CWnd* pHelp = GetDlgItem(ID_HELP);
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (m_tree.GetSafeHwnd() == nullptr || pHelp == nullptr || pOK == nullptr || pCancel == nullptr)
        return;
    const CRect frame = FrameRect();
    const int band = m_nExtraBand;

    CRect preview = ChildRect(kPreviewId);
    if (m_bShowPreview) {
        preview.OffsetRect(0, frame.bottom + band - preview.bottom);
        m_preview.MoveWindow(&preview, TRUE);
    }

    CRect tree = ChildRect(kTreeId);
    tree.bottom = m_bShowPreview ? preview.top - 10 : frame.bottom;
    m_tree.MoveWindow(&tree, TRUE);

    if (m_separator.GetSafeHwnd() != nullptr) {
        const int bottom = m_bShowPreview ? preview.bottom : tree.bottom;
        m_separator.MoveWindow(frame.left - 3, bottom - 2, frame.Width() + 7, 2, TRUE);
    }

    const int top = frame.bottom + band + 8;
    CRect help = ChildRect(ID_HELP);
    const int buttonHeight = help.Height();
    help.OffsetRect(0, top - help.top);
    pHelp->MoveWindow(&help, TRUE);

    CRect cancel = ChildRect(IDCANCEL);
    const int buttonWidth = cancel.Width();
    cancel = CRect(frame.right - buttonWidth, top, frame.right, top + buttonHeight);
    pCancel->MoveWindow(&cancel, TRUE);

    const CRect ok(cancel.left - 8 - buttonWidth, top, cancel.left - 8, top + buttonHeight);
    pOK->MoveWindow(&ok, TRUE);

    // The window ends a margin (the tree's left) beyond Cancel.
    const int margin = tree.left;
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    const int borderX = window.Width() - client.Width();
    const int borderY = window.Height() - client.Height();
    SetWindowPos(nullptr, 0, 0, cancel.right + margin + borderX, cancel.bottom + margin + borderY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTreeDialog::OnOK()
{
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem != nullptr) {
        auto* pPage = reinterpret_cast<CQZ2PropertyPage*>(m_tree.GetItemData(hItem));
        // A page whose window could not be made has nothing to check.
        if (pPage != nullptr && pPage->GetSafeHwnd() != nullptr && !pPage->OnKillActive())
            return;
    }
    CDialog::OnOK();
}

void CTreeDialog::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    auto* pPage = reinterpret_cast<CQZ2PropertyPage*>(m_tree.GetItemData(hItem));
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
        return;
    if (!pPage->OnKillActive()) {
        *pResult = 1;
        return;
    }
    pPage->DestroyWindow();
}

void CTreeDialog::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pInfo = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    HTREEITEM hItem = pInfo->itemNew.hItem != nullptr ? pInfo->itemNew.hItem : m_tree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    auto* pPage = reinterpret_cast<CQZ2PropertyPage*>(m_tree.GetItemData(hItem));
    if (pPage == nullptr)
        return;
    ShowPage(pPage);
    // Tab goes from the tree into the page.
    if (pPage->GetSafeHwnd() != nullptr)
        pPage->SetWindowPos(&m_tree, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);
    m_nIDHelp = pPage->m_nIDHelp;
}

void CTreeDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl == kPreviewId && m_bShowPreview) {
        if (CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC))
            DrawPreviewImage(pDC, lpDrawItemStruct->rcItem);
        return;
    }
    CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

BOOL CTreeDialog::DrawPreviewImage(CDC* pDC, const RECT& rect)
{
    if (!m_pPreviewImage || pDC == nullptr)
        return FALSE;
    QPainter* pPainter = pDC->GetQPainter();
    if (pPainter == nullptr)
        return FALSE;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const double x = rect.left + (w - m_pPreviewImage->width()) * 0.5;
    const double y = rect.top + (h - m_pPreviewImage->height()) * 0.5;
    pPainter->drawImage(QPointF(x, y), *m_pPreviewImage);
    return TRUE;
}

BOOL CTreeDialog::OnHelpInfo(HELPINFO* pHelpInfo)
{
    // Help is always the current page's topic, never a single control's.
    if (pHelpInfo != nullptr)
        pHelpInfo->iCtrlId = 0;
    return CDialog::OnHelpInfo(pHelpInfo);
}

void CTreeDialog::OnHelpButton() { OnHelp(); }

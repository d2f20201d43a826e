#pragma once
// A modal dialog that shows property pages one at a time: a tree of the pages on the left, the selected
// page in a frame on the right, OK, Cancel and Help below, and optionally a preview picture under the
// tree. Each page window is made when its item is selected and destroyed when another item is; the
// page objects, which hold the values, belong to the derived dialog.

#include <memory>

#include "controls/CQZ2TreeCtrl.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CStatic.h"

class CQZ2PropertyPage;
class QImage;

class CTreeDialog : public CDialog
{
    DECLARE_DYNCREATE(CTreeDialog)
public:
    enum { IDD = 552 };
    // The controls of template 552.
    static constexpr int kTreeId = 1001;
    static constexpr int kFrameId = 1002;
    static constexpr int kPreviewId = 1003;

    CTreeDialog();
    explicit CTreeDialog(CWnd* pParent, BOOL bShowPreview = FALSE);
    ~CTreeDialog() override;

    // Inserts an item for the page; with bGrow the page frame grows to the page's template.
    HTREEITEM AddPage(CQZ2PropertyPage* pPage, LPCTSTR lpszCaption, int nImage, int nSelectedImage,
                      HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST, BOOL bGrow = TRUE);
    // Makes the page's window in the frame; FALSE when it cannot be made.
    virtual BOOL ShowPage(CQZ2PropertyPage* pPage);
    // Selects the first item (in tree order) that carries the page; FALSE when none does.
    BOOL SelectPage(CQZ2PropertyPage* pPage);
    CQZ2PropertyPage* GetCurrentPage() const { return m_pCurrentPage; }

    // Keeps a copy of the picture for the preview area and repaints it (only with a preview).
    void SetPreviewImage(const QImage* pImage);
    const QImage* GetPreviewImage() const { return m_pPreviewImage.get(); }
    void GetPreviewSize(SIZE& size) const;

    // Grows the page frame (never shrinks it) to hold the page's template, then lays out below it.
    void FitFrameToPage(CQZ2PropertyPage* pPage);
    void RecalcLayout();

    CQZ2TreeCtrl& GetTree() { return m_tree; }
    BOOL HasPreview() const { return m_bShowPreview; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL DrawPreviewImage(CDC* pDC, const RECT& rect);

    afx_msg void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnHelpButton();
    DECLARE_MESSAGE_MAP()

    CQZ2TreeCtrl m_tree;
    CStatic m_preview;
    BOOL m_bShowPreview = FALSE;
    std::unique_ptr<QImage> m_pPreviewImage;
    // Height of a band kept free between the page frame and the buttons; set before the window exists.
    int m_nExtraBand = 0;
    CStatic m_separator;
    CQZ2PropertyPage* m_pCurrentPage = nullptr;
    CBitmap m_helpImage;

private:
    CRect FrameRect() const;
    CRect ChildRect(int nID) const;
};

#include "structure/CDrawingSortDialog.h"

#include <cstdlib>
#include <vector>

#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/gdi/CFont.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/CDataExchange.h"

BEGIN_MESSAGE_MAP(CDrawingSortDialog, CDialog)
    ON_BN_CLICKED(CDrawingSortDialog::IDC_UP, &CDrawingSortDialog::OnUp)
    ON_BN_CLICKED(CDrawingSortDialog::IDC_DOWN, &CDrawingSortDialog::OnDown)
    ON_LBN_SELCHANGE(CDrawingSortDialog::IDC_LIST, &CDrawingSortDialog::OnSelChange)
END_MESSAGE_MAP()

CDrawingSortDialog::CDrawingSortDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CDrawingSortDialog::~CDrawingSortDialog() = default;

BOOL CDrawingSortDialog::SetSortTarget(int nMode, long nPaperID)
{
    if (nMode != 0 && nMode != 1)
        return FALSE;
    m_nMode = nMode;
    m_nPaperID = nPaperID;
    return TRUE;
}

void CDrawingSortDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_list);
}

BOOL CDrawingSortDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pDocument == nullptr)
        return FALSE;
    SetDlgItemText(IDC_CAPTION, LoadResourceString(m_nMode == 1 ? 10151 : 10149));
    SetWindowText(LoadResourceString(m_nMode == 1 ? 10152 : 10150));
    if (m_nMode == 1) {
        const DrawingFeatureBase* pPaper = m_pDocument->ChangeDrawingFeature(m_nPaperID);
        if (pPaper == nullptr || !pPaper->IsPaperFeature())
            return FALSE;
        // The paper's own layout is always drawn first and is not part of this order.
        for (int i = 0; i < pPaper->GetPartLayoutCount(); ++i) {
            const PartDrawingLayout* pLayout = pPaper->GetPartLayout(i);
            if (pLayout == nullptr)
                continue;
            const CString text =
                pLayout->GetDrawingID() != pPaper->GetDrawingID() ? pLayout->GetLayoutName() : pPaper->GetDrawingName();
            const int entry = m_list.AddString(text);
            m_list.SetItemData(entry, static_cast<DWORD_PTR>(pLayout->GetLayoutID()));
        }
    } else {
        for (int i = 0; i < m_pDocument->GetDrawingFeatureCount(); ++i)
            if (const DrawingFeatureBase* pDrawing = m_pDocument->GetDrawingFeatureByIndex(i)) {
                const int entry = m_list.AddString(pDrawing->GetDrawingName());
                m_list.SetItemData(entry, static_cast<DWORD_PTR>(pDrawing->GetDrawingID()));
            }
    }
    if (CFont* pFont = GetFont()) {
        LOGFONT font{};
        if (pFont->GetLogFont(&font) != 0 && font.lfHeight != 0)
            m_list.SetItemHeight(0, static_cast<UINT>(std::abs(font.lfHeight) * 5 / 4));
    }
    if (m_nStartIndex >= 0 && m_nStartIndex < m_list.GetCount())
        m_list.SetCurSel(m_nStartIndex);
    UpdateButtons();
    if (auto* pHelp = static_cast<CButton*>(GetDlgItem(57670)))
        if (LoadHelpButtonImage(m_helpImage))
            pHelp->SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    return TRUE;
}

void CDrawingSortDialog::UpdateButtons()
{
    const int sel = m_list.GetCurSel();
    const int count = m_list.GetCount();
    if (CWnd* pUp = GetDlgItem(IDC_UP))
        pUp->EnableWindow(sel > 0);
    if (CWnd* pDown = GetDlgItem(IDC_DOWN))
        pDown->EnableWindow(sel >= 0 && sel < count - 1);
}

void CDrawingSortDialog::Move(int nBy)
{
    const int sel = m_list.GetCurSel();
    const int to = sel + nBy;
    if (sel < 0 || to < 0 || to >= m_list.GetCount())
        return;
    CString text;
    m_list.GetText(sel, text);
    const DWORD_PTR data = m_list.GetItemData(sel);
    m_list.DeleteString(static_cast<UINT>(sel));
    const int entry = m_list.InsertString(to, text);
    m_list.SetItemData(entry, data);
    m_list.SetCurSel(entry);
    UpdateButtons();
}

void CDrawingSortDialog::OnUp() { Move(-1); }

void CDrawingSortDialog::OnDown() { Move(1); }

void CDrawingSortDialog::OnSelChange() { UpdateButtons(); }

void CDrawingSortDialog::OnOK()
{
    m_order.RemoveAll();
    for (int i = 0; i < m_list.GetCount(); ++i)
        m_order.Add(static_cast<DWORD>(m_list.GetItemData(i)));
    CDialog::OnOK();
}

BOOL CDrawingSortDialog::ApplyOrder()
{
    if (m_pDocument == nullptr || m_order.IsEmpty())
        return FALSE;
    std::vector<long> ids;
    for (INT_PTR i = 0; i < m_order.GetSize(); ++i)
        ids.push_back(static_cast<long>(m_order[i]));
    m_pDocument->BeginUndoOperation(nullptr);
    const BOOL bDone =
        m_nMode == 1 ? m_pDocument->SetPartLayoutOrderList(m_nPaperID, ids, 1) : m_pDocument->SetDrawingOrderList(ids, 1);
    m_pDocument->EndUndoOperation();
    return bDone;
}

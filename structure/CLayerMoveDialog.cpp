#include "structure/CLayerMoveDialog.h"

#include "controls/HelpButtonImage.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/CDataExchange.h"

BEGIN_MESSAGE_MAP(CLayerMoveDialog, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, CLayerMoveDialog::IDC_TREE, &CLayerMoveDialog::OnTreeSelChanged)
END_MESSAGE_MAP()

CLayerMoveDialog::CLayerMoveDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CLayerMoveDialog::~CLayerMoveDialog() = default;

BOOL CLayerMoveDialog::IsValidTarget(long nTargetID) const
{
    if (nTargetID == -1)
        return FALSE;
    const LayerFeatureTable* pTable = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    for (INT_PTR i = 0; i < m_movedIDs.GetSize(); ++i) {
        const long moved = static_cast<long>(m_movedIDs[i]);
        if (moved == nTargetID)
            return FALSE;
        if (pTable != nullptr && pTable->IsParentLayerFeature(moved, nTargetID))
            return FALSE;
    }
    return TRUE;
}

void CLayerMoveDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREE, m_wndTree);
    // The three buttons by their ids: the position does not hang on how the platform groups them.
    if (pDX->m_bSaveAndValidate) {
        const int checked = GetCheckedRadioButton(IDC_BEFORE, IDC_INTO);
        m_nPosition = checked != 0 ? checked - IDC_BEFORE : posBefore;
    } else {
        CheckRadioButton(IDC_BEFORE, IDC_INTO, IDC_BEFORE + m_nPosition);
    }
}

BOOL CLayerMoveDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndTree.SetDocument(m_pDocument);
    if (HTREEITEM hRoot = m_wndTree.GetRootItem())
        m_wndTree.Select(hRoot, TVGN_CARET);
    EnableChoices(FALSE, FALSE, FALSE, FALSE);
    if (auto* pHelp = static_cast<CButton*>(GetDlgItem(57670)))
        if (LoadHelpButtonImage(m_helpImage))
            pHelp->SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    UpdateData(FALSE);
    return TRUE;
}

void CLayerMoveDialog::EnableChoices(BOOL bBefore, BOOL bAfter, BOOL bInto, BOOL bOK)
{
    const int ids[] = {IDC_BEFORE, IDC_AFTER, IDC_INTO, IDOK};
    const BOOL on[] = {bBefore, bAfter, bInto, bOK};
    for (int i = 0; i < 4; ++i)
        if (CWnd* pItem = GetDlgItem(ids[i]))
            pItem->EnableWindow(on[i]);
}

void CLayerMoveDialog::OnTreeSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    // The position is read from the buttons on OK only: the tree's items going with the window
    // move its selection too.
    const LayerFeature* pRecord = m_wndTree.GetItemLayer(m_wndTree.CTreeCtrl::GetSelectedItem());
    if (pRecord == nullptr)
        return;
    const long id = pRecord->GetLayerID();
    if (id == -1) {
        EnableChoices(FALSE, FALSE, FALSE, FALSE);
        return;
    }
    const BOOL valid = IsValidTarget(id);
    if (pRecord->IsGroup()) {
        EnableChoices(TRUE, TRUE, TRUE, valid);
        return;
    }
    // A layer takes nothing into it: a checked "into" falls back to "before".
    if (IsDlgButtonChecked(IDC_INTO)) {
        CheckDlgButton(IDC_BEFORE, BST_CHECKED);
        CheckDlgButton(IDC_AFTER, BST_UNCHECKED);
        CheckDlgButton(IDC_INTO, BST_UNCHECKED);
    }
    EnableChoices(TRUE, TRUE, FALSE, valid);
}

void CLayerMoveDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const LayerFeature* pRecord = m_wndTree.GetItemLayer(m_wndTree.CTreeCtrl::GetSelectedItem());
    m_nTargetID = pRecord != nullptr ? pRecord->GetLayerID() : 0;
    EndDialog(IDOK);
}

#include "settings/CHatchPatternTableDialog.h"

#include <algorithm>
#include <memory>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/HatchPatternBase.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CLineHatchPatternSettingDialog.h"
#include "settings/CShapeHatchPatternSettingDialog.h"
#include "settings/SettingsDialogSupport.h"

namespace {
constexpr UINT kMsgPatternInUse = 10216;
constexpr UINT kAskDelete = 10217;
constexpr UINT kDefaultNameWord = 12990;
// Copies are numbered at most this far on: the table cannot hold more patterns.
constexpr int kLastCopyNumber = 65536;
}  // namespace

using Dlg = CHatchPatternTableDialog;

BEGIN_MESSAGE_MAP(CHatchPatternTableDialog, CDialog)
    ON_BN_CLICKED(Dlg::kNewButton, &Dlg::OnNew)
    ON_BN_CLICKED(Dlg::kEditButton, &Dlg::OnEdit)
    ON_BN_CLICKED(Dlg::kDeleteButton, &Dlg::OnDelete)
    ON_BN_CLICKED(Dlg::kCopyButton, &Dlg::OnCopy)
    ON_BN_CLICKED(Dlg::kHatchStyleButton, &Dlg::OnHatchStyle)
    ON_NOTIFY(LVN_ITEMCHANGED, Dlg::kPatternList, &Dlg::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, Dlg::kPatternList, &Dlg::OnDoubleClick)
    ON_NOTIFY(LVN_ENDLABELEDIT, Dlg::kPatternList, &Dlg::OnEndLabelEdit)
END_MESSAGE_MAP()

CHatchPatternTableDialog::CHatchPatternTableDialog(CWnd* pParent, Draw2dDocument* pDocument)
    : CDialog(IDD, pParent), m_pDocument(pDocument)
{
    m_newMenu.LoadMenu(kNewMenu);
}

CHatchPatternTableDialog::~CHatchPatternTableDialog() = default;

void CHatchPatternTableDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kPatternList, m_patternList);
    DDX_Control(pDX, kNewButton, m_newButton);
}

BOOL CHatchPatternTableDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CMenu* pPopup = m_newMenu.GetSubMenu(0)) {
        m_newButton.m_hMenu = pPopup->GetSafeHmenu();
        m_newButton.m_bOSMenu = FALSE;
    }
    m_patternList.SetDocument(m_pDocument, m_pDocument != nullptr ? m_pDocument->GetCurrentLayerID() : -1);
    m_patternList.FillPatterns();
    if (m_patternList.GetItemCount() > 0)
        SelectItem(0);
    UpdateButtons();
    SetHelpButtonImage(this, m_helpImage);
    return TRUE;
}

void CHatchPatternTableDialog::UpdateButtons()
{
    const BOOL bSelected = m_patternList.GetNextItem(-1, LVNI_SELECTED) != -1;
    for (int nID : {kEditButton, kDeleteButton, kCopyButton})
        if (CWnd* pButton = GetDlgItem(nID))
            pButton->EnableWindow(bSelected);
}

void CHatchPatternTableDialog::SelectItem(int nIndex)
{
    for (int i = m_patternList.GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_patternList.GetNextItem(i, LVNI_SELECTED))
        if (i != nIndex)
            m_patternList.SetItemState(i, 0, LVIS_SELECTED);
    m_patternList.SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_patternList.EnsureVisible(nIndex, FALSE);
}

void CHatchPatternTableDialog::ShowAddedPattern(long nPatternID)
{
    const HatchPatternTable* pTable = m_pDocument->GetHatchPatternTable();
    const HatchPatternBase* pStored = pTable != nullptr ? pTable->GetHatchPattern(nPatternID) : nullptr;
    if (pStored == nullptr)
        return;
    const int nIndex = m_patternList.AddPattern(pStored);
    if (nIndex >= 0)
        SelectItem(nIndex);
}

CString CHatchPatternTableDialog::MakeDefaultName(const CString& word, const CStringArray& names)
{
    for (int n = 1;; ++n) {
        CString name;
        name.Format(_T("%s %d"), static_cast<LPCTSTR>(word), n);
        bool bUsed = false;
        for (INT_PTR i = 0; i < names.GetSize() && !bUsed; ++i)
            bUsed = names[i].CompareNoCase(name) == 0;
        if (!bUsed)
            return name;
    }
}

CString CHatchPatternTableDialog::MakeCopyName(const CString& label, const HatchPatternTable& table)
{
    CString base = label;
    int nFirst = 1;
    const int nOpen = label.ReverseFind(u'(');
    if (nOpen >= 0 && label.GetLength() > 0 && label[label.GetLength() - 1] == u')') {
        const CString inner = label.Mid(nOpen + 1, label.GetLength() - nOpen - 2);
        long long number = 0;
        for (int i = 0; i < inner.GetLength() && inner[i] >= u'0' && inner[i] <= u'9' && number <= kLastCopyNumber; ++i)
            number = number * 10 + (inner[i] - u'0');
        if (number >= 1) {
            // "Brick (1)" and "Brick(1)" alike are copies of "Brick".
            base = label.Left(nOpen);
            base.TrimRight();
            nFirst = static_cast<int>(std::min<long long>(number, kLastCopyNumber)) + 1;
        }
    }
    CString name;
    for (int n = nFirst; n <= nFirst + kLastCopyNumber; ++n) {
        name.Format(_T("%s (%d)"), static_cast<LPCTSTR>(base), n);
        if (!table.IsPatternNameExists(name))
            return name;
    }
    return name;
}

void CHatchPatternTableDialog::OnNew()
{
    const UINT nCommand = static_cast<UINT>(m_newButton.m_nMenuResult);
    if (nCommand != 0)
        OnNewMenuCommand(nCommand);
}

void CHatchPatternTableDialog::OnNewMenuCommand(UINT nCommand)
{
    if (m_pDocument == nullptr)
        return;
    if (nCommand != kNewLinePattern) {
        // The shape-pattern command lets the user pick the motif once this dialog has gone.
        EndDialog(IDOK);
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
            pMain->PostMessage(WM_COMMAND, kShapePatternCommand, 0);
        return;
    }
    CStringArray listed;
    for (int i = 0; i < m_patternList.GetItemCount(); ++i)
        listed.Add(m_patternList.GetItemText(i, 0));
    LineHatchPattern pattern;
    pattern.SetPatternName(MakeDefaultName(LoadSettingsString(kDefaultNameWord), listed));
    CLineHatchPatternSettingDialog dialog(this);
    dialog.m_bNewPattern = TRUE;
    dialog.m_pDocument = m_pDocument;
    const HatchPatternTable* pTable = m_pDocument->GetHatchPatternTable();
    for (int i = 0; pTable != nullptr && i < pTable->GetHatchPatternCount(); ++i)
        dialog.m_usedNames.Add(pTable->GetHatchPatternByIndex(i)->GetPatternName());
    dialog.m_pattern.Copy(pattern);
    if (dialog.DoModal() != IDOK)
        return;
    const long nID = m_pDocument->AddHatchPattern(&dialog.m_pattern);
    if (nID != -1)
        ShowAddedPattern(nID);
}

void CHatchPatternTableDialog::OnEdit()
{
    const int nIndex = m_patternList.GetNextItem(-1, LVNI_SELECTED);
    const HatchPatternBase* pPattern = m_patternList.GetPatternAt(nIndex);
    if (pPattern == nullptr || m_pDocument == nullptr)
        return;
    const long nID = pPattern->GetPatternID();
    CStringArray others;
    const HatchPatternTable* pTable = m_pDocument->GetHatchPatternTable();
    for (int i = 0; pTable != nullptr && i < pTable->GetHatchPatternCount(); ++i)
        if (pTable->GetHatchPatternByIndex(i)->GetPatternID() != nID)
            others.Add(pTable->GetHatchPatternByIndex(i)->GetPatternName());
    BOOL bStored = FALSE;
    if (!pPattern->IsShapePattern()) {
        CLineHatchPatternSettingDialog dialog(this);
        dialog.m_bNewPattern = FALSE;
        dialog.m_pDocument = m_pDocument;
        dialog.m_usedNames.Copy(others);
        dialog.m_pattern.Copy(*pPattern);
        if (dialog.DoModal() != IDOK)
            return;
        bStored = m_pDocument->SetHatchPattern(nID, &dialog.m_pattern, 1);
    } else {
        CShapeHatchPatternSettingDialog dialog(this);
        dialog.m_pDocument = m_pDocument;
        dialog.m_usedNames.Copy(others);
        dialog.m_pattern.Copy(*pPattern);
        if (dialog.DoModal() != IDOK)
            return;
        bStored = m_pDocument->SetHatchPattern(nID, &dialog.m_pattern, 1);
    }
    if (bStored && pTable != nullptr && pTable->GetHatchPattern(nID) != nullptr)
        m_patternList.UpdatePatternAt(nIndex, pTable->GetHatchPattern(nID));
}

void CHatchPatternTableDialog::OnDelete()
{
    const int nIndex = m_patternList.GetNextItem(-1, LVNI_SELECTED);
    const HatchPatternBase* pPattern = m_patternList.GetPatternAt(nIndex);
    if (pPattern == nullptr || m_pDocument == nullptr)
        return;
    const long nID = pPattern->GetPatternID();
    if (m_pDocument->IsHatchPatternUsed(nID)) {
        AfxMessageBox(kMsgPatternInUse, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString question;
    question.Format(LoadSettingsString(kAskDelete), static_cast<LPCTSTR>(m_patternList.GetItemText(nIndex, 0)));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!m_pDocument->DeleteHatchPattern(nID))
        return;
    m_patternList.DeleteItem(nIndex);
    const int nCount = m_patternList.GetItemCount();
    if (nCount > 0)
        SelectItem(nIndex < nCount ? nIndex : nCount - 1);
    UpdateButtons();
}

void CHatchPatternTableDialog::OnCopy()
{
    const int nIndex = m_patternList.GetNextItem(-1, LVNI_SELECTED);
    const HatchPatternBase* pPattern = m_patternList.GetPatternAt(nIndex);
    const HatchPatternTable* pTable = m_pDocument != nullptr ? m_pDocument->GetHatchPatternTable() : nullptr;
    if (pPattern == nullptr || pTable == nullptr)
        return;
    std::unique_ptr<HatchPatternBase> pCopy(pPattern->Clone());
    pCopy->SetPatternName(MakeCopyName(m_patternList.GetItemText(nIndex, 0), *pTable));
    const long nID = m_pDocument->AddHatchPattern(pCopy.get());
    if (nID != -1)
        ShowAddedPattern(nID);
}

void CHatchPatternTableDialog::OnHatchStyle()
{
    EndDialog(kHatchStyleResult);
}

void CHatchPatternTableDialog::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    UpdateButtons();
}

void CHatchPatternTableDialog::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnEdit();
}

void CHatchPatternTableDialog::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    // No text: the edit was cancelled.
    if (pInfo == nullptr || pInfo->item.pszText == nullptr || m_pDocument == nullptr)
        return;
    HatchPatternBase* pPattern = m_patternList.GetPatternAt(pInfo->item.iItem);
    if (pPattern == nullptr)
        return;
    const CString text(pInfo->item.pszText);
    if (text == pPattern->GetPatternName())
        return;
    if (!m_pDocument->SetHatchPatternName(pPattern->GetPatternID(), text))
        return;
    pPattern->SetPatternName(text);
    *pResult = TRUE;
}

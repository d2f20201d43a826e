#include "settings/CHatchPatternSettingDialogBase.h"

#include "platform/win/CEdit.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/SettingsDialogSupport.h"

namespace {
constexpr UINT kMsgNoName = 10257;
constexpr UINT kMsgNameInUse = 10258;
constexpr UINT kAskReplace = 10371;
}  // namespace

BEGIN_MESSAGE_MAP(CHatchPatternSettingDialogBase, CDialog)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CHatchPatternSettingDialogBase::CHatchPatternSettingDialogBase(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent)
{
}

CHatchPatternSettingDialogBase::~CHatchPatternSettingDialogBase() = default;

void CHatchPatternSettingDialogBase::InitPreviewAndHelp()
{
    MarkPreviewOutdated();
    SetHelpButtonImage(this, m_helpImage);
}

void CHatchPatternSettingDialogBase::MarkPreviewOutdated()
{
    m_preview.MarkOutdated(GetDlgItem(kPreview));
}

BOOL CHatchPatternSettingDialogBase::ReadFields()
{
    if (m_bReading) {
        m_bFocusWhileReading = TRUE;
        return FALSE;
    }
    m_bReading = TRUE;
    m_bFocusWhileReading = FALSE;
    const BOOL bRead = UpdateData(TRUE);
    m_bReading = FALSE;
    // The refused field takes the focus back; when that arrives later it must not ask again.
    if (!bRead)
        m_bSkipFocusRead = !m_bFocusWhileReading;
    return bRead;
}

BOOL CHatchPatternSettingDialogBase::IsFocusToRead()
{
    if (m_bSkipFocusRead && !m_bReading) {
        m_bSkipFocusRead = FALSE;
        return FALSE;
    }
    return TRUE;
}

BOOL CHatchPatternSettingDialogBase::CheckName(BOOL bAskReplace)
{
    auto* pName = static_cast<CEdit*>(GetDlgItem(kNameEdit));
    if (m_strName.IsEmpty()) {
        AfxMessageBox(kMsgNoName, MB_OK | MB_ICONEXCLAMATION);
        if (pName != nullptr)
            pName->SetFocus();
        return FALSE;
    }
    for (INT_PTR i = 0; i < m_usedNames.GetSize(); ++i) {
        if (m_usedNames[i].CompareNoCase(m_strName) != 0)
            continue;
        if (bAskReplace) {
            CString format, question;
            format.LoadString(kAskReplace);
            question.Format(format, static_cast<LPCTSTR>(m_strName));
            if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
                return TRUE;
        } else {
            AfxMessageBox(kMsgNameInUse, MB_OK | MB_ICONEXCLAMATION);
        }
        if (pName != nullptr) {
            pName->SetSel(0, -1);
            pName->SetFocus();
        }
        return FALSE;
    }
    return TRUE;
}

void CHatchPatternSettingDialogBase::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kPreview) {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    m_preview.Paint(lpDrawItemStruct, m_pDocument, GetEditedPattern(), GetDlgItem(kPreview));
}

#include "platform/win/CPropertyPage.h"

#include "platform/afx/ResourceModule.h"
#include "platform/win/CPropertySheet.h"
#include "platform/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() = default;

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

CPropertyPage::~CPropertyPage() {
  if (m_pSheet) m_pSheet->RemovePage(this);
}

void CPropertyPage::ConstructIndirect(const DialogTemplate& dlgTemplate, UINT nIDCaption) {
  m_pIndirect = std::make_unique<DialogTemplate>(dlgTemplate);
  m_nIDCaption = nIDCaption;
}

BOOL CPropertyPage::LoadPageTemplate(DialogTemplate& out) {
  if (!LoadTemplate(out)) return FALSE;
  // Whatever the template says, a page is a child inside the sheet whose controls join the
  // sheet's keyboard order.
  out.style = (out.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE)) |
              WS_CHILD | DS_CONTROL;
  out.exStyle |= WS_EX_CONTROLPARENT;
  m_strTemplateCaption = out.GetCaption();
  return TRUE;
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet) {
  m_pSheet = pSheet;
  m_bFirstSetActive = TRUE;
  DialogTemplate t;
  if (!LoadPageTemplate(t)) return FALSE;
  return CreateFromTemplate(t, pSheet, FALSE);
}

BOOL CPropertyPage::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  if (nIDTemplate) {
    m_nIDTemplate = nIDTemplate;
    if (!m_nIDHelp) m_nIDHelp = nIDTemplate;
    m_pIndirect.reset();
  }
  m_bFirstSetActive = TRUE;
  DialogTemplate t;
  if (!LoadPageTemplate(t)) return FALSE;
  t.style |= WS_VISIBLE;
  return CreateFromTemplate(t, pParentWnd, FALSE);
}

CString CPropertyPage::GetTitle() const {
  if (m_nIDCaption) {
    std::u16string s;
    if (AfxLoadStringResource(m_nIDCaption, s)) return CString(s);
  }
  if (m_psp.pszTitle) return CString(m_psp.pszTitle);
  if (!m_strTemplateCaption.IsEmpty()) return m_strTemplateCaption;
  DialogTemplate t;
  if (const_cast<CPropertyPage*>(this)->LoadPageTemplate(t)) return m_strTemplateCaption;
  return CString();
}

BOOL CPropertyPage::OnSetActive() {
  // The first time the controls were filled by OnInitDialog.
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL bChanged) {
  m_bModified = bChanged;
  if (m_pSheet) m_pSheet->PageChanged();
}

void CPropertyPage::CancelToClose() {
  if (m_pSheet) m_pSheet->CancelToClose();
}

BOOL CPropertyPage::PreTranslateMessage(MSG*) {
  // The sheet handles the keyboard for all its pages.
  return FALSE;
}

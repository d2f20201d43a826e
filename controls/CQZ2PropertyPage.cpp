#include "controls/CQZ2PropertyPage.h"

#include "platform/win/DialogTemplate.h"

IMPLEMENT_DYNCREATE(CQZ2PropertyPage, CPropertyPage)

CQZ2PropertyPage::CQZ2PropertyPage() = default;
CQZ2PropertyPage::CQZ2PropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption) {}
CQZ2PropertyPage::~CQZ2PropertyPage() = default;

BOOL CQZ2PropertyPage::CreateAsChild(CWnd* pParent) { return Create(m_nIDTemplate, pParent); }

BOOL CQZ2PropertyPage::GetPageTemplate(DialogTemplate& out) { return LoadPageTemplate(out); }

#include "platform/bcg/CBCGPURLLinkButton.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QPushButton>

namespace {
BOOL OpenWithDesktop(const CString& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdU16String(std::u16string(url)))) ? TRUE : FALSE;
}
CBCGPURLLinkButton::OpenUrlFn g_open = &OpenWithDesktop;
}  // namespace

IMPLEMENT_DYNCREATE(CBCGPURLLinkButton, CBCGPButton)

BEGIN_MESSAGE_MAP(CBCGPURLLinkButton, CBCGPButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CBCGPURLLinkButton::OnClicked)
END_MESSAGE_MAP()

CBCGPURLLinkButton::CBCGPURLLinkButton() { m_nFlatStyle = BUTTONSTYLE_NOBORDERS; }
CBCGPURLLinkButton::~CBCGPURLLinkButton() = default;

void CBCGPURLLinkButton::SetOpenUrlFunction(OpenUrlFn pfn) { g_open = pfn ? pfn : &OpenWithDesktop; }

void CBCGPURLLinkButton::InitButton() {
  CBCGPButton::InitButton();
  if (auto* b = qobject_cast<QPushButton*>(GetQWidget())) {
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    QFont f = b->font();
    f.setUnderline(true);
    b->setFont(f);
  }
}

void CBCGPURLLinkButton::SetURL(LPCTSTR lpszURL) { m_strURL = lpszURL ? lpszURL : u""; }

void CBCGPURLLinkButton::SetURLPrefix(LPCTSTR lpszPrefix) { m_strPrefix = lpszPrefix ? lpszPrefix : u""; }

CString CBCGPURLLinkButton::GetFullURL() const {
  CString url = m_strURL;
  if (url.IsEmpty() && m_hWnd) GetWindowText(url);
  return m_strPrefix + url;
}

BOOL CBCGPURLLinkButton::OnClicked() {
  const CString url = GetFullURL();
  if (!url.IsEmpty()) g_open(url);
  return FALSE;
}

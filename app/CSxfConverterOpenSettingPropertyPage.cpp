#include "app/CSxfConverterOpenSettingPropertyPage.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"

IMPLEMENT_DYNAMIC(CSxfConverterOpenSettingPropertyPage, CPropertyPage)

CSxfConverterOpenSettingPropertyPage::CSxfConverterOpenSettingPropertyPage() : CPropertyPage(IDD) {}
CSxfConverterOpenSettingPropertyPage::~CSxfConverterOpenSettingPropertyPage() = default;

void CSxfConverterOpenSettingPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, 2330, m_bWhiteToBlack);
}

#include "app/CSxfConverterSaveSettingPropertyPage.h"

#include "libs/conv/SXFSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"

IMPLEMENT_DYNAMIC(CSxfConverterSaveSettingPropertyPage, CPropertyPage)

CSxfConverterSaveSettingPropertyPage::CSxfConverterSaveSettingPropertyPage() : CPropertyPage(IDD) {}
CSxfConverterSaveSettingPropertyPage::~CSxfConverterSaveSettingPropertyPage() = default;

void CSxfConverterSaveSettingPropertyPage::LoadFrom(const SXFSetting& s)
{
    m_bResolveDimension = s.m_nResolveDimensionWrite != 0;
    m_bResolveLead = s.m_nResolveLeadWrite != 0;
    m_bResolveBalloon = s.m_nResolveBaloonWrite != 0;
    m_bSwitch1 = s.m_nWriteSwitch1 != 0;
    m_bSwitch2 = s.m_nWriteSwitch2 != 0;
    m_bSwitch3 = s.m_nWriteSwitch3 != 0;
}

void CSxfConverterSaveSettingPropertyPage::SaveTo(SXFSetting& s) const
{
    s.m_nResolveDimensionWrite = m_bResolveDimension ? 1 : 0;
    s.m_nResolveLeadWrite = m_bResolveLead ? 1 : 0;
    s.m_nResolveBaloonWrite = m_bResolveBalloon ? 1 : 0;
    s.m_nWriteSwitch1 = m_bSwitch1 ? 1 : 0;
    s.m_nWriteSwitch2 = m_bSwitch2 ? 1 : 0;
    s.m_nWriteSwitch3 = m_bSwitch3 ? 1 : 0;
}

void CSxfConverterSaveSettingPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, 2329, m_bUnbound);
    DDX_Check(pDX, 2373, m_bSwitch3);
    DDX_Check(pDX, 2331, m_bResolveDimension);
    DDX_Check(pDX, 2372, m_bSwitch2);
    DDX_Check(pDX, 2371, m_bSwitch1);
    DDX_Check(pDX, 2374, m_bResolveLead);
    DDX_Check(pDX, 2375, m_bResolveBalloon);
}

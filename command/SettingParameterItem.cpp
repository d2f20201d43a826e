#include "command/SettingParameterItem.h"

#include "libs/vevure/FeatureSettingBase.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(SettingParameterItem, ParameterItemBase)

SettingParameterItem::SettingParameterItem() : ParameterItemBase(typeSetting) {}

SettingParameterItem::SettingParameterItem(int nTypeCode) : ParameterItemBase(nTypeCode) {}

SettingParameterItem::~SettingParameterItem()
{
    delete m_pSetting;
}

BOOL SettingParameterItem::IsSettingItem() const
{
    return TRUE;
}

BOOL SettingParameterItem::SetValue(const FeatureSettingBase* pSetting)
{
    FeatureSettingBase* pCopy = pSetting != nullptr ? pSetting->CopyObject() : nullptr;
    delete m_pSetting;
    m_pSetting = pCopy;
    m_bEmpty = m_pSetting == nullptr ? TRUE : FALSE;
    return TRUE;
}

BOOL SettingParameterItem::GetValue(FeatureSettingBase*& pSetting) const
{
    if (IsEmpty() || m_pSetting == nullptr)
        return FALSE;
    pSetting = m_pSetting;
    return TRUE;
}

BOOL SettingParameterItem::Clear()
{
    delete m_pSetting;
    m_pSetting = nullptr;
    m_bEmpty = TRUE;
    return TRUE;
}

void SettingParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const SettingParameterItem*>(&source)) {
        FeatureSettingBase* pCopy = p->m_pSetting != nullptr ? p->m_pSetting->CopyObject() : nullptr;
        delete m_pSetting;
        m_pSetting = pCopy;
        m_pContext = p->m_pContext;
    }
}

BOOL SettingParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const SettingParameterItem*>(&other);
    if (p == nullptr || m_pSetting == nullptr || p->m_pSetting == nullptr)
        return FALSE;
    return m_pSetting->IsEqual(*p->m_pSetting) > 0 ? TRUE : FALSE;
}

BOOL SettingParameterItem::MergeValue(const ParameterItemBase& other)
{
    const auto* p = dynamic_cast<const SettingParameterItem*>(&other);
    if (p != nullptr && !IsEmpty() && !p->IsEmpty() && m_pSetting != nullptr && p->m_pSetting != nullptr)
        m_pSetting->SettingAndSetting(*p->m_pSetting);
    return TRUE;
}

}  // namespace QZ2Command

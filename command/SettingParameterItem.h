#pragma once
// A whole setting object (text, dimension, hatch settings ...), held as an owned copy.

#include "command/ParameterItemBase.h"

class Draw2dDocument;
class FeatureSettingBase;

namespace QZ2Command {

class SettingParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(SettingParameterItem)
public:
    SettingParameterItem();
    ~SettingParameterItem() override;

    BOOL IsSettingItem() const override;
    // Empties the item and frees the copy whatever the clearable flag says.
    BOOL Clear() override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;
    // Combines both settings into one; an empty side changes nothing.
    BOOL MergeValue(const ParameterItemBase& other) override;

    // NULL empties the item; otherwise the item keeps its own copy.
    BOOL SetValue(const FeatureSettingBase* pSetting);
    // The item's own copy, which stays owned by the item.
    BOOL GetValue(FeatureSettingBase*& pSetting) const;
    void SetContext(Draw2dDocument* pDocument) { m_pContext = pDocument; }
    Draw2dDocument* GetContext() const { return m_pContext; }

    FeatureSettingBase* m_pSetting = nullptr;
    Draw2dDocument* m_pContext = nullptr;

protected:
    explicit SettingParameterItem(int nTypeCode);
};

}  // namespace QZ2Command

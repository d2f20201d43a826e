#pragma once
// One picked feature: its record, the layout it was picked in and the pick point.

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"

class FeatureLayout;
class FeatureRecord;

namespace QZ2Command {

class FeatureParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(FeatureParameterItem)
public:
    static constexpr DWORD kAllKinds = 0xEFFFFFFF;

    FeatureParameterItem();
    FeatureParameterItem(const FeatureParameterItem& source);
    FeatureParameterItem& operator=(const FeatureParameterItem&) = delete;

    BOOL Clear() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL SetValue(const FeatureLayout& feature, const RuVaPnt2d& pickPoint);
    BOOL GetValue(FeatureLayout& feature) const;
    BOOL GetValueAndPickPoint(FeatureLayout& feature, RuVaPnt2d& pickPoint) const;
    BOOL GetFeatureRecord(FeatureRecord& record) const;
    BOOL GetPickPoint(RuVaPnt2d& pickPoint) const;
    BOOL IsAcceptedFeature(int nFeatureType) const;
    BOOL IsSameFeature(const FeatureRecord& record) const;

    long m_nRecordID = -1;
    long m_nLayoutID = -1;
    int m_nField = -1;
    RuVaPnt2d m_pickPoint;
    DWORD m_dwAcceptedKinds = kAllKinds;
    // The document's selection may become the value when the command starts.
    BOOL m_bTakeSelection = FALSE;
    BOOL m_bEditableOnly = FALSE;
    // Handed to the data model's pick operations for this item.
    int m_nPickSetting = 0;
};

}  // namespace QZ2Command

#pragma once
// The selection set of the edit commands: every selected feature once, and the groups in which the
// user selected them (one per selection step, with the selecting shape).

#include <memory>
#include <vector>

#include "command/ParameterItemBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CMap.h"

namespace QZ2Command {

class FeatureGroupParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(FeatureGroupParameterItem)
public:
    typedef CMap<FeatureRecord, const FeatureRecord&, FeatureLayout, const FeatureLayout&> FeatureMap;
    static constexpr UINT kBuckets = 1009;

    struct SelectionGroup {
        SelectionGroup();
        FeatureMap features;
        int nShapeMode = 0;
        KcArrayOfGePnt2d shapePoints;
    };

    FeatureGroupParameterItem();
    ~FeatureGroupParameterItem() override;

    BOOL Clear() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // Mode 0 replaces, 1 adds, 2 toggles; without the several-groups flag every call replaces.
    BOOL AddGroup(const CArray<FeatureLayout>& features, int nShapeMode, const KcArrayOfGePnt2d* pShapePoints,
                  int nMode);
    BOOL RemoveFeature(long nRecordID);
    BOOL GetFeatureLayouts(CArray<FeatureLayout>& features) const;
    BOOL GetGroup(int nIndex, CArray<FeatureLayout>& features, int& nShapeMode, KcArrayOfGePnt2d& shapePoints) const;
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    // Moves the source's value into this item and leaves the source empty.
    BOOL TakeValueFrom(FeatureGroupParameterItem& source);

    std::vector<std::unique_ptr<SelectionGroup>> m_groups;
    FeatureMap m_allFeatures;
    DWORD m_dwAcceptedKinds = 0xEFFFFFFF;
    BOOL m_bTakeSelection = FALSE;
    BOOL m_bEditableOnly = FALSE;
    BOOL m_bSeveralGroups = TRUE;
    DWORD m_dwSideModes = 0xFFFF;
    DWORD m_dwPartModes = 0xFFFF;
    DWORD m_dwShapeModes = 0xFFFF;

private:
    void CopyValue(const FeatureGroupParameterItem& source);
    void RemoveFromGroups(const FeatureRecord& key);
};

}  // namespace QZ2Command

#pragma once
// An item that takes whichever of a point, a number, a length, an angle or a feature is given first.

#include "command/DoubleParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"

namespace QZ2Command {

class MultiParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(MultiParameterItem)
public:
    enum { acceptPoint = 0x1, acceptNumber = 0x2, acceptLength = 0x4, acceptAngle = 0x8, acceptFeature = 0x10 };

    MultiParameterItem();

    // An item without a kind holds nothing, also when it could not be emptied.
    BOOL IsEmpty() const override;
    BOOL Clear() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // The embedded item of the current kind, or NULL for kind 0.
    ParameterItemBase* GetActiveItem();
    const ParameterItemBase* GetActiveItem() const;
    PointParameterItem* GetPointItem();
    DoubleParameterItem* GetNumberItem();
    FeatureParameterItem* GetFeatureItem();

    BOOL SetPointFrom(const PointParameterItem& source);
    BOOL SetNumberFrom(const DoubleParameterItem& source);
    BOOL SetLengthFrom(const DoubleParameterItem& source);
    BOOL SetAngleFrom(const DoubleParameterItem& source);
    BOOL SetFeatureFrom(const FeatureParameterItem& source);

    WORD m_wKindMask = 0;
    // Type code of the value held: 8 point, 1 number, 2 length, 3 angle, 10 feature; 0 none.
    int m_nCurrentKind = 0;
    PointParameterItem m_pointItem;
    DoubleParameterItem m_numberItem;
    FeatureParameterItem m_featureItem;

private:
    BOOL SetDoubleFrom(const DoubleParameterItem& source, WORD wMask, int nKind);
};

}  // namespace QZ2Command

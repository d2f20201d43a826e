#pragma once
// A construction line through a point in a direction (type 11); SemiInfiniteLine2dFeature derives from it
// and starts at the point (type 12).

#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class InfiniteLine2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(InfiniteLine2dFeature)
public:
    InfiniteLine2dFeature();
    InfiniteLine2dFeature(const RuVaPnt2d& point, const RuVaDir2d& direction);

    const RuVaPnt2d& GetPoint() const { return m_point; }
    BOOL SetPoint(const RuVaPnt2d& point);
    const RuVaDir2d& GetDirection() const { return m_direction; }
    void SetDirection(const RuVaDir2d& direction);
    // The direction from the point towards another; FALSE when they coincide.
    BOOL SetDirection(const RuVaPnt2d& through);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    explicit InfiniteLine2dFeature(FeatureType nType);
    // The direction in one canonical form, so that what is stored loads back bit for bit.
    static RuVaDir2d Canonical(double x, double y);
    void CopyGeometry(const Feature2dBase* pSource) override;

    RuVaPnt2d m_point;
    RuVaDir2d m_direction;
};

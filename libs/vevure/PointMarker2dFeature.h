#pragma once
// A point marker (type 1): a point drawn with a mark of a type and size; a virtual marker is a point that is
// not printed.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class PointMarker2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(PointMarker2dFeature)
public:
    PointMarker2dFeature();
    explicit PointMarker2dFeature(const RuVaPnt2d& point);

    const RuVaPnt2d& GetPoint() const { return m_point; }
    void GetPoint(RuVaPnt2d& point) const { point = m_point; }
    BOOL SetPoint(const RuVaPnt2d& point);
    // Mark kinds 0-9 (PointMarkerType).
    int GetMarkerType() const { return m_nMarkerType; }
    BOOL SetMarkerType(int nType);
    // Size of the mark, above 0.
    double GetMarkerSize() const { return m_dMarkerSize; }
    BOOL SetMarkerSize(double dSize);
    BOOL IsVirtual() const { return m_bVirtual; }
    void SetVirtual(BOOL bVirtual) { m_bVirtual = bVirtual ? 1 : 0; }

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_point;
    double m_dMarkerSize = 2.0;
    short m_nMarkerType = 0;
    BYTE m_bVirtual = 0;
};

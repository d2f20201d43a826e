#pragma once
// A point marker (type 1): a point drawn with a mark of the point-marker style (form, size, rotation); a
// virtual marker is a point that is not printed. The mark's colour is the shape's own colour number.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/PointMarkerSetting.h"

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
    int GetMarkerType() const { return m_setting.GetType(); }
    BOOL SetMarkerType(int nType);
    // Size of the mark, above 0.
    double GetMarkerSize() const { return m_setting.GetSize(); }
    BOOL SetMarkerSize(double dSize);
    // Rotation of the mark in degrees, [0, 360).
    double GetRotateAngle() const { return m_setting.GetRotateAngle(); }
    BOOL SetRotateAngle(double dAngleDeg);
    BOOL IsVirtual() const { return m_bVirtual; }
    void SetVirtual(BOOL bVirtual) { m_bVirtual = bVirtual ? 1 : 0; }

    // The marker's style (its colour number is the shape's); setting it takes the defined values only and
    // refuses (FALSE, unchanged) a result out of range.
    const PointMarkerSetting& GetPointMarkerSetting() const { return m_setting; }
    BOOL SetPointMarkerSetting(const PointMarkerSetting& setting);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_point;
    PointMarkerSetting m_setting;
    BYTE m_bVirtual = 0;
};

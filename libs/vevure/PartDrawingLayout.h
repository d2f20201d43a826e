#pragma once
// A part drawing placed on a paper: where (origin), turned by how much (angle in degrees) and at what scale
// (numerator / denominator in X and, when enabled, in Y), optionally clipped to a region. A paper's own
// layout shows the paper itself at identity.
//
// world = origin + rotate(angle) * scale * local.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class CArchive;
class Feature2dBase;
class KcArrayOfGePnt2d;
class Region2dFeature;

class PartDrawingLayout
{
public:
    PartDrawingLayout();
    // A layout of a part drawing on paper 0 (a part drawing seen on its own).
    explicit PartDrawingLayout(const CString& strName);
    PartDrawingLayout(const PartDrawingLayout& other);
    PartDrawingLayout& operator=(const PartDrawingLayout& other);
    ~PartDrawingLayout();
    // Every field, the region compared through its stored form.
    bool IsSame(const PartDrawingLayout& other) const;

    long GetLayoutID() const { return m_nLayoutID; }
    void SetLayoutID(long nID) { m_nLayoutID = nID; }
    long GetPaperID() const { return m_nPaperID; }
    void SetPaperID(long nID) { m_nPaperID = nID; }
    long GetDrawingID() const { return m_nDrawingID; }
    void SetDrawingID(long nID) { m_nDrawingID = nID; }
    const CString& GetLayoutName() const { return m_strName; }
    void SetLayoutName(const CString& strName) { m_strName = strName; }

    const RuVaPnt2d& GetOrigin() const { return m_origin; }
    void SetOrigin(const RuVaPnt2d& origin);
    double GetAngle() const { return m_dAngle; }
    void SetAngle(double degrees);  // normalised to [0, 360)

    double GetScaleNumeratorX() const { return m_dNumX; }
    double GetScaleDenominatorX() const { return m_dDenX; }
    double GetScaleNumeratorY() const { return m_dNumY; }
    double GetScaleDenominatorY() const { return m_dDenY; }
    BOOL IsScaleYEnabled() const { return m_bScaleY ? TRUE : FALSE; }
    // Refuses (FALSE) a numerator or denominator that is not finite and positive.
    BOOL SetScale(double numX, double denX, BOOL bYDiffers, double numY, double denY);
    double GetScaleX() const;  // 1 for a denominator below 1e-7
    double GetScaleY() const;
    void GetScale(double& x, double& y) const;
    BOOL IsScaleXYDifferent() const;
    BOOL IsTransformIdentity() const { return m_bIdentity ? TRUE : FALSE; }
    const RuVaGTrsf2d& GetLocalToWorld() const { return m_localToWorld; }
    const RuVaGTrsf2d& GetWorldToLocal() const { return m_worldToLocal; }

    void ConvertPointWorldToLocal(const RuVaPnt2d& in, RuVaPnt2d& out) const;
    void ConvertPointWorldToLocal(RuVaPnt2d& p) const { ConvertPointWorldToLocal(RuVaPnt2d(p), p); }
    void ConvertPointLocalToWorld(const RuVaPnt2d& in, RuVaPnt2d& out) const;
    void ConvertPointLocalToWorld(RuVaPnt2d& p) const { ConvertPointLocalToWorld(RuVaPnt2d(p), p); }
    void ConvertBoxWorldToLocal(const RuVaBndBox2d& in, RuVaBndBox2d& out) const;
    void ConvertBoxWorldToLocal(RuVaBndBox2d& box) const { ConvertBoxWorldToLocal(RuVaBndBox2d(box), box); }
    void ConvertBoxLocalToWorld(const RuVaBndBox2d& in, RuVaBndBox2d& out) const;
    void ConvertBoxLocalToWorld(RuVaBndBox2d& box) const { ConvertBoxLocalToWorld(RuVaBndBox2d(box), box); }
    // Lengths go by the X scale (1 when it cannot be used).
    double ConvertLengthWorldToLocal(double length) const;
    double ConvertLengthLocalToWorld(double length) const;
    double ConvertAngleWorldToLocal(double degrees) const { return degrees - m_dAngle; }
    double ConvertAngleLocalToWorld(double degrees) const { return degrees + m_dAngle; }

    // The region clips the drawing where enabled. GetRegion gives it only while enabled.
    BOOL IsRegionEnabled() const { return m_bRegion ? TRUE : FALSE; }
    void SetRegionEnabled(BOOL bEnabled) { m_bRegion = bEnabled ? 1 : 0; }
    Region2dFeature* GetRegion() const { return m_bRegion ? m_pRegion : nullptr; }
    // Takes a copy of the region (NULL removes it and disables clipping).
    void SetRegion(const Region2dFeature* pRegion);
    // Region outlines in local coordinates; each enables clipping. FALSE (unchanged) for a degenerate outline.
    BOOL SetRectangleRegion(const RuVaPnt2d& corner1, const RuVaPnt2d& corner2);
    BOOL SetPolygonRegion(const KcArrayOfGePnt2d& points);
    BOOL SetCircleRegion(const RuVaPnt2d& centre, double radius);

    // New shapes (the caller's) carried between the local and the world coordinates; NULL when the shape
    // cannot take the transform (a circle under unequal scales).
    Feature2dBase* ConvertFeatureLocalToWorld(const Feature2dBase* pFeature) const;
    Feature2dBase* ConvertFeatureWorldToLocal(const Feature2dBase* pFeature) const;

    void Serialize(CArchive& ar);

private:
    void UpdateTransform();

    long m_nLayoutID = -1;
    long m_nPaperID = 0;
    long m_nDrawingID = -1;
    CString m_strName;
    RuVaPnt2d m_origin;
    double m_dNumX = 1.0;
    double m_dDenX = 1.0;
    double m_dNumY = 1.0;
    double m_dDenY = 1.0;
    int m_bScaleY = 0;
    double m_dAngle = 0.0;
    RuVaGTrsf2d m_localToWorld;
    RuVaGTrsf2d m_worldToLocal;
    BYTE m_bIdentity = 1;
    BYTE m_bRegion = 0;
    Region2dFeature* m_pRegion = nullptr;  // owned
};

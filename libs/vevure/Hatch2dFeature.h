#pragma once
// A hatch (type 32): an outer region with inner regions (islands) filled solid (type 0), with a built-in
// pattern (type 1, pattern numbers 0-52, scaled and turned) or with a user-defined pattern of the document's
// pattern table (type 2, scaled and turned by its UserDefinedHatchFormat). Its hatch style holds the type,
// the pattern, colours, transparency and how the boundary shows. The reference point anchors the pattern.

#include <vector>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/UserDefinedHatchFormat.h"

class Hatch2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Hatch2dFeature)
public:
    enum HatchKind { Solid = 0, BuiltInPattern = 1, UserDefined = 2 };

    Hatch2dFeature();
    Hatch2dFeature(const Hatch2dFeature& other);
    Hatch2dFeature& operator=(const Hatch2dFeature& other);
    ~Hatch2dFeature() override;

    // Keeps a copy; FALSE for a region whose curves do not close.
    BOOL SetOuterRegion(const Region2dFeature& region);
    const Region2dFeature& GetOuterRegion() const { return m_outer; }
    // Adds a copy of an island; 0 for a region whose curves do not close.
    BOOL AddInnerRegions(const Region2dFeature& region);
    int GetInnerRegionCount() const { return (int)m_inner.size(); }
    // Index-guarded (invalid-argument exception).
    const Region2dFeature& GetInnerRegion(int nIndex) const;
    void RemoveAllInnerRegions();
    // The outer region closes, and so does every island.
    BOOL IsValidRegion() const;

    const RuVaPnt2d& GetPoint() const { return m_point; }
    BOOL SetPoint(const RuVaPnt2d& point);
    int GetHatchType() const { return m_setting.GetHatchType(); }
    BOOL SetHatchType(int nType);
    int GetPatternNo() const { return m_setting.GetPatternType(); }
    BOOL SetPatternNo(int nNo);
    double GetPatternScale() const { return m_dPatternScale; }
    BOOL SetPatternScale(double dScale);
    double GetPatternAngle() const { return m_dPatternAngle; }
    BOOL SetPatternAngle(double dAngleDeg);
    UserDefinedHatchFormat& GetUserDefinedHatchFormat() { return m_userFormat; }
    const UserDefinedHatchFormat& GetUserDefinedHatchFormat() const { return m_userFormat; }
    // Also makes the format's pattern the style's table pattern.
    void SetUserDefinedHatchFormat(const UserDefinedHatchFormat& format);

    const HatchSetting& GetHatchSetting() const { return m_setting; }
    // Takes the defined values only (a table pattern id among them goes to the user-defined format too);
    // FALSE, unchanged, when the result is out of range.
    BOOL SetHatchSetting(const HatchSetting& setting);
    // The style is complete; its table pattern id may be -1 (none).
    static bool IsCompleteSetting(const HatchSetting& setting);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    void CopyRegions(const Hatch2dFeature& other);

    Region2dFeature m_outer;
    std::vector<Region2dFeature*> m_inner;
    UserDefinedHatchFormat m_userFormat;
    HatchSetting m_setting;
    RuVaPnt2d m_point;
    double m_dPatternScale = 1.0;
    double m_dPatternAngle = 0.0;
};

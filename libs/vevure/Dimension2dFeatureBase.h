#pragma once
// Base of the dimensions (types 50-55): the value text (measured, or typed when the manual mode is on), its
// position (at the dimension, or free at the text point), the dimension's definition points, which the
// derived classes name, and the dimension style that gives its look (arrows, texts, units, tolerances).

#include <memory>

#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Feature2dBase.h"

class DimensionLayout;

class Dimension2dFeatureBase : public Feature2dBase
{
    DECLARE_DYNAMIC(Dimension2dFeatureBase)
public:
    static constexpr int kMaxDimPoints = 3;

    // The value as measured from the geometry (a length, or an angle in degrees).
    virtual double GetMeasuredValue() const = 0;

    // The typed text in manual mode, else the measured value as the style writes it (unit format,
    // precision, rounding, scale, zeros, grouping, full-width digits).
    CString GetValueText() const;
    // The typed text, whatever the mode.
    const CString& GetValueTextRaw() const { return m_strValueText; }
    BOOL SetValueText(const CString& strText);
    BOOL GetValueTextManualMode() const { return m_bManualText; }
    BOOL SetValueTextManualMode(BOOL bManual);
    // 0 the text where the style puts it; 1 at the text point; 2 at the text point with a leader from the
    // middle of the dimension line.
    int GetValueTextPosFreeMode() const { return m_bTextPosFree; }
    BOOL SetValueTextPosFreeMode(int nMode);
    const RuVaPnt2d& GetValueTextPoint() const { return m_textPoint; }
    BOOL SetValueTextPoint(const RuVaPnt2d& point);
    // Decimals of the measured value, 0-8.
    int GetPrecision() const { return m_setting.GetPrecision(); }
    BOOL SetPrecision(int nPrecision);
    double GetTextHeight() const { return m_setting.GetDimTextHight(); }
    BOOL SetTextHeight(double dHeight);
    // Both arrows: the first one's type and size are read.
    int GetArrowType() const { return m_setting.GetArrowType1(); }
    BOOL SetArrowType(int nType);
    double GetArrowSize() const { return m_setting.GetArrowSize1(); }
    BOOL SetArrowSize(double dSize);

    const DimensionSetting& GetDimensionSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range.
    BOOL SetDimensionSetting(const DimensionSetting& setting);

    int GetDimPointCount() const { return m_nDimPoints; }
    // The laid-out look (lines, arcs, heads, text parts), made again after any change.
    const DimensionLayout& GetLayout() const;
    std::shared_ptr<const DimensionLayout> GetLayoutShared() const;
    const RuVaPnt2d& GetDimPoint(int nIndex) const;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    Dimension2dFeatureBase(FeatureType nType, int nDimPoints);
    void CopyGeometry(const Feature2dBase* pSource) override;
    // The scalar fields of the derived class: transform (lengths by dLengthScale; angles by the map), archive,
    // compare and copy.
    virtual void TransformScalars(const RuVaGTrsf2d& t, double dLengthScale) {}
    virtual void SerializeScalars(CArchive& ar) {}
    virtual BOOL IsEqualScalars(const Dimension2dFeatureBase* pOther) const { return TRUE; }
    virtual void CopyScalars(const Dimension2dFeatureBase* pSource) {}
    BOOL SetDimPoint(int nIndex, const RuVaPnt2d& point);
    // Every change of the geometry or the look drops the layout.
    void InvalidateLayout() { m_layout.reset(); }

    RuVaPnt2d m_points[kMaxDimPoints];

private:
    mutable std::shared_ptr<const DimensionLayout> m_layout;
    CString m_strValueText;
    DimensionSetting m_setting;
    RuVaPnt2d m_textPoint;
    BYTE m_nDimPoints;
    BYTE m_bManualText = 0;
    BYTE m_bTextPosFree = 0;
};

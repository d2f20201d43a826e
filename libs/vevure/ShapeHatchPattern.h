#pragma once
// A hatch pattern whose motif is a set of shapes, repeated along two directions: direction 1 at angle 1
// (-90 < angle 1 < 90) every spacing 1, direction 2 at angle 2 (0 < angle 2 < 180, above angle 1)
// every spacing 2 (0 < spacing < 1e15). The pattern owns copies of its shapes.

#include <memory>
#include <vector>

#include "libs/vevure/HatchPatternBase.h"

class Feature2dBase;

class ShapeHatchPattern : public HatchPatternBase
{
    DECLARE_SERIAL(ShapeHatchPattern)
public:
    static constexpr int kSchema = 1;

    ShapeHatchPattern();
    ShapeHatchPattern(const ShapeHatchPattern& src);
    ShapeHatchPattern& operator=(const ShapeHatchPattern& src);
    ~ShapeHatchPattern() override;

    // Adds a copy of the shape; FALSE for none.
    BOOL AddFeature(const Feature2dBase* feature);
    int GetFeatureCount() const { return static_cast<int>(m_features.size()); }
    // Index-guarded (invalid-argument exception); the pattern keeps the shape.
    const Feature2dBase* GetFeature(int index) const;
    void RemoveAllFeatures();

    double GetSpace1() const { return m_space1; }
    double GetSpace2() const { return m_space2; }
    double GetAngle1() const { return m_angle1; }
    double GetAngle2() const { return m_angle2; }
    // FALSE, nothing changed, for values outside the rules above.
    BOOL SetSpace1(double space);
    BOOL SetSpace2(double space);
    BOOL SetAngle(double angle1, double angle2);

    using HatchPatternBase::Copy;
    BOOL Copy(const HatchPatternBase& src) override;
    // Name, spacings, angles and the number and types of the shapes.
    BOOL IsEqual(const HatchPatternBase& other) const override;
    BOOL IsShapePattern() const override { return TRUE; }
    BOOL IsValidPattern() const override;
    // The shapes are stored with their classes; loading refuses classes that are not shapes and values
    // outside the rules with CArchiveException, leaving the pattern unchanged.
    void Serialize(CArchive& ar) override;

private:
    void CopyFrom(const ShapeHatchPattern& src);

    std::vector<std::unique_ptr<Feature2dBase>> m_features;
    double m_space1 = 10.0;
    double m_space2 = 10.0;
    double m_angle1 = 0.0;
    double m_angle2 = 90.0;
};

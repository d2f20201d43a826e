#pragma once
// A line segment (type 2). Its ends never coincide (within 1e-7): setters that would make it a point refuse.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class RuVaDir2d;

class Line2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Line2dFeature)
public:
    Line2dFeature();
    Line2dFeature(const RuVaPnt2d& start, const RuVaPnt2d& end);

    // FALSE, unchanged, when the two points lie within 1e-7.
    BOOL SetPoint(const RuVaPnt2d& start, const RuVaPnt2d& end);
    void GetPoint(RuVaPnt2d& start, RuVaPnt2d& end) const
    {
        start = m_start;
        end = m_end;
    }
    // 0 the start, any other the end.
    const RuVaPnt2d& GetPoint(int nIndex) const { return nIndex == 0 ? m_start : m_end; }
    const RuVaPnt2d& GetStartPoint() const { return m_start; }
    const RuVaPnt2d& GetEndPoint() const { return m_end; }
    BOOL SetStartPoint(const RuVaPnt2d& start) { return SetPoint(start, m_end); }
    BOOL SetEndPoint(const RuVaPnt2d& end) { return SetPoint(m_start, end); }
    RuVaDir2d GetDirection() const;
    double GetLength() const;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    RuVaPnt2d m_start;
    RuVaPnt2d m_end{1.0, 0.0};
};

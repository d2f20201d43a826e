#pragma once
// A geometric tolerance frame (type 59): a frame string (rows separated by "\*", cells by "\|") placed at a
// locate point, in the look of a dimension style (its value text style gives the text height).

#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Feature2dBase.h"

class Tolerance2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Tolerance2dFeature)
public:
    Tolerance2dFeature();
    Tolerance2dFeature(const CString& strFrame, const RuVaPnt2d& point);

    const CString& GetText() const { return m_strFrame; }
    BOOL SetText(const CString& strFrame);
    const RuVaPnt2d& GetToleranceLocatePoint() const { return m_point; }
    BOOL SetToleranceLocatePoint(const RuVaPnt2d& point);
    double GetTextHeight() const { return m_setting.GetDimTextHight(); }
    BOOL SetTextHeight(double dHeight);
    const DimensionSetting& GetDimensionSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range.
    BOOL SetDimensionSetting(const DimensionSetting& setting);

    // Number of rows; with a row index, the number of cells of that row (0 for a row that is not there).
    int GetToleranceCellSize() const;
    int GetToleranceCellSize(int nRow) const;
    // The text of a cell; empty for a row or cell that is not there.
    CString GetToleranceCellText(int nRow, int nCell) const;

    BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const override;
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    CString m_strFrame;
    DimensionSetting m_setting;
    RuVaPnt2d m_point;
    double m_dAngle = 0.0;
};

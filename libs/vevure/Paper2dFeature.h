#pragma once
// A paper drawing: a sheet of a standard or user size on which part drawings are laid out.
//
// Size types: 0 A0, 1 A1, 2 A2, 3 A3, 4 A4, 5 user size. Orientation: 0 landscape, 1 portrait.

#include "libs/vevure/DrawingFeatureBase.h"

class Paper2dFeature : public DrawingFeatureBase
{
public:
    enum { sizeA0 = 0, sizeA1, sizeA2, sizeA3, sizeA4, sizeUser, sizeTypeCount };
    enum { orientLandscape = 0, orientPortrait = 1 };

    Paper2dFeature();
    Paper2dFeature(const Paper2dFeature&) = default;
    Paper2dFeature& operator=(const Paper2dFeature&) = default;
    ~Paper2dFeature() override;
    DrawingFeatureBase* Clone() const override;
    bool IsSame(const DrawingFeatureBase& other) const override;

    // Width and height in mm of a standard size in an orientation; FALSE for the user size or a bad type.
    static BOOL GetPaperSize(int nType, int nOrientation, double& dWidth, double& dHeight);

    void GetPaperSize(double& dWidth, double& dHeight) const
    {
        dWidth = m_dWidth;
        dHeight = m_dHeight;
    }
    // Refuses sizes that are not finite and positive. Any size makes the type the user size unless it is the
    // standard size of the current type and orientation.
    BOOL SetPaperSize(double dWidth, double dHeight);
    int GetPaperSizeType() const { return m_nSizeType; }
    // A standard type takes its size in the current orientation; the user type keeps the size.
    BOOL SetPaperSizeType(int nType);
    int GetPaperOrientType() const { return m_nOrientation; }
    // A standard size turns with the orientation; a user size keeps its width and height.
    BOOL SetPaperOrientType(int nOrientation);
    double GetPrintScale() const { return m_dPrintScale; }
    BOOL SetPrintScale(double dScale);  // finite and positive

    // "<drawing name>-<n>" with the smallest n from 1 up that no layout of this paper carries.
    CString GetNewPartLayoutName(const CString& strDrawingName) const;

    void Serialize(CArchive& ar) override;

private:
    int m_nSizeType = sizeA3;
    int m_nOrientation = orientLandscape;
    double m_dWidth = 420.0;
    double m_dHeight = 297.0;
    double m_dPrintScale = 1.0;
};

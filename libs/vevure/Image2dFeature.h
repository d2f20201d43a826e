#pragma once
// A picture (type 80): encoded image bytes (PNG, JPEG, BMP, TIFF as loaded) placed by a point with an
// alignment (0-8: rows bottom, middle, top times columns left, centre, right), a width and height in drawing
// units and an angle (degrees), with the colour adjustment of its image setting (brightness and contrast,
// 0-1, 0.5 neutral) applied when drawn.

#include <vector>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/ImageSetting.h"

class Image2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Image2dFeature)
public:
    Image2dFeature();

    const RuVaPnt2d& GetPoint() const { return m_point; }
    BOOL SetPoint(const RuVaPnt2d& point);
    int GetAlignment() const { return m_nAlignment; }
    BOOL SetAlignment(int nAlignment);
    double GetWidth() const { return m_dWidth; }
    BOOL SetWidth(double dWidth);
    double GetHeight() const { return m_dHeight; }
    BOOL SetHeight(double dHeight);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);
    float GetBrightness() const { return m_setting.GetBrightness(); }
    BOOL SetBrightness(float fValue);
    float GetContrast() const { return m_setting.GetContrast(); }
    BOOL SetContrast(float fValue);
    const ImageSetting& GetImageSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range.
    BOOL SetImageSetting(const ImageSetting& setting);

    const std::vector<BYTE>& GetImageData() const { return m_image; }
    void SetImageData(const BYTE* pData, size_t nSize);
    BOOL HasImage() const { return !m_image.empty(); }
    void DeleteImage();

    // The lower-left corner of the picture (its own axes), whatever the alignment.
    RuVaPnt2d GetLowerLeftPoint() const;
    BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const override;
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

    // Pictures larger than this are refused when loading.
    static constexpr size_t kMaxImageBytes = (size_t)512 * 1024 * 1024;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    std::vector<BYTE> m_image;
    RuVaPnt2d m_point;
    double m_dWidth = 10.0;
    double m_dHeight = 10.0;
    double m_dAngle = 0.0;
    ImageSetting m_setting;
    BYTE m_nAlignment = 0;
};

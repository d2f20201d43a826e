// Hatches from outlines and curve lists, and pictures from image files in a temporary folder.

#include <gtest/gtest.h>

#include <QtGui/QImage>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/ruva/RuVa.h"

using namespace feature_test;

TEST(FeatureCreatorFiles, HatchesFromOutlinesAndCurves)
{
    const KcArrayOfGePnt2d square{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10), RuVaPnt2d(0, 10)};
    Feature2dList hole;
    hole.AddFeature(new Circle2dFeature(RuVaPnt2d(5, 5), 2.0), 0);
    HatchSetting style;
    style.SetHatchType(1);
    style.SetPatternType(7);
    std::unique_ptr<Hatch2dFeature> hatch(FeatureCreator::CreateHatchFeature(square, &hole, nullptr, 1, &style));
    ASSERT_TRUE(hatch);
    EXPECT_TRUE(hatch->IsValidRegion());
    EXPECT_EQ(hatch->GetInnerRegionCount(), 1);
    EXPECT_EQ(hatch->GetPatternNo(), 7);
    EXPECT_NEAR(MeasureTool::GetFeatureArea(hatch.get()), 100.0 - 4.0 * RuVa::Pi, 1e-9);

    // A boundary of lines and an arc, in any order of direction.
    Feature2dList outline;
    outline.AddFeature(new Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)), 0);
    outline.AddFeature(new Arc2dFeature(RuVaPnt2d(5, 0), 5.0, 0.0, 180.0), 0);
    std::unique_ptr<Hatch2dFeature> half(
        FeatureCreator::CreateHatchFeature(outline, KcArrayOfGePnt2d(), nullptr, nullptr, 0, nullptr));
    ASSERT_TRUE(half);
    EXPECT_TRUE(FeatureCreator::CreateHatchFeature(half.get(), &hole, nullptr, 1));
    EXPECT_EQ(half->GetInnerRegionCount(), 1);

    // Boundaries that do not close make nothing and change nothing.
    Feature2dList open;
    open.AddFeature(new Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)), 0);
    EXPECT_FALSE(FeatureCreator::CreateHatchFeature(open, KcArrayOfGePnt2d(), nullptr, nullptr, 0, nullptr));
    EXPECT_FALSE(FeatureCreator::CreateHatchFeature(half.get(), &open, nullptr, 1));
    EXPECT_EQ(half->GetInnerRegionCount(), 1);
    EXPECT_FALSE(FeatureCreator::CreateHatchFeature(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)}, nullptr,
                                                    nullptr, 0, nullptr));
}

TEST(FeatureCreatorFiles, PicturesHoldTheFileBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("picture.PNG");
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(path, "PNG"));
    QByteArray bytes;
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    const CString cpath = CString::FromQString(path);
    EXPECT_TRUE(FeatureCreator::IsSupportedImageType(cpath));
    std::unique_ptr<Image2dFeature> image(FeatureCreator::CreateImageFeature(cpath, RuVaPnt2d(10, 5), RuVaPnt2d(2, 9)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetPoint(), RuVaPnt2d(2, 5));
    EXPECT_EQ(image->GetWidth(), 8.0);
    EXPECT_EQ(image->GetHeight(), 4.0);
    ASSERT_EQ(image->GetImageData().size(), (size_t)bytes.size());
    EXPECT_EQ(image->GetImageData()[1], (BYTE)'P');
    image->DeleteImage();
    EXPECT_FALSE(image->HasImage());

    EXPECT_FALSE(FeatureCreator::CreateImageFeature(cpath, RuVaPnt2d(1, 1), RuVaPnt2d(1, 9)));  // no area
    EXPECT_FALSE(FeatureCreator::CreateImageFeature(CString::FromQString(dir.filePath("missing.png")),
                                                    RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)));
    // Bytes that only start like a picture are no picture.
    const QString fake = dir.filePath("fake.png");
    {
        QFile f(fake);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x89PNG\r\n\x1a\nnot really an image", 27));
    }
    EXPECT_FALSE(FeatureCreator::CreateImageFeature(CString::FromQString(fake), RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)));
    const QString text = dir.filePath("notes.txt");
    QFile(text).open(QIODevice::WriteOnly);
    EXPECT_FALSE(FeatureCreator::IsSupportedImageType(CString::FromQString(text)));
    EXPECT_FALSE(FeatureCreator::CreateImageFeature(CString::FromQString(text), RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)));
}

// The toolbars, their image strips and the bar icons shipped in the language libraries.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "platform/afx/ResourceModule.h"
#include "platform/bcg/CBCGPToolBarImages.h"

namespace {

constexpr UINT kToolbars[] = {110, 304, 305, 306, 307, 308};
constexpr UINT kStandardHotImages = 413;
constexpr UINT kIcons[] = {450, 451, 452, 453, 454, 455, 456, 457};

std::u16string U(const QString& s) { return s.toStdU16String(); }

QByteArray Resource(const char* type, UINT id) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData(type, id, data)) return QByteArray();
  return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

// The commands of a toolbar resource in order; 0 for a separator.
std::vector<UINT> Buttons(UINT id, QSize* imageSize = nullptr) {
  std::vector<UINT> ids;
  for (const QString& raw : QString::fromUtf8(Resource("TOOLBAR", id)).split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts[0] == QLatin1String("TOOLBAR") && parts.size() == 3 && imageSize)
      *imageSize = QSize(parts[1].toInt(), parts[2].toInt());
    else if (parts[0] == QLatin1String("BUTTON"))
      ids.push_back(parts.value(1).toUInt());
    else if (parts[0] == QLatin1String("SEPARATOR"))
      ids.push_back(0);
  }
  return ids;
}

int CommandCount(const std::vector<UINT>& ids) {
  int n = 0;
  for (UINT id : ids) n += id != 0 ? 1 : 0;
  return n;
}

class ToolbarResources : public ::testing::TestWithParam<const char*> {
protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_resource_toolbars";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
  }
  void SetUp() override {
    std::u16string reason;
    const QString path = QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResource%1.rcc").arg(QLatin1String(GetParam()));
    module = ResourceModule::Load(U(path), &reason);
    ASSERT_TRUE(module) << QString::fromStdU16String(reason).toStdString();
    AfxAddResourceModule(module.get());
  }
  void TearDown() override {
    if (module) AfxRemoveResourceModule(module.get());
  }
  std::unique_ptr<ResourceModule> module;
};

TEST_P(ToolbarResources, EveryToolbarHasOneSixteenPixelImageForEachButton) {
  for (UINT id : kToolbars) {
    QSize size;
    const std::vector<UINT> ids = Buttons(id, &size);
    ASSERT_GT(CommandCount(ids), 2) << id;
    EXPECT_EQ(size, QSize(16, 16)) << id;
    QImage strip;
    ASSERT_TRUE(strip.loadFromData(Resource("BITMAP", id))) << id;
    EXPECT_EQ(strip.height(), 16) << id;
    EXPECT_EQ(strip.width(), 16 * CommandCount(ids)) << id;
    // Cut into images the way the toolbars do: exactly as many as there are buttons, none blank.
    CBCGPToolBarImages images;
    images.SetImageSize(CSize(16, 16));
    ASSERT_TRUE(images.Load(id)) << id;
    ASSERT_EQ(images.GetCount(), CommandCount(ids)) << id;
    for (int i = 0; i < images.GetCount(); ++i) {
      QImage img;
      ASSERT_TRUE(images.GetImage(i, img));
      int opaque = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 128 ? 1 : 0;
      EXPECT_GT(opaque, 12) << "toolbar " << id << " image " << i << " is (nearly) empty";
      EXPECT_LT(opaque, 256) << "toolbar " << id << " image " << i << " has no transparent background";
    }
  }
}

TEST_P(ToolbarResources, ButtonsAreCommandsOnceEachAndTheHotImagesMatchTheStandardToolbar) {
  for (UINT id : kToolbars) {
    std::vector<UINT> seen;
    for (UINT cmd : Buttons(id)) {
      if (cmd == 0) continue;
      EXPECT_TRUE(std::find(seen.begin(), seen.end(), cmd) == seen.end()) << id << ": " << cmd << " twice";
      seen.push_back(cmd);
    }
  }
  QImage standard, hot;
  ASSERT_TRUE(standard.loadFromData(Resource("BITMAP", 110)));
  ASSERT_TRUE(hot.loadFromData(Resource("BITMAP", kStandardHotImages)));
  EXPECT_EQ(hot.size(), standard.size());
  // The shape toolbar holds the drop-down group buttons, line first among the drawing tools.
  const std::vector<UINT> shape = Buttons(305);
  EXPECT_EQ(shape[0], 33936u);
  EXPECT_EQ(shape[1], 33924u);
}

TEST_P(ToolbarResources, BarIconsAreSmallImagesWithTransparency) {
  for (UINT id : kIcons) {
    QImage icon;
    ASSERT_TRUE(icon.loadFromData(Resource("ICON", id))) << id;
    EXPECT_EQ(icon.size(), QSize(16, 16)) << id;
    EXPECT_TRUE(icon.hasAlphaChannel()) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ToolbarResources, ::testing::Values("ENG", "JPN"));

// Both languages show the same pictures.
TEST(ToolbarResourcesBothLanguages, ImagesAreTheSameInEveryLanguage) {
  std::unique_ptr<ResourceModule> eng = ResourceModule::Load(U(QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResourceENG.rcc")));
  std::unique_ptr<ResourceModule> jpn = ResourceModule::Load(U(QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResourceJPN.rcc")));
  ASSERT_TRUE(eng && jpn);
  auto bytes = [](ResourceModule* m, const char* type, UINT id) {
    AfxAddResourceModule(m);
    const QByteArray b = Resource(type, id);
    AfxRemoveResourceModule(m);
    return b;
  };
  for (UINT id : kToolbars) {
    EXPECT_EQ(bytes(eng.get(), "BITMAP", id), bytes(jpn.get(), "BITMAP", id)) << id;
    EXPECT_EQ(bytes(eng.get(), "TOOLBAR", id), bytes(jpn.get(), "TOOLBAR", id)) << id;
  }
  for (UINT id : kIcons) EXPECT_EQ(bytes(eng.get(), "ICON", id), bytes(jpn.get(), "ICON", id)) << id;
}

}  // namespace

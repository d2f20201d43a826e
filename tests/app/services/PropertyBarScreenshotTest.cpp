// A picture of the property bar for the documentation: two circles' rows with the radius row selected,
// so that the toolbar shows its drop-down of pick modes. Run on demand: --gtest_also_run_disabled_tests
// with KC_SCREENSHOT_DIR set.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/WinConstants.h"
#include "property/CPropertyBar.h"

namespace {

class PropertyBarScreenshot : public ProgramFixture
{
};

}  // namespace

TEST_F(PropertyBarScreenshot, DISABLED_TwoCirclesWithTheRadiusRowSelected)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    m_frame->ShowWindow(SW_SHOW);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const Circle2dFeature a(RuVaPnt2d(50, 50), 20);
    const Circle2dFeature b(RuVaPnt2d(120, 60), 20);
    CArray<FeatureLayout> records;
    for (const Circle2dFeature* p : {&a, &b})
        records.Add(FeatureLayout(pModel->AddFeature(p, pModel->GetActiveDrawingFeature(), 1),
                                  pModel->GetActiveLayoutID(), -1));
    pModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, TRUE);
    Pump();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    ASSERT_NE(pBar, nullptr);
    m_frame->ShowPropertyBar(TRUE);
    const int nRow = pBar->FindRowByPropertyId(17);
    ASSERT_GE(nRow, 0);
    pBar->GetList().SetCurSel(nRow);
    Pump();
    QWidget* pWidget = pBar->GetQWidget();
    pWidget->resize(std::max(pWidget->width(), 260), std::max(pWidget->height(), 320));
    Pump();
    const QImage image = pWidget->grab().toImage();
    ASSERT_FALSE(image.isNull());
    ASSERT_TRUE(image.save(dir + QStringLiteral("/property-bar.png")));
}

// The remaining exchange functions: combo and list strings, exact matches, sliders, control
// objects, unsigned and real ranges; keys leaving an editable combo box; an image list read
// from a language library's bitmap with a mask colour.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include "TestApp.h"
#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CDC.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDialog.h"
#include "platform/win/CImageList.h"
#include "platform/win/CSliderCtrl.h"
#include "platform/win/DialogTemplate.h"

namespace {

const char* const kKinds = R"(DIALOG 0 0 220 140
FONT 9 "DejaVu Sans"
CONTROL COMBOBOX 201 "" 5 5 100 80 CBS_DROPDOWN | WS_TABSTOP
CONTROL COMBOBOX 202 "" 110 5 100 80 CBS_DROPDOWNLIST | WS_TABSTOP
CONTROL LISTBOX 203 "" 5 25 100 50 LBS_NOTIFY | LBS_SORT | WS_TABSTOP
CONTROL msctls_trackbar32 204 "" 110 25 100 15 WS_TABSTOP
CONTROL EDIT 205 "" 110 45 60 12 WS_TABSTOP
CONTROL EDIT 206 "" 110 60 60 12 WS_TABSTOP
CONTROL BUTTON IDOK "OK" 110 110 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
)";

class CKindsDlg : public CDialog {
public:
  CString m_free = CString(u"Ar");
  CString m_exact = CString(u"arc");
  CString m_pick = CString(u"fi");
  int m_level = 7;
  UINT m_count = 5;
  double m_ratio = 0.5;
  CSliderCtrl m_slider;

  BOOL OnInitDialog() override {
    for (int id : {201, 202})
      for (const char16_t* s : {u"Arc", u"arc", u"Line"}) GetDlgItem(id)->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    for (const char16_t* s : {u"pear", u"fig", u"figure"}) GetDlgItem(203)->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, 204, m_slider);
    if (!pDX->m_bSaveAndValidate) m_slider.SetRange(0, 10);
    DDX_CBString(pDX, 201, m_free);
    DDX_CBStringExact(pDX, 202, m_exact);
    DDX_LBString(pDX, 203, m_pick);
    DDX_Slider(pDX, 204, m_level);
    DDX_Text(pDX, 205, m_count);
    DDV_MinMaxUInt(pDX, m_count, 1, 9);
    DDX_Text(pDX, 206, m_ratio);
    DDV_MinMaxDouble(pDX, m_ratio, 0.0, 1.0);
  }
};

DialogTemplate Parsed(const char* text) {
  DialogTemplate t;
  EXPECT_TRUE(t.Parse(CString::FromQString(QString::fromUtf8(text))));
  return t;
}

std::string S(const CString& s) { return s.ToQString().toStdString(); }

class ExchangeKindsTest : public ::testing::Test {
protected:
  void SetUp() override {
    TheTestApp().prompts.clear();
    ASSERT_TRUE(dlg.CreateIndirect(Parsed(kKinds)));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.GetQWidget()));
  }
  void TearDown() override { dlg.DestroyWindow(); }
  CString Text(int id) {
    CString s;
    dlg.GetDlgItemText(id, s);
    return s;
  }
  CKindsDlg dlg;
};

TEST_F(ExchangeKindsTest, LoadingPicksMatchingEntries) {
  EXPECT_EQ(S(Text(201)), "Arc") << "the first entry beginning with the text";
  EXPECT_EQ(dlg.GetDlgItem(202)->SendMessage(CB_GETCURSEL), 0) << "the first entry equal but for case";
  EXPECT_EQ(S(Text(202)), "Arc");
  EXPECT_EQ(dlg.GetDlgItem(203)->SendMessage(LB_GETCURSEL), 0) << "sorted: fig, figure, pear";
  EXPECT_EQ(dlg.m_slider.GetPos(), 7);
  EXPECT_EQ(dlg.GetDlgItem(204), &dlg.m_slider) << "DDX_Control attached the member";
  EXPECT_EQ(S(Text(205)), "5");

  // A text no entry begins with is still shown in a drop-down combo box.
  dlg.m_free = CString(u"Spline");
  dlg.UpdateData(FALSE);
  EXPECT_EQ(S(Text(201)), "Spline");
}

TEST_F(ExchangeKindsTest, SavingReadsEachKind) {
  dlg.SetDlgItemText(201, u"Polyline");
  dlg.GetDlgItem(202)->SendMessage(CB_SETCURSEL, 2);
  dlg.GetDlgItem(203)->SendMessage(LB_SETCURSEL, 2);
  dlg.m_slider.SetPos(3);
  dlg.SetDlgItemText(205, u"9");
  dlg.SetDlgItemText(206, u"1e-3");
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(S(dlg.m_free), "Polyline");
  EXPECT_EQ(S(dlg.m_exact), "Line");
  EXPECT_EQ(S(dlg.m_pick), "pear");
  EXPECT_EQ(dlg.m_level, 3);
  EXPECT_EQ(dlg.m_count, 9u);
  EXPECT_DOUBLE_EQ(dlg.m_ratio, 0.001);
}

TEST_F(ExchangeKindsTest, UnsignedAndRealRefusals) {
  struct Case {
    int id;
    const char16_t* text;
    UINT prompt;
  } cases[] = {{205, u"-1", AFX_IDP_PARSE_UINT},
               {205, u"10", AFX_IDP_PARSE_INT_RANGE},
               {206, u"1.5", AFX_IDP_PARSE_REAL_RANGE},
               {206, u"0,5", AFX_IDP_PARSE_REAL}};
  for (const Case& c : cases) {
    dlg.UpdateData(FALSE);
    dlg.SetDlgItemText(c.id, c.text);
    TheTestApp().prompts.clear();
    EXPECT_FALSE(dlg.UpdateData(TRUE)) << S(CString(c.text));
    ASSERT_EQ(TheTestApp().prompts.size(), 1u);
    const std::string prompt = S(TheTestApp().prompts[0]);
    const std::string plain = S(AfxDataExchangePrompt(c.prompt));
    EXPECT_EQ(prompt.substr(0, 12), plain.substr(0, 12)) << prompt;
    EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), c.id);
    dlg.m_count = 5;
    dlg.m_ratio = 0.5;
  }
}

TEST_F(ExchangeKindsTest, TabLeavesAnEditableComboBox) {
  dlg.GotoDlgCtrl(dlg.GetDlgItem(201));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), 202);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), 201);
}

TEST(ImageListResourceTest, StripFromTheLanguageLibraryWithAMaskColour) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  QImage strip(48, 16, QImage::Format_RGB32);
  strip.fill(qRgb(192, 192, 192));
  strip.setPixel(20, 4, qRgb(255, 0, 0));
  const QString src = tmp.filePath(QStringLiteral("src"));
  QDir().mkpath(src + QStringLiteral("/BITMAP"));
  ASSERT_TRUE(strip.save(src + QStringLiteral("/BITMAP/140.png")));
  QFile strings(src + QStringLiteral("/strings.txt"));
  ASSERT_TRUE(strings.open(QIODevice::WriteOnly));
  strings.write("1\tx\n");
  strings.close();
  QFile qrc(src + QStringLiteral("/m.qrc"));
  ASSERT_TRUE(qrc.open(QIODevice::WriteOnly));
  qrc.write(("<!DOCTYPE RCC><RCC version=\"1.0\"><qresource prefix=\"/\"><file alias=\"strings.txt\">" + src.toUtf8() +
             "/strings.txt</file><file alias=\"BITMAP/140.png\">" + src.toUtf8() + "/BITMAP/140.png</file></qresource></RCC>\n"));
  qrc.close();
  const QString out = tmp.filePath(QStringLiteral("KcResourceTST.rcc"));
  QProcess rcc;
  rcc.start(QStringLiteral(KC_TEST_RCC), {QStringLiteral("--binary"), QStringLiteral("--no-compress"), QStringLiteral("-o"), out,
                                          src + QStringLiteral("/m.qrc")});
  ASSERT_TRUE(rcc.waitForFinished(60000));
  ResourceModule* module = AfxLoadResourceModule(out.toStdU16String());
  ASSERT_NE(module, nullptr);
  ResourceModule* old = AfxGetResourceHandle();
  AfxSetResourceHandle(module);

  CImageList il;
  ASSERT_TRUE(il.Create(140, 16, 4, RGB(192, 192, 192)));
  EXPECT_EQ(il.GetImageCount(), 3);
  QImage target(16, 16, QImage::Format_RGB32);
  target.fill(qRgb(0, 0, 0));
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateFromPaintDevice(&target));
    il.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT);
  }
  EXPECT_EQ(target.pixel(4, 4) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, 0u) << "the mask colour is transparent";
  CImageList missing;
  EXPECT_FALSE(missing.Create(141, 16, 4, CLR_DEFAULT));

  AfxSetResourceHandle(old);
  AfxFreeResourceModule(module);
}

}  // namespace

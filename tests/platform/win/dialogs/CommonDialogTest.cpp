// The common dialogs over Qt's own dialogs, driven from a timer while they run: files chosen
// singly and several at once, filters, default extensions, the hook's events, a buffer too
// small; colours with custom colours; fonts to and from a LOGFONT.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFontDialog>

#include <functional>
#include <string>
#include <vector>

#include "platform/win/CColorDialog.h"
#include "platform/win/CFileDialog.h"
#include "platform/win/CFontDialog.h"
#include "platform/win/CPrintDialog.h"

namespace {

// Runs f on the modal dialog of type T once it is up; a loaded machine may take seconds.
template <class T>
void WhenUp(std::function<void(T*)> f) {
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setInterval(10);
  QElapsedTimer since;
  since.start();
  QObject::connect(timer, &QTimer::timeout, timer, [timer, f, since] {
    auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!d && !since.hasExpired(30000)) return;
    timer->stop();
    timer->deleteLater();
    if (d) f(d);
  });
  timer->start();
}

class CommonDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    for (const char* n : {"a.txt", "b.txt", "c.dat"}) {
      QFile f(tmp.filePath(QString::fromLatin1(n)));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
  }
  std::u16string Dir() const { return QDir::toNativeSeparators(tmp.path()).toStdU16String(); }
  QString Path(const char* n) const { return QDir::toNativeSeparators(tmp.filePath(QString::fromLatin1(n))); }
  QTemporaryDir tmp;
};

std::string S(const CString& s) { return s.ToQString().toStdString(); }

TEST_F(CommonDialogTest, OpenOneFileWithFilters) {
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, u"Data (*.dat)|*.dat|Texts|*.txt;*.text||");
  const std::u16string dir = Dir();
  dlg.m_ofn.lpstrInitialDir = dir.c_str();
  dlg.m_ofn.nFilterIndex = 2;
  QStringList filters;
  QString selected;
  WhenUp<QFileDialog>([&](QFileDialog* d) {
    filters = d->nameFilters();
    selected = d->selectedNameFilter();
    d->selectFile(Path("b.txt"));
    static_cast<QDialog*>(d)->accept();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(filters.size(), 2);
  EXPECT_EQ(selected, filters.value(1));
  EXPECT_EQ(dlg.GetPathName().ToQString(), Path("b.txt"));
  EXPECT_EQ(S(dlg.GetFileName()), "b.txt");
  EXPECT_EQ(S(dlg.GetFileExt()), "txt");
  EXPECT_EQ(S(dlg.GetFileTitle()), "b");
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);
  EXPECT_EQ(dlg.m_ofn.lpstrFile[dlg.m_ofn.nFileOffset], u'b');
}

TEST_F(CommonDialogTest, OpenSeveralFiles) {
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
  const std::u16string dir = Dir();
  dlg.m_ofn.lpstrInitialDir = dir.c_str();
  WhenUp<QFileDialog>([&](QFileDialog* d) {
    d->selectFile(QStringLiteral("\"a.txt\" \"c.dat\""));
    static_cast<QDialog*>(d)->accept();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  std::vector<QString> got;
  for (POSITION pos = dlg.GetStartPosition(); pos;) got.push_back(dlg.GetNextPathName(pos).ToQString());
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(QFileInfo(got[0]).fileName(), QStringLiteral("a.txt"));
  EXPECT_EQ(QFileInfo(got[1]).fileName(), QStringLiteral("c.dat"));
  EXPECT_EQ(QFileInfo(got[1]).absolutePath(), QFileInfo(tmp.path()).absoluteFilePath());
}

std::vector<UINT> g_hookEvents;
UINT_PTR Hook(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) g_hookEvents.push_back(WM_INITDIALOG);
  if (message == WM_NOTIFY) g_hookEvents.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
  return 0;
}

TEST_F(CommonDialogTest, SaveAddsTheDefaultExtensionAndTellsTheHook) {
  std::u16string buffer(260, u'\0');
  const std::u16string dir = Dir();
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = dir.c_str();
  ofn.lpstrDefExt = u"kcd";
  ofn.lpstrFilter = u"Drawings\0*.kcd\0\0";
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = &Hook;
  g_hookEvents.clear();
  WhenUp<QFileDialog>([&](QFileDialog* d) {
    d->selectFile(QStringLiteral("plan"));
    static_cast<QDialog*>(d)->accept();
  });
  ASSERT_TRUE(GetSaveFileName(&ofn));
  EXPECT_EQ(QString::fromUtf16(buffer.c_str()), Path("plan.kcd"));
  EXPECT_EQ(ofn.nFileExtension, static_cast<WORD>(QString::fromUtf16(buffer.c_str()).size() - 3));
  ASSERT_GE(g_hookEvents.size(), 3u);
  EXPECT_EQ(g_hookEvents.front(), static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(g_hookEvents.back(), static_cast<UINT>(CDN_FILEOK));
}

TEST_F(CommonDialogTest, CancelAndTooSmallABuffer) {
  char16_t small[8] = {};
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.lpstrFile = small;
  ofn.nMaxFile = 8;
  const std::u16string dir = Dir();
  ofn.lpstrInitialDir = dir.c_str();
  WhenUp<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  WhenUp<QFileDialog>([&](QFileDialog* d) {
    d->selectFile(Path("a.txt"));
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  EXPECT_EQ(small[0], u'\0') << "nothing half-written";
}

// One error for the common dialogs of every kind: a failed print dialog replaces the file
// dialog's error, and the next file dialog replaces it again, while the print dialogs' own
// error stays with the last print dialog.
TEST_F(CommonDialogTest, TheLastDialogOfAnyKindHoldsTheError) {
  char16_t small[8] = {};
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.lpstrFile = small;
  ofn.nMaxFile = 8;
  const std::u16string dir = Dir();
  ofn.lpstrInitialDir = dir.c_str();
  WhenUp<QFileDialog>([&](QFileDialog* d) {
    d->selectFile(Path("a.txt"));
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_FALSE(GetOpenFileName(&ofn));
  ASSERT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));

  PRINTDLG pd{};
  pd.lStructSize = sizeof(pd) + 4;
  EXPECT_FALSE(PrintDlg(&pd));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(CDERR_STRUCTSIZE));

  WhenUp<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(AfxGetPrintDlgError(), static_cast<DWORD>(CDERR_STRUCTSIZE));

  EXPECT_FALSE(PrintDlg(nullptr));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_INITFAILURE));
}

TEST_F(CommonDialogTest, ColourAndCustomColours) {
  CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN);
  QColor initial;
  WhenUp<QColorDialog>([&](QColorDialog* d) {
    initial = d->currentColor();
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));
    d->setCurrentColor(QColor(200, 100, 50));
    static_cast<QDialog*>(d)->accept();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(initial, QColor(10, 20, 30));
  EXPECT_EQ(dlg.GetColor(), static_cast<COLORREF>(RGB(200, 100, 50)));
  EXPECT_EQ(dlg.m_cc.lpCustColors[3], static_cast<COLORREF>(RGB(1, 2, 3)));
  CColorDialog again;
  WhenUp<QColorDialog>([](QColorDialog* d) { d->reject(); });
  EXPECT_EQ(again.DoModal(), IDCANCEL);
  EXPECT_EQ(again.m_cc.lpCustColors[3], static_cast<COLORREF>(RGB(1, 2, 3))) << "custom colours are kept";
}

TEST_F(CommonDialogTest, FontToAndFromALogFont) {
  LOGFONT lf{};
  lf.lfHeight = -16;
  lf.lfWeight = 700;
  const std::u16string face = u"DejaVu Sans";
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  CFontDialog dlg(&lf);
  QFont shown;
  WhenUp<QFontDialog>([&](QFontDialog* d) {
    shown = d->currentFont();
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPointSize(12);
    f.setItalic(true);
    d->setCurrentFont(f);
    static_cast<QDialog*>(d)->accept();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(shown.family(), QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(shown.bold());
  EXPECT_DOUBLE_EQ(shown.pointSizeF(), 12.0);
  EXPECT_EQ(S(dlg.GetFaceName()), "DejaVu Serif");
  EXPECT_EQ(dlg.GetSize(), 120);
  EXPECT_TRUE(dlg.IsItalic());
  EXPECT_FALSE(dlg.IsBold());
  EXPECT_EQ(dlg.m_lf.lfHeight, -16);
}

}  // namespace

namespace {

TEST(CommonDialogErrors, ColourAndFontDialogsAnswerForThemselves) {
  // A file dialog's failure must not be reported after a colour or font dialog ran.
  PRINTDLG pd{};
  pd.lStructSize = sizeof(pd) + 4;
  EXPECT_FALSE(PrintDlg(&pd));
  ASSERT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  EXPECT_FALSE(ChooseColor(nullptr));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));

  EXPECT_FALSE(PrintDlg(&pd));
  ASSERT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  EXPECT_FALSE(ChooseFont(nullptr));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
}

}  // namespace

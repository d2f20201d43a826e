// A small sketch window written the way the program's own windows are: a message map with
// mouse, key, paint, context-menu and command handlers, an accelerator table translated in
// PreTranslateMessage, capture while drawing and CCmdUI updates. Driven offscreen.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QMenu>
#include <QtWidgets/QWidget>

#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinAccelerator.h"

namespace {

const UINT ID_SKETCH_CLEAR = 32801;

class CSketchWnd : public CWnd {
public:
  std::vector<std::vector<CPoint>> m_strokes;
  BOOL m_bDrawing = FALSE;
  HACCEL m_hAccel = nullptr;
  CMenu m_menu;

  ~CSketchWnd() override { DestroyAcceleratorTable(m_hAccel); }

  BOOL Create(CWnd* pParent) {
    m_hAccel = AfxLoadAcceleratorsFromText(u"\"Z\", 57643, VIRTKEY, CONTROL\nVK_DELETE, 32801, VIRTKEY\n");
    m_menu.LoadMenuFromText(u"POPUP \"Sketch\"\n MENUITEM \"&Undo\", 57643\n MENUITEM \"&Clear\", 32801\nEND\n");
    return CWnd::CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_CROSS)), u"Sketch",
                          WS_POPUP | WS_VISIBLE, CRect(0, 0, 120, 80), pParent, 0);
  }

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_hAccel && TranslateAccelerator(m_hWnd, m_hAccel, pMsg)) return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
  }

protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    SetCapture();
    m_bDrawing = TRUE;
    m_strokes.push_back({point});
    CWnd::OnLButtonDown(nFlags, point);
  }
  afx_msg void OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bDrawing && (nFlags & MK_LBUTTON)) {
      m_strokes.back().push_back(point);
      Invalidate(FALSE);
    }
  }
  afx_msg void OnLButtonUp(UINT, CPoint point) {
    if (!m_bDrawing) return;
    m_strokes.back().push_back(point);
    m_bDrawing = FALSE;
    ReleaseCapture();
    Invalidate();
  }
  afx_msg void OnCaptureChanged(CWnd*) { m_bDrawing = FALSE; }
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_ESCAPE && m_bDrawing) {
      m_strokes.pop_back();
      ReleaseCapture();
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
  }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    return TRUE;
  }
  afx_msg void OnPaint() {
    CDC dc;
    dc.CreateFromPainter(GetPaintPainter());
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    for (const auto& s : m_strokes) {
      dc.MoveTo(s.front());
      for (size_t i = 1; i < s.size(); ++i) dc.LineTo(s[i]);
    }
    dc.SelectObject(old);
    dc.DeleteDC();
  }
  afx_msg void OnContextMenu(CWnd*, CPoint pos) {
    const UINT id = m_menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, pos.x, pos.y, this);
    if (id) SendMessage(WM_COMMAND, id);
  }
  afx_msg void OnEditUndo() {
    if (!m_strokes.empty()) m_strokes.pop_back();
    Invalidate();
  }
  afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_strokes.empty()); }
  afx_msg void OnClear() {
    m_strokes.clear();
    Invalidate();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSketchWnd, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_CONTEXTMENU()
  ON_COMMAND(ID_EDIT_UNDO, &CSketchWnd::OnEditUndo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CSketchWnd::OnUpdateEditUndo)
  ON_COMMAND(ID_SKETCH_CLEAR, &CSketchWnd::OnClear)
END_MESSAGE_MAP()

void Mouse(QWidget* w, QEvent::Type t, QPoint p, Qt::MouseButtons held) {
  QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

void Stroke(CSketchWnd& wnd, QPoint a, QPoint b) {
  QWidget* w = wnd.GetQWidget();
  Mouse(w, QEvent::MouseButtonPress, a, Qt::LeftButton);
  Mouse(w, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
  Mouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton);
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

int g_demoPick = -1;

TEST(DemoWindowTest, SketchWindowBehavesLikeItsOriginal) {
  CSketchWnd wnd;
  ASSERT_TRUE(wnd.Create(nullptr));
  QWidget* w = wnd.GetQWidget();

  // Drawing a stroke holds the capture only while the button is down.
  Mouse(w, QEvent::MouseButtonPress, QPoint(10, 40), Qt::LeftButton);
  EXPECT_EQ(CWnd::GetCapture(), &wnd);
  Mouse(w, QEvent::MouseMove, QPoint(60, 40), Qt::LeftButton);
  Mouse(w, QEvent::MouseButtonRelease, QPoint(100, 40), Qt::NoButton);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  ASSERT_EQ(wnd.m_strokes.size(), 1u);
  EXPECT_EQ(wnd.m_strokes[0], (std::vector<CPoint>{CPoint(10, 40), CPoint(60, 40), CPoint(100, 40)}));

  // The picture: white background, a black line along the stroke.
  const QImage img = w->grab().toImage();
  EXPECT_EQ(QColor(img.pixel(50, 40)), QColor(Qt::black));
  EXPECT_EQ(QColor(img.pixel(50, 10)), QColor(Qt::white));

  // Escape while drawing drops the stroke in progress.
  Mouse(w, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
  QTest::keyClick(w, Qt::Key_Escape);
  EXPECT_EQ(wnd.m_strokes.size(), 1u);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  Mouse(w, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);

  // Ctrl+Z runs Undo through the accelerator table; with nothing left Undo is disabled and
  // the accelerator does nothing.
  Stroke(wnd, QPoint(10, 60), QPoint(30, 60));
  ASSERT_EQ(wnd.m_strokes.size(), 2u);
  QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(wnd.m_strokes.size(), 1u);
  QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(wnd.m_strokes.size(), 0u);
  {
    struct Probe : CCmdUI {
      int enabled = -1;
      void Enable(BOOL b) override {
        enabled = b;
        m_bEnableChanged = TRUE;
      }
    } probe;
    probe.m_nID = ID_EDIT_UNDO;
    probe.DoUpdate(&wnd, TRUE);
    EXPECT_EQ(probe.enabled, 0);
  }

  // The context menu's choice runs its command.
  Stroke(wnd, QPoint(10, 20), QPoint(40, 20));
  AfxSetPopupMenuHook([](QMenu* menu) {
    QTimer::singleShot(0, menu, [menu] {
      std::vector<QAction*> items;
      for (QAction* a : menu->actions())
        if (!a->isSeparator()) items.push_back(a);
      items.at(static_cast<size_t>(g_demoPick))->trigger();
    });
  });
  g_demoPick = 1;  // Clear
  QContextMenuEvent ctx(QContextMenuEvent::Mouse, QPoint(20, 20), w->mapToGlobal(QPoint(20, 20)));
  QCoreApplication::sendEvent(w, &ctx);
  AfxSetPopupMenuHook(nullptr);
  EXPECT_TRUE(wnd.m_strokes.empty());

  // Delete is the accelerator of Clear too.
  Stroke(wnd, QPoint(10, 20), QPoint(40, 20));
  QTest::keyClick(w, Qt::Key_Delete);
  EXPECT_TRUE(wnd.m_strokes.empty());

  wnd.DestroyWindow();
  Settle();
}

}  // namespace

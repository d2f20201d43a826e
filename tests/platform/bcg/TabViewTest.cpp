// The tab view: views of one document as tabs, the active tab told to the view after it
// changed, tabs closed with their views, labels, colours and the tab under a point.
#include <QtCore/QPoint>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabBar>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPTabView.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"

namespace {

class CPlainDoc : public CDocument {
public:
  CPlainDoc() { m_bAutoDelete = FALSE; }
  int Views() const {
    int n = 0;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
      GetNextView(pos);
      ++n;
    }
    return n;
  }
};

class CPageView : public CView {
  DECLARE_DYNCREATE(CPageView)
public:
  static int s_live;
  CPageView() { ++s_live; }
  ~CPageView() override { --s_live; }
  void OnDraw(CDC*) override {}
};
int CPageView::s_live = 0;
IMPLEMENT_DYNCREATE(CPageView, CView)

class CPagesView : public CBCGPTabView {
  DECLARE_DYNCREATE(CPagesView)
public:
  std::vector<int> m_changes;  // the active tab each time the view heard of a change
  int m_contextMenus = 0;
  void OnActiveTabViewChanged(CView* pView) override {
    m_changes.push_back(GetTabControl().GetActiveTab());
    EXPECT_EQ(pView, GetActiveView());
  }
  afx_msg void OnContextMenu(CWnd*, CPoint) { ++m_contextMenus; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPagesView, CBCGPTabView)
BEGIN_MESSAGE_MAP(CPagesView, CBCGPTabView)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

TEST_F(BcgTest, TabViewHoldsViewsOfItsDocumentAsTabs) {
  CTestFrame* f = OpenFrame();
  CPlainDoc doc;
  auto* child = new CBCGPMDIChildWnd;
  ASSERT_TRUE(child->Create(nullptr, u"Drawing", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, f));
  CCreateContext ctx;
  ctx.m_pCurrentDoc = &doc;
  auto* tabs = new CPagesView;
  ASSERT_TRUE(tabs->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), child, AFX_IDW_PANE_FIRST, &ctx));
  tabs->MoveWindow(0, 0, 400, 300);
  EXPECT_EQ(tabs->GetActiveView(), nullptr);

  EXPECT_EQ(tabs->AddView(RUNTIME_CLASS(CPageView), u"Paper"), 0);
  EXPECT_EQ(tabs->AddView(RUNTIME_CLASS(CPageView), u"Part"), 1);
  EXPECT_EQ(tabs->AddView(RUNTIME_CLASS(CPageView), u"Layers", 1), 1);
  EXPECT_EQ(CPageView::s_live, 3);
  EXPECT_EQ(doc.Views(), 4);  // the tab view and its three tabs
  // Only the first tab became active by being added.
  EXPECT_EQ(tabs->m_changes, std::vector<int>{0});
  CBCGPTabWnd& wnd = tabs->GetTabControl();
  CString label;
  ASSERT_TRUE(wnd.GetTabLabel(1, label));
  EXPECT_EQ(label, CString(u"Layers"));
  CView* paper = tabs->GetActiveView();
  ASSERT_NE(paper, nullptr);
  EXPECT_EQ(tabs->FindTab(paper->m_hWnd), 0);

  // The program activates a tab; then the user clicks one.
  ASSERT_TRUE(tabs->SetActiveView(2));
  CView* part = tabs->GetActiveView();
  EXPECT_NE(part, paper);
  EXPECT_TRUE(part->IsWindowVisible());
  EXPECT_FALSE(paper->IsWindowVisible());
  QTabBar* row = wnd.GetQWidget()->findChild<QTabBar*>();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->currentIndex(), 2);
  row->setCurrentIndex(1);
  EXPECT_EQ(wnd.GetActiveTab(), 1);
  EXPECT_EQ(tabs->m_changes, (std::vector<int>{0, 2, 1}));
  // The tab views fill the area beside the tabs.
  CRect area, pos;
  wnd.GetWndArea(area);
  tabs->GetActiveView()->GetWindowRect(&pos);
  wnd.ScreenToClient(&pos);
  EXPECT_EQ(pos, area);

  // The tab under a point; a right click on a tab reaches the tab view as a context menu.
  const QRect r = row->tabRect(2);
  const QPoint c = row->mapTo(wnd.GetQWidget(), r.center());
  CPoint pt(c.x(), c.y());
  EXPECT_EQ(wnd.GetTabFromPoint(pt), 2);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(r.center()), row->mapToGlobal(QPointF(r.center())),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(r.center()), row->mapToGlobal(QPointF(r.center())),
                      Qt::RightButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(row, &press);
  QApplication::sendEvent(row, &release);
  EXPECT_EQ(tabs->m_contextMenus, 1);

  // Colours; closing the active middle tab activates the one after it and destroys its view.
  EXPECT_TRUE(wnd.SetTabBkColor(0, RGB(197, 212, 242)));
  EXPECT_EQ(wnd.GetTabBkColor(0), RGB(197, 212, 242));
  EXPECT_EQ(wnd.GetTabBkColor(1), (COLORREF)-1);
  EXPECT_FALSE(wnd.SetTabBkColor(7, 0));
  // Tab icons show what the icon resource holds.
  HICON icon = m_app->LoadIcon(IDR_MAINFRAME);
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(wnd.SetTabIcon(0, icon));
  EXPECT_EQ(wnd.GetTabIcon(0), icon);
  const QImage shown = row->tabIcon(0).pixmap(16, 16).toImage();
  EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::darkGreen));
  ASSERT_TRUE(tabs->RemoveView(1));
  Pump();
  EXPECT_EQ(CPageView::s_live, 2);
  EXPECT_EQ(doc.Views(), 3);
  EXPECT_EQ(tabs->GetActiveView(), part);
  EXPECT_EQ(wnd.GetTabsNum(), 2);
  EXPECT_EQ(row->count(), 2);
  EXPECT_FALSE(tabs->RemoveView(5));

  child->DestroyWindow();
  Pump();
  EXPECT_EQ(CPageView::s_live, 0);
  CloseFrame(f);
}

}  // namespace

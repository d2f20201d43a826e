#pragma once
// A small document/view program for the tests: a document of numbers, a view that counts its
// paints and updates, a document window, an MDI main frame and an application, each handling
// commands so that routing can be followed; a language library built for the run with the
// program's menus, keys and texts; and helpers that answer message boxes and file dialogs.

#include <gtest/gtest.h>

#include <QtCore/QString>
#include <QtCore/QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"

class QMessageBox;

constexpr UINT IDR_MAINFRAME = 100;
constexpr UINT IDR_NUMBERTYPE = 200;
constexpr UINT ID_NUM_ADD = 32801;     // document: adds a number
constexpr UINT ID_NUM_SHOWN = 32802;   // document: checked while it has numbers
constexpr UINT ID_NUM_ORPHAN = 32806;  // handled by nobody
constexpr UINT ID_ROUTE = 32810;       // each stop logs it and passes it on unless told to take it
constexpr UINT ID_ROUTE_LAST = 32811;  // each stop logs its update and passes it on

// Where ID_ROUTE went, in order, and which stop takes it.
struct RouteLog {
  std::vector<std::string> stops;
  std::string taker;
  bool Visit(const char* who) {
    stops.push_back(who);
    return taker == who;
  }
};
RouteLog& Route();

class CNumberDoc : public CDocument {
  DECLARE_DYNCREATE(CNumberDoc)
public:
  std::vector<int> m_values;
  BOOL m_bLocked = FALSE;     // ID_NUM_ADD is disabled
  int m_nFailAfter = -1;      // storing throws after this many numbers (-1: never)
  static int s_live;          // documents alive

  CNumberDoc() { ++s_live; }
  ~CNumberDoc() override { --s_live; }
  void Serialize(CArchive& ar) override;
  void DeleteContents() override { m_values.clear(); }
  afx_msg void OnAdd();
  afx_msg void OnUpdateAdd(CCmdUI* pCmdUI);
  afx_msg void OnUpdateShown(CCmdUI* pCmdUI);
  afx_msg BOOL OnRoute(UINT);
  afx_msg void OnUpdateRoute(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class CNumberView : public CView {
  DECLARE_DYNCREATE(CNumberView)
public:
  int m_nDraws = 0;
  int m_nInitialUpdates = 0;
  int m_nUpdates = 0;
  int m_nActivations = 0;
  int m_nPrintedPages = 0;
  std::vector<std::string> m_printSteps;
  UINT m_nPages = 2;
  static int s_live;

  CNumberView() { ++s_live; }
  ~CNumberView() override { --s_live; }
  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override {
    ++m_nInitialUpdates;
    CView::OnInitialUpdate();
  }
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override {
    ++m_nUpdates;
    CView::OnUpdate(pSender, lHint, pHint);
  }
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override {
    if (bActivate) ++m_nActivations;
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  }
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override { m_printSteps.push_back("begin"); }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override { m_printSteps.push_back("end"); }
  CNumberDoc* GetDocument() const { return static_cast<CNumberDoc*>(m_pDocument); }
  afx_msg BOOL OnRoute(UINT);
  afx_msg void OnUpdateRoute(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class CNumberChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CNumberChild)
public:
  int m_nActivated = 0;
  int m_nDeactivated = 0;
  afx_msg BOOL OnRoute(UINT);
  afx_msg void OnUpdateRoute(CCmdUI* pCmdUI);
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  DECLARE_MESSAGE_MAP()
};

class CNumberMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CNumberMainFrame)
public:
  afx_msg BOOL OnRoute(UINT);
  afx_msg void OnUpdateRoute(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class CNumberApp : public CWinApp {
public:
  CNumberApp();
  afx_msg BOOL OnRoute(UINT);
  afx_msg void OnUpdateRoute(CCmdUI* pCmdUI);
  afx_msg void OnFileNew() { AfxGetDocManager()->OnFileNew(); }
  DECLARE_MESSAGE_MAP()
};

// Runs fn on the next modal dialog once it shows (polled from a zero timer).
void OnNextModal(std::function<void(QWidget*)> fn);
// Answers the next message box with a button, keeping its text.
void AnswerNextBox(int qtButton, QString* pText = nullptr);

// The program: language library, application, template, main frame.
class DocViewTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  CDocument* NewDocument();
  QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
  static CString C(const QString& s) { return CString::FromQString(s); }
  void Pump();

  QTemporaryDir m_dir;
  CNumberApp* m_app = nullptr;
  CMultiDocTemplate* m_template = nullptr;
  CNumberMainFrame* m_main = nullptr;
  ResourceModule* m_module = nullptr;
};

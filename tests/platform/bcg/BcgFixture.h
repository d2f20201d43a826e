#pragma once
// A small program of the docking library for the tests: an application with a workspace, an
// MDI frame that makes a menu bar, three toolbars (one of them user-customisable), four docking
// bars and a status bar in the way the program's main frame does, and a language library built
// for the run with its menus, toolbars, images and texts.

#include <gtest/gtest.h>

#include <QtCore/QString>

#include <string>
#include <vector>

#include "platform/afx/ResourceModule.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "platform/bcg/CBCGPMDIChildWnd.h"
#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPMenuBar.h"
#include "platform/bcg/CBCGPRibbonStatusBar.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPWorkspace.h"
#include "platform/win/CWinApp.h"

constexpr UINT IDR_MAINFRAME = 100;
constexpr UINT IDR_STANDARD = 110;  // toolbar resource and its bitmap
constexpr UINT IDR_SHAPE = 305;
constexpr UINT ID_CMD_NEW = 57600;
constexpr UINT ID_CMD_OPEN = 57601;
constexpr UINT ID_CMD_SNAP = 34649;    // checked while the frame's snap flag is set
constexpr UINT ID_CMD_LOCKED = 34650;  // disabled by its update handler
constexpr UINT ID_CMD_COMBO = 34646;
constexpr UINT ID_CMD_LINE = 33412;
constexpr UINT ID_CMD_CIRCLE = 33433;
constexpr UINT ID_BAR_COMMAND = 59424;
constexpr UINT ID_BAR_PROPERTY = 59425;
constexpr UINT ID_BAR_DRAWING = 59426;
constexpr UINT ID_BAR_LAYER = 59427;
constexpr UINT ID_TB_STANDARD = 59392;
constexpr UINT ID_TB_SHAPE = 59473;
constexpr UINT ID_TB_VIEW = 59476;

// The program's status bar draws information with a background colour of its own.
class CTestStatusBar : public CBCGPRibbonStatusBar {
public:
  COLORREF m_clrInfoBack = RGB(0, 0, 255);
  void OnDrawInformation(CDC* pDC, CString& strInfo, CRect rectInfo) override;
};

class CTestApp : public CWinApp, public CBCGPWorkspace {
public:
  CTestApp();
};

class CTestFrame : public CBCGPMDIFrameWnd {
  DECLARE_DYNCREATE(CTestFrame)
public:
  CBCGPMenuBar m_wndMenuBar;
  CBCGPToolBar m_wndStandard;
  CBCGPToolBar m_wndShape;
  CBCGPToolBar m_wndView;
  CBCGPDockingControlBar m_wndCommand;
  CBCGPDockingControlBar m_wndProperty;
  CBCGPDockingControlBar m_wndDrawing;
  CBCGPDockingControlBar m_wndLayer;
  CTestStatusBar m_wndStatus;
  CString m_strCoordinates = u"12, 34";

  BOOL m_bSnap = FALSE;
  std::vector<UINT> m_commands;         // commands that reached the frame, in order
  std::vector<UINT> m_resets;           // toolbar resources reported as loaded
  int m_comboSelectionSeen = -2;        // the combo's selection when its command came
  int m_popupsSeen = 0;
  BOOL m_bRefusePopups = FALSE;
  // Popups lose their "Open" item; refused popups do not show.
  BOOL OnShowPopupMenu(CBCGPPopupMenu* pMenuPopup) override;

  CBCGPDockingControlBar* Bar(UINT id);
  CBCGPToolBar* ToolBar(UINT id);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnCommandRange(UINT id);
  afx_msg void OnUpdateSnap(CCmdUI* pCmdUI);
  afx_msg void OnUpdateLocked(CCmdUI* pCmdUI);
  afx_msg void OnUpdateCoordinates(CCmdUI* pCmdUI);
  afx_msg LRESULT OnResetToolbar(WPARAM wp, LPARAM lp);
  DECLARE_MESSAGE_MAP()
};

class BcgTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // A new frame as the program makes it at start-up (the stored layout applied), shown.
  CTestFrame* OpenFrame();
  // Closes the frame as the user does (its layout is stored).
  void CloseFrame(CTestFrame*& frame);
  // Everything about the layout that a restart must keep, as text.
  static std::string Snapshot(CTestFrame* frame);

  ResourceModule* m_module = nullptr;
  CTestApp* m_app = nullptr;
};

// Lets queued messages and Qt events run.
void Pump();

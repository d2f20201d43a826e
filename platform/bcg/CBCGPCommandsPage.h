#pragma once
// The commands page of the customisation sheet: commands by category, put on a chosen toolbar.

#include "platform/win/CPropertyPage.h"

class CBCGPToolbarCustomize;
class QEvent;
class QMimeData;
class QObject;

class CBCGPCommandsPage : public CPropertyPage {
  DECLARE_DYNAMIC(CBCGPCommandsPage)
public:
  enum { IDC_CATEGORIES = 16601, IDC_COMMANDS = 16602, IDC_TARGET = 16603, IDC_ADD = 16604 };

  explicit CBCGPCommandsPage(CBCGPToolbarCustomize* pSheet = nullptr);
  ~CBCGPCommandsPage() override;

  // The button of the selected command as drag data for a toolbar (the caller owns it), or null.
  QMimeData* CreateDragData() const;
  // The commands list's mouse events: dragging a command starts a drag onto the toolbars.
  bool HandleListEvent(QEvent* pEvent);

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  afx_msg void OnCategoryChange();
  afx_msg void OnAdd();
  afx_msg void OnDestroy();
  void FillTargets();

  CBCGPToolbarCustomize* m_pCustomize;
  QObject* m_pListFilter = nullptr;  // owned by the list's widget
  int m_nDragFromX = -1;
  int m_nDragFromY = -1;
};

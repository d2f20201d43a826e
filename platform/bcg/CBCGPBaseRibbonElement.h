#pragma once
// An element of the ribbon status bar: a pane, a progress bar or a separator. It has a
// command id, a text, a place on its bar and draws itself through a CDC.

#include "platform/afx/CObject.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class CDC;
class CBCGPRibbonStatusBar;

class CBCGPBaseRibbonElement : public CObject {
  DECLARE_DYNAMIC(CBCGPBaseRibbonElement)
public:
  CBCGPBaseRibbonElement();
  ~CBCGPBaseRibbonElement() override;

  UINT GetID() const { return m_nID; }
  void SetID(UINT nID) { m_nID = nID; }
  virtual void SetText(LPCTSTR lpszText);
  LPCTSTR GetText() const { return m_strText; }
  // The label the customisation of the bar shows for the element.
  LPCTSTR GetLabel() const { return m_strLabel; }
  void SetLabel(LPCTSTR lpszLabel) { m_strLabel = lpszLabel ? lpszLabel : u""; }
  const CRect& GetRect() const { return m_rect; }
  void SetRect(const CRect& rect) { m_rect = rect; }
  BOOL IsVisible() const { return m_bIsVisible; }
  void SetVisible(BOOL bIsVisible) { m_bIsVisible = bIsVisible; }
  BOOL IsDisabled() const { return m_bIsDisabled; }
  void SetDisabled(BOOL b) { m_bIsDisabled = b; }
  // Static elements show, clickable ones send their command to the frame.
  virtual BOOL IsStatic() const { return TRUE; }
  virtual BOOL IsSeparator() const { return FALSE; }

  // The size the element needs on its bar.
  virtual CSize GetRegularSize(CDC* pDC);
  virtual void OnDraw(CDC* pDC);
  // Repaints the element on its bar.
  void Redraw();

  CBCGPRibbonStatusBar* GetParentRibbonBar() const { return m_pParent; }
  void SetParentRibbonBar(CBCGPRibbonStatusBar* pBar) { m_pParent = pBar; }

protected:
  UINT m_nID = 0;
  CString m_strText;
  CString m_strLabel;
  CRect m_rect;
  BOOL m_bIsVisible = TRUE;
  BOOL m_bIsDisabled = FALSE;
  CBCGPRibbonStatusBar* m_pParent = nullptr;
};

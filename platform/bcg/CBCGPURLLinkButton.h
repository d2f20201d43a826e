#pragma once
// A button shown as a link: a click opens its address in the desktop's browser (and the parent
// hears of the click as of any button).

#include "platform/bcg/CBCGPButton.h"

class CBCGPURLLinkButton : public CBCGPButton {
  DECLARE_DYNCREATE(CBCGPURLLinkButton)
public:
  CBCGPURLLinkButton();
  ~CBCGPURLLinkButton() override;

  void SetURL(LPCTSTR lpszURL);
  void SetURLPrefix(LPCTSTR lpszPrefix);
  // The address a click opens: the prefix and the address (the window text without one).
  CString GetFullURL() const;

  // Opens addresses; tests replace it to see what would open.
  typedef BOOL (*OpenUrlFn)(const CString& url);
  static void SetOpenUrlFunction(OpenUrlFn pfn);

protected:
  DECLARE_MESSAGE_MAP()
  void InitButton() override;
  afx_msg BOOL OnClicked();

  CString m_strURL;
  CString m_strPrefix;
};

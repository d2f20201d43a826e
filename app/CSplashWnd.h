#pragma once
// The picture shown for a moment while the program starts: 2.5 seconds, or until a key or a click,
// which goes nowhere else. Start-up decides whether it may appear; the main frame shows it once its
// window exists. The picture is "korvancadst.jpg" beside the program.

#include "platform/afx/CString.h"
#include "platform/afx/CSize.h"
#include "platform/win/CWnd.h"

namespace Gdiplus {
class Bitmap;
}

class CSplashWnd : public CWnd
{
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kShowMs = 2500;
    // The widest the picture is shown.
    static constexpr int kMaxWidth = 500;

    CSplashWnd();
    ~CSplashWnd() override;

    static void EnableSplashScreen(BOOL bEnable);
    static BOOL IsSplashScreenEnabled();
    // Shows the picture over pParentWnd; FALSE when disabled, already shown or without a picture.
    static BOOL ShowSplashScreen(CWnd* pParentWnd);
    // The splash on screen, or NULL.
    static CSplashWnd* GetSplashWnd() { return c_pSplashWnd; }
    // A key or click while the splash is up ends it and goes no further (TRUE); the application
    // asks before any window sees a message.
    static BOOL PreTranslateAppMessage(MSG* pMsg);

    // The picture's size on screen: at most kMaxWidth wide, the height in proportion.
    static CSize FitSize(int cx, int cy);
    // The picture file: "korvancadst.jpg" in the program's folder unless set (empty: that one).
    static void SetPicturePath(const CString& strPath) { c_strPicturePath = strPath; }
    static CString GetPicturePath();

    BOOL Create(CWnd* pParentWnd);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    void PostNcDestroy() override;

    static void HideSplashScreen();

    Gdiplus::Bitmap* m_pBitmap = nullptr;

private:
    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;
    static CString c_strPicturePath;
};

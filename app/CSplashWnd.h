#pragma once
// The picture shown for a moment while the program starts. Start-up decides whether it may appear;
// the main frame shows it once its window exists.

#include "platform/win/CWnd.h"

class CSplashWnd : public CWnd
{
public:
    CSplashWnd();
    ~CSplashWnd() override;

    static void EnableSplashScreen(BOOL bEnable);
    static BOOL IsSplashScreenEnabled();
    // Shows the picture over pParentWnd; FALSE when disabled, already shown or without a picture.
    static BOOL ShowSplashScreen(CWnd* pParentWnd);

private:
    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;
};

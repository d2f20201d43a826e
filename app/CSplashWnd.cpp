#include "app/CSplashWnd.h"

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;

CSplashWnd::CSplashWnd() = default;

CSplashWnd::~CSplashWnd()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
}

void CSplashWnd::EnableSplashScreen(BOOL bEnable)
{
    c_bShowSplashWnd = bEnable ? TRUE : FALSE;
}

BOOL CSplashWnd::IsSplashScreenEnabled()
{
    return c_bShowSplashWnd;
}

BOOL CSplashWnd::ShowSplashScreen(CWnd* /*pParentWnd*/)
{
    // No picture is installed with the program yet: start-up goes on without a splash.
    return FALSE;
}

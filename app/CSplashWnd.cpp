#include "app/CSplashWnd.h"

#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

#include "platform/afx/ResourceModule.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"

namespace {
// Presses on a window's frame or title.
constexpr UINT kNcLButtonDown = 0x00A1;
constexpr UINT kNcRButtonDown = 0x00A4;
constexpr UINT kNcMButtonDown = 0x00A7;
}  // namespace

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;
CString CSplashWnd::c_strPicturePath;

CSplashWnd::CSplashWnd() = default;

CSplashWnd::~CSplashWnd()
{
    delete m_pBitmap;
    m_pBitmap = nullptr;
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

CString CSplashWnd::GetPicturePath()
{
    if (!c_strPicturePath.IsEmpty())
        return c_strPicturePath;
    const std::u16string folder = AfxGetProgramFolder();
    if (folder.empty())
        return CString();
    return CString(folder.c_str()) + _T("korvancadst.jpg");
}

CSize CSplashWnd::FitSize(int cx, int cy)
{
    if (cx > kMaxWidth) {
        cy = static_cast<int>(static_cast<long long>(cy) * kMaxWidth / cx);
        cx = kMaxWidth;
    }
    return CSize(cx, cy);
}

BOOL CSplashWnd::ShowSplashScreen(CWnd* pParentWnd)
{
    if (!c_bShowSplashWnd || c_pSplashWnd != nullptr)
        return FALSE;
    c_pSplashWnd = new CSplashWnd;
    if (!c_pSplashWnd->Create(pParentWnd)) {
        delete c_pSplashWnd;
        c_pSplashWnd = nullptr;
        return FALSE;
    }
    c_pSplashWnd->CenterWindow();
    c_pSplashWnd->ShowWindow(SW_SHOW);
    c_pSplashWnd->UpdateWindow();
    return TRUE;
}

BOOL CSplashWnd::Create(CWnd* pParentWnd)
{
    const CString path = GetPicturePath();
    if (path.IsEmpty() || !QFileInfo(path.ToQString()).isFile())
        return FALSE;
    Gdiplus::Bitmap picture(path.GetString());
    if (picture.GetLastStatus() != Gdiplus::Ok || picture.GetWidth() == 0 || picture.GetHeight() == 0)
        return FALSE;
    const CSize size = FitSize(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()));
    auto* pBitmap = new Gdiplus::Bitmap(size.cx, size.cy, Gdiplus::PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(pBitmap);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        if (graphics.DrawImage(&picture, 0, 0, size.cx, size.cy) != Gdiplus::Ok) {
            delete pBitmap;
            return FALSE;
        }
        Gdiplus::Pen frame(Gdiplus::Color(255, 0, 0, 0), 2.0f);
        frame.SetAlignment(Gdiplus::PenAlignmentInset);
        graphics.DrawRectangle(&frame, 0, 0, size.cx, size.cy);
    }
    delete m_pBitmap;
    m_pBitmap = pBitmap;
    // Sized for the screen's pixels: the picture is drawn pixel for pixel on a high-density screen too.
    qreal ratio = 1.0;
    if (auto* pApp = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* pScreen = pApp->primaryScreen())
            ratio = pScreen->devicePixelRatio() > 0 ? pScreen->devicePixelRatio() : 1.0;
    const int cx = static_cast<int>(size.cx / ratio);
    const int cy = static_cast<int>(size.cy / ratio);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CreateEx(0, lpszClass, _T(""), WS_POPUP | WS_VISIBLE, 0, 0, cx, cy,
                    pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterWindow();
    SetTimer(kTimerId, kShowMs, nullptr);
    return 0;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pBitmap == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    Gdiplus::Graphics graphics(dc.GetSafeHdc());
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.DrawImage(m_pBitmap, 0, 0, client.Width(), client.Height());
}

void CSplashWnd::OnTimer(UINT_PTR)
{
    HideSplashScreen();
}

void CSplashWnd::HideSplashScreen()
{
    if (c_pSplashWnd == nullptr)
        return;
    c_pSplashWnd->DestroyWindow();
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->UpdateWindow();
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* pMsg)
{
    if (c_pSplashWnd == nullptr || pMsg == nullptr)
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case kNcLButtonDown:
    case kNcRButtonDown:
    case kNcMButtonDown:
        HideSplashScreen();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CSplashWnd::PreTranslateMessage(MSG* pMsg)
{
    if (PreTranslateAppMessage(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CSplashWnd::PostNcDestroy()
{
    delete m_pBitmap;
    m_pBitmap = nullptr;
    delete this;
}

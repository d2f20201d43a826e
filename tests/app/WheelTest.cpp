// The wheel scrolls the window under the cursor, whichever window has the focus.

#include <QtCore/QCoreApplication>

#include "AppFixture.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/win/AfxWinMsgMacros.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinMessages.h"

namespace {

class WheelWnd : public CWnd
{
public:
    int wheels = 0;
    short lastDelta = 0;

protected:
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint)
    {
        ++wheels;
        lastDelta = zDelta;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WheelWnd, CWnd)
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

MSG WheelAt(HWND hWnd, int x, int y)
{
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(-120)));
    msg.lParam = MAKELPARAM(x, y);
    msg.pt.x = x;
    msg.pt.y = y;
    return msg;
}

}  // namespace

TEST_F(AppFixture, WheelGoesToTheWindowUnderTheCursor)
{
    ASSERT_TRUE(Start());
    WheelWnd under;
    ASSERT_TRUE(under.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(2000, 2000, 2100, 2100), nullptr, 0));
    WheelWnd focused;
    ASSERT_TRUE(focused.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(3000, 3000, 3050, 3050), nullptr, 0));

    MSG away = WheelAt(focused.GetSafeHwnd(), 2050, 2050);
    EXPECT_TRUE(m_app->PreTranslateMessage(&away));
    QCoreApplication::processEvents();
    EXPECT_EQ(under.wheels, 1);
    EXPECT_EQ(under.lastDelta, -120);
    EXPECT_EQ(focused.wheels, 0);

    // Over its own window the message goes on as it is.
    MSG own = WheelAt(under.GetSafeHwnd(), 2050, 2050);
    EXPECT_FALSE(m_app->PreTranslateMessage(&own));
    QCoreApplication::processEvents();
    EXPECT_EQ(under.wheels, 1);

    under.DestroyWindow();
    focused.DestroyWindow();
}

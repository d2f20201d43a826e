// The fixture's way of acting inside modal dialogs: queued actions run in turn, each in the dialog it
// waits for, a dialog opened by one action getting the next.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <string>

#include "app/CTabViewSortDialog.h"
#include "platform/win/CDialog.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinConstants.h"

namespace {

class ModalDialogFixtureTest : public ProgramFixture
{
protected:
    static void Press(CWnd& dialog, int nID) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
};

TEST_F(ModalDialogFixtureTest, ActionsRunInTurnAndNestedDialogsGetTheNextOne)
{
    ASSERT_NE(NewDrawing(), nullptr);
    std::string trace;
    INT_PTR innerResult = 0;
    WhenModal<CTabViewSortDialog>([&](CTabViewSortDialog& dialog) {
        trace += "outer;";
        DialogTemplate t;
        ASSERT_TRUE(t.Parse(CString(u"DIALOG 0 0 100 40\nCONTROL BUTTON IDOK \"OK\" 5 5 40 14 BS_DEFPUSHBUTTON\n")));
        CDialog inner;
        inner.InitModalIndirect(t, &dialog);
        innerResult = inner.DoModal();
        trace += "back;";
        Press(dialog, IDCANCEL);
    });
    WhenModal<CDialog>([&](CDialog& dialog) {
        trace += "inner;";
        Press(dialog, IDOK);
    });
    WhenModal<CTabViewSortDialog>([&](CTabViewSortDialog& dialog) {
        trace += "second;";
        Press(dialog, IDOK);
    });
    EXPECT_EQ(PendingModalActions(), 3u);
    Command(39534);
    EXPECT_EQ(trace, "outer;inner;back;");
    EXPECT_EQ(innerResult, IDOK);
    Command(39534);
    EXPECT_EQ(trace, "outer;inner;back;second;");
    EXPECT_EQ(PendingModalActions(), 0u);
}

}  // namespace

#include "settings/OptionsCommand.h"

#include "command/CCommandBar.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "settings/COptionsTreeDialog.h"
#include "settings/OptionsServices.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(OptionsCommand, CommandBase)

namespace {

// The command bar's input options button opens the options on the input page; registered while this
// library is loaded.
struct InputPageHook {
    InputPageHook()
    {
        CCommandBar::SetInputOptionsHook([] { COptionsTreeDialog::s_nLastPage = COptionsTreeDialog::pageInput; });
    }
    ~InputPageHook() { CCommandBar::SetInputOptionsHook(nullptr); }
} s_inputPageHook;

}  // namespace

OptionsCommand::OptionsCommand()
{
    // The options are the program's, not a drawing's.
    m_bNeedsDrawing = FALSE;
    // Nothing to remember between runs: a cancelled dialog leaves the settings store untouched.
    m_bPersistParameters = FALSE;
}

int OptionsCommand::OnInput(int)
{
    const OptionsServices& services = OptionsServices::Get();
    // The colour choices come from a standard table; other colours stay plain RGB values.
    ColorFeatureTable colors;
    colors.InitializeColors();
    const BOOL bSnap = GetIdentifier() == _T("Korvan.Settings.Snap");
    COptionsTreeDialog dialog(&colors, bSnap ? COptionsTreeDialog::pageSnap : 0);
    if (services.pfnLoadOptions == nullptr || !services.pfnLoadOptions(&dialog))
        return resultFinished;
    if (dialog.DoModal() == IDOK && services.pfnApplyOptions != nullptr)
        services.pfnApplyOptions(&dialog);
    return resultFinished;
}

}  // namespace QZ2Command

#include "ControlsTestSupport.h"

#include <QtCore/QCoreApplication>

#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

ResourceModule* EnglishResources::s_pModule = nullptr;
ResourceModule* EnglishResources::s_pPrevious = nullptr;

void EnglishResources::SetUpTestSuite()
{
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    s_pModule = english.pModule;
    s_pPrevious = AfxGetResourceHandle();
    if (s_pModule != nullptr)
        AfxSetResourceHandle(s_pModule);
}

void EnglishResources::TearDownTestSuite()
{
    AfxSetResourceHandle(s_pPrevious);
    if (s_pModule != nullptr)
        AfxFreeResourceModule(s_pModule);
    s_pModule = nullptr;
}

BOOL RecordingHost::CreateHost(int width, int height)
{
    return CreateEx(0, AfxRegisterWndClass(0), u"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width, height,
                    nullptr, nullptr);
}

BOOL RecordingHost::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // What the control keeps for itself (reflected and handled) never reaches the parent.
    if (lParam != 0 && CWnd::ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL RecordingHost::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    notifies.emplace_back(static_cast<int>(wParam), pHdr != nullptr ? static_cast<int>(pHdr->code) : 0);
    if (pResult != nullptr)
        *pResult = notifyAnswer;
    return TRUE;
}

std::vector<int> RecordingHost::Codes(int nID) const
{
    std::vector<int> codes;
    for (const auto& [id, code] : commands)
        if (id == nID)
            codes.push_back(code);
    return codes;
}

DocumentTables::DocumentTables()
{
    colors.InitializeColors();
    lineTypes.InitializeLineTypes();
    lineWidths.InitializeLineWidths();
}

void PumpEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

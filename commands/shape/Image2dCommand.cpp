#include "commands/shape/Image2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageTool.h"
#include "platform/win/CFileDialog.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Image2dCommand, CommandBase)

namespace {

constexpr UINT kImageFilter = 10109;
// The image entry of the program's file dialog.
constexpr DWORD kImageFileFlag = 0x100000;
constexpr UINT kTitle = 11037;
constexpr UINT kMsgUnsupported = 11038;
constexpr UINT kMsgUnreadable = 11048;
const LPCTSTR kImagePatterns = _T("*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff");

Image2dCommand::ShellServices& TheShell()
{
    static Image2dCommand::ShellServices services;
    return services;
}

}  // namespace

void Image2dCommand::SetShellServices(const ShellServices& services)
{
    TheShell() = services;
}

Image2dCommand::~Image2dCommand() = default;

void Image2dCommand::SetupParameters()
{
    PointParameterItem first, second;
    ShapeCommandHelper::PrepareItem(first, itemFirstCorner, 10730, 11035);
    ShapeCommandHelper::AddSingleItemParameter(this, first);
    ShapeCommandHelper::PrepareItem(second, itemSecondCorner, 10731, 11036);
    ShapeCommandHelper::AddSingleItemParameter(this, second);
}

BOOL Image2dCommand::OnStart()
{
    if (const auto pfnChoose = TheShell().pfnChooseFileToOpen) {
        m_strPath.Empty();
        if (!pfnChoose(kImageFileFlag, LoadResourceString(kTitle), m_strPath) || m_strPath.IsEmpty())
            return FALSE;
        if (ImageTool::IsSupportedImageType(m_strPath))
            return TRUE;
        if (m_pManager != nullptr)
            m_pManager->ShowMessageBox(LoadResourceString(kMsgUnsupported), MB_OK);
        return FALSE;
    }
    // Without the program's shell (the command on its own): the platform's dialog.
    const CString filter = LoadResourceString(kImageFilter) + _T("|") + kImagePatterns + _T("||");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, AfxGetMainWnd());
    const CString title = LoadResourceString(kTitle);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    POSITION pos = dialog.GetStartPosition();
    if (pos == nullptr)
        return FALSE;
    m_strPath = dialog.GetNextPathName(pos);
    if (pos != nullptr || m_strPath.IsEmpty())
        return FALSE;
    if (ImageTool::IsSupportedImageType(m_strPath))
        return TRUE;
    if (m_pManager != nullptr)
        m_pManager->ShowMessageBox(LoadResourceString(kMsgUnsupported), MB_OK);
    return FALSE;
}

void Image2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    ShapeCommandHelper::DrawCornerRectanglePreview(this, 0, 1);
}

int Image2dCommand::OnInput(int)
{
    if (m_strPath.IsEmpty())
        return resultConditional;
    const ParameterItemBase* pFirst = FindItem(itemFirstCorner);
    const ParameterItemBase* pSecond = FindItem(itemSecondCorner);
    RuVaPnt2d a, b;
    if (pFirst == nullptr || pFirst->IsEmpty() || !GetPointValue(*pFirst, a, TRUE))
        return resultMissing;
    if (pSecond == nullptr || pSecond->IsEmpty() || !GetPointValue(*pSecond, b, TRUE))
        return resultMissing;
    std::unique_ptr<Image2dFeature> image(FeatureCreator::CreateImageFeature(m_strPath, a, b));
    if (!image) {
        // A damaged, empty or oversized picture: say which file, insert nothing.
        if (m_pManager != nullptr) {
            CString message;
            message.Format(LoadResourceString(kMsgUnreadable), static_cast<LPCTSTR>(m_strPath));
            m_pManager->ShowMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        }
        return resultConditional;
    }
    // BuildFeature applies the attribute rule and adds the picture in one undo step.
    if (!ShapeCommandHelper::BuildFeature(this, image.release(), ShapeCommandHelper::actionAdd))
        return resultConditional;
    return resultFinished;
}

}  // namespace QZ2Command

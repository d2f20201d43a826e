#include "commands/shape/OleObject2dCommand.h"

#include <cmath>

#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "commands/shape/EmbeddedFileBuilder.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "platform/ole/COleInsertDialog.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(OleObject2dCommand, CommandBase)

namespace {

constexpr UINT kFirstCaption = 10730;
constexpr UINT kSecondCaption = 10731;
constexpr UINT kFirstPrompt = 11084;
constexpr UINT kSecondPrompt = 11085;
// "A drawing of this program cannot be inserted as an object. ..."
constexpr UINT kOwnDrawing = 11086;
// "The object could not be created."
constexpr UINT kNotCreated = 804;

}  // namespace

OleObject2dCommand::OleObject2dCommand() = default;
OleObject2dCommand::~OleObject2dCommand() = default;

void OleObject2dCommand::SetupParameters()
{
    PointParameterItem first, second;
    ShapeCommandHelper::PrepareItem(first, itemFirstCorner, kFirstCaption, kFirstPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, first);
    ShapeCommandHelper::PrepareItem(second, itemSecondCorner, kSecondCaption, kSecondPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, second);
}

BOOL OleObject2dCommand::OnStart()
{
    m_item.clear();
    m_dWidth = m_dHeight = 0.0;
    if (m_pDialog == nullptr)
        m_pDialog = std::make_unique<COleInsertDialog>(IOF_SELECTCREATENEW, nullptr);
    if (m_pDialog->DoModal() != IDOK)
        return FALSE;
    const CString path = m_pDialog->GetPathName();
    const int selection = m_pDialog->GetSelectionType();
    // Drawings of this program are pasted or opened, never embedded (a template of ours included).
    if (EmbeddedFileBuilder::IsOwnDrawingFile(path)) {
        if (m_pManager != nullptr)
            m_pManager->ShowMessageBox(LoadResourceString(kOwnDrawing), MB_OK);
        return FALSE;
    }
    EmbeddedFileRecord record;
    if (!EmbeddedFileBuilder::FromFile(path, selection == COleInsertDialog::linkToFile, record, m_dWidth, m_dHeight) ||
        !(m_dWidth > 0.0) || !(m_dHeight > 0.0)) {
        if (m_pManager != nullptr)
            m_pManager->ShowMessageBox(LoadResourceString(kNotCreated), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_item = record.Write();
    m_bCreateNew = selection == COleInsertDialog::createNewItem;
    return m_item.empty() ? FALSE : TRUE;
}

void OleObject2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    ShapeCommandHelper::DrawCornerRectanglePreview(this, 0, 1);
}

int OleObject2dCommand::OnInput(int)
{
    if (m_pManager == nullptr || m_pManager->GetActiveDrawingViewWnd() == nullptr || m_item.empty())
        return resultConditional;
    const ParameterItemBase* pFirst = FindItem(itemFirstCorner);
    const ParameterItemBase* pSecond = FindItem(itemSecondCorner);
    RuVaPnt2d p0, p1;
    if (pFirst == nullptr || pFirst->IsEmpty() || !GetPointValue(*pFirst, p0, TRUE))
        return resultMissing;
    if (pSecond == nullptr || pSecond->IsEmpty() || !GetPointValue(*pSecond, p1, TRUE))
        return resultMissing;
    const double w = std::fabs(p0.X() - p1.X()), h = std::fabs(p0.Y() - p1.Y());
    if (p0.Distance(p1) < 1e-7 || w < 1e-7 || h < 1e-7)
        return resultNothing;
    Draw2dDocument* pModel = m_pManager->GetDraw2dDocument();
    if (pModel == nullptr)
        return resultConditional;
    // The object fills the rectangle in one direction, from its lower-left corner.
    const double s = std::min(w / m_dWidth, h / m_dHeight);
    if (!(s >= 1e-10))
        return resultConditional;
    OleObject2dFeature object;
    object.SetLayerID(pModel->GetCurrentLayerID());
    object.SetPoint(RuVaPnt2d(std::min(p0.X(), p1.X()), std::min(p0.Y(), p1.Y())));
    OleObjectSetting setting(object.GetOleObjectSetting());
    setting.SetNaturalWidth(m_dWidth);
    setting.SetNaturalHeight(m_dHeight);
    object.SetOleObjectSetting(setting);
    if (m_dWidth * s > 0.0)
        object.SetWidth(m_dWidth * s);
    if (m_dHeight * s > 0.0)
        object.SetHeight(m_dHeight * s);
    object.SetItemData(m_item.data(), m_item.size());
    object.m_dwReserved = 0;
    object.m_byReserved = 1;
    object.m_wReserved = 8;
    pModel->BeginUndoOperation(nullptr);
    const long id = pModel->AddFeature(&object, ShapeCommandHelper::GetActiveDrawing(this), 1);
    pModel->EndUndoOperation();
    if (id == -1)
        return resultConditional;
    // Opened after the shape is stored: a failure to open is told, the shape stays.
    if (m_bCreateNew && CommandManager::GetShellServices().pfnOpenOleObject != nullptr)
        CommandManager::GetShellServices().pfnOpenOleObject(pModel, id);
    return resultFinished;
}

}  // namespace QZ2Command

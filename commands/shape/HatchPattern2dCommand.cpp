#include "commands/shape/HatchPattern2dCommand.h"

#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "libs/vevure/TransformFeature.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "settings/CShapeHatchPatternSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(HatchPattern2dCommand, CommandBase)

namespace {

constexpr UINT kMsgSeveralDrawings = 11033;

}  // namespace

void HatchPattern2dCommand::SetupParameters()
{
    FeatureGroupParameterItem shapes;
    ShapeCommandHelper::PrepareItem(shapes, itemShapes, 10715, 11026);
    shapes.m_bTakeSelection = TRUE;
    shapes.m_dwAcceptedKinds = kPatternKinds;
    ShapeCommandHelper::AddSingleItemParameter(this, shapes);

    PointParameterItem base;
    ShapeCommandHelper::PrepareItem(base, itemBase, 10728, 11027);
    ShapeCommandHelper::AddSingleItemParameter(this, base);

    const struct {
        WORD id;
        UINT caption, prompt;
        bool angle;
    } numbers[] = {{itemSpace1, 10763, 11028, false},
                   {itemAngle1, 10777, 11029, true},
                   {itemSpace2, 10764, 11030, false},
                   {itemAngle2, 10778, 11031, true}};
    for (const auto& n : numbers) {
        if (n.angle) {
            AngleParameterItem angle;
            ShapeCommandHelper::PrepareItem(angle, n.id, n.caption, n.prompt);
            angle.m_bHistory = TRUE;
            ShapeCommandHelper::AddSingleItemParameter(this, angle);
        } else {
            LengthParameterItem length;
            ShapeCommandHelper::PrepareItem(length, n.id, n.caption, n.prompt);
            length.m_bHistory = TRUE;
            ShapeCommandHelper::AddSingleItemParameter(this, length);
        }
    }

    TextParameterItem name;
    ShapeCommandHelper::PrepareItem(name, itemName, 10710, 11032);
    ShapeCommandHelper::AddSingleItemParameter(this, name);
}

BOOL HatchPattern2dCommand::StorePattern(Draw2dDocument* pDocument, const ShapeHatchPattern& pattern)
{
    if (pDocument == nullptr || pDocument->GetHatchPatternTable() == nullptr)
        return FALSE;
    const HatchPatternTable* pTable = pDocument->GetHatchPatternTable();
    pDocument->BeginUndoOperation(nullptr);
    BOOL bStored = FALSE;
    if (!pTable->IsPatternNameExists(pattern.GetPatternName()))
        bStored = pDocument->AddHatchPattern(&pattern) != -1;
    else
        bStored = pDocument->SetHatchPattern(pTable->GetHatchPatternID(pattern.GetPatternName()), &pattern, 1);
    pDocument->EndUndoOperation();
    return bStored;
}

int HatchPattern2dCommand::OnInput(int)
{
    for (int i = 0; i < GetParameterCount(); ++i)
        if (IsParameterEmpty(i))
            return resultMissing;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return resultNothing;

    const auto* pShapes = dynamic_cast<const FeatureGroupParameterItem*>(FindItem(itemShapes));
    CArray<FeatureLayout> picked;
    if (pShapes == nullptr || !pShapes->GetFeatureLayouts(picked) || picked.GetSize() == 0)
        return resultNothing;
    RuVaPnt2d base;
    double space1 = 0.0, angle1 = 0.0, space2 = 0.0, angle2 = 0.0;
    CString name;
    const auto* pName = dynamic_cast<const TextParameterItem*>(FindItem(itemName));
    const auto* pSpace1 = dynamic_cast<const DoubleParameterItem*>(FindItem(itemSpace1));
    const auto* pAngle1 = dynamic_cast<const DoubleParameterItem*>(FindItem(itemAngle1));
    const auto* pSpace2 = dynamic_cast<const DoubleParameterItem*>(FindItem(itemSpace2));
    const auto* pAngle2 = dynamic_cast<const DoubleParameterItem*>(FindItem(itemAngle2));
    const ParameterItemBase* pBase = FindItem(itemBase);
    if (pBase == nullptr || !GetPointValue(*pBase, base, TRUE) || pSpace1 == nullptr || !pSpace1->GetValue(space1) ||
        pAngle1 == nullptr || !pAngle1->GetValue(angle1) || pSpace2 == nullptr || !pSpace2->GetValue(space2) ||
        pAngle2 == nullptr || !pAngle2->GetValue(angle2) || pName == nullptr || !pName->GetValue(name))
        return resultNothing;

    const DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(picked[0].GetRecordID());
    for (INT_PTR i = 1; i < picked.GetSize(); ++i) {
        if (pDocument->GetParentDrawingFeature(picked[i].GetRecordID()) != pDrawing) {
            if (m_pManager != nullptr)
                m_pManager->ShowMessageBox(LoadResourceString(kMsgSeveralDrawings), MB_OK | MB_ICONEXCLAMATION);
            return resultConditional;
        }
    }

    const TransformFeature toOrigin(base, RuVaPnt2d(0.0, 0.0));
    ShapeHatchPattern pattern;
    for (INT_PTR i = 0; i < picked.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(picked[i].GetRecordID());
        if (pFeature == nullptr)
            continue;
        const PartDrawingLayout* pLayout = pView->GetPartLayoutByID(picked[i].GetLayoutID());
        std::unique_ptr<Feature2dBase> world(pView->ConvertFeatureLocalToWorld(pDrawing, pLayout, pFeature, 0));
        if (!world)
            continue;
        std::unique_ptr<Feature2dBase> local(pView->ConvertFeatureWorldToLocal(
            pDocument->GetActiveDrawingFeature(), pView->GetActiveLayout(), world.get(), 0));
        if (!local)
            continue;
        std::unique_ptr<Feature2dBase> moved(toOrigin.Transformed(local.get()));
        if (moved)
            pattern.AddFeature(moved.get());
    }
    // Every picked shape gone: no pattern.
    if (pattern.GetFeatureCount() == 0)
        return resultNothing;
    if (!pattern.SetSpace1(space1) || !pattern.SetSpace2(space2) || !pattern.SetAngle(angle1, angle2) ||
        !pattern.SetPatternName(name))
        return resultNothing;

    CShapeHatchPatternSettingDialog dialog(nullptr);
    dialog.m_pDocument = pDocument;
    const HatchPatternTable* pTable = pDocument->GetHatchPatternTable();
    for (int i = 0; pTable != nullptr && i < pTable->GetHatchPatternCount(); ++i)
        dialog.m_usedNames.Add(pTable->GetHatchPatternByIndex(i)->GetPatternName());
    dialog.m_bReplace = TRUE;
    dialog.m_pattern.Copy(pattern);
    if (dialog.DoModal() != IDOK)
        return resultConditional;
    pattern.Copy(dialog.m_pattern);
    if (!StorePattern(pDocument, pattern))
        return resultConditional;

    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->PostMessage(WM_COMMAND, kPatternTableCommand, 0);
    return resultFinished;
}

}  // namespace QZ2Command

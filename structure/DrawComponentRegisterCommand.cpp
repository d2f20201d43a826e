#include "structure/DrawComponentRegisterCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/TransformFeature.h"
#include "platform/win/WinConstants.h"
#include "structure/CDrawComponentBar.h"
#include "structure/StructureServices.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawComponentRegisterCommand, CommandBase)

namespace {

constexpr UINT kNameInUse = 10987;
constexpr UINT kGroupPicked = 10988;
constexpr UINT kImagePicked = 10989;
constexpr UINT kSeveralLayouts = 10990;

void Prepare(ParameterItemBase& item, int nId, UINT nCaption, UINT nPrompt)
{
    item.SetId(nId);
    item.SetCaption(nCaption);
    item.m_strPrompt = LoadResourceString(nPrompt);
}

BOOL AddSingle(CommandBase* pCommand, const ParameterItemBase& item)
{
    auto pParameter = std::make_unique<CommandParameter>();
    const int index = pParameter->AddItem(item);
    if (index < 0 || !pParameter->SetCurrentIndex(index))
        return FALSE;
    const BOOL bAdded = pCommand->m_pManager != nullptr ? pCommand->m_pManager->AddParameter(pCommand, pParameter.get())
                                                        : (pCommand->AddParameter(pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bAdded)
        pParameter.release();
    return bAdded;
}

}  // namespace

void DrawComponentRegisterCommand::SetupParameters()
{
    FeatureGroupParameterItem shapes;
    Prepare(shapes, itemShapes, 10715, 10981);
    shapes.m_bTakeSelection = TRUE;
    shapes.m_dwAcceptedKinds = kAcceptedKinds;
    AddSingle(this, shapes);

    ListParameterItem replace;
    Prepare(replace, itemReplace, 10982, 10983);
    replace.SetItemsFromText(LoadResourceString(10984));
    replace.SetValue(0);
    replace.m_nDefault = 0;
    replace.m_bClearable = FALSE;
    replace.m_nRetentionMode = 2;
    AddSingle(this, replace);

    PointParameterItem base;
    Prepare(base, itemBase, 10728, 10985);
    AddSingle(this, base);

    TextParameterItem name;
    Prepare(name, itemName, 10710, 10986);
    AddSingle(this, name);
}

int DrawComponentRegisterCommand::OnInput(int)
{
    const auto* pShapes = dynamic_cast<const FeatureGroupParameterItem*>(FindItem(itemShapes));
    const auto* pReplace = dynamic_cast<const ListParameterItem*>(FindItem(itemReplace));
    const ParameterItemBase* pBase = FindItem(itemBase);
    const auto* pName = dynamic_cast<const TextParameterItem*>(FindItem(itemName));
    int choice = 0;
    if (pShapes == nullptr || pShapes->IsEmpty() || pBase == nullptr || pBase->IsEmpty() || pName == nullptr ||
        pName->IsEmpty() || pReplace == nullptr || pReplace->IsEmpty() || !pReplace->GetValue(choice))
        return resultMissing;
    Draw2dDocument* pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return resultNothing;

    CString name;
    pName->GetValue(name);
    if (pDocument->GetComponentDefineTable()->IsComponentNameExists(name)) {
        CString text;
        text.Format(LoadResourceString(kNameInUse), static_cast<LPCTSTR>(name));
        m_pManager->ShowMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return resultNothing;
    }
    CArray<FeatureLayout> picked;
    RuVaPnt2d base;
    if (!pShapes->GetFeatureLayouts(picked) || picked.GetSize() == 0 || !GetPointValue(*pBase, base, TRUE))
        return resultNothing;
    for (INT_PTR i = 0; i < picked.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(picked[i].GetRecordID());
        const int type = pFeature != nullptr ? pFeature->GetFeatureType() : -1;
        if (type == FeatureTypeDrawGroup || type == FeatureTypeImage) {
            m_pManager->ShowMessageBox(LoadResourceString(type == FeatureTypeDrawGroup ? kGroupPicked : kImagePicked),
                                       MB_OK | MB_ICONEXCLAMATION);
            return resultConditional;
        }
        if (picked[i].GetLayoutID() != picked[0].GetLayoutID()) {
            m_pManager->ShowMessageBox(LoadResourceString(kSeveralLayouts), MB_OK | MB_ICONEXCLAMATION);
            return resultConditional;
        }
    }

    // The base point in the local coordinates of the shapes' own drawing and layout.
    DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(picked[0].GetRecordID());
    const PartDrawingLayout* pLayout = pView->GetPartLayoutByID(picked[0].GetLayoutID());
    RuVaPnt2d world;
    pView->ConvertPointLocalToWorld(pDocument->GetActiveDrawingFeature(), pView->GetActiveLayout(), base, world);
    RuVaPnt2d local;
    pView->ConvertPointWorldToLocal(pDrawing, pLayout, world, local);
    const TransformFeature toOrigin(local, RuVaPnt2d(0.0, 0.0));

    DrawComponent2dFeatureDefine define;
    define.SetComponentName(name);
    pDocument->BeginUndoOperation(nullptr);
    const long id = pDocument->AddDrawComponentDefine(define);
    DrawComponent2dFeatureDefine* pDefine =
        id != -1 ? pDocument->GetComponentDefineTable()->GetComponentDefine(id) : nullptr;
    BOOL bDone = pDefine != nullptr;
    for (INT_PTR i = 0; bDone && i < picked.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(picked[i].GetRecordID());
        std::unique_ptr<Feature2dBase> moved(pFeature != nullptr ? toOrigin.Transformed(pFeature) : nullptr);
        bDone = moved != nullptr && pDocument->AddFeature(moved.get(), pDefine, 0) != -1;
    }
    if (bDone && choice == 0) {
        for (INT_PTR i = 0; i < picked.GetSize(); ++i)
            pDocument->DeleteFeature(picked[i].GetRecordID(), 1);
        DrawComponent2dFeature instance;
        instance.SetComponentDefineID(id);
        instance.SetScale(1.0, 1.0);
        instance.SetAngle(0.0);
        instance.SetOrigin(local);
        instance.SetColorNo(-1);
        instance.SetLineTypeNo(-1);
        instance.SetLineWidthNo(-1);
        instance.SetLayerIDEmpty();
        // The picked shapes must not vanish without the component that stands for them.
        bDone = pDocument->AddFeature(&instance, pDrawing, 1) != -1;
    }
    pDocument->EndUndoOperation();
    if (!bDone) {
        pDocument->Undo();
        pDocument->ClearRedoHistory();
        return resultConditional;
    }
    if (CDrawComponentBar* pPalette = StructureServices::ShowComponentBar()) {
        if (pPalette->GetSelectedDocument() != nullptr && pPalette->GetSelectedDocument() != pDocument &&
            !pPalette->SelectDocument(pDocument))
            pPalette->SelectActiveDocument();
        pPalette->SelectComponent(id);
    }
    return resultDone;
}

}  // namespace QZ2Command

#include "commands/edit/Attribute2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "commands/shape/CAttributeDialog.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/win/WinConstants.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Attribute2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10472;
constexpr UINT kMixedMessage = 10473;
constexpr int kComponentType = 71;

}  // namespace

FeatureAttribute Attribute2dCommand::ComponentAttributes(const Draw2dDocument* pDocument, const DrawComponent2dFeature* pComponent)
{
    FeatureAttribute list;
    if (const FeatureAttribute* pOwn = pComponent->GetDrawComponentAttribute())
        list = *pOwn;
    const DrawComponent2dFeatureDefineTable* pTable = pDocument->GetComponentDefineTable();
    const DrawComponent2dFeatureDefine* pDefine =
        pTable != nullptr ? pTable->GetComponentDefine(pComponent->GetComponentDefineID()) : nullptr;
    if (pDefine == nullptr)
        return list;
    const FeatureAttribute& definition = pDefine->GetAttribute();
    for (int i = 0; i < definition.GetAttributeCount(); ++i) {
        const long nID = definition.GetAttributeId(i);
        if (FeatureAttributeItem* pItem = list.GetAttributeItemByID(nID))
            pItem->SetName(definition.GetAttributeName(i));
        else
            list.AddAttribute(definition.GetAttributeName(i), CString(), nID);
    }
    return list;
}

void Attribute2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kShapesPrompt,
                                          EditCommandHelper::kAllKinds, TRUE, 0);
}

int Attribute2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pItem = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pDocument == nullptr || pItem == nullptr || pItem->IsEmpty() ||
        !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;
    auto isComponent = [pDocument](long id) {
        const Feature2dBase* p = pDocument->GetFeature(id);
        return p != nullptr && p->GetFeatureType() == kComponentType;
    };
    const bool bComponents = isComponent(shapes[0].GetRecordID());
    for (INT_PTR i = 1; i < shapes.GetSize(); ++i) {
        if (isComponent(shapes[i].GetRecordID()) != bComponents) {
            m_pManager->ShowMessageBox(LoadResourceString(kMixedMessage), MB_ICONEXCLAMATION);
            return resultConditional;
        }
    }
    CAttributeDialog dialog(bComponents ? CAttributeDialog::modeComponents : CAttributeDialog::modeShapes, pDocument);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (pFeature == nullptr)
            continue;
        if (bComponents)
            dialog.SetFeatureAttribute(ComponentAttributes(pDocument, static_cast<const DrawComponent2dFeature*>(pFeature)), id);
        else
            dialog.SetFeatureAttribute(pFeature->GetAttribute() != nullptr ? *pFeature->GetAttribute()
                                                                           : FeatureAttribute(),
                                       id);
    }
    if (dialog.DoModal() != IDOK)
        return resultDone;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        // A shape deleted meanwhile had no list in the dialog: nothing to write.
        if (pFeature == nullptr)
            continue;
        FeatureAttribute list = dialog.GetFeatureAttribute(id);
        std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(3));
        if (auto* pComponent = dynamic_cast<DrawComponent2dFeature*>(copy.get())) {
            // A placed component stores ids and values only; empty values are not stored.
            for (int k = list.GetAttributeCount() - 1; k >= 0; --k) {
                list.GetAttributeItem(k)->SetName(CString());
                if (list.GetAttributeValue(k).IsEmpty())
                    list.RemoveAttribute(k);
            }
            pComponent->SetDrawComponentAttribute(list);
        } else if (list.IsEmpty()) {
            copy->RemoveAttribute();
        } else {
            copy->SetAttribute(list);
        }
        pDocument->UpdateFeature(id, copy.get(), 0, 0xFFFF);
    }
    pDocument->EndUndoOperation();
    pDocument->UpdateAllFeatures(TRUE);
    return resultDone;
}

}  // namespace QZ2Command

#include "commands/shape/Balloon2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Balloon2dCommand, CommandBase)

namespace {

constexpr UINT kTextCaption = 10709, kTextPrompt = 10474;
constexpr UINT kUpperCaption = 10810, kUpperPrompt = 10475;
constexpr UINT kLowerCaption = 10811, kLowerPrompt = 10476;
constexpr UINT kPointsCaption = 10708, kPointsPrompt = 10477;
constexpr UINT kPointCaption = 10729, kPointPrompt = 10478;
constexpr double kScaleTolerance = 1e-10;

}  // namespace

CString Balloon2dCommand::JoinParts(const CString& upper, const CString& lower)
{
    if (upper.IsEmpty() && lower.IsEmpty())
        return CString();
    return upper + _T("\\|") + lower;
}

void Balloon2dCommand::SetupParameters()
{
    TextParameterItem single, upper;
    ShapeCommandHelper::PrepareItem(single, itemText, kTextCaption, kTextPrompt);
    ShapeCommandHelper::PrepareItem(upper, itemUpperText, kUpperCaption, kUpperPrompt);
    ShapeCommandHelper::AddAlternativesParameter(this, {&single, &upper});

    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, kPointsCaption, kPointsPrompt);
    points.m_wBaseItemId = itemPoints;
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, kPointCaption, kPointPrompt);
    ShapeCommandHelper::AddAlternativesParameter(this, {&points, &point});
}

BOOL Balloon2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex < 0 || nIndex >= GetParameterCount() || GetParameter(nIndex)->GetCurrentIndex() == nAlternative)
        return FALSE;
    if (nIndex != 0)
        return TRUE;
    if (nAlternative < 0 || nAlternative >= GetParameter(0)->GetItemCount())
        return FALSE;
    const ParameterItemBase* pNew = GetParameter(0)->GetItem(nAlternative);
    const BOOL bTwoParts = pNew != nullptr && pNew->GetId() != itemText;
    const int lower = FindParameterIndex(itemLowerText);
    if (bTwoParts && lower < 0) {
        TextParameterItem item;
        ShapeCommandHelper::PrepareItem(item, itemLowerText, kLowerCaption, kLowerPrompt);
        auto pParameter = std::make_unique<CommandParameter>();
        pParameter->AddItem(item);
        pParameter->SetCurrentIndex(0);
        if (m_pManager != nullptr ? m_pManager->InsertParameter(this, 1, pParameter.get())
                                  : InsertParameter(1, pParameter.get()) >= 0)
            pParameter.release();
    } else if (!bTwoParts && lower >= 0) {
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, lower);
        else
            RemoveParameter(lower);
    }
    return TRUE;
}

CString Balloon2dCommand::ReadText()
{
    TextParameterItem item;
    CString text;
    if (GetCurrentItemID(0) == itemText) {
        if (GetParameterValueByID(itemText, item) && !item.IsEmpty())
            item.GetValue(text);
        return text;
    }
    CString upper, lower;
    if (GetParameterValueByID(itemUpperText, item) && !item.IsEmpty())
        item.GetValue(upper);
    TextParameterItem lowerItem;
    if (GetParameterValueByID(itemLowerText, lowerItem) && !lowerItem.IsEmpty())
        lowerItem.GetValue(lower);
    return JoinParts(upper, lower);
}

int Balloon2dCommand::OnInput(int)
{
    const CString text = ReadText();
    const int position = FindParameterIndex(itemPoints);
    if (position < 0)
        return resultMissing;
    const ParameterItemBase* pPosition = GetParameterItem(position);
    KcArrayOfGePnt2d points;
    if (const auto* pList = dynamic_cast<const PointArrayParameterItem*>(pPosition)) {
        if (pList->IsEmpty() || !pList->m_bFinished || !pList->GetValue(points))
            return resultMissing;
    } else {
        RuVaPnt2d point;
        if (pPosition == nullptr || pPosition->IsEmpty() || !GetPointValue(*pPosition, point, TRUE))
            return resultMissing;
        points.Add(point);
    }
    if (text.IsEmpty())
        return resultMissing;
    return BuildBalloon(text, points, ShapeCommandHelper::actionAdd) ? resultDone : resultConditional;
}

void Balloon2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    const CString text = ReadText();
    const int position = FindParameterIndex(itemPoints);
    if (position < 0)
        return;
    KcArrayOfGePnt2d points;
    if (GetCurrentItemID(position) == itemPoints) {
        PointArrayParameterItem item;
        if (!GetParameterValue(position, item) || !item.GetValue(points) || points.GetSize() == 0)
            return;
    } else {
        PointParameterItem item;
        RuVaPnt2d point;
        if (!GetParameterValue(position, item) || !GetPointValue(item, point, TRUE))
            return;
        points.Add(point);
    }
    BuildBalloon(text, points, ShapeCommandHelper::actionPreview);
}

BOOL Balloon2dCommand::BuildBalloon(const CString& text, const KcArrayOfGePnt2d& points, int nAction)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || pDocument->GetBalloonSetting() == nullptr)
        return FALSE;
    BalloonSetting setting;
    setting.Copy(*pDocument->GetBalloonSetting());
    double sx = 1.0, sy = 1.0;
    if (!GetLayoutInverseScale(&sx, &sy))
        return FALSE;
    if (std::fabs(sx - 1.0) > kScaleTolerance && std::fabs(sx - sy) < kScaleTolerance)
        setting.ScaleSize(sx);
    std::unique_ptr<Balloon2dFeature> balloon(FeatureCreator::CreateBalloonFeature(nullptr, text, points, &setting));
    if (!balloon)
        return FALSE;
    balloon->SetLayerID(pDocument->GetCurrentLayerID());
    if (nAction == ShapeCommandHelper::actionPreview)
        return DrawRubberbandFeature(balloon.get());
    return ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(this),
                                                balloon.release());
}

}  // namespace QZ2Command

// The keys the views pass on, typed text and values from the command bar, and the steering of the
// running command: its current parameter, alternatives and modifiers.

#include "command/CommandManager.h"

#include <cmath>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/CommandItemAccess.h"
#include "command/CommandParameter.h"
#include "command/DoubleParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/LengthParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/NumericFormat.h"
#include "command/ParameterItemBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/NumericCharConverter.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"

namespace QZ2Command {

namespace {

// The frame's command that shows and focuses the command bar.
constexpr UINT kShowCommandBarID = 33303;
constexpr double kDegreesToRadians = 0.017453292519943295;

// What a row takes, told when typed text cannot be read as it.
constexpr UINT kExpectNumber = 10406;
constexpr UINT kExpectLength = 12980;
constexpr UINT kExpectAngle = 12981;
constexpr UINT kExpectCount = 12982;
constexpr UINT kExpectScale = 12983;
constexpr UINT kScaleOutOfRange = 12984;
constexpr UINT kExpectPoint = 12985;
constexpr UINT kExpectPointOrNumber = 12986;

BOOL IsListType(int nType)
{
    return nType == ParameterItemBase::typePointArray || nType == ParameterItemBase::typeFeatureList ||
           nType == ParameterItemBase::typeFeatureSequenceList || nType == ParameterItemBase::typeFeatureSequence ||
           nType == ParameterItemBase::typeFeatureGroup;
}

BOOL IsFeatureType(int nType)
{
    return nType >= ParameterItemBase::typeFeature && nType <= ParameterItemBase::typeFeatureGroup;
}

void SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->SendMessage(message, wParam, lParam);
}

}  // namespace

// --- keys ---------------------------------------------------------------------------------------

BOOL CommandManager::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nFlags;
    switch (nChar) {
    case VK_BACK:
        OnBackspace();
        break;
    case VK_RETURN:
        OnEnter();
        break;
    case VK_ESCAPE:
        OnEscape();
        break;
    case VK_PRIOR:
        ZoomIn(0.2);
        break;
    case VK_NEXT:
        ZoomOut(0.2);
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        SelectionManager* pSelection = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionManager() : nullptr;
        FeatureTrackerBase* pTracker = pSelection != nullptr ? pSelection->GetFeatureTracker() : nullptr;
        // With nothing selected the arrows still scroll, whatever the nudge option says.
        if (pTracker != nullptr && !pTracker->IsTracking() && m_bNudgeEnabled && m_pActiveView != nullptr &&
            !pSelection->IsSelectionEmpty()) {
            pTracker->Nudge(m_pActiveView, nChar, nRepCnt, m_nNudgeMode, m_dNudgeSteps);
            break;
        }
        // The picture moves against the arrow, so the visible region moves with it.
        static const int kSteps[4][2] = {{30, 0}, {0, -30}, {-30, 0}, {0, 30}};
        MoveView(kSteps[nChar - VK_LEFT][0], kSteps[nChar - VK_LEFT][1]);
        break;
    }
    default:
        break;
    }
    return TRUE;
}

void CommandManager::ResetStatusText()
{
    SendToMainWindow(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CommandManager::SetNudgeOptions(BOOL bEnabled, int nMode, double dSteps)
{
    m_bNudgeEnabled = bEnabled ? TRUE : FALSE;
    m_nNudgeMode = nMode;
    m_dNudgeSteps = dSteps;
}

void CommandManager::OnEscape()
{
    if (m_viewCommand.GetMode() != ViewCommand::modeNone) {
        EndViewCommand();
        return;
    }
    if (m_bFenceActive) {
        m_fencePoints.RemoveAll();
        m_bFenceActive = FALSE;
        RestoreActiveView();
        return;
    }
    SelectionManager* pSelection = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionManager() : nullptr;
    FeatureTrackerBase* pTracker = pSelection != nullptr ? pSelection->GetFeatureTracker() : nullptr;
    CWnd* pViewWnd = m_pActiveView != nullptr ? CWnd::FromHandle(m_pActiveView->GetHWnd()) : nullptr;
    auto resetCursor = [&]() {
        if (pViewWnd == nullptr || !OnSetCursor(pViewWnd, pViewWnd, HTCLIENT, WM_MOUSEMOVE))
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    };
    if (pTracker != nullptr && pTracker->IsTracking()) {
        pTracker->CancelTrack(m_pActiveView);
        if (m_pActiveView != nullptr)
            m_pActiveView->InvalidateView();
        resetCursor();
        return;
    }
    if (!HasActiveCommand() && pSelection != nullptr && !pSelection->IsSelectionEmpty()) {
        if (m_pActiveView == nullptr)
            return;
        const BOOL bOverGrip =
            pTracker != nullptr && pTracker->HitTest(m_pActiveView, m_cursorClient, m_snapOptions.nBoxSize, 0) >= 0;
        UnselectAllWithNotify(m_pDraw2dDocument);
        if (bOverGrip)
            resetCursor();
        return;
    }
    SendToMainWindow(WM_COMMAND, MAKEWPARAM(kShowCommandBarID, 0), 0);
}

BOOL CommandManager::OnEnter()
{
    if (m_bFenceActive)
        return FinishFence();
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    if (IsListType(pCommand->GetCurrentItemType()))
        return FinishListInput();
    const int nCurrent = pCommand->GetCurrentParameterIndex();
    if (nCurrent >= 0 && nCurrent < pCommand->GetParameterCount() - 1)
        return SetCurrentParameter(pCommand, nCurrent + 1);
    return TRUE;
}

void CommandManager::OnBackspace()
{
    CommandBase* pCommand = GetActiveCommand();
    auto dropFenceCorner = [this]() {
        if (!m_bFenceActive || m_fencePoints.IsEmpty())
            return FALSE;
        RemoveLastFencePoint();
        return TRUE;
    };
    if (pCommand == nullptr) {
        if (dropFenceCorner() && m_pActiveView != nullptr) {
            m_pActiveView->RestoreView();
            RedrawOverlay(CWnd::FromHandle(m_pActiveView->GetHWnd()), nullptr);
        }
        return;
    }
    const int nCurrent = pCommand->GetCurrentParameterIndex();
    switch (pCommand->GetCurrentItemType()) {
    case ParameterItemBase::typePointArray:
        StepBackPointArray(nCurrent);
        break;
    case ParameterItemBase::typeFeatureSequence:
        RemoveLastSequenceFeature(nCurrent);
        break;
    case ParameterItemBase::typeFeatureSequenceList:
        RemoveLastSequenceListFeature(nCurrent);
        break;
    case ParameterItemBase::typeFeatureGroup:
        if (dropFenceCorner()) {
            RestoreActiveView();
            if (m_pActiveView != nullptr)
                RedrawOverlay(CWnd::FromHandle(m_pActiveView->GetHWnd()), nullptr);
        }
        break;
    default:
        break;
    }
}

BOOL CommandManager::RemoveLastSequenceListFeature(int nIndex)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const auto* pItem = dynamic_cast<const FeatureSequenceListParameterItem*>(pCommand->GetParameterItem(nIndex));
    if (pItem == nullptr || pItem->GetSequenceCount() == 0)
        return FALSE;
    std::vector<std::unique_ptr<FeatureSequenceParameterItem>> sequences;
    for (int i = 0; i < pItem->GetSequenceCount(); ++i) {
        auto pCopy = std::make_unique<FeatureSequenceParameterItem>();
        if (const FeatureSequenceParameterItem* pSequence = pItem->GetSequence(i))
            pCopy->Copy(*pSequence);
        sequences.push_back(std::move(pCopy));
    }
    FeatureSequenceParameterItem& last = *sequences.back();
    CArray<FeatureLayout> features;
    const BOOL bRemoved = last.GetFeatures(features) && !features.IsEmpty() && last.RemoveLastFeature();
    const FeatureLayout removed = bRemoved ? features[features.GetSize() - 1] : FeatureLayout();
    // The sequence the shape came from is open again; one left without shapes goes.
    last.m_bFinished = FALSE;
    if (last.GetCount() == 0)
        sequences.pop_back();
    std::vector<const FeatureSequenceParameterItem*> remaining;
    for (const auto& pSequence : sequences)
        remaining.push_back(pSequence.get());
    FeatureSequenceListParameterItem value;
    value.Copy(*pItem);
    value.SetSequences(remaining);
    value.m_bFinished = FALSE;
    if (!SetParameterTransaction(nIndex, value, ParameterItemBase::typeFeatureSequenceList, TRUE,
                                 setterNeedsView | setterRefreshOnEqual))
        return FALSE;
    if (bRemoved && UnselectFeatureUnlessHeld(removed, -1, FALSE) && m_pDraw2dDocument != nullptr)
        m_pDraw2dDocument->UpdateAllFeatures(FALSE);
    return TRUE;
}

// --- typed text -----------------------------------------------------------------------------------

void CommandManager::ApplyPointNotation(RuVaPnt2d& point, BOOL bRelative, BOOL bPolar) const
{
    if (bPolar) {
        const double r = point.X();
        const double a = point.Y() * kDegreesToRadians;
        point = RuVaPnt2d(r * std::cos(a), r * std::sin(a));
    }
    if (bRelative) {
        RuVaPnt2d last;
        WorldToLocalPoint(m_lastInputWorld, last);
        point = RuVaPnt2d(point.X() + last.X(), point.Y() + last.Y());
    }
}

BOOL CommandManager::ParseTypedPoint(const CString& strText, RuVaPnt2d& point, BOOL& bRelative, BOOL& bPolar) const
{
    int nRelative = 0;
    int nPolar = 0;
    if (!NumericFormat::StringToPoint(strText, point, nRelative, nPolar))
        return FALSE;
    // The distance and angle are turned into a point before the user origin is added to an absolute
    // point; a relative point is an offset from the last input point and ignores the origin.
    if (nPolar != 0)
        ApplyPointNotation(point, FALSE, TRUE);
    if (nRelative == 0)
        UserToWorldPoint(point);
    bRelative = nRelative != 0 ? TRUE : FALSE;
    bPolar = FALSE;
    return TRUE;
}

BOOL CommandManager::RefuseTypedText(int nType, WORD wMultiKinds) const
{
    UINT nReason = kExpectNumber;
    switch (nType) {
    case ParameterItemBase::typeLength: nReason = kExpectLength; break;
    case ParameterItemBase::typeAngle: nReason = kExpectAngle; break;
    case ParameterItemBase::typeInteger: nReason = kExpectCount; break;
    case ParameterItemBase::typeScale: nReason = kExpectScale; break;
    case ParameterItemBase::typePoint:
    case ParameterItemBase::typePointArray: nReason = kExpectPoint; break;
    case ParameterItemBase::typeMulti: {
        const WORD wNumbers =
            MultiParameterItem::acceptNumber | MultiParameterItem::acceptLength | MultiParameterItem::acceptAngle;
        const BOOL bPoint = (wMultiKinds & MultiParameterItem::acceptPoint) != 0;
        const BOOL bNumber = (wMultiKinds & wNumbers) != 0;
        nReason = bPoint && bNumber ? kExpectPointOrNumber : bPoint ? kExpectPoint : kExpectNumber;
        break;
    }
    default: break;
    }
    ShowStatusInformation(LoadResourceString(nReason));
    return FALSE;
}

BOOL CommandManager::SetParameterText(int nIndex, const CString& strText, BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr)
        return FALSE;
    const int nType = pItem->GetTypeCode();
    switch (nType) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle:
    case ParameterItemBase::typeInteger:
    case ParameterItemBase::typeScale:
    case ParameterItemBase::typePoint:
    case ParameterItemBase::typePointArray:
    case ParameterItemBase::typeMulti:
        break;
    case ParameterItemBase::typeText: {
        // A typed text is taken as it stands; an empty line empties the row.
        if (strText.IsEmpty())
            return ClearParameterValue(nIndex, TRUE);
        TextParameterItem text;
        text.SetValue(strText);
        return SetTextParameter(nIndex, text, bPrompt);
    }
    default:
        return FALSE;
    }
    if (strText.IsEmpty())
        return ClearParameterValue(nIndex, TRUE);

    switch (nType) {
    case ParameterItemBase::typeDouble: {
        const auto* pDouble = dynamic_cast<const DoubleParameterItem*>(pItem);
        double value = 0.0;
        if (pDouble != nullptr && pDouble->m_nFormatOverride != -1) {
            const int nFeetInch = (pDouble->m_nFormatOverride == 1 || pDouble->m_nFormatOverride == 2) ? 1 : 0;
            if (NumericCharConverter::StringToDouble(strText, value, NumericFormat::GetInputConstValue(), nFeetInch))
                return SetDoubleValue(nIndex, value, bPrompt);
        }
        if (!NumericFormat::StringToDouble(strText, value))
            return RefuseTypedText(nType);
        return SetDoubleValue(nIndex, value, bPrompt);
    }
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle: {
        double value = 0.0;
        if (!NumericFormat::StringToDouble(strText, value))
            return RefuseTypedText(nType);
        return nType == ParameterItemBase::typeLength ? SetLengthValue(nIndex, value, bPrompt)
                                                      : SetAngleValue(nIndex, value, bPrompt);
    }
    case ParameterItemBase::typeInteger: {
        int value = 0;
        if (!NumericFormat::StringToInteger(strText, value))
            return RefuseTypedText(nType);
        return SetIntegerValue(nIndex, value, bPrompt);
    }
    case ParameterItemBase::typeScale: {
        double x = 0.0;
        double y = 0.0;
        if (!NumericCharConverter::StringToScale(strText, x, y))
            return RefuseTypedText(nType);
        // Zero and factors out of the item's range are refused with their own reason.
        if (!ScaleParameterItem::IsValidFactor(x) || !ScaleParameterItem::IsValidFactor(y)) {
            ShowStatusInformation(LoadResourceString(kScaleOutOfRange));
            return FALSE;
        }
        return SetScaleValue(nIndex, x, y, bPrompt);
    }
    case ParameterItemBase::typePoint:
    case ParameterItemBase::typePointArray: {
        RuVaPnt2d point;
        BOOL bRelative = FALSE;
        BOOL bPolar = FALSE;
        if (!ParseTypedPoint(strText, point, bRelative, bPolar))
            return RefuseTypedText(nType);
        if (nType == ParameterItemBase::typePoint)
            return SetPointValue(nIndex, point, bRelative, bPolar);
        return AddPointArrayValue(nIndex, point, FALSE, bRelative, bPolar);
    }
    case ParameterItemBase::typeMulti: {
        const auto* pMulti = dynamic_cast<const MultiParameterItem*>(pItem);
        if (pMulti == nullptr)
            return FALSE;
        MultiParameterItem value;
        value.Copy(*pMulti);
        RuVaPnt2d point;
        BOOL bRelative = FALSE;
        BOOL bPolar = FALSE;
        if ((pMulti->m_wKindMask & MultiParameterItem::acceptPoint) != 0 &&
            ParseTypedPoint(strText, point, bRelative, bPolar)) {
            ApplyPointNotation(point, bRelative, bPolar);
            PointParameterItem typed;
            typed.Copy(pMulti->m_pointItem);
            if (!typed.SetValue(point) || !value.SetPointFrom(typed))
                return FALSE;
            return SetMultiParameter(nIndex, value, bPrompt);
        }
        const WORD wNumbers =
            MultiParameterItem::acceptNumber | MultiParameterItem::acceptLength | MultiParameterItem::acceptAngle;
        double number = 0.0;
        if ((pMulti->m_wKindMask & wNumbers) == 0 || !NumericFormat::StringToDouble(strText, number))
            return RefuseTypedText(nType, pMulti->m_wKindMask);
        BOOL bSet = FALSE;
        if ((pMulti->m_wKindMask & MultiParameterItem::acceptNumber) != 0) {
            DoubleParameterItem typed;
            typed.SetValue(number);
            bSet = value.SetNumberFrom(typed);
        } else if ((pMulti->m_wKindMask & MultiParameterItem::acceptLength) != 0) {
            LengthParameterItem typed;
            typed.SetValue(number);
            bSet = value.SetLengthFrom(typed);
        } else {
            AngleParameterItem typed;
            typed.SetValue(number);
            bSet = value.SetAngleFrom(typed);
        }
        return bSet ? SetMultiParameter(nIndex, value, bPrompt) : FALSE;
    }
    default:
        return FALSE;
    }
}

// --- typed value setters --------------------------------------------------------------------------

BOOL CommandManager::SetIntegerValue(int nIndex, int nValue, BOOL bPrompt)
{
    auto pValue = CopyOfCurrentItem<IntegerParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    pValue->SetValue(nValue);
    return SetIntegerParameter(nIndex, *pValue, bPrompt);
}

BOOL CommandManager::SetDoubleValue(int nIndex, double dValue, BOOL bPrompt)
{
    auto pValue = CopyOfCurrentItem<DoubleParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr || pValue->GetTypeCode() != ParameterItemBase::typeDouble)
        return FALSE;
    pValue->SetValue(dValue);
    return SetDoubleParameter(nIndex, *pValue, bPrompt);
}

BOOL CommandManager::SetLengthValue(int nIndex, double dValue, BOOL bPrompt)
{
    auto pValue = CopyOfCurrentItem<LengthParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    pValue->SetValue(dValue);
    return SetLengthParameter(nIndex, *pValue, bPrompt);
}

BOOL CommandManager::SetAngleValue(int nIndex, double dDegrees, BOOL bPrompt)
{
    auto pValue = CopyOfCurrentItem<AngleParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    pValue->SetValue(dDegrees);
    return SetAngleParameter(nIndex, *pValue, bPrompt);
}

BOOL CommandManager::SetScaleValue(int nIndex, double dX, double dY, BOOL bPrompt)
{
    auto pValue = CopyOfCurrentItem<ScaleParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr || !pValue->SetValue(dX, dY))
        return FALSE;
    return SetScaleParameter(nIndex, *pValue, bPrompt);
}

BOOL CommandManager::SetPointValue(int nIndex, const RuVaPnt2d& point, BOOL bRelative, BOOL bPolar)
{
    auto pValue = CopyOfCurrentItem<PointParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    RuVaPnt2d p = point;
    ApplyPointNotation(p, bRelative, bPolar);
    if (!pValue->SetValue(p))
        return FALSE;
    return SetPointParameter(nIndex, *pValue, TRUE);
}

BOOL CommandManager::AddPointArrayValue(int nIndex, const RuVaPnt2d& point, BOOL bFinished, BOOL bRelative,
                                        BOOL bPolar)
{
    auto pValue = CopyOfCurrentItem<PointArrayParameterItem>(GetActiveCommand(), nIndex);
    if (pValue == nullptr)
        return FALSE;
    RuVaPnt2d p = point;
    ApplyPointNotation(p, bRelative, bPolar);
    RuVaPnt2d last;
    if (pValue->GetCount() > 0 && pValue->GetLastPoint(last) && p.IsEqual(last, 0.0)) {
        // A point exactly on the last one ends the list.
        pValue->m_bFinished = TRUE;
    } else {
        if (!pValue->AddPoint(p))
            return FALSE;
        pValue->m_bFinished = bFinished ? TRUE : FALSE;
    }
    if (!SetPointArrayParameter(nIndex, *pValue, FALSE))
        return FALSE;
    LocalToWorldPoint(p, m_lastInputWorld);
    m_bLastInput = TRUE;
    return TRUE;
}

BOOL CommandManager::SetMultiParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeMulti, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual);
}

BOOL CommandManager::SetDrawingParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeDrawing, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual);
}

BOOL CommandManager::SetDrawComponentParameter(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    return SetParameterTransaction(nIndex, value, ParameterItemBase::typeDrawComponent, bPrompt,
                                   setterNeedsView | setterRefreshOnEqual);
}

BOOL CommandManager::SetParameterValue(int nIndex, const ParameterItemBase& value, BOOL bPrompt)
{
    switch (value.GetTypeCode()) {
    case ParameterItemBase::typeDouble: return SetDoubleParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeLength: return SetLengthParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeAngle: return SetAngleParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeInteger: return SetIntegerParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeText: return SetTextParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeList: return SetListParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeScale: return SetScaleParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typePoint: return SetPointParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typePointArray: return SetPointArrayParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeFeature: return SetFeatureParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeFeatureList: return SetFeatureListParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeFeatureSequence: return SetFeatureSequenceParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeFeatureGroup: return SetFeatureGroupParameter(nIndex, value, TRUE, bPrompt);
    case ParameterItemBase::typeDrawing: return SetDrawingParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeDrawComponent: return SetDrawComponentParameter(nIndex, value, bPrompt);
    case ParameterItemBase::typeMulti: return SetMultiParameter(nIndex, value, bPrompt);
    default: return FALSE;
    }
}

BOOL CommandManager::ClearParameterValue(int nIndex, BOOL bPrompt)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr || !pItem->m_bClearable)
        return FALSE;
    std::unique_ptr<ParameterItemBase> pEmpty(pItem->Clone());
    if (pEmpty == nullptr)
        return FALSE;
    pEmpty->Clear();
    return SetParameterValue(nIndex, *pEmpty, bPrompt);
}

BOOL CommandManager::ResetParameterToDefault(int nIndex)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    const ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr || !pItem->m_bClearable)
        return FALSE;
    // Remembered values stay, and so do values meant to outlive a change of drawing, except that picked
    // shapes never outlive a restart of the inputs.
    if (!IsFeatureType(pItem->GetTypeCode()) &&
        (pItem->m_nRetentionMode == 1 || pItem->m_nRetentionMode == 2 || !pItem->m_bResetOnDrawingChange))
        return FALSE;
    std::unique_ptr<ParameterItemBase> pValue(pItem->Clone());
    if (pValue == nullptr)
        return FALSE;
    pValue->Clear();
    if (!pValue->m_bNoDefault)
        pValue->ApplyDefault();
    return SetParameterValue(nIndex, *pValue, FALSE);
}

// --- the current parameter, alternatives and modifiers ----------------------------------------------

BOOL CommandManager::SetParameterAlternative(CommandBase* pCommand, int nIndex, int nAlternative)
{
    if (pCommand == nullptr)
        pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    CommandParameter* pParameter = pCommand->GetParameter(nIndex);
    if (pParameter == nullptr || nAlternative < 0 || nAlternative >= pParameter->GetItemCount())
        return FALSE;
    if (!pCommand->OnAlternativeChanging(nIndex, nAlternative))
        return FALSE;
    const BOOL bRunning = pCommand == GetActiveCommand();
    ParameterItemBase* pOld = pParameter->GetCurrentItem();
    if (pOld != nullptr) {
        if (bRunning && IsFeatureType(pOld->GetTypeCode()))
            UnselectItemFeatures(pCommand, nIndex, FALSE, TRUE);
        pOld->Clear();
    }
    pParameter->SetCurrentIndex(nAlternative);
    pCommand->ChoosePickParameter();
    if (bRunning) {
        UpdateParameterInBar(pCommand, nIndex, 1);
        ResetStatusText();
        ClearFenceIfActive();
    }
    return TRUE;
}

BOOL CommandManager::ActivateNextParameterOfType(int nTypeCode)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr)
        return FALSE;
    const int nCount = pCommand->GetParameterCount();
    const int nCurrent = pCommand->GetCurrentParameterIndex();
    // After the current parameter, wrapping round; from the first without a current one.
    const int nFirst = nCurrent >= 0 ? nCurrent + 1 : 0;
    const int nSteps = nCurrent >= 0 ? nCount - 1 : nCount;
    for (int step = 0; step < nSteps; ++step) {
        const int i = (nFirst + step) % nCount;
        const ParameterItemBase* pItem = pCommand->GetParameterItem(i);
        if (pItem != nullptr && pItem->GetTypeCode() == nTypeCode)
            return SetCurrentParameter(pCommand, i);
    }
    return FALSE;
}

void CommandManager::EmptyForModifier(int nIndex)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return;
    const ParameterItemBase* pItem = pCommand->GetParameterItem(nIndex);
    if (pItem == nullptr)
        return;
    if (const auto* pArray = dynamic_cast<const PointArrayParameterItem*>(pItem)) {
        // Points already given stay while the list is still open.
        if (pArray->GetCount() > 0 && pArray->m_bFinished)
            ClearParameterValue(nIndex, FALSE);
        return;
    }
    if (!pItem->IsEmpty())
        ClearParameterValue(nIndex, FALSE);
}

BOOL CommandManager::SetParameterModifier(int nIndex, int nCode)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return FALSE;
    EndAllModifierInput();
    EmptyForModifier(nIndex);
    // The modifier's inputs show under the parameter's row.
    if (GetActiveCommand() == pCommand && nIndex < pCommand->GetParameterCount() &&
        pCommand->SetModifier(nIndex, nCode) && m_pCommandBar != nullptr)
        m_pCommandBar->ShowModifierRows(nIndex, pCommand->GetActiveModifier());
    return FALSE;
}

BOOL CommandManager::ApplyModifierCode(int nCode)
{
    CommandBase* pCommand = GetActiveCommand();
    if (pCommand == nullptr || pCommand->GetCurrentParameterIndex() < 0)
        return FALSE;
    auto fits = [nCode](const ParameterItemBase* pItem) {
        if (pItem == nullptr || !pItem->m_bAcceptModifier)
            return false;
        const int nType = pItem->GetTypeCode();
        if (nCode >= 1 && nCode <= 9)
            return nType == ParameterItemBase::typeLength;
        if (nCode >= 10 && nCode <= 19)
            return nType == ParameterItemBase::typeAngle;
        if (nCode >= 20 && nCode <= 29)
            return nType == ParameterItemBase::typePoint || nType == ParameterItemBase::typePointArray;
        return false;
    };
    auto open = [](const ParameterItemBase* pItem) {
        if (const auto* pArray = dynamic_cast<const PointArrayParameterItem*>(pItem))
            return pArray->IsEmpty() || !pArray->m_bFinished;
        return pItem->IsEmpty() != FALSE;
    };
    EndAllModifierInput();
    const int nCount = pCommand->GetParameterCount();
    const int nCurrent = pCommand->GetCurrentParameterIndex();
    int nFound = -1;
    for (int pass = 0; pass < 2 && nFound < 0; ++pass) {
        for (int step = 0; step < nCount; ++step) {
            const int i = (nCurrent + step) % nCount;
            const ParameterItemBase* pItem = pCommand->GetParameterItem(i);
            if (fits(pItem) && (pass == 1 || open(pItem))) {
                nFound = i;
                break;
            }
        }
    }
    if (nFound < 0)
        return FALSE;
    if (!open(pCommand->GetParameterItem(nFound)))
        EmptyForModifier(nFound);
    if (GetActiveCommand() != pCommand || nFound >= pCommand->GetParameterCount())
        return FALSE;
    SetCurrentParameter(pCommand, nFound);
    // A code without a modifier class attaches nothing and is reported so.
    if (!pCommand->SetModifier(nFound, nCode))
        return FALSE;
    if (m_pCommandBar != nullptr)
        m_pCommandBar->ShowModifierRows(nFound, pCommand->GetActiveModifier());
    return TRUE;
}

}  // namespace QZ2Command

#include "settings/CDimensionAutoSettingPage.h"

#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/AfxWinMsgMacros.h"
#include "platform/win/CButton.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

IMPLEMENT_DYNCREATE(CDimensionAutoSettingPage, CFeatureSettingPropertyPage)

using Page = CDimensionAutoSettingPage;

BEGIN_MESSAGE_MAP(CDimensionAutoSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CDimensionAutoSettingPage::CDimensionAutoSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kDimensionAutoPage;
}

CDimensionAutoSettingPage::~CDimensionAutoSettingPage() = default;

void CDimensionAutoSettingPage::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_nAutoArrow = pSetting->GetAutoArrowPosition();
    m_nAutoHorizontal = pSetting->GetAutoHorizonPos();
    m_nNotSettledMode = pSetting->GetNotSettledArrowPosMode();
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_bMixedValues)
        GetDlgItem(kAutoHorizontalId)->ShowWindow(SW_HIDE);
    if (UpdateData(FALSE))
        DrawPreview(FALSE);
}

BOOL CDimensionAutoSettingPage::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetAutoArrowPosition(m_nAutoArrow);
    pSetting->SetAutoHorizonPos(m_nAutoHorizontal);
    pSetting->SetNotSettledArrowPosMode(m_nNotSettledMode);
    return TRUE;
}

void CDimensionAutoSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, kAutoArrowId, m_nAutoArrow);
    DDX_Radio(pDX, kInsideId, m_nNotSettledMode);
    DDX_Check(pDX, kAutoHorizontalId, m_nAutoHorizontal);
}

BOOL CDimensionAutoSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    MakeThreeState({kAutoArrowId, kAutoHorizontalId});
    if (GetSafeHwnd() != nullptr) {
        // Several shapes' own text positions cannot be set together.
        if (m_bMixedValues)
            GetDlgItem(kAutoHorizontalId)->ShowWindow(SW_HIDE);
        if (UpdateData(FALSE))
            DrawPreview(FALSE);
    }
    return TRUE;
}

BOOL CDimensionAutoSettingPage::OnKillActive()
{
    StopTimer();
    return CFeatureSettingPropertyPage::OnKillActive();
}

void CDimensionAutoSettingPage::StopTimer()
{
    if (m_bTimerRunning && GetSafeHwnd() != nullptr)
        KillTimer(m_nTimerId);
    m_bTimerRunning = FALSE;
    m_nTickCount = 0;
}

void CDimensionAutoSettingPage::DrawPreview(BOOL bAnimate)
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int nFocus = GetFocusedControlId();
    auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(GetParent());
    DimensionSetting whole;
    if (pDialog == nullptr || !pDialog->GetDimensionSetting(&whole))
        return;
    DimensionSetting sample = whole;
    TextSetting textStyle = sample.GetDimTextFont();

    RuVaPnt2d p1(0, 0), p2(20.0, 0), textPoint(10.0, 12.0);
    double arrow = 1.5, textHeight = 3.5, outside1 = 8.0, outside2 = 8.0, spacing = 7.0;
    int nHorizontal = 0;
    bool bSymbol = false;
    RuVaPnt2d symbol;
    const bool bOddTick = bAnimate && (m_nTickCount % 2) == 1;
    if (nFocus == kAutoArrowId) {
        sample.SetAutoHorizonPos(0);
        nHorizontal = bOddTick ? 0 : 4;
    } else if (nFocus == kAutoHorizontalId) {
        bSymbol = true;
        if (bOddTick) {
            symbol = RuVaPnt2d(textPoint.X() - 8.0, textPoint.Y() - 1.0);
            nHorizontal = 0;
        } else {
            symbol = RuVaPnt2d(textPoint.X() + 8.0, textPoint.Y() - 1.0);
            nHorizontal = 7;
            if (sample.GetAutoHorizonPos() == 1)
                textPoint = RuVaPnt2d(textPoint.X() + 10.0, textPoint.Y());
        }
    } else if (nFocus == kInsideId || nFocus == kOutsideId || nFocus == kTextOutsideId) {
        arrow = 2.5;
        textHeight = 5.0;
        outside1 = outside2 = 12.0;
        spacing = 2.0;
    }
    sample.SetPrecision(1);
    sample.SetRound(0.0);
    for (auto setter : {&DimensionSetting::SetPreAdditionText, &DimensionSetting::SetInsideAdditionText1,
                        &DimensionSetting::SetInsideAdditionText2, &DimensionSetting::SetPostAdditionText1,
                        &DimensionSetting::SetPostAdditionText2})
        (sample.*setter)(CString());
    sample.SetToleranceType(0);
    sample.SetToFullWidth(0);
    sample.SetArrowSize1(arrow);
    sample.SetArrowSize2(arrow);
    sample.SetArrowType1(9);
    sample.SetArrowType2(9);
    sample.SetProjectionOffsetOrLineLength1(0.0);
    sample.SetProjectionOffsetOrLineLength2(0.0);
    sample.SetProjectionExtension1(1.0);
    sample.SetProjectionExtension2(1.0);
    sample.SetProjectionShow1(1);
    sample.SetProjectionShow2(1);
    sample.SetOutsideLength1(outside1);
    sample.SetOutsideLength2(outside2);
    sample.SetPosAngle(0);
    sample.SetVerticalPos(0);
    textStyle.SetHeight(textHeight);
    textStyle.SetCharSpacing(0.0);
    sample.SetDimTextFont(textStyle);
    sample.SetArrowPosition(0);
    sample.SetHorizonPos(nHorizontal);
    sample.SetDistance(0.0);
    sample.SetNotSettledArrowPosMode(whole.GetNotSettledArrowPosMode());

    Feature2dList samples;
    // Two fixed markers keep the sample's extent, and so its scale, the same from frame to frame.
    PointMarkerSetting marker;
    marker.SetType(2);
    marker.SetSize(8.0);
    for (const RuVaPnt2d& at : {RuVaPnt2d(-outside1 - 1.0, 0), RuVaPnt2d(outside1 + 20.0 + spacing, textHeight + 12.0)}) {
        auto* pMarker = new PointMarker2dFeature(at);
        FeatureSettingConverter::SetPointMarkerSettingToFeature(pMarker, marker);
        samples.AddFeature(pMarker, 0);
    }
    Dimension2dFeatureBase* pDimension = FeatureCreator::CreateLinearDimensionFeature(
        p1, p2, 12.0, 90.0, 0.0, 0, CString(u"20.0"), 0, textPoint, 0, &sample, 0, 0);
    if (pDimension == nullptr)
        return;
    samples.AddFeature(pDimension, 0);
    if (bSymbol) {
        KcArrayOfGePnt2d square;
        square.Add(symbol.X() - 1.5, symbol.Y() - 1.5);
        square.Add(symbol.X() + 1.5, symbol.Y() - 1.5);
        square.Add(symbol.X() + 1.5, symbol.Y() + 1.5);
        square.Add(symbol.X() - 1.5, symbol.Y() + 1.5);
        square.Add(symbol.X() - 1.5, symbol.Y() - 1.5);
        samples.AddFeature(new Polyline2dFeature(square, FALSE), 0);
        samples.AddFeature(new Line2dFeature(RuVaPnt2d(symbol.X(), symbol.Y() - 3.75),
                                             RuVaPnt2d(symbol.X(), symbol.Y() + 3.75)), 0);
        samples.AddFeature(new Line2dFeature(RuVaPnt2d(symbol.X() - 3.75, symbol.Y()),
                                             RuVaPnt2d(symbol.X() + 3.75, symbol.Y())), 0);
    }
    ShowPreview(samples);

    if (bAnimate) {
        ++m_nTickCount;
        return;
    }
    // A redraw without animation ends a running animation; the focused automatic box starts a new one.
    if (m_nTickCount > 0 || m_bTimerRunning)
        StopTimer();
    if (m_nTickCount <= 0 && (nFocus == kAutoArrowId || nFocus == kAutoHorizontalId)) {
        m_nTimerId = SetTimer(m_nTimerId, 1000, nullptr);
        m_bTimerRunning = m_nTimerId != 0;
        if (!m_bTimerRunning)
            m_nTimerId = 1;
    }
}

void CDimensionAutoSettingPage::OnClicked(UINT nID)
{
    if (nID == kAutoArrowId || nID == kAutoHorizontalId)
        DecideThreeStateBox(static_cast<int>(nID));
    if (!UpdateData(TRUE))
        return;
    DrawPreview(FALSE);
    NotifySettingChanged(FALSE);
}

void CDimensionAutoSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE))
        DrawPreview(FALSE);
}

void CDimensionAutoSettingPage::OnTimer(UINT_PTR nIDEvent)
{
    if (m_nTickCount < kLastTick)
        DrawPreview(TRUE);
    else
        StopTimer();
    CFeatureSettingPropertyPage::OnTimer(nIDEvent);
}

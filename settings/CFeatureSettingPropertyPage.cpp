#include "settings/CFeatureSettingPropertyPage.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "command/LoadResourceString.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CButton.h"
#include "platform/gdi/CFont.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

IMPLEMENT_DYNCREATE(CFeatureSettingPropertyPage, CQZ2PropertyPage)

BEGIN_MESSAGE_MAP(CFeatureSettingPropertyPage, CQZ2PropertyPage)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CFeatureSettingPropertyPage::CFeatureSettingPropertyPage() = default;

CFeatureSettingPropertyPage::CFeatureSettingPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CQZ2PropertyPage(nIDTemplate, nIDCaption)
{
}

CFeatureSettingPropertyPage::~CFeatureSettingPropertyPage() = default;

void CFeatureSettingPropertyPage::SetAttributeTables(const LayerFeatureTable* pLayers, long nLayerID,
                                                     const ColorFeatureTable* pColors,
                                                     const LineTypeFeatureTable* pLineTypes,
                                                     const LineWidthFeatureTable* pLineWidths)
{
    m_pColorTable = pColors;
    m_pLineTypeTable = pLineTypes;
    m_pLineWidthTable = pLineWidths;
    if (nLayerID != -1 && pLayers != nullptr) {
        m_nLayerColorNo = pLayers->GetLayerColorNo(nLayerID);
        m_nLayerLineTypeNo = pLayers->GetLayerLineTypeNo(nLayerID);
        m_nLayerLineWidthNo = pLayers->GetLayerLineWidthNo(nLayerID);
    } else {
        m_nLayerColorNo = m_nLayerLineTypeNo = m_nLayerLineWidthNo = kUndefinedNo;
    }
}

void CFeatureSettingPropertyPage::NotifySettingChanged(BOOL bEdited)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_FEATURESETTING_CHANGED, static_cast<WPARAM>(bEdited), 0);
}

void CFeatureSettingPropertyPage::ShowPreview(Feature2dList& samples)
{
    if (auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(GetParent()))
        pDialog->UpdatePreview(&samples);
}

void CFeatureSettingPropertyPage::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (CFont* pFont = GetFont()) {
        LOGFONT lf{};
        if (pFont->GetLogFont(&lf) && std::abs(lf.lfHeight) > 0)
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::abs(lf.lfHeight) * 5 / 4);
    }
    CQZ2PropertyPage::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

// ---- focus and three-state boxes ----------------------------------------------------------------------------

int CFeatureSettingPropertyPage::GetFocusedControlId() const
{
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus == nullptr || GetSafeHwnd() == nullptr)
        return 0;
    // The edit field of an editable combo box stands for its combo box.
    CWnd* pParent = pFocus->GetParent();
    if (pParent != nullptr && pParent->GetSafeHwnd() != GetSafeHwnd() && pParent->GetParent() != nullptr &&
        pParent->GetParent()->GetSafeHwnd() == GetSafeHwnd())
        pFocus = pParent;
    if (pFocus->GetParent() == nullptr || pFocus->GetParent()->GetSafeHwnd() != GetSafeHwnd())
        return 0;
    return pFocus->GetDlgCtrlID();
}

void CFeatureSettingPropertyPage::DecideThreeStateBox(int nID)
{
    auto* pBox = dynamic_cast<CButton*>(GetDlgItem(nID));
    if (!m_bMixedValues || pBox == nullptr || (pBox->GetStyle() & BS_TYPEMASK) != BS_AUTO3STATE)
        return;
    if (pBox->GetCheck() != BST_CHECKED)
        pBox->SetCheck(BST_UNCHECKED);
    pBox->SetButtonStyle(BS_AUTOCHECKBOX);
}

void CFeatureSettingPropertyPage::MakeThreeState(std::initializer_list<int> ids)
{
    if (!m_bMixedValues)
        return;
    for (int nID : ids)
        if (auto* pBox = dynamic_cast<CButton*>(GetDlgItem(nID)))
            pBox->SetButtonStyle(BS_AUTO3STATE);
}

// ---- sample builders ----------------------------------------------------------------------------------------

namespace {
constexpr double kDegree = 0.017453292519943295;
constexpr short kMarkColor = 4;

double DirectionDeg(const RuVaPnt2d& from, const RuVaPnt2d& to)
{
    return std::atan2(to.Y() - from.Y(), to.X() - from.X()) / kDegree;
}

void AddLine(Feature2dList* pList, const RuVaPnt2d& a, const RuVaPnt2d& b, short nColorNo)
{
    auto* pLine = new Line2dFeature(a, b);
    pLine->SetColorNo(nColorNo);
    pList->AddFeature(pLine, 0);
}

// The text's block corners (lower left first) and its width and height.
void MeasureText(const Text2dFeature& text, double& width, double& height, double& minX, double& minY)
{
    KcArrayOfGePnt2d corners;
    width = height = minX = minY = 0.0;
    if (!text.GetOutlinePoints(corners) || corners.GetSize() == 0)
        return;
    double maxX = corners[0].X(), maxY = corners[0].Y();
    minX = maxX;
    minY = maxY;
    for (INT_PTR i = 1; i < corners.GetSize(); ++i) {
        minX = std::min(minX, corners[i].X());
        minY = std::min(minY, corners[i].Y());
        maxX = std::max(maxX, corners[i].X());
        maxY = std::max(maxY, corners[i].Y());
    }
    width = maxX - minX;
    height = maxY - minY;
}

void AddFrame(Feature2dList* pList, double x0, double y0, double x1, double y1, short nColorNo, short nLineType)
{
    KcArrayOfGePnt2d points;
    points.Add(x0, y0);
    points.Add(x0, y1);
    points.Add(x1, y1);
    points.Add(x1, y0);
    points.Add(x0, y0);
    auto* pFrame = new Polyline2dFeature(points, FALSE);
    pFrame->SetColorNo(nColorNo);
    if (nLineType >= 0)
        pFrame->SetLineTypeNo(nLineType);
    pList->AddFeature(pFrame, 0);
}
}  // namespace

void CFeatureSettingPropertyPage::AddLinearDimensionSample(Feature2dList* pList, const RuVaPnt2d& centre,
                                                           double width, double angle, double outsideLength,
                                                           double extension1, double extension2,
                                                           const CString& preText, int nVerticalPos)
{
    if (pList == nullptr)
        return;
    const double e = std::max(extension1, extension2);
    const double h = width * 0.5;
    const double radians = angle * kDegree;
    const RuVaPnt2d p1 = RuVaPnt2d(centre.X() - h, centre.Y() - e).Rotated(centre, radians);
    const RuVaPnt2d p2 = RuVaPnt2d(centre.X() + h, centre.Y() - e).Rotated(centre, radians);
    // The shorter extension line starts that much further from its point.
    const double offset1 = extension1 <= extension2 ? extension2 - extension1 : 0.0;
    const double offset2 = extension1 > extension2 ? extension1 - extension2 : 0.0;
    DimensionSetting setting;
    double a = width * 0.12;
    if (outsideLength > 0.0) {
        setting.SetArrowPosition(1);
        a = outsideLength * 0.22;
    }
    setting.SetColorNo(kMarkColor);
    setting.SetArrowSize1(a);
    setting.SetArrowSize2(a);
    setting.SetArrowType1(6);
    setting.SetArrowType2(6);
    setting.SetProjectionOffsetOrLineLength1(offset1);
    setting.SetProjectionOffsetOrLineLength2(offset2);
    setting.SetProjectionExtension1(a);
    setting.SetProjectionExtension2(a);
    setting.SetProjectionShow1(extension1 > 0.0);
    setting.SetProjectionShow2(extension2 > 0.0);
    setting.SetOutsideLength1(outsideLength);
    setting.SetOutsideLength2(outsideLength);
    setting.SetAutoArrowPosition(0);
    setting.SetAutoHorizonPos(0);
    setting.SetNotSettledArrowPosMode(0);
    if (!preText.IsEmpty()) {
        setting.SetPreAdditionText(preText);
        setting.SetVerticalPos(nVerticalPos);
        TextSetting text = setting.GetDimTextFont();
        text.SetHeight(3.0 * a);
        setting.SetDimTextFont(text);
    }
    Dimension2dFeatureBase* pDimension = FeatureCreator::CreateLinearDimensionFeature(
        p1, p2, e, RuVa::CorrectAngle(angle + 90.0), angle, 1, CString(), 0, centre, 1, &setting, 1, 0);
    if (pDimension != nullptr)
        pList->AddFeature(pDimension, 0);
}

void CFeatureSettingPropertyPage::AddAngularDimensionSample(Feature2dList* pList, const RuVaPnt2d& vertex,
                                                            const RuVaPnt2d& point, double sweep, int nArrowType1,
                                                            int nArrowType2, double extensionLength, BOOL bMarkVertex)
{
    if (pList == nullptr)
        return;
    const double r = vertex.Distance(point);
    const double a0 = std::atan2(point.Y() - vertex.Y(), point.X() - vertex.X());
    const double a = r * 0.08;
    RuVaPnt2d first = point;
    if (r - extensionLength < 1e-7) {
        // The extension would reach the vertex: the arms are drawn as lines instead.
        extensionLength = 0.0;
        const RuVaPnt2d far(vertex.X() + (r + a) * std::cos(a0), vertex.Y() + (r + a) * std::sin(a0));
        AddLine(pList, vertex, far, kMarkColor);
        AddLine(pList, vertex, far.Rotated(vertex, sweep * kDegree), kMarkColor);
    } else {
        const double d = r - extensionLength;
        first = RuVaPnt2d(vertex.X() + d * std::cos(a0), vertex.Y() + d * std::sin(a0));
    }
    const RuVaPnt2d second = first.Rotated(vertex, sweep * kDegree);
    const RuVaPnt2d linePoint = point.Rotated(vertex, sweep * 0.5 * kDegree);
    DimensionSetting setting;
    setting.SetColorNo(kMarkColor);
    setting.SetArrowSize1(a);
    setting.SetArrowSize2(a);
    setting.SetArrowType1(nArrowType1);
    setting.SetArrowType2(nArrowType2);
    setting.SetProjectionOffsetOrLineLength1(0.0);
    setting.SetProjectionOffsetOrLineLength2(0.0);
    setting.SetProjectionExtension1(a);
    setting.SetProjectionExtension2(a);
    setting.SetProjectionShow1(extensionLength > 0.0);
    setting.SetProjectionShow2(extensionLength > 0.0);
    setting.SetOutsideLength1(0.0);
    setting.SetOutsideLength2(0.0);
    setting.SetAutoArrowPosition(0);
    setting.SetAutoHorizonPos(0);
    setting.SetNotSettledArrowPosMode(0);
    if (Dimension2dFeatureBase* pDimension = FeatureCreator::CreateAngularDimensionFeature(
            vertex, first, second, r, 1, CString(), 0, linePoint, &setting, 0))
        pList->AddFeature(pDimension, 0);
    if (bMarkVertex) {
        PointMarkerSetting marker;
        marker.SetSize(r * 0.1);
        marker.SetType(2);
        marker.SetColorNo(kMarkColor);
        auto* pMarker = new PointMarker2dFeature(vertex);
        FeatureSettingConverter::SetPointMarkerSettingToFeature(pMarker, marker);
        pList->AddFeature(pMarker, 0);
    }
}

void CFeatureSettingPropertyPage::AddLeadSample(Feature2dList* pList, int nArrowType, const RuVaPnt2d& start,
                                                double length, double angle, double arrowSize, short nColorNo)
{
    if (pList == nullptr)
        return;
    const RuVaPnt2d end = RuVaPnt2d(start.X() + length, start.Y()).Rotated(start, angle * kDegree);
    LeadSetting setting;
    setting.SetType(nArrowType);
    setting.SetSize(arrowSize);
    setting.SetColorNo(nColorNo);
    KcArrayOfGePnt2d points;
    points.Add(start);
    points.Add(end);
    if (Lead2dFeature* pLead = FeatureCreator::CreateLeadFeature(nullptr, CString(), points, 0, end, &setting))
        pList->AddFeature(pLead, 0);
}

void CFeatureSettingPropertyPage::AddArrowSample(Feature2dList* pList, int nArrowType, short nColorNo)
{
    double size = 2.5, leadLength = 5.0, dimensionAngle = 270.0;
    RuVaPnt2d centre(3.0, 0.0);
    switch (nArrowType) {
    case 1: case 6: case 9: case 11: case 12: case 13:
        size = 1.0;
        leadLength = 4.2;
        centre = RuVaPnt2d(0.5, 0.0);
        break;
    case 8: case 10:
        centre = RuVaPnt2d(1.5, 1.25).Rotated(RuVaPnt2d(0, 0), 315.0 * kDegree);
        dimensionAngle = 225.0;
        break;
    default: break;
    }
    AddLeadSample(pList, nArrowType, RuVaPnt2d(0, 0), leadLength, 180.0, size, nColorNo);
    AddLinearDimensionSample(pList, centre, size, dimensionAngle, 0.0, 1.0, 1.0, CString(), 0);
}

double CFeatureSettingPropertyPage::AddTextSample(Feature2dList* pList, TextSetting* pStyle, RuVaPnt2d basePoint,
                                                  double angle, int nMarkKind, const CString* pText, BOOL bOutline)
{
    if (pList == nullptr || pStyle == nullptr)
        return 0.0;
    const double h = pStyle->GetHeight() > 0.0 && pStyle->GetHeight() < 1e15 ? pStyle->GetHeight() : 5.0;
    if (nMarkKind != 0 && nMarkKind != 4) {
        pStyle->SetWidthRatio(nMarkKind == 2 ? 1.3 : 1.0);
        pStyle->SetSlantAngle(nMarkKind == 3 ? 30.0 : 0.0);
        if (nMarkKind == 5)
            pStyle->SetCharSpacing(0.5 * h);
        if (nMarkKind == 6)
            pStyle->SetLineSpacing(0.5 * h);
        pStyle->SetOption1(0);
        pStyle->SetOption2(0);
        pStyle->SetOption3(0);
    }
    const BOOL bVertical = pStyle->GetDirection() == 1;
    const CString first = bVertical ? LoadResourceString(10181) : CString(u"A");
    CString text = first;
    if (nMarkKind == 6)
        text += bVertical ? LoadResourceString(10183) : CString(u"BC\r\nDEF");
    else if (nMarkKind == 0 || nMarkKind == 4 || nMarkKind == 5)
        text += bVertical ? LoadResourceString(10182) : CString(u"BC");
    if (pText != nullptr && !pText->IsEmpty())
        text = *pText;
    text.Replace(u"\n", u"\r\n");
    text.Replace(u"\r\r\n", u"\r\n");

    auto makeText = [&](const CString& content) {
        auto pFeature = std::make_unique<Text2dFeature>(content, RuVaPnt2d(0, 0));
        FeatureSettingConverter::SetTextSettingToFeature(pFeature.get(), *pStyle);
        pFeature->SetAutoLayoutRect();
        return pFeature;
    };
    std::unique_ptr<Text2dFeature> pSample = makeText(text);
    double W = 0, H = 0, minX = 0, minY = 0;
    MeasureText(*pSample, W, H, minX, minY);
    double w1 = 0, h1 = 0, minX1 = 0, minY1 = 0;
    MeasureText(*makeText(first), w1, h1, minX1, minY1);

    if (nMarkKind == 0) {
        pSample->SetPoint(basePoint);
        pSample->SetAngle(angle);
    } else {
        // The block's lower left corner on the origin.
        pSample->SetPoint(RuVaPnt2d(-minX, -minY));
    }
    if (nMarkKind == 4)
        AddFrame(pList, 0, 0, W, H, 15, 1);
    if (bOutline) {
        double ow = 0, oh = 0, ox = 0, oy = 0;
        MeasureText(*pSample, ow, oh, ox, oy);
        const double d = 0.12 * h;
        AddFrame(pList, ox - d, oy - d, ox + ow + d, oy + oh + d, 8, -1);
    }
    const double u = 0.1 * h;
    const double s = pStyle->GetCharSpacing() != DBL_MAX ? pStyle->GetCharSpacing() : 0.0;
    const double l = pStyle->GetLineSpacing() != DBL_MAX ? pStyle->GetLineSpacing() : 0.0;
    pList->AddFeature(pSample.get(), 1);
    auto measure = [&](const RuVaPnt2d& A, const RuVaPnt2d& B, const RuVaPnt2d& C, double factor, double e,
                       const CString& pre, int vertical) {
        AddLinearDimensionSample(pList, C, A.Distance(B) * factor, DirectionDeg(A, B), 0.0, e, e, pre, vertical);
    };
    switch (nMarkKind) {
    case 1:
        if (!bVertical) {
            const RuVaPnt2d A(W, H - 1.7 * u), B(W, 0.1 * u);
            measure(A, B, RuVaPnt2d(W + 1.2 * 0.2 * h, (A.Y() + B.Y()) / 2 + u), 1.0, 0.2 * h, CString(), 0);
        } else {
            const RuVaPnt2d A(W - u, 0), B(u, 0);
            measure(A, B, RuVaPnt2d((A.X() + B.X()) / 2, -u), 1.0, 0.2 * h, CString(), 0);
        }
        break;
    case 2:
        if (!bVertical)
            measure(RuVaPnt2d(W + u, 0), RuVaPnt2d(-u, 0), RuVaPnt2d(W / 2, 0), 0.7, 0.0, CString(u"%"), 2);
        else
            measure(RuVaPnt2d(W, 0), RuVaPnt2d(W, H), RuVaPnt2d(W, H / 2), 0.7, 0.0, CString(u"%"), 2);
        break;
    case 3: {
        RuVaPnt2d V(0.5 * w1, 0), P(0.5 * w1, 1.2 * h1);
        if (bVertical) {
            V = RuVaPnt2d(W - 0.5 * w1, H - 0.5 * h1);
            P = RuVaPnt2d(V.X() + 1.2 * w1, V.Y());
        }
        P = P.Rotated(V, 330.0 * kDegree);
        AddAngularDimensionSample(pList, V, P, 30.0, 6, 0, V.Distance(P), FALSE);
        break;
    }
    case 4: {
        PointMarkerSetting marker;
        marker.SetType(7);
        marker.SetColorNo(kMarkColor);
        marker.SetSize(0.2 * h);
        auto* pMarker = new PointMarker2dFeature(pSample->GetPoint());
        FeatureSettingConverter::SetPointMarkerSettingToFeature(pMarker, marker);
        pList->AddFeature(pMarker, 0);
        break;
    }
    case 5:
        if (!bVertical)
            measure(RuVaPnt2d(w1 + s, 0), RuVaPnt2d(w1, 0), RuVaPnt2d(w1 + s / 2, -u), 1.0, 0.2 * h, CString(), 0);
        else
            measure(RuVaPnt2d(W, H - h1), RuVaPnt2d(W, H - h1 - 1.2 * s), RuVaPnt2d(W + u, H - h1 - 0.6 * s), 1.0,
                    0.2 * h, CString(), 0);
        break;
    case 6:
        if (!bVertical)
            measure(RuVaPnt2d(0, H - h1 - l), RuVaPnt2d(0, H - h1), RuVaPnt2d(-0.2 * h, H - h1 - l / 2), 1.0,
                    0.2 * h, CString(), 0);
        else
            measure(RuVaPnt2d(W - w1 - l, H), RuVaPnt2d(W - w1, H), RuVaPnt2d(W - w1 - l / 2, H), 1.0, 0.2 * h,
                    CString(), 0);
        break;
    default: break;
    }
    double placedW = 0, placedH = 0, px = 0, py = 0;
    MeasureText(*pSample, placedW, placedH, px, py);
    return placedW;
}

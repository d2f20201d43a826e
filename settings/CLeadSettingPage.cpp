#include "settings/CLeadSettingPage.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {
constexpr double kMaxLength = 1e15;
const CString kMixedText(u"\\n");

bool Fits(double value, double low, double high, bool lowIncluded, bool highIncluded)
{
    return value == DBL_MAX || ((lowIncluded ? value >= low : value > low) && (highIncluded ? value <= high : value < high));
}

// The two segments of a lead line drawn beside a marked text.
void AddLeadLine(Feature2dList& samples, const RuVaPnt2d& a, const RuVaPnt2d& b, const RuVaPnt2d& c, short colour)
{
    for (const auto& [from, to] : {std::pair(a, b), std::pair(b, c)}) {
        auto* pLine = new Line2dFeature(from, to);
        if (colour <= 256)
            pLine->SetColorNo(colour);
        samples.AddFeature(pLine, 0);
    }
}
}  // namespace

const int CLeadSettingPage::kEditIds[9] = {kSizeId,    kHeightId,        kWidthId,    kSlantId,
                                           kSpacingId, kAngleId,         kVerticalDistanceId,
                                           kDistanceId, kUnderlineExtensionId};
const int CLeadSettingPage::kSpinIds[9] = {2102, 2059, 2159, 2051, 2053, 2062, 2096, 2098, 2101};

IMPLEMENT_DYNCREATE(CLeadSettingPage, CFeatureSettingPropertyPage)

using Page = CLeadSettingPage;

BEGIN_MESSAGE_MAP(CLeadSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kFirstId, Page::kLastId, &Page::OnSelect)
    ON_CONTROL_RANGE(EN_UPDATE, Page::kFirstId, Page::kLastId, &Page::OnTyping)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, Page::kFirstId, Page::kLastId, &Page::OnDeltaPos)
END_MESSAGE_MAP()

CLeadSettingPage::CLeadSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kLeadPage;
}

CLeadSettingPage::~CLeadSettingPage() = default;

void CLeadSettingPage::SetLeadSetting(const LeadSetting& setting)
{
    m_nArrowType = setting.GetType();
    m_dSize = setting.GetSize();
    m_nColorNo = setting.GetColorNo();
    m_nLineTypeNo = setting.GetLineTypeNo();
    m_nLineWidthNo = setting.GetLineWidthNo();
    const TextSetting& text = setting.GetTextFont();
    m_strFontName = text.GetFontName();
    m_dHeight = text.GetHeight();
    m_nTextColorNo = text.GetColorNo();
    m_dWidth = text.GetWidthRatio() == DBL_MAX ? DBL_MAX : text.GetWidthRatio() * 100.0;
    m_dSlant = text.GetSlantAngle();
    m_nStyleFlag = text.GetStyleFlag();
    m_dSpacing = text.GetCharSpacing();
    m_nOrient = setting.GetTextVerticalOrient();
    m_dVerticalDistance = setting.GetVerticalDistance();
    m_dDistance = setting.GetDistanceFromLastPoint();
    m_nAngleType = setting.GetTextAngleType();
    m_dAngle = setting.GetTextPosAngle();
    m_nUnderline = setting.GetWithUnderLine();
    m_dUnderlineExtension = setting.GetUnderLineExtension();
    m_nTextColorRule = setting.GetTextColorDifferentLead();
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
}

BOOL CLeadSettingPage::GetLeadSetting(LeadSetting& setting) const
{
    setting.SetType(m_nArrowType);
    setting.SetSize(m_dSize);
    setting.SetColorNo(m_nColorNo);
    setting.SetLineTypeNo(m_nLineTypeNo);
    setting.SetLineWidthNo(m_nLineWidthNo);
    // Values the text style cannot hold leave its own.
    TextSetting text = setting.GetTextFont();
    text.SetFontName(m_strFontName);
    if ((m_nTextColorNo >= 0 && m_nTextColorNo <= 256) || m_nTextColorNo == -1 || m_nTextColorNo == kUndefinedNo)
        text.SetColorNo(m_nTextColorNo);
    if (Fits(m_dHeight, 0.0, kMaxLength, false, false))
        text.SetHeight(m_dHeight);
    const double width = m_dWidth == DBL_MAX ? DBL_MAX : m_dWidth / 100.0;
    if (Fits(width, 0.0, kMaxLength, true, false))
        text.SetWidthRatio(width);
    if (Fits(m_dSlant, -85.0, 85.0, true, true))
        text.SetSlantAngle(m_dSlant);
    if (m_dSpacing == DBL_MAX || m_dSpacing >= 0.0)
        text.SetCharSpacing(m_dSpacing);
    text.SetStyleFlag(static_cast<BYTE>(m_nStyleFlag));
    setting.SetTextFont(text);
    setting.SetTextVerticalOrient(m_nOrient);
    setting.SetVerticalDistance(m_dVerticalDistance);
    setting.SetDistanceFromLastPoint(m_dDistance);
    setting.SetTextAngleType(m_nAngleType);
    setting.SetTextPosAngle(m_dAngle);
    setting.SetWithUnderLine(m_nUnderline);
    setting.SetUnderLineExtension(m_dUnderlineExtension);
    setting.SetTextColorDifferentLead(m_nTextColorRule);
    return TRUE;
}

void CLeadSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kArrowId, m_arrowList);
    DDX_Control(pDX, kColorId, m_colorList);
    DDX_Control(pDX, kTextColorId, m_textColorList);
    DDX_Control(pDX, kLineTypeId, m_lineTypeList);
    DDX_Control(pDX, kLineWidthId, m_lineWidthList);
    DDX_Control(pDX, kFontId, m_fontList);
    for (int i = 0; i < 9; ++i) {
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
        DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    }
    DDX_CBIndex(pDX, kArrowId, m_nArrowType);
    DDX_CBIndex(pDX, kAngleTypeId, m_nAngleType);
    DDX_CBIndex(pDX, kOrientId, m_nOrient);
    DDX_Check(pDX, kUnderlineId, m_nUnderline);
    DDX_Check(pDX, kTextColorRuleId, m_nTextColorRule);
    DDX_Check(pDX, kStyleFlagId, m_nStyleFlag);
    const BOOL mixed = m_bMixedValues;
    DDX_DoubleEditDouble(pDX, kSizeId, m_dSize, 0.0, 2.5e15, FALSE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kHeightId, m_dHeight, 0.0, kMaxLength, FALSE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kWidthId, m_dWidth, 1.0, 10000.0, TRUE, TRUE, mixed);
    DDX_DoubleEditDouble(pDX, kSlantId, m_dSlant, -85.0, 85.0, TRUE, TRUE, mixed);
    DDX_DoubleEditDouble(pDX, kSpacingId, m_dSpacing, 0.0, kMaxLength, TRUE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kAngleId, m_dAngle, 0.0, 360.0, TRUE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kVerticalDistanceId, m_dVerticalDistance, -kMaxLength, kMaxLength, FALSE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kDistanceId, m_dDistance, 0.0, kMaxLength, TRUE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kUnderlineExtensionId, m_dUnderlineExtension, 0.0, kMaxLength, TRUE, FALSE, mixed);
    if (pDX->m_bSaveAndValidate) {
        m_nColorNo = m_colorList.GetColorNo();
        m_nTextColorNo = m_textColorList.GetColorNo();
        m_nLineTypeNo = m_pLineTypeTable != nullptr ? m_lineTypeList.GetLineTypeNo() : kUndefinedNo;
        m_nLineWidthNo = m_pLineWidthTable != nullptr ? m_lineWidthList.GetLineWidthNo() : kUndefinedNo;
        CString name;
        m_fontList.GetFontName(name);
        m_strFontName = mixed && name.IsEmpty() ? kMixedText : name;
        return;
    }
    for (auto [pList, nNo] : {std::pair(&m_colorList, m_nColorNo), std::pair(&m_textColorList, m_nTextColorNo)}) {
        pList->SetColorTable(m_pColorTable);
        pList->SetLayerColorNo(m_nLayerColorNo);
        pList->SetColorNo(nNo);
    }
    m_lineTypeList.SetLineTypeTable(m_pLineTypeTable, TRUE);
    m_lineTypeList.SetLayerLineTypeNo(m_nLayerLineTypeNo);
    m_lineTypeList.SetLineTypeNo(m_nLineTypeNo);
    m_lineWidthList.SetLineWidthTable(m_pLineWidthTable, TRUE);
    m_lineWidthList.SetLayerLineWidthNo(m_nLayerLineWidthNo);
    m_lineWidthList.SetLineWidthNo(m_nLineWidthNo);
    if (mixed && m_strFontName == kMixedText) {
        m_fontList.SetCurSel(-1);
    } else {
        CString name = m_strFontName;
        if (name.GetLength() > 0 && name[0] == u'@')
            name = name.Mid(1);
        m_fontList.SelectFontName(name);
    }
}

BOOL CLeadSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    static const int kKinds[9] = {2, 1, 4, 3, 1, 3, 1, 1, 1};
    for (int i = 0; i < 9; ++i)
        m_edits[i].SetValueKind(kKinds[i]);
    m_edits[3].m_bAllowNegative = TRUE;  // slant
    m_edits[6].m_bAllowNegative = TRUE;  // vertical distance
    m_fontList.FillFontList();
    for (int kind = 0; kind < 14; ++kind) {
        CString text;
        text.Format(_T("%d"), kind);
        m_arrowList.AddString(text);
    }
    for (auto [nID, nFirst] : {std::pair(kAngleTypeId, 13453u), std::pair(kOrientId, 13456u)})
        if (auto* pList = dynamic_cast<CComboBox*>(GetDlgItem(nID)))
            for (UINT i = 0; i < 3; ++i)
                pList->AddString(LoadResourceString(nFirst + i));
    MakeThreeState({kTextColorRuleId, kStyleFlagId, kUnderlineId});
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CLeadSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    const std::pair<int, bool> enabling[] = {
        {kSizeId, m_nArrowType != 0},       {2102, m_nArrowType != 0},
        {kTextColorId, m_nTextColorRule != 0},
        {kAngleId, m_nAngleType == 1},      {2062, m_nAngleType == 1},
        {kVerticalDistanceId, m_nOrient != 1}, {2096, m_nOrient != 1},
        {kUnderlineExtensionId, m_nUnderline != 0}, {2101, m_nUnderline != 0},
    };
    for (const auto& [nID, bEnable] : enabling)
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    if (!UpdateData(FALSE))
        return FALSE;
    for (CSelectColorComboBox* pList : {&m_colorList, &m_textColorList})
        pList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    UpdatePreview();
    return TRUE;
}

void CLeadSettingPage::UpdatePreview()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int nFocus = GetFocusedControlId();
    LeadSetting read;
    if (!GetLeadSetting(read))
        return;
    LeadSetting sample;
    sample.SetOnlyDefValue(read);
    TextSetting text = sample.GetTextFont();
    text.SetHeight(10.0);
    text.SetCharSpacing(0.0);
    sample.SetTextFont(text);
    sample.SetSize(2.5);
    sample.SetVerticalDistance(0.5);
    sample.SetDistanceFromLastPoint(0.5);
    sample.SetTextPosAngle(0.0);
    sample.SetUnderLineExtension(0.0);
    double e = 0.0, v = 0.0;
    Arrow2dFeature::GetArrowHorizonVerticalSize(sample.GetType(), sample.GetSize(), e, v);
    const short colour = sample.GetColorNo();
    Feature2dList samples;
    const CString none;
    switch (nFocus) {
    case kSizeId:
        AddArrowSample(&samples, sample.GetType(), colour);
        break;
    case kHeightId: case kWidthId: case kSlantId: case kSpacingId: {
        const int mark = nFocus == kHeightId ? 1 : nFocus == kWidthId ? 2 : nFocus == kSlantId ? 3 : 5;
        AddTextSample(&samples, &text, RuVaPnt2d(0, 0), 0.0, mark, &none, TRUE);
        break;
    }
    case kAngleId: {
        text.SetBasePointPosition(4);
        const double w = AddTextSample(&samples, &text, RuVaPnt2d(0, 0), 45.0, 0, &none, TRUE);
        AddAngularDimensionSample(&samples, RuVaPnt2d(0, 0), RuVaPnt2d(0.7 * w, 0), 45.0, 0, 6, 0.7 * w, FALSE);
        const double r = -5.0 * std::sqrt(2.0);
        AddLeadLine(samples, RuVaPnt2d(r - 1, 0), RuVaPnt2d(r - 6, 0), RuVaPnt2d(r - 17, -15), colour);
        break;
    }
    case kDistanceId: {
        text.SetBasePointPosition(0);
        text.SetHeight(7.0);
        const double w = AddTextSample(&samples, &text, RuVaPnt2d(5, 0), 0.0, 0, &none, TRUE);
        AddLinearDimensionSample(&samples, RuVaPnt2d(2.5, 5), 5.0, 0.0, 0.0, 3.0, 3.0, none, 0);
        AddLeadLine(samples, RuVaPnt2d(5 + w, 0), RuVaPnt2d(0, 0), RuVaPnt2d(-4, -5), colour);
        break;
    }
    case kVerticalDistanceId: {
        text.SetBasePointPosition(0);
        text.SetHeight(7.0);
        const double w = AddTextSample(&samples, &text, RuVaPnt2d(1, 1), 0.0, 0, &none, FALSE);
        AddLinearDimensionSample(&samples, RuVaPnt2d(15, 1), 2.0, 270.0, 3.5, 1.8, 1.8, none, 0);
        AddLeadLine(samples, RuVaPnt2d(w - 2, 0), RuVaPnt2d(0, 0), RuVaPnt2d(-4, -5), colour);
        break;
    }
    case kUnderlineExtensionId: {
        text.SetHeight(7.0);
        const double w = AddTextSample(&samples, &text, RuVaPnt2d(1, 0), 0.0, 0, &none, FALSE);
        AddLinearDimensionSample(&samples, RuVaPnt2d(w + 3.5, -2.3), 7.0, 180.0, 0.0, 1.5, 1.5, none, 0);
        AddLeadLine(samples, RuVaPnt2d(w + 7, 0), RuVaPnt2d(0, 0), RuVaPnt2d(-4, -5), colour);
        break;
    }
    default: {
        if (sample.GetType() == 0) {
            e = 7.5;
            v = 1.25;
        }
        const int type = sample.GetType();
        const double f = (type == 1 || type == 6 || type == 9 || type == 11 || type == 13) ? 2.5 : 7.0;
        const double size = sample.GetSize();
        const double c45 = std::cos(45.0 * 0.017453292519943295);
        KcArrayOfGePnt2d points;
        points.Add(2 + 0.02 * size, 2 + 0.02 * size);
        const RuVaPnt2d second(2 + c45 * f * e, 2 + c45 * f * e);
        points.Add(second);
        if (Lead2dFeature* pLead = FeatureCreator::CreateLeadFeature(nullptr, CString(u"ABC"), points, 0, second, &sample))
            samples.AddFeature(pLead, 0);
        break;
    }
    }
    ShowPreview(samples);
}

void CLeadSettingPage::OnClicked(UINT nID)
{
    if (nID != kTextColorRuleId && nID != kStyleFlagId && nID != kUnderlineId)
        return;
    DecideThreeStateBox(static_cast<int>(nID));
    if (!UpdateData(TRUE))
        return;
    if (nID == kStyleFlagId)
        UpdatePreview();
    else
        UpdateControls();
    NotifySettingChanged(FALSE);
}

void CLeadSettingPage::OnSelect(UINT nID)
{
    switch (nID) {
    case kAngleTypeId: case kOrientId:
        if (!UpdateData(TRUE))
            return;
        UpdateControls();
        break;
    case kArrowId: case kFontId: case kColorId: case kLineTypeId: case kLineWidthId: case kTextColorId:
        if (!UpdateData(TRUE))
            return;
        UpdatePreview();
        break;
    default: return;
    }
    NotifySettingChanged(FALSE);
}

void CLeadSettingPage::OnTyping(UINT) { NotifySettingChanged(TRUE); }

void CLeadSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE))
        UpdatePreview();
}

void CLeadSettingPage::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    for (int i = 0; i < 9; ++i)
        if (static_cast<int>(nID) == kSpinIds[i])
            m_edits[i].OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}

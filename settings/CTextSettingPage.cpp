#include "settings/CTextSettingPage.h"

#include <cfloat>

#include "controls/DoubleEditExchange.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"

namespace {
constexpr double kMaxLength = 1e15;
// The marker of a text that differs between the edited shapes.
const CString kMixedText(u"\\n");
}  // namespace

IMPLEMENT_DYNCREATE(CTextSettingPage, CFeatureSettingPropertyPage)

BEGIN_MESSAGE_MAP(CTextSettingPage, CFeatureSettingPropertyPage)
    ON_NOTIFY(UDN_DELTAPOS, CTextSettingPage::kWidthSpinId, &CTextSettingPage::OnDeltaPos)
    ON_NOTIFY(UDN_DELTAPOS, CTextSettingPage::kSpacingSpinId, &CTextSettingPage::OnDeltaPos)
    ON_NOTIFY(UDN_DELTAPOS, CTextSettingPage::kSlantSpinId, &CTextSettingPage::OnDeltaPos)
    ON_NOTIFY(UDN_DELTAPOS, CTextSettingPage::kHeightSpinId, &CTextSettingPage::OnDeltaPos)
    ON_NOTIFY(UDN_DELTAPOS, CTextSettingPage::kLineSpacingSpinId, &CTextSettingPage::OnDeltaPos)
    ON_EN_UPDATE(CTextSettingPage::kWidthId, &CTextSettingPage::OnTyping)
    ON_EN_UPDATE(CTextSettingPage::kSpacingId, &CTextSettingPage::OnTyping)
    ON_EN_UPDATE(CTextSettingPage::kSlantId, &CTextSettingPage::OnTyping)
    ON_EN_UPDATE(CTextSettingPage::kHeightId, &CTextSettingPage::OnTyping)
    ON_EN_UPDATE(CTextSettingPage::kLineSpacingId, &CTextSettingPage::OnTyping)
    ON_EN_SETFOCUS(CTextSettingPage::kWidthId, &CTextSettingPage::OnFocusField)
    ON_EN_SETFOCUS(CTextSettingPage::kSpacingId, &CTextSettingPage::OnFocusField)
    ON_EN_SETFOCUS(CTextSettingPage::kSlantId, &CTextSettingPage::OnFocusField)
    ON_EN_SETFOCUS(CTextSettingPage::kHeightId, &CTextSettingPage::OnFocusField)
    ON_EN_SETFOCUS(CTextSettingPage::kLineSpacingId, &CTextSettingPage::OnFocusField)
    ON_CBN_SETFOCUS(CTextSettingPage::kFontId, &CTextSettingPage::OnFocusField)
    ON_CBN_SETFOCUS(CTextSettingPage::kColorId, &CTextSettingPage::OnFocusField)
    ON_CBN_SETFOCUS(CTextSettingPage::kBasePointId, &CTextSettingPage::OnFocusField)
    ON_CBN_SELENDOK(CTextSettingPage::kFontId, &CTextSettingPage::OnCommit)
    ON_CBN_SELENDOK(CTextSettingPage::kColorId, &CTextSettingPage::OnCommit)
    ON_CBN_SELENDOK(CTextSettingPage::kBasePointId, &CTextSettingPage::OnCommit)
    ON_BN_CLICKED(CTextSettingPage::kHorizontalId, &CTextSettingPage::OnCommit)
    ON_BN_CLICKED(CTextSettingPage::kVerticalId, &CTextSettingPage::OnCommit)
    ON_BN_SETFOCUS(CTextSettingPage::kHorizontalId, &CTextSettingPage::OnFocusField)
    ON_BN_SETFOCUS(CTextSettingPage::kVerticalId, &CTextSettingPage::OnFocusField)
    ON_BN_CLICKED(CTextSettingPage::kOption1Id, &CTextSettingPage::OnOption1)
    ON_BN_CLICKED(CTextSettingPage::kOption2Id, &CTextSettingPage::OnOption2)
    ON_BN_CLICKED(CTextSettingPage::kOption3Id, &CTextSettingPage::OnOption3)
    ON_BN_CLICKED(CTextSettingPage::kOption4Id, &CTextSettingPage::OnOption4)
END_MESSAGE_MAP()

CTextSettingPage::CTextSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kTextPage;
}

CTextSettingPage::~CTextSettingPage() = default;

void CTextSettingPage::SetColorTable(const LayerFeatureTable* pLayers, long nLayerID, const ColorFeatureTable* pTable)
{
    m_pColorTable = pTable;
    m_nLayerColorNo = nLayerID != -1 && pLayers != nullptr ? pLayers->GetLayerColorNo(nLayerID) : kUndefinedNo;
}

void CTextSettingPage::SetTextSetting(const TextSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_strFontName = pSetting->GetFontName();
    m_nColorNo = pSetting->GetColorNo();
    m_dHeight = pSetting->GetHeight();
    m_dWidth = pSetting->GetWidthRatio() == DBL_MAX ? DBL_MAX : pSetting->GetWidthRatio() * 100.0;
    m_dSlant = pSetting->GetSlantAngle();
    m_dSpacing = pSetting->GetCharSpacing();
    m_dLineSpacing = pSetting->GetLineSpacing();
    m_nDirection = pSetting->GetDirection();
    m_nBasePoint = pSetting->GetBasePointPosition();
    m_nOption1 = pSetting->GetOption1();
    m_nOption2 = pSetting->GetOption2();
    m_nOption3 = pSetting->GetOption3();
    m_nOption4 = pSetting->GetOption4();
    if (GetSafeHwnd() != nullptr) {
        UpdateData(FALSE);
        m_colorList.Invalidate();
        UpdatePreview();
    }
}

BOOL CTextSettingPage::GetTextSetting(TextSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    // Each setter keeps the setting's value when the page's is outside its range.
    pSetting->SetFontName(m_strFontName);
    pSetting->SetColorNo(m_nColorNo);
    pSetting->SetHeight(m_dHeight);
    pSetting->SetWidthRatio(m_dWidth == DBL_MAX ? DBL_MAX : m_dWidth * 0.01);
    pSetting->SetSlantAngle(m_dSlant);
    pSetting->SetCharSpacing(m_dSpacing);
    pSetting->SetLineSpacing(m_dLineSpacing);
    pSetting->SetDirection(m_nDirection);
    pSetting->SetBasePointPosition(m_nBasePoint);
    pSetting->SetOption1(static_cast<BYTE>(m_nOption1));
    pSetting->SetOption2(static_cast<BYTE>(m_nOption2));
    pSetting->SetOption3(static_cast<BYTE>(m_nOption3));
    pSetting->SetOption4(static_cast<BYTE>(m_nOption4));
    return TRUE;
}

void CTextSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kWidthSpinId, m_widthSpin);
    DDX_Control(pDX, kWidthId, m_widthEdit);
    DDX_Control(pDX, kSpacingSpinId, m_spacingSpin);
    DDX_Control(pDX, kSpacingId, m_spacingEdit);
    DDX_Control(pDX, kSlantSpinId, m_slantSpin);
    DDX_Control(pDX, kSlantId, m_slantEdit);
    DDX_Control(pDX, kHeightSpinId, m_heightSpin);
    DDX_Control(pDX, kHeightId, m_heightEdit);
    DDX_Control(pDX, kLineSpacingId, m_lineSpacingEdit);
    DDX_Control(pDX, kLineSpacingSpinId, m_lineSpacingSpin);
    DDX_Control(pDX, kFontId, m_fontList);
    DDX_Control(pDX, kColorId, m_colorList);
    DDX_CBIndex(pDX, kBasePointId, m_nBasePoint);
    DDX_Radio(pDX, kHorizontalId, m_nDirection);
    DDX_DoubleEditDouble(pDX, kLineSpacingId, m_dLineSpacing, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kHeightId, m_dHeight, 0.0, kMaxLength, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kSlantId, m_dSlant, -85.0, 85.0, TRUE, TRUE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kSpacingId, m_dSpacing, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_Check(pDX, kOption1Id, m_nOption1);
    DDX_Check(pDX, kOption3Id, m_nOption3);
    DDX_DoubleEditDouble(pDX, kWidthId, m_dWidth, 1.0, 10000.0, TRUE, TRUE, m_bMixedValues);
    DDX_Check(pDX, kOption2Id, m_nOption2);
    DDX_Check(pDX, kOption4Id, m_nOption4);
    if (pDX->m_bSaveAndValidate) {
        m_nColorNo = m_colorList.GetColorNo();
        CString name;
        m_fontList.GetFontName(name);
        m_strFontName = m_bMixedValues && name.IsEmpty() ? kMixedText : name;
    } else {
        m_colorList.SetColorTable(m_pColorTable);
        m_colorList.SetLayerColorNo(m_nLayerColorNo);
        m_colorList.SetColorNo(m_nColorNo);
        if (m_bMixedValues && m_strFontName == kMixedText) {
            m_fontList.SetCurSel(-1);
        } else {
            // A vertical-writing face ("@Face") shows, and is kept, as its family.
            CString name = m_strFontName;
            if (name.GetLength() > 0 && name[0] == u'@')
                name = name.Mid(1);
            m_fontList.SelectFontName(name);
        }
    }
}

BOOL CTextSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_widthEdit.SetValueKind(4);
    m_spacingEdit.SetValueKind(1);
    m_slantEdit.SetValueKind(3);
    m_slantEdit.m_bAllowNegative = TRUE;
    m_heightEdit.SetValueKind(1);
    m_lineSpacingEdit.SetValueKind(1);
    m_fontList.FillFontList();
    // The nine base points by where they lie on the text (bottom, middle, top rows; left to right).
    if (auto* pList = dynamic_cast<CComboBox*>(GetDlgItem(kBasePointId))) {
        static const char16_t* const kPositions[] = {u"\u2199", u"\u2193", u"\u2198", u"\u2190", u"\u00B7",
                                                     u"\u2192", u"\u2196", u"\u2191", u"\u2197"};
        for (const char16_t* position : kPositions)
            pList->AddString(position);
    }
    if (m_bMixedValues) {
        for (int nID : {kOption1Id, kOption2Id, kOption3Id, kOption4Id})
            if (auto* pBox = dynamic_cast<CButton*>(GetDlgItem(nID)))
                pBox->SetButtonStyle(BS_AUTO3STATE);
    }
    UpdateData(FALSE);
    m_colorList.Invalidate();
    UpdatePreview();
    return TRUE;
}

void CTextSettingPage::UpdatePreview()
{
    if (GetSafeHwnd() == nullptr)
        return;
    TextSetting read;
    if (!GetTextSetting(&read))
        return;
    TextSetting sample;
    sample.SetOnlyDefValue(read);
    // The sample is drawn 10 high, its spacing in proportion.
    const double height = sample.GetHeight();
    if (height > 0.0 && height < kMaxLength && sample.GetCharSpacing() != DBL_MAX) {
        const double spacing = sample.GetCharSpacing() * 10.0 / height;
        if (spacing >= 0.0 && spacing < kMaxLength)
            sample.SetCharSpacing(spacing);
    }
    sample.SetHeight(10.0);
    Text2dFeature text(CString(u"Abc"), RuVaPnt2d(0, 0));
    FeatureSettingConverter::SetTextSettingToFeature(&text, sample);
    Feature2dList samples;
    samples.AddFeature(&text, 1);
    ShowPreview(samples);
}

void CTextSettingPage::OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CQZ2DoubleEdit* pEdit = nullptr;
    switch (pNMHDR->idFrom) {
    case kWidthSpinId: pEdit = &m_widthEdit; break;
    case kSpacingSpinId: pEdit = &m_spacingEdit; break;
    case kSlantSpinId: pEdit = &m_slantEdit; break;
    case kHeightSpinId: pEdit = &m_heightEdit; break;
    case kLineSpacingSpinId: pEdit = &m_lineSpacingEdit; break;
    default: return;
    }
    pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}

void CTextSettingPage::OnTyping() { NotifySettingChanged(TRUE); }

void CTextSettingPage::OnFocusField()
{
    if (UpdateData(TRUE))
        UpdatePreview();
}

void CTextSettingPage::Commit()
{
    if (!UpdateData(TRUE))
        return;
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CTextSettingPage::OnCommit() { Commit(); }

void CTextSettingPage::OptionClicked(int nID)
{
    auto* pBox = dynamic_cast<CButton*>(GetDlgItem(nID));
    if (m_bMixedValues && pBox != nullptr && (pBox->GetStyle() & BS_TYPEMASK) == BS_AUTO3STATE) {
        // The first click decides: checked stays checked, anything else becomes unchecked, and the box
        // can no longer be made indeterminate.
        if (pBox->GetCheck() != BST_CHECKED)
            pBox->SetCheck(BST_UNCHECKED);
        pBox->SetButtonStyle(BS_AUTOCHECKBOX);
    }
    Commit();
}

void CTextSettingPage::OnOption1() { OptionClicked(kOption1Id); }
void CTextSettingPage::OnOption2() { OptionClicked(kOption2Id); }
void CTextSettingPage::OnOption3() { OptionClicked(kOption3Id); }
void CTextSettingPage::OnOption4() { OptionClicked(kOption4Id); }

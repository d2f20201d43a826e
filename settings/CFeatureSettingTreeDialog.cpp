#include "settings/CFeatureSettingTreeDialog.h"

#include <QtGui/QImage>

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureSettingBase.h"
#include "libs/vevure/FeatureSettingStylesBase.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSettingStyles.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "settings/CBalloonSettingPage.h"
#include "settings/CLeadSettingPage.h"
#include "settings/CHatchSettingPage.h"
#include "libs/vevure/HatchSetting.h"
#include "settings/CDimensionAddTextSettingPage.h"
#include "settings/CDimensionAutoSettingPage.h"
#include "settings/CDimensionColorLineSettingPage.h"
#include "settings/CDimensionSettingPage.h"
#include "settings/CDimensionTextSettingPage.h"
#include "settings/CDimensionToleranceSettingPage.h"
#include "settings/CGeneralFeatureSettingPage.h"
#include "settings/CPointMarkerSettingPage.h"
#include "settings/CTextSettingPage.h"
#include "settings/CRegisterSettingStyleDialog.h"

namespace {
constexpr UINT IDS_GENERAL = 10184;
constexpr UINT IDS_POINT_MARKER = 10185;
constexpr UINT IDS_TEXT = 10186;
constexpr UINT IDS_LEAD = 10187;
constexpr UINT IDS_BALLOON = 10188;
constexpr UINT IDS_DIMENSION = 10189;
constexpr UINT IDS_DIMENSION_COLOR = 10193;
constexpr UINT IDS_HATCH = 10195;
constexpr UINT IDS_TITLE_MIXED = 10196;
constexpr UINT IDS_TITLE = 10197;
constexpr UINT IDS_STYLE_LABEL = 10198;
constexpr UINT IDS_DELETE = 10199;
constexpr UINT IDS_REGISTER = 10200;
constexpr UINT IDS_STYLE_SUFFIX = 10201;
constexpr UINT IDS_DELETE_STYLE = 10202;
constexpr int kNamedStyleBand = 36;
constexpr UINT kTreeImagesId = 407;
}  // namespace

int CFeatureSettingTreeDialog::s_nLastStylePage = 0;
CFeatureSettingTreeDialog::AppServices CFeatureSettingTreeDialog::s_appServices;

int CFeatureSettingTreeDialog::GetLastStylePage()
{
    return s_appServices.pfnGetLastStylePage != nullptr ? s_appServices.pfnGetLastStylePage() : s_nLastStylePage;
}

IMPLEMENT_DYNCREATE(CFeatureSettingTreeDialog, CTreeDialog)

BEGIN_MESSAGE_MAP(CFeatureSettingTreeDialog, CTreeDialog)
    ON_WM_DESTROY()
    ON_CBN_SELENDOK(CFeatureSettingTreeDialog::kStyleListId, &CFeatureSettingTreeDialog::OnSelectStyle)
    ON_BN_CLICKED(CFeatureSettingTreeDialog::kRegisterId, &CFeatureSettingTreeDialog::OnRegisterStyle)
    ON_BN_CLICKED(CFeatureSettingTreeDialog::kDeleteId, &CFeatureSettingTreeDialog::OnDeleteStyle)
    ON_MESSAGE(WM_FEATURESETTING_CHANGED, &CFeatureSettingTreeDialog::OnSettingChanged)
END_MESSAGE_MAP()

CFeatureSettingTreeDialog::CFeatureSettingTreeDialog() : CFeatureSettingTreeDialog(nullptr, -1, 0, FALSE) {}

CFeatureSettingTreeDialog::CFeatureSettingTreeDialog(Draw2dDocument* pDocument, long nLayerID, int nInitialPage,
                                                     BOOL bMixedValues)
    : CTreeDialog(nullptr, TRUE), m_nCurrentPage(nInitialPage), m_bMixedValues(bMixedValues),
      m_pDocument(pDocument), m_nLayerID(nLayerID)
{
    m_nExtraBand = kNamedStyleBand;
    if (m_nLayerID == -1 && !m_bMixedValues && m_pDocument != nullptr)
        m_nLayerID = m_pDocument->GetCurrentLayerID();
}

CFeatureSettingTreeDialog::~CFeatureSettingTreeDialog() = default;

CFeatureSettingTreeDialog::Kind CFeatureSettingTreeDialog::KindOfPage(int nPage)
{
    switch (nPage) {
    case 1: return kPointMarker;
    case 2: return kText;
    case 3: return kLead;
    case 4: return kBalloon;
    case 11: return kHatch;
    case 12: return kGeneral;
    default: return IsDimensionPage(nPage) ? kDimension : kKinds;
    }
}

// ---- settings -----------------------------------------------------------------------------------------------

void CFeatureSettingTreeDialog::SetGeneralFeatureSetting(const GeneralFeatureSetting* pSetting)
{
    if (!m_pGeneralPage) {
        m_pGeneralPage = std::make_unique<CGeneralFeatureSettingPage>();
        m_pGeneralPage->SetMixedValuesMode(m_bMixedValues);
        if (m_pDocument != nullptr) {
            const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
            m_pGeneralPage->SetColorTable(m_pDocument->GetColorFeatureTable(), pLayers, m_nLayerID);
            m_pGeneralPage->SetLineTypeTable(m_pDocument->GetLineTypeFeatureTable(), pLayers, m_nLayerID);
            m_pGeneralPage->SetLineWidthTable(m_pDocument->GetLineWidthFeatureTable(), pLayers, m_nLayerID);
        }
    }
    m_pGeneralPage->SetGeneralFeatureSetting(pSetting);
}

BOOL CFeatureSettingTreeDialog::GetGeneralFeatureSetting(GeneralFeatureSetting* pSetting) const
{
    return m_pGeneralPage ? m_pGeneralPage->GetGeneralFeatureSetting(pSetting) : FALSE;
}

void CFeatureSettingTreeDialog::SetPointMarkerSetting(const PointMarkerSetting* pSetting)
{
    if (!m_pPointMarkerPage) {
        m_pPointMarkerPage = std::make_unique<CPointMarkerSettingPage>();
        m_pPointMarkerPage->SetMixedValuesMode(m_bMixedValues);
        if (m_pDocument != nullptr)
            m_pPointMarkerPage->SetColorTable(m_pDocument->GetColorFeatureTable(), m_pDocument->GetLayerTable(),
                                              m_nLayerID);
    }
    m_pPointMarkerPage->SetPointMarkerSetting(pSetting);
}

BOOL CFeatureSettingTreeDialog::GetPointMarkerSetting(PointMarkerSetting* pSetting) const
{
    return m_pPointMarkerPage ? m_pPointMarkerPage->GetPointMarkerSetting(pSetting) : FALSE;
}

void CFeatureSettingTreeDialog::SetTextSetting(const TextSetting* pSetting)
{
    if (!m_pTextPage) {
        m_pTextPage = std::make_unique<CTextSettingPage>();
        m_pTextPage->SetMixedValuesMode(m_bMixedValues);
        if (m_pDocument != nullptr)
            m_pTextPage->SetColorTable(m_pDocument->GetLayerTable(), m_nLayerID, m_pDocument->GetColorFeatureTable());
    }
    m_pTextPage->SetTextSetting(pSetting);
}

BOOL CFeatureSettingTreeDialog::GetTextSetting(TextSetting* pSetting) const
{
    return m_pTextPage ? m_pTextPage->GetTextSetting(pSetting) : FALSE;
}

void CFeatureSettingTreeDialog::SetLeadSetting(const LeadSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    if (!m_pLeadPage) {
        m_pLeadPage = std::make_unique<CLeadSettingPage>();
        m_pLeadPage->SetMixedValuesMode(m_bMixedValues);
    }
    if (m_pDocument != nullptr)
        m_pLeadPage->SetAttributeTables(m_pDocument->GetLayerTable(), m_nLayerID, m_pDocument->GetColorFeatureTable(),
                                        m_pDocument->GetLineTypeFeatureTable(), m_pDocument->GetLineWidthFeatureTable());
    m_pLeadPage->SetLeadSetting(*pSetting);
}

BOOL CFeatureSettingTreeDialog::GetLeadSetting(LeadSetting* pSetting) const
{
    return m_pLeadPage && pSetting != nullptr ? m_pLeadPage->GetLeadSetting(*pSetting) : FALSE;
}

void CFeatureSettingTreeDialog::SetBalloonSetting(const BalloonSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    if (!m_pBalloonPage) {
        m_pBalloonPage = std::make_unique<CBalloonSettingPage>();
        m_pBalloonPage->SetMixedValuesMode(m_bMixedValues);
    }
    if (m_pDocument != nullptr)
        m_pBalloonPage->SetAttributeTables(m_pDocument->GetLayerTable(), m_nLayerID,
                                           m_pDocument->GetColorFeatureTable(), m_pDocument->GetLineTypeFeatureTable(),
                                           m_pDocument->GetLineWidthFeatureTable());
    m_pBalloonPage->SetBalloonSetting(*pSetting);
}

BOOL CFeatureSettingTreeDialog::GetBalloonSetting(BalloonSetting* pSetting) const
{
    return m_pBalloonPage && pSetting != nullptr ? m_pBalloonPage->GetBalloonSetting(*pSetting) : FALSE;
}

void CFeatureSettingTreeDialog::SetHatchSetting(const HatchSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    if (!m_pHatchPage) {
        m_pHatchPage = std::make_unique<CHatchSettingPage>();
        m_pHatchPage->SetMixedValuesMode(m_bMixedValues);
    }
    m_pHatchPage->SetDocument(m_pDocument, m_nLayerID);
    m_pHatchPage->SetHatchSetting(*pSetting);
}

BOOL CFeatureSettingTreeDialog::GetHatchSetting(HatchSetting* pSetting) const
{
    return m_pHatchPage && pSetting != nullptr ? m_pHatchPage->GetHatchSetting(*pSetting) : FALSE;
}

void CFeatureSettingTreeDialog::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    if (!m_pDimensionArrowPage) {
        m_pDimensionArrowPage = std::make_unique<CDimensionSettingPage>();
        m_pDimensionTextPage = std::make_unique<CDimensionTextSettingPage>();
        m_pDimensionTolerancePage = std::make_unique<CDimensionToleranceSettingPage>();
        m_pDimensionAddTextPage = std::make_unique<CDimensionAddTextSettingPage>();
        m_pDimensionColorPage = std::make_unique<CDimensionColorLineSettingPage>();
        m_pDimensionAutoPage = std::make_unique<CDimensionAutoSettingPage>();
        for (int nPage = 5; nPage <= 10; ++nPage)
            GetPage(nPage)->SetMixedValuesMode(m_bMixedValues);
    }
    if (m_pDocument != nullptr)
        m_pDimensionColorPage->SetAttributeTables(m_pDocument->GetLayerTable(), m_nLayerID,
                                                  m_pDocument->GetColorFeatureTable(),
                                                  m_pDocument->GetLineTypeFeatureTable(),
                                                  m_pDocument->GetLineWidthFeatureTable());
    m_pLoadedDimension = std::make_unique<DimensionSetting>(*pSetting);
    m_pDimensionArrowPage->SetDimensionSetting(pSetting);
    m_pDimensionTextPage->SetDimensionSetting(pSetting);
    m_pDimensionTolerancePage->SetDimensionSetting(pSetting);
    m_pDimensionAddTextPage->SetDimensionSetting(pSetting);
    m_pDimensionColorPage->SetDimensionSetting(pSetting);
    m_pDimensionAutoPage->SetDimensionSetting(pSetting);
}

BOOL CFeatureSettingTreeDialog::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr || !m_pLoadedDimension)
        return FALSE;
    DimensionSetting read = *m_pLoadedDimension;
    if (!m_pDimensionArrowPage || !m_pDimensionArrowPage->GetDimensionSetting(&read))
        return FALSE;
    if (!m_pDimensionTextPage || !m_pDimensionTextPage->GetDimensionSetting(&read))
        return FALSE;
    if (!m_pDimensionTolerancePage || !m_pDimensionTolerancePage->GetDimensionSetting(&read))
        return FALSE;
    // Degrees-minutes-seconds show at most six decimals, for the value and the tolerance alike.
    if (read.GetAngleUnitFormatType() == 1) {
        if (read.GetToleranceAnglePrecision() > 6)
            read.SetToleranceAnglePrecision(6);
        if (read.GetAnglePrecision() > 6)
            read.SetAnglePrecision(6);
    }
    if (!m_pDimensionAddTextPage || !m_pDimensionAddTextPage->GetDimensionSetting(&read))
        return FALSE;
    if (!m_pDimensionColorPage || !m_pDimensionColorPage->GetDimensionSetting(&read))
        return FALSE;
    if (!m_pDimensionAutoPage || !m_pDimensionAutoPage->GetDimensionSetting(&read))
        return FALSE;
    *pSetting = read;
    return TRUE;
}

int CFeatureSettingTreeDialog::GetDimensionLengthUnitFormat() const
{
    return m_pDimensionTextPage ? m_pDimensionTextPage->GetLengthUnitFormat() : -1;
}

int CFeatureSettingTreeDialog::GetDimensionAngleUnitFormat() const
{
    return m_pDimensionTextPage ? m_pDimensionTextPage->GetAngleUnitFormat() : -1;
}

void CFeatureSettingTreeDialog::SetFeatureSetting(const FeatureSettingBase* pSetting)
{
    if (pSetting == nullptr)
        return;
    if (pSetting->IsKindOf(RUNTIME_CLASS(GeneralFeatureSetting)))
        SetGeneralFeatureSetting(static_cast<const GeneralFeatureSetting*>(pSetting));
    else if (pSetting->IsKindOf(RUNTIME_CLASS(PointMarkerSetting)))
        SetPointMarkerSetting(static_cast<const PointMarkerSetting*>(pSetting));
    else if (pSetting->IsKindOf(RUNTIME_CLASS(TextSetting)))
        SetTextSetting(static_cast<const TextSetting*>(pSetting));
    else if (pSetting->IsKindOf(RUNTIME_CLASS(LeadSetting)))
        SetLeadSetting(static_cast<const LeadSetting*>(pSetting));
    else if (pSetting->IsKindOf(RUNTIME_CLASS(BalloonSetting)))
        SetBalloonSetting(static_cast<const BalloonSetting*>(pSetting));
    else if (pSetting->IsKindOf(RUNTIME_CLASS(DimensionSetting)))
        SetDimensionSetting(static_cast<const DimensionSetting*>(pSetting));
    else if (pSetting->IsKindOf(RUNTIME_CLASS(HatchSetting)))
        SetHatchSetting(static_cast<const HatchSetting*>(pSetting));
}

BOOL CFeatureSettingTreeDialog::GetFeatureSetting(FeatureSettingBase* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    if (pSetting->IsKindOf(RUNTIME_CLASS(GeneralFeatureSetting)))
        return GetGeneralFeatureSetting(static_cast<GeneralFeatureSetting*>(pSetting));
    if (pSetting->IsKindOf(RUNTIME_CLASS(PointMarkerSetting)))
        return GetPointMarkerSetting(static_cast<PointMarkerSetting*>(pSetting));
    if (pSetting->IsKindOf(RUNTIME_CLASS(TextSetting)))
        return GetTextSetting(static_cast<TextSetting*>(pSetting));
    if (pSetting->IsKindOf(RUNTIME_CLASS(LeadSetting)))
        return GetLeadSetting(static_cast<LeadSetting*>(pSetting));
    if (pSetting->IsKindOf(RUNTIME_CLASS(BalloonSetting)))
        return GetBalloonSetting(static_cast<BalloonSetting*>(pSetting));
    if (pSetting->IsKindOf(RUNTIME_CLASS(DimensionSetting)))
        return GetDimensionSetting(static_cast<DimensionSetting*>(pSetting));
    if (pSetting->IsKindOf(RUNTIME_CLASS(HatchSetting)))
        return GetHatchSetting(static_cast<HatchSetting*>(pSetting));
    return FALSE;
}

CFeatureSettingPropertyPage* CFeatureSettingTreeDialog::GetPage(int nPage) const
{
    switch (nPage) {
    case CFeatureSettingPropertyPage::kGeneralPage: return m_pGeneralPage.get();
    case CFeatureSettingPropertyPage::kPointMarkerPage: return m_pPointMarkerPage.get();
    case CFeatureSettingPropertyPage::kTextPage: return m_pTextPage.get();
    case CFeatureSettingPropertyPage::kLeadPage: return m_pLeadPage.get();
    case CFeatureSettingPropertyPage::kBalloonPage: return m_pBalloonPage.get();
    case CFeatureSettingPropertyPage::kDimensionArrowPage: return m_pDimensionArrowPage.get();
    case CFeatureSettingPropertyPage::kDimensionTextPage: return m_pDimensionTextPage.get();
    case CFeatureSettingPropertyPage::kDimensionAddTextPage: return m_pDimensionAddTextPage.get();
    case CFeatureSettingPropertyPage::kDimensionTolerancePage: return m_pDimensionTolerancePage.get();
    case CFeatureSettingPropertyPage::kDimensionColorPage: return m_pDimensionColorPage.get();
    case CFeatureSettingPropertyPage::kDimensionAutoPage: return m_pDimensionAutoPage.get();
    case CFeatureSettingPropertyPage::kHatchPage: return m_pHatchPage.get();
    default: return nullptr;
    }
}

// ---- collections --------------------------------------------------------------------------------------------

void CFeatureSettingTreeDialog::SetFeatureSettingStyles(const FeatureSettingStylesBase* pStyles)
{
    if (pStyles == nullptr)
        return;
    const CRuntimeClass* const classes[kKinds] = {
        RUNTIME_CLASS(GeneralFeatureSettingStyles), RUNTIME_CLASS(PointMarkerSettingStyles),
        RUNTIME_CLASS(TextSettingStyles),           RUNTIME_CLASS(LeadSettingStyles),
        RUNTIME_CLASS(BalloonSettingStyles),        RUNTIME_CLASS(DimensionSettingStyles),
        RUNTIME_CLASS(HatchSettingStyles)};
    for (int kind = 0; kind < kKinds; ++kind) {
        if (!pStyles->IsKindOf(classes[kind]))
            continue;
        std::unique_ptr<FeatureSettingStylesBase> pCopy(
            static_cast<FeatureSettingStylesBase*>(classes[kind]->CreateObject()));
        if (!pCopy || !pCopy->Copy(*pStyles))
            return;
        if (m_bMixedValues)
            pCopy->SetCurrentSettingStyleName(CString());
        m_styles[kind] = std::move(pCopy);
        return;
    }
}

GeneralFeatureSettingStyles* CFeatureSettingTreeDialog::GetGeneralFeatureSettingStyles() const
{
    return static_cast<GeneralFeatureSettingStyles*>(m_styles[kGeneral].get());
}

// ---- window -------------------------------------------------------------------------------------------------

BOOL CFeatureSettingTreeDialog::OnInitDialog()
{
    CTreeDialog::OnInitDialog();

    // The kinds' icons; the tree is flat apart from the expanded dimension item.
    if (m_treeImages.Create(kTreeImagesId, 16, 0, RGB(255, 0, 255)))
        m_tree.SetImageList(&m_treeImages, TVSIL_NORMAL);
    m_tree.ModifyStyle(TVS_HASBUTTONS | TVS_HASLINES, 0);

    struct Item {
        int page;
        UINT caption;
        int image;
    };
    const Item items[] = {{12, IDS_GENERAL, 1}, {1, IDS_POINT_MARKER, 2}, {2, IDS_TEXT, 3},
                          {3, IDS_LEAD, 4},     {4, IDS_BALLOON, 5},      {11, IDS_HATCH, 7}};
    HTREEITEM hFirst = nullptr;
    HTREEITEM hInitial = nullptr;
    for (const Item& item : items) {
        CFeatureSettingPropertyPage* pPage = GetPage(item.page);
        if (pPage == nullptr)
            continue;
        HTREEITEM hItem = AddPage(pPage, LoadResourceString(item.caption), item.image, item.image);
        if (hFirst == nullptr)
            hFirst = hItem;
        if (item.page == m_nCurrentPage)
            hInitial = hItem;
    }
    // The dimension item (inserted before the hatch item) carries the first dimension page made; the
    // others hang under it, expanded.
    static const int kDimensionPages[] = {5, 6, 7, 8, 9, 10};
    static const UINT kDimensionCaptions[] = {IDS_DIMENSION, 10190, 10191, 10192, IDS_DIMENSION_COLOR, 10194};
    HTREEITEM hDimension = nullptr;
    HTREEITEM hAfter = TVI_LAST;
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextSiblingItem(h)) {
        auto* pItemPage = reinterpret_cast<CFeatureSettingPropertyPage*>(m_tree.GetItemData(h));
        if (pItemPage != nullptr && pItemPage->GetPageIndex() == CFeatureSettingPropertyPage::kHatchPage)
            break;
        hAfter = h;
    }
    for (int i = 0; i < 6; ++i) {
        CFeatureSettingPropertyPage* pPage = GetPage(kDimensionPages[i]);
        if (pPage == nullptr)
            continue;
        HTREEITEM hItem = nullptr;
        if (hDimension == nullptr) {
            hItem = hDimension = AddPage(pPage, LoadResourceString(IDS_DIMENSION), 6, 6, TVI_ROOT, hAfter);
        } else {
            hItem = AddPage(pPage, LoadResourceString(kDimensionCaptions[i]), 6, 6, hDimension);
        }
        if (hFirst == nullptr)
            hFirst = hItem;
        if (kDimensionPages[i] == m_nCurrentPage)
            hInitial = hItem;
    }
    if (hDimension != nullptr) {
        m_tree.Expand(hDimension, TVE_EXPAND);
        // A dimension page not made yet opens the dimension item.
        if (hInitial == nullptr && IsDimensionPage(m_nCurrentPage))
            hInitial = hDimension;
    }
    SetWindowText(LoadResourceString(m_bMixedValues ? IDS_TITLE_MIXED : IDS_TITLE));

    // The named-style row under the page frame.
    CRect frame;
    GetDlgItem(kFrameId)->GetWindowRect(&frame);
    ScreenToClient(&frame);
    const CRect label(frame.left, frame.bottom + 10, frame.left + 140, frame.bottom + 30);
    const CRect deleteRect(frame.right - 60, frame.bottom + 7, frame.right, frame.bottom + 30);
    const CRect registerRect(deleteRect.left - 75, frame.bottom + 7, deleteRect.left - 7, frame.bottom + 30);
    // A closed list is as high as the buttons beside it.
    CRect list(label.right + 5, frame.bottom + 7, registerRect.left - 7, frame.bottom + 30);
    CRect labelRect = label;
    if (m_bMixedValues) {
        const int shift = frame.right - (registerRect.left - 7);
        labelRect.OffsetRect(shift, 0);
        list.OffsetRect(shift, 0);
    }
    const DWORD hidden = m_bMixedValues ? 0 : WS_VISIBLE;
    if (!m_styleLabel.Create(LoadResourceString(IDS_STYLE_LABEL), WS_CHILD | WS_VISIBLE | SS_RIGHT, labelRect, this))
        return FALSE;
    if (!m_deleteButton.Create(LoadResourceString(IDS_DELETE), WS_CHILD | WS_TABSTOP | hidden, deleteRect, this,
                               kDeleteId))
        return FALSE;
    if (!m_registerButton.Create(LoadResourceString(IDS_REGISTER), WS_CHILD | WS_TABSTOP | hidden, registerRect, this,
                                 kRegisterId))
        return FALSE;
    if (!m_styleList.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, list,
                            this, kStyleListId))
        return FALSE;
    if (!m_rowSeparator.Create(_T(""), WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ,
                               CRect(frame.left - 3, frame.bottom, frame.right + 4, frame.bottom + 1), this))
        return FALSE;
    CFont* pFont = GetFont();
    m_styleLabel.SetFont(pFont);
    m_deleteButton.SetFont(pFont);
    m_registerButton.SetFont(pFont);
    m_styleList.SetFont(pFont);
    m_styleList.SetDroppedWidth(250);
    // Tab order: the list after the page frame, then Register and Delete.
    m_styleList.SetWindowPos(GetDlgItem(kFrameId), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    m_registerButton.SetWindowPos(&m_styleList, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    m_deleteButton.SetWindowPos(&m_registerButton, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    HTREEITEM hSelect = hInitial != nullptr ? hInitial : hFirst;
    if (hSelect != nullptr)
        m_tree.SelectItem(hSelect);
    UpdateStyleLabel();
    RefreshStyleList();
    return TRUE;
}

BOOL CFeatureSettingTreeDialog::ShowPage(CQZ2PropertyPage* pPage)
{
    const BOOL bWasShowing = m_bShowingPage;
    m_bShowingPage = TRUE;
    const BOOL bShown = CTreeDialog::ShowPage(pPage);
    m_bShowingPage = bWasShowing;
    if (!bShown)
        return FALSE;
    auto* pStylePage = dynamic_cast<CFeatureSettingPropertyPage*>(pPage);
    if (pStylePage != nullptr)
        m_nCurrentPage = pStylePage->GetPageIndex();
    if (m_styleList.GetSafeHwnd() != nullptr) {
        UpdateStyleLabel();
        RefreshStyleList();
    }
    return TRUE;
}

BOOL CFeatureSettingTreeDialog::SelectPage(int nPage)
{
    if (m_tree.GetSafeHwnd() == nullptr)
        return FALSE;
    // The tree is at most two levels deep: the dimension item holds the other dimension pages.
    for (HTREEITEM h = m_tree.GetRootItem(); h != nullptr; h = m_tree.GetNextSiblingItem(h)) {
        for (HTREEITEM item = h; item != nullptr;
             item = item == h ? m_tree.GetChildItem(h) : m_tree.GetNextSiblingItem(item)) {
            auto* pPage = reinterpret_cast<CFeatureSettingPropertyPage*>(m_tree.GetItemData(item));
            if (pPage != nullptr && pPage->GetPageIndex() == nPage)
                return m_tree.SelectItem(item);
        }
    }
    return FALSE;
}

void CFeatureSettingTreeDialog::OnDestroy()
{

    CTreeDialog::OnDestroy();
    s_nLastStylePage = m_nCurrentPage;
    if (s_appServices.pfnSetLastStylePage != nullptr)
        s_appServices.pfnSetLastStylePage(m_nCurrentPage);
}

void CFeatureSettingTreeDialog::UpdatePreview(Feature2dList* pSamples)
{
    if (!HasPreview() || pSamples == nullptr || m_pDocument == nullptr)
        return;
    SIZE size{};
    GetPreviewSize(size);
    const long nLayer = m_nLayerID != -1 ? m_nLayerID : m_pDocument->GetCurrentLayerID();
    for (int i = 0; i < pSamples->GetFeatureSize(); ++i)
        if (Feature2dBase* pFeature = pSamples->GetFeature(i))
            pFeature->SetLayerID(nLayer);
    std::unique_ptr<QImage> pImage(DrawingManager::CreateFeatureListImage(m_pDocument, pSamples, size.cx, size.cy,
                                                                          RGB(255, 255, 255), 0.1));
    if (pImage)
        SetPreviewImage(pImage.get());
}

// ---- named styles -------------------------------------------------------------------------------------------

CFeatureSettingPropertyPage* CFeatureSettingTreeDialog::SelectedPage() const
{
    if (m_tree.GetSafeHwnd() == nullptr)
        return nullptr;
    HTREEITEM hItem = m_tree.GetSelectedItem();
    return hItem != nullptr ? reinterpret_cast<CFeatureSettingPropertyPage*>(m_tree.GetItemData(hItem)) : nullptr;
}

FeatureSettingStylesBase* CFeatureSettingTreeDialog::SelectedStyles() const
{
    CFeatureSettingPropertyPage* pPage = SelectedPage();
    if (pPage == nullptr)
        return nullptr;
    const Kind kind = KindOfPage(pPage->GetPageIndex());
    return kind < kKinds ? m_styles[kind].get() : nullptr;
}

void CFeatureSettingTreeDialog::UpdateStyleLabel()
{
    CFeatureSettingPropertyPage* pPage = SelectedPage();
    if (pPage == nullptr || m_styleLabel.GetSafeHwnd() == nullptr)
        return;
    static const UINT captions[kKinds] = {IDS_GENERAL, IDS_POINT_MARKER, IDS_TEXT, IDS_LEAD,
                                          IDS_BALLOON, IDS_DIMENSION,    IDS_HATCH};
    const Kind kind = KindOfPage(pPage->GetPageIndex());
    if (kind < kKinds)
        m_styleLabel.SetWindowText(LoadResourceString(captions[kind]) + LoadResourceString(IDS_STYLE_SUFFIX));
}

BOOL CFeatureSettingTreeDialog::GetStyleNames(CStringArray& names, CString& current) const
{
    FeatureSettingStylesBase* pStyles = SelectedStyles();
    if (pStyles == nullptr)
        return FALSE;
    pStyles->GetSettingStyleNameArray(names, 1);
    current = pStyles->GetCurrentSettingStyleName();
    return TRUE;
}

void CFeatureSettingTreeDialog::SetCurrentStyleName(const CString& name, BOOL bUpdateList)
{
    FeatureSettingStylesBase* pStyles = SelectedStyles();
    if (pStyles == nullptr)
        return;
    pStyles->SetCurrentSettingStyleName(name);
    if (!bUpdateList || m_styleList.GetSafeHwnd() == nullptr)
        return;
    if (name.IsEmpty())
        m_styleList.SetCurSel(-1);
    else
        m_styleList.SelectString(-1, name);
    UpdateStyleButtons();
}

void CFeatureSettingTreeDialog::RefreshStyleList()
{
    if (m_styleList.GetSafeHwnd() == nullptr || m_bShowingPage)
        return;
    CStringArray names;
    CString current;
    if (!GetStyleNames(names, current)) {
        // A kind without a collection offers no names.
        m_styleList.ResetContent();
        UpdateStyleButtons();
        return;
    }
    m_styleList.ResetContent();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        m_styleList.AddString(names.GetAt(i));
    if (current.IsEmpty())
        m_styleList.SetCurSel(-1);
    else
        m_styleList.SelectString(-1, current);
    UpdateStyleButtons();
}

void CFeatureSettingTreeDialog::UpdateStyleButtons()
{
    if (m_registerButton.GetSafeHwnd() == nullptr)
        return;
    const BOOL bCollection = SelectedStyles() != nullptr;
    m_registerButton.EnableWindow(!m_bMixedValues && bCollection);
    m_deleteButton.EnableWindow(!m_bMixedValues && bCollection && m_styleList.GetCurSel() != CB_ERR);
}

std::unique_ptr<FeatureSettingBase> CFeatureSettingTreeDialog::ReadPage(CFeatureSettingPropertyPage* pPage) const
{
    if (pPage == nullptr)
        return nullptr;
    std::unique_ptr<FeatureSettingBase> pSetting;
    switch (pPage->GetPageIndex()) {
    case CFeatureSettingPropertyPage::kGeneralPage: pSetting = std::make_unique<GeneralFeatureSetting>(); break;
    case CFeatureSettingPropertyPage::kPointMarkerPage: pSetting = std::make_unique<PointMarkerSetting>(); break;
    case CFeatureSettingPropertyPage::kTextPage: pSetting = std::make_unique<TextSetting>(); break;
    case CFeatureSettingPropertyPage::kLeadPage: pSetting = std::make_unique<LeadSetting>(); break;
    case CFeatureSettingPropertyPage::kBalloonPage: pSetting = std::make_unique<BalloonSetting>(); break;
    case CFeatureSettingPropertyPage::kHatchPage: pSetting = std::make_unique<HatchSetting>(); break;
    default:
        if (!IsDimensionPage(pPage->GetPageIndex()))
            return nullptr;
        pSetting = std::make_unique<DimensionSetting>();
        break;
    }
    if (!GetFeatureSetting(pSetting.get()))
        return nullptr;
    return pSetting;
}

void CFeatureSettingTreeDialog::LoadStyleIntoPage(CFeatureSettingPropertyPage* pPage, const FeatureSettingBase* pStyle)
{
    if (pPage == nullptr || pStyle == nullptr)
        return;
    // The style's kind is the page's: the collection holds settings of its own kind only.
    if (KindOfPage(pPage->GetPageIndex()) == kKinds)
        return;
    SetFeatureSetting(pStyle);
    // A chosen style's texts replace the shapes' texts, empty ones too.
    if (KindOfPage(pPage->GetPageIndex()) == kDimension && m_pDimensionAddTextPage)
        m_pDimensionAddTextPage->MarkTextsEntered();
}

void CFeatureSettingTreeDialog::OnSelectStyle()
{
    const int nIndex = m_styleList.GetCurSel();
    FeatureSettingStylesBase* pStyles = SelectedStyles();
    if (nIndex == CB_ERR || pStyles == nullptr)
        return;
    CString name;
    m_styleList.GetLBText(nIndex, name);
    // A name the collection no longer holds changes nothing.
    const FeatureSettingBase* pStyle = pStyles->GetSettingStyle(name);
    if (pStyle == nullptr)
        return;
    LoadStyleIntoPage(SelectedPage(), pStyle);
    SetCurrentStyleName(name, TRUE);
}

void CFeatureSettingTreeDialog::OnRegisterStyle()
{
    CFeatureSettingPropertyPage* pPage = SelectedPage();
    if (pPage == nullptr || (pPage->GetSafeHwnd() != nullptr && !pPage->OnKillActive()))
        return;
    CStringArray names;
    CString current;
    if (!GetStyleNames(names, current))
        return;
    CRegisterSettingStyleDialog dialog(this);
    dialog.SetStyleNames(names);
    dialog.SetStyleName(current);
    if (dialog.DoModal() != IDOK || dialog.m_strName.IsEmpty())
        return;
    std::unique_ptr<FeatureSettingBase> pSetting = ReadPage(pPage);
    if (!pSetting)
        return;
    FeatureSettingStylesBase* pStyles = SelectedStyles();
    if (!pStyles->SetSettingStyle(dialog.m_strName, pSetting.get(), 1, nullptr))
        return;
    SetCurrentStyleName(dialog.m_strName, FALSE);
    RefreshStyleList();
}

void CFeatureSettingTreeDialog::OnDeleteStyle()
{
    const int nIndex = m_styleList.GetCurSel();
    FeatureSettingStylesBase* pStyles = SelectedStyles();
    if (nIndex == CB_ERR || pStyles == nullptr)
        return;
    CString name;
    m_styleList.GetLBText(nIndex, name);
    CString question;
    question.Format(LoadResourceString(IDS_DELETE_STYLE), static_cast<LPCTSTR>(name));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    pStyles->RemoveSettingStyle(name);
    SetCurrentStyleName(CString(), TRUE);
    // The list shows what the collection holds, whether or not the removal succeeded.
    RefreshStyleList();
}

LRESULT CFeatureSettingTreeDialog::OnSettingChanged(WPARAM wParam, LPARAM)
{
    // A page being shown writes the loaded values into its fields: nothing the user changed.
    if (m_styleList.GetSafeHwnd() == nullptr || m_bShowingPage)
        return 0;
    const int nIndex = m_styleList.GetCurSel();
    FeatureSettingStylesBase* pStyles = SelectedStyles();
    if (nIndex == CB_ERR || pStyles == nullptr)
        return 0;
    if (wParam == 0) {
        std::unique_ptr<FeatureSettingBase> pSetting = ReadPage(SelectedPage());
        if (!pSetting)
            return 0;
        CString name;
        m_styleList.GetLBText(nIndex, name);
        const FeatureSettingBase* pStyle = pStyles->GetSettingStyle(name);
        if (pStyle != nullptr && pSetting->IsEqual(*pStyle))
            return 0;
    }
    SetCurrentStyleName(CString(), TRUE);
    UpdateStyleButtons();
    return 0;
}

#pragma once
// The style-setting dialog: the style pages of the kinds its caller handed over in a tree, a preview of
// sample shapes under the tree and, under the page, the named styles of the page's kind with Register and
// Delete. It never changes the document: the caller hands it settings and style collections, runs it and
// reads them back (with 100 as the result the caller applies them and opens the hatch pattern table).

#include <memory>

#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CImageList.h"
#include "settings/CTreeDialog.h"

class CFeatureSettingPropertyPage;
class CGeneralFeatureSettingPage;
class CDimensionColorLineSettingPage;
class CDimensionSettingPage;
class CDimensionTextSettingPage;
class CDimensionAddTextSettingPage;
class CDimensionToleranceSettingPage;
class CDimensionAutoSettingPage;
class DimensionSetting;
class CPointMarkerSettingPage;
class CTextSettingPage;
class CLeadSettingPage;
class CBalloonSettingPage;
class CHatchSettingPage;
class HatchSetting;
class LeadSetting;
class BalloonSetting;
class TextSetting;
class PointMarkerSetting;
class CStringArray;
class Draw2dDocument;
class Feature2dList;
class FeatureSettingBase;
class FeatureSettingStylesBase;
class GeneralFeatureSetting;
class GeneralFeatureSettingStyles;
class PointMarkerSettingStyles;
class TextSettingStyles;
class LeadSettingStyles;
class BalloonSettingStyles;
class DimensionSettingStyles;
class HatchSettingStyles;

class CFeatureSettingTreeDialog : public CTreeDialog
{
    DECLARE_DYNCREATE(CFeatureSettingTreeDialog)
public:
    static constexpr int kStyleListId = 2028 + 100;
    static constexpr int kRegisterId = 2028;
    static constexpr int kDeleteId = 2029;
    static constexpr int kHatchPatternResult = 100;
    // The kinds, in the order the command reads them back.
    enum Kind { kGeneral, kPointMarker, kText, kLead, kBalloon, kDimension, kHatch, kKinds };

    CFeatureSettingTreeDialog();
    CFeatureSettingTreeDialog(Draw2dDocument* pDocument, long nLayerID, int nInitialPage, BOOL bMixedValues);
    ~CFeatureSettingTreeDialog() override;

    void SetGeneralFeatureSetting(const GeneralFeatureSetting* pSetting);
    BOOL GetGeneralFeatureSetting(GeneralFeatureSetting* pSetting) const;
    void SetPointMarkerSetting(const PointMarkerSetting* pSetting);
    BOOL GetPointMarkerSetting(PointMarkerSetting* pSetting) const;
    void SetTextSetting(const TextSetting* pSetting);
    BOOL GetTextSetting(TextSetting* pSetting) const;
    void SetLeadSetting(const LeadSetting* pSetting);
    BOOL GetLeadSetting(LeadSetting* pSetting) const;
    void SetBalloonSetting(const BalloonSetting* pSetting);
    BOOL GetBalloonSetting(BalloonSetting* pSetting) const;
    void SetHatchSetting(const HatchSetting* pSetting);
    BOOL GetHatchSetting(HatchSetting* pSetting) const;
    // The six dimension pages share one style: loading keeps a copy, and reading starts from that copy so
    // that values no page shows pass through unchanged. Read: FALSE when a dimension page is missing or
    // refuses. In degrees-minutes-seconds neither angle precision stays above 6.
    void SetDimensionSetting(const DimensionSetting* pSetting);
    BOOL GetDimensionSetting(DimensionSetting* pSetting) const;
    // The unit formats the value text page holds (-1 without it); the tolerance page follows them.
    int GetDimensionLengthUnitFormat() const;
    int GetDimensionAngleUnitFormat() const;
    // By run-time class; another kind (or one whose pages are not made) does nothing (read: FALSE).
    void SetFeatureSetting(const FeatureSettingBase* pSetting);
    BOOL GetFeatureSetting(FeatureSettingBase* pSetting) const;

    // The dialog works on copies of the collections; in mixed-values mode the copies have no current style.
    void SetFeatureSettingStyles(const FeatureSettingStylesBase* pStyles);
    FeatureSettingStylesBase* GetFeatureSettingStyles(Kind kind) const { return m_styles[kind].get(); }
    GeneralFeatureSettingStyles* GetGeneralFeatureSettingStyles() const;

    static BOOL IsDimensionPage(int nPage) { return nPage >= 5 && nPage <= 10; }
    static Kind KindOfPage(int nPage);
    // The page shown when the last style dialog closed (0 before any). The application keeps it for the
    // whole run: it registers these hooks when it starts and clears them when it ends; without them the
    // dialog keeps the page itself.
    struct AppServices {
        int (*pfnGetLastStylePage)() = nullptr;
        void (*pfnSetLastStylePage)(int nPage) = nullptr;
    };
    static void SetAppServices(const AppServices& services) { s_appServices = services; }
    static int GetLastStylePage();

    // Renders the samples (put on the dialog's layer) into the preview.
    void UpdatePreview(Feature2dList* pSamples);
    BOOL ShowPage(CQZ2PropertyPage* pPage) override;

    int GetCurrentPageIndex() const { return m_nCurrentPage; }
    // Selects the tree item of the page (as a click on it would); FALSE when the tree has none.
    BOOL SelectPage(int nPage);
    CFeatureSettingPropertyPage* GetPage(int nPage) const;
    CComboBox& GetStyleList() { return m_styleList; }

    // The named-style row for the selected page.
    void UpdateStyleLabel();
    BOOL GetStyleNames(CStringArray& names, CString& current) const;
    void SetCurrentStyleName(const CString& name, BOOL bUpdateList);
    void RefreshStyleList();
    void UpdateStyleButtons();

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnSelectStyle();
    afx_msg void OnRegisterStyle();
    afx_msg void OnDeleteStyle();
    afx_msg LRESULT OnSettingChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CFeatureSettingPropertyPage* SelectedPage() const;
    FeatureSettingStylesBase* SelectedStyles() const;
    // The selected page's values as a new setting of its kind; null when the page refuses.
    std::unique_ptr<FeatureSettingBase> ReadPage(CFeatureSettingPropertyPage* pPage) const;
    void LoadStyleIntoPage(CFeatureSettingPropertyPage* pPage, const FeatureSettingBase* pStyle);

    CStatic m_styleLabel;
    CComboBox m_styleList;
    CButton m_registerButton;
    CButton m_deleteButton;
    CStatic m_rowSeparator;
    CImageList m_treeImages;
    int m_nCurrentPage = 0;
    BOOL m_bMixedValues = FALSE;
    // Set while a page is made and filled: the texts it writes into its fields are not the user's edits.
    BOOL m_bShowingPage = FALSE;
    Draw2dDocument* m_pDocument = nullptr;
    long m_nLayerID = -1;
    std::unique_ptr<CGeneralFeatureSettingPage> m_pGeneralPage;
    std::unique_ptr<CPointMarkerSettingPage> m_pPointMarkerPage;
    std::unique_ptr<CTextSettingPage> m_pTextPage;
    std::unique_ptr<CLeadSettingPage> m_pLeadPage;
    std::unique_ptr<CBalloonSettingPage> m_pBalloonPage;
    std::unique_ptr<CHatchSettingPage> m_pHatchPage;
    std::unique_ptr<CDimensionSettingPage> m_pDimensionArrowPage;
    std::unique_ptr<CDimensionTextSettingPage> m_pDimensionTextPage;
    std::unique_ptr<CDimensionToleranceSettingPage> m_pDimensionTolerancePage;
    std::unique_ptr<CDimensionAddTextSettingPage> m_pDimensionAddTextPage;
    std::unique_ptr<CDimensionColorLineSettingPage> m_pDimensionColorPage;
    std::unique_ptr<CDimensionAutoSettingPage> m_pDimensionAutoPage;
    std::unique_ptr<DimensionSetting> m_pLoadedDimension;
    std::unique_ptr<FeatureSettingStylesBase> m_styles[kKinds];

    static int s_nLastStylePage;
    static AppServices s_appServices;
};

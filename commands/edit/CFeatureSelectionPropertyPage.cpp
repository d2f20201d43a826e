#include "commands/edit/CFeatureSelectionPropertyPage.h"

#include "commands/edit/CFeatureSelectionPropertySheet.h"
#include "platform/win/WinMessages.h"

BEGIN_MESSAGE_MAP(CFeatureSelectionPropertyPage, CPropertyPage)
    ON_BN_CLICKED(CFeatureSelectionPropertyPage::kCheckAll, &CFeatureSelectionPropertyPage::OnCheckAll)
    ON_BN_CLICKED(CFeatureSelectionPropertyPage::kUncheckAll, &CFeatureSelectionPropertyPage::OnUncheckAll)
END_MESSAGE_MAP()

CFeatureSelectionPropertyPage::CFeatureSelectionPropertyPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate) {}

CFeatureSelectionPropertyPage::~CFeatureSelectionPropertyPage() = default;

void CFeatureSelectionPropertyPage::UpdateTabMark()
{
    if (auto* pSheet = dynamic_cast<CFeatureSelectionPropertySheet*>(GetParentSheet()))
        pSheet->SetPageMark(this, HasAnyCheck());
}

void CFeatureSelectionPropertyPage::OnCheckAll()
{
    SetAllChecks(TRUE);
    UpdateTabMark();
}

void CFeatureSelectionPropertyPage::OnUncheckAll()
{
    SetAllChecks(FALSE);
    UpdateTabMark();
}

CRect CFeatureSelectionPropertyPage::PlaceholderRect()
{
    CRect rect(0, 0, 100, 100);
    if (CWnd* pPlaceholder = GetDlgItem(kPlaceholder)) {
        pPlaceholder->GetWindowRect(&rect);
        ScreenToClient(&rect);
        pPlaceholder->ShowWindow(SW_HIDE);
    }
    return rect;
}

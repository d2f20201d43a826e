#include "settings/CHatchPatternTableDialog.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/HatchPatternBase.h"
#include "libs/vevure/HatchPatternTable.h"
#include "platform/win/CListBox.h"

CHatchPatternTableDialog::CHatchPatternTableDialog(CWnd* pParent, Draw2dDocument* pDocument)
    : CDialog(IDD, pParent), m_pDocument(pDocument)
{
}

CHatchPatternTableDialog::~CHatchPatternTableDialog() = default;

BOOL CHatchPatternTableDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* pList = static_cast<CListBox*>(GetDlgItem(kPatternList));
    const HatchPatternTable* pTable = m_pDocument != nullptr ? m_pDocument->GetHatchPatternTable() : nullptr;
    if (pList == nullptr || pTable == nullptr)
        return TRUE;
    for (int i = 0; i < pTable->GetHatchPatternCount(); ++i)
        pList->AddString(pTable->GetHatchPatternByIndex(i)->GetPatternName());
    return TRUE;
}

#include "app/PropertyRowDialogs.h"

#include <memory>

#include "command/FeatureSettingDialogHooks.h"
#include "command/ImageSettingParameterItem.h"
#include "command/PropertyListItem.h"
#include "command/SettingParameterItem.h"
#include "command/TextParameterItem.h"
#include "command/ToleranceParameterItem.h"
#include "commands/shape/CTextEditDialog.h"
#include "commands/shape/CToleranceEditDialog.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/ImageTool.h"
#include "libs/vevure/OleObjectSetting.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/win/WinConstants.h"
#include "settings/CImageColorSettingDialog.h"
#include "settings/COleObjectSettingDialog.h"

using QZ2Command::ParameterItemBase;

namespace PropertyRowDialogs {

namespace {

BOOL EditText(QZ2Command::TextParameterItem& item, CWnd* pList)
{
    CTextEditDialog dialog(pList);
    dialog.m_strText = item.m_strText;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    // A row that needs a text keeps its own when the dialog hands back none.
    if (dialog.m_strText.IsEmpty() && !item.m_bAcceptEmptyText)
        return FALSE;
    item.m_strText = dialog.m_strText;
    item.m_bEmpty = dialog.m_strText.IsEmpty() ? TRUE : FALSE;
    return TRUE;
}

BOOL EditTolerance(QZ2Command::ToleranceParameterItem& item, CWnd* pList)
{
    CToleranceEditDialog dialog(pList, item.m_pDocument);
    dialog.m_strText = item.m_strText;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    return item.SetValue(dialog.m_strText);
}

BOOL EditImageSetting(QZ2Command::ImageSettingParameterItem& item, CWnd* pList)
{
    FeatureSettingBase* pSetting = nullptr;
    if (!item.GetValue(pSetting) || pSetting == nullptr)
        return FALSE;
    auto* pImageSetting = dynamic_cast<ImageSetting*>(pSetting);
    if (pImageSetting == nullptr)
        return FALSE;
    std::unique_ptr<Gdiplus::Bitmap> pPicture(
        item.m_pPreviewImage != nullptr ? ImageTool::CreateImage(item.m_pPreviewImage) : nullptr);
    CImageColorSettingDialog dialog(pList, TRUE);
    dialog.SetImageSetting(pImageSetting);
    dialog.SetPreviewImage(pPicture.get());
    if (dialog.DoModal() != IDOK)
        return FALSE;
    return dialog.GetImageSetting(pImageSetting);
}

BOOL EditObjectSetting(OleObjectSetting& setting, Draw2dDocument* pDocument, CWnd* pList)
{
    COleObjectSettingDialog dialog(pList, TRUE);
    dialog.SetColorTable(pDocument != nullptr ? pDocument->GetColorFeatureTable() : nullptr,
                         pDocument != nullptr ? pDocument->GetLayerTable() : nullptr, -1);
    dialog.SetOleObjectSetting(&setting);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    return dialog.GetOleObjectSetting(&setting);
}

}  // namespace

BOOL EditByDialog(PropertyListItem& clone, CWnd* pList)
{
    ParameterItemBase* pItem = clone.GetValueItem();
    if (pItem == nullptr)
        return FALSE;
    if (auto* pText = dynamic_cast<QZ2Command::TextParameterItem*>(pItem))
        return EditText(*pText, pList);
    if (auto* pTolerance = dynamic_cast<QZ2Command::ToleranceParameterItem*>(pItem))
        return EditTolerance(*pTolerance, pList);
    if (auto* pImage = dynamic_cast<QZ2Command::ImageSettingParameterItem*>(pItem))
        return EditImageSetting(*pImage, pList);
    auto* pSettingItem = dynamic_cast<QZ2Command::SettingParameterItem*>(pItem);
    FeatureSettingBase* pSetting = nullptr;
    if (pSettingItem == nullptr || !pSettingItem->GetValue(pSetting) || pSetting == nullptr)
        return FALSE;
    if (auto* pObject = dynamic_cast<OleObjectSetting*>(pSetting))
        return EditObjectSetting(*pObject, pSettingItem->GetContext(), pList);
    const FeatureSettingDialogHooks& hooks = FeatureSettingDialogHooks::Get();
    if (hooks.pfnEditFeatureSetting == nullptr)
        return FALSE;
    const INT_PTR result = hooks.pfnEditFeatureSetting(pSettingItem->GetContext(), pSetting);
    return result == 1 || result == 100 ? TRUE : FALSE;
}

void Install()
{
    PropertyListItem::GetServices().pEditByDialog = &EditByDialog;
}

}  // namespace PropertyRowDialogs

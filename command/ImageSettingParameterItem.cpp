#include "command/ImageSettingParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ImageSettingParameterItem, SettingParameterItem)

ImageSettingParameterItem::ImageSettingParameterItem() : SettingParameterItem(typeImageSetting) {}

BOOL ImageSettingParameterItem::IsImageSettingItem() const
{
    return TRUE;
}

void ImageSettingParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    SettingParameterItem::Copy(source);
    if (const auto* p = dynamic_cast<const ImageSettingParameterItem*>(&source))
        m_pPreviewImage = p->m_pPreviewImage;
}

}  // namespace QZ2Command

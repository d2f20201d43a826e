#pragma once
// The settings of an image feature, with the image the colour dialog previews.

#include "command/SettingParameterItem.h"

class Image2dFeature;

namespace QZ2Command {

class ImageSettingParameterItem : public SettingParameterItem
{
    DECLARE_DYNCREATE(ImageSettingParameterItem)
public:
    ImageSettingParameterItem();

    BOOL IsImageSettingItem() const override;
    void Copy(const ParameterItemBase& source) override;

    // The image feature whose picture is previewed; not owned.
    const Image2dFeature* m_pPreviewImage = nullptr;
};

}  // namespace QZ2Command

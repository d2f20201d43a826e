#pragma once
// Brightness and contrast of the picked images in the image colour dialog; a value the images do not
// share stays each image's own unless the user sets it. One undo step per confirmed dialog.

#include <memory>

#include "commands/edit/ChangeObjectFeatureSetting2dCommand.h"
#include "libs/vevure/ImageSetting.h"

namespace Gdiplus {
class Image;
}

namespace QZ2Command {

class ChangeImageFeatureSetting2dCommand : public ChangeObjectFeatureSetting2dCommand
{
    DECLARE_DYNCREATE(ChangeImageFeatureSetting2dCommand)
public:
    ChangeImageFeatureSetting2dCommand();
    ~ChangeImageFeatureSetting2dCommand() override;

    // An image among the selected shapes.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

protected:
    void BeginMerge(const Feature2dBase* pFirst) override;
    void Merge(const Feature2dBase* pOther) override;
    BOOL RunDialog(Draw2dDocument* pDocument, int nObjects, long nFirstLayerID) override;
    BOOL Write(Feature2dBase* pCopy) const override;

private:
    ImageSetting m_merged;
    // The first image, shown in the dialog.
    std::unique_ptr<Gdiplus::Image> m_pPreview;
};

}  // namespace QZ2Command

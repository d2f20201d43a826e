#pragma once
// Size, scale and background of the picked embedded objects in their setting dialog; a value the objects
// do not share stays each object's own unless the user sets it. One undo step per confirmed dialog.

#include "commands/edit/ChangeObjectFeatureSetting2dCommand.h"
#include "libs/vevure/OleObjectSetting.h"

namespace QZ2Command {

class ChangeOleObjectFeatureSetting2dCommand : public ChangeObjectFeatureSetting2dCommand
{
    DECLARE_DYNCREATE(ChangeOleObjectFeatureSetting2dCommand)
public:
    ChangeOleObjectFeatureSetting2dCommand();
    ~ChangeOleObjectFeatureSetting2dCommand() override;

    // An embedded object among the selected shapes.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

protected:
    void BeginMerge(const Feature2dBase* pFirst) override;
    void Merge(const Feature2dBase* pOther) override;
    BOOL RunDialog(Draw2dDocument* pDocument, int nObjects, long nFirstLayerID) override;
    BOOL Write(Feature2dBase* pCopy) const override;

private:
    OleObjectSetting m_merged;
};

}  // namespace QZ2Command

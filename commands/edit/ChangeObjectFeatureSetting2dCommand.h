#pragma once
// What the image and embedded-object setting changes share: the picked shapes of one type (the others
// passed over), the enable test, a merge that starts from the first picked object still in the document,
// the dialog, and the write-back of the confirmed values in one undo step.

#include "command/CommandBase.h"

class Feature2dBase;

namespace QZ2Command {

class ChangeObjectFeatureSetting2dCommand : public CommandBase
{
    DECLARE_DYNAMIC(ChangeObjectFeatureSetting2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;

protected:
    // Objects of the type, picked through the kinds mask; the shapes item shows the caption.
    ChangeObjectFeatureSetting2dCommand(int nType, DWORD dwKinds, UINT nShapesCaption);
    ~ChangeObjectFeatureSetting2dCommand() override;

    // Whether the document's selection holds an object of the type.
    static BOOL IsTypeSelected(Draw2dDocument* pDocument, int nType);

    // The merge: the first object's values, then each further object's folded in.
    virtual void BeginMerge(const Feature2dBase* pFirst) = 0;
    virtual void Merge(const Feature2dBase* pOther) = 0;
    // The dialog on the merged values; TRUE when confirmed, the merged values then edited.
    virtual BOOL RunDialog(Draw2dDocument* pDocument, int nObjects, long nFirstLayerID) = 0;
    // The edited values written into a copy of an object.
    virtual BOOL Write(Feature2dBase* pCopy) const = 0;

private:
    const int m_nType;
    const DWORD m_dwKinds;
    const UINT m_nShapesCaption;
};

}  // namespace QZ2Command

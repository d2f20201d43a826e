#pragma once
// What the property bar shows for one object of a document: a shape (kind 1), a layer (kind 2) or a
// drawing (kind 3), named by its id. The bar keeps its own copies, so every property object can clone
// itself.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class Draw2dDocument;

namespace QZ2Command {

class FeaturePropertyBase : public CObject
{
    DECLARE_DYNAMIC(FeaturePropertyBase)
public:
    enum Kind : UINT { kindShape = 1, kindLayer = 2, kindDrawing = 3 };

    FeaturePropertyBase(UINT nKind, Draw2dDocument* pDocument, long nTargetID);
    ~FeaturePropertyBase() override;

    // A new object equal to this one; the caller owns it.
    virtual FeaturePropertyBase* Clone() const = 0;
    // TRUE when both describe the same object of the same document.
    virtual BOOL IsSameTarget(const FeaturePropertyBase& other) const;
    // TRUE while the document still holds the object; the bar closes objects that went away.
    virtual BOOL IsTargetAlive() const;
    // One line naming the object, for the bar's list.
    virtual CString GetDescription() const;

    UINT GetKind() const { return m_nKind; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    // The record id of a shape, the id of a layer or of a drawing.
    long GetTargetID() const { return m_nTargetID; }

protected:
    FeaturePropertyBase(const FeaturePropertyBase&) = default;

    UINT m_nKind;
    Draw2dDocument* m_pDocument;
    long m_nTargetID;
};

}  // namespace QZ2Command

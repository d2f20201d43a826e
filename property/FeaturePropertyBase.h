#pragma once
// What the property bar shows for one target of a document: a shape (kind 1), a layer or layer group
// (kind 2) or a drawing or part layout (kind 3). An object lists its properties as descriptors (id and
// value type, in row order), fills parameter items with their current values, checks and writes new
// values back, and says what a document change means for it. Property ids are one number space over
// every kind, so a row's value item tells by its id which property it is.

#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class Draw2dDocument;
class NotifyInfoBase;

namespace QZ2Command {

class ParameterItemBase;

struct PropertyDescriptor {
    WORD wId = 0;
    // The parameter item type code of the value.
    int nValueType = 0;
};

class FeaturePropertyBase : public CObject
{
    DECLARE_DYNCREATE(FeaturePropertyBase)
public:
    enum Kind : UINT { kindNone = 0, kindShape = 1, kindLayer = 2, kindDrawing = 3 };
    // What OnDocumentNotify answers.
    enum NotifyResult { notifyNone = 0, notifyRebuild = 1, notifyRefresh = 2, notifyClose = 3 };

    FeaturePropertyBase();
    ~FeaturePropertyBase() override;

    // Fills pItem (made for the descriptor's value type) with the current value of property wId, its id
    // and editable flag, and with bWithCaption also the caption and what only a shown row needs. FALSE when
    // the property is not offered or the target is gone.
    virtual BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption);
    virtual BOOL IsShapeProperty() const;
    virtual BOOL IsSameTarget(const FeaturePropertyBase* pOther) const;
    // Kind, descriptors, document and the subclass's target; copying onto itself does nothing.
    virtual void CopyFrom(const FeaturePropertyBase* pOther);
    // Appends the object's descriptors.
    virtual void BuildPropertyList();
    virtual BOOL ValidatePropertyValue(WORD wId, ParameterItemBase* pItem);
    virtual BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem);
    virtual void OnClearDescriptors();
    // A NotifyResult.
    virtual int OnDocumentNotify(const NotifyInfoBase* pInfo);

    // A new object of the same run-time class copied from this one; the caller owns it.
    FeaturePropertyBase* Clone() const;
    void ResetDescriptors();
    void ClearDescriptors();
    int FindDescriptor(WORD wId) const;
    BOOL ApplyPropertyItem(WORD wId, ParameterItemBase* pItem);
    BOOL ApplyPropertyItemAt(int nIndex, ParameterItemBase* pItem);
    // Text typed into a row of a double, length, angle, integer, scale or point item; an empty text
    // empties the item. FALSE (item unchanged) for text that does not convert or another type.
    static BOOL ParseValueText(ParameterItemBase* pItem, const CString& text);

    UINT GetKind() const { return m_nKind; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    int GetDescriptorCount() const { return static_cast<int>(m_descriptors.size()); }
    const PropertyDescriptor& GetDescriptor(int nIndex) const { return m_descriptors.at(static_cast<size_t>(nIndex)); }

protected:
    void AddDescriptor(WORD wId, int nValueType) { m_descriptors.push_back({wId, nValueType}); }
    void ReserveDescriptors(size_t nCount) { m_descriptors.reserve(nCount); }

    UINT m_nKind = kindNone;
    std::vector<PropertyDescriptor> m_descriptors;
    // Not owned; the document whose undo step frames an edit of this object.
    Draw2dDocument* m_pDocument = nullptr;
};

}  // namespace QZ2Command

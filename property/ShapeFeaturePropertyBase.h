#pragma once
// The property object of one shape, named by its record id and the part layout it is seen through. It
// offers the rows every kind shares (kind, number, drawing, layer, colour, line type, line width) as far as
// the kind has them; the subclasses add the rows of their kind. The object holds no copy of the shape:
// every read goes to the document, so a shape that went away simply answers FALSE.

#include <functional>
#include <memory>

#include "libs/ruva/RuVaPnt2d.h"
#include "property/FeaturePropertyBase.h"


class Feature2dBase;
class FeatureSettingBase;

namespace QZ2Command {

class CommandManager;

class ShapeFeaturePropertyBase : public FeaturePropertyBase
{
    DECLARE_DYNCREATE(ShapeFeaturePropertyBase)
public:
    // The common property ids.
    enum { idKind = 1, idNumber = 2, idDrawing = 3, idLayer = 4, idColor = 5, idLineType = 6, idLineWidth = 7 };

    ShapeFeaturePropertyBase();
    ShapeFeaturePropertyBase(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~ShapeFeaturePropertyBase() override;

    // The property object of the record's kind; NULL for no shape or a kind without properties. A part
    // layout picked as a shape gives the drawing object of that layout. The caller owns the result.
    static FeaturePropertyBase* CreateFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    // The string of a kind's name (row 1); 0 for a kind without one.
    static UINT GetKindNameStringId(int nFeatureType);
    // Whether a kind of shape offers common row wId (1-7).
    static BOOL IsCommonPropertyOffered(int nFeatureType, WORD wId);

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    BOOL IsShapeProperty() const override;
    BOOL IsSameTarget(const FeaturePropertyBase* pOther) const override;
    void CopyFrom(const FeaturePropertyBase* pOther) override;
    void BuildPropertyList() override;
    BOOL ValidatePropertyValue(WORD wId, ParameterItemBase* pItem) override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
    int OnDocumentNotify(const NotifyInfoBase* pInfo) override;

    // Resizes the feature's style sizes toward the sheet (bToSheet) or back, by the uniform scale of the
    // part layout it is seen through in the manager's view; a layout that is not found counts as 1:1.
    // FALSE without a view or when the resize fails.
    BOOL ScaleForPartLayout(Feature2dBase* pFeature, BOOL bToSheet, BOOL* pUniform);

    long GetRecordID() const { return m_nRecordID; }
    long GetLayoutID() const { return m_nLayoutID; }
    // The shape now, or NULL when it is gone.
    Feature2dBase* GetFeature() const;
    // The type code of the shape now, 0 when it is gone.
    int GetFeatureType() const;

    // The command manager whose view decides the part-layout scale of style sizes; set by the program.
    static void SetCommandManager(CommandManager* pManager);
    static CommandManager* GetCommandManager();

protected:
    // What an edit of a copy of the shape did.
    enum EditResult { editRefused = 0, editChanged = 1, editUnchanged = 2 };

    // Whether the document lets the shape be edited (its layer and drawing).
    BOOL IsEditable() const;
    // The common pattern of an own row: a copy of the shape is edited; a change is stored with
    // UpdateFeature, an unchanged value is a success without a step, a refusal FALSE.
    BOOL EditCopy(const std::function<int(Feature2dBase*)>& edit);
    // One value set on a copy of the shape through its getter and setter: unchanged when the shape holds
    // the value already, refused when the setter refuses it.
    template <class TShape, class TValue, class TGot, class TArg>
    BOOL EditField(const TValue& value, TGot (TShape::*get)() const, BOOL (TShape::*set)(TArg))
    {
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<TShape*>(pCopy);
            if (IsSameValue((p->*get)(), value))
                return editUnchanged;
            return (p->*set)(value) ? editChanged : editRefused;
        });
    }
    static bool IsSameValue(const RuVaPnt2d& a, const RuVaPnt2d& b) { return a.IsEqual(b, 0.0) != FALSE; }
    template <class A, class B>
    static bool IsSameValue(const A& a, const B& b) { return a == b; }
    // An own row's id, caption and editable flag.
    void SetRow(ParameterItemBase* pItem, WORD wId, UINT nCaption, BOOL bWithCaption, BOOL bEditable = TRUE);
    // Values of own rows; FALSE for another item type or an empty item.
    BOOL SetPointValue(ParameterItemBase* pItem, const RuVaPnt2d& point);
    BOOL SetDoubleValue(ParameterItemBase* pItem, double value);
    BOOL SetIntegerValue(ParameterItemBase* pItem, int value);
    // A list of "1".."nCount" (choices only with bWithCaption) with the index selected.
    BOOL SetIndexList(ParameterItemBase* pItem, int nCount, int nIndex, BOOL bWithCaption);
    BOOL SetChoice(ParameterItemBase* pItem, UINT nChoices, int nIndex, BOOL bWithCaption);
    // A text row; bInDialog lets the list edit it in the text dialog, bAcceptEmpty lets that dialog hand
    // back an empty text.
    BOOL SetTextValue(ParameterItemBase* pItem, const CString& text, BOOL bInDialog, BOOL bAcceptEmpty);
    BOOL SetScaleValue(ParameterItemBase* pItem, double x, double y);

    // Style rows. The reader gives a new style read from a shape, NULL when the shape has none.
    using StyleReader = std::function<std::unique_ptr<FeatureSettingBase>(const Feature2dBase*)>;
    using StyleWriter = std::function<BOOL(Feature2dBase*, const FeatureSettingBase&)>;
    // The style of the shape, read from a copy resized to the sheet when bScaled (style sizes are shown as
    // they print); the captioned item also gets the document the style dialog works on.
    BOOL SetStyleValue(ParameterItemBase* pItem, const StyleReader& read, BOOL bScaled, BOOL bWithCaption);
    // Writes the item's style to a copy (resized to the sheet and back when bScaled); afterWrite runs on
    // the copy before it is resized back. A style equal to the shape's is a success without a step.
    BOOL ApplyStyle(const ParameterItemBase* pItem, const StyleReader& read, const StyleWriter& write, BOOL bScaled,
                    const std::function<void(Feature2dBase*)>& afterWrite = nullptr);

    static BOOL ReadText(const ParameterItemBase* pItem, CString& text);
    static BOOL ReadScale(const ParameterItemBase* pItem, double& x, double& y);
    static BOOL ReadPoint(const ParameterItemBase* pItem, RuVaPnt2d& point);
    static BOOL ReadDouble(const ParameterItemBase* pItem, double& value);
    static BOOL ReadChoice(const ParameterItemBase* pItem, int& nIndex);

    long m_nRecordID = -1;
    long m_nLayoutID = -1;
};

}  // namespace QZ2Command

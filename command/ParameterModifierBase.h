#pragma once
// A helper input attached to one parameter of a command (a length from two points, a point relative
// to another ...). It asks for inputs of its own, ordinary parameter items, and computes the target's
// value from them. Modifiers form a chain: a modifier may itself be modified by a sub-modifier; the
// innermost link receives the input, and its result fills the outer link's input.

#include "libs/ruva/RuVaPnt2d.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrArray.h"

namespace QZ2Command {

class CommandBase;
class CommandManager;
class FeatureParameterItem;
class ParameterItemBase;

class ParameterModifierBase : public CObject
{
    DECLARE_DYNAMIC(ParameterModifierBase)
public:
    // Results of Compute.
    enum {
        resultDone = 1,        // the value was written into the target item
        resultMissing = 2,     // inputs are still missing
        resultNoFeature = 3,   // the picked shape no longer exists
        resultUnusable = 4,    // the inputs cannot be used
    };
    // The modifier kinds.
    enum {
        kindLengthOf2Point = 1, kindFeatureLength = 2, kindAngleOf2Point = 10, kindAngleOf3Point = 11,
        kindFeatureAngle = 12, kindFeatureRelativeAngle = 13, kindRelativePoint = 20, kindMiddlePoint = 21
    };
    static constexpr double kZeroTolerance = 1e-7;

    ParameterModifierBase(CommandBase* pCommand, int nParameterIndex);
    ParameterModifierBase(CommandManager* pManager, CommandBase* pCommand, int nParameterIndex);
    ~ParameterModifierBase() override;
    ParameterModifierBase(const ParameterModifierBase&) = delete;
    ParameterModifierBase& operator=(const ParameterModifierBase&) = delete;

    // A new modifier of the kind for the command's parameter; NULL for an unknown kind.
    static ParameterModifierBase* CreateModifier(int nKind, CommandBase* pCommand, int nParameterIndex);

    // The point of the input that the input names as its base; FALSE without one or while it is empty.
    virtual BOOL GetBasePoint(int nInput, RuVaPnt2d& point) const;
    // The value the modifier would give now, the cursor standing in for empty inputs.
    virtual BOOL ComputePreview(ParameterItemBase& target) const;
    virtual void Copy(const ParameterModifierBase& source);
    // Asked before a value is assigned to an input.
    virtual BOOL ValidateInput(int nInput, const ParameterItemBase& value);
    // Writes the value of the given inputs into the target item; one of the results above.
    virtual int Compute(int nInput, ParameterItemBase& target);
    virtual void InitItems();
    // Draws the modifier's preview lines for the cursor (local point of the active drawing).
    virtual void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags);

    // Starts collecting input: the inputs made anew, none current.
    virtual BOOL Start();
    // Ends this link and every link below it.
    virtual void End();
    virtual int GetInputCount() const;
    virtual ParameterItemBase* GetInputItem(int nIndex) const;
    // The preview value written into the item; FALSE when the inputs give none yet.
    virtual BOOL ComputeValue(ParameterItemBase& item) const;

    void ResetItems();
    // Appends a clone of the item.
    void AddItem(const ParameterItemBase& item);
    // The start point and end point inputs of the modifiers that measure between two points; each drags
    // its rubber band from the other.
    void AddTwoPointInputs();
    void RemoveAllItems();
    ParameterItemBase* GetItem(WORD wId) const;
    int FindItemIndex(WORD wId) const;
    // Accepts -1 and the index of an input; other values leave the current input as it was.
    void SetCurrentInput(int nIndex) { SetInputIndex(nIndex); }
    int FindFirstMissingInput() const;
    // The input that takes the next click: the current one when it is a point or feature input, else
    // the first empty pickable point or empty feature input; -1 when none.
    int GetNextPickItemIndex() const;
    // A given input as it is; an empty point input as the cursor, an empty feature input as the shape
    // under the cursor (FALSE when there is none).
    BOOL GetInputValueAt(int nIndex, ParameterItemBase& item) const;
    BOOL GetInputValue(WORD wId, ParameterItemBase& item) const;
    CommandBase* GetCommand() const { return m_pCommand; }
    CommandManager* GetManager() const { return m_pManager; }
    // The item the result goes to: the target parameter's current item, or the outer link's input.
    ParameterItemBase* GetTargetItem() const;
    int GetKind() const { return m_nKind; }
    const CString& GetName() const { return m_strName; }
    // One green preview line between two points of the active drawing.
    BOOL DrawLine(const RuVaPnt2d& a, const RuVaPnt2d& b) const;

    ParameterModifierBase* GetSubModifier() const { return m_pSubModifier; }
    ParameterModifierBase* GetOuterModifier() const { return m_pOuter; }
    // The innermost link of the chain that starts here.
    ParameterModifierBase* GetInnermost();
    int GetDepth() const;
    // Ends and deletes the sub-modifier of the innermost link's parent; FALSE without one.
    BOOL EndInnermostLink();

    int GetInputIndex() const { return m_nInputIndex; }
    // Accepts -1 and 0..count-1.
    BOOL SetInputIndex(int nIndex);
    // The target: a parameter index, or for an inner link the outer link's input index.
    int GetParameterIndex() const { return m_nParameterIndex; }
    // Takes ownership of the link.
    void SetSubModifier(ParameterModifierBase* pModifier);

protected:
    // Sets kind and name (string number) of a concrete class.
    void SetKind(int nKind, UINT nNameId);
    // Writes a length or angle result into the target; values within the zero tolerance become 0.
    static BOOL WriteNumber(ParameterItemBase& target, double dValue, BOOL bRoundZero);
    // Writes a point result: a point target takes it, an unfinished point array appends it.
    static BOOL WritePoint(ParameterItemBase& target, const RuVaPnt2d& point);
    // The point of a given point input (for a point array its last point).
    BOOL GetGivenPoint(int nInput, RuVaPnt2d& point) const;
    // The point of an input for the preview: given, or else the cursor.
    BOOL GetPreviewPoint(int nInput, RuVaPnt2d& point) const;
    // The length or the angle of the shape of a feature input, brought into the active layout; for a
    // polyline that of the segment nearest the pick point. One of the results above.
    int MeasureFeatureInput(int nInput, BOOL bAngle, double& dValue) const;
    // The same for a preview: a given shape, or else the shape under the cursor.
    BOOL MeasurePreviewFeature(int nInput, BOOL bAngle, double& dValue) const;
    int MeasureFeature(const FeatureParameterItem* pInput, BOOL bAngle, double& dValue) const;
    // A feature input of the accepted kinds.
    static void MakeFeatureInput(ParameterItemBase& item, DWORD dwAcceptedKinds);

    CommandManager* m_pManager = nullptr;
    CommandBase* m_pCommand;
    int m_nParameterIndex;
    int m_nKind = 0;
    CString m_strName;
    int m_nInputIndex = -1;
    CTypedPtrArray<CObArray, ParameterItemBase*> m_inputs;
    ParameterModifierBase* m_pSubModifier = nullptr;
    ParameterModifierBase* m_pOuter = nullptr;
};

}  // namespace QZ2Command

#pragma once
// A helper input attached to one parameter of a command (a length from two points, a point relative
// to another ...). Modifiers form a chain: a modifier may itself be modified by a sub-modifier; the
// innermost link receives the input.

#include "platform/afx/CObject.h"

namespace QZ2Command {

class CommandBase;
class ParameterItemBase;

class ParameterModifierBase : public CObject
{
    DECLARE_DYNAMIC(ParameterModifierBase)
public:
    ParameterModifierBase(CommandBase* pCommand, int nParameterIndex);
    ~ParameterModifierBase() override;

    // Starts collecting input.
    virtual BOOL Start();
    // Ends this link and every link below it.
    virtual void End();
    virtual int GetInputCount() const;
    virtual ParameterItemBase* GetInputItem(int nIndex) const;
    // The value the inputs give so far, written into the item; FALSE when they give none.
    virtual BOOL ComputeValue(ParameterItemBase& item) const;

    ParameterModifierBase* GetSubModifier() const { return m_pSubModifier; }
    // The innermost link of the chain that starts here.
    ParameterModifierBase* GetInnermost();
    int GetDepth() const;
    // Ends and deletes the sub-modifier of the innermost link's parent; FALSE without one.
    BOOL EndInnermostLink();

    int GetInputIndex() const { return m_nInputIndex; }
    // Accepts -1 and 0..count-1.
    BOOL SetInputIndex(int nIndex);
    int GetParameterIndex() const { return m_nParameterIndex; }
    // Takes ownership of the link.
    void SetSubModifier(ParameterModifierBase* pModifier);

protected:
    CommandBase* m_pCommand;
    int m_nParameterIndex;
    int m_nInputIndex = -1;
    ParameterModifierBase* m_pSubModifier = nullptr;
};

}  // namespace QZ2Command

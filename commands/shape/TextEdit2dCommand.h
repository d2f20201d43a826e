#pragma once
// Changes the text of a text, a leader or a balloon through the text input dialog, one shape per run and
// one undo step per change. A text picked beforehand is changed and the command ends; otherwise it waits
// for picks until cancelled or until the dialog is cancelled. A double click on a text starts it.

#include "command/CommandBase.h"

namespace QZ2Command {

class TextEdit2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(TextEdit2dCommand)
public:
    enum : WORD { itemShape = 0 };
    // Texts, leaders and balloons in the selection filter's kind bits.
    static constexpr DWORD kTextKinds = 0x6200;

    TextEdit2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // Offered on the right-click menu when exactly one text, leader or balloon is selected.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

    // The shape's new text in a copy (the caller's); a leader is laid out again with its style. NULL for
    // other shapes or a leader whose layout fails.
    static Feature2dBase* ChangeText(const Feature2dBase* pShape, const CString& text);
    // The text of a text, leader or balloon; FALSE for other shapes.
    static BOOL GetText(const Feature2dBase* pShape, CString& text);
};

}  // namespace QZ2Command

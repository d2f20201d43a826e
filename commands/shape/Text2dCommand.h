#pragma once
// Places texts in the current text style. "Korvan.Shape.Text": a line typed in the command bar, an angle
// (kept between texts) and a position; the command stays for the next text. "Korvan.Shape.TextParagraph":
// the text input dialog asks for a text of several lines first; one placement ends the command. Inside a
// scaled part layout the text is enlarged by the layout's inverse scale so that it prints at the style's
// size.

#include "command/CommandBase.h"

class Text2dFeature;

namespace QZ2Command {

class Text2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Text2dCommand)
public:
    enum : WORD { itemAngle = 0, itemText = 1, itemPoint = 2 };

    Text2dCommand() = default;
    ~Text2dCommand() override;

    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The text the paragraph command places (the dialog's last confirmed text).
    const CString& GetParagraphText() const { return m_strParagraph; }
    BOOL IsParagraph() const;

private:
    // The text at the point in the document's current style, scaled for the part layout, on the current
    // layer; NULL when nothing can be made (no document, an empty text, an unreadable layout scale).
    Text2dFeature* MakeText(const CString& text, const RuVaPnt2d& point, double angle) const;

    CString m_strParagraph;
};

}  // namespace QZ2Command

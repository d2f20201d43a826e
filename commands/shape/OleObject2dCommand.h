#pragma once
// Insert Object: the dialog chooses a new object from a document template, or a file to embed or link;
// then two corners span a rectangle that the object fills keeping its natural aspect, from the lower-left
// corner. Drawings of this program are refused. A new object opens with the desktop's program for its
// type once the shape is added. One object ends the command.

#include <memory>
#include <vector>

#include "command/CommandBase.h"
#include "platform/afx/AfxTypes.h"

class COleInsertDialog;

namespace QZ2Command {

class OleObject2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(OleObject2dCommand)
public:
    enum : WORD { itemFirstCorner = 0, itemSecondCorner = 1 };

    OleObject2dCommand();
    ~OleObject2dCommand() override;

    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The object chosen at the last start: its record's bytes and natural size.
    const std::vector<BYTE>& GetItemData() const { return m_item; }
    double GetNaturalWidth() const { return m_dWidth; }
    double GetNaturalHeight() const { return m_dHeight; }

private:
    std::unique_ptr<COleInsertDialog> m_pDialog;
    std::vector<BYTE> m_item;
    double m_dWidth = 0.0;
    double m_dHeight = 0.0;
    BOOL m_bCreateNew = FALSE;
};

}  // namespace QZ2Command

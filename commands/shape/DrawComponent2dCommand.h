#pragma once
// Places a component of the component bar's document into the active drawing: scaled, turned, at a point,
// on the current layer or on layer 0, its definition copied in with it as one undo step, its attributes
// asked when its definition wants them. The component follows the cursor. The command opens the component
// bar when it is hidden and hides it again after the first placement or when it ends.

#include <memory>

#include "command/CommandBase.h"

class Draw2dDocument;

namespace QZ2Command {

class DrawComponent2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(DrawComponent2dCommand)
public:
    enum : WORD { itemComponent = 0, itemLayer = 1, itemScale = 2, itemAngle = 3, itemPoint = 4 };
    // The colour, line type and line width a placed component keeps: its parts' own.
    static constexpr int kOwnAttributes = 65535;

    DrawComponent2dCommand();
    ~DrawComponent2dCommand() override;

    void OnDocumentChanging(Draw2dDocument* pPrevious) override;
    void OnDocumentUpdated(const NotifyInfoBase& info) override;
    void OnViewChanged() override;
    void SetupParameters() override;
    BOOL OnStart() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    void OnEnd() override;
    void OnActiveDrawingChanged(long nValue1, long nValue2) override;

    // Fills the drag object with the chosen component's shapes; empties it without one.
    void RebuildPreview();
    BOOL IsBarShownByCommand() const { return m_bBarShown; }

private:
    Draw2dDocument* GetComponentDocument() const;
    void HideBar();

    BOOL m_bBarShown = FALSE;
    BOOL m_bInserting = FALSE;
};

}  // namespace QZ2Command

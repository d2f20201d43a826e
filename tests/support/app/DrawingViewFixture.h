#pragma once
// A drawing view of 400 by 300 pixels in a frame of its own, showing the paper of a new document in the
// program's application object (SharedAppEnvironment), with the command manager working in it and snapping
// to the grid off. Tests drive the view by its window messages.

#include <gtest/gtest.h>

#include "libs/ruva/RuVaPnt2d.h"
#include "platform/afx/CPoint.h"

class CFrameWnd;
class CQZ2Doc;
class CQZ2View;
class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
namespace QZ2Command {
class CommandManager;
}

class DrawingViewFixture : public ::testing::Test
{
public:
    // Lets queued messages and timers that are due run.
    static void Pump();

protected:
    void SetUp() override;
    void TearDown() override;

    static LPARAM At(const CPoint& p) { return MAKELPARAM(p.x, p.y); }
    void Move(const CPoint& p);
    // Moves to the point and clicks the left button there.
    void Click(const CPoint& p);
    CPoint Client(double x, double y) const;
    RuVaPnt2d World(const CPoint& p) const;
    // Adds the shape to the active drawing in an undo step of its own; its record id.
    long AddShape(const Feature2dBase& shape);

    QZ2Command::CommandManager* manager = nullptr;
    CQZ2Doc* doc = nullptr;
    Draw2dDocument* model = nullptr;
    CFrameWnd* frame = nullptr;
    CQZ2View* view = nullptr;
    Draw2dView* d2 = nullptr;
};

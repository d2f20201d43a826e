#include "DrawingViewFixture.h"

#include <QtCore/QCoreApplication>

#include "SharedAppEnvironment.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "platform/afx/CRect.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"

using QZ2Command::CommandManager;

void DrawingViewFixture::Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void DrawingViewFixture::SetUp()
{
    manager = TheApp()->GetCommandManager();
    ASSERT_NE(manager, nullptr);
    doc = new CQZ2Doc;
    doc->m_bAutoDelete = FALSE;
    ASSERT_TRUE(doc->OnNewDocument());
    model = doc->GetDraw2dDocument();
    ASSERT_NE(model, nullptr);
    ASSERT_NE(model->GetActiveDrawingFeature(), nullptr);

    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, u"Drawing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    view = new CQZ2View;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), frame,
                             AFX_IDW_PANE_FIRST, &context));
    view->MoveWindow(0, 0, 400, 300);
    view->m_viewType = ViewTypePaper;
    view->SetDrawingFeature(model->GetActiveDrawingFeature());
    view->SendMessage(WM_INITIALUPDATE);
    view->OnActivateView(TRUE, view, nullptr);
    manager->SetDocument(doc, model);
    CommandManager::SnapOptions options;
    options.bGrid = FALSE;
    manager->SetSnapOptions(options);
    d2 = view->GetDraw2dView();
    ASSERT_EQ(manager->GetActiveView(), d2);
    Pump();
}

void DrawingViewFixture::TearDown()
{
    manager->CancelAllCommands();
    manager->SetActiveDraw2dView(nullptr);
    manager->SetDocument(nullptr, nullptr);
    manager->SetSnapOptions(CommandManager::SnapOptions());
    if (frame != nullptr)
        frame->DestroyWindow();
    Pump();
    delete doc;
}

void DrawingViewFixture::Move(const CPoint& p)
{
    view->SendMessage(WM_MOUSEMOVE, 0, At(p));
}

void DrawingViewFixture::Click(const CPoint& p)
{
    Move(p);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(p));
    view->SendMessage(WM_LBUTTONUP, 0, At(p));
}

CPoint DrawingViewFixture::Client(double x, double y) const
{
    return d2->ConvertPointWorldToClient(RuVaPnt2d(x, y));
}

RuVaPnt2d DrawingViewFixture::World(const CPoint& p) const
{
    return d2->ConvertPointClientToWorld(p, TRUE);
}

long DrawingViewFixture::AddShape(const Feature2dBase& shape)
{
    model->BeginUndoOperation(nullptr);
    const long id = model->AddFeature(&shape, model->GetActiveDrawingFeature(), 1);
    model->EndUndoOperation();
    EXPECT_GT(id, 0);
    Pump();
    return id;
}

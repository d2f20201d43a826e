#pragma once
// A document window as the template makes it: a frame whose view is the tab view, on a new document whose
// first saved tabs are its paper, its two part drawings and the layer table.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "platform/afx/CRect.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"
#include "tests/support/app/RecordingCmdUI.h"

inline void PumpTabEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class TabViewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager = CQZ2App::GetApp()->GetCommandManager();
        ASSERT_NE(manager, nullptr);
        doc = new CQZ2Doc;
        doc->m_bAutoDelete = FALSE;
        ASSERT_TRUE(doc->OnNewDocument());
        model = doc->GetDraw2dDocument();
        manager->SetDocument(doc, model);
    }
    void TearDown() override
    {
        Close();
        for (CFrameWnd* pOther : others)
            pOther->DestroyWindow();
        PumpTabEvents();
        // The windows that went took themselves out of the command manager.
        if (bOpened) {
            EXPECT_EQ(manager->GetActiveTabView(), nullptr);
            EXPECT_EQ(manager->GetActiveView(), nullptr);
        }
        manager->SetDocument(nullptr, nullptr);
        delete doc;
    }
    // A window on the document; the first one is `tabs`, further ones are returned.
    CQZ2TabView* Open()
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CQZ2TabView);
        context.m_pCurrentDoc = doc;
        bOpened = true;
        auto* pFrame = new CFrameWnd;
        EXPECT_TRUE(pFrame->Create(nullptr, u"Drawing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 400),
                                   nullptr, nullptr, 0, &context));
        pFrame->InitialUpdateFrame(doc, TRUE);
        auto* pTabs = dynamic_cast<CQZ2TabView*>(pFrame->GetActiveView());
        EXPECT_NE(pTabs, nullptr);
        if (frame == nullptr) {
            frame = pFrame;
            tabs = pTabs;
        } else {
            others.push_back(pFrame);
        }
        PumpTabEvents();
        return pTabs;
    }
    void Close()
    {
        if (frame != nullptr)
            frame->DestroyWindow();
        frame = nullptr;
        tabs = nullptr;
        PumpTabEvents();
    }
    DrawingFeatureBase* AddPart(LPCTSTR name)
    {
        model->BeginUndoOperation(nullptr);
        const long id = model->AddPartDrawingFeature(name);
        model->EndUndoOperation();
        EXPECT_NE(id, -1);
        return model->ChangeDrawingFeature(id);
    }
    // A component definition (not yet edited); returns it, its component id in *pID.
    DrawComponent2dFeatureDefine* AddComponent(LPCTSTR name, long* pID = nullptr)
    {
        DrawComponent2dFeatureDefine define;
        EXPECT_TRUE(define.SetComponentName(name));
        model->BeginUndoOperation(nullptr);
        const long id = model->AddDrawComponentDefine(define);
        model->EndUndoOperation();
        EXPECT_NE(id, -1);
        if (pID != nullptr)
            *pID = id;
        return model->GetComponentDefineTable()->GetComponentDefine(id);
    }
    CString Label(int nTab) const
    {
        CString label;
        tabs->GetTabControl().GetTabLabel(nTab, label);
        return label;
    }
    int ActiveTab() const { return tabs->GetTabControl().GetActiveTab(); }
    // The view kinds of the tabs in order.
    std::vector<int> Kinds(CQZ2TabView* pTabs = nullptr) const
    {
        CQZ2TabView* p = pTabs != nullptr ? pTabs : tabs;
        std::vector<int> kinds;
        for (int i = 0; i < p->GetTabCount(); ++i)
            kinds.push_back(p->GetTabViewKind(i));
        return kinds;
    }

    QZ2Command::CommandManager* manager = nullptr;
    CQZ2Doc* doc = nullptr;
    Draw2dDocument* model = nullptr;
    CFrameWnd* frame = nullptr;
    CQZ2TabView* tabs = nullptr;
    std::vector<CFrameWnd*> others;
    bool bOpened = false;
};

// A command's state as its update handler leaves it.
using EnableCmdUI = RecordingCmdUI;

#pragma once
// What the structure view tests share: the English language library, an application object that answers
// and records message boxes, a host window, a real document whose change records reach the bar under
// test, and a text picture of a drawing tree to compare with what the document holds.

#include <gtest/gtest.h>

#include <QtCore/QString>

#include <string>
#include <vector>

#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "structure/CDrawingBar.h"

class StructureTestApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        boxes.push_back(QString::fromUtf16(lpszPrompt));
        types.push_back(nType);
        return answer;
    }
    std::vector<QString> boxes;
    std::vector<UINT> types;
    int answer = IDOK;
};

StructureTestApp& TheApp();

class HostWindow : public CWnd
{
public:
    BOOL CreateHost(int width, int height);
};

// The tree as text: items in pre-order, "name" with "*" when bold, "#" with the padlock, "!" with the
// pencil, "~" for a hidden drawing's image; children in braces.
std::string DescribeTree(const CDrawingTreeCtrl& tree);
// What the drawing bar's tree must show for the document, built from the model alone.
std::string ExpectedTree(const Draw2dDocument& doc);

class DrawingBarFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static int OnNotify(NotifyInfoBase* pInfo, void* pUserData);
    // Makes the document the bar's (a kind 1 record).
    void Activate();
    long AddLine(long nDrawingID);
    HTREEITEM Item(long nDrawingID) { return bar.GetTree().FindDrawingItem(nDrawingID); }
    void Select(HTREEITEM hItem) { bar.GetTree().Select(hItem, TVGN_CARET); }
    std::string Tree() { return DescribeTree(bar.GetTree()); }
    std::string Expected() { return ExpectedTree(doc); }

    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
    HostWindow host;
    CDrawingBar bar;
    Draw2dDocument doc;
};

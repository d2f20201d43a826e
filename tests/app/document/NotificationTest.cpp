// Every change of the data model reaches the document's tab views, then the main frame, then the
// command manager; activations and "show features" reach only the tab view in front.

#include <string>
#include <vector>

#include "DocFixture.h"
#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CRect.h"
#include "platform/win/WinMessages.h"

namespace {

struct Record {
    std::string who;
    int kind;
    bool fenceActive;  // the command manager's state when the receiver got the record
    Draw2dDocument* document;
};
std::vector<Record> g_records;

bool FenceActive()
{
    QZ2Command::CommandManager* pManager = TheApp()->GetCommandManager();
    return pManager != nullptr && pManager->IsFenceActive();
}

struct DocumentNotify {
    NMHDR hdr;
    NotifyInfoBase* pInfo;
};

void Take(const std::string& who, LPARAM lParam)
{
    const auto* nm = reinterpret_cast<const DocumentNotify*>(lParam);
    if (nm->hdr.code != 0x8064)
        return;
    g_records.push_back({who, nm->pInfo->GetKind(), FenceActive(), nm->pInfo->GetDocument()});
}

class RecordingTabView : public CQZ2TabView
{
public:
    explicit RecordingTabView(std::string name) : m_name(std::move(name)) {}
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        Take(m_name, lParam);
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    std::string m_name;
};

class RecordingFrame : public CMainFrame
{
public:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        Take("frame", lParam);
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
};

class NotificationTest : public DocFixture
{
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        g_records.clear();
        m_frame = new RecordingFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, u"recording frame"));
        m_savedMain = TheApp()->m_pMainWnd;
        TheApp()->m_pMainWnd = m_frame;
        m_pManager = TheApp()->GetCommandManager();
        ASSERT_NE(m_pManager, nullptr);
    }
    void TearDown() override
    {
        for (auto& [pView, pDoc] : m_views) {
            pDoc->RemoveView(pView);
            pView->DestroyWindow();  // a view deletes itself with its window
        }
        m_views.clear();
        m_pManager->SetDocument(nullptr, nullptr);
        TheApp()->m_pMainWnd = m_savedMain;
        m_frame->DestroyWindow();  // a frame deletes itself with its window
        DocFixture::TearDown();
    }
    RecordingTabView* AddTabView(CQZ2Doc* pDoc, const std::string& name)
    {
        auto* pView = new RecordingTabView(name);
        EXPECT_TRUE(pView->Create(nullptr, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), m_frame,
                                  static_cast<UINT>(1000 + m_views.size())));
        pDoc->AddView(pView);
        m_views.emplace_back(pView, pDoc);
        return pView;
    }

    RecordingFrame* m_frame = nullptr;
    CWnd* m_savedMain = nullptr;
    QZ2Command::CommandManager* m_pManager = nullptr;
    std::vector<std::pair<RecordingTabView*, CQZ2Doc*>> m_views;
};

TEST_F(NotificationTest, AChangeReachesEveryTabViewOfItsDocumentThenTheFrameThenTheCommandManager)
{
    CQZ2Doc* pDoc = NewDocument();
    CQZ2Doc* pOther = NewDocument();
    AddTabView(pDoc, "tab1");
    AddTabView(pOther, "other");
    AddTabView(pDoc, "tab2");
    m_frame->SetActiveView(m_views[0].first, FALSE);
    m_pManager->SetDocument(pDoc, pDoc->GetDraw2dDocument());

    // A layer change: every tab view of the document, in view order, then the frame.
    g_records.clear();
    EXPECT_EQ(pDoc->GetDraw2dDocument()->SendNotify(NotifyInfoBase::kindLayer, NotifyInfoBase::layerNameChanged), 1);
    ASSERT_EQ(g_records.size(), 3u);
    EXPECT_EQ(g_records[0].who, "tab1");
    EXPECT_EQ(g_records[1].who, "tab2");
    EXPECT_EQ(g_records[2].who, "frame");
    for (const Record& r : g_records) {
        EXPECT_EQ(r.kind, NotifyInfoBase::kindLayer);
        EXPECT_EQ(r.document, pDoc->GetDraw2dDocument());
    }

    // An activation in the window in front: that tab view, the frame, then the command manager,
    // which ends the fence only after both have seen the record.
    m_pManager->SetFenceActive(TRUE);
    g_records.clear();
    pDoc->GetDraw2dDocument()->SendNotify(NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingActivated);
    ASSERT_EQ(g_records.size(), 2u);
    EXPECT_EQ(g_records[0].who, "tab1");
    EXPECT_EQ(g_records[1].who, "frame");
    EXPECT_TRUE(g_records[0].fenceActive);
    EXPECT_TRUE(g_records[1].fenceActive);
    EXPECT_FALSE(m_pManager->IsFenceActive());
}

TEST_F(NotificationTest, ActivationsAndShownFeaturesOfADocumentBehindReachNoTabView)
{
    CQZ2Doc* pFront = NewDocument();
    CQZ2Doc* pBehind = NewDocument();
    AddTabView(pFront, "front");
    AddTabView(pBehind, "behind");
    m_frame->SetActiveView(m_views[0].first, FALSE);
    m_pManager->SetDocument(pBehind, pBehind->GetDraw2dDocument());
    m_pManager->SetFenceActive(TRUE);

    g_records.clear();
    pBehind->GetDraw2dDocument()->SendNotify(NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingActivated);
    ASSERT_EQ(g_records.size(), 1u);
    EXPECT_EQ(g_records[0].who, "frame");
    EXPECT_FALSE(m_pManager->IsFenceActive());

    g_records.clear();
    pBehind->GetDraw2dDocument()->ShowFeatures({1, 2});
    ASSERT_EQ(g_records.size(), 1u);
    EXPECT_EQ(g_records[0].who, "frame");

    g_records.clear();
    pFront->GetDraw2dDocument()->ShowFeatures({1});
    ASSERT_EQ(g_records.size(), 2u);
    EXPECT_EQ(g_records[0].who, "front");
    EXPECT_EQ(g_records[0].kind, NotifyInfoBase::kindShowFeatures);
}

TEST_F(NotificationTest, ARecordForSomethingThatIsNoDocumentIsIgnored)
{
    CQZ2Doc* pDoc = NewDocument();
    AddTabView(pDoc, "tab");
    NotifyInfoBase info(nullptr, NotifyInfoBase::kindFeature, NotifyInfoBase::featureAdded);
    CMainFrame notADocument;
    EXPECT_EQ(CQZ2Doc::OnModelNotify(&info, &notADocument), 0);
    EXPECT_EQ(CQZ2Doc::OnModelNotify(&info, nullptr), 0);
    EXPECT_TRUE(g_records.empty());
    // The document's own record names its data model.
    EXPECT_EQ(CQZ2Doc::OnModelNotify(&info, pDoc), 1);
    EXPECT_EQ(info.GetDocument(), pDoc->GetDraw2dDocument());
    EXPECT_EQ(g_records.size(), 2u);
}

}  // namespace

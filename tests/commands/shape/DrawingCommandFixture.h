#pragma once
// The drawing commands' fixture: the real manager over a real document and view (ManagerFixture), with
// snapping off, the reasons told in the status bar caught through the shell's hook, the document's
// current attributes set apart from the defaults, and helpers to start a command, click, type, read the
// shapes made and compare a preview with the picture of the shape that a click makes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QString>

#include "command/CommandManager.h"
#include "command/DoubleParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/RegistryManager.h"
#include "platform/win/Registry.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "platform/afx/ResourceModule.h"
#include "tests/support/command/ManagerFixture.h"

namespace kctest {

// The language library of the code, loaded once for the test program and made the resource handle.
inline ResourceModule* UseLanguage(const char16_t* code)
{
    static ResourceModule* s_modules[2] = {nullptr, nullptr};
    const int slot = std::u16string(code) == u"JPN" ? 1 : 0;
    if (s_modules[slot] == nullptr)
        s_modules[slot] = AfxLoadLanguageModule(QString(KC_TEST_RESOURCE_DIR).toStdU16String(), code).pModule;
    AfxSetResourceHandle(s_modules[slot]);
    return s_modules[slot];
}

class DrawingCommandFixture : public ManagerFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NE(UseLanguage(u"ENG"), nullptr);
        // Choices remembered by an earlier test of this program are not loaded: the settings carry no
        // program version until a test writes one.
        RegistryManager(HKEY_CURRENT_USER).WriteProfileString(_T("Version"), nullptr, nullptr);
        ManagerFixture::SetUp();
        view.SetGridVisible(FALSE);
        SetSnap(FALSE);
        layer = doc.AddLayer(_T("Outline"), -1);
        ASSERT_NE(layer, -1);
        ASSERT_TRUE(doc.SetCurrentLayerID(layer, 0));
        ASSERT_TRUE(doc.SetCurrentColorNo(5, 0));
        ASSERT_TRUE(doc.SetCurrentLineTypeNo(2, 0));
        ASSERT_TRUE(doc.SetCurrentLineWidthNo(4, 0));
        doc.ClearUndoRedoHistory();
        saved = CommandManager::GetShellServices();
        CommandManager::ShellServices shell = saved;
        shell.pfnGetMainFrame = [] { return reinterpret_cast<CMainFrame*>(&Messages()); };
        shell.pfnSetStatusInformation = [](CMainFrame*, const CString& text, UINT duration) {
            Messages().push_back(text);
            EXPECT_EQ(duration, 3000u);
        };
        CommandManager::SetShellServices(shell);
        Messages().clear();
    }
    void TearDown() override
    {
        ManagerFixture::TearDown();
        CommandManager::SetShellServices(saved);
        Messages().clear();
    }

    // Texts shown in the status bar since the test began (or since the last Messages().clear()).
    static std::vector<CString>& Messages()
    {
        static std::vector<CString> messages;
        return messages;
    }
    static CString Text(UINT id) { return LoadResourceString(id); }

    QZ2Command::CommandBase* Start(UINT nCommandID)
    {
        EXPECT_TRUE(manager.ExecuteCommand(nCommandID));
        return manager.GetActiveCommand();
    }
    QZ2Command::CommandBase* Running() const { return manager.GetActiveCommand(); }

    // A value typed into the row of a parameter, then the command runs.
    void Type(int index, double value)
    {
        QZ2Command::CommandBase* pCommand = Running();
        ASSERT_NE(pCommand, nullptr);
        auto* pItem = dynamic_cast<QZ2Command::DoubleParameterItem*>(pCommand->GetParameterItem(index));
        ASSERT_NE(pItem, nullptr) << "parameter " << index << " takes no number";
        pItem->SetValue(value);
        manager.RunActiveCommand(index, TRUE);
    }
    // Where a click at the point lands (the point rounded to its pixel).
    RuVaPnt2d Landed(const RuVaPnt2d& w) const { return view.ConvertPointClientToWorld(C(w), TRUE); }

    template <class T>
    std::vector<const T*> Shapes() const
    {
        std::vector<const T*> shapes;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id)) {
            if (const auto* p = dynamic_cast<const T*>(doc.GetFeature(id)))
                shapes.push_back(p);
        }
        return shapes;
    }
    void ExpectCurrentAttributes(const Feature2dBase* pShape) const
    {
        ASSERT_NE(pShape, nullptr);
        EXPECT_EQ(pShape->GetColorNo(), 5);
        EXPECT_EQ(pShape->GetLineTypeNo(), 2);
        EXPECT_EQ(pShape->GetLineWidthNo(), 4);
        EXPECT_EQ(pShape->GetLayerID(), layer);
    }

    // A fresh picture of the document without overlays.
    QImage Render()
    {
        view.UpdateView(0, 1);
        view.DrawView(nullptr);
        const QImage* pFrame = view.GetFrame();
        return pFrame != nullptr ? pFrame->copy() : QImage();
    }
    QImage Frame() const
    {
        const QImage* pFrame = view.GetFrame();
        return pFrame != nullptr ? pFrame->copy() : QImage();
    }
    // The cursor resting at the point (no snapping, no cursor marks): the command's preview alone.
    QImage PreviewAt(const RuVaPnt2d& w)
    {
        const RuVaPnt2d world = Landed(w);
        RuVaPnt2d local = world;
        manager.WorldToLocalPoint(world, local);
        view.RestoreView();
        manager.SetCursorPoints(world, local);
        Running()->DrawPreview(C(world), world, local, 0);
        QImage preview = Frame();
        view.RestoreView();
        return preview;
    }
    // The preview at the point, then the click there: the picture of the document with the new shapes
    // (nShapes of them) must be the preview pixel for pixel. The shapes stay.
    void ExpectPreviewIsTheClickedShape(const RuVaPnt2d& w, long nShapes = 1)
    {
        const QImage before = Render();
        const QImage preview = PreviewAt(w);
        ASSERT_FALSE(preview.isNull());
        EXPECT_NE(preview, before) << "nothing previewed";
        const long count = doc.GetFeatureCount();
        Click(w);
        ASSERT_EQ(doc.GetFeatureCount(), count + nShapes) << "the click made other shapes";
        EXPECT_TRUE(Render() == preview) << "the preview differs from the shape made";
    }

    // The program ended and started again over the same document and view: the settings carry a program
    // version that loads what this run remembers, the manager saves its choices as it shuts down, and a new
    // manager takes over. The caller shuts the new one down (EndRestarted).
    std::unique_ptr<CommandManager> Restarted()
    {
        RegistryManager registry(HKEY_CURRENT_USER);
        registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
        registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
        manager.CancelAllCommands();
        manager.Shutdown();
        auto next = std::make_unique<CommandManager>();
        next->SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
        next->SetActiveDraw2dView(&view);
        return next;
    }
    static void EndRestarted(CommandManager& next)
    {
        next.CancelAllCommands();
        next.SetActiveDraw2dView(nullptr);
        next.Shutdown();
    }

    long layer = -1;
    CommandManager::ShellServices saved;
};

}  // namespace kctest

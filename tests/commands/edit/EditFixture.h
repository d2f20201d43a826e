#pragma once
// The edit commands run by the real command manager over a real document in an offscreen view: shapes
// chosen by pre-selection or handed to the shapes item as a pick would, points and values given through
// the manager's setters (so the command's own checks run), message boxes and status texts recorded, and
// the document compared whole with a copy taken before the run.

#include <memory>
#include <string>
#include <vector>

#include <QtCore/QString>

#include "tests/libs/vevure/document/DocumentCompare.h"
#include "tests/support/command/ManagerFixture.h"

#include "command/AngleParameterItem.h"
#include "command/CommandBase.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWinApp.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/SelectionManager.h"

namespace kctest {

// An identifier for test traces.
inline std::string Narrow(LPCTSTR text)
{
    return QString::fromUtf16(text).toStdString();
}

// Answers every message box with OK and keeps its text.
class MessageRecorder : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        texts.push_back(CString(lpszPrompt));
        types.push_back(nType);
        return IDOK;
    }
    std::vector<CString> texts;
    std::vector<UINT> types;
};

class EditFixture : public ManagerFixture
{
protected:
    using CommandBase = QZ2Command::CommandBase;

    void SetUp() override
    {
        // Prompts and messages come from the English language library, as in the program.
        english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        ASSERT_NE(english.pModule, nullptr) << "no English language library in the resource folder";
        previous = AfxGetResourceHandle();
        AfxSetResourceHandle(english.pModule);
        ManagerFixture::SetUp();
        statusTexts().clear();
        QZ2Command::CommandManager::ShellServices shell;
        // The manager needs some main frame to hand the status text to; no frame is touched.
        shell.pfnGetMainFrame = [] { return reinterpret_cast<CMainFrame*>(&statusTexts()); };
        shell.pfnSetStatusInformation = [](CMainFrame*, const CString& text, UINT) { statusTexts().push_back(text); };
        // A progress display that the test cancels after a given number of message pumps.
        progress() = Progress();
        shell.pfnShowProgress = [](CMainFrame*, BOOL bShow, int, BOOL, int, int, BOOL, BOOL) {
            progress().shown += bShow ? 1 : 0;
            progress().position = 0;
        };
        shell.pfnSetProgressText = [](CMainFrame*, const CString& text) { progress().texts.push_back(text); };
        shell.pfnSetProgressPos = [](CMainFrame*, int pos) {
            progress().position = pos;
            return TRUE;
        };
        shell.pfnGetProgressPos = [](CMainFrame*) { return progress().position; };
        shell.pfnPumpProgressMessages = [](CMainFrame*) { ++progress().pumps; };
        shell.pfnIsProgressCancelled = [](CMainFrame*) {
            return progress().cancelAfterPumps >= 0 && progress().pumps >= progress().cancelAfterPumps ? TRUE : FALSE;
        };
        QZ2Command::CommandManager::SetShellServices(shell);
        // Shapes go to a layer of their own, editable whichever layer is current later.
        baseLayer = doc.AddLayer(_T("Base"), -1);
        ASSERT_NE(baseLayer, -1);
        ASSERT_TRUE(doc.SetCurrentLayerID(baseLayer, 0));
        doc.ClearUndoRedoHistory();
    }
    void TearDown() override
    {
        ManagerFixture::TearDown();
        QZ2Command::CommandManager::SetShellServices(QZ2Command::CommandManager::ShellServices());
        AfxSetResourceHandle(previous);
        if (english.pModule != nullptr)
            AfxFreeResourceModule(english.pModule);
    }

    struct Progress {
        int shown = 0;
        int position = 0;
        int pumps = 0;
        int cancelAfterPumps = -1;  // -1: never
        std::vector<CString> texts;
    };
    static Progress& progress()
    {
        static Progress state;
        return state;
    }
    static std::vector<CString>& statusTexts()
    {
        static std::vector<CString> texts;
        return texts;
    }

    // Adds the shape in a step of its own; a shape on no layer goes to the current one, so it is editable.
    long Add(const Feature2dBase& shape)
    {
        std::unique_ptr<Feature2dBase> copy(shape.CopyObject());
        if (copy->GetLayerID() == -1)
            copy->SetLayerID(doc.GetCurrentLayerID());
        return ManagerFixture::Add(*copy);
    }

    CommandBase* Start(LPCTSTR identifier)
    {
        EXPECT_TRUE(manager.StartCommand(CString(identifier))) << Narrow(identifier);
        return manager.GetActiveCommand();
    }
    CommandBase* Running() const { return manager.GetActiveCommand(); }
    int IndexOf(WORD id) const { return Running() != nullptr ? Running()->FindParameterIndex(id) : -1; }

    // The document's selection as a pick of each shape would leave it.
    void Preselect(const std::vector<long>& ids)
    {
        CArray<FeatureLayout> records;
        for (long id : ids)
            records.Add(FeatureLayout(id, -1, -1));
        doc.GetSelectionManager()->UnselectAll(FALSE);
        doc.GetSelectionManager()->SelectFeatures(records, 4, nullptr, FALSE);
    }
    // The shapes handed to the shapes item as one selection group; the command runs.
    BOOL GiveShapes(WORD id, const std::vector<long>& ids, long nLayoutID = -1)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        QZ2Command::FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        for (long rec : ids)
            records.Add(FeatureLayout(rec, nLayoutID, -1));
        value.AddGroup(records, 4, nullptr, 0);
        return manager.SetFeatureGroupParameter(index, value, TRUE, TRUE);
    }
    BOOL GivePoint(WORD id, const RuVaPnt2d& local)
    {
        QZ2Command::PointParameterItem value;
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(local);
        return manager.SetPointParameter(index, value, TRUE);
    }
    BOOL GiveAngle(WORD id, double degrees)
    {
        QZ2Command::AngleParameterItem value;
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(degrees);
        return manager.SetAngleParameter(index, value, TRUE);
    }
    BOOL GiveScale(WORD id, double x, double y)
    {
        QZ2Command::ScaleParameterItem value;
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        value.Copy(*Running()->GetParameterItem(index));
        if (!value.SetValue(x, y))
            return FALSE;
        return manager.SetScaleParameter(index, value, TRUE);
    }

    // One shape picked at a world point, as a click on it would give it.
    BOOL GivePick(WORD id, long record, const RuVaPnt2d& pick, long nLayoutID = -1)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        QZ2Command::FeatureParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(FeatureLayout(record, nLayoutID, -1), pick);
        return manager.SetFeatureParameter(index, value, TRUE);
    }
    BOOL GiveDistance(WORD id, double length)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        QZ2Command::LengthParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(length);
        return manager.SetLengthParameter(index, value, TRUE);
    }
    BOOL GiveChoice(WORD id, int choice)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        QZ2Command::ListParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        if (!value.SetValue(choice))
            return FALSE;
        return manager.SetListParameter(index, value, TRUE);
    }

    // A copy of the document read back from its archive, to compare with later.
    std::unique_ptr<Draw2dDocument> Snapshot() const
    {
        CMemFile file;
        DrawViewInfo views;
        {
            CArchive ar(&file, CArchive::store);
            doc.SaveToArchive(ar, views, 0);
        }
        file.SeekToBegin();
        auto copy = std::make_unique<Draw2dDocument>();
        CArchive ar(&file, CArchive::load);
        CString msg;
        copy->LoadFromArchive(ar, views, msg);
        return copy;
    }
    bool SameAs(const Draw2dDocument& before, const char* what) const
    {
        return DocumentCompare::ExpectSame(doc, before, what);
    }

    std::vector<long> LiveIDs() const
    {
        std::vector<long> ids;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            ids.push_back(id);
        return ids;
    }

    MessageRecorder boxes;
    long baseLayer = -1;
    LanguageModuleResult english;
    ResourceModule* previous = nullptr;
};

}  // namespace kctest

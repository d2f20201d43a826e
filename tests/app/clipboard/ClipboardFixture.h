#pragma once
// The real program with helpers for clipboard tests: shapes added and selected, Copy and Cut run with a
// base point, a point given to the running command as a click would, and the copy read back from the
// clipboard as a paste reads it.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QMimeData>
#include <QtCore/QRegularExpression>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2OleDataSource.h"
#include "app/CQZ2SrvrItem.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/AngleParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "commands/edit/ClipDocument.h"
#include "commands/edit/ClipboardPaste2dCommand.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/ole/COleDataSource.h"
#include "platform/win/WinClipboard.h"

namespace kctest {

constexpr UINT kCopyID = 57634;
constexpr UINT kCutID = 57635;
constexpr UINT kPasteID = 57637;
constexpr UINT kUndoID = 57643;
constexpr UINT kEndCommandID = 37101;

using QZ2Command::ClipDocument;

inline QString NativeMime()
{
    return QStringLiteral("application/x-korvancad-") + QString::fromLatin1(QUrl::toPercentEncoding("Rivedi VEZ Drawing Data"));
}

class ClipboardFixture : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_app->SetSnapEnabled(FALSE);
        m_app->SetSnapAngularEnabled(FALSE);
        if (m_bClearClipboard)
            QGuiApplication::clipboard()->clear();
    }
    // Each test starts from an empty clipboard, unless it reads what another program put there.
    bool m_bClearClipboard = true;

    CQZ2Doc* NewDrawingWithLayer(long* pLayer = nullptr)
    {
        CQZ2Doc* doc = NewDrawing();
        if (doc == nullptr)
            return nullptr;
        Draw2dDocument* model = doc->GetDraw2dDocument();
        const long layer = model->AddLayer(_T("Work"), -1);
        model->SetCurrentLayerID(layer, 1);
        model->ClearUndoRedoHistory();
        if (pLayer != nullptr)
            *pLayer = layer;
        return doc;
    }
    static long AddLine(Draw2dDocument* model, const RuVaPnt2d& a, const RuVaPnt2d& b, long layer = -2)
    {
        Line2dFeature l(a, b);
        l.SetLayerID(layer == -2 ? model->GetCurrentLayerID() : layer);
        return model->AddFeature(&l, model->GetActiveDrawingFeature(), 1);
    }
    static void SelectThrough(Draw2dDocument* model, const std::vector<FeatureLayout>& records)
    {
        CArray<FeatureLayout> list;
        for (const FeatureLayout& r : records)
            list.Add(r);
        model->GetSelectionManager()->UnselectAll(FALSE);
        model->GetSelectionManager()->SelectFeatures(list, 4, nullptr, FALSE);
    }
    static void Select(Draw2dDocument* model, const std::vector<long>& ids)
    {
        std::vector<FeatureLayout> records;
        for (long id : ids)
            records.emplace_back(id, -1, -1);
        SelectThrough(model, records);
    }
    // The running command's point item gets the point as a click there would give it.
    bool GivePoint(WORD id, const RuVaPnt2d& local)
    {
        QZ2Command::CommandBase* pCommand = m_manager->GetActiveCommand();
        if (pCommand == nullptr)
            return false;
        const int index = pCommand->FindParameterIndex(id);
        if (index < 0)
            return false;
        QZ2Command::PointParameterItem value;
        value.Copy(*pCommand->GetParameterItem(index));
        value.SetValue(local);
        const bool done = m_manager->SetPointParameter(index, value, TRUE) != FALSE;
        Pump();
        return done;
    }
    // Copy or Cut of the selection with the base point; the command ends.
    bool CopySelection(UINT nID, const RuVaPnt2d& base)
    {
        Command(nID);
        const bool done = GivePoint(1, base);
        Command(kEndCommandID);
        return done;
    }
    // The clip on the clipboard as a paste reads it.
    static std::unique_ptr<ClipDocument> ClipOnClipboard()
    {
        const QByteArray bytes = QGuiApplication::clipboard()->mimeData()->data(NativeMime());
        return std::unique_ptr<ClipDocument>(
            ClipDocument::ReadNativeData(reinterpret_cast<const BYTE*>(bytes.constData()), bytes.size()));
    }
    static std::vector<const Line2dFeature*> Lines(const Draw2dDocument* model)
    {
        std::vector<const Line2dFeature*> lines;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            if (auto* l = dynamic_cast<const Line2dFeature*>(model->GetFeature(id)))
                lines.push_back(l);
        return lines;
    }
    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const auto& box : m_app->boxes)
            texts.push_back(box.text);
        return texts;
    }
};

}  // namespace kctest

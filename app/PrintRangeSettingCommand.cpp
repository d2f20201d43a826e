#include "app/PrintRangeSettingCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PrintRangeSettingCommand, CommandBase)

namespace {

constexpr UINT kFirstCaption = 10730;
constexpr UINT kFirstPrompt = 11107;
constexpr UINT kSecondCaption = 10731;
constexpr UINT kSecondPrompt = 11108;
constexpr double kTolerance = 1e-7;

}  // namespace

void PrintRangeSettingCommand::SetupParameters()
{
    const struct {
        WORD id;
        UINT caption;
        UINT prompt;
    } corners[] = {{itemFirstCorner, kFirstCaption, kFirstPrompt}, {itemSecondCorner, kSecondCaption, kSecondPrompt}};
    for (const auto& c : corners) {
        PointParameterItem point;
        point.SetId(c.id);
        point.SetCaption(c.caption);
        point.m_strPrompt = LoadResourceString(c.prompt);
        auto pParameter = std::make_unique<CommandParameter>();
        const int index = pParameter->AddItem(point);
        if (index < 0 || !pParameter->SetCurrentIndex(index))
            continue;
        const BOOL bAdded = m_pManager != nullptr ? m_pManager->AddParameter(this, pParameter.get())
                                                  : (AddParameter(pParameter.get()) >= 0 ? TRUE : FALSE);
        if (bAdded)
            pParameter.release();
    }
}

BOOL PrintRangeSettingCommand::OnStart()
{
    m_pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (m_pView == nullptr)
        return FALSE;
    m_pView->SetPrintRangeVisible(TRUE);
    return TRUE;
}

int PrintRangeSettingCommand::OnInput(int)
{
    const ParameterItemBase* pFirst = FindItem(itemFirstCorner);
    const ParameterItemBase* pSecond = FindItem(itemSecondCorner);
    if (pFirst == nullptr || pSecond == nullptr || pFirst->IsEmpty() || pSecond->IsEmpty())
        return resultMissing;
    RuVaPnt2d a, b;
    if (!GetPointValue(*pFirst, a, TRUE) || !GetPointValue(*pSecond, b, TRUE))
        return resultMissing;
    // Corners on one line (equal ones included) give a range of no width or height: refused.
    if (std::fabs(a.X() - b.X()) <= kTolerance || std::fabs(a.Y() - b.Y()) <= kTolerance)
        return resultNothing;
    Draw2dDocument* pModel = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    const DrawingFeatureBase* pDrawing = m_pView != nullptr ? m_pView->GetDrawingFeature() : nullptr;
    if (pModel == nullptr || pDrawing == nullptr)
        return resultNothing;
    RuVaPnt2d wa = a, wb = b;
    m_pManager->LocalToWorldPoint(a, wa);
    m_pManager->LocalToWorldPoint(b, wb);
    RuVaBndBox2d range;
    range.Update(wa.X(), wa.Y());
    range.Update(wb.X(), wb.Y());
    pModel->BeginUndoOperation();
    pModel->SetDrawingPrintRange(pDrawing->GetDrawingID(), range);
    pModel->EndUndoOperation();
    // The page setup that asked for the range comes back.
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->PostMessage(WM_COMMAND, ID_FILE_PAGE_SETUP);
    return resultFinished;
}

void PrintRangeSettingCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    PointParameterItem first, second;
    RuVaPnt2d a, b;
    if (!GetParameterValue(0, first) || !GetPointValue(first, a, TRUE))
        return;
    if (!GetParameterValue(1, second) || !GetPointValue(second, b, TRUE))
        return;
    DrawRubberbandRectangle(a, b);
}

void PrintRangeSettingCommand::OnEnd()
{
    if (m_pView != nullptr)
        m_pView->SetPrintRangeVisible(FALSE);
    m_pView = nullptr;
    CommandBase::OnEnd();
}

}  // namespace QZ2Command

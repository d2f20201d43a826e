#include "property/PropertyEdit2dCommand.h"

#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/ParameterItemBase.h"
#include "command/PointParameterItem.h"
#include "command/PropertyListItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "property/CPropertyBar.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PropertyEdit2dCommand, CommandBase)

PropertyEdit2dCommand::PropertyEdit2dCommand()
{
    // The bar keeps its objects: the selection stays, and one value ends the command.
    m_bClearSelection = FALSE;
    m_bEndAfterRun = TRUE;
}

PropertyEdit2dCommand::~PropertyEdit2dCommand() = default;

int PropertyEdit2dCommand::GetValueType() const
{
    if (m_strIdentifier == CString(u"Korvan.Property.EditPoint"))
        return ParameterItemBase::typePoint;
    if (m_strIdentifier == CString(u"Korvan.Property.EditLength"))
        return ParameterItemBase::typeLength;
    if (m_strIdentifier == CString(u"Korvan.Property.EditAngle"))
        return ParameterItemBase::typeAngle;
    return 0;
}

void PropertyEdit2dCommand::SetupParameters()
{
    std::unique_ptr<ParameterItemBase> pItem;
    switch (GetValueType()) {
    case ParameterItemBase::typePoint:
        pItem = std::make_unique<PointParameterItem>();
        pItem->SetId(0);
        pItem->SetCaption(10729);
        break;
    case ParameterItemBase::typeLength:
        pItem = std::make_unique<LengthParameterItem>();
        pItem->SetId(1);
        pItem->SetCaption(10714);
        pItem->m_bHistory = TRUE;
        break;
    case ParameterItemBase::typeAngle:
        pItem = std::make_unique<AngleParameterItem>();
        pItem->SetId(2);
        pItem->SetCaption(10707);
        break;
    default:
        return;
    }
    auto pParameter = std::make_unique<CommandParameter>();
    if (pParameter->AddItem(*pItem) < 0 || !pParameter->SetCurrentIndex(0))
        return;
    const BOOL bAdded = m_pManager != nullptr ? m_pManager->AddParameter(this, pParameter.get())
                                              : (AddParameter(pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bAdded)
        pParameter.release();
}

BOOL PropertyEdit2dCommand::OnStart()
{
    CPropertyBar* pBar = CPropertyBar::FromManager(m_pManager);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    PropertyListItem* pRow = pBar->GetCurrentRow();
    if (pRow == nullptr || pRow->GetValueItem() == nullptr)
        return FALSE;
    const CString caption = pRow->GetCaption();
    m_strDisplayName = LoadResourceString(11109) + caption + LoadResourceString(11110);
    if (ParameterItemBase* pItem = GetParameterItem(0))
        pItem->m_strCaption = caption;
    m_wTargetId = static_cast<WORD>(pBar->GetSelectedPropertyId());
    return TRUE;
}

int PropertyEdit2dCommand::OnInput(int)
{
    const ParameterItemBase* pPicked = GetParameterItem(0);
    if (pPicked == nullptr || pPicked->IsEmpty())
        return 2;
    std::unique_ptr<ParameterItemBase> pValue(pPicked->Clone());
    pValue->SetId(m_wTargetId);
    CPropertyBar* pBar = CPropertyBar::FromManager(m_pManager);
    if (pBar == nullptr)
        return 4;
    if (!pBar->ApplyPropertyItem(pValue.get())) {
        // Nobody took it: say so, and stay for another pick.
        if (m_pManager != nullptr)
            m_pManager->ShowStatusInformation(LoadResourceString(kValueRefused));
        return 3;
    }
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    if (shell.pfnGetMainFrame != nullptr && shell.pfnShowPropertyBar != nullptr)
        if (CMainFrame* pFrame = shell.pfnGetMainFrame())
            shell.pfnShowPropertyBar(pFrame, TRUE);
    return 0;
}

}  // namespace QZ2Command

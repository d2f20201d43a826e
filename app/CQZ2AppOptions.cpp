// The application's side of the options dialog: what settings/ asks of it through OptionsServices, and
// applying new options to the open drawings' views.

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/SystemEnvironment.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CTypedPtrArray.h"
#include "settings/COptionsTreeDialog.h"
#include "settings/OptionsServices.h"

namespace {

BOOL LoadOptions(COptionsTreeDialog* pDialog)
{
    CQZ2App* pApp = CQZ2App::GetApp();
    if (pApp == nullptr || pApp->GetSystemEnvironment() == nullptr || pDialog == nullptr)
        return FALSE;
    return pDialog->SetSystemEnvironment(pApp->GetSystemEnvironment());
}

BOOL ApplyOptions(COptionsTreeDialog* pDialog)
{
    CQZ2App* pApp = CQZ2App::GetApp();
    if (pApp == nullptr || pApp->GetSystemEnvironment() == nullptr || pDialog == nullptr)
        return FALSE;
    SystemEnvironment options(*pApp->GetSystemEnvironment());
    pDialog->GetSystemEnvironment(&options);
    const BOOL bApplied = pApp->SetSystemEnvironment(options);
    // Saved at once as well as at exit, so that a crash after OK keeps them.
    pApp->GetSystemEnvironment()->Save();
    return bApplied;
}

QZ2Command::CommandManager* AppCommandManager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

CString AppLanguageCode()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetLanguageCode() : CString();
}

}  // namespace

void CQZ2App::RegisterOptionsServices(BOOL bRegister)
{
    OptionsServices services;
    if (bRegister) {
        services.pfnLoadOptions = &LoadOptions;
        services.pfnApplyOptions = &ApplyOptions;
        services.pfnGetCommandManager = &AppCommandManager;
        services.pfnGetLanguageCode = &AppLanguageCode;
    }
    OptionsServices::Set(services);
}

void CQZ2App::ApplyOptionsToViews(const SystemEnvironment& old, const SystemEnvironment& now)
{
    CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
    GetOpenDocuments(documents);
    for (INT_PTR d = 0; d < documents.GetSize(); ++d) {
        CObArray views;
        documents[d]->GetTabViews(views);
        for (INT_PTR v = 0; v < views.GetSize(); ++v) {
            auto* pTabs = static_cast<CQZ2TabView*>(views[v]);
            if (pTabs == nullptr)
                continue;
            if (old.GetRenderingMode() != now.GetRenderingMode())
                pTabs->SetGraphicsMode(now.GetRenderingMode());
            if (old.m_PaperColor != now.m_PaperColor)
                pTabs->SetPaperColor(now.m_PaperColor);
            if (old.m_PaperBackColor1 != now.m_PaperBackColor1 || old.m_PaperBackColor2 != now.m_PaperBackColor2)
                pTabs->SetPaperBackColor(now.m_PaperBackColor1, now.m_PaperBackColor2);
            if (old.m_PartBackColor != now.m_PartBackColor)
                pTabs->SetPartBackColor(now.m_PartBackColor);
            if (old.m_ComponentEditerBackColor != now.m_ComponentEditerBackColor)
                pTabs->SetComponentEditerBackColor(now.m_ComponentEditerBackColor);
            if (old.m_SelectionColor != now.m_SelectionColor)
                pTabs->SetSelectedFeatureColor(now.m_SelectionColor);
            if (old.m_LineSmoothMode != now.m_LineSmoothMode)
                pTabs->SetLineSmoothMode(now.m_LineSmoothMode);
            if (old.m_LayoutRegionVisible != now.m_LayoutRegionVisible)
                pTabs->SetLayoutRegionVisible(now.m_LayoutRegionVisible);
            if (old.m_GreekTextSize != now.m_GreekTextSize)
                pTabs->SetGreekTextSize(static_cast<int>(now.m_GreekTextSize));
            if (old.m_TableViewThumbnailBackColor != now.m_TableViewThumbnailBackColor)
                pTabs->SetTableViewThumbnailBackColor(now.m_TableViewThumbnailBackColor);
        }
    }
}

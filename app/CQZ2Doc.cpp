#include "app/CQZ2Doc.h"

#include "app/CQZ2App.h"
#include "app/DrawEnvironment.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"

IMPLEMENT_DYNCREATE(CQZ2Doc, COleServerDoc)

CQZ2Doc::CQZ2Doc() = default;

CQZ2Doc::~CQZ2Doc()
{
    delete m_pDraw2dDocument;
}

BOOL CQZ2Doc::OnNewDocument()
{
    if (!COleServerDoc::OnNewDocument())
        return FALSE;
    delete m_pDraw2dDocument;
    m_pDraw2dDocument = new Draw2dDocument(this);
    if (CQZ2App* pApp = CQZ2App::GetApp()) {
        const DrawEnvironment* pEnvironment = pApp->GetDrawEnvironment();
        if (pEnvironment != nullptr && pEnvironment->GetColorFeatureTable() != nullptr) {
            m_pDraw2dDocument->SetColorFeatureTable(*pEnvironment->GetColorFeatureTable(), 1);
            m_pDraw2dDocument->SetLineTypeFeatureTable(*pEnvironment->GetLineTypeFeatureTable(), 1);
            m_pDraw2dDocument->SetLineWidthFeatureTable(*pEnvironment->GetLineWidthFeatureTable(), 1);
        }
    }
    return TRUE;
}

void CQZ2Doc::DeleteContents()
{
    delete m_pDraw2dDocument;
    m_pDraw2dDocument = nullptr;
    COleServerDoc::DeleteContents();
}

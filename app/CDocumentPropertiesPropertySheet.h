#pragma once
// File > Properties: the sheet of a drawing's file facts, summary texts and user-defined
// properties. It edits copies; the caller stores them back (StoreTo) only after OK. The sheet
// reopens on the page that was in front when the last one closed.

#include "app/CFileInfoPropertyPage.h"
#include "app/CSummaryInfoPropertyPage.h"
#include "app/CUserDefinedPropertiesPropertyPage.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CButton.h"
#include "platform/win/CPropertySheet.h"

class CQZ2Doc;
class QZ2DocumentProperties;

class CDocumentPropertiesPropertySheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CDocumentPropertiesPropertySheet)
public:
    // A start page of -1 is the page shown last.
    explicit CDocumentPropertiesPropertySheet(CWnd* pParentWnd = nullptr, int nStartPage = -1);
    ~CDocumentPropertiesPropertySheet() override;

    void SetDocument(CQZ2Doc* pDocument);
    BOOL StoreTo(QZ2DocumentProperties& properties);

    BOOL OnInitDialog() override;

    static int GetLastPropertyPage() { return s_nLastPropertyPage; }

    CFileInfoPropertyPage m_filePage;
    CSummaryInfoPropertyPage m_summaryPage;
    CUserDefinedPropertiesPropertyPage m_userDefinedPage;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnDestroy();

    CButton m_helpButton;
    CBitmap m_helpImage;
    CQZ2Doc* m_pDocument = nullptr;

    static int s_nLastPropertyPage;
};

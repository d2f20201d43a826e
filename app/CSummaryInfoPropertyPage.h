#pragma once
// The summary page of the document properties sheet (template 611): the eight descriptive texts of
// the drawing.

#include "platform/afx/CString.h"
#include "platform/win/CPropertyPage.h"

class QZ2DocumentProperties;

class CSummaryInfoPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CSummaryInfoPropertyPage)
public:
    enum { IDD = 611 };

    CSummaryInfoPropertyPage();
    ~CSummaryInfoPropertyPage() override;

    void LoadFrom(const QZ2DocumentProperties& properties);
    void StoreTo(QZ2DocumentProperties& properties) const;

    CString m_strTitle;
    CString m_strSubject;
    CString m_strAuthor;
    CString m_strManager;
    CString m_strCompany;
    CString m_strCategory;
    CString m_strKeywords;
    CString m_strComments;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

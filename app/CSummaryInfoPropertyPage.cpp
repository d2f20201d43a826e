#include "app/CSummaryInfoPropertyPage.h"

#include "app/QZ2DocumentProperties.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"

IMPLEMENT_DYNAMIC(CSummaryInfoPropertyPage, CPropertyPage)

CSummaryInfoPropertyPage::CSummaryInfoPropertyPage() : CPropertyPage(IDD) {}
CSummaryInfoPropertyPage::~CSummaryInfoPropertyPage() = default;

void CSummaryInfoPropertyPage::LoadFrom(const QZ2DocumentProperties& p)
{
    m_strTitle = p.m_strTitle;
    m_strSubject = p.m_strSubject;
    m_strAuthor = p.m_strAuthor;
    m_strManager = p.m_strManager;
    m_strCompany = p.m_strCompany;
    m_strCategory = p.m_strCategory;
    m_strKeywords = p.m_strKeywords;
    m_strComments = p.m_strComments;
}

void CSummaryInfoPropertyPage::StoreTo(QZ2DocumentProperties& p) const
{
    p.m_strTitle = m_strTitle;
    p.m_strSubject = m_strSubject;
    p.m_strAuthor = m_strAuthor;
    p.m_strManager = m_strManager;
    p.m_strCompany = m_strCompany;
    p.m_strCategory = m_strCategory;
    p.m_strKeywords = m_strKeywords;
    p.m_strComments = m_strComments;
}

void CSummaryInfoPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1008, m_strTitle);
    DDX_Text(pDX, 1009, m_strSubject);
    DDX_Text(pDX, 1010, m_strAuthor);
    DDX_Text(pDX, 1011, m_strManager);
    DDX_Text(pDX, 1012, m_strCompany);
    DDX_Text(pDX, 1013, m_strCategory);
    DDX_Text(pDX, 1014, m_strKeywords);
    DDX_Text(pDX, 1015, m_strComments);
}

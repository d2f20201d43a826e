#include "app/QZ2DocumentProperties.h"

#include <new>

#include "app/QZ2DocumentUserDefinedProperty.h"
#include "platform/afx/CException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/PropertySection.h"
#include "platform/ole/PropertySetStorage.h"

IMPLEMENT_DYNAMIC(QZ2DocumentProperties, CObject)

namespace {

// Texts kept in memory as one form, whatever form the file held them in.
PropVariant ValueFromFile(const PropVariant& value)
{
    if (value.IsString())
        return PropVariant::BString(value.GetString());
    if (QZ2DocumentUserDefinedProperty::IsStorableType(value.GetType()))
        return value;
    return PropVariant();
}

PropVariant ValueToFile(const PropVariant& value)
{
    if (value.IsString())
        return PropVariant::AnsiString(value.GetString());  // UTF-16 in the sections written here
    if (QZ2DocumentUserDefinedProperty::IsStorableType(value.GetType()))
        return value;
    return PropVariant();
}

CString TextOf(const PropertySection& section, PROPID id)
{
    const PropVariant* pValue = section.Find(id);
    return pValue != nullptr && pValue->IsString() ? pValue->GetString() : CString();
}

// A set that is missing or cannot be read counts as empty.
bool ReadSet(const PropertySetStorage& sets, REFFMTID fmtid, PropertySection& section)
{
    try {
        return sets.Read(fmtid, section) != FALSE;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    return false;
}

}  // namespace

QZ2DocumentProperties::QZ2DocumentProperties(CQZ2Doc* pDocument) : m_pDocument(pDocument) {}

QZ2DocumentProperties::QZ2DocumentProperties(const QZ2DocumentProperties& other) : CObject(), m_pDocument(nullptr)
{
    *this = other;
}

QZ2DocumentProperties& QZ2DocumentProperties::operator=(const QZ2DocumentProperties& other)
{
    if (this == &other)
        return *this;
    m_strTitle = other.m_strTitle;
    m_strSubject = other.m_strSubject;
    m_strAuthor = other.m_strAuthor;
    m_strKeywords = other.m_strKeywords;
    m_strComments = other.m_strComments;
    m_strManager = other.m_strManager;
    m_strCompany = other.m_strCompany;
    m_strCategory = other.m_strCategory;
    m_strNinth = other.m_strNinth;
    for (int i = 0; i < 4; ++i) {
        m_dPairValue[i] = other.m_dPairValue[i];
        m_nPairNumber[i] = other.m_nPairNumber[i];
    }
    m_strApplication = other.m_strApplication;
    RemoveAllUserDefinedProperties();
    for (int i = 0; i < other.GetUserDefinedPropertyCount(); ++i)
        AppendUserDefinedProperty(*other.GetUserDefinedProperty(i));
    // The copy keeps its own document.
    return *this;
}

QZ2DocumentProperties::~QZ2DocumentProperties()
{
    RemoveAllUserDefinedProperties();
}

void QZ2DocumentProperties::Clear()
{
    // Every stored text is emptied, so a file without a set leaves nothing of the previous one.
    m_strTitle.Empty();
    m_strSubject.Empty();
    m_strAuthor.Empty();
    m_strKeywords.Empty();
    m_strComments.Empty();
    m_strManager.Empty();
    m_strCompany.Empty();
    m_strCategory.Empty();
    m_strNinth.Empty();
    m_strApplication.Empty();
    for (int& n : m_nPairNumber)
        n = 2;
    RemoveAllUserDefinedProperties();
}

BOOL QZ2DocumentProperties::Load(const CompoundStorage* pStorage)
{
    Clear();
    if (pStorage == nullptr)
        return FALSE;
    const PropertySetStorage sets(const_cast<CompoundStorage*>(pStorage));

    PropertySection summary;
    if (ReadSet(sets, FMTID_SummaryInformation, summary)) {
        m_strTitle = TextOf(summary, PIDSI_TITLE);
        m_strSubject = TextOf(summary, PIDSI_SUBJECT);
        m_strAuthor = TextOf(summary, PIDSI_AUTHOR);
        m_strKeywords = TextOf(summary, PIDSI_KEYWORDS);
        m_strComments = TextOf(summary, PIDSI_COMMENTS);
    }
    PropertySection docSummary;
    if (ReadSet(sets, FMTID_DocSummaryInformation, docSummary)) {
        m_strCategory = TextOf(docSummary, PIDDSI_CATEGORY);
        m_strManager = TextOf(docSummary, PIDDSI_MANAGER);
        m_strCompany = TextOf(docSummary, PIDDSI_COMPANY);
    }
    PropertySection userDefined;
    if (ReadSet(sets, FMTID_UserDefinedProperties, userDefined)) {
        for (int i = 0; i < userDefined.GetCount(); ++i) {
            const PROPID id = userDefined.GetPropertyId(i);
            QZ2DocumentUserDefinedProperty property(userDefined.GetName(id), ValueFromFile(userDefined.GetValue(i)));
            AppendUserDefinedProperty(property);
        }
    }
    return TRUE;
}

BOOL QZ2DocumentProperties::Save(CompoundStorage* pStorage) const
{
    if (pStorage == nullptr)
        return FALSE;
    PropertySetStorage sets(pStorage);

    PropertySection summary(FMTID_SummaryInformation, CP_WINUNICODE);
    summary.Set(PIDSI_TITLE, PropVariant::AnsiString(m_strTitle));
    summary.Set(PIDSI_SUBJECT, PropVariant::AnsiString(m_strSubject));
    summary.Set(PIDSI_AUTHOR, PropVariant::AnsiString(m_strAuthor));
    summary.Set(PIDSI_KEYWORDS, PropVariant::AnsiString(m_strKeywords));
    summary.Set(PIDSI_COMMENTS, PropVariant::AnsiString(m_strComments));

    PropertySection docSummary(FMTID_DocSummaryInformation, CP_WINUNICODE);
    docSummary.Set(PIDDSI_CATEGORY, PropVariant::AnsiString(m_strCategory));
    docSummary.Set(PIDDSI_MANAGER, PropVariant::AnsiString(m_strManager));
    docSummary.Set(PIDDSI_COMPANY, PropVariant::AnsiString(m_strCompany));

    PropertySection userDefined(FMTID_UserDefinedProperties, CP_WINUNICODE);
    for (int i = 0; i < GetUserDefinedPropertyCount(); ++i) {
        const QZ2DocumentUserDefinedProperty* pProperty = GetUserDefinedProperty(i);
        // A property without a name cannot be found again by name.
        if (pProperty->m_strName.IsEmpty())
            continue;
        userDefined.SetNamed(pProperty->m_strName, ValueToFile(pProperty->m_value));
    }

    try {
        sets.Write(summary, &FMTID_SummaryInformation);
        sets.Write(docSummary);
        sets.Write(userDefined);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

int QZ2DocumentProperties::AppendUserDefinedProperty(const QZ2DocumentUserDefinedProperty& property)
{
    return static_cast<int>(m_userDefined.Add(new QZ2DocumentUserDefinedProperty(property)));
}

void QZ2DocumentProperties::RemoveAllUserDefinedProperties()
{
    for (INT_PTR i = 0; i < m_userDefined.GetSize(); ++i)
        delete m_userDefined.GetAt(i);
    m_userDefined.RemoveAll();
}

QZ2DocumentUserDefinedProperty* QZ2DocumentProperties::GetUserDefinedProperty(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_userDefined.GetSize())
        return nullptr;
    return m_userDefined.GetAt(nIndex);
}

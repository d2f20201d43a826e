#pragma once
// The summary and user-defined properties of a drawing, kept in the standard property sets of its
// compound file so that other programs can read them. Texts are stored in UTF-16 sections so that
// every character survives.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrArray.h"
#include "platform/afx/CObArray.h"

class CompoundStorage;
class CQZ2Doc;
class QZ2DocumentUserDefinedProperty;

class QZ2DocumentProperties : public CObject
{
    DECLARE_DYNAMIC(QZ2DocumentProperties)
public:
    explicit QZ2DocumentProperties(CQZ2Doc* pDocument = nullptr);
    QZ2DocumentProperties(const QZ2DocumentProperties& other);
    QZ2DocumentProperties& operator=(const QZ2DocumentProperties& other);
    ~QZ2DocumentProperties() override;

    CQZ2Doc* GetDocument() const { return m_pDocument; }

    // Empties every text and the user-defined properties; the pair numbers become 2.
    void Clear();
    // Reads the property sets of the storage; a set that is missing or damaged leaves its fields
    // empty. FALSE without a storage.
    BOOL Load(const CompoundStorage* pStorage);
    // Writes the three sets over whatever the storage had. FALSE without a storage or when it
    // refuses the write.
    BOOL Save(CompoundStorage* pStorage) const;

    // Adds a copy; returns its index.
    int AppendUserDefinedProperty(const QZ2DocumentUserDefinedProperty& property);
    void RemoveAllUserDefinedProperties();
    int GetUserDefinedPropertyCount() const { return static_cast<int>(m_userDefined.GetSize()); }
    QZ2DocumentUserDefinedProperty* GetUserDefinedProperty(int nIndex) const;  // NULL out of range

    CString m_strTitle;
    CString m_strSubject;
    CString m_strAuthor;
    CString m_strKeywords;
    CString m_strComments;
    CString m_strManager;
    CString m_strCompany;
    CString m_strCategory;
    CString m_strNinth;  // not stored
    double m_dPairValue[4] = {0.0, 0.0, 0.0, 0.0};  // not stored
    int m_nPairNumber[4] = {0, 0, 0, 0};            // not stored
    CString m_strApplication;                       // not stored

private:
    CQZ2Doc* m_pDocument;
    CTypedPtrArray<CObArray, QZ2DocumentUserDefinedProperty*> m_userDefined;
};

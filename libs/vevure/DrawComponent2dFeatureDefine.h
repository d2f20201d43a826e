#pragma once
// A component definition: a drawing (type 3) whose shapes make up a reusable component, with its component
// id, name, attributes (offered when an instance is placed if the prompt flag is set) and the set of its
// record ids.

#include <set>

class DrawComponent2dFeatureDefineTable;

#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FeatureAttribute.h"

class DrawComponent2dFeatureDefine : public DrawingFeatureBase
{
public:
    DrawComponent2dFeatureDefine();
    DrawComponent2dFeatureDefine(const DrawComponent2dFeatureDefine&) = default;
    DrawComponent2dFeatureDefine& operator=(const DrawComponent2dFeatureDefine&) = default;
    ~DrawComponent2dFeatureDefine() override;
    DrawingFeatureBase* Clone() const override;
    bool IsSame(const DrawingFeatureBase& other) const override;

    long GetComponentId() const { return m_nComponentID; }
    void SetComponentId(long nID) { m_nComponentID = nID; }
    CString GetComponentName() const { return m_strComponentName; }
    // Refuses (FALSE) an empty name or one longer than 256 characters.
    BOOL SetComponentName(const CString& strName);

    const FeatureAttribute& GetAttribute() const { return m_attribute; }
    FeatureAttribute& GetAttribute() { return m_attribute; }
    void SetAttribute(const FeatureAttribute& attribute) { m_attribute = attribute; }
    BOOL IsAttributePrompt() const { return m_bPrompt ? TRUE : FALSE; }
    void SetAttributePrompt(BOOL bPrompt) { m_bPrompt = bPrompt ? 1 : 0; }

    const std::set<long>& GetRecordIdData() const { return m_recordIDs; }
    void AddFeatureRecordID(long nRecordID) { m_recordIDs.insert(nRecordID); }
    BOOL DeleteFeatureRecordID(long nRecordID) { return m_recordIDs.erase(nRecordID) != 0 ? TRUE : FALSE; }

    // Whether placing component nComponentID into definition nEditedID would make a definition contain itself
    // (the definitions' document answers; FALSE when the table does not know nComponentID).
    static BOOL IsIncludeComponentId(long nEditedID, long nComponentID, const DrawComponent2dFeatureDefineTable* pTable);
    // Whether a shape may go into a drawing: anything may go into a paper or part drawing; a component
    // definition refuses component shapes (also inside groups) that would make it contain itself.
    static BOOL IsPossibleAddFeatureInDrawComponent(const Feature2dBase* pFeature, const DrawingFeatureBase* pDrawing,
                                                    const DrawComponent2dFeatureDefineTable* pTable);

    void Serialize(CArchive& ar) override;

private:
    long m_nComponentID = -1;
    CString m_strComponentName;
    FeatureAttribute m_attribute;
    BYTE m_bPrompt = 0;
    std::set<long> m_recordIDs;
};

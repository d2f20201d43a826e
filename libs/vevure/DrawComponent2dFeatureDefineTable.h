#pragma once
// The component definitions of a document, in the order they were added. The table owns them.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class DrawComponent2dFeatureDefine;

class DrawComponent2dFeatureDefineTable
{
public:
    DrawComponent2dFeatureDefineTable() = default;
    DrawComponent2dFeatureDefineTable(const DrawComponent2dFeatureDefineTable& other);
    DrawComponent2dFeatureDefineTable& operator=(const DrawComponent2dFeatureDefineTable& other);
    ~DrawComponent2dFeatureDefineTable();
    bool IsSame(const DrawComponent2dFeatureDefineTable& other) const;

    // The background of component thumbnails, for every table.
    static void SetThumbnailBackColor(COLORREF color);
    static COLORREF GetThumbnailBackColor();

    int GetComponentDefineCount() const { return static_cast<int>(m_defines.size()); }
    DrawComponent2dFeatureDefine* GetComponentDefineByIndex(int nIndex) const;  // index-guarded
    // By component id; NULL when absent.
    DrawComponent2dFeatureDefine* GetComponentDefine(long nComponentID) const;
    DrawComponent2dFeatureDefine* GetComponentDefineByDrawingID(long nDrawingID) const;
    CString GetComponentDefineName(long nComponentID) const;  // empty when absent
    BOOL IsComponentNameExists(const CString& strName) const;  // ignoring case

    // Takes over the definition (owned from then on).
    void Add(DrawComponent2dFeatureDefine* pDefine);
    // Removes and deletes the definition; FALSE when absent.
    BOOL Remove(long nComponentID);
    void RemoveAll();

private:
    std::vector<DrawComponent2dFeatureDefine*> m_defines;
};

#pragma once
// The component definitions of a document, in the order they were added. The table owns them.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class DrawComponent2dFeatureDefine;
class QImage;

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
    // Renames the definition; FALSE when absent. Names change only here, so that the name check stays quick.
    BOOL SetComponentName(long nComponentID, const CString& strName);

    // Takes over the definition (owned from then on).
    void Add(DrawComponent2dFeatureDefine* pDefine);
    // Removes and deletes the definition; FALSE when absent.
    BOOL Remove(long nComponentID);
    void RemoveAll();

    // A picture of the definition's shapes on the thumbnail background, kThumbnailSize square, kept by
    // the table until the definition changes (InvalidateThumbnail) or the background colour does; NULL
    // for an unknown id or a definition outside any document. Copies of the table keep no pictures.
    static constexpr int kThumbnailSize = 48;
    const QImage* GetThumbnailImage(long nComponentID) const;
    void InvalidateThumbnail(long nComponentID) const;
    // How many pictures have been drawn, for every table (they are drawn only when asked for).
    static long GetThumbnailRenderCount();

private:
    struct Thumbnail {
        std::shared_ptr<QImage> image;
        COLORREF back = 0;
    };
    // A name folded to lower case, as names are compared.
    static std::u16string NameKey(const CString& strName);
    void IndexName(const CString& strName, int nDelta);

    std::vector<DrawComponent2dFeatureDefine*> m_defines;
    // How many definitions bear each folded name: a file of many blocks checks each new name in constant time.
    std::unordered_map<std::u16string, int> m_nameCounts;
    mutable std::map<long, Thumbnail> m_thumbnails;
};

#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"

#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"

#include <QtGui/QImage>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dList.h"

namespace {
COLORREF g_thumbnailBackColor = RGB(255, 255, 255);
long g_thumbnailRenders = 0;
}  // namespace

DrawComponent2dFeatureDefineTable::DrawComponent2dFeatureDefineTable(const DrawComponent2dFeatureDefineTable& other)
{
    *this = other;
}

DrawComponent2dFeatureDefineTable& DrawComponent2dFeatureDefineTable::operator=(
    const DrawComponent2dFeatureDefineTable& other)
{
    if (this == &other)
        return *this;
    std::vector<DrawComponent2dFeatureDefine*> copies;
    copies.reserve(other.m_defines.size());
    for (const DrawComponent2dFeatureDefine* p : other.m_defines)
        copies.push_back(new DrawComponent2dFeatureDefine(*p));
    RemoveAll();
    m_defines = std::move(copies);
    for (const DrawComponent2dFeatureDefine* p : m_defines)
        IndexName(p->GetComponentName(), 1);
    m_thumbnails.clear();
    return *this;
}

DrawComponent2dFeatureDefineTable::~DrawComponent2dFeatureDefineTable()
{
    RemoveAll();
}

bool DrawComponent2dFeatureDefineTable::IsSame(const DrawComponent2dFeatureDefineTable& other) const
{
    if (m_defines.size() != other.m_defines.size())
        return false;
    for (size_t i = 0; i < m_defines.size(); ++i)
        if (!m_defines[i]->IsSame(*other.m_defines[i]))
            return false;
    return true;
}

void DrawComponent2dFeatureDefineTable::SetThumbnailBackColor(COLORREF color)
{
    g_thumbnailBackColor = color;
}

COLORREF DrawComponent2dFeatureDefineTable::GetThumbnailBackColor()
{
    return g_thumbnailBackColor;
}

DrawComponent2dFeatureDefine* DrawComponent2dFeatureDefineTable::GetComponentDefineByIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetComponentDefineCount())
        AfxThrowInvalidArgException();
    return m_defines[static_cast<size_t>(nIndex)];
}

DrawComponent2dFeatureDefine* DrawComponent2dFeatureDefineTable::GetComponentDefine(long nComponentID) const
{
    for (DrawComponent2dFeatureDefine* p : m_defines)
        if (p->GetComponentId() == nComponentID)
            return p;
    return nullptr;
}

DrawComponent2dFeatureDefine* DrawComponent2dFeatureDefineTable::GetComponentDefineByDrawingID(long nDrawingID) const
{
    for (DrawComponent2dFeatureDefine* p : m_defines)
        if (p->GetDrawingID() == nDrawingID)
            return p;
    return nullptr;
}

CString DrawComponent2dFeatureDefineTable::GetComponentDefineName(long nComponentID) const
{
    const DrawComponent2dFeatureDefine* p = GetComponentDefine(nComponentID);
    return p ? p->GetComponentName() : CString();
}

std::u16string DrawComponent2dFeatureDefineTable::NameKey(const CString& strName)
{
    CString folded(strName);
    folded.MakeLower();
    return std::u16string(folded.GetString(), static_cast<size_t>(folded.GetLength()));
}

void DrawComponent2dFeatureDefineTable::IndexName(const CString& strName, int nDelta)
{
    const std::u16string key = NameKey(strName);
    const int n = (m_nameCounts[key] += nDelta);
    if (n <= 0)
        m_nameCounts.erase(key);
}

BOOL DrawComponent2dFeatureDefineTable::IsComponentNameExists(const CString& strName) const
{
    return m_nameCounts.count(NameKey(strName)) != 0 ? TRUE : FALSE;
}

BOOL DrawComponent2dFeatureDefineTable::SetComponentName(long nComponentID, const CString& strName)
{
    DrawComponent2dFeatureDefine* p = GetComponentDefine(nComponentID);
    if (p == nullptr)
        return FALSE;
    const CString old = p->GetComponentName();
    if (!p->SetComponentName(strName))
        return FALSE;
    IndexName(old, -1);
    IndexName(p->GetComponentName(), 1);
    return TRUE;
}

void DrawComponent2dFeatureDefineTable::Add(DrawComponent2dFeatureDefine* pDefine)
{
    if (pDefine == nullptr)
        return;
    m_defines.push_back(pDefine);
    IndexName(pDefine->GetComponentName(), 1);
}

BOOL DrawComponent2dFeatureDefineTable::Remove(long nComponentID)
{
    for (size_t i = 0; i < m_defines.size(); ++i) {
        if (m_defines[i]->GetComponentId() == nComponentID) {
            IndexName(m_defines[i]->GetComponentName(), -1);
            delete m_defines[i];
            m_defines.erase(m_defines.begin() + static_cast<std::ptrdiff_t>(i));
            m_thumbnails.erase(nComponentID);
            return TRUE;
        }
    }
    return FALSE;
}

void DrawComponent2dFeatureDefineTable::RemoveAll()
{
    for (DrawComponent2dFeatureDefine* p : m_defines)
        delete p;
    m_defines.clear();
    m_nameCounts.clear();
    m_thumbnails.clear();
}

const QImage* DrawComponent2dFeatureDefineTable::GetThumbnailImage(long nComponentID) const
{
    const DrawComponent2dFeatureDefine* pDefine = GetComponentDefine(nComponentID);
    if (pDefine == nullptr || pDefine->GetDocument() == nullptr)
        return nullptr;
    auto found = m_thumbnails.find(nComponentID);
    if (found != m_thumbnails.end() && found->second.image != nullptr && found->second.back == g_thumbnailBackColor)
        return found->second.image.get();
    // The definition's own shapes, fitted into the square.
    const Draw2dDocument* pDocument = pDefine->GetDocument();
    Feature2dList shapes;
    for (long id = pDocument->GetNextFeatureRecordID(pDefine, -1); id != -1;
         id = pDocument->GetNextFeatureRecordID(pDefine, id))
        if (const Feature2dBase* pShape = pDocument->GetFeature(id))
            shapes.AddFeature(pShape);
    std::shared_ptr<QImage> image(DrawingManager::CreateFeatureListImage(pDocument, &shapes, kThumbnailSize,
                                                                         kThumbnailSize, g_thumbnailBackColor, 0.1));
    ++g_thumbnailRenders;
    if (image == nullptr || image->isNull())
        return nullptr;
    Thumbnail& kept = m_thumbnails[nComponentID];
    kept.image = std::move(image);
    kept.back = g_thumbnailBackColor;
    return kept.image.get();
}

void DrawComponent2dFeatureDefineTable::InvalidateThumbnail(long nComponentID) const
{
    m_thumbnails.erase(nComponentID);
}

long DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount()
{
    return g_thumbnailRenders;
}

#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"

#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"

namespace {
COLORREF g_thumbnailBackColor = RGB(255, 255, 255);
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

BOOL DrawComponent2dFeatureDefineTable::IsComponentNameExists(const CString& strName) const
{
    for (const DrawComponent2dFeatureDefine* p : m_defines)
        if (p->GetComponentName().CompareNoCase(strName) == 0)
            return TRUE;
    return FALSE;
}

void DrawComponent2dFeatureDefineTable::Add(DrawComponent2dFeatureDefine* pDefine)
{
    if (pDefine != nullptr)
        m_defines.push_back(pDefine);
}

BOOL DrawComponent2dFeatureDefineTable::Remove(long nComponentID)
{
    for (size_t i = 0; i < m_defines.size(); ++i) {
        if (m_defines[i]->GetComponentId() == nComponentID) {
            delete m_defines[i];
            m_defines.erase(m_defines.begin() + static_cast<std::ptrdiff_t>(i));
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
}

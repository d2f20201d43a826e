#include "command/FilePathParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FilePathParameterItem, ParameterItemBase)

FilePathParameterItem::FilePathParameterItem() : ParameterItemBase(typeFilePath) {}

BOOL FilePathParameterItem::IsFilePathItem() const
{
    return TRUE;
}

BOOL FilePathParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const FilePathParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_strPath = pSource->m_strPath;
    m_bEmpty = FALSE;
    return TRUE;
}

void FilePathParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const FilePathParameterItem*>(&source))
        m_strPath = pSource->m_strPath;
}

BOOL FilePathParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const FilePathParameterItem*>(&other);
    return (pOther != nullptr && pOther->m_strPath == m_strPath) ? TRUE : FALSE;
}

}  // namespace QZ2Command

#include "platform/ole/CompoundStorage.h"

#include "platform/afx/CByteArray.h"
#include "platform/ole/CompoundStream.h"

CompoundStorage::CompoundStorage(BOOL bReadOnly) : m_clsid(GUID_NULL), m_bReadOnly(bReadOnly) {}

CompoundStorage::~CompoundStorage() = default;

BOOL CompoundStorage::IsValidName(LPCTSTR lpszName)
{
    if (lpszName == nullptr || lpszName[0] == 0)
        return FALSE;
    int n = 0;
    for (; lpszName[n] != 0; ++n) {
        const TCHAR ch = lpszName[n];
        if (ch == '/' || ch == '\\' || ch == ':' || ch == '!')
            return FALSE;
    }
    return n <= 31 ? TRUE : FALSE;
}

int CompoundStorage::Find(LPCTSTR lpszName) const
{
    if (lpszName == nullptr)
        return -1;
    for (size_t i = 0; i < m_elements.size(); ++i)
        if (m_elements[i]->name.CompareNoCase(lpszName) == 0)
            return static_cast<int>(i);
    return -1;
}

HRESULT CompoundStorage::CheckNew(LPCTSTR lpszName, DWORD grfMode, int& nExisting) const
{
    if (m_bReadOnly)
        return STG_E_ACCESSDENIED;
    if (!IsValidName(lpszName))
        return STG_E_INVALIDNAME;
    nExisting = Find(lpszName);
    if (nExisting >= 0 && (grfMode & STGM_CREATE) == 0)
        return STG_E_FILEALREADYEXISTS;
    return S_OK;
}

HRESULT CompoundStorage::CreateStream(LPCTSTR lpszName, DWORD grfMode, std::shared_ptr<CompoundStream>* ppStream)
{
    int existing = -1;
    const HRESULT hr = CheckNew(lpszName, grfMode, existing);
    if (FAILED(hr))
        return hr;
    auto element = std::make_unique<Element>();
    element->name = lpszName;
    element->stream = std::make_shared<CompoundStream>(FALSE);
    if (ppStream != nullptr)
        *ppStream = element->stream;
    if (existing >= 0)
        m_elements[existing] = std::move(element);
    else
        m_elements.push_back(std::move(element));
    return S_OK;
}

HRESULT CompoundStorage::OpenStream(LPCTSTR lpszName, DWORD grfMode, std::shared_ptr<CompoundStream>* ppStream) const
{
    const int i = Find(lpszName);
    if (i < 0 || !m_elements[i]->stream)
        return STG_E_FILENOTFOUND;
    if (m_bReadOnly && (grfMode & (STGM_WRITE | STGM_READWRITE)) != 0)
        return STG_E_ACCESSDENIED;
    if (ppStream != nullptr)
        *ppStream = m_elements[i]->stream;
    return S_OK;
}

HRESULT CompoundStorage::CreateStorage(LPCTSTR lpszName, DWORD grfMode, CompoundStorage** ppStorage)
{
    int existing = -1;
    const HRESULT hr = CheckNew(lpszName, grfMode, existing);
    if (FAILED(hr))
        return hr;
    auto element = std::make_unique<Element>();
    element->name = lpszName;
    element->storage = std::make_unique<CompoundStorage>(FALSE);
    if (ppStorage != nullptr)
        *ppStorage = element->storage.get();
    if (existing >= 0)
        m_elements[existing] = std::move(element);
    else
        m_elements.push_back(std::move(element));
    return S_OK;
}

HRESULT CompoundStorage::OpenStorage(LPCTSTR lpszName, DWORD grfMode, CompoundStorage** ppStorage) const
{
    const int i = Find(lpszName);
    if (i < 0 || !m_elements[i]->storage)
        return STG_E_FILENOTFOUND;
    if (m_bReadOnly && (grfMode & (STGM_WRITE | STGM_READWRITE)) != 0)
        return STG_E_ACCESSDENIED;
    if (ppStorage != nullptr)
        *ppStorage = m_elements[i]->storage.get();
    return S_OK;
}

HRESULT CompoundStorage::DestroyElement(LPCTSTR lpszName)
{
    if (m_bReadOnly)
        return STG_E_ACCESSDENIED;
    const int i = Find(lpszName);
    if (i < 0)
        return STG_E_FILENOTFOUND;
    m_elements.erase(m_elements.begin() + i);
    return S_OK;
}

HRESULT CompoundStorage::RenameElement(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (m_bReadOnly)
        return STG_E_ACCESSDENIED;
    const int i = Find(lpszOldName);
    if (i < 0)
        return STG_E_FILENOTFOUND;
    if (!IsValidName(lpszNewName))
        return STG_E_INVALIDNAME;
    const int other = Find(lpszNewName);
    if (other >= 0 && other != i)
        return STG_E_FILEALREADYEXISTS;
    m_elements[i]->name = lpszNewName;
    return S_OK;
}

HRESULT CompoundStorage::CopyTo(CompoundStorage* pDest) const
{
    if (pDest == nullptr)
        return STG_E_INVALIDPOINTER;
    if (pDest == this)
        return S_OK;
    if (pDest->m_bReadOnly)
        return STG_E_ACCESSDENIED;
    for (const auto& element : m_elements) {
        if (element->stream) {
            std::shared_ptr<CompoundStream> stream;
            pDest->CreateStream(element->name, STGM_CREATE | STGM_READWRITE, &stream);
            stream->m_data = element->stream->m_data;
        } else {
            CompoundStorage* storage = nullptr;
            pDest->CreateStorage(element->name, STGM_CREATE | STGM_READWRITE, &storage);
            const HRESULT hr = element->storage->CopyTo(storage);
            if (FAILED(hr))
                return hr;
        }
    }
    pDest->m_clsid = m_clsid;
    return S_OK;
}

HRESULT CompoundStorage::SetClass(REFCLSID clsid)
{
    if (m_bReadOnly)
        return STG_E_ACCESSDENIED;
    m_clsid = clsid;
    return S_OK;
}

HRESULT CompoundStorage::ReadStream(LPCTSTR lpszName, CByteArray& data) const
{
    std::shared_ptr<CompoundStream> stream;
    const HRESULT hr = OpenStream(lpszName, STGM_READ, &stream);
    if (FAILED(hr))
        return hr;
    data.SetSize(static_cast<INT_PTR>(stream->GetSize()));
    if (stream->GetSize() != 0)
        stream->ReadAt(0, data.GetData(), static_cast<UINT>(stream->GetSize()));
    return S_OK;
}

HRESULT CompoundStorage::WriteStream(LPCTSTR lpszName, const BYTE* lpData, SIZE_T nCount)
{
    if (nCount > CompoundStream::kMaxSize)
        return STG_E_MEDIUMFULL;
    std::shared_ptr<CompoundStream> stream;
    const HRESULT hr = CreateStream(lpszName, STGM_CREATE | STGM_READWRITE, &stream);
    if (FAILED(hr))
        return hr;
    stream->m_data.assign(lpData, lpData + nCount);
    return S_OK;
}

DWORD CompoundStorage::GetElementType(LPCTSTR lpszName) const
{
    const int i = Find(lpszName);
    if (i < 0)
        return 0;
    return m_elements[i]->stream ? STGTY_STREAM : STGTY_STORAGE;
}

int CompoundStorage::GetElementCount() const
{
    return static_cast<int>(m_elements.size());
}

BOOL CompoundStorage::GetElement(int nIndex, STATSTG& stat) const
{
    if (nIndex < 0 || nIndex >= GetElementCount())
        return FALSE;
    const Element& element = *m_elements[nIndex];
    stat.strName = element.name;
    if (element.stream) {
        stat.type = STGTY_STREAM;
        stat.cbSize = element.stream->GetSize();
        stat.clsid = GUID_NULL;
    } else {
        stat.type = STGTY_STORAGE;
        stat.cbSize = 0;
        stat.clsid = element.storage->m_clsid;
    }
    return TRUE;
}

std::vector<STATSTG> CompoundStorage::EnumElements() const
{
    std::vector<STATSTG> result(m_elements.size());
    for (int i = 0; i < GetElementCount(); ++i)
        GetElement(i, result[i]);
    return result;
}

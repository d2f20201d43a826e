#pragma once
// A storage of a compound file: named streams and sub-storages, and a class id. The whole tree is held in
// memory; CompoundFile reads it from and writes it to the file. Element names are compared without case
// and hold 1 to 31 characters, none of them '/', '\\', ':' or '!'.
//
// The calls follow the storage interface that the system's code is written against: they return S_OK or
// a STG_E_ status (STG_E_FILENOTFOUND, STG_E_FILEALREADYEXISTS, STG_E_ACCESSDENIED for a read-only file,
// STG_E_INVALIDNAME) and change nothing when they fail. Sub-storages are owned by their parent; a pointer
// to one stays valid until the element is destroyed or replaced.

#include <memory>
#include <vector>

#include "platform/ole/OleTypes.h"

class CByteArray;
class CompoundStream;

class CompoundStorage
{
public:
    explicit CompoundStorage(BOOL bReadOnly = FALSE);
    ~CompoundStorage();
    CompoundStorage(const CompoundStorage&) = delete;
    CompoundStorage& operator=(const CompoundStorage&) = delete;

    // grfMode STGM_CREATE replaces an element of that name (of either kind); without it an existing
    // element fails with STG_E_FILEALREADYEXISTS.
    HRESULT CreateStream(LPCTSTR lpszName, DWORD grfMode, std::shared_ptr<CompoundStream>* ppStream = nullptr);
    HRESULT OpenStream(LPCTSTR lpszName, DWORD grfMode, std::shared_ptr<CompoundStream>* ppStream) const;
    HRESULT CreateStorage(LPCTSTR lpszName, DWORD grfMode, CompoundStorage** ppStorage = nullptr);
    HRESULT OpenStorage(LPCTSTR lpszName, DWORD grfMode, CompoundStorage** ppStorage) const;
    HRESULT DestroyElement(LPCTSTR lpszName);
    HRESULT RenameElement(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    // Copies every element and the class id into pDest, replacing elements of the same names there.
    HRESULT CopyTo(CompoundStorage* pDest) const;

    HRESULT SetClass(REFCLSID clsid);
    const CLSID& GetClass() const { return m_clsid; }

    // Whole streams at once: ReadStream fills the array; WriteStream creates or replaces the stream.
    HRESULT ReadStream(LPCTSTR lpszName, CByteArray& data) const;
    HRESULT WriteStream(LPCTSTR lpszName, const BYTE* lpData, SIZE_T nCount);

    // STGTY_STREAM, STGTY_STORAGE, or 0 when there is no element of that name.
    DWORD GetElementType(LPCTSTR lpszName) const;
    // Elements in the order they were read or created.
    int GetElementCount() const;
    BOOL GetElement(int nIndex, STATSTG& stat) const;
    std::vector<STATSTG> EnumElements() const;

    BOOL IsReadOnly() const { return m_bReadOnly; }
    static BOOL IsValidName(LPCTSTR lpszName);

private:
    friend class CompoundFile;
    friend class CompoundFileIo;
    struct Element
    {
        CString name;
        std::shared_ptr<CompoundStream> stream;  // exactly one of these is set
        std::unique_ptr<CompoundStorage> storage;
    };
    int Find(LPCTSTR lpszName) const;
    HRESULT CheckNew(LPCTSTR lpszName, DWORD grfMode, int& nExisting) const;

    std::vector<std::unique_ptr<Element>> m_elements;
    CLSID m_clsid;
    BOOL m_bReadOnly;
};

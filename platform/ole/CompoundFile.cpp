#include "platform/ole/CompoundFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "platform/afx/CByteArray.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CFileException.h"
#include "platform/ole/CompoundFileException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/CompoundStream.h"

namespace {

const BYTE kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// Deeper nesting than this only comes from a damaged directory.
const int kMaxDepth = 64;
// Larger files are beyond what the compound file format with 512-byte sectors holds.
const ULONGLONG kMaxFileSize = ULONGLONG(1) << 33;

struct GObjectUnref
{
    void operator()(gpointer p) const
    {
        if (p != nullptr)
            g_object_unref(p);
    }
};
template <class T>
using GsfRef = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree
{
    void operator()(GError* e) const
    {
        if (e != nullptr)
            g_error_free(e);
    }
};

// libgsf logs what it finds wrong in a damaged file; the reader reports that as an exception instead.
void QuietLibgsfWarnings()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_log_set_handler("libgsf:msole", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL),
                          [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
}

[[noreturn]] void ThrowCorrupt(const CString& fileName, const CString& detail)
{
    AfxThrowCompoundFileException(STG_E_DOCFILECORRUPT, fileName, detail);
}

std::vector<BYTE> ReadWholeFile(const CString& path)
{
    const std::string native = CFile::NativePath(path);
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        CFileException::ThrowErrno(errno, path);
    std::vector<BYTE> data;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        CFileException::ThrowErrno(err, path);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        CFileException::ThrowErrno(EISDIR, path);
    }
    if (static_cast<ULONGLONG>(st.st_size) > kMaxFileSize) {
        ::close(fd);
        AfxThrowCompoundFileException(STG_E_DOCFILECORRUPT, path, _T("the file is too large"));
    }
    data.reserve(static_cast<size_t>(st.st_size));
    BYTE buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            CFileException::ThrowErrno(err, path);
        }
        if (n == 0)
            break;
        if (data.size() + static_cast<size_t>(n) > kMaxFileSize) {
            ::close(fd);
            AfxThrowCompoundFileException(STG_E_DOCFILECORRUPT, path, _T("the file is too large"));
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    ::close(fd);
    return data;
}

}  // namespace

// Reading and writing the tree through libgsf.
class CompoundFileIo
{
public:
    static void ReadStorage(GsfInfile* dir, CompoundStorage& storage, BOOL bReadOnly, int depth,
                            ULONGLONG& budget, const CString& fileName,
                            CompoundFile::RootStreamFilter pfnKeep = nullptr)
    {
        if (depth > kMaxDepth)
            ThrowCorrupt(fileName, _T("its storages are nested too deeply"));
        guint8 clsid[16];
        if (GSF_IS_INFILE_MSOLE(dir) && gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(dir), clsid))
            storage.m_clsid = GuidFromBytes(clsid);
        const int count = gsf_infile_num_children(dir);
        for (int i = 0; i < count; ++i) {
            const char* rawName = gsf_infile_name_by_index(dir, i);
            const CString name = CString::FromUtf8(rawName != nullptr ? rawName : "");
            // A look at some root streams skips everything else unread.
            if (pfnKeep != nullptr && !pfnKeep(name))
                continue;
            GsfRef<GsfInput> child(gsf_infile_child_by_index(dir, i));
            if (!child)
                ThrowCorrupt(fileName, CString(_T("the element \"")) + name + _T("\" cannot be read"));
            auto element = std::make_unique<CompoundStorage::Element>();
            element->name = name;
            if (GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) {
                if (pfnKeep != nullptr)
                    continue;
                element->storage = std::make_unique<CompoundStorage>(bReadOnly);
                ReadStorage(GSF_INFILE(child.get()), *element->storage, bReadOnly, depth + 1, budget, fileName);
            } else {
                element->stream = std::make_shared<CompoundStream>(bReadOnly);
                ReadStream(child.get(), *element->stream, budget, fileName, name);
            }
            storage.m_elements.push_back(std::move(element));
        }
    }

    static void ReadStream(GsfInput* input, CompoundStream& stream, ULONGLONG& budget, const CString& fileName,
                           const CString& name)
    {
        const gsf_off_t size = gsf_input_size(input);
        // Every byte of every stream lies in a sector of its own, so together they cannot exceed the file.
        if (size < 0 || static_cast<ULONGLONG>(size) > budget || static_cast<ULONGLONG>(size) > CompoundStream::kMaxSize)
            ThrowCorrupt(fileName, CString(_T("the stream \"")) + name + _T("\" claims more bytes than the file holds"));
        budget -= static_cast<ULONGLONG>(size);
        stream.m_data.resize(static_cast<size_t>(size));
        size_t done = 0;
        while (done < stream.m_data.size()) {
            const size_t chunk = std::min<size_t>(stream.m_data.size() - done, 65536);
            if (gsf_input_read(input, chunk, stream.m_data.data() + done) == nullptr)
                ThrowCorrupt(fileName, CString(_T("the stream \"")) + name + _T("\" cannot be read"));
            done += chunk;
        }
    }

    static bool WriteStorage(GsfOutfile* out, const CompoundStorage& storage)
    {
        if (storage.m_clsid != GUID_NULL) {
            guint8 clsid[16];
            GuidToBytes(storage.m_clsid, clsid);
            if (!gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(out), clsid))
                return false;
        }
        for (const auto& element : storage.m_elements) {
            const std::string name = element->name.ToUtf8();
            GsfRef<GsfOutput> child(gsf_outfile_new_child(out, name.c_str(), element->storage ? TRUE : FALSE));
            if (!child)
                return false;
            bool ok = true;
            if (element->storage) {
                ok = WriteStorage(GSF_OUTFILE(child.get()), *element->storage);
            } else {
                const std::vector<BYTE>& data = element->stream->m_data;
                size_t done = 0;
                while (ok && done < data.size()) {
                    const size_t chunk = std::min<size_t>(data.size() - done, 1 << 20);
                    ok = gsf_output_write(child.get(), chunk, data.data() + done);
                    done += chunk;
                }
            }
            if (!gsf_output_close(child.get()) || !ok)
                return false;
        }
        return true;
    }

    static void SetReadOnly(CompoundStorage& storage, BOOL bReadOnly)
    {
        storage.m_bReadOnly = bReadOnly;
        for (auto& element : storage.m_elements) {
            if (element->storage)
                SetReadOnly(*element->storage, bReadOnly);
            else
                element->stream->m_bReadOnly = bReadOnly;
        }
    }
};

CompoundFile::CompoundFile() : m_bReadOnly(FALSE), m_bExists(FALSE), m_nLockFd(-1) {}

CompoundFile::~CompoundFile()
{
    Unlock();
}

BOOL CompoundFile::IsCompoundFile(const BYTE* lpData, SIZE_T nCount)
{
    return lpData != nullptr && nCount >= sizeof kSignature && std::memcmp(lpData, kSignature, sizeof kSignature) == 0
               ? TRUE
               : FALSE;
}

BOOL CompoundFile::IsCompoundFile(LPCTSTR lpszPathName)
{
    return StgIsStorageFile(lpszPathName) == S_OK ? TRUE : FALSE;
}

int CompoundFile::LockFile(const CString& path, BOOL bExclusive)
{
    const int fd = ::open(CFile::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        CFileException::ThrowErrno(errno, path);
    if (::flock(fd, (bExclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            AfxThrowFileException(CFileException::sharingViolation, err, path);
        CFileException::ThrowErrno(err, path);
    }
    return fd;
}

void CompoundFile::Unlock()
{
    if (m_nLockFd >= 0)
        ::close(m_nLockFd);
    m_nLockFd = -1;
}

void CompoundFile::Relock()
{
    // The commit put a new file in place; the lock moves to it.
    int fd = -1;
    try {
        fd = LockFile(m_strPathName, !m_bReadOnly);
    } catch (CException* e) {
        e->Delete();
    }
    Unlock();
    m_nLockFd = fd;
}

void CompoundFile::Create(LPCTSTR lpszPathName)
{
    const CString path = CFile::FullPath(lpszPathName);
    const std::string native = CFile::NativePath(path);
    struct stat st;
    int lockFd = -1;
    if (::stat(native.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            CFileException::ThrowErrno(EISDIR, path);
        if (::access(native.c_str(), W_OK) != 0)
            CFileException::ThrowErrno(errno, path);
        lockFd = LockFile(path, TRUE);
    } else {
        const int slash = path.ReverseFind('/');
        const std::string folder = CFile::NativePath(slash > 0 ? path.Left(slash) : CString(_T("/")));
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            CFileException::ThrowErrno(ENOENT, path);
    }
    Unlock();
    m_nLockFd = lockFd;
    m_pRoot = std::make_unique<CompoundStorage>(FALSE);
    m_strPathName = path;
    m_bReadOnly = FALSE;
    m_bExists = FALSE;
}

void CompoundFile::Open(LPCTSTR lpszPathName, BOOL bReadOnly)
{
    const CString path = CFile::FullPath(lpszPathName);
    if (!bReadOnly && ::access(CFile::NativePath(path).c_str(), W_OK) != 0 && errno != ENOENT)
        CFileException::ThrowErrno(errno, path);
    const int lockFd = LockFile(path, !bReadOnly);
    try {
        const std::vector<BYTE> data = ReadWholeFile(path);
        Load(data.data(), data.size(), bReadOnly, path);
    } catch (...) {
        ::close(lockFd);
        throw;
    }
    Unlock();
    m_nLockFd = lockFd;
    m_strPathName = path;
    m_bExists = TRUE;
}

void CompoundFile::CreateInMemory()
{
    Unlock();
    m_pRoot = std::make_unique<CompoundStorage>(FALSE);
    m_strPathName.Empty();
    m_bReadOnly = FALSE;
    m_bExists = FALSE;
}

void CompoundFile::OpenFromMemory(const BYTE* lpData, SIZE_T nCount, BOOL bReadOnly, LPCTSTR lpszName)
{
    Load(lpData, nCount, bReadOnly, lpszName);
    Unlock();
    m_strPathName.Empty();
    m_bExists = FALSE;
}

void CompoundFile::OpenRootStreamsFromMemory(const BYTE* lpData, SIZE_T nCount, RootStreamFilter pfnKeep,
                                             LPCTSTR lpszName)
{
    Load(lpData, nCount, TRUE, lpszName, pfnKeep);
    Unlock();
    m_strPathName.Empty();
    m_bExists = FALSE;
}

void CompoundFile::Load(const BYTE* lpData, SIZE_T nCount, BOOL bReadOnly, LPCTSTR lpszName, RootStreamFilter pfnKeep)
{
    const CString fileName(lpszName);
    if (!IsCompoundFile(lpData, nCount))
        AfxThrowCompoundFileException(STG_E_INVALIDHEADER, fileName, nullptr);
    QuietLibgsfWarnings();
    GsfRef<GsfInput> input(gsf_input_memory_new(lpData, static_cast<gsf_off_t>(nCount), FALSE));
    if (!input)
        AfxThrowCompoundFileException(E_OUTOFMEMORY, fileName, _T("out of memory"));
    GError* rawError = nullptr;
    GsfRef<GsfInfile> infile(gsf_infile_msole_new(input.get(), &rawError));
    std::unique_ptr<GError, GErrorFree> error(rawError);
    if (!infile) {
        CString detail = error && error->message != nullptr ? CString::FromUtf8(error->message) : CString();
        ThrowCorrupt(fileName, detail);
    }
    auto root = std::make_unique<CompoundStorage>(bReadOnly);
    ULONGLONG budget = nCount;
    CompoundFileIo::ReadStorage(infile.get(), *root, bReadOnly, 0, budget, fileName, pfnKeep);
    m_pRoot = std::move(root);
    m_bReadOnly = bReadOnly;
}

void CompoundFile::SaveToMemory(CByteArray& data) const
{
    if (!m_pRoot)
        AfxThrowCompoundFileException(STG_E_INVALIDFUNCTION, m_strPathName, _T("no compound file is open"));
    GsfRef<GsfOutput> sink(gsf_output_memory_new());
    if (!sink)
        AfxThrowCompoundFileException(E_OUTOFMEMORY, m_strPathName, _T("out of memory"));
    bool ok = false;
    {
        GsfRef<GsfOutfile> outfile(gsf_outfile_msole_new(sink.get()));
        if (outfile) {
            ok = CompoundFileIo::WriteStorage(outfile.get(), *m_pRoot);
            ok = gsf_output_close(GSF_OUTPUT(outfile.get())) && ok;
        }
    }
    const gsf_off_t size = gsf_output_size(sink.get());
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    if (!ok || size < 0 || (size > 0 && bytes == nullptr))
        AfxThrowCompoundFileException(STG_E_WRITEFAULT, m_strPathName, _T("the compound file could not be assembled"));
    data.SetSize(static_cast<INT_PTR>(size));
    if (size > 0)
        std::memcpy(data.GetData(), bytes, static_cast<size_t>(size));
    if (!gsf_output_is_closed(sink.get()))
        gsf_output_close(sink.get());
}

void CompoundFile::WriteFile(LPCTSTR lpszPathName) const
{
    CByteArray data;
    SaveToMemory(data);

    CString path(lpszPathName);
    std::string target = CFile::NativePath(path);
    struct stat st;
    bool exists = false;
    if (::lstat(target.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // Saving through a link replaces the file it points to, not the link.
            char* resolved = ::realpath(target.c_str(), nullptr);
            if (resolved != nullptr) {
                target = resolved;
                std::free(resolved);
            }
        }
        if (::stat(target.c_str(), &st) == 0) {
            exists = true;
            if (S_ISDIR(st.st_mode))
                CFileException::ThrowErrno(EISDIR, path);
            if (::access(target.c_str(), W_OK) != 0)
                CFileException::ThrowErrno(errno, path);
        }
    }

    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::random_device random;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        temp = folder + "." + base + "." + suffix + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        CFileException::ThrowErrno(errno, path);

    int err = 0;
    if (exists && ::fchmod(fd, st.st_mode & 07777) != 0)
        err = errno;
    const BYTE* p = data.GetData();
    size_t left = static_cast<size_t>(data.GetSize());
    while (err == 0 && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno != EINTR)
                err = errno;
            continue;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        CFileException::ThrowErrno(err, path);
    }
    // The new name is durable once the folder is written too.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

void CompoundFile::Commit(DWORD /*grfCommitFlags*/)
{
    if (!m_pRoot)
        AfxThrowCompoundFileException(STG_E_INVALIDFUNCTION, m_strPathName, _T("no compound file is open"));
    if (m_bReadOnly)
        AfxThrowCompoundFileException(STG_E_ACCESSDENIED, m_strPathName, _T("it was opened read-only"));
    if (IsInMemory())
        return;
    WriteFile(m_strPathName);
    m_bExists = TRUE;
    Relock();
}

void CompoundFile::WriteUnlessHeld(const CString& path) const
{
    if (path != m_strPathName) {
        // Another program (or window) that has the target open keeps it.
        struct stat st;
        if (::stat(CFile::NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
            ::close(LockFile(path, TRUE));
    }
    WriteFile(path);
}

void CompoundFile::SaveCopyAs(LPCTSTR lpszPathName) const
{
    if (!m_pRoot)
        AfxThrowCompoundFileException(STG_E_INVALIDFUNCTION, lpszPathName, _T("no compound file is open"));
    const CString path = CFile::FullPath(lpszPathName);
    if (path == m_strPathName)
        AfxThrowCompoundFileException(STG_E_INVALIDPARAMETER, lpszPathName, _T("a copy cannot replace its own file"));
    WriteUnlessHeld(path);
}

void CompoundFile::SaveAs(LPCTSTR lpszPathName)
{
    if (!m_pRoot)
        AfxThrowCompoundFileException(STG_E_INVALIDFUNCTION, lpszPathName, _T("no compound file is open"));
    const CString path = CFile::FullPath(lpszPathName);
    WriteUnlessHeld(path);
    m_strPathName = path;
    m_bExists = TRUE;
    if (m_bReadOnly) {
        CompoundFileIo::SetReadOnly(*m_pRoot, FALSE);
        m_bReadOnly = FALSE;
    }
    Relock();
}

void CompoundFile::Revert()
{
    if (!m_pRoot)
        return;
    if (m_bExists) {
        const std::vector<BYTE> data = ReadWholeFile(m_strPathName);
        Load(data.data(), data.size(), m_bReadOnly, m_strPathName);
    } else {
        m_pRoot = std::make_unique<CompoundStorage>(m_bReadOnly);
    }
}

void CompoundFile::Close()
{
    Unlock();
    m_pRoot.reset();
    m_strPathName.Empty();
    m_bReadOnly = FALSE;
    m_bExists = FALSE;
}

HRESULT StgIsStorageFile(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr)
        return STG_E_INVALIDPOINTER;
    const int fd = ::open(CFile::NativePath(lpszPathName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return STG_E_FILENOTFOUND;
    BYTE header[8];
    ssize_t n;
    do {
        n = ::read(fd, header, sizeof header);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    return n >= 0 && CompoundFile::IsCompoundFile(header, static_cast<SIZE_T>(n)) ? S_OK : S_FALSE;
}

HRESULT WriteClassStg(CompoundStorage* pStorage, REFCLSID clsid)
{
    if (pStorage == nullptr)
        return E_POINTER;
    return pStorage->SetClass(clsid);
}

HRESULT ReadClassStg(const CompoundStorage* pStorage, CLSID* pClsid)
{
    if (pStorage == nullptr || pClsid == nullptr)
        return E_POINTER;
    *pClsid = pStorage->GetClass();
    return S_OK;
}

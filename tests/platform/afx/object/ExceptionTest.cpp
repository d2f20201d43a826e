#include <gtest/gtest.h>

#include <cerrno>

#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CInternetException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/COleException.h"
#include "platform/afx/CString.h"
#include "platform/afx/CUserException.h"

namespace {

// Counts live instances, to see which exceptions the macros free.
class CCountedException : public CUserException
{
public:
    CCountedException() { ++s_nLive; }
    ~CCountedException() override { --s_nLive; }
    static int s_nLive;
};
int CCountedException::s_nLive = 0;

CString Message(const CException& e)
{
    TCHAR buf[512];
    UINT help = 99;
    EXPECT_TRUE(e.GetErrorMessage(buf, 512, &help));
    EXPECT_EQ(help, 0u);
    return CString(buf);
}

}  // namespace

TEST(Exception, CatchMacrosFreeTheExceptionUnlessThrownOn)
{
    int caught = 0;
    TRY
    {
        throw new CCountedException;
    }
    CATCH(CFileException, e)
    {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CUserException, e)
    {
        EXPECT_EQ(CCountedException::s_nLive, 1);
        ++caught;
    }
    END_CATCH
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(CCountedException::s_nLive, 0);

    try {
        TRY
        {
            throw new CCountedException;
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        EXPECT_EQ(CCountedException::s_nLive, 1);
        e->Delete();
    }
    EXPECT_EQ(CCountedException::s_nLive, 0);

    // A handler that deletes the exception itself does not free it twice.
    TRY
    {
        TRY
        {
            throw new CCountedException;
        }
        CATCH(CUserException, e)
        {
            e->Delete();
            EXPECT_EQ(CCountedException::s_nLive, 0);
        }
        END_CATCH
    }
    CATCH_ALL(e)
    {
        ADD_FAILURE() << "nothing to catch here";
    }
    END_CATCH_ALL
    EXPECT_EQ(CCountedException::s_nLive, 0);
}

TEST(Exception, ThrowFunctionsThrowTheirClass)
{
    auto classOf = [](void (*thrower)()) -> const CRuntimeClass* {
        try {
            thrower();
        } catch (CException* e) {
            const CRuntimeClass* p = e->GetRuntimeClass();
            e->Delete();
            return p;
        }
        return nullptr;
    };
    EXPECT_EQ(classOf([] { AfxThrowMemoryException(); }), RUNTIME_CLASS(CMemoryException));
    EXPECT_EQ(classOf([] { AfxThrowInvalidArgException(); }), RUNTIME_CLASS(CInvalidArgException));
    EXPECT_EQ(classOf([] { AfxThrowNotSupportedException(); }), RUNTIME_CLASS(CNotSupportedException));
    EXPECT_EQ(classOf([] { AfxThrowUserException(); }), RUNTIME_CLASS(CUserException));
    EXPECT_EQ(classOf([] { AfxThrowOleException(5); }), RUNTIME_CLASS(COleException));
    EXPECT_EQ(classOf([] { AfxThrowInternetException(1, 12029); }), RUNTIME_CLASS(CInternetException));
    EXPECT_EQ(classOf([] { AfxThrowFileException(CFileException::diskFull); }), RUNTIME_CLASS(CFileException));
    EXPECT_EQ(classOf([] { AfxThrowArchiveException(CArchiveException::badClass); }),
              RUNTIME_CLASS(CArchiveException));

    // The memory exception is one static object that Delete leaves alone.
    CException* first = nullptr;
    CException* second = nullptr;
    try { AfxThrowMemoryException(); } catch (CException* e) { first = e; e->Delete(); }
    try { AfxThrowMemoryException(); } catch (CException* e) { second = e; e->Delete(); }
    EXPECT_EQ(first, second);
}

TEST(Exception, MessagesNameTheCauseAndTheFile)
{
    // The system's words for the error are in no language of the interface: only an error of no known
    // cause carries them, as its one clue.
    EXPECT_EQ(Message(CFileException(CFileException::fileNotFound, ENOENT, _T("/tmp/a.kvcd"))),
              CString(_T("The file \"/tmp/a.kvcd\" could not be found.")));
    EXPECT_EQ(Message(CFileException(CFileException::genericException, EINVAL, _T("b"))),
              CString(_T("An unexpected error occurred while accessing the file \"b\". (Invalid argument)")));
    EXPECT_EQ(Message(CFileException(CFileException::accessDenied)), CString(_T("Access to the file was denied.")));
    EXPECT_EQ(Message(CFileException(CFileException::sharingViolation, -1, _T("x"))),
              CString(_T("The file \"x\" is in use by another program or window.")));
    EXPECT_EQ(Message(CArchiveException(CArchiveException::endOfFile, _T("d.kvcd"))),
              CString(_T("The file \"d.kvcd\" ended unexpectedly; it is truncated or damaged.")));
    EXPECT_EQ(Message(CArchiveException(CArchiveException::badSchema)),
              CString(_T("The file contains data of a version that this program cannot read.")));
    EXPECT_EQ(Message(CMemoryException()), CString(_T("Out of memory.")));
    EXPECT_EQ(Message(COleException(static_cast<SCODE>(0x80004005))),
              CString(_T("An OLE operation failed (status 0x80004005).")));

    // Every cause has its own text.
    for (int cause = CFileException::none; cause <= CFileException::endOfFile; ++cause) {
        for (int other = cause + 1; other <= CFileException::endOfFile; ++other)
            EXPECT_NE(Message(CFileException(cause)), Message(CFileException(other)));
    }

    // Truncated to the buffer, always terminated; a user exception has no message.
    TCHAR small[6];
    EXPECT_TRUE(CMemoryException().GetErrorMessage(small, 6));
    EXPECT_EQ(CString(small), CString(_T("Out o")));
    TCHAR buf[8] = {u'x'};
    EXPECT_FALSE(CUserException().GetErrorMessage(buf, 8));
    EXPECT_EQ(buf[0], 0);
}

TEST(Exception, ErrnoMapsToCauses)
{
    struct Case
    {
        int nErrno;
        int cause;
    };
    const Case cases[] = {
        {ENOENT, CFileException::fileNotFound}, {ENOTDIR, CFileException::badPath},
        {EACCES, CFileException::accessDenied}, {EROFS, CFileException::accessDenied},
        {EMFILE, CFileException::tooManyOpenFiles}, {ENOSPC, CFileException::diskFull},
        {EIO, CFileException::hardIO},          {EBADF, CFileException::invalidFile},
        {EINTR, CFileException::genericException},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileException::OsErrorToException(c.nErrno), c.cause) << c.nErrno;
}

TEST(Exception, ReportErrorGoesToTheInstalledFunction)
{
    static CString s_text;
    static UINT s_type = 0;
    auto previous = CException::SetReportErrorProc([](LPCTSTR text, UINT nType, UINT) {
        s_text = text;
        s_type = nType;
        return 7;
    });
    CArchiveException e(CArchiveException::badClass, _T("f"));
    EXPECT_EQ(e.ReportError(0x30), 7);
    EXPECT_EQ(s_text, e.GetErrorText());
    EXPECT_EQ(s_type, 0x30u);
    CException::SetReportErrorProc(previous);
}

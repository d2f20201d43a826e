#pragma once
// The base of every exception of the framework. Exceptions are thrown as pointers made with new
// (`throw new CFileException(...)`), caught as `catch (CException* e)` and freed with `e->Delete()`.
// The TRY/CATCH macros below free the caught exception themselves at the end of the block, unless it is
// thrown on with THROW_LAST.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CObject.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    ~CException() override = default;

    // Frees the exception unless it is a static one (made with bAutoDelete FALSE).
    void Delete();

    // Writes a readable message of at most nMaxError units (with the NUL) into lpszError. Returns FALSE
    // when there is no message; pnHelpContext, when given, is set to 0.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;

    // Shows the message to the user (nType as for a message box; nMessageID, a string number, is used when
    // the exception has no message of its own). The window layer installs the function that shows it;
    // without one the message goes to standard error. Returns the button chosen.
    virtual int ReportError(UINT nType = 0, UINT nMessageID = 0);

    typedef int (*ReportErrorProc)(LPCTSTR lpszText, UINT nType, UINT nMessageID);
    // Installs the function ReportError calls; returns the previous one.
    static ReportErrorProc SetReportErrorProc(ReportErrorProc pfn);

    BOOL m_bAutoDelete;
};

// Copies the text into the caller's buffer, truncated to nMaxError units with the NUL.
void AfxCopyErrorMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError);

// Frees the exception caught by CATCH at the end of the TRY block unless it was thrown on. The links of
// nested TRY blocks form a per-thread chain, so an exception that the handler deletes itself is not
// freed twice.
struct AFX_EXCEPTION_LINK
{
    CException* m_pException = nullptr;
    AFX_EXCEPTION_LINK* m_pLinkPrev;

    AFX_EXCEPTION_LINK();
    ~AFX_EXCEPTION_LINK();
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
};

#define TRY                                   \
    {                                         \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try {
#define CATCH(class_name, e)          \
    }                                 \
    catch (class_name * e)            \
    {                                 \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e)      \
    }                                 \
    catch (class_name * e)            \
    {                                 \
        _afxExceptionLink.m_pException = e;
#define END_CATCH \
    }             \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define END_TRY END_CATCH

#define THROW(e) throw e
#define THROW_LAST()                           \
    do {                                       \
        _afxExceptionLink.m_pException = nullptr; \
        throw;                                 \
    } while (0)

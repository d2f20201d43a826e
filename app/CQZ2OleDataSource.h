#pragma once
// The data of one copy on the clipboard: it offers the native format, the vector picture, the bitmap and
// (when the copy has texts) the text, and renders each when a reader asks. It shares the clip with the
// document's renderer, so the data stays readable after the document has gone.

#include <memory>

#include "platform/ole/COleDataSource.h"

class CQZ2Doc;

namespace QZ2Command {
class ClipDocument;
}

class CQZ2OleDataSource : public COleDataSource
{
    DECLARE_DYNAMIC(CQZ2OleDataSource)
public:
    CQZ2OleDataSource(CQZ2Doc* pDocument, std::shared_ptr<const QZ2Command::ClipDocument> pClip);
    ~CQZ2OleDataSource() override;

    // Offers the formats of the clip, each rendered when asked for.
    void FillDataSource();
    BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override;

    // The document the copy came from; NULL once it has closed.
    CQZ2Doc* GetDocument() const { return m_pDocument; }
    void ForgetDocument() { m_pDocument = nullptr; }
    const std::shared_ptr<const QZ2Command::ClipDocument>& GetClip() const { return m_pClip; }
    // The formats rendered so far (for tests: rendering is delayed).
    int GetRenderCount() const { return m_nRendered; }

private:
    CQZ2Doc* m_pDocument;
    std::shared_ptr<const QZ2Command::ClipDocument> m_pClip;
    int m_nRendered = 0;
};

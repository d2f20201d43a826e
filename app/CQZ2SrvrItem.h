#pragma once
// The clipboard renderer of a document: it keeps the latest copy made from the document (the clip and its
// base point) and renders what readers ask for when they ask: the native data (for this program and other
// instances of it), a vector picture (SVG, its size in millimetres the copy's extent on paper), a bitmap
// (PNG at 200 dpi) and the texts of the copied text shapes. Nothing is embedded in other programs'
// documents on this platform: the item only serves the clipboard.

#include <memory>

#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/AfxTypes.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"

class CQZ2Doc;
class QImage;

namespace QZ2Command {
class ClipDocument;
}

class CQZ2SrvrItem
{
public:
    explicit CQZ2SrvrItem(CQZ2Doc* pDocument);
    ~CQZ2SrvrItem();
    CQZ2SrvrItem(const CQZ2SrvrItem&) = delete;
    CQZ2SrvrItem& operator=(const CQZ2SrvrItem&) = delete;

    // The document's item, made on first use when bCreate; NULL for none.
    static CQZ2SrvrItem* GetItem(CQZ2Doc* pDocument, BOOL bCreate);
    // Hands the copy and clipboard hooks to the copy command; RemoveServices takes them back.
    static void InstallServices();
    static void RemoveServices();

    // Takes the clip over (the previous one is let go) and offers its formats on the clipboard, rendered
    // when asked for. FALSE when the clipboard cannot be opened.
    BOOL CopyToClipboard(QZ2Command::ClipDocument* pClip);
    const std::shared_ptr<QZ2Command::ClipDocument>& GetClipDocument() const { return m_pClipDocument; }
    CQZ2Doc* GetDocument() const { return m_pDocument; }

    // The close handling of a document whose copy is on the clipboard: a copy of 10 or more shapes asks
    // whether it stays (Yes renders everything now, No empties the clipboard); a smaller one stays without
    // asking. The document's item goes.
    static void OnDocumentClosing(CQZ2Doc* pDocument);

    // ---- renderers (also for tests and benchmarks) ----
    // The extent of the clip's drawing on paper in HIMETRIC (0.01 mm), fitted by FitExtent.
    static BOOL GetExtent(const QZ2Command::ClipDocument& clip, int& cx, int& cy);
    // The larger side at most 32000, then the smaller side at least 1000, keeping the proportion; a side
    // of 0 counts as the least.
    static void FitExtent(double& cx, double& cy);
    // The bitmap's size for an extent: 200 dpi, then at most 9,000,000 and (when possible) at least
    // 1,000,000 pixels, keeping the proportion.
    static void GetBitmapSize(int cxExtent, int cyExtent, int& width, int& height);
    // The region the pictures show: the drawing's shapes with a margin of 5 % on each side.
    static void GetDrawingBoxWithMargin(const QZ2Command::ClipDocument& clip, RuVaPnt2d& lowerLeft,
                                        RuVaPnt2d& upperRight);
    static BOOL GetNativeData(const QZ2Command::ClipDocument& clip, CByteArray& bytes);
    static BOOL GetSvgData(const QZ2Command::ClipDocument& clip, CByteArray& bytes);
    static BOOL GetBitmapImage(const QZ2Command::ClipDocument& clip, QImage& image);
    // A packed device-independent bitmap (32 bits, bottom-up) of GetBitmapImage, its resolution stored.
    static HGLOBAL GetDibData(const QZ2Command::ClipDocument& clip);
    // The texts of the copied text shapes, one a line; empty when there are none.
    static CString GetTextData(const QZ2Command::ClipDocument& clip);

private:
    CQZ2Doc* m_pDocument;
    std::shared_ptr<QZ2Command::ClipDocument> m_pClipDocument;
};

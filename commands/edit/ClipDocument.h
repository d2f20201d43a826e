#pragma once
// The shapes of one copy, as they travel through the clipboard: a data model of their own with the
// drawings, part layouts, settings and layers they need, the saved view tabs (the active one is what a
// paste shows), and the base point that follows the cursor when pasting.
//
// Native data: the document archive exactly as a drawing file keeps it in its document stream (the
// embedded-item count 0, then the model and the tabs), followed by the base point's x and y as doubles.
// Bytes after the base point are ignored.

#include <memory>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CByteArray.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DrawViewInfo.h"

class Draw2dDocument;
class DrawingFeatureBase;

namespace QZ2Command {

class ClipDocument
{
public:
    // Name of the part drawing that holds shapes copied while a component definition is edited.
    static constexpr LPCTSTR kComponentDrawingName = _T("__drawComponentDrawingFeatureName__");

    // An empty model: one paper, the default tables.
    ClipDocument();
    ~ClipDocument();
    ClipDocument(const ClipDocument&) = delete;
    ClipDocument& operator=(const ClipDocument&) = delete;

    Draw2dDocument* GetModel() const { return m_pModel.get(); }
    DrawViewInfo& GetViewInfo() { return m_viewInfo; }
    const DrawViewInfo& GetViewInfo() const { return m_viewInfo; }
    const RuVaPnt2d& GetBasePoint() const { return m_basePoint; }
    void SetBasePoint(const RuVaPnt2d& point) { m_basePoint = point; }
    long GetFeatureCount() const;
    // The drawing of the active saved tab (the first paper when there is none).
    DrawingFeatureBase* GetActiveViewDrawing() const;
    // The view type of the active saved tab (0 paper, 1 part drawing, 4 component); 0 without one.
    int GetActiveViewType() const;

    // The two native clipboard formats, registered under the names of the language library (the same in
    // every language, so that instances in two languages exchange data); 0 without those names.
    static UINT GetNativeFormatA();
    static UINT GetNativeFormatB();

    // The native data; FALSE when the model cannot be written.
    BOOL WriteNativeData(CByteArray& bytes) const;
    // A new clip read from native data by the checked reader: NULL for data the model refuses, fewer
    // than 16 bytes after the archive, or a base point that is not finite. Never throws.
    static ClipDocument* ReadNativeData(const BYTE* pData, size_t nSize);

private:
    std::unique_ptr<Draw2dDocument> m_pModel;
    DrawViewInfo m_viewInfo;
    RuVaPnt2d m_basePoint;
};

}  // namespace QZ2Command

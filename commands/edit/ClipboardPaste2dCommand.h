#pragma once
// Paste and Paste Special: reads what the clipboard holds (a copy of this program's shapes, text), rebuilds
// it under the target drawing's settings for the preview, lets it follow the cursor with its base point on
// it (scaled and turned by the command's values for shapes) and adds one copy at each click in one undo
// step. Data that cannot be read is refused with a message and the command does not start.
//
// The parameter set is decided when the object is made, by what the clipboard holds then: the scale and
// angle exist only in an object first started with shapes on the clipboard.

#include <memory>
#include <vector>

#include "command/CommandBase.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaPnt2d.h"

class Draw2dDocument;
class Feature2dBase;
class Draw2dView;
class PartDrawingLayout;
class COleDataObject;
class CQZ2OlePasteSpecialDialog;

namespace QZ2Command {

class ClipDocument;

class ClipboardPaste2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ClipboardPaste2dCommand)
public:
    enum : WORD { itemScale = 1, itemAngle = 2, itemPoint = 3 };
    // What a paste adds.
    enum Kind { kindNone = 0, kindNative = 1, kindObject = 2, kindText = 3, kindImage = 4 };

    ClipboardPaste2dCommand();
    ~ClipboardPaste2dCommand() override;

    void OnDocumentChanging(Draw2dDocument* pPrevious) override;
    void OnDocumentUpdated(const NotifyInfoBase& info) override;
    void OnViewChanged() override;
    void SetupParameters() override;
    BOOL OnStart() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    void OnEnd() override;
    void OnActiveDrawingChanged(long nValue1, long nValue2) override;

    int GetPasteKind() const { return m_nKind; }
    const ClipDocument* GetClipDocument() const { return m_pClip.get(); }
    const ClipDocument* GetPasteDocument() const { return m_pPaste.get(); }
    const CString& GetText() const { return m_strText; }
    // The embedded-file record read (kind 2) and the file's natural size in millimetres.
    const std::vector<BYTE>& GetItemData() const { return m_item; }
    double GetItemWidth() const { return m_dItemWidth; }
    double GetItemHeight() const { return m_dItemHeight; }
    // The Paste Special dialog of the last start; NULL for plain Paste.
    const CQZ2OlePasteSpecialDialog* GetPasteSpecialDialog() const { return m_pDialog.get(); }

    // Whether the clipboard holds a copy of this program's shapes.
    static BOOL IsNativeDataAvailable();
    // The most characters a text shape holds.
    static constexpr int kMaxTextLength = 32767;
    // Clipboard text made fit for a text shape: trailing line breaks removed; FALSE for an empty text or
    // one longer than a text shape holds.
    static BOOL PrepareText(CString& text);
    // The most pixels a pasted picture may have.
    static constexpr double kMaxImagePixels = 100.0e6;
    // A packed device-independent bitmap turned into a PNG picture and its size in millimetres (its own
    // resolution, else 96 dpi); FALSE for data that is not a picture, too large, or that cannot be decoded
    // within the decoder's memory limit.
    static BOOL DecodeDib(const BYTE* pData, size_t nSize, std::vector<BYTE>& png, double& dWidthMM,
                          double& dHeightMM);

    // The local files a file list names (text/uri-list: one URL a line, # starts a comment; only file
    // URLs count), in their order.
    static std::vector<CString> ParseFileList(const BYTE* pData, size_t nSize);

    // Adds the clip's shapes to the view's active drawing with the base point on the point (local
    // coordinates of the active drawing), scaled and turned about it; one undo step. The number of shapes
    // added; the number that could not be added goes to *pFailed. Into a component definition nothing is
    // added when one shape may not go there (*pFailed -1).
    static int PasteNative(const ClipDocument& clip, Draw2dDocument* pTarget, Draw2dView* pView, double dScaleX,
                           double dScaleY, double dAngle, const RuVaPnt2d& point, int* pFailed);

private:
    // Reads the clipboard into the fields; FALSE (after telling the user when the data is bad) when there
    // is nothing to paste.
    // With a choice (Paste Special) the chosen format decides; bLink asks for a link to a file.
    BOOL ReadClipboard(COleDataObject& data, UINT nChosen = 0, BOOL bLink = FALSE);
    BOOL ReadNativeData(COleDataObject& data, UINT nFormat = 0);
    BOOL ReadText(COleDataObject& data, UINT nFormat = 0);
    // The first file of a file list: a drawing of this program (read as shapes, kind 1) or an embedded or
    // linked file (kind 2); the number of further files is kept for the status bar.
    BOOL ReadFileList(COleDataObject& data, BOOL bLink, int& nKind);
    BOOL ReadDrawingFile(const CString& strPath);
    BOOL ReadSvg(COleDataObject& data);
    // Offers what the clipboard holds; FALSE when the user cancels.
    BOOL RunPasteSpecial(COleDataObject& data, UINT& nFormat, BOOL& bLink);
    BOOL BuildOlePasteDocument(Draw2dDocument* pTarget);
    // An object shape of the read file at the point, sized for the layout's scale; NULL when it cannot be made.
    Feature2dBase* MakeObject(const RuVaPnt2d& point, const PartDrawingLayout* pLayout) const;
    BOOL ReadBitmap(COleDataObject& data);
    BOOL BuildImagePasteDocument(Draw2dDocument* pTarget);
    // A picture shape of the pasted image at the point, scaled and turned; NULL when it cannot be made.
    Feature2dBase* MakeImage(const RuVaPnt2d& point, double dScaleX, double dScaleY, double dAngle) const;
    void Reset();
    BOOL BuildPasteDocument();
    BOOL BuildNativePasteDocument(Draw2dDocument* pTarget);
    BOOL BuildTextPasteDocument(Draw2dDocument* pTarget);
    void BuildDragData();
    BOOL PasteAt(const RuVaPnt2d& point, double dScaleX, double dScaleY, double dAngle);
    void ShowBadData();
    BOOL GetScaleAndAngle(double& dScaleX, double& dScaleY, double& dAngle, BOOL& bEmpty) const;

    int m_nKind = kindNone;
    std::unique_ptr<ClipDocument> m_pClip;
    CString m_strText;
    std::vector<BYTE> m_image;  // PNG
    double m_dImageWidth = 0.0;
    double m_dImageHeight = 0.0;
    std::vector<BYTE> m_item;
    double m_dItemWidth = 0.0;
    double m_dItemHeight = 0.0;
    int m_nSkippedFiles = 0;
    std::unique_ptr<CQZ2OlePasteSpecialDialog> m_pDialog;
    std::unique_ptr<ClipDocument> m_pPaste;
    RuVaPnt2d m_basePoint;
    BOOL m_bBusy = FALSE;
};

}  // namespace QZ2Command

#include "commands/edit/ClipboardPaste2dCommand.h"

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtGui/QImage>
#include <QtGui/QImageReader>

#include <cmath>
#include <cstring>
#include <unordered_set>

#include <QtCore/QUrl>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "commands/edit/ClipDocument.h"
#include "commands/edit/CQZ2OlePasteSpecialDialog.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/EmbeddedFileBuilder.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "platform/afx/CByteArray.h"
#include "platform/ole/CodePageText.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/ole/COleDataObject.h"
#include "platform/win/WinClipboard.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ClipboardPaste2dCommand, CommandBase)

namespace {

constexpr UINT kScaleCaption = 10706;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kPointCaption = 10729;
constexpr UINT kPointPrompt = 10507;
// "A component cannot hold one of the pasted shapes."
constexpr UINT kNotForComponent = 10510;
// "The clipboard holds data that cannot be pasted."
constexpr UINT kBadClipboardData = 12961;
// "%d shapes could not be pasted."
constexpr UINT kShapesNotPasted = 12962;
constexpr UINT kExclamationOk = 0x30;
// Paste Special's names: "Vector picture (SVG)", "Unicode text", "Embedded file", "Linked file", "Text",
// "Picture"; and "%d further files on the clipboard were not pasted."
constexpr UINT kSvgName = 10508;
constexpr UINT kUnicodeTextName = 10509;
constexpr UINT kEmbeddedFileName = 13014;
constexpr UINT kLinkedFileName = 13015;
constexpr UINT kTextName = 13016;
constexpr UINT kPictureName = 13017;
constexpr UINT kFilesSkipped = 13018;
// The stream of a drawing file that holds the document archive.
constexpr LPCTSTR kDocumentStream = _T("QZ2Document");
// The name a pasted vector picture is kept under.
constexpr LPCTSTR kPastedSvgName = _T("picture.svg");

// A placed shape that must be laid out again (dimensions, leaders) or keep a valid boundary (hatches).
BOOL IsSoundAfterPlacement(Feature2dBase* pFeature, const Feature2dBase* pMoved)
{
    const int type = pFeature->GetFeatureType();
    if (type >= FeatureTypeLinearDimension && type <= FeatureTypeParallelDimension)
        return FeatureCreator::UpdateDimensionFeature(static_cast<Dimension2dFeatureBase*>(pFeature), nullptr, 0, 1.0,
                                                      1.0) != 0;
    if (type == FeatureTypeLead)
        return FeatureCreator::UpdateLeadFeature(static_cast<Lead2dFeature*>(pFeature), nullptr);
    if (type == FeatureTypeHatch)
        return static_cast<const Hatch2dFeature*>(pMoved)->IsValidRegion();
    return TRUE;
}

// Each record of a drawing's display lists once, with the first layout it is seen through.
struct Listed {
    long record;
    long layout;
};
std::vector<Listed> ListOnce(const Draw2dDocument* pModel, long nDrawingID)
{
    std::vector<Draw2dDocument::DisplayOrderList> lists;
    pModel->GetFeatureRecordListInDisplayOrder(nDrawingID, lists, nullptr, 1, 1, 0);
    std::vector<Listed> out;
    std::unordered_set<long> seen;
    for (const auto& list : lists)
        for (size_t i = 0; i < list.recordIDs.size(); ++i)
            if (seen.insert(list.recordIDs[i]).second)
                out.push_back({list.recordIDs[i], i < list.layoutIDs.size() ? list.layoutIDs[i] : -1});
    return out;
}

// The base point in the coordinates of the layout a shape is seen through.
RuVaPnt2d BaseInLayout(const ClipDocument& clip, const PartDrawingLayout* pLayout)
{
    RuVaPnt2d base = clip.GetBasePoint();
    if (clip.GetActiveViewType() == 0 && pLayout != nullptr)
        pLayout->ConvertPointWorldToLocal(clip.GetBasePoint(), base);
    return base;
}

}  // namespace

ClipboardPaste2dCommand::ClipboardPaste2dCommand() = default;
ClipboardPaste2dCommand::~ClipboardPaste2dCommand() = default;

BOOL ClipboardPaste2dCommand::IsNativeDataAvailable()
{
    const UINT a = ClipDocument::GetNativeFormatA();
    const UINT b = ClipDocument::GetNativeFormatB();
    return (a != 0 && IsClipboardFormatAvailable(a)) || (b != 0 && IsClipboardFormatAvailable(b)) ? TRUE : FALSE;
}

BOOL ClipboardPaste2dCommand::PrepareText(CString& text)
{
    while (!text.IsEmpty() && (text.Right(1) == _T("\n") || text.Right(1) == _T("\r")))
        text.Delete(text.GetLength() - 1, 1);
    return !text.IsEmpty() && text.GetLength() <= kMaxTextLength ? TRUE : FALSE;
}

void ClipboardPaste2dCommand::SetupParameters()
{
    // Decided once, by what the clipboard holds when the object is made.
    if (IsNativeDataAvailable()) {
        ScaleParameterItem scale;
        ShapeCommandHelper::PrepareItem(scale, itemScale, kScaleCaption, 0);
        scale.SetValue(1.0, 1.0);
        scale.SetDefaultValue(1.0, 1.0);
        scale.m_bHistory = TRUE;
        scale.m_nRetentionMode = 1;
        ShapeCommandHelper::AddSingleItemParameter(this, scale);
        AngleParameterItem angle;
        ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, 0);
        angle.SetValue(0.0);
        angle.SetDefaultValue(0.0);
        angle.m_bHistory = TRUE;
        angle.m_nRetentionMode = 1;
        ShapeCommandHelper::AddSingleItemParameter(this, angle);
    }
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, kPointCaption, kPointPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

void ClipboardPaste2dCommand::Reset()
{
    m_pClip.reset();
    m_pPaste.reset();
    m_strText.Empty();
    m_image.clear();
    m_dImageWidth = m_dImageHeight = 0.0;
    m_item.clear();
    m_dItemWidth = m_dItemHeight = 0.0;
    m_nSkippedFiles = 0;
    m_nKind = kindNone;
    m_basePoint = RuVaPnt2d(0.0, 0.0);
    if (m_pDrag != nullptr) {
        m_pDrag->ClearDragData();
        m_pDrag->ClearFeature();
    }
}

void ClipboardPaste2dCommand::ShowBadData()
{
    if (m_pManager != nullptr)
        m_pManager->ShowMessageBox(LoadResourceString(kBadClipboardData), kExclamationOk);
}

BOOL ClipboardPaste2dCommand::OnStart()
{
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || m_pManager->GetDraw2dDocument() == nullptr)
        return FALSE;
    Reset();
    m_pDialog.reset();
    COleDataObject data;
    if (!data.AttachClipboard())
        return FALSE;
    UINT nChosen = 0;
    BOOL bLink = FALSE;
    if (GetIdentifier() == CString(_T("Korvan.Edit.ClipboardPasteSpecial")) && !RunPasteSpecial(data, nChosen, bLink)) {
        m_pDialog.reset();
        return FALSE;
    }
    if (!ReadClipboard(data, nChosen, bLink))
        return FALSE;
    if (!BuildPasteDocument()) {
        Reset();
        return FALSE;
    }
    if (m_nSkippedFiles > 0)
        EditCommandHelper::ShowStatus(this, kFilesSkipped, m_nSkippedFiles);
    return TRUE;
}

BOOL ClipboardPaste2dCommand::RunPasteSpecial(COleDataObject& data, UINT& nFormat, BOOL& bLink)
{
    nFormat = 0;
    bLink = FALSE;
    m_pDialog = std::make_unique<CQZ2OlePasteSpecialDialog>();
    auto has = [&data](UINT f) { return f != 0 && data.IsDataAvailable(static_cast<CLIPFORMAT>(f)); };
    const UINT a = ClipDocument::GetNativeFormatA();
    const UINT b = ClipDocument::GetNativeFormatB();
    // Only what the clipboard holds, in this order.
    if (has(a))
        m_pDialog->AddFormat(static_cast<CLIPFORMAT>(a), _T("Rivedi VEZ"));
    if (has(b))
        m_pDialog->AddFormat(static_cast<CLIPFORMAT>(b), _T("ZA!!"));
    if (has(CF_HDROP)) {
        m_pDialog->AddFormat(CF_HDROP, LoadResourceString(kEmbeddedFileName));
        m_pDialog->AddFormat(CF_HDROP, LoadResourceString(kLinkedFileName), TRUE);
    }
    if (has(CF_ENHMETAFILE))
        m_pDialog->AddFormat(CF_ENHMETAFILE, LoadResourceString(kSvgName));
    if (has(CF_UNICODETEXT))
        m_pDialog->AddFormat(CF_UNICODETEXT, LoadResourceString(kUnicodeTextName));
    if (has(CF_TEXT))
        m_pDialog->AddFormat(CF_TEXT, LoadResourceString(kTextName));
    if (has(CF_DIB))
        m_pDialog->AddFormat(CF_DIB, LoadResourceString(kPictureName));
    if (m_pDialog->GetEntryCount() == 0 || m_pDialog->DoModal() != IDOK)
        return FALSE;
    nFormat = m_pDialog->GetSelectedFormat();
    bLink = m_pDialog->GetSelectionType() == COlePasteSpecialDialog::pasteLink ? TRUE : FALSE;
    return nFormat != 0 ? TRUE : FALSE;
}

BOOL ClipboardPaste2dCommand::ReadClipboard(COleDataObject& data, UINT nChosen, BOOL bLink)
{
    const UINT a = ClipDocument::GetNativeFormatA();
    const UINT b = ClipDocument::GetNativeFormatB();
    // Chosen with Paste Special, else available; the first match wins.
    auto has = [&](UINT f) {
        return f != 0 && (nChosen != 0 ? nChosen == f : data.IsDataAvailable(static_cast<CLIPFORMAT>(f)) != FALSE);
    };
    int kind = kindNone;
    BOOL bRead = FALSE;
    if (has(a) || has(b)) {
        kind = kindNative;
        bRead = ReadNativeData(data, nChosen);
    } else if (has(CF_HDROP)) {
        bRead = ReadFileList(data, bLink, kind);
    } else if (has(CF_ENHMETAFILE) && (ReadSvg(data) || nChosen != 0)) {
        // A vector picture that cannot be drawn gives way to the text or picture offered beside it; chosen
        // by name, or alone, it is refused.
        kind = kindObject;
        bRead = m_item.empty() ? FALSE : TRUE;
    } else if (has(CF_UNICODETEXT) || has(CF_TEXT)) {
        kind = kindText;
        bRead = ReadText(data, nChosen);
    } else if (has(CF_DIB) || has(CF_BITMAP)) {
        kind = kindImage;
        bRead = ReadBitmap(data);
    } else if (has(CF_ENHMETAFILE)) {
        bRead = FALSE;  // a vector picture that cannot be drawn, and nothing beside it
    } else {
        return FALSE;
    }
    if (!bRead) {
        Reset();
        ShowBadData();
        return FALSE;
    }
    m_nKind = kind;
    return TRUE;
}

BOOL ClipboardPaste2dCommand::ReadFileList(COleDataObject& data, BOOL bLink, int& nKind)
{
    m_basePoint = RuVaPnt2d(0.0, 0.0);
    HGLOBAL h = data.GetGlobalData(CF_HDROP);
    if (h == nullptr)
        return FALSE;
    const std::vector<CString> paths =
        ParseFileList(static_cast<const BYTE*>(GlobalLock(h)), static_cast<size_t>(GlobalSize(h)));
    GlobalUnlock(h);
    GlobalFree(h);
    if (paths.empty())
        return FALSE;
    const CString first = paths.front();
    m_nSkippedFiles = static_cast<int>(paths.size()) - 1;
    // A drawing of this program copied as a file pastes its shapes.
    if (!bLink && EmbeddedFileBuilder::IsOwnDrawingFile(first)) {
        nKind = kindNative;
        return ReadDrawingFile(first);
    }
    nKind = kindObject;
    EmbeddedFileRecord record;
    if (!EmbeddedFileBuilder::FromFile(first, bLink, record, m_dItemWidth, m_dItemHeight) || !(m_dItemWidth > 0.0) ||
        !(m_dItemHeight > 0.0))
        return FALSE;
    m_item = record.Write();
    return m_item.empty() ? FALSE : TRUE;
}

std::vector<CString> ClipboardPaste2dCommand::ParseFileList(const BYTE* pData, size_t nSize)
{
    std::vector<CString> paths;
    if (pData == nullptr || nSize > 0x7FFFFFF0)
        return paths;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(pData), static_cast<qsizetype>(nSize));
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
        if (url.isValid() && url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths.push_back(CString::FromQString(url.toLocalFile()));
    }
    return paths;
}

BOOL ClipboardPaste2dCommand::ReadDrawingFile(const CString& strPath)
{
    CByteArray stream;
    try {
        CompoundFile file;
        file.Open(strPath, TRUE);
        if (file.GetRootStorage() == nullptr || FAILED(file.GetRootStorage()->ReadStream(kDocumentStream, stream)))
            return FALSE;
        file.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    // The document archive as native data with the base point at the origin.
    const INT_PTR size = stream.GetSize();
    stream.SetSize(size + 16);
    std::memset(stream.GetData() + size, 0, 16);
    m_pClip.reset(ClipDocument::ReadNativeData(stream.GetData(), static_cast<size_t>(stream.GetSize())));
    if (m_pClip == nullptr || m_pClip->GetFeatureCount() == 0) {
        m_pClip.reset();
        return FALSE;
    }
    m_basePoint = RuVaPnt2d(0.0, 0.0);
    return TRUE;
}

BOOL ClipboardPaste2dCommand::ReadSvg(COleDataObject& data)
{
    m_basePoint = RuVaPnt2d(0.0, 0.0);
    HGLOBAL h = data.GetGlobalData(CF_ENHMETAFILE);
    if (h == nullptr)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(h));
    const std::vector<BYTE> bytes(p, p + GlobalSize(h));
    GlobalUnlock(h);
    GlobalFree(h);
    // Only a picture that draws: anything else under the vector picture's name is not what was copied.
    EmbeddedFileRecord record;
    if (!EmbeddedFileBuilder::IsDrawableSvg(bytes) ||
        !EmbeddedFileBuilder::FromBytes(kPastedSvgName, bytes, record, m_dItemWidth, m_dItemHeight) ||
        !(m_dItemWidth > 0.0) || !(m_dItemHeight > 0.0))
        return FALSE;
    m_item = record.Write();
    return m_item.empty() ? FALSE : TRUE;
}

BOOL ClipboardPaste2dCommand::ReadNativeData(COleDataObject& data, UINT nFormat)
{
    const UINT a = ClipDocument::GetNativeFormatA();
    const UINT b = ClipDocument::GetNativeFormatB();
    const UINT format = nFormat != 0 && (nFormat == a || nFormat == b)
                            ? nFormat
                            : (a != 0 && data.IsDataAvailable(static_cast<CLIPFORMAT>(a)) ? a : b);
    HGLOBAL h = data.GetGlobalData(static_cast<CLIPFORMAT>(format));
    if (h == nullptr)
        return FALSE;
    const SIZE_T size = GlobalSize(h);
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(h));
    m_pClip.reset(ClipDocument::ReadNativeData(p, size));
    GlobalUnlock(h);
    GlobalFree(h);
    if (m_pClip == nullptr || m_pClip->GetFeatureCount() == 0) {
        m_pClip.reset();
        return FALSE;
    }
    m_basePoint = m_pClip->GetBasePoint();
    return TRUE;
}

BOOL ClipboardPaste2dCommand::ReadText(COleDataObject& data, UINT nFormat)
{
    m_basePoint = RuVaPnt2d(0.0, 0.0);
    if (nFormat == CF_TEXT || !data.IsDataAvailable(CF_UNICODETEXT)) {
        // Text without a charset: UTF-8 when it is valid UTF-8, else the ANSI code page.
        HGLOBAL h8 = data.GetGlobalData(CF_TEXT);
        if (h8 == nullptr)
            return FALSE;
        const BYTE* p8 = static_cast<const BYTE*>(GlobalLock(h8));
        size_t n8 = 0;
        const size_t size8 = GlobalSize(h8);
        while (n8 < size8 && p8[n8] != 0)
            ++n8;
        const QByteArray bytes(reinterpret_cast<const char*>(p8), static_cast<qsizetype>(n8));
        const QString utf8 = QString::fromUtf8(bytes);
        CString text = utf8.toUtf8() == bytes ? CString::FromQString(utf8)
                                              : CodePageText::Decode(p8, n8, CodePageText::GetAnsiCodePage());
        GlobalUnlock(h8);
        GlobalFree(h8);
        if (!PrepareText(text))
            return FALSE;
        m_strText = text;
        return TRUE;
    }
    HGLOBAL h = data.GetGlobalData(CF_UNICODETEXT);
    if (h == nullptr)
        return FALSE;
    const SIZE_T size = GlobalSize(h);
    const auto* p = static_cast<const char16_t*>(GlobalLock(h));
    size_t n = 0;
    while (n < size / 2 && p[n] != 0)
        ++n;
    CString text(std::u16string(p, n).c_str());
    GlobalUnlock(h);
    GlobalFree(h);
    if (!PrepareText(text))
        return FALSE;
    m_strText = text;
    return TRUE;
}

BOOL ClipboardPaste2dCommand::DecodeDib(const BYTE* pData, size_t nSize, std::vector<BYTE>& png, double& dWidthMM,
                                        double& dHeightMM)
{
    png.clear();
    dWidthMM = dHeightMM = 0.0;
    if (pData == nullptr || nSize < 40 || nSize > 0x7FFFFFF0)
        return FALSE;
    auto u32 = [pData](size_t o) {
        return quint32(pData[o]) | quint32(pData[o + 1]) << 8 | quint32(pData[o + 2]) << 16 | quint32(pData[o + 3]) << 24;
    };
    const quint32 headerSize = u32(0);
    const qint64 width = static_cast<qint32>(u32(4));
    const qint64 height = std::llabs(static_cast<qint64>(static_cast<qint32>(u32(8))));
    const int bits = pData[14] | pData[15] << 8;
    const quint32 compression = u32(16);
    quint32 colours = u32(32);
    if (headerSize < 40 || headerSize > nSize || width <= 0 || height <= 0 || bits <= 0 || bits > 32)
        return FALSE;
    // The header's size is checked before anything is allocated for the pixels.
    if (static_cast<double>(width) * static_cast<double>(height) > kMaxImagePixels)
        return FALSE;
    if (colours == 0 && bits <= 8)
        colours = 1u << bits;
    if (colours > 256)
        colours = 0;
    quint64 offset = 14ull + headerSize + static_cast<quint64>(colours) * 4;
    if (compression == 3 && headerSize == 40)
        offset += 12;
    if (offset > nSize + 14ull)
        return FALSE;
    // Uncompressed pixels must all be there.
    if (compression == 0 || compression == 3) {
        const quint64 stride = ((static_cast<quint64>(width) * static_cast<quint64>(bits) + 31) / 32) * 4;
        if (offset - 14 + stride * static_cast<quint64>(height) > nSize)
            return FALSE;
    }
    QByteArray file;
    file.reserve(static_cast<qsizetype>(nSize + 14));
    file.append("BM", 2);
    for (quint32 v : {static_cast<quint32>(nSize + 14), quint32(0), static_cast<quint32>(offset)})
        for (int i = 0; i < 4; ++i)
            file.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    file.append(reinterpret_cast<const char*>(pData), static_cast<qsizetype>(nSize));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    QImage image;
    if (!reader.read(&image) || image.isNull() ||
        static_cast<double>(image.width()) * image.height() > kMaxImagePixels)
        return FALSE;
    const double dpmX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 96.0 / 0.0254;
    const double dpmY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : 96.0 / 0.0254;
    QByteArray encoded;
    QBuffer out(&encoded);
    out.open(QIODevice::WriteOnly);
    if (!image.save(&out, "PNG") || encoded.isEmpty() ||
        static_cast<size_t>(encoded.size()) > Image2dFeature::kMaxImageBytes)
        return FALSE;
    png.assign(reinterpret_cast<const BYTE*>(encoded.constData()),
               reinterpret_cast<const BYTE*>(encoded.constData()) + encoded.size());
    dWidthMM = image.width() / dpmX * 1000.0;
    dHeightMM = image.height() / dpmY * 1000.0;
    return TRUE;
}

BOOL ClipboardPaste2dCommand::ReadBitmap(COleDataObject& data)
{
    m_basePoint = RuVaPnt2d(0.0, 0.0);
    HGLOBAL h = data.GetGlobalData(CF_DIB);
    if (h == nullptr)
        return FALSE;
    const SIZE_T size = GlobalSize(h);
    const BOOL bDone = DecodeDib(static_cast<const BYTE*>(GlobalLock(h)), size, m_image, m_dImageWidth, m_dImageHeight);
    GlobalUnlock(h);
    GlobalFree(h);
    return bDone;
}

Feature2dBase* ClipboardPaste2dCommand::MakeImage(const RuVaPnt2d& point, double dScaleX, double dScaleY,
                                                  double dAngle) const
{
    if (m_image.empty())
        return nullptr;
    auto image = std::make_unique<Image2dFeature>();
    image->SetImageData(m_image.data(), m_image.size());
    if (!image->SetPoint(point) || !image->SetAlignment(0) || !image->SetWidth(m_dImageWidth * std::fabs(dScaleX)) ||
        !image->SetHeight(m_dImageHeight * std::fabs(dScaleY)) || !image->SetAngle(dAngle) || !image->IsValid())
        return nullptr;
    return image.release();
}

BOOL ClipboardPaste2dCommand::BuildImagePasteDocument(Draw2dDocument* pTarget)
{
    auto paste = std::make_unique<ClipDocument>();
    Draw2dDocument* pModel = paste->GetModel();
    pModel->CopyDocumentSettings(pTarget);
    std::unique_ptr<Feature2dBase> image(MakeImage(RuVaPnt2d(0.0, 0.0), 1.0, 1.0, 0.0));
    if (image == nullptr)
        return FALSE;
    paste->GetViewInfo().SetActiveIndex(paste->GetViewInfo().AddViewInfo(0, pModel->GetActiveDrawingID()));
    if (pModel->AddFeature(image.get(), pModel->GetActiveDrawingFeature(), 0) == -1)
        return FALSE;
    m_pPaste = std::move(paste);
    return TRUE;
}

Feature2dBase* ClipboardPaste2dCommand::MakeObject(const RuVaPnt2d& point, const PartDrawingLayout* pLayout) const
{
    if (m_item.empty())
        return nullptr;
    // Its own size on paper: a scaled layout shows model units at its scale.
    double sx = 1.0, sy = 1.0;
    if (pLayout != nullptr)
        pLayout->GetScale(sx, sy);
    const double w = sx > 0.0 ? m_dItemWidth / sx : m_dItemWidth;
    const double h = sy > 0.0 ? m_dItemHeight / sy : m_dItemHeight;
    auto object = std::make_unique<OleObject2dFeature>();
    OleObjectSetting setting(object->GetOleObjectSetting());
    setting.SetNaturalWidth(m_dItemWidth);
    setting.SetNaturalHeight(m_dItemHeight);
    if (!object->SetPoint(point) || !object->SetOleObjectSetting(setting) || !(w > 0.0) || !(h > 0.0) ||
        !object->SetWidth(w) || !object->SetHeight(h))
        return nullptr;
    object->SetItemData(m_item.data(), m_item.size());
    object->m_dwReserved = 0;
    object->m_byReserved = 1;
    object->m_wReserved = 8;
    return object->IsValid() ? object.release() : nullptr;
}

BOOL ClipboardPaste2dCommand::BuildOlePasteDocument(Draw2dDocument* pTarget)
{
    auto paste = std::make_unique<ClipDocument>();
    Draw2dDocument* pModel = paste->GetModel();
    pModel->CopyDocumentSettings(pTarget);
    std::unique_ptr<Feature2dBase> object(MakeObject(RuVaPnt2d(0.0, 0.0), nullptr));
    if (object == nullptr)
        return FALSE;
    object->SetLayerID(pModel->GetCurrentLayerID());
    paste->GetViewInfo().SetActiveIndex(paste->GetViewInfo().AddViewInfo(0, pModel->GetActiveDrawingID()));
    if (pModel->AddFeature(object.get(), pModel->GetActiveDrawingFeature(), 0) == -1)
        return FALSE;
    paste->SetBasePoint(RuVaPnt2d(0.0, 0.0));
    m_pPaste = std::move(paste);
    return TRUE;
}

BOOL ClipboardPaste2dCommand::BuildPasteDocument()
{
    m_pPaste.reset();
    Draw2dDocument* pTarget = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (m_nKind == kindNone || pTarget == nullptr)
        return FALSE;
    BOOL bBuilt = FALSE;
    switch (m_nKind) {
    case kindNative:
        bBuilt = BuildNativePasteDocument(pTarget);
        break;
    case kindText:
        bBuilt = BuildTextPasteDocument(pTarget);
        break;
    case kindImage:
        bBuilt = BuildImagePasteDocument(pTarget);
        break;
    case kindObject:
        bBuilt = BuildOlePasteDocument(pTarget);
        break;
    default:
        break;
    }
    if (!bBuilt) {
        m_pPaste.reset();
        return FALSE;
    }
    if (m_pDrag != nullptr) {
        m_pDrag->ClearDragData();
        m_pDrag->ClearFeature();
    }
    return TRUE;
}

BOOL ClipboardPaste2dCommand::BuildNativePasteDocument(Draw2dDocument* pTarget)
{
    if (m_pClip == nullptr)
        return FALSE;
    auto paste = std::make_unique<ClipDocument>();
    Draw2dDocument* pModel = paste->GetModel();
    const Draw2dDocument* pClip = m_pClip->GetModel();
    pModel->CopyDocumentSettings(pTarget);
    // The drawings under their names: the first paper onto the paper there is, the others new.
    BOOL bFirstPaper = TRUE;
    for (int i = 0; i < pClip->GetDrawingFeatureCount(); ++i) {
        const DrawingFeatureBase* pDrawing = pClip->GetDrawingFeatureByIndex(i);
        if (pDrawing == nullptr)
            continue;
        if (!pDrawing->IsPaperFeature()) {
            pModel->AddPartDrawingFeature(pDrawing->GetDrawingName());
            continue;
        }
        long id = -1;
        if (bFirstPaper) {
            id = pModel->GetPaperFeature(0)->GetDrawingID();
            bFirstPaper = FALSE;
        } else {
            id = pModel->AddPaperFeature(nullptr);
        }
        if (id == -1)
            continue;
        pModel->SetDrawingName(id, pDrawing->GetDrawingName(), 0);
        double w = 0.0, h = 0.0;
        static_cast<const Paper2dFeature*>(pDrawing)->GetPaperSize(w, h);
        pModel->SetPaperSize(pDrawing->GetDrawingName(), w, h, 1);
    }
    // The papers' layouts.
    for (int i = 0; i < pClip->GetDrawingFeatureCount(); ++i) {
        const DrawingFeatureBase* pPaper = pClip->GetDrawingFeatureByIndex(i);
        DrawingFeatureBase* pTo = pPaper != nullptr && pPaper->IsPaperFeature()
                                      ? pModel->GetDrawingFeatureByName(pPaper->GetDrawingName())
                                      : nullptr;
        if (pTo == nullptr)
            continue;
        for (int j = 0; j < pPaper->GetPartLayoutCount(); ++j) {
            const PartDrawingLayout* pLayout = pPaper->GetPartLayout(j);
            if (pLayout == nullptr || pLayout->GetLayoutID() == pPaper->GetSelfPartLayoutID())
                continue;
            const DrawingFeatureBase* pShown = pClip->ChangeDrawingFeature(pLayout->GetDrawingID());
            const DrawingFeatureBase* pShownTo =
                pShown != nullptr ? pModel->GetDrawingFeatureByName(pShown->GetDrawingName()) : nullptr;
            if (pShownTo == nullptr)
                continue;
            PartDrawingLayout copy(*pLayout);
            copy.SetPaperID(pTo->GetDrawingID());
            copy.SetDrawingID(pShownTo->GetDrawingID());
            copy.SetLayoutID(-1);
            pModel->AddPartLayout(copy, -1, 1);
        }
        pModel->SetPartLayoutOrder(pTo->GetSelfPartLayoutID(), pPaper->GetPartLayoutOrder(pPaper->GetSelfPartLayoutID()),
                                   1);
    }
    // The tabs, by drawing names.
    const DrawViewInfo& tabs = m_pClip->GetViewInfo();
    DrawViewInfo& pasteTabs = paste->GetViewInfo();
    for (int i = 0; i < tabs.GetViewInfoCount(); ++i) {
        const DrawingFeatureBase* pShown = pClip->ChangeDrawingFeature(tabs.GetViewID(i));
        const DrawingFeatureBase* pTo = pShown != nullptr ? pModel->GetDrawingFeatureByName(pShown->GetDrawingName())
                                                          : nullptr;
        if (pTo == nullptr)
            continue;
        const int index = pasteTabs.AddViewInfo(tabs.GetViewType(i), pTo->GetDrawingID());
        if (i == tabs.GetActiveIndex())
            pasteTabs.SetActiveIndex(index);
    }
    // The shapes, in record order.
    for (long id = pClip->GetNextFeatureRecordID(nullptr, -1, 0); id != -1;
         id = pClip->GetNextFeatureRecordID(nullptr, id, 0)) {
        const Feature2dBase* pShape = pClip->GetFeature(id);
        const DrawingFeatureBase* pParent = pClip->GetParentDrawingFeature(id);
        DrawingFeatureBase* pTo =
            pParent != nullptr ? pModel->GetDrawingFeatureByName(pParent->GetDrawingName()) : nullptr;
        if (pShape != nullptr && pTo != nullptr)
            pModel->AddFeature(pShape, pTo, pClip, 0);
    }
    paste->SetBasePoint(m_pClip->GetBasePoint());
    pModel->ClearUndoRedoHistory();
    m_pPaste = std::move(paste);
    return TRUE;
}

BOOL ClipboardPaste2dCommand::BuildTextPasteDocument(Draw2dDocument* pTarget)
{
    if (m_strText.IsEmpty())
        return FALSE;
    auto paste = std::make_unique<ClipDocument>();
    Draw2dDocument* pModel = paste->GetModel();
    pModel->CopyDocumentSettings(pTarget);
    std::unique_ptr<Text2dFeature> text(
        FeatureCreator::CreateTextFeature(m_strText, RuVaPnt2d(0.0, 0.0), 0.0, pTarget->GetTextSetting()));
    if (text == nullptr)
        return FALSE;
    paste->GetViewInfo().SetActiveIndex(paste->GetViewInfo().AddViewInfo(0, pModel->GetActiveDrawingID()));
    text->m_bAutoLayout = 1;
    text->SetAutoLayoutRect();
    if (pModel->AddFeature(text.get(), pModel->GetActiveDrawingFeature(), 0) == -1)
        return FALSE;
    paste->SetBasePoint(RuVaPnt2d(0.0, 0.0));
    m_pPaste = std::move(paste);
    return TRUE;
}

BOOL ClipboardPaste2dCommand::GetScaleAndAngle(double& dScaleX, double& dScaleY, double& dAngle, BOOL& bEmpty) const
{
    dScaleX = dScaleY = 1.0;
    dAngle = 0.0;
    bEmpty = FALSE;
    if (const auto* pScale = dynamic_cast<const ScaleParameterItem*>(FindItem(itemScale))) {
        if (pScale->IsEmpty() || !pScale->GetValue(dScaleX, dScaleY)) {
            bEmpty = TRUE;
            return FALSE;
        }
    }
    if (const auto* pAngle = dynamic_cast<const AngleParameterItem*>(FindItem(itemAngle))) {
        if (pAngle->IsEmpty() || !pAngle->GetValue(dAngle)) {
            bEmpty = TRUE;
            return FALSE;
        }
    }
    return TRUE;
}

void ClipboardPaste2dCommand::BuildDragData()
{
    if (m_pPaste == nullptr || m_pDrag == nullptr || m_pManager == nullptr)
        return;
    Draw2dView* pView = m_pManager->GetView();
    Draw2dDocument* pTarget = m_pManager->GetDraw2dDocument();
    if (pView == nullptr || pTarget == nullptr)
        return;
    m_pDrag->ClearDragData();
    m_pDrag->ClearFeature();
    double sx = 1.0, sy = 1.0, angle = 0.0;
    BOOL bEmpty = FALSE;
    if (!GetScaleAndAngle(sx, sy, angle, bEmpty))
        return;
    const RuVaPnt2d base = m_pPaste->GetBasePoint();
    m_pDrag->SetOrigin(base);
    m_pDrag->SetScale(sx, sy);
    m_pDrag->SetAngle(angle);
    const Draw2dDocument* pModel = m_pPaste->GetModel();
    const DrawingFeatureBase* pShown = m_pPaste->GetActiveViewDrawing();
    const DrawingFeatureBase* pActive = pView->GetActiveDrawingFeature();
    if (pShown == nullptr || pActive == nullptr)
        return;
    RuVaPnt2d baseThere;
    pView->ConvertPointWorldToLocal(pActive, pView->GetActivePartLayout(), base, baseThere);
    for (const Listed& item : ListOnce(pModel, pShown->GetDrawingID())) {
        const Feature2dBase* pShape = pModel->GetFeature(item.record);
        if (pShape == nullptr)
            continue;
        TransformFeature move(BaseInLayout(*m_pPaste, pModel->GetPartLayoutByID(item.layout)), baseThere);
        Feature2dBase* pMoved = move.Transformed(pShape);
        if (pMoved == nullptr)
            continue;
        const int type = pMoved->GetFeatureType();
        if (type == FeatureTypeDrawGroup || type == FeatureTypeDrawComponent) {
            // Groups and components are drawn through their simple shapes.
            Feature2dList* pList = FeatureResolver::ResolveFeatureAll(pActive, pMoved, 1, nullptr);
            if (pList != nullptr) {
                for (int i = 0; i < pList->GetFeatureSize(); ++i)
                    m_pDrag->AddFeature(pActive, pView->GetActivePartLayout(), pList->GetFeature(i), TRUE);
                delete pList;
            }
            delete pMoved;
        } else {
            m_pDrag->AddFeature(pActive, pView->GetActivePartLayout(), pMoved, FALSE);
        }
    }
}

void ClipboardPaste2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d& world, const RuVaPnt2d&, UINT)
{
    if (m_pPaste == nullptr || m_pDrag == nullptr || m_pManager == nullptr)
        return;
    if (m_pDrag->IsEmptyDragData())
        BuildDragData();
    Draw2dDocument* pTarget = m_pManager->GetDraw2dDocument();
    Draw2dView* pView = m_pManager->GetView();
    if (pTarget != nullptr && pView != nullptr && !m_pDrag->IsEmptyDragData())
        m_pDrag->DrawDrag(m_pPaste->GetModel(), pView, world, 0.0);
}

BOOL ClipboardPaste2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase& value)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return TRUE;
    const ParameterItemBase* pCurrent = GetParameterItem(nIndex);
    if (pCurrent == nullptr)
        return TRUE;
    const WORD id = pCurrent->GetId();
    // The preview is built scaled and turned: a new value rebuilds it.
    if ((id == itemScale || id == itemAngle) && !pCurrent->IsEqual(value) && m_pDrag != nullptr)
        m_pDrag->ClearDragData();
    return TRUE;
}

int ClipboardPaste2dCommand::OnInput(int)
{
    if (m_pDrag != nullptr)
        m_pDrag->ClearDragData();
    double sx = 1.0, sy = 1.0, angle = 0.0;
    BOOL bEmpty = FALSE;
    if (!GetScaleAndAngle(sx, sy, angle, bEmpty))
        return resultMissing;
    const ParameterItemBase* pPoint = FindItem(itemPoint);
    if (pPoint == nullptr || pPoint->IsEmpty())
        return resultMissing;
    RuVaPnt2d world;
    if (!EditCommandHelper::GetWorldPoint(this, itemPoint, world))
        return resultMissing;
    return PasteAt(world, sx, sy, angle) ? resultDone : resultNothing;
}

BOOL ClipboardPaste2dCommand::PasteAt(const RuVaPnt2d& world, double dScaleX, double dScaleY, double dAngle)
{
    Draw2dDocument* pTarget = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pTarget == nullptr || pView == nullptr || m_pPaste == nullptr || m_nKind == kindNone)
        return FALSE;
    const DrawingFeatureBase* pActive = pView->GetActiveDrawingFeature();
    if (pActive == nullptr)
        return FALSE;
    RuVaPnt2d point;
    pView->ConvertPointWorldToLocal(pActive, pView->GetActivePartLayout(), world, point);
    m_bBusy = TRUE;
    BOOL bDone = FALSE;
    switch (m_nKind) {
    case kindNative: {
        int nFailed = 0;
        const int nAdded = m_pClip != nullptr
                               ? PasteNative(*m_pClip, pTarget, pView, dScaleX, dScaleY, dAngle, point, &nFailed)
                               : 0;
        if (nFailed < 0)
            EditCommandHelper::ShowStatus(this, kNotForComponent);
        else if (nFailed > 0)
            EditCommandHelper::ShowStatus(this, kShapesNotPasted, nFailed);
        bDone = nAdded > 0 ? TRUE : FALSE;
        break;
    }
    case kindText: {
        std::unique_ptr<Text2dFeature> text(
            FeatureCreator::CreateTextFeature(m_strText, point, dAngle, pTarget->GetTextSetting()));
        double ix = 1.0, iy = 1.0;
        if (text != nullptr && GetLayoutInverseScale(&ix, &iy)) {
            // The text keeps its size on paper in a uniformly scaled layout.
            if (std::fabs(ix - 1.0) > 1e-10 && std::fabs(ix - iy) < 1e-10)
                text->ScaleSize(ix, 1);
            text->m_bAutoLayout = 1;
            text->SetAutoLayoutRect();
            text->SetLayerID(pTarget->GetCurrentLayerID());
            pTarget->BeginUndoOperation(nullptr);
            bDone = pTarget->AddFeature(text.get(), pView->GetActiveDrawingFeature(), 1) != -1 ? TRUE : FALSE;
            pTarget->EndUndoOperation();
        }
        break;
    }
    case kindObject: {
        // Scale and angle are not used: the object keeps its own size on paper, upright.
        std::unique_ptr<Feature2dBase> object(MakeObject(point, pView->GetActivePartLayout()));
        if (object != nullptr) {
            object->SetLayerID(pTarget->GetCurrentLayerID());
            pTarget->BeginUndoOperation(nullptr);
            bDone = pTarget->AddFeature(object.get(), pView->GetActiveDrawingFeature(), 1) != -1 ? TRUE : FALSE;
            pTarget->EndUndoOperation();
        }
        break;
    }
    case kindImage: {
        std::unique_ptr<Feature2dBase> image(MakeImage(point, dScaleX, dScaleY, dAngle));
        if (image != nullptr) {
            image->SetLayerID(pTarget->GetCurrentLayerID());
            pTarget->BeginUndoOperation(nullptr);
            bDone = pTarget->AddFeature(image.get(), pView->GetActiveDrawingFeature(), 1) != -1 ? TRUE : FALSE;
            pTarget->EndUndoOperation();
        }
        break;
    }
    default:
        break;
    }
    m_bBusy = FALSE;
    return bDone;
}

int ClipboardPaste2dCommand::PasteNative(const ClipDocument& clip, Draw2dDocument* pTarget, Draw2dView* pView,
                                         double dScaleX, double dScaleY, double dAngle, const RuVaPnt2d& point,
                                         int* pFailed)
{
    if (pFailed != nullptr)
        *pFailed = 0;
    DrawingFeatureBase* pActive = pView != nullptr ? pView->GetActiveDrawingFeature() : nullptr;
    const DrawingFeatureBase* pShown = clip.GetActiveViewDrawing();
    if (pTarget == nullptr || pActive == nullptr || pShown == nullptr)
        return 0;
    const Draw2dDocument* pModel = clip.GetModel();
    const std::vector<Listed> listed = ListOnce(pModel, pShown->GetDrawingID());
    if (pActive->IsDrawComponentDefine()) {
        for (const Listed& item : listed)
            if (!DrawComponent2dFeatureDefine::IsPossibleAddFeatureInDrawComponent(
                    pModel->GetFeature(item.record), pActive, pTarget->GetComponentDefineTable())) {
                if (pFailed != nullptr)
                    *pFailed = -1;
                return 0;
            }
    }
    int nAdded = 0, nFailed = 0;
    pTarget->BeginUndoOperation(nullptr);
    for (const Listed& item : listed) {
        const Feature2dBase* pShape = pModel->GetFeature(item.record);
        if (pShape == nullptr)
            continue;
        TransformFeature move(BaseInLayout(clip, pModel->GetPartLayoutByID(item.layout)), point);
        std::unique_ptr<Feature2dBase> pMoved(move.Transformed(pShape));
        std::unique_ptr<Feature2dBase> pFinal;
        if (pMoved != nullptr) {
            TransformFeature place;
            place.SetTransform(point, dScaleX, dScaleY, dScaleX, dAngle, point);
            pFinal.reset(place.Transformed(pMoved.get()));
        }
        BOOL bDone = pFinal != nullptr;
        if (bDone) {
            pFinal->CopyAttribute(pShape);
            bDone = IsSoundAfterPlacement(pFinal.get(), pMoved.get()) &&
                    pTarget->AddFeature(pFinal.get(), pActive, pModel, 0) != -1;
        }
        if (bDone)
            ++nAdded;
        else
            ++nFailed;
    }
    pTarget->EndUndoOperation();
    pTarget->UpdateAllFeatures(TRUE);
    if (pFailed != nullptr)
        *pFailed = nFailed;
    return nAdded;
}

void ClipboardPaste2dCommand::OnEnd()
{
    Reset();
    m_bBusy = FALSE;
    CommandBase::OnEnd();
}

void ClipboardPaste2dCommand::OnDocumentChanging(Draw2dDocument* pPrevious)
{
    CommandBase::OnDocumentChanging(pPrevious);
    if (m_nKind != kindNone)
        BuildPasteDocument();
}

void ClipboardPaste2dCommand::OnDocumentUpdated(const NotifyInfoBase& info)
{
    CommandBase::OnDocumentUpdated(info);
    if (!m_bBusy && m_nKind != kindNone && m_pDrag != nullptr)
        m_pDrag->ClearDragData();
}

void ClipboardPaste2dCommand::OnViewChanged()
{
    CommandBase::OnViewChanged();
    if (m_nKind != kindNone)
        BuildPasteDocument();
}

void ClipboardPaste2dCommand::OnActiveDrawingChanged(long nValue1, long nValue2)
{
    CommandBase::OnActiveDrawingChanged(nValue1, nValue2);
    if (m_nKind != kindNone)
        BuildPasteDocument();
}

}  // namespace QZ2Command

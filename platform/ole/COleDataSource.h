#pragma once
// Data offered to the clipboard (or to a data object in this program): each format either cached
// now or rendered when a reader asks for it.
//
// After SetClipboard the clipboard owns the data source: it is deleted when other data replaces
// it on the clipboard, or by FlushClipboard after every format has been rendered. Rendering runs
// in the overridable OnRenderData, OnRenderGlobalData and OnRenderFileData. The clipboard carries
// global memory (and bitmaps as CF_BITMAP); formats in other mediums are seen only by data
// objects attached to the source directly.

#include "platform/ole/OleDataTypes.h"
#include "platform/win/CCmdTarget.h"

class CFile;
class CException;

class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Keeps the data now; the source owns it from here on. Without lpFormatEtc the format is
    // the content aspect, index -1, in global memory (CacheData: the medium's own kind).
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // Offers the format; it is rendered when read (in global memory by default; file data also
    // as a stream).
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    void DelayRenderFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // Forgets every format and frees the cached data.
    void Empty();

    // Puts the offered formats on the clipboard, replacing what is there; the clipboard owns
    // the source afterwards. Throws a COleException when the clipboard cannot be opened.
    void SetClipboard();
    // Renders every format of the data source on the clipboard now and lets it go, so the data
    // outlives it. An exception of a renderer is thrown on after the source is gone.
    static void FlushClipboard();
    // The data source whose data is on the clipboard, or null.
    static COleDataSource* GetClipboardOwner();

    // Fills the medium for the format (its tymed names the mediums asked for). The base one
    // serves cached data, then global memory through OnRenderGlobalData and, failing that,
    // OnRenderFileData over a memory file.
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    // *phGlobal is null (make a block) or a block to fill.
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);
    virtual BOOL OnRenderFileData(LPFORMATETC lpFormatEtc, CFile* pFile);

    // What data objects read: whether a format is offered in one of the asked mediums, the
    // data in a medium the caller owns, and the offered formats in order.
    BOOL QueryGetData(const FORMATETC* lpFormatEtc) const;
    BOOL GetData(const FORMATETC* lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    int GetFormatCount() const;
    BOOL GetFormat(int nIndex, LPFORMATETC lpFormatEtc) const;

    // An exception a renderer raised while the clipboard asked for data; taken once by the
    // reader that caused it.
    static CException* TakeRenderException();

private:
    struct Impl;
    friend class CDataSourceOwnerWnd;
    // Answers the clipboard's request for a delayed format.
    void RenderToClipboard(UINT nFormat);
    void OnLeftClipboard();

    Impl* m_pImpl;
};

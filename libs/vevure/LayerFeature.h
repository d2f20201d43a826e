#pragma once
// One layer or layer group of a document's layer table.
//
// State flags: bit 0 used, bit 1 displayed, bit 2 editable, bit 3 printable, bit 4 hidden. A layer counts as
// displayed (editable) when its bit is set and it is not hidden. The state 0 is displayed and editable, 1
// displayed but locked, 2 not displayed.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CArchive;

class LayerFeature
{
public:
    enum StateFlag : DWORD {
        flagUsed = 0x01,
        flagDisplay = 0x02,
        flagEditable = 0x04,
        flagPrintable = 0x08,
        flagHide = 0x10,
    };

    LayerFeature() = default;
    LayerFeature(long nLayerID, long nParentID, BOOL bGroup, const CString& strName);
    LayerFeature(const LayerFeature&) = default;
    LayerFeature& operator=(const LayerFeature&) = default;
    bool operator==(const LayerFeature& other) const;
    bool operator!=(const LayerFeature& other) const { return !(*this == other); }

    long GetLayerID() const { return m_nLayerID; }
    void SetLayerID(long nLayerID) { m_nLayerID = nLayerID; }
    long GetParentID() const { return m_nParentID; }
    void SetParentID(long nParentID) { m_nParentID = nParentID; }
    int GetDisplayOrder() const { return m_nDisplayOrder; }
    void SetDisplayOrder(int nOrder) { m_nDisplayOrder = nOrder; }

    DWORD GetLayerStateFlags() const { return m_dwState; }
    void SetLayerStateFlags(DWORD dwState) { m_dwState = dwState; }
    short GetColorNo() const { return m_nColorNo; }
    void SetColorNo(short nColorNo) { m_nColorNo = nColorNo; }
    short GetLineTypeNo() const { return m_nLineTypeNo; }
    void SetLineTypeNo(short nLineTypeNo) { m_nLineTypeNo = nLineTypeNo; }
    short GetLineWidthNo() const { return m_nLineWidthNo; }
    void SetLineWidthNo(short nLineWidthNo) { m_nLineWidthNo = nLineWidthNo; }

    BOOL IsGroup() const { return m_bGroup ? TRUE : FALSE; }
    void SetGroup(BOOL bGroup) { m_bGroup = bGroup ? 1 : 0; }
    BOOL IsUsed() const { return (m_dwState & flagUsed) ? TRUE : FALSE; }
    BOOL IsPrintable() const { return (m_dwState & flagPrintable) ? TRUE : FALSE; }
    BOOL IsHide() const { return (m_dwState & flagHide) ? TRUE : FALSE; }
    BOOL IsDisplay() const { return ((m_dwState & flagDisplay) && !(m_dwState & flagHide)) ? TRUE : FALSE; }
    BOOL IsEditable() const { return ((m_dwState & flagEditable) && !(m_dwState & flagHide)) ? TRUE : FALSE; }
    void SetHide(BOOL bHide);
    void SetPrintable(BOOL bPrintable);

    // 0 displayed and editable, 1 displayed only, 2 not displayed.
    int GetLayerState() const;
    // Refuses (FALSE) a state other than 0, 1 or 2.
    BOOL SetLayerState(int nState);

    CString GetLayerName() const { return m_strName; }
    void SetLayerName(const CString& strName) { m_strName = strName; }

    int GetChildLayerCount() const { return static_cast<int>(m_childIDs.size()); }
    long GetChildLayerID(int nIndex) const;  // index-guarded
    const std::vector<long>& GetChildLayerIDs() const { return m_childIDs; }
    std::vector<long>& ChildLayerIDs() { return m_childIDs; }

    void Serialize(CArchive& ar);

private:
    long m_nLayerID = 0;
    long m_nParentID = -1;
    BYTE m_bGroup = 0;
    DWORD m_dwState = flagUsed | flagDisplay | flagEditable | flagPrintable;
    short m_nColorNo = 1;
    short m_nLineTypeNo = 1;
    short m_nLineWidthNo = 1;
    int m_nDisplayOrder = 0;
    CString m_strName;
    std::vector<long> m_childIDs;
};

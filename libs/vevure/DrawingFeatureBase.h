#pragma once
// A drawing of a document: a paper (type 1), a part drawing (type 2) or a component definition (type 3).
// Its shapes live in the document's records, in record order; the drawing keeps their count, its part
// layouts (in order) and its own settings.
//
// State flags: bit 1 displayed, bit 2 editable, bit 3 printable, bit 4 snapping into it while it is not
// active. The state 0 is displayed and editable, 1 displayed only, 2 not displayed.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/PartDrawingLayout.h"

class CArchive;
class Draw2dDocument;
class Feature2dBase;
class GridSetting;
class PartDrawingLayout;

class DrawingFeatureBase
{
public:
    enum DrawingType { typePaper = 1, typePart = 2, typeComponent = 3 };
    enum StateFlag : DWORD { flagDisplay = 0x02, flagEditable = 0x04, flagPrintable = 0x08, flagSnap = 0x10 };

    explicit DrawingFeatureBase(int nType = typePart);
    DrawingFeatureBase(const DrawingFeatureBase& other);
    DrawingFeatureBase& operator=(const DrawingFeatureBase& other);
    virtual ~DrawingFeatureBase();
    // A deep copy of the same class.
    virtual DrawingFeatureBase* Clone() const;
    // Every stored field of both drawings matches (the document pointer and feature count aside).
    virtual bool IsSame(const DrawingFeatureBase& other) const;

    long GetDrawingID() const { return m_nDrawingID; }
    void SetDrawingID(long nID) { m_nDrawingID = nID; }
    int GetDrawingType() const { return m_nType; }
    BOOL IsPaperFeature() const { return m_nType == typePaper ? TRUE : FALSE; }
    BOOL IsPartFeature() const { return m_nType == typePart ? TRUE : FALSE; }
    BOOL IsDrawComponentDefine() const { return m_nType == typeComponent ? TRUE : FALSE; }

    DWORD GetStateFlags() const { return m_dwState; }
    void SetStateFlags(DWORD dwState) { m_dwState = dwState; }
    BOOL IsDisplayDrawing() const { return (m_dwState & flagDisplay) ? TRUE : FALSE; }
    BOOL IsEditableDrawing() const { return (m_dwState & flagEditable) ? TRUE : FALSE; }
    BOOL IsPrintable() const { return (m_dwState & flagPrintable) ? TRUE : FALSE; }
    void SetPrintable(BOOL bPrintable);
    int GetDrawingState() const;
    BOOL SetDrawingState(int nState);  // refuses a state other than 0, 1, 2

    CString GetDrawingName() const { return m_strName; }
    void SetDrawingName(const CString& strName) { m_strName = strName; }

    GridSetting* GetGridSetting() const { return m_pGrid; }
    void SetGridSetting(const GridSetting& grid);
    const RuVaBndBox2d& GetPrintRange() const { return m_printRange; }
    void SetPrintRange(const RuVaBndBox2d& range) { m_printRange = range; }
    const RuVaPnt2d& GetUserOrigin() const { return m_userOrigin; }
    void SetUserOrigin(const RuVaPnt2d& origin) { m_userOrigin = origin; }
    virtual BOOL IsUserOrigin() const;

    // Shapes (kept by the document).
    long GetFeatureCount() const { return m_nFeatureCount; }
    void SetFeatureCount(long nCount) { m_nFeatureCount = nCount; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    // The shape of a record of this drawing, NULL when the record is deleted or in another drawing; record id 0
    // raises the invalid-argument exception.
    Feature2dBase* GetFeature(long nRecordID) const;
    // Walks the drawing's records in order: -1 gives the first position, -1 comes back at the end. A
    // position is the record id.
    long GetNextFeaturePosition(long nPosition, int nFlag = 0) const;

    // Part layouts placed on this drawing, in order. The drawing's own layout (itself at identity) is kept
    // apart: it is not counted, but GetPartLayoutByID finds it.
    int GetPartLayoutCount() const { return static_cast<int>(m_layouts.size()); }
    PartDrawingLayout* GetPartLayout(int nIndex) const;  // index-guarded
    PartDrawingLayout* GetPartLayoutByID(long nLayoutID) const;
    int PartLayoutIDToIndex(long nLayoutID) const;  // -1 when absent
    long PartLayoutIndexToID(int nIndex) const;     // index-guarded
    long GetPartLayoutDrawingID(int nIndex) const;  // index-guarded
    int GetPartLayoutOrder(long nLayoutID) const { return PartLayoutIDToIndex(nLayoutID); }
    long GetSelfPartLayoutID() const { return m_pSelfLayout->GetLayoutID(); }
    PartDrawingLayout* GetSelfPartLayout() const { return m_pSelfLayout; }
    // Makes the own layout show this drawing with that layout id.
    void SetSelfPartLayoutID(long nID);
    // The first layout on this drawing that shows the drawing nDrawingID (not the drawing's own), or NULL.
    PartDrawingLayout* FindPartLayoutByDrawingID(long nDrawingID) const;
    // Takes a copy at nOrder (-1 = at the end); returns the copy.
    PartDrawingLayout* InsertPartLayout(const PartDrawingLayout& layout, int nOrder = -1);
    BOOL RemovePartLayout(long nLayoutID);
    // Takes the layout out of the drawing and hands it to the caller (NULL when absent).
    PartDrawingLayout* DetachPartLayout(long nLayoutID);
    BOOL MovePartLayout(long nLayoutID, int nOrder);

    virtual void Serialize(CArchive& ar);
    // Loads a drawing of the type stored next in the archive (throws CArchiveException when it is unknown).
    static DrawingFeatureBase* LoadNew(CArchive& ar);
    void Store(CArchive& ar) const;

protected:
    int m_nType;

private:
    void CopyFrom(const DrawingFeatureBase& other);
    void ClearLayouts();

    long m_nDrawingID = -1;
    DWORD m_dwState = flagDisplay | flagEditable | flagPrintable;
    CString m_strName;
    GridSetting* m_pGrid = nullptr;  // owned
    RuVaBndBox2d m_printRange;
    RuVaPnt2d m_userOrigin;
    long m_nFeatureCount = 0;
    std::vector<PartDrawingLayout*> m_layouts;  // owned
    PartDrawingLayout* m_pSelfLayout;           // owned
    Draw2dDocument* m_pDocument = nullptr;
};

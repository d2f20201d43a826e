#pragma once
// Base of every shape: the common fields (number, type, record id, colour, line type, line width, layer) and
// the user attributes, which the shape owns (a copy copies them; no two shapes share an attribute list).
//
// Attribute numbers: colour 0 = by layer, 1-256 the colour table, -1 a user RGB colour (GetColor);
// line type 0 = by layer; line width 0 = by layer, 1-15 the width table, -1 (0xFFFF) the explicit width.
// Validating setters return 0 and keep the old value when they refuse one.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CObject.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/FeatureType.h"

class CArchive;
class Draw2dDocument;
class DrawingFeatureBase;
class FeatureAttribute;
class KcArrayOfGePnt2d;
class RuVaGTrsf2d;

class Feature2dBase : public CObject
{
    DECLARE_DYNAMIC(Feature2dBase)
public:
    // Flags of Copy and CopyObject.
    enum CopyFlag : WORD {
        copyBase = 0x0001,       // the fields of CopyBase
        copyGeometry = 0x0002,   // the geometry of the class
        copyAttribute = 0x0004,  // the user attributes
        copyAll = 0xFFFF
    };
    static constexpr short kLineWidthNoExplicit = -1;  // 0xFFFF: the explicit width holds

    Feature2dBase();
    Feature2dBase(const Feature2dBase& other);
    Feature2dBase& operator=(const Feature2dBase& other);
    ~Feature2dBase() override;

    // A new shape of the same type with the fields that the flags name (the caller owns it).
    virtual Feature2dBase* CopyObject(WORD wFlags = copyAll) const;
    // Takes over the fields that the flags name from the source; geometry only from a source that the class
    // can take it from (normally the same type).
    virtual void Copy(const Feature2dBase* pSource, WORD wFlags);
    virtual void CopyAttribute(const Feature2dBase* pSource);
    // Number, record id, colour number and RGB, line type, line width number and width, layer; not the type
    // and not the attributes.
    void CopyBase(const Feature2dBase* pSource);

    void Serialize(CArchive& ar) override;
    virtual BOOL IsCompound() const { return FALSE; }
    // The geometry is usable (finite, not degenerate).
    virtual BOOL IsValid() const { return TRUE; }

    // Hooks of the document around changes of the record that holds the shape. Before-hooks answer 1 to allow.
    virtual BOOL OnBeforeAddRecord(Draw2dDocument* pDocument) { return TRUE; }
    virtual void OnAfterAddRecord(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, long nRecordID) {}
    virtual BOOL OnBeforeUpdateRecord(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, long nRecordID,
                                      const Feature2dBase* pNewFeature, int nFlag)
    {
        return TRUE;
    }
    virtual void OnAfterUpdateRecord(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, long nRecordID) {}
    virtual void OnBeforeDeleteRecord(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, long nRecordID) {}
    virtual void OnRestoreRecord(Draw2dDocument* pDocument, DrawingFeatureBase* pDrawing, long nRecordID) {}
    virtual BOOL OnBeforeCopyRecord(Draw2dDocument* pDocument) { return TRUE; }
    virtual void OnAddFeatureLineType(Draw2dDocument* pDocument) {}

    // Geometry services of every shape.
    // The box of the geometry (sizes of texts and marks included as far as the shape knows them); void when
    // the shape has no extent. Unbounded lines reach out to RuVa::Infinite().
    virtual RuVaBndBox2d GetBndBox() const;
    // Applies the transformation in place; sizes (text heights, arrows, marks) scale by dSizeScale. FALSE,
    // with the shape unchanged, when this kind cannot take it (a circle under an unequal scale).
    virtual BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale);
    // The outline points of shapes that have one (texts, images, OLE objects, frames); FALSE otherwise.
    virtual BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const;
    // Every field equal: the base fields, the type, the attributes and the geometry.
    BOOL IsEqual(const Feature2dBase* pOther) const;
    virtual BOOL IsEqualGeometry(const Feature2dBase* pOther) const;

    // Archive of a shape by its type code (compact: no class names); LoadFeature gives a new shape owned by
    // the caller, NULL for a stored null. A damaged archive throws CArchiveException and leaks nothing.
    static void StoreFeature(CArchive& ar, const Feature2dBase* pFeature);
    static Feature2dBase* LoadFeature(CArchive& ar);
    // A new default shape of the type, NULL for a type code that names no stored shape.
    static Feature2dBase* CreateFeature(int nFeatureType);

    int GetFeatureType() const { return m_nFeatureType; }
    long GetFeatureNo() const { return m_nFeatureNo; }
    void SetFeatureNo(long nNo) { m_nFeatureNo = (LONG)nNo; }
    long GetRecordID() const { return m_nRecordID; }
    void SetRecordID(long nRecordID) { m_nRecordID = (LONG)nRecordID; }

    COLORREF GetColor() const { return m_color; }
    BOOL SetColor(COLORREF color)
    {
        m_color = color;
        return TRUE;
    }
    short GetColorNo() const { return m_nColorNo; }
    BOOL SetColorNo(short nColorNo);
    short GetLineTypeNo() const { return m_nLineTypeNo; }
    BOOL SetLineTypeNo(short nLineTypeNo);
    short GetLineWidthNo() const { return m_nLineWidthNo; }
    BOOL SetLineWidthNo(short nLineWidthNo);
    double GetLineWidth() const { return m_dLineWidth; }
    BOOL SetLineWidth(double dWidth);
    long GetLayerID() const { return m_nLayerID; }
    BOOL SetLayerID(long nLayerID)
    {
        m_nLayerID = (LONG)nLayerID;
        return TRUE;
    }

    BOOL IsLayerColorNo() const { return m_nColorNo == 0; }
    BOOL IsLayerLineTypeNo() const { return m_nLineTypeNo == 0; }
    BOOL IsLayerLineWidthNo() const { return m_nLineWidthNo == 0; }
    BOOL IsLayerIDEmpty() const { return m_nLayerID == 0; }
    void SetLayerIDEmpty() { m_nLayerID = 0; }

    // Same colour number, and the same RGB when both use a user colour.
    BOOL IsEqualColor(const Feature2dBase* pOther) const;
    // Same width number, and the same width when both use an explicit width.
    BOOL IsEqualLineWidth(const Feature2dBase* pOther) const;

    // The attribute list, NULL when the shape has none.
    FeatureAttribute* GetAttribute() { return m_pAttribute; }
    const FeatureAttribute* GetAttribute() const { return m_pAttribute; }
    // Stores a copy of the list.
    void SetAttribute(const FeatureAttribute& attribute);
    void RemoveAttribute();

protected:
    explicit Feature2dBase(FeatureType nType);
    // Takes the geometry from the source when the class can; the base has none.
    virtual void CopyGeometry(const Feature2dBase* pSource) {}
    // Throws CArchiveException (generic) unless the condition holds; used while loading.
    static void CheckLoaded(CArchive& ar, bool bCondition);

private:
    LONG m_nFeatureNo = -1;
    FeatureType m_nFeatureType = FeatureTypeNone;
    LONG m_nRecordID = -1;
    short m_nColorNo = 0;
    short m_nLineTypeNo = 0;
    short m_nLineWidthNo = 0;
    COLORREF m_color = 0;
    double m_dLineWidth = 0.0;
    LONG m_nLayerID = -1;
    FeatureAttribute* m_pAttribute = nullptr;
};

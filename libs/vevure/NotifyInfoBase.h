#pragma once
// The record of one document change, handed to the document's notification callback during the call that
// made the change. The record and everything it points to are borrowed for the duration of the call.
//
// Kinds: 1 current document, 2 view update (code 0 redraw, 1 selection), 3 drawings and part layouts,
// 4 layers, 5 shapes, 6 components, 8 colour table, 9 line-type table, 10 line-width table, 11 current
// attribute (1 colour, 2 line type, 3 width), 13 bring features into view, 14 document settings.

#include <vector>

#include "platform/afx/AfxTypes.h"

class Draw2dDocument;
class DrawingFeatureBase;
class PartDrawingLayout;

class NotifyInfoBase
{
public:
    enum Kind {
        kindDocument = 1,
        kindView = 2,
        kindDrawing = 3,
        kindLayer = 4,
        kindFeature = 5,
        kindComponent = 6,
        kindColorTable = 8,
        kindLineTypeTable = 9,
        kindLineWidthTable = 10,
        kindCurrentAttribute = 11,
        kindShowFeatures = 13,
        kindDocumentSetting = 14,
    };

    // Codes of kind 3: the drawing D, a second drawing (the paper of a layout, or the newly active
    // drawing), the part layout L and an index N travel with them.
    enum DrawingCode {
        drawingAdded = 1,
        drawingRemoved = 2,
        drawingChanged = 3,     // name, state, printable flag, paper size, grid, user origin
        drawingActivated = 4,   // D, new active drawing, its part layout
        drawingMoved = 5,       // D, N
        drawingRebuild = 6,     // many drawings changed at once (undo, redo)
        layoutAdded = 7,        // paper, D, L, N
        layoutRemoved = 8,      // L
        layoutChanged = 9,      // L
        layoutMoved = 10,       // L, N
        drawingRebuildKeep = 11,
        componentDrawingAdded = 12,
        componentDrawingRemoved = 13,
    };

    // Codes of kind 4: the layer id a, its group g, another layer o, an index i and a with-children flag.
    enum LayerCode {
        layerAdded = 1,         // a layer or a group
        layerRemoved = 3,
        layerMovedInto = 4,     // a, g, i
        layerMovedToGroupEnd = 5,
        layerMovedAfter = 6,    // a, o
        layerMovedBefore = 7,   // a, o
        currentLayerChanged = 8,
        layerNameChanged = 9,
        layerStateChanged = 10,
        layerHideChanged = 11,
        layerPrintableChanged = 12,
        layerColorChanged = 13,
        layerLineTypeChanged = 14,
        layerLineWidthChanged = 15,
        layerTableRebuild = 16,
    };

    // Codes of kind 5 (the record id travels with codes 1, 2 and 4).
    enum FeatureCode { featureAdded = 1, featureDeleted = 2, featuresChanged = 3, featureChanged = 4 };

    // Codes of kind 6 (the definition id travels with them).
    enum ComponentCode {
        componentAdded = 1,
        componentEditBegun = 2,
        componentRemoved = 3,
        componentChanged = 4,   // attributes changed: its picture is stale
        componentRenamed = 5,
        componentEditEnded = 6,
    };

    NotifyInfoBase() = default;
    NotifyInfoBase(Draw2dDocument* pDocument, int nKind, int nCode)
        : m_pDocument(pDocument), m_nKind(nKind), m_nCode(nCode)
    {
    }
    virtual ~NotifyInfoBase();
    NotifyInfoBase(const NotifyInfoBase&) = default;
    NotifyInfoBase& operator=(const NotifyInfoBase&) = default;

    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    int GetKind() const { return m_nKind; }
    void SetKind(int nKind) { m_nKind = nKind; }
    int GetCode() const { return m_nCode; }
    void SetCode(int nCode) { m_nCode = nCode; }

    // Kind 3.
    DrawingFeatureBase* GetDrawing() const { return m_pDrawing; }
    DrawingFeatureBase* GetDrawing2() const { return m_pDrawing2; }
    PartDrawingLayout* GetPartLayout() const { return m_pLayout; }
    long GetIndex() const { return m_nIndex; }
    void SetDrawingArguments(DrawingFeatureBase* pDrawing, DrawingFeatureBase* pDrawing2, PartDrawingLayout* pLayout,
                             long nIndex)
    {
        m_pDrawing = pDrawing;
        m_pDrawing2 = pDrawing2;
        m_pLayout = pLayout;
        m_nIndex = nIndex;
    }

    // Kind 4.
    long GetLayerID() const { return m_nLayerID; }
    long GetGroupID() const { return m_nGroupID; }
    long GetOtherLayerID() const { return m_nOtherLayerID; }
    BOOL IsWithChildren() const { return m_bWithChildren; }
    void SetLayerArguments(long nLayerID, long nGroupID, long nOtherLayerID, long nIndex, BOOL bWithChildren)
    {
        m_nLayerID = nLayerID;
        m_nGroupID = nGroupID;
        m_nOtherLayerID = nOtherLayerID;
        m_nIndex = nIndex;
        m_bWithChildren = bWithChildren ? TRUE : FALSE;
    }

    // Kind 5 (record id) and kind 6 (component definition id).
    long GetRecordID() const { return m_nRecordID; }
    void SetRecordID(long nRecordID) { m_nRecordID = nRecordID; }
    long GetDefineID() const { return m_nDefineID; }
    void SetDefineID(long nDefineID) { m_nDefineID = nDefineID; }

    // Kind 13.
    const std::vector<long>& GetFeatureIDs() const { return m_featureIDs; }
    void SetFeatureIDs(const std::vector<long>& ids) { m_featureIDs = ids; }

private:
    Draw2dDocument* m_pDocument = nullptr;
    int m_nKind = 0;
    int m_nCode = 0;
    DrawingFeatureBase* m_pDrawing = nullptr;
    DrawingFeatureBase* m_pDrawing2 = nullptr;
    PartDrawingLayout* m_pLayout = nullptr;
    long m_nIndex = -1;
    long m_nLayerID = -1;
    long m_nGroupID = -1;
    long m_nOtherLayerID = -1;
    BOOL m_bWithChildren = FALSE;
    long m_nRecordID = -1;
    long m_nDefineID = -1;
    std::vector<long> m_featureIDs;
};

// The callback type of Draw2dDocument::SetNotifyFunction.
typedef int (*DocumentNotifyFunction)(NotifyInfoBase* pInfo, void* pUserData);

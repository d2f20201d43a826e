#pragma once
// The data model of one document: drawings (papers, part drawings, component definitions) with their part
// layouts, the layer tree, the colour, line-type and line-width tables, the settings of every kind of
// shape, the current attributes, the saved views, and the shapes themselves, kept as records by record id.
//
// Ids, not pointers, cross this interface: record ids (0 is invalid and raises the invalid-argument
// exception where a record is asked for; -1 means none or failure), drawing, part-layout, layer and
// component ids. Pointers handed out are the document's own and stay valid until the next change.
// Everything handed in is copied.
//
// Every change is part of an undo step: BeginUndoOperation / EndUndoOperation bracket one step, nested
// brackets join the outermost, and a change made outside any bracket is a step of its own. Undo and Redo
// restore exactly what a step changed. Every change is reported to the notification callback once it is
// complete (see NotifyInfoBase for the kinds and codes); setters take a trailing notify flag.

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/VeVureEnums.h"

class CArchive;
class CDWordArray;
class COleServerDoc;
class ColorFeatureTable;
class DrawComponent2dFeatureDefine;
class DrawComponent2dFeatureDefineTable;
class DrawingFeatureBase;
class DrawViewInfo;
class Feature2dBase;
class FeatureAttribute;
class FeatureRecord;
class GridSetting;
class KcArrayOfGePnt2d;
class LayerFeature;
class LayerFeatureTable;
class LineTypeFeatureTable;
class LineWidthFeatureTable;
class Paper2dFeature;
class PartDrawingLayout;
class QZ2FileVersion;
class ResolvedFeature2dList;
class QZ2ProductVersion;
class Region2dFeature;
class RuVaGTrsf2d;
class SelectionFilter;
class SelectionManager;
class ViewControlSetting;
class PlotSetting;
class FeatureSettingStylesBase;
class HatchPatternBase;
class HatchPatternTable;
class GeneralFeatureSettingStyles;
class PointMarkerSettingStyles;
class TextSettingStyles;
class LeadSettingStyles;
class BalloonSettingStyles;
class DimensionSettingStyles;
class HatchSettingStyles;
class GeneralFeatureSetting;
class PointMarkerSetting;
class TextSetting;
class LeadSetting;
class BalloonSetting;
class DimensionSetting;
class HatchSetting;
class ImageSetting;
class OleObjectSetting;
struct CRuntimeClass;

class Draw2dDocument
{
public:
    // The records of one layer in display order, each with the part layout it is seen through.
    struct DisplayOrderList {
        long nLayerID = -1;
        std::vector<long> recordIDs;
        std::vector<long> layoutIDs;
    };

    // The number of saved view slots.
    static constexpr int kViewControlSettingCount = 8;
    // The version of the archive layout that SaveToArchive writes.
    static constexpr DWORD kArchiveFormat = 1;

    explicit Draw2dDocument(COleServerDoc* pOwner = nullptr);
    ~Draw2dDocument();
    Draw2dDocument(const Draw2dDocument&) = delete;
    Draw2dDocument& operator=(const Draw2dDocument&) = delete;

    // ---- Lifecycle, files, versions
    COleServerDoc* GetDocument() const { return m_pOwner; }
    void SetCntrItemRTC(CRuntimeClass* pClass) { m_pCntrItemClass = pClass; }
    CRuntimeClass* GetCntrItemRTC() const { return m_pCntrItemClass; }
    // An empty model: default tables and settings, one paper (id 0) that is active, no layer, no shapes, no
    // undo history. Reports nothing.
    void InitDocument();
    void SetProductVersion(const QZ2ProductVersion& version);
    const QZ2ProductVersion& GetProductVersion() const;
    // The version of the file loaded last (the current version for a new document).
    const QZ2FileVersion& GetFileVersion() const;
    // Writes the whole model and the view tabs. saveVersion is recorded with the data.
    void SaveToArchive(CArchive& ar, const DrawViewInfo& viewInfo, DWORD dwSaveVersion = 0) const;
    // Reads a model that SaveToArchive wrote. A damaged or truncated archive throws CArchiveException and
    // leaves the document and viewInfo as they were. Warnings go to strLoadMsg. Clears the undo history and
    // reports nothing.
    void LoadFromArchive(CArchive& ar, DrawViewInfo& viewInfo, CString& strLoadMsg);
    // Copies the tables, settings and the current attributes of another document.
    void CopyDocumentSettings(const Draw2dDocument* pFrom);

    // ---- Notification
    void SetNotifyFunction(DocumentNotifyFunction pfn, void* pUserData);
    // Sends a record of that kind and code (when a callback is set and reporting is not held back).
    int SendNotify(int nKind, int nCode);
    int SendNotify(NotifyInfoBase& info);
    // Asks the views to bring the listed records into view (kind 13).
    int ShowFeatures(const std::vector<long>& recordIDs);

    // ---- Undo
    void BeginUndoOperation(LPCTSTR lpszName = nullptr);
    void EndUndoOperation();
    BOOL IsInUndoOperation() const;
    BOOL Undo(int nSteps = 1);
    BOOL Redo(int nSteps = 1);
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    int GetUndoCount() const;
    int GetRedoCount() const;
    // How many steps have been recorded since the document was made: a bracket that changed nothing
    // records none (so a caller undoing its own failed bracket knows whether there is one to undo).
    unsigned long long GetRecordedStepCount() const { return m_nRecordedSteps; }
    void ClearRedoHistory();
    void ClearUndoRedoHistory();
    // The most undo steps kept (at least 1); older steps are forgotten.
    void SetUndoDepth(int nDepth);
    int GetUndoDepth() const;

    // ---- Feature records
    // Stores a copy of the shape in the drawing (NULL = the active drawing); returns the new record id or
    // -1 (no shape, an invalid shape, or no such drawing). nFlag 1 reports the addition.
    long AddFeature(const Feature2dBase* pFeature, DrawingFeatureBase* pDrawing, int nFlag);
    // The record keeps its id and holds a copy of the replacement: wMask chooses what is taken from it
    // (Feature2dBase copy flags); a replacement of another kind replaces the shape whole.
    // Stores a copy of a shape of another document: its layer is found by path here (made when missing, with
    // the source layer's attributes), and component shapes get this document's definition of the same name
    // (copied over when missing). Table numbers are kept.
    long AddFeature(const Feature2dBase* pFeature, DrawingFeatureBase* pDrawing, const Draw2dDocument* pSource,
                    int nFlag);
    BOOL UpdateFeature(long nRecordID, const Feature2dBase* pReplacement, int nFlag, WORD wMask);
    BOOL DeleteFeature(long nRecordID, int nFlag);
    // The stored shape; NULL when the record holds none.
    Feature2dBase* GetFeature(long nRecordID) const;
    Feature2dBase* GetFeature(const FeatureRecord& record) const;
    BOOL IsDeletedFeature(long nRecordID) const;
    // A shape may be changed when its drawing and its layer are editable.
    BOOL IsFeatureEditable(long nRecordID) const;
    BOOL IsFeatureEditable(const Feature2dBase* pFeature) const;
    // The layer part of the test: the shape's layer, or for a group or placed component on no layer of its
    // own the layers of its shapes.
    BOOL IsEditableFeatureLayer(const Feature2dBase* pFeature, int nDepth = 0) const;
    DrawingFeatureBase* GetParentDrawingFeature(long nRecordID) const;
    long GetFeatureDrawingID(long nRecordID) const;  // -1 when there is no such record
    long GetFeatureLayerID(long nRecordID) const;
    long GetFeatureNo(long nRecordID) const;
    int GetFeatureType(long nRecordID) const;  // -1 when the record holds no shape
    const RuVaBndBox2d& GetFeatureBox(long nRecordID) const;
    BOOL GetFeatureBox(long nRecordID, RuVaBndBox2d& box) const;
    BOOL GetFeatureBox(long nRecordID, RuVaBndBox2d& box, KcArrayOfGePnt2d& points) const;
    BOOL GetFeaturePoints(long nRecordID, KcArrayOfGePnt2d& points) const;
    // The simple shapes a draw group or placed component is made of (groups opened, components placed
    // through their definitions), in the local coordinates of the record's drawing, with their boxes (and
    // outline points) when asked for. NULL for a record of another kind or without shapes. The list is the
    // document's and lasts until the next call.
    const ResolvedFeature2dList* GetResolveData(long nRecordID, std::vector<RuVaBndBox2d>* pBoxes,
                                                std::vector<KcArrayOfGePnt2d>* pPoints) const;
    BOOL IsSelectedFeature(const FeatureRecord& record) const;
    // Records of a drawing (NULL = every drawing) in order: -1 starts, -1 ends.
    long GetNextFeatureRecordID(const DrawingFeatureBase* pDrawing, long nPrevID, int nFlag = 0) const;
    long GetNextFeatureRecordID(long nPrevID) const { return GetNextFeatureRecordID(nullptr, nPrevID, 0); }
    long GetFeatureCount() const { return m_nLiveCount; }
    // The shapes seen in a drawing, per layer in the layer tree's order (shapes on no known layer first):
    // a paper's own shapes through its own layout and, with nThroughLayouts, the shapes of each part drawing
    // laid out on it through that layout, in layout order. With nDisplayedOnly, hidden layers and drawings
    // are left out. Returns the number of entries. The callback is not used.
    int GetFeatureRecordListInDisplayOrder(long nDrawingID, std::vector<DisplayOrderList>& lists,
                                           void* pCallback = nullptr, int nThroughLayouts = 1,
                                           int nDisplayedOnly = 1, int nFlag = 0) const;
    // The records of a drawing whose boxes meet the box (a few more near its edges, never fewer), through
    // the drawing's spatial index. Returns their number.
    int GetFeaturesInBox(const DrawingFeatureBase* pDrawing, const RuVaBndBox2d& box, std::vector<long>& ids) const;
    // A number that changes whenever the record changes (added, updated, deleted, undone, redone) and is
    // never given to another version of any record: caches keyed by it never see stale shapes. 0 for none.
    unsigned long long GetFeatureStamp(long nRecordID) const;
    int GetFeatureCountByLayer(long nLayerID) const;
    BOOL IsExistFeatureInLayer(long nLayerID) const;
    // Reports that every shape may have changed (kind 5 code 3, then a redraw).
    void UpdateAllFeatures(BOOL bNotify = TRUE);
    // The box of a drawing's shapes (of all drawings for null). nFlag kFeatureBoxPrintedOnly counts only the
    // shapes that print: those on layers shown and printable.
    static constexpr int kFeatureBoxPrintedOnly = 1;
    BOOL GetAllFeatureBox(const DrawingFeatureBase* pDrawing, RuVaBndBox2d& box, int nFlag = 0) const;
    // The colour, line-type and line-width numbers that stored shapes use, ascending.
    std::vector<short> GetUsedFeatureColorNoMap() const;
    std::vector<short> GetUsedFeatureLineTypeNoMap() const;
    std::vector<short> GetUsedFeatureLineWidthNoMap() const;
    // Whether a shape or a layer uses the line type.
    BOOL IsUsedLineTypeNo(short nLineTypeNo) const;

    // ---- Drawings, papers, part layouts
    // Papers and part drawings in order (component definitions are in their own table).
    int GetDrawingFeatureCount() const;
    DrawingFeatureBase* GetDrawingFeatureByIndex(int nIndex) const;  // index-guarded
    DrawingFeatureBase* GetDrawingFeatureByName(const CString& strName) const;
    // Any drawing by id, component definitions included; NULL when absent. Never changes the active drawing.
    DrawingFeatureBase* GetDrawingFeatureByID(long nDrawingID) const;
    DrawingFeatureBase* ChangeDrawingFeature(long nDrawingID) const { return GetDrawingFeatureByID(nDrawingID); }
    BOOL IsDrawingFeatureExists(const DrawingFeatureBase* pDrawing) const;
    BOOL IsDrawingFeatureExists(long nDrawingID) const;
    int GetPaperFeatureCount() const;
    Paper2dFeature* GetPaperFeature(int nIndex) const;  // NULL out of range
    DrawingFeatureBase* GetActiveDrawingFeature() const;
    long GetActiveDrawingID() const;
    PartDrawingLayout* GetActiveDrawingLayout() const;
    long GetActiveLayoutID() const;
    // Activates a drawing through a part layout (-1 = the drawing's own layout). A paper may be activated
    // through one of its layouts; a part drawing through its own layout or a layout that shows it.
    BOOL ActivateDrawingFeature(long nDrawingID, long nLayoutID, BOOL bNotify);
    BOOL ActivateDrawingFeature(DrawingFeatureBase* pDrawing, BOOL bNotify);
    BOOL ActivateDrawingFeature(const CString& strName, BOOL bNotify);
    // A new paper or part drawing (a name is made when NULL or empty); its id or -1 for a name in use.
    long AddPaperFeature(LPCTSTR lpszName);
    long AddPartDrawingFeature(LPCTSTR lpszName);
    // A layout of a part drawing on a paper (ids from the layout), at nOrder among the paper's layouts
    // (-1 = last). Returns the new layout id or -1.
    long AddPartLayout(const PartDrawingLayout& layout, int nOrder, int nFlag);
    long AddPartLayout(long nPaperID, long nDrawingID, LPCTSTR lpszName, int nOrder, int nFlag);
    BOOL SetPartLayout(long nLayoutID, const PartDrawingLayout& layout, int nFlag);
    BOOL DeletePartLayout(long nLayoutID, int nFlag);
    // Removes a paper or part drawing with its shapes and every layout that shows it. The last paper stays.
    BOOL DeleteDrawingFeature(const CString& strName, int nFlag);
    BOOL DeleteDrawingFeature(long nDrawingID, int nFlag);
    PartDrawingLayout* GetPartLayoutByID(long nLayoutID) const;
    BOOL IsPartLayoutExists(long nLayoutID) const { return GetPartLayoutByID(nLayoutID) != nullptr; }
    int GetDrawingOrder(const DrawingFeatureBase* pDrawing) const;
    BOOL SetDrawingOrder(long nDrawingID, int nOrder, int nFlag = 1);
    BOOL SetPartLayoutOrder(long nLayoutID, int nOrder, int nFlag);
    // The whole order at once: the list holds every drawing (every layout of the paper) exactly once.
    BOOL SetDrawingOrderList(const std::vector<long>& drawingIDs, int nFlag = 1);
    BOOL SetPartLayoutOrderList(long nPaperID, const std::vector<long>& layoutIDs, int nFlag);
    // Drawing setters by name (with id overloads). Names are unique among drawings.
    BOOL SetDrawingName(const CString& strOldName, const CString& strNewName, int nFlag);
    BOOL SetDrawingName(long nDrawingID, const CString& strNewName, int nFlag);
    BOOL SetDrawingState(const CString& strName, int nState, int nFlag);
    BOOL SetDrawingState(long nDrawingID, int nState, int nFlag);
    BOOL SetDrawingPrintable(const CString& strName, BOOL bPrintable, int nFlag = 1);
    BOOL SetDrawingPrintable(long nDrawingID, BOOL bPrintable, int nFlag = 1);
    BOOL SetDrawingGridSetting(long nDrawingID, const GridSetting& grid, int nFlag);
    BOOL SetDrawingUserOrigin(long nDrawingID, const RuVaPnt2d& origin, int nFlag);
    BOOL SetDrawingPrintRange(long nDrawingID, const RuVaBndBox2d& range, int nFlag = 1);
    BOOL GetPaperSize(const CString& strName, double& dWidth, double& dHeight) const;
    BOOL SetPaperSize(const CString& strName, double dWidth, double dHeight, int nFlag);
    BOOL SetPaperSizeType(const CString& strName, int nType, int nFlag);
    BOOL SetPaperOrientType(const CString& strName, int nOrientation, int nFlag);
    BOOL SetPaperPrintScale(const CString& strName, double dScale, int nFlag);
    BOOL SetPartLayoutName(long nLayoutID, const CString& strName, int nFlag = 1);
    BOOL SetPartLayoutOrigin(long nLayoutID, const RuVaPnt2d& origin, int nFlag);
    BOOL SetPartLayoutAngle(long nLayoutID, double dDegrees, int nFlag);
    BOOL SetPartLayoutScale(long nLayoutID, double numX, double denX, BOOL bYDiffers, double numY, double denY,
                            int nFlag);
    BOOL SetPartLayoutRegion(long nLayoutID, const Region2dFeature* pRegion, int nFlag);
    BOOL IsDisplayDrawingFeature(const DrawingFeatureBase* pDrawing) const;
    BOOL IsEditableDrawingFeature(const DrawingFeatureBase* pDrawing) const;

    // ---- Layers
    LayerFeatureTable* GetLayerTable() const;
    long GetCurrentLayerID() const;
    BOOL SetCurrentLayerID(long nLayerID, int nFlag);
    // A new layer under a group (-1 = the root); a name is made when NULL or empty. Returns its id or -1.
    long AddLayer(long nParentID, LPCTSTR lpszName, int nFlag);
    long AddLayer(LPCTSTR lpszName, long nParentID);
    long AddLayerGroup(LPCTSTR lpszName, long nParentID);
    // Removes a layer, or a group with everything below it, and the shapes on the removed layers. Refused
    // while a component definition uses one of the layers.
    BOOL DeleteLayer(long nLayerID, int nFlag);
    // On a group these apply to every layer below it.
    BOOL SetLayerState(long nLayerID, int nState, int nFlag);
    BOOL SetLayerHide(long nLayerID, BOOL bHide, int nFlag);
    BOOL SetLayerPrintable(long nLayerID, BOOL bPrintable, int nFlag = 1);
    BOOL SetLayerName(long nLayerID, const CString& strName, int nFlag = 1);
    BOOL SetLayerColorNo(long nLayerID, short nColorNo, int nFlag);
    BOOL SetLayerLineTypeNo(long nLayerID, short nLineTypeNo, int nFlag);
    BOOL SetLayerLineWidthNo(long nLayerID, short nLineWidthNo, int nFlag);
    BOOL MoveBeforeLayer(long nLayerID, long nTargetID, int nFlag);
    BOOL MoveAfterLayer(long nLayerID, long nTargetID, int nFlag);
    // Into a group at an index among its children (-1 = at the end).
    BOOL MoveInLayer(long nLayerID, long nGroupID, int nIndex, int nFlag);
    int FindComponentDefineIDUsingLayer(long nLayerID, CDWordArray& ids) const;
    BOOL IsDisplayLayerID(long nLayerID) const;
    BOOL IsEditableLayerID(long nLayerID) const;
    // Whether a member of a draw group lies on the layer.
    BOOL IsUsedDrawGroupLayerID(long nLayerID) const;

    // ---- Component definitions
    DrawComponent2dFeatureDefineTable* GetComponentDefineTable() const;
    // A new definition from a copy (its drawing id and component id are given anew); returns the component
    // id or -1 (no valid name, or the name is in use).
    long AddDrawComponentDefine(const DrawComponent2dFeatureDefine& define);
    // Copies a definition with its shapes (and the definitions its shapes use) from another document; when
    // this document has a definition of that name already, its id. -1 when the source has no such definition.
    long AddDrawComponentDefine(const Draw2dDocument* pSource, long nComponentID);
    // Whether placing component nComponentID into definition nEditedID would make a definition contain
    // itself (directly or through the definitions it uses).
    BOOL IsIncludeComponentId(long nEditedID, long nComponentID) const;
    // Removes a definition with its shapes.
    BOOL DeleteDrawComponentDefine(long nComponentID);
    BOOL SetDrawComponentDefineName(long nComponentID, const CString& strName);
    BOOL SetDrawComponentDefineAttribute(long nComponentID, const FeatureAttribute& attribute, int nFlag);
    BOOL IsEditingDrawComponent(long nComponentID) const;
    // Whether a component shape (also inside a group or another definition) refers to the definition.
    BOOL IsDrawComponentIdUsed(long nComponentID) const;
    // Opens a definition for editing (its drawing becomes active when bActivate).
    BOOL BeginEditDrawComponentDefine(long nComponentID, BOOL bActivate, int nFlag = 0);
    BOOL EndEditDrawComponentDefine(long nComponentID);

    // ---- Tables and current attributes
    const ColorFeatureTable* GetColorFeatureTable() const;
    const LineTypeFeatureTable* GetLineTypeFeatureTable() const;
    const LineWidthFeatureTable* GetLineWidthFeatureTable() const;
    void SetColorFeatureTable(const ColorFeatureTable& table, int nFlag);
    void SetLineTypeFeatureTable(const LineTypeFeatureTable& table, int nFlag);
    void SetLineTypeFeatureTable(const LineTypeFeatureTable& table, int nProportionalMode, double dPitch, int nFlag);
    void SetLineWidthFeatureTable(const LineWidthFeatureTable& table, int nFlag);
    int GetLinePitchProportionalMode() const;
    double GetLinePitchValue() const;
    // Hatch patterns.
    HatchPatternTable* GetHatchPatternTable() const;
    // Adds the patterns of the pattern files in a folder; returns the number added. Not an undo step.
    int LoadDefaultHatchPattern(const CString& strFolder);
    long AddHatchPattern(const HatchPatternBase* pPattern);
    BOOL SetHatchPattern(long nPatternID, const HatchPatternBase* pPattern, int nFlag = 1);
    // Refused while a hatch or the hatch setting uses the pattern.
    BOOL DeleteHatchPattern(long nPatternID);
    BOOL IsHatchPatternUsed(long nPatternID) const;
    BOOL SetHatchPatternName(long nPatternID, const CString& strName);

    short GetCurrentColorNo() const;
    short GetCurrentLineTypeNo() const;
    short GetCurrentLineWidthNo() const;
    // Refuse numbers outside the attribute rule (colour <= 256, line type <= 32766, width <= 15).
    BOOL SetCurrentColorNo(short nColorNo, int nFlag = 1);
    BOOL SetCurrentLineTypeNo(short nLineTypeNo, int nFlag = 1);
    BOOL SetCurrentLineWidthNo(short nLineWidthNo, int nFlag = 1);
    // The current colour number with its RGB value (that of the current layer for 0), and the current
    // line-width number with its width in mm (that of the current layer for 0).
    void GetCurrentColor(short& nColorNo, COLORREF& rgb) const;
    void GetCurrentLineWidth(short& nLineWidthNo, double& dWidth) const;

    // ---- Settings of the shapes (the document's own; callers copy before changing)
    GeneralFeatureSetting* GetGeneralFeatureSetting() const;
    PointMarkerSetting* GetPointMarkerSetting() const;
    TextSetting* GetTextSetting() const;
    LeadSetting* GetLeadSetting() const;
    BalloonSetting* GetBalloonSetting() const;
    DimensionSetting* GetDimensionSetting() const;
    HatchSetting* GetHatchSetting() const;
    ImageSetting* GetImageSetting() const;
    OleObjectSetting* GetOleObjectSetting() const;
    // Each takes a copy; 0 when the setting is refused (a value out of range).
    int SetGeneralFeatureSetting(const GeneralFeatureSetting& setting);
    int SetPointMarkerSetting(const PointMarkerSetting& setting);
    int SetTextSetting(const TextSetting& setting);
    int SetLeadSetting(const LeadSetting& setting, const LeadSetting* pUnused = nullptr);
    int SetBalloonSetting(const BalloonSetting& setting, const BalloonSetting* pUnused = nullptr);
    int SetDimensionSetting(const DimensionSetting& setting, const DimensionSetting* pUnused = nullptr);
    int SetHatchSetting(const HatchSetting& setting, const HatchSetting* pUnused = nullptr);
    int SetImageSetting(const ImageSetting& setting);
    int SetOleObjectSetting(const OleObjectSetting& setting);

    // Named styles of each kind, with the current style name.
    GeneralFeatureSettingStyles* GetGeneralFeatureSettingStyles() const;
    PointMarkerSettingStyles* GetPointMarkerSettingStyles() const;
    TextSettingStyles* GetTextSettingStyles() const;
    LeadSettingStyles* GetLeadSettingStyles() const;
    BalloonSettingStyles* GetBalloonSettingStyles() const;
    DimensionSettingStyles* GetDimensionSettingStyles() const;
    HatchSettingStyles* GetHatchSettingStyles() const;
    // Replaces the collection of that kind; when it names a current style, the current setting of the kind
    // becomes that style. FALSE for a collection of no known kind.
    BOOL UpdateFeatureSettingStyles(const FeatureSettingStylesBase& styles);
    // Makes a named style current and its setting the current setting; FALSE for an unknown name.
    BOOL SetCurrentGeneralFeatureSettingStyleName(const CString& strName);
    BOOL SetCurrentPointMarkerSettingStyleName(const CString& strName);
    BOOL SetCurrentTextSettingStyleName(const CString& strName);
    BOOL SetCurrentLeadSettingStyleName(const CString& strName);
    BOOL SetCurrentBalloonSettingStyleName(const CString& strName);
    BOOL SetCurrentDimensionSettingStyleName(const CString& strName);
    BOOL SetCurrentHatchSettingStyleName(const CString& strName);

    // ---- Units and display modes (reported as kind 14)
    LengthUnitFormatType GetLengthUnitFormatType() const;
    short GetDistPrecision() const;
    AngleUnitFormatType GetAngleUnitFormatType() const;
    short GetAnglePrecision() const;
    BOOL SetLengthUnitFormatType(int nType, int nFlag = 1);   // 0-4
    BOOL SetDistPrecision(int nPrecision, int nFlag = 1);     // 0-8
    BOOL SetAngleUnitFormatType(int nType, int nFlag = 1);    // 0-3; lowers the precision to 6 for 1
    BOOL SetAnglePrecision(int nPrecision, int nFlag = 1);    // 0-8, at most 6 with format 1
    int GetPaperLineWidthDisplayMode() const;
    int GetPaperLinePitchDisplayMode() const;
    int GetPartLineWidthDisplayMode() const;
    int GetPartLinePitchDisplayMode() const;
    int GetLineCapMode() const;
    int GetLineJoinMode() const;
    int GetLinkLineWidthOfFeature() const;
    double GetStandardLineWidth() const;
    // Display modes are 0 or 1; cap and join modes 0 to 2.
    BOOL SetPaperLineWidthDisplayMode(int nValue, int nFlag = 1);
    BOOL SetPaperLinePitchDisplayMode(int nValue, int nFlag = 1);
    BOOL SetPartLineWidthDisplayMode(int nValue, int nFlag = 1);
    BOOL SetPartLinePitchDisplayMode(int nValue, int nFlag = 1);
    BOOL SetLineCapMode(int nValue, int nFlag = 1);
    BOOL SetLineJoinMode(int nValue, int nFlag = 1);

    // ---- Selection and saved views
    SelectionManager* GetSelectionManager() const { return m_pSelection.get(); }
    SelectionFilter* GetSelectionFilter() const { return m_pFilter.get(); }
    void SetSelectionFilter(const SelectionFilter& filter);
    int GetSelectionFilterMode() const;
    void SetSelectionFilterMode(int nMode);
    int GetViewControlSettingCount() const { return kViewControlSettingCount; }
    const ViewControlSetting& GetViewControlSetting(int nIndex) const;  // index-guarded
    void SetViewControlSetting(int nIndex, const ViewControlSetting& setting);  // index-guarded
    int GetViewControlSettingActiveCount() const;
    int GetViewControlSettingCurrentIndex() const;
    void SetViewControlSettingCurrentIndex(int nIndex);
    // The next (nDirection 1) or previous (0) slot in use after nCurrent, wrapping; -1 when none is in use.
    int GetViewControlSettingNextIndex(int nCurrent, int nDirection) const;

    // ---- Printing
    // How the document prints; saved with it, not part of undo. Setting reports a document setting change
    // (kind 14, code 20) so that the document counts as changed.
    const PlotSetting& GetPlotSetting() const { return *m_pPlotSetting; }
    void SetPlotSetting(const PlotSetting& setting);

private:
    struct State;
    // One record: the shape (NULL once deleted) and the drawing that holds it.
    struct Record {
        Feature2dBase* pFeature = nullptr;
        LONG nDrawingID = -1;
        unsigned long long nStamp = 0;  // changes whenever the record does
    };
    struct UndoStep;
    struct DrawingIndex;
    class UndoScope;
    friend class UndoScope;

    State& S() const { return *m_pState; }
    // Undo bookkeeping: call before changing a part of the state or a record.
    void Touch(unsigned nSections);
    void CommitStep();
    void ApplyStep(UndoStep& step);
    void AfterRestore(unsigned nSections, const std::vector<long>& records);
    void SetSlot(long nRecordID, Feature2dBase* pFeature, long nDrawingID);
    void NoteRecordChange(long nRecordID, long nOldDrawingID, long nNewDrawingID, bool bLive);
    void RebuildComponentRecordSets();
    void ApplyFeatureCounts();
    DrawingFeatureBase* FindDrawing(long nDrawingID) const;
    DrawingFeatureBase* FindDrawingByName(const CString& strName) const;
    CString MakeDrawingName(int nType) const;
    CString MakeLayerName(BOOL bGroup) const;
    long NewLayer(long nParentID, LPCTSTR lpszName, BOOL bGroup, int nFlag);
    BOOL MoveLayer(long nLayerID, long nGroupID, int nIndex, int nCode, long nOtherID, int nFlag);
    BOOL ChangeLayers(long nLayerID, int nCode, int nFlag, const std::function<BOOL(LayerFeature&)>& change);
    void DeleteRecordsOfDrawing(long nDrawingID);
    void NotifyDrawing(int nCode, DrawingFeatureBase* pDrawing, DrawingFeatureBase* pDrawing2,
                       PartDrawingLayout* pLayout, long nIndex, int nFlag);
    void NotifyLayer(int nCode, long nLayerID, long nGroupID, long nOtherID, long nIndex, BOOL bWithChildren,
                     int nFlag);
    void NotifyFeature(int nCode, long nRecordID, int nFlag);
    BOOL SetMode(int& field, int nValue, int nMin, int nMax, int nFlag);
    BOOL SetCurrentStyleName(FeatureSettingStylesBase& styles, const CString& strName);
    // Every stored shape with the members of groups, until visit answers true.
    bool AnyFeature(const std::function<bool(const Feature2dBase&)>& visit) const;
    long MapLayerFrom(const Draw2dDocument& source, long nLayerID);
    // The box of a shape with placed components resolved through their definitions.
    RuVaBndBox2d ResolveBox(const Feature2dBase& feature, int nDepth = 0) const;
    void Resolve(const Feature2dBase& feature, const RuVaGTrsf2d* pPlace, double dSizeScale, int nParentType,
                 int nDepth, ResolvedFeature2dList& out) const;
    void MapComponentsFrom(const Draw2dDocument& source, Feature2dBase& feature);
    std::vector<short> UsedNumbers(const std::function<short(const Feature2dBase&)>& number) const;
    static void CheckRecordID(long nRecordID);

    COleServerDoc* m_pOwner;
    CRuntimeClass* m_pCntrItemClass = nullptr;
    std::unique_ptr<State> m_pState;
    std::vector<Record> m_records;  // by record id; slot 0 is unused
    long m_nLiveCount = 0;
    unsigned long long m_nLastStamp = 0;
    std::unordered_map<long, long> m_featureCounts;  // live shapes per drawing id
    std::unique_ptr<SelectionManager> m_pSelection;
    std::unique_ptr<SelectionFilter> m_pFilter;
    mutable RuVaBndBox2d m_boxCache;
    mutable std::unique_ptr<ResolvedFeature2dList> m_pResolved;
    mutable std::unordered_map<long, std::unique_ptr<DrawingIndex>> m_indices;  // by drawing id
    long m_nEditingComponentID = -1;
    int m_nCopyDepth = 0;

    std::unique_ptr<PlotSetting> m_pPlotSetting;

    DocumentNotifyFunction m_pfnNotify = nullptr;
    void* m_pNotifyUser = nullptr;

    // Undo.
    std::vector<std::unique_ptr<UndoStep>> m_undo;
    std::vector<std::unique_ptr<UndoStep>> m_redo;
    std::unique_ptr<UndoStep> m_pOpen;
    int m_nBracketDepth = 0;
    unsigned long long m_nRecordedSteps = 0;
    int m_nUndoDepth = 100;
    bool m_bRestoring = false;
};

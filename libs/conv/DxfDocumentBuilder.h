#pragma once
// Receives what dxflib makes of the checked groups and builds the drawing in a Draw2dDocument: layers,
// the model space as a part drawing laid out on a paper, block definitions as component definitions with
// their instances, and the shapes themselves in millimetres. The limits are checked while reading: the
// number of shapes, of block definitions, the nesting depth of blocks and the number of pieces that every
// instance would give when expanded (counted bottom-up, never expanded).

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <dxflib/dl_creationadapter.h>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/HatchSetting.h"

class ACadConvSetting;
class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;

class DxfDocumentBuilder : public DL_CreationAdapter
{
public:
    static constexpr long kMaxShapes = 20000000;
    static constexpr long kMaxBlocks = 1000000;
    static constexpr int kMaxNesting = 16;
    static constexpr int64_t kMaxPieces = 50000000;

    DxfDocumentBuilder(Draw2dDocument* pDocument, ACadConvSetting* pSetting);
    ~DxfDocumentBuilder() override;

    // The first failure code (-3 damaged, -4 beyond limits), 0 while all is well.
    int GetError() const { return m_nError; }
    // The number of objects that the data model cannot hold and were left out.
    int GetLeftOutCount() const { return m_nLeftOut; }
    void AddLeftOut() { ++m_nLeftOut; }
    long GetShapeCount() const { return m_nShapes; }
    // The file's name without folder and extension (prefix of block names when the setting asks for it).
    void SetFileTitle(const CString& strTitle) { m_strFilePrefix = strTitle; }
    // The folder that relative image paths start from (empty: only absolute paths are followed).
    void SetFileFolder(const CString& strFolder) { m_strFolder = strFolder; }
    // Sees every group before dxflib does, to keep what dxflib drops: dimension and text style records,
    // a dimension's block, the definition lines of a hatch pattern, layouts and viewports.
    void ObserveGroup(int nCode, const std::string& value);
    // After the last group: checks the block graph, lays the model out on the paper and reports the drawing
    // names to the setting. 0 or a failure code.
    int Finish();

    // dxflib's creation interface.
    void setVariableString(const std::string& key, const std::string& value, int code) override;
    void setVariableInt(const std::string& key, int value, int code) override;
    void setVariableDouble(const std::string& key, double value, int code) override;
    void addLinetype(const DL_LinetypeData& data) override;
    void addLinetypeDash(double length) override;
    void addLayer(const DL_LayerData& data) override;
    void addTextStyle(const DL_StyleData& data) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addPoint(const DL_PointData& data) override;
    void addLine(const DL_LineData& data) override;
    void addXLine(const DL_XLineData& data) override;
    void addRay(const DL_RayData& data) override;
    void addArc(const DL_ArcData& data) override;
    void addCircle(const DL_CircleData& data) override;
    void addEllipse(const DL_EllipseData& data) override;
    void addPolyline(const DL_PolylineData& data) override;
    void addVertex(const DL_VertexData& data) override;
    void addSpline(const DL_SplineData& data) override;
    void addControlPoint(const DL_ControlPointData& data) override;
    void addFitPoint(const DL_FitPointData& data) override;
    void addKnot(const DL_KnotData& data) override;
    void addInsert(const DL_InsertData& data) override;
    void addText(const DL_TextData& data) override;
    void addAttribute(const DL_AttributeData& data) override;
    void addMText(const DL_MTextData& data) override;
    void addMTextChunk(const std::string& text) override;
    void addLeader(const DL_LeaderData& data) override;
    void addLeaderVertex(const DL_LeaderVertexData& data) override;
    void addDimLinear(const DL_DimensionData& data, const DL_DimLinearData& edata) override;
    void addDimAlign(const DL_DimensionData& data, const DL_DimAlignedData& edata) override;
    void addDimRadial(const DL_DimensionData& data, const DL_DimRadialData& edata) override;
    void addDimDiametric(const DL_DimensionData& data, const DL_DimDiametricData& edata) override;
    void addDimAngular(const DL_DimensionData& data, const DL_DimAngular2LData& edata) override;
    void addDimAngular3P(const DL_DimensionData& data, const DL_DimAngular3PData& edata) override;
    void addDimOrdinate(const DL_DimensionData& data, const DL_DimOrdinateData& edata) override;
    void addImage(const DL_ImageData& data) override;
    void linkImage(const DL_ImageDefData& data) override;
    void addTrace(const DL_TraceData& data) override;
    void addSolid(const DL_SolidData& data) override;
    void addHatch(const DL_HatchData& data) override;
    void addHatchLoop(const DL_HatchLoopData& data) override;
    void addHatchEdge(const DL_HatchEdgeData& data) override;
    void endEntity() override;
    void endSequence() override;

    // Text of the file as this program's text: the code page of older files, \U+XXXX escapes and the
    // %%c %%d %%p specials.
    CString DecodeText(const std::string& text) const;
    // MTEXT's formatting codes stripped; paragraph breaks become line breaks.
    static std::string StripMText(const std::string& text);

private:
    // The groups of one record (entity, table entry or object) that ObserveGroup keeps.
    struct Record {
        std::string kind;
        std::vector<std::pair<int, std::string>> groups;
        // The value of the first group of the code (after the nth), or the default.
        std::string Get(int nCode, const std::string& def = std::string()) const;
        double GetDouble(int nCode, double def) const;
    };
    // A record is complete: the table entries and objects dxflib does not hand on are taken here.
    void TakeRecord(const Record& record);
    Record m_record;      // being read
    Record m_lastRecord;  // the one before, which dxflib reports as the next begins
    // Dimension styles and text styles of the file by upper-case name.
    std::map<std::string, DimensionSetting> m_dimStyles;
    std::map<std::string, std::string> m_dimStyleNames;  // upper case to as written
    struct TextStyle {
        std::string name;
        CString font;  // empty for shape fonts
        double dHeight = 0, dWidth = 1, dOblique = 0;
    };
    std::map<std::string, TextStyle> m_textStyles;
    void AddStyles();
    // The style, value text and typed flag a dimension gets: the file's dimension style, the prefix and
    // suffix around "<>" of its text or the style's DIMPOST, the text itself when typed.
    struct DimensionLook {
        DimensionSetting setting;
        BYTE bTyped = 0;
        CString text;
    };
    DimensionLook LookOf(const DL_DimensionData& data) const;
    // Further layouts: the paper each *Paper_Space<n> block is read onto (by upper-case block name), the
    // paper being read (-1 outside them), the LAYOUT objects and block record names that name and size
    // them, and the viewports that lay the model out on the papers.
    std::map<std::string, long> m_layoutPapers;
    long m_nLayoutPaper = -1;
    struct Layout {
        std::string name, blockRecord;
        int nTab = 0;
        double dWidth = 0, dHeight = 0;  // millimetres, as plotted
    };
    std::vector<Layout> m_layouts;
    std::map<std::string, std::string> m_blockRecordNames;  // handle to block name
    // The layout of the *Paper_Space block (the active one), or none.
    const Layout* ActiveLayout() const;
    // A viewport: its centre and size on paper; the view's centre (cx, cy in display coordinates, whose
    // origin is the target tx, ty and whose axes are the model's turned by the twist), height and twist.
    struct Viewport {
        long nPaperID = -1;
        double cx = 0, cy = 0, w = 0, h = 0, vx = 0, vy = 0, tx = 0, ty = 0, vh = 0, twist = 0;
    };
    std::vector<Viewport> m_viewports;
    // Names and sizes the further papers after their layouts, and lays the model out through the viewports.
    void LayOutPapers();
    // User widths 10-15 taken for line weights of the file that no width has.
    std::set<short> m_claimedWidths;

    struct Block {
        long nComponentID = -1;
        bool bDefined = false;
        bool bEnded = false;
        // Blocks it places and how many times.
        std::map<std::string, int64_t> children;
        int64_t nOwnShapes = 0;
        // Once counted: the pieces it expands to and how deep its nesting goes (1 for no placements).
        int64_t nPiecesCache = -1;
        int nHeight = 0;
        // The pieces counted so far while the block is read, to refuse a bomb at once.
        int64_t nRunning = 0;
    };
    // Placements are added once every definition is complete and checked: the data model resolves a
    // placement through its definitions when it is added, which a hostile file could make endless.
    struct Placement {
        std::string parent;  // the block it lies in, empty for the model or the paper
        Feature2dBase* pFeature = nullptr;
        std::string placed;
        bool bOnPaper = false;
        long nDrawingID = -1;  // a further layout's paper
    };
    struct Layer {
        long nID = -1;
        int nColor = 7;
        int nWeight = -3;
        std::string lineType;
    };

    void Fail(int nCode)
    {
        if (m_nError == 0)
            m_nError = nCode;
    }
    bool Skip() const;
    // Whether the current entity is read: not skipped, and in a plane we can hold (else counted as left
    // out); bMirror tells that its plane is seen from below.
    bool Readable(bool& bMirror);
    // Whether entities of the paper space are read (onto the paper) rather than left out.
    bool ReadsPaperSpace() const;
    // Whether the current entity lies in the paper space of the file (outside any block).
    bool OnPaper() const;
    // The drawing the current entity goes to (created on first use).
    DrawingFeatureBase* Target();
    // Object coordinates of the entity's plane to world millimetres; false for planes we cannot hold.
    bool PlaneIsFlat(bool& bMirror) const;
    RuVaPnt2d ToWorld(double x, double y, bool bMirror = false) const;
    double ToLength(double d) const { return d * m_dUnit; }
    void Store(Feature2dBase* pFeature);
    void ApplyAttributes(Feature2dBase& feature);
    long LayerID(const std::string& name);
    short ColorNo(int nAci, int nTrueColor);
    short WidthNo(int nWeight);
    Block& BlockNamed(const std::string& name);
    long ComponentIDFor(const std::string& name);
    void FinishPolyline();
    void FinishSpline();
    // The curve of a spline's control points (clamped uniform ones as they stand, others sampled and
    // fitted) or of its fit points; NULL when they give none.
    Feature2dBase* SplineCurve(int nDegree, bool bClosed, const std::vector<DL_ControlPointData>& controls,
                               const std::vector<DL_FitPointData>& fits, const std::vector<double>& knots) const;
    void AddTextShape(const CString& text, const RuVaPnt2d& point, double dHeight, double dAngleDeg, int nHAlign,
                      int nVAlign, double dWidthFactor, const std::string& style);
    // The pieces a block placed at nDepth expands to, counted bottom-up (saturating); -1 for a cycle, -2 for
    // nesting deeper than allowed.
    int64_t Pieces(const std::string& name, int nDepth, std::set<std::string>& path, int& nHeight);
    int AddPlacements();
    // The model laid out on the first paper, and the drawing names reported to the setting.
    void LayOut();
    void CountInsert(const std::string& name, int64_t nCells);

    Draw2dDocument* m_pDoc;
    ACadConvSetting* m_pSetting;
    int m_nError = 0;
    int m_nLeftOut = 0;
    long m_nShapes = 0;
    double m_dUnit = 1.0;
    unsigned m_nCodePage = 0;  // 0: UTF-8
    bool m_bOldVersion = false;
    int m_nTileMode = 1;

    std::map<std::string, Layer> m_layers;
    // The dashes of the line type entry being read (they come before its name), and the number each
    // line type of the file got, by upper-case name.
    std::vector<double> m_linetypeDashes;
    std::map<std::string, short> m_lineTypeNos;
    // Our number for a line type name of the file: 0 by layer, 1 continuous; -1 for one we do not know.
    short LineTypeNo(const std::string& name) const;
    std::map<std::string, Block> m_blocks;
    std::string m_currentBlock;  // empty outside BLOCK ... ENDBLK
    bool m_bSkipBlock = false;   // a layout's own block: its entities are not read
    RuVaPnt2d m_blockBase;
    long m_nModelID = -1;
    std::map<long, long> m_userColors;  // true colours made into user colours, by RGB
    short m_nNextUserColor = 17;
    int64_t m_nTopPieces = 0;
    std::map<std::string, int64_t> m_pendingTop;  // top placements of blocks not read yet
    std::vector<Placement> m_placements;
    std::set<std::string> m_shxStyles;             // text styles in shape fonts (upper case)
    CString m_strFilePrefix;

    // The polyline or spline being read.
    // A hatch being read: its fill and its boundary loops, each a list of edges.
    // One edge as read: dxflib's own edge record leaves the fields of other edge kinds uninitialised, so
    // only those of its kind are taken over.
    struct HatchEdge {
        int type = 0;  // 0 polyline vertices, 1 line, 2 arc, 3 elliptic arc, 4 spline
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        double cx = 0, cy = 0, radius = 0, angle1 = 0, angle2 = 0;
        double mx = 0, my = 0, ratio = 0;  // the major axis's end from the centre, minor to major
        bool ccw = true;
        std::vector<std::vector<double>> vertices;
        int degree = 3;
        std::vector<double> knots, weights;
        std::vector<std::vector<double>> controls, fits;
    };
    // A hatch pattern of the file's definition lines (from the hatch's own record) as a user pattern of
    // the document, made once per name; -1 when the lines give none.
    long UserPatternID(const std::string& name);
    std::map<std::string, long> m_userPatterns;
    // Our number for a dash list of the file (drawn positive, gaps negative, 0 a dot), made into a user line
    // type under the name when it is not continuous; -1 when none can be made.
    short LineTypeOfDashes(const CString& name, const std::vector<double>& dashes);
    struct HatchInProgress {
        bool bActive = false;
        bool bSolid = false;
        std::string pattern;
        std::vector<std::vector<HatchEdge>> loops;
    };
    // A four-cornered filled area (SOLID, TRACE) as a solid hatch of its outline.
    void AddFilledQuad(const DL_TraceData& data);
    void FinishHatch();
    // The document's current hatch style turned into a solid fill or the pattern nearest the named one.
    HatchSetting HatchFill(bool bSolid, const std::string& pattern) const;

    HatchInProgress m_hatch;
    // A leader being read: whether it has an arrow and its vertices, the arrow tip first.
    struct LeaderInProgress {
        bool bActive = false;
        bool bArrow = true;
        std::vector<RuVaPnt2d> points;
    };
    void FinishLeader();
    // A linear dimension between the extension points, its line through the definition point at the angle.
    void AddLinearDimension(const DL_DimensionData& data, double x1, double y1, double x2, double y2,
                            double dAngleDeg);
    // An angular dimension about the centre, counter-clockwise from the first point's direction to the
    // second's through the arc point (for two lines, each may be taken either way).
    void AddAngularDimension(const DL_DimensionData& data, const RuVaPnt2d& centre, RuVaPnt2d p1, RuVaPnt2d p2,
                             const RuVaPnt2d& arcPoint, bool bLines);
    // Stores the dimension with the file's text, or the shapes it is drawn with when the setting breaks
    // dimensions up.
    void StoreDimension(Feature2dBase* pDimension);
    LeaderInProgress m_leader;
    // Images wait for their definition (its file), which the file gives after every entity.
    struct PendingImage {
        std::string ref;
        std::string block;
        DL_Attributes attributes;
        long nPaperID = -1;
        RuVaPnt2d corner;
        double dWidth = 0, dHeight = 0, dAngleDeg = 0;
    };
    // Places the image of the file, or its frame and the file's name when the file cannot be read, as if it
    // were read where the IMAGE stood.
    void PlaceImage(const PendingImage& image, const CString& strPath);
    std::vector<PendingImage> m_images;
    CString m_strFolder;
    bool m_bInPolyline = false;
    int m_nPolylineFlags = 0;
    bool m_bPolylineMirror = false;
    bool m_bPolylineFlat = true;
    std::vector<DL_VertexData> m_vertices;
    bool m_bInSpline = false;
    int m_nSplineDegree = 3;
    int m_nSplineFlags = 0;
    std::vector<DL_ControlPointData> m_controls;
    std::vector<DL_FitPointData> m_fits;
    std::vector<double> m_knots;
    std::string m_mtext;
};

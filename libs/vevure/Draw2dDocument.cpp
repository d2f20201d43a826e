#include "libs/vevure/Draw2dDocument.h"

#include <algorithm>
#include <set>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureSpatialIndex.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchPatternBase.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/QZ2FileVersion.h"
#include "libs/vevure/QZ2ProductVersion.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/ResolvedFeature2dList.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TextSettingStyles.h"
#include "libs/vevure/ViewControlSetting.h"
#include "libs/vevure/PlotSetting.h"

namespace {

// Parts of the document state that an undo step saves as a whole when it first changes them.
enum Section : unsigned {
    secDrawings = 1u << 0,  // drawings, part layouts, component definitions, the active drawing
    secLayers = 1u << 1,    // the layer tree and the current layer
    secColor = 1u << 2,
    secLineType = 1u << 3,
    secLineWidth = 1u << 4,
    secSettings = 1u << 5,
    secCurrent = 1u << 6,  // current colour, line type and line width
    secModes = 1u << 7,    // units and display modes
    secViews = 1u << 8,    // saved views
    secHatch = 1u << 9,    // hatch patterns
    secAll = (1u << 10) - 1,
};

constexpr DWORD kMagic = 0x4D44564B;    // "KVDM"
constexpr DWORD kEndMark = 0x444E454B;  // "KEND"
// The plot setting stands before the end mark; files written without one end at the mark.
constexpr DWORD kPlotMark = 0x544C504B;  // "KPLT"
constexpr DWORD_PTR kMaxDrawings = 100000;
// Record ids of a loaded archive may leave gaps (deleted records) but no more than this many beyond twice
// the number of shapes, which bounds the record table that a file can make us allocate.
constexpr ULONGLONG kMaxRecordIDSlack = 1000000;

template <class T>
std::unique_ptr<T> CloneOf(const std::unique_ptr<T>& p)
{
    return p ? std::make_unique<T>(*p) : nullptr;
}

void CheckArchive(CArchive& ar, bool ok)
{
    if (!ok)
        ar.ThrowArchiveException(CArchiveException::genericException);
}

}  // namespace

// Everything of the document but its records, grouped by the sections above.
struct Draw2dDocument::State {
    // secDrawings
    std::vector<std::unique_ptr<DrawingFeatureBase>> drawings;
    std::unique_ptr<DrawComponent2dFeatureDefineTable> components;
    long nextDrawingID = 0;
    long nextLayoutID = 1;
    long nextComponentID = 1;
    long activeDrawing = -1;
    long activeLayout = -1;
    // secLayers
    std::unique_ptr<LayerFeatureTable> layers;
    long nextLayerID = 1;
    long currentLayer = -1;
    // secColor, secLineType, secLineWidth
    std::unique_ptr<ColorFeatureTable> colors;
    std::unique_ptr<LineTypeFeatureTable> lineTypes;
    int pitchMode = 0;
    double pitch = 1.0;
    std::unique_ptr<LineWidthFeatureTable> lineWidths;
    // secSettings
    std::unique_ptr<GeneralFeatureSetting> general;
    std::unique_ptr<PointMarkerSetting> pointMarker;
    std::unique_ptr<TextSetting> text;
    std::unique_ptr<LeadSetting> lead;
    std::unique_ptr<BalloonSetting> balloon;
    std::unique_ptr<DimensionSetting> dimension;
    std::unique_ptr<HatchSetting> hatch;
    std::unique_ptr<ImageSetting> image;
    std::unique_ptr<OleObjectSetting> ole;
    std::unique_ptr<GeneralFeatureSettingStyles> generalStyles;
    std::unique_ptr<PointMarkerSettingStyles> pointMarkerStyles;
    std::unique_ptr<TextSettingStyles> textStyles;
    std::unique_ptr<LeadSettingStyles> leadStyles;
    std::unique_ptr<BalloonSettingStyles> balloonStyles;
    std::unique_ptr<DimensionSettingStyles> dimensionStyles;
    std::unique_ptr<HatchSettingStyles> hatchStyles;
    // secHatch
    std::unique_ptr<HatchPatternTable> patterns;
    // secCurrent
    short currentColor = 0;
    short currentLineType = 0;
    short currentLineWidth = 0;
    // secModes
    int lengthFormat = 0;
    int distPrecision = 3;
    int angleFormat = 0;
    int anglePrecision = 3;
    int paperLineWidthMode = 1;
    int paperLinePitchMode = 1;
    int partLineWidthMode = 1;
    int partLinePitchMode = 1;
    int capMode = 0;
    int joinMode = 0;
    int linkLineWidth = 0;
    double standardLineWidth = 0.25;
    // secViews
    std::vector<ViewControlSetting> views;
    int viewIndex = 0;
    // Not part of undo.
    std::unique_ptr<QZ2ProductVersion> product;
    std::unique_ptr<QZ2FileVersion> file;

    void InitDefaults()
    {
        drawings.clear();
        components = std::make_unique<DrawComponent2dFeatureDefineTable>();
        layers = std::make_unique<LayerFeatureTable>();
        colors = std::make_unique<ColorFeatureTable>();
        colors->InitializeColors();
        lineTypes = std::make_unique<LineTypeFeatureTable>();
        lineTypes->InitializeLineTypes();
        lineWidths = std::make_unique<LineWidthFeatureTable>();
        lineWidths->InitializeLineWidths();
        general = std::make_unique<GeneralFeatureSetting>();
        pointMarker = std::make_unique<PointMarkerSetting>();
        text = std::make_unique<TextSetting>();
        lead = std::make_unique<LeadSetting>();
        balloon = std::make_unique<BalloonSetting>();
        dimension = std::make_unique<DimensionSetting>();
        hatch = std::make_unique<HatchSetting>();
        image = std::make_unique<ImageSetting>();
        ole = std::make_unique<OleObjectSetting>();
        generalStyles = std::make_unique<GeneralFeatureSettingStyles>();
        pointMarkerStyles = std::make_unique<PointMarkerSettingStyles>();
        textStyles = std::make_unique<TextSettingStyles>();
        leadStyles = std::make_unique<LeadSettingStyles>();
        balloonStyles = std::make_unique<BalloonSettingStyles>();
        dimensionStyles = std::make_unique<DimensionSettingStyles>();
        hatchStyles = std::make_unique<HatchSettingStyles>();
        patterns = std::make_unique<HatchPatternTable>();
        views.assign(kViewControlSettingCount, ViewControlSetting());
        for (int i = 0; i < kViewControlSettingCount; ++i)
            views[static_cast<size_t>(i)].SetIndex(i);
        product = std::make_unique<QZ2ProductVersion>(QZ2ProductVersion::GetCurrentVersion());
        file = std::make_unique<QZ2FileVersion>(QZ2FileVersion::GetCurrentVersion());
    }

    // Copies the sections of mask from o (deep).
    void CopyFrom(const State& o, unsigned mask)
    {
        if (mask & secDrawings) {
            drawings.clear();
            for (const auto& d : o.drawings)
                drawings.emplace_back(d->Clone());
            components = CloneOf(o.components);
            nextDrawingID = o.nextDrawingID;
            nextLayoutID = o.nextLayoutID;
            nextComponentID = o.nextComponentID;
            activeDrawing = o.activeDrawing;
            activeLayout = o.activeLayout;
        }
        if (mask & secLayers) {
            layers = CloneOf(o.layers);
            nextLayerID = o.nextLayerID;
            currentLayer = o.currentLayer;
        }
        if (mask & secColor)
            colors = CloneOf(o.colors);
        if (mask & secLineType) {
            lineTypes = CloneOf(o.lineTypes);
            pitchMode = o.pitchMode;
            pitch = o.pitch;
        }
        if (mask & secLineWidth)
            lineWidths = CloneOf(o.lineWidths);
        if (mask & secSettings) {
            general = CloneOf(o.general);
            pointMarker = CloneOf(o.pointMarker);
            text = CloneOf(o.text);
            lead = CloneOf(o.lead);
            balloon = CloneOf(o.balloon);
            dimension = CloneOf(o.dimension);
            hatch = CloneOf(o.hatch);
            image = CloneOf(o.image);
            ole = CloneOf(o.ole);
            generalStyles = CloneOf(o.generalStyles);
            pointMarkerStyles = CloneOf(o.pointMarkerStyles);
            textStyles = CloneOf(o.textStyles);
            leadStyles = CloneOf(o.leadStyles);
            balloonStyles = CloneOf(o.balloonStyles);
            dimensionStyles = CloneOf(o.dimensionStyles);
            hatchStyles = CloneOf(o.hatchStyles);
        }
        if (mask & secHatch)
            patterns = CloneOf(o.patterns);
        if (mask & secCurrent) {
            currentColor = o.currentColor;
            currentLineType = o.currentLineType;
            currentLineWidth = o.currentLineWidth;
        }
        if (mask & secModes) {
            lengthFormat = o.lengthFormat;
            distPrecision = o.distPrecision;
            angleFormat = o.angleFormat;
            anglePrecision = o.anglePrecision;
            paperLineWidthMode = o.paperLineWidthMode;
            paperLinePitchMode = o.paperLinePitchMode;
            partLineWidthMode = o.partLineWidthMode;
            partLinePitchMode = o.partLinePitchMode;
            capMode = o.capMode;
            joinMode = o.joinMode;
            linkLineWidth = o.linkLineWidth;
            standardLineWidth = o.standardLineWidth;
        }
        if (mask & secViews) {
            views = o.views;
            viewIndex = o.viewIndex;
        }
    }

    // Exchanges the sections of mask with o.
    void SwapWith(State& o, unsigned mask)
    {
        using std::swap;
        if (mask & secDrawings) {
            swap(drawings, o.drawings);
            swap(components, o.components);
            swap(nextDrawingID, o.nextDrawingID);
            swap(nextLayoutID, o.nextLayoutID);
            swap(nextComponentID, o.nextComponentID);
            swap(activeDrawing, o.activeDrawing);
            swap(activeLayout, o.activeLayout);
        }
        if (mask & secLayers) {
            swap(layers, o.layers);
            swap(nextLayerID, o.nextLayerID);
            swap(currentLayer, o.currentLayer);
        }
        if (mask & secColor)
            swap(colors, o.colors);
        if (mask & secLineType) {
            swap(lineTypes, o.lineTypes);
            swap(pitchMode, o.pitchMode);
            swap(pitch, o.pitch);
        }
        if (mask & secLineWidth)
            swap(lineWidths, o.lineWidths);
        if (mask & secSettings) {
            swap(general, o.general);
            swap(pointMarker, o.pointMarker);
            swap(text, o.text);
            swap(lead, o.lead);
            swap(balloon, o.balloon);
            swap(dimension, o.dimension);
            swap(hatch, o.hatch);
            swap(image, o.image);
            swap(ole, o.ole);
            swap(generalStyles, o.generalStyles);
            swap(pointMarkerStyles, o.pointMarkerStyles);
            swap(textStyles, o.textStyles);
            swap(leadStyles, o.leadStyles);
            swap(balloonStyles, o.balloonStyles);
            swap(dimensionStyles, o.dimensionStyles);
            swap(hatchStyles, o.hatchStyles);
        }
        if (mask & secHatch)
            swap(patterns, o.patterns);
        if (mask & secCurrent) {
            swap(currentColor, o.currentColor);
            swap(currentLineType, o.currentLineType);
            swap(currentLineWidth, o.currentLineWidth);
        }
        if (mask & secModes) {
            swap(lengthFormat, o.lengthFormat);
            swap(distPrecision, o.distPrecision);
            swap(angleFormat, o.angleFormat);
            swap(anglePrecision, o.anglePrecision);
            swap(paperLineWidthMode, o.paperLineWidthMode);
            swap(paperLinePitchMode, o.paperLinePitchMode);
            swap(partLineWidthMode, o.partLineWidthMode);
            swap(partLinePitchMode, o.partLinePitchMode);
            swap(capMode, o.capMode);
            swap(joinMode, o.joinMode);
            swap(linkLineWidth, o.linkLineWidth);
            swap(standardLineWidth, o.standardLineWidth);
        }
        if (mask & secViews) {
            swap(views, o.views);
            swap(viewIndex, o.viewIndex);
        }
    }
};

// One undo step. It holds, for every section and record it changed, the version that is not in the
// document: the version before the step while the step can be undone, the version after it once undone.
// Undo and redo exchange the two.
struct Draw2dDocument::UndoStep {
    struct Image {
        long id;
        Feature2dBase* pFeature;  // owned
        LONG nDrawingID;
    };
    CString name;
    unsigned sections = 0;
    State saved;
    std::vector<Image> records;
    std::unordered_map<long, size_t> index;  // record id -> position in records, while the step is open

    ~UndoStep()
    {
        for (Image& i : records)
            delete i.pFeature;
    }
    bool IsEmpty() const { return sections == 0 && records.empty(); }
};

// The spatial index of one drawing: a packed tree as of its last build, the records changed since (their
// entries in the tree are out of date) and the records to look at one by one until the next build.
struct Draw2dDocument::DrawingIndex {
    FeatureSpatialIndex tree;
    std::unordered_set<long> stale;
    std::vector<long> pending;
};

// Every change made outside a bracket is a step of its own; inside one it joins the open step.
class Draw2dDocument::UndoScope
{
public:
    explicit UndoScope(Draw2dDocument* pDoc) : m_pDoc(pDoc) { m_pDoc->BeginUndoOperation(nullptr); }
    ~UndoScope() { m_pDoc->EndUndoOperation(); }
    UndoScope(const UndoScope&) = delete;
    UndoScope& operator=(const UndoScope&) = delete;

private:
    Draw2dDocument* m_pDoc;
};

// ---------------------------------------------------------------------------------------------------------
// Lifecycle

Draw2dDocument::Draw2dDocument(COleServerDoc* pOwner)
    : m_pOwner(pOwner),
      m_pState(std::make_unique<State>()),
      m_pSelection(std::make_unique<SelectionManager>(this)),
      m_pFilter(std::make_unique<SelectionFilter>()),
      m_pPlotSetting(std::make_unique<PlotSetting>())
{
    m_pFilter->GetFeatureFilter().SetFeatureFilter(SelectionFeatureFilter::kDefaultMask);
    InitDocument();
}

Draw2dDocument::~Draw2dDocument()
{
    m_undo.clear();
    m_redo.clear();
    m_pOpen.reset();
    for (Record& r : m_records)
        delete r.pFeature;
}

void Draw2dDocument::InitDocument()
{
    ClearUndoRedoHistory();
    m_pOpen.reset();
    m_nBracketDepth = 0;
    m_pSelection->UnselectAll(FALSE);
    for (Record& r : m_records)
        delete r.pFeature;
    m_records.assign(1, Record());
    m_nLiveCount = 0;
    m_featureCounts.clear();
    m_indices.clear();
    m_nEditingComponentID = -1;

    m_pState = std::make_unique<State>();
    State& s = S();
    s.InitDefaults();
    if (m_pPlotSetting)
        *m_pPlotSetting = PlotSetting();
    auto paper = std::make_unique<Paper2dFeature>();
    paper->SetDrawingID(s.nextDrawingID++);
    paper->SetDrawingName(MakeDrawingName(DrawingFeatureBase::typePaper));
    paper->SetSelfPartLayoutID(s.nextLayoutID++);
    paper->GetSelfPartLayout()->SetLayoutName(paper->GetDrawingName());
    paper->SetDocument(this);
    s.activeDrawing = paper->GetDrawingID();
    s.activeLayout = paper->GetSelfPartLayoutID();
    s.drawings.push_back(std::move(paper));
}

void Draw2dDocument::SetProductVersion(const QZ2ProductVersion& version)
{
    *S().product = version;
}

const QZ2ProductVersion& Draw2dDocument::GetProductVersion() const
{
    return *S().product;
}

const QZ2FileVersion& Draw2dDocument::GetFileVersion() const
{
    return *S().file;
}

// ---------------------------------------------------------------------------------------------------------
// Notification

void Draw2dDocument::SetNotifyFunction(DocumentNotifyFunction pfn, void* pUserData)
{
    m_pfnNotify = pfn;
    m_pNotifyUser = pfn ? pUserData : nullptr;
}

int Draw2dDocument::SendNotify(NotifyInfoBase& info)
{
    if (m_pfnNotify == nullptr)
        return 0;
    info.SetDocument(this);
    return m_pfnNotify(&info, m_pNotifyUser);
}

int Draw2dDocument::SendNotify(int nKind, int nCode)
{
    NotifyInfoBase info(this, nKind, nCode);
    return SendNotify(info);
}

int Draw2dDocument::ShowFeatures(const std::vector<long>& recordIDs)
{
    NotifyInfoBase info(this, NotifyInfoBase::kindShowFeatures, 1);
    info.SetFeatureIDs(recordIDs);
    return SendNotify(info);
}

void Draw2dDocument::NotifyDrawing(int nCode, DrawingFeatureBase* pDrawing, DrawingFeatureBase* pDrawing2,
                                   PartDrawingLayout* pLayout, long nIndex, int nFlag)
{
    if (!nFlag)
        return;
    NotifyInfoBase info(this, NotifyInfoBase::kindDrawing, nCode);
    info.SetDrawingArguments(pDrawing, pDrawing2, pLayout, nIndex);
    SendNotify(info);
}

void Draw2dDocument::NotifyLayer(int nCode, long nLayerID, long nGroupID, long nOtherID, long nIndex,
                                 BOOL bWithChildren, int nFlag)
{
    if (!nFlag)
        return;
    NotifyInfoBase info(this, NotifyInfoBase::kindLayer, nCode);
    info.SetLayerArguments(nLayerID, nGroupID, nOtherID, nIndex, bWithChildren);
    SendNotify(info);
}

void Draw2dDocument::NotifyFeature(int nCode, long nRecordID, int nFlag)
{
    if (!nFlag)
        return;
    NotifyInfoBase info(this, NotifyInfoBase::kindFeature, nCode);
    info.SetRecordID(nRecordID);
    SendNotify(info);
}

// ---------------------------------------------------------------------------------------------------------
// Undo

void Draw2dDocument::BeginUndoOperation(LPCTSTR lpszName)
{
    if (m_nBracketDepth++ == 0) {
        m_pOpen = std::make_unique<UndoStep>();
        if (lpszName != nullptr)
            m_pOpen->name = lpszName;
    }
}

void Draw2dDocument::EndUndoOperation()
{
    if (m_nBracketDepth == 0)
        return;
    if (--m_nBracketDepth == 0)
        CommitStep();
}

BOOL Draw2dDocument::IsInUndoOperation() const
{
    return m_nBracketDepth > 0 ? TRUE : FALSE;
}

void Draw2dDocument::CommitStep()
{
    std::unique_ptr<UndoStep> step = std::move(m_pOpen);
    if (!step || step->IsEmpty())
        return;
    decltype(step->index)().swap(step->index);  // the lookup is only needed while the step is open
    m_redo.clear();
    m_undo.push_back(std::move(step));
    ++m_nRecordedSteps;
    if (static_cast<int>(m_undo.size()) > m_nUndoDepth)
        m_undo.erase(m_undo.begin(), m_undo.begin() + (static_cast<int>(m_undo.size()) - m_nUndoDepth));
}

void Draw2dDocument::Touch(unsigned nSections)
{
    if (!m_pOpen)
        return;  // loading or initialising: nothing to record
    const unsigned fresh = nSections & ~m_pOpen->sections;
    if (fresh == 0)
        return;
    m_pOpen->saved.CopyFrom(S(), fresh);
    m_pOpen->sections |= fresh;
}

void Draw2dDocument::SetSlot(long nRecordID, Feature2dBase* pFeature, long nDrawingID)
{
    Record& r = m_records[static_cast<size_t>(nRecordID)];
    Feature2dBase* prev = r.pFeature;
    const long prevDrawing = r.nDrawingID;
    bool keptByStep = false;
    if (m_pOpen && m_pOpen->index.find(nRecordID) == m_pOpen->index.end()) {
        // The first change of this record in the step: the step keeps the old version.
        m_pOpen->index.emplace(nRecordID, m_pOpen->records.size());
        m_pOpen->records.push_back({nRecordID, prev, static_cast<LONG>(prevDrawing)});
        keptByStep = true;
    }
    if (!keptByStep && prev != pFeature)
        delete prev;
    r.pFeature = pFeature;
    r.nDrawingID = static_cast<LONG>(nDrawingID);
    NoteRecordChange(nRecordID, prevDrawing, nDrawingID, pFeature != nullptr);

    DrawComponent2dFeatureDefineTable* table = S().components.get();
    const bool components = table->GetComponentDefineCount() > 0;
    if (prev != nullptr) {
        --m_nLiveCount;
        const long n = --m_featureCounts[prevDrawing];
        if (DrawingFeatureBase* d = FindDrawing(prevDrawing))
            d->SetFeatureCount(n);
        if (components)
            if (auto* d = table->GetComponentDefineByDrawingID(prevDrawing))
                d->DeleteFeatureRecordID(nRecordID);
    }
    if (pFeature != nullptr) {
        ++m_nLiveCount;
        const long n = ++m_featureCounts[nDrawingID];
        if (DrawingFeatureBase* d = FindDrawing(nDrawingID))
            d->SetFeatureCount(n);
        if (components)
            if (auto* d = table->GetComponentDefineByDrawingID(nDrawingID))
                d->AddFeatureRecordID(nRecordID);
    }
}

void Draw2dDocument::ApplyStep(UndoStep& step)
{
    S().SwapWith(step.saved, step.sections);
    std::vector<long> ids;
    ids.reserve(step.records.size());
    // A step holds one image per record.
    for (auto it = step.records.begin(); it != step.records.end(); ++it) {
        Record& r = m_records[static_cast<size_t>(it->id)];
        Feature2dBase* current = r.pFeature;
        const LONG currentDrawing = r.nDrawingID;
        if (current != nullptr) {
            --m_nLiveCount;
            --m_featureCounts[currentDrawing];
        }
        r.pFeature = it->pFeature;
        r.nDrawingID = it->nDrawingID;
        if (r.pFeature != nullptr) {
            ++m_nLiveCount;
            ++m_featureCounts[r.nDrawingID];
        }
        it->pFeature = current;
        it->nDrawingID = currentDrawing;
        NoteRecordChange(it->id, currentDrawing, r.nDrawingID, r.pFeature != nullptr);
        ids.push_back(it->id);
    }
    // Shapes that came back hear of it once the whole step is in place.
    for (long id : ids) {
        const Record& r = m_records[static_cast<size_t>(id)];
        if (r.pFeature != nullptr)
            r.pFeature->OnRestoreRecord(this, FindDrawing(r.nDrawingID), id);
    }
    AfterRestore(step.sections, ids);
}

void Draw2dDocument::ApplyFeatureCounts()
{
    for (auto& d : S().drawings)
        d->SetFeatureCount(m_featureCounts[d->GetDrawingID()]);
    DrawComponent2dFeatureDefineTable* table = S().components.get();
    for (int i = 0; i < table->GetComponentDefineCount(); ++i) {
        DrawComponent2dFeatureDefine* d = table->GetComponentDefineByIndex(i);
        d->SetFeatureCount(m_featureCounts[d->GetDrawingID()]);
    }
}

void Draw2dDocument::RebuildComponentRecordSets()
{
    DrawComponent2dFeatureDefineTable* table = S().components.get();
    if (table->GetComponentDefineCount() == 0)
        return;
    std::unordered_map<long, DrawComponent2dFeatureDefine*> byDrawing;
    for (int i = 0; i < table->GetComponentDefineCount(); ++i) {
        DrawComponent2dFeatureDefine* d = table->GetComponentDefineByIndex(i);
        for (long id : std::vector<long>(d->GetRecordIdData().begin(), d->GetRecordIdData().end()))
            d->DeleteFeatureRecordID(id);
        byDrawing[d->GetDrawingID()] = d;
    }
    for (size_t id = 1; id < m_records.size(); ++id) {
        const Record& r = m_records[id];
        if (r.pFeature == nullptr)
            continue;
        auto it = byDrawing.find(r.nDrawingID);
        if (it != byDrawing.end())
            it->second->AddFeatureRecordID(static_cast<long>(id));
    }
}

void Draw2dDocument::AfterRestore(unsigned nSections, const std::vector<long>& records)
{
    if (nSections & secDrawings)
        m_indices.clear();  // drawing ids may be given anew
    for (auto& d : S().drawings)
        d->SetDocument(this);
    for (int i = 0; i < S().components->GetComponentDefineCount(); ++i)
        S().components->GetComponentDefineByIndex(i)->SetDocument(this);
    ApplyFeatureCounts();
    RebuildComponentRecordSets();
    if (m_nEditingComponentID != -1 && S().components->GetComponentDefine(m_nEditingComponentID) == nullptr)
        m_nEditingComponentID = -1;

    if (nSections & secDrawings) {
        NotifyDrawing(NotifyInfoBase::drawingRebuild, nullptr, nullptr, nullptr, -1, 1);
        NotifyDrawing(NotifyInfoBase::drawingActivated, GetActiveDrawingFeature(), GetActiveDrawingFeature(),
                      GetActiveDrawingLayout(), -1, 1);
        SendNotify(NotifyInfoBase::kindComponent, NotifyInfoBase::componentChanged);
    }
    if (nSections & secLayers)
        NotifyLayer(NotifyInfoBase::layerTableRebuild, -1, -1, -1, -1, TRUE, 1);
    if (nSections & secColor)
        SendNotify(NotifyInfoBase::kindColorTable, 1);
    if (nSections & secLineType)
        SendNotify(NotifyInfoBase::kindLineTypeTable, 1);
    if (nSections & secLineWidth)
        SendNotify(NotifyInfoBase::kindLineWidthTable, 1);
    if (nSections & secCurrent) {
        SendNotify(NotifyInfoBase::kindCurrentAttribute, 1);
        SendNotify(NotifyInfoBase::kindCurrentAttribute, 2);
        SendNotify(NotifyInfoBase::kindCurrentAttribute, 3);
    }
    if (nSections & (secSettings | secModes | secViews | secHatch))
        SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    for (long id : records)
        NotifyFeature(NotifyInfoBase::featureChanged, id, 1);
    if (m_pSelection->RemoveDeadRecords() > 0)
        m_pSelection->SendSelectionNotify();
    SendNotify(NotifyInfoBase::kindView, 0);
}

BOOL Draw2dDocument::Undo(int nSteps)
{
    if (m_nBracketDepth > 0 || nSteps < 1 || m_undo.empty())
        return FALSE;
    for (int i = 0; i < nSteps && !m_undo.empty(); ++i) {
        std::unique_ptr<UndoStep> step = std::move(m_undo.back());
        m_undo.pop_back();
        ApplyStep(*step);
        m_redo.push_back(std::move(step));
    }
    return TRUE;
}

BOOL Draw2dDocument::Redo(int nSteps)
{
    if (m_nBracketDepth > 0 || nSteps < 1 || m_redo.empty())
        return FALSE;
    for (int i = 0; i < nSteps && !m_redo.empty(); ++i) {
        std::unique_ptr<UndoStep> step = std::move(m_redo.back());
        m_redo.pop_back();
        ApplyStep(*step);
        m_undo.push_back(std::move(step));
    }
    return TRUE;
}

BOOL Draw2dDocument::CanUndo() const
{
    return (m_nBracketDepth == 0 && !m_undo.empty()) ? TRUE : FALSE;
}

BOOL Draw2dDocument::CanRedo() const
{
    return (m_nBracketDepth == 0 && !m_redo.empty()) ? TRUE : FALSE;
}

int Draw2dDocument::GetUndoCount() const
{
    return static_cast<int>(m_undo.size());
}

int Draw2dDocument::GetRedoCount() const
{
    return static_cast<int>(m_redo.size());
}

void Draw2dDocument::ClearRedoHistory()
{
    m_redo.clear();
}

void Draw2dDocument::ClearUndoRedoHistory()
{
    m_undo.clear();
    m_redo.clear();
}

void Draw2dDocument::SetUndoDepth(int nDepth)
{
    m_nUndoDepth = std::max(1, nDepth);
    if (static_cast<int>(m_undo.size()) > m_nUndoDepth)
        m_undo.erase(m_undo.begin(), m_undo.begin() + (static_cast<int>(m_undo.size()) - m_nUndoDepth));
}

int Draw2dDocument::GetUndoDepth() const
{
    return m_nUndoDepth;
}

// ---------------------------------------------------------------------------------------------------------
// Feature records

void Draw2dDocument::CheckRecordID(long nRecordID)
{
    if (nRecordID == 0)
        AfxThrowInvalidArgException();
}

long Draw2dDocument::AddFeature(const Feature2dBase* pFeature, DrawingFeatureBase* pDrawing, int nFlag)
{
    if (pFeature == nullptr || !pFeature->IsValid())
        return -1;
    if (pDrawing == nullptr)
        pDrawing = GetActiveDrawingFeature();
    if (pDrawing == nullptr || !IsDrawingFeatureExists(pDrawing))
        return -1;
    if (m_records.size() >= static_cast<size_t>(0x7FFFFFFF))
        return -1;
    Feature2dBase* copy = pFeature->CopyObject(Feature2dBase::copyAll);
    if (copy == nullptr)
        return -1;
    if (!copy->OnBeforeAddRecord(this)) {
        delete copy;
        return -1;
    }
    if (copy->GetFeatureType() == FeatureTypeDrawComponent) {
        auto* c = static_cast<DrawComponent2dFeature*>(copy);
        c->SetCachedBox(RuVaBndBox2d());
        c->SetCachedBox(ResolveBox(*c));
    }
    UndoScope scope(this);
    const long id = static_cast<long>(m_records.size());
    copy->SetRecordID(id);
    m_records.push_back(Record());
    SetSlot(id, copy, pDrawing->GetDrawingID());
    copy->OnAfterAddRecord(this, pDrawing, id);
    NotifyFeature(NotifyInfoBase::featureAdded, id, nFlag);
    return id;
}

BOOL Draw2dDocument::UpdateFeature(long nRecordID, const Feature2dBase* pReplacement, int nFlag, WORD wMask)
{
    CheckRecordID(nRecordID);
    Feature2dBase* current = GetFeature(nRecordID);
    if (current == nullptr || pReplacement == nullptr || !pReplacement->IsValid())
        return FALSE;
    DrawingFeatureBase* pDrawing = GetParentDrawingFeature(nRecordID);
    if (!current->OnBeforeUpdateRecord(this, pDrawing, nRecordID, pReplacement, nFlag))
        return FALSE;
    Feature2dBase* next = nullptr;
    if (pReplacement->GetFeatureType() == current->GetFeatureType() &&
        pReplacement->GetRuntimeClass() == current->GetRuntimeClass()) {
        next = current->CopyObject(Feature2dBase::copyAll);
        if (next != nullptr)
            next->Copy(pReplacement, wMask);
    } else {
        // Another kind of shape replaces the old one whole; attributes follow the mask.
        next = pReplacement->CopyObject(Feature2dBase::copyAll);
        if (next != nullptr && !(wMask & Feature2dBase::copyAttribute))
            next->CopyAttribute(current);
    }
    if (next == nullptr)
        return FALSE;
    next->SetRecordID(nRecordID);
    if (next->GetFeatureType() == FeatureTypeDrawComponent) {
        auto* c = static_cast<DrawComponent2dFeature*>(next);
        c->SetCachedBox(RuVaBndBox2d());
        c->SetCachedBox(ResolveBox(*c));
    }
    UndoScope scope(this);
    SetSlot(nRecordID, next, m_records[static_cast<size_t>(nRecordID)].nDrawingID);
    next->OnAfterUpdateRecord(this, pDrawing, nRecordID);
    NotifyFeature(NotifyInfoBase::featureChanged, nRecordID, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::DeleteFeature(long nRecordID, int nFlag)
{
    CheckRecordID(nRecordID);
    Feature2dBase* current = GetFeature(nRecordID);
    if (current == nullptr)
        return FALSE;
    current->OnBeforeDeleteRecord(this, GetParentDrawingFeature(nRecordID), nRecordID);
    UndoScope scope(this);
    SetSlot(nRecordID, nullptr, m_records[static_cast<size_t>(nRecordID)].nDrawingID);
    CArray<long, long> ids;
    ids.Add(nRecordID);
    if (m_pSelection->UnselectFeatures(ids, FALSE) > 0 && nFlag)
        m_pSelection->SendSelectionNotify();
    NotifyFeature(NotifyInfoBase::featureDeleted, nRecordID, nFlag);
    return TRUE;
}

Feature2dBase* Draw2dDocument::GetFeature(long nRecordID) const
{
    CheckRecordID(nRecordID);
    if (nRecordID < 0 || static_cast<size_t>(nRecordID) >= m_records.size())
        return nullptr;
    return m_records[static_cast<size_t>(nRecordID)].pFeature;
}

Feature2dBase* Draw2dDocument::GetFeature(const FeatureRecord& record) const
{
    return GetFeature(record.GetRecordID());
}

BOOL Draw2dDocument::IsDeletedFeature(long nRecordID) const
{
    CheckRecordID(nRecordID);
    if (nRecordID < 0 || static_cast<size_t>(nRecordID) >= m_records.size())
        return FALSE;
    return m_records[static_cast<size_t>(nRecordID)].pFeature == nullptr ? TRUE : FALSE;
}

long Draw2dDocument::GetFeatureDrawingID(long nRecordID) const
{
    CheckRecordID(nRecordID);
    if (nRecordID < 0 || static_cast<size_t>(nRecordID) >= m_records.size())
        return -1;
    return m_records[static_cast<size_t>(nRecordID)].nDrawingID;
}

DrawingFeatureBase* Draw2dDocument::GetParentDrawingFeature(long nRecordID) const
{
    return FindDrawing(GetFeatureDrawingID(nRecordID));
}

BOOL Draw2dDocument::IsFeatureEditable(long nRecordID) const
{
    const Feature2dBase* f = GetFeature(nRecordID);
    if (f == nullptr)
        return FALSE;
    return (IsEditableDrawingFeature(GetParentDrawingFeature(nRecordID)) && IsEditableFeatureLayer(f)) ? TRUE : FALSE;
}

BOOL Draw2dDocument::IsEditableFeatureLayer(const Feature2dBase* pFeature, int nDepth) const
{
    // A group or placed component on no layer of its own (its shapes keep theirs) may be changed when all
    // its shapes may. Definitions that place each other in a ring end at the depth limit.
    constexpr int kMaxDepth = 32;
    if (pFeature->GetLayerID() == 0 && nDepth < kMaxDepth) {
        if (pFeature->GetFeatureType() == FeatureTypeDrawGroup) {
            const auto* pGroup = static_cast<const DrawGroup2dFeature*>(pFeature);
            if (pGroup->GetFeatureCount() == 0)
                return FALSE;
            for (int i = 0; i < pGroup->GetFeatureCount(); ++i) {
                const Feature2dBase* pMember = pGroup->GetFeature(i);
                if (pMember == nullptr || !IsEditableFeatureLayer(pMember, nDepth + 1))
                    return FALSE;
            }
            return TRUE;
        }
        if (pFeature->GetFeatureType() == FeatureTypeDrawComponent) {
            const DrawComponent2dFeatureDefine* pDefine = GetComponentDefineTable()->GetComponentDefine(
                static_cast<const DrawComponent2dFeature*>(pFeature)->GetComponentDefineID());
            if (pDefine == nullptr)
                return FALSE;
            for (long pos = pDefine->GetNextFeaturePosition(-1, 0); pos != -1;
                 pos = pDefine->GetNextFeaturePosition(pos, 0)) {
                const Feature2dBase* pShape = pDefine->GetFeature(pos);
                if (pShape != nullptr && !IsEditableFeatureLayer(pShape, nDepth + 1))
                    return FALSE;
            }
            return TRUE;
        }
    }
    return IsEditableLayerID(pFeature->GetLayerID());
}

BOOL Draw2dDocument::IsFeatureEditable(const Feature2dBase* pFeature) const
{
    if (pFeature == nullptr)
        return FALSE;
    const long id = pFeature->GetRecordID();
    if (id > 0 && GetFeature(id) != nullptr)
        return IsFeatureEditable(id);
    // A shape not yet stored: only its layer decides.
    return IsEditableFeatureLayer(pFeature);
}

long Draw2dDocument::GetFeatureLayerID(long nRecordID) const
{
    const Feature2dBase* f = GetFeature(nRecordID);
    return f ? f->GetLayerID() : -1;
}

long Draw2dDocument::GetFeatureNo(long nRecordID) const
{
    const Feature2dBase* f = GetFeature(nRecordID);
    return f ? f->GetFeatureNo() : -1;
}

int Draw2dDocument::GetFeatureType(long nRecordID) const
{
    const Feature2dBase* f = GetFeature(nRecordID);
    return f ? f->GetFeatureType() : -1;
}

const RuVaBndBox2d& Draw2dDocument::GetFeatureBox(long nRecordID) const
{
    const Feature2dBase* f = GetFeature(nRecordID);
    m_boxCache = f ? ResolveBox(*f) : RuVaBndBox2d();
    return m_boxCache;
}

BOOL Draw2dDocument::GetFeatureBox(long nRecordID, RuVaBndBox2d& box) const
{
    const Feature2dBase* f = GetFeature(nRecordID);
    box = f ? ResolveBox(*f) : RuVaBndBox2d();
    return f ? TRUE : FALSE;
}

BOOL Draw2dDocument::GetFeatureBox(long nRecordID, RuVaBndBox2d& box, KcArrayOfGePnt2d& points) const
{
    points.RemoveAll();
    if (!GetFeatureBox(nRecordID, box))
        return FALSE;
    GetFeaturePoints(nRecordID, points);
    return TRUE;
}

BOOL Draw2dDocument::GetFeaturePoints(long nRecordID, KcArrayOfGePnt2d& points) const
{
    points.RemoveAll();
    const Feature2dBase* f = GetFeature(nRecordID);
    return f ? f->GetOutlinePoints(points) : FALSE;
}

BOOL Draw2dDocument::IsSelectedFeature(const FeatureRecord& record) const
{
    return m_pSelection->IsFeatureSelected(record);
}

long Draw2dDocument::GetNextFeatureRecordID(const DrawingFeatureBase* pDrawing, long nPrevID, int) const
{
    const long drawing = pDrawing ? pDrawing->GetDrawingID() : -1;
    if (pDrawing != nullptr && pDrawing->IsDrawComponentDefine()) {
        // A definition knows its few records: no walk through the whole document.
        const std::set<long>& ids = static_cast<const DrawComponent2dFeatureDefine*>(pDrawing)->GetRecordIdData();
        auto it = ids.upper_bound(nPrevID);
        return it == ids.end() ? -1 : *it;
    }
    size_t i = nPrevID < 0 ? 1 : static_cast<size_t>(nPrevID) + 1;
    for (; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        if (r.pFeature != nullptr && (pDrawing == nullptr || r.nDrawingID == drawing))
            return static_cast<long>(i);
    }
    return -1;
}

int Draw2dDocument::GetFeatureCountByLayer(long nLayerID) const
{
    int n = 0;
    for (size_t i = 1; i < m_records.size(); ++i)
        if (m_records[i].pFeature != nullptr && m_records[i].pFeature->GetLayerID() == nLayerID)
            ++n;
    return n;
}

BOOL Draw2dDocument::IsExistFeatureInLayer(long nLayerID) const
{
    for (size_t i = 1; i < m_records.size(); ++i)
        if (m_records[i].pFeature != nullptr && m_records[i].pFeature->GetLayerID() == nLayerID)
            return TRUE;
    return FALSE;
}

void Draw2dDocument::UpdateAllFeatures(BOOL bNotify)
{
    if (!bNotify)
        return;
    NotifyFeature(NotifyInfoBase::featuresChanged, -1, 1);
    SendNotify(NotifyInfoBase::kindView, 0);
}

BOOL Draw2dDocument::GetAllFeatureBox(const DrawingFeatureBase* pDrawing, RuVaBndBox2d& box, int nFlag) const
{
    box.SetVoid();
    const long drawing = pDrawing ? pDrawing->GetDrawingID() : -1;
    const bool printedOnly = (nFlag & kFeatureBoxPrintedOnly) != 0;
    const LayerFeatureTable* pLayers = printedOnly ? GetLayerTable() : nullptr;
    std::unordered_map<long, bool> printed;  // by layer
    for (size_t i = 1; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        if (r.pFeature == nullptr || (pDrawing != nullptr && r.nDrawingID != drawing))
            continue;
        if (printedOnly) {
            const long layer = r.pFeature->GetLayerID();
            auto it = printed.find(layer);
            // As the renderer prints them: a layer the table does not know prints.
            if (it == printed.end())
                it = printed.emplace(layer, pLayers == nullptr || pLayers->GetLayerFeature(layer) == nullptr ||
                                                (IsDisplayLayerID(layer) != FALSE && pLayers->IsLayerPrintable(layer) != FALSE))
                         .first;
            if (!it->second)
                continue;
        }
        box.Add(ResolveBox(*r.pFeature));
    }
    return box.IsVoid() ? FALSE : TRUE;
}

// ---------------------------------------------------------------------------------------------------------
// Drawings, papers, part layouts

DrawingFeatureBase* Draw2dDocument::FindDrawing(long nDrawingID) const
{
    if (nDrawingID < 0)
        return nullptr;
    for (const auto& d : S().drawings)
        if (d->GetDrawingID() == nDrawingID)
            return d.get();
    return S().components->GetComponentDefineByDrawingID(nDrawingID);
}

DrawingFeatureBase* Draw2dDocument::FindDrawingByName(const CString& strName) const
{
    for (const auto& d : S().drawings)
        if (d->GetDrawingName() == strName)
            return d.get();
    return nullptr;
}

CString Draw2dDocument::MakeDrawingName(int nType) const
{
    const LPCTSTR pattern = nType == DrawingFeatureBase::typePaper ? _T("Sheet%d") : _T("Drawing%d");
    for (int n = 1;; ++n) {
        CString name;
        name.Format(pattern, n);
        if (FindDrawingByName(name) == nullptr)
            return name;
    }
}

int Draw2dDocument::GetDrawingFeatureCount() const
{
    return static_cast<int>(S().drawings.size());
}

DrawingFeatureBase* Draw2dDocument::GetDrawingFeatureByIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetDrawingFeatureCount())
        AfxThrowInvalidArgException();
    return S().drawings[static_cast<size_t>(nIndex)].get();
}

DrawingFeatureBase* Draw2dDocument::GetDrawingFeatureByName(const CString& strName) const
{
    return FindDrawingByName(strName);
}

DrawingFeatureBase* Draw2dDocument::GetDrawingFeatureByID(long nDrawingID) const
{
    return FindDrawing(nDrawingID);
}

BOOL Draw2dDocument::IsDrawingFeatureExists(const DrawingFeatureBase* pDrawing) const
{
    if (pDrawing == nullptr)
        return FALSE;
    for (const auto& d : S().drawings)
        if (d.get() == pDrawing)
            return TRUE;
    for (int i = 0; i < S().components->GetComponentDefineCount(); ++i)
        if (S().components->GetComponentDefineByIndex(i) == pDrawing)
            return TRUE;
    return FALSE;
}

BOOL Draw2dDocument::IsDrawingFeatureExists(long nDrawingID) const
{
    return FindDrawing(nDrawingID) != nullptr ? TRUE : FALSE;
}

int Draw2dDocument::GetPaperFeatureCount() const
{
    int n = 0;
    for (const auto& d : S().drawings)
        n += d->IsPaperFeature() ? 1 : 0;
    return n;
}

Paper2dFeature* Draw2dDocument::GetPaperFeature(int nIndex) const
{
    int n = 0;
    for (const auto& d : S().drawings)
        if (d->IsPaperFeature() && n++ == nIndex)
            return static_cast<Paper2dFeature*>(d.get());
    return nullptr;
}

DrawingFeatureBase* Draw2dDocument::GetActiveDrawingFeature() const
{
    return FindDrawing(S().activeDrawing);
}

long Draw2dDocument::GetActiveDrawingID() const
{
    return S().activeDrawing;
}

PartDrawingLayout* Draw2dDocument::GetActiveDrawingLayout() const
{
    DrawingFeatureBase* d = GetActiveDrawingFeature();
    return d ? GetPartLayoutByID(S().activeLayout) : nullptr;
}

long Draw2dDocument::GetActiveLayoutID() const
{
    return S().activeLayout;
}

BOOL Draw2dDocument::ActivateDrawingFeature(long nDrawingID, long nLayoutID, BOOL bNotify)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr)
        return FALSE;
    if (nLayoutID == -1)
        nLayoutID = d->GetSelfPartLayoutID();
    PartDrawingLayout* layout = GetPartLayoutByID(nLayoutID);
    // The layout must lie on the drawing (a paper's layouts) or show it (a part drawing's layouts).
    if (layout == nullptr || (d->GetPartLayoutByID(nLayoutID) == nullptr && layout->GetDrawingID() != nDrawingID))
        return FALSE;
    if (S().activeDrawing == nDrawingID && S().activeLayout == nLayoutID)
        return TRUE;
    UndoScope scope(this);
    Touch(secDrawings);
    S().activeDrawing = nDrawingID;
    S().activeLayout = nLayoutID;
    NotifyDrawing(NotifyInfoBase::drawingActivated, d, d, layout, -1, bNotify);
    return TRUE;
}

BOOL Draw2dDocument::ActivateDrawingFeature(DrawingFeatureBase* pDrawing, BOOL bNotify)
{
    if (!IsDrawingFeatureExists(pDrawing))
        return FALSE;
    return ActivateDrawingFeature(pDrawing->GetDrawingID(), -1, bNotify);
}

BOOL Draw2dDocument::ActivateDrawingFeature(const CString& strName, BOOL bNotify)
{
    DrawingFeatureBase* d = FindDrawingByName(strName);
    return d ? ActivateDrawingFeature(d->GetDrawingID(), -1, bNotify) : FALSE;
}

long Draw2dDocument::AddPaperFeature(LPCTSTR lpszName)
{
    CString name = lpszName ? CString(lpszName) : CString();
    if (name.IsEmpty())
        name = MakeDrawingName(DrawingFeatureBase::typePaper);
    if (FindDrawingByName(name) != nullptr)
        return -1;
    UndoScope scope(this);
    Touch(secDrawings);
    State& s = S();
    auto paper = std::make_unique<Paper2dFeature>();
    paper->SetDrawingID(s.nextDrawingID++);
    paper->SetDrawingName(name);
    paper->SetSelfPartLayoutID(s.nextLayoutID++);
    paper->GetSelfPartLayout()->SetLayoutName(name);
    paper->SetDocument(this);
    DrawingFeatureBase* p = paper.get();
    s.drawings.push_back(std::move(paper));
    NotifyDrawing(NotifyInfoBase::drawingAdded, p, nullptr, nullptr, GetDrawingFeatureCount() - 1, 1);
    return p->GetDrawingID();
}

long Draw2dDocument::AddPartDrawingFeature(LPCTSTR lpszName)
{
    CString name = lpszName ? CString(lpszName) : CString();
    if (name.IsEmpty())
        name = MakeDrawingName(DrawingFeatureBase::typePart);
    if (FindDrawingByName(name) != nullptr)
        return -1;
    UndoScope scope(this);
    Touch(secDrawings);
    State& s = S();
    auto part = std::make_unique<DrawingFeatureBase>(DrawingFeatureBase::typePart);
    part->SetDrawingID(s.nextDrawingID++);
    part->SetDrawingName(name);
    part->SetSelfPartLayoutID(s.nextLayoutID++);
    part->GetSelfPartLayout()->SetLayoutName(name);
    part->SetDocument(this);
    DrawingFeatureBase* p = part.get();
    s.drawings.push_back(std::move(part));
    NotifyDrawing(NotifyInfoBase::drawingAdded, p, nullptr, nullptr, GetDrawingFeatureCount() - 1, 1);
    return p->GetDrawingID();
}

long Draw2dDocument::AddPartLayout(const PartDrawingLayout& layout, int nOrder, int nFlag)
{
    DrawingFeatureBase* paper = FindDrawing(layout.GetPaperID());
    DrawingFeatureBase* part = FindDrawing(layout.GetDrawingID());
    if (paper == nullptr || !paper->IsPaperFeature() || part == nullptr || !part->IsPartFeature())
        return -1;
    UndoScope scope(this);
    Touch(secDrawings);
    PartDrawingLayout copy(layout);
    copy.SetLayoutID(S().nextLayoutID++);
    if (copy.GetLayoutName().IsEmpty())
        copy.SetLayoutName(static_cast<Paper2dFeature*>(paper)->GetNewPartLayoutName(part->GetDrawingName()));
    PartDrawingLayout* p = paper->InsertPartLayout(copy, nOrder);
    NotifyDrawing(NotifyInfoBase::layoutAdded, part, paper, p, paper->GetPartLayoutOrder(p->GetLayoutID()), nFlag);
    return p->GetLayoutID();
}

long Draw2dDocument::AddPartLayout(long nPaperID, long nDrawingID, LPCTSTR lpszName, int nOrder, int nFlag)
{
    PartDrawingLayout layout(lpszName ? CString(lpszName) : CString());
    layout.SetPaperID(nPaperID);
    layout.SetDrawingID(nDrawingID);
    return AddPartLayout(layout, nOrder, nFlag);
}

PartDrawingLayout* Draw2dDocument::GetPartLayoutByID(long nLayoutID) const
{
    if (nLayoutID == -1)
        return nullptr;
    for (const auto& d : S().drawings)
        if (PartDrawingLayout* p = d->GetPartLayoutByID(nLayoutID))
            return p;
    for (int i = 0; i < S().components->GetComponentDefineCount(); ++i)
        if (PartDrawingLayout* p = S().components->GetComponentDefineByIndex(i)->GetPartLayoutByID(nLayoutID))
            return p;
    return nullptr;
}

BOOL Draw2dDocument::SetPartLayout(long nLayoutID, const PartDrawingLayout& layout, int nFlag)
{
    PartDrawingLayout* p = GetPartLayoutByID(nLayoutID);
    if (p == nullptr)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    p = GetPartLayoutByID(nLayoutID);
    // The layout keeps its id and where it lies.
    const long paper = p->GetPaperID(), drawing = p->GetDrawingID();
    *p = layout;
    p->SetLayoutID(nLayoutID);
    p->SetPaperID(paper);
    p->SetDrawingID(drawing);
    NotifyDrawing(NotifyInfoBase::layoutChanged, FindDrawing(drawing), FindDrawing(paper), p, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::DeletePartLayout(long nLayoutID, int nFlag)
{
    PartDrawingLayout* p = GetPartLayoutByID(nLayoutID);
    if (p == nullptr)
        return FALSE;
    DrawingFeatureBase* paper = FindDrawing(p->GetPaperID());
    if (paper == nullptr || paper->GetSelfPartLayoutID() == nLayoutID || paper->GetPartLayoutByID(nLayoutID) == nullptr)
        return FALSE;  // a drawing's own layout goes only with the drawing
    UndoScope scope(this);
    Touch(secDrawings);
    paper = FindDrawing(p->GetPaperID());
    // The layout stays alive for the report (receivers compare it with the layouts they show).
    std::unique_ptr<PartDrawingLayout> gone(paper->DetachPartLayout(nLayoutID));
    if (S().activeLayout == nLayoutID) {
        S().activeDrawing = paper->GetDrawingID();
        S().activeLayout = paper->GetSelfPartLayoutID();
    }
    NotifyDrawing(NotifyInfoBase::layoutRemoved, FindDrawing(gone->GetDrawingID()), paper, gone.get(), -1, nFlag);
    return TRUE;
}

void Draw2dDocument::DeleteRecordsOfDrawing(long nDrawingID)
{
    for (size_t i = 1; i < m_records.size(); ++i)
        if (m_records[i].pFeature != nullptr && m_records[i].nDrawingID == nDrawingID)
            SetSlot(static_cast<long>(i), nullptr, nDrawingID);
}

BOOL Draw2dDocument::DeleteDrawingFeature(long nDrawingID, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr || d->IsDrawComponentDefine())
        return FALSE;
    if (d->IsPaperFeature() && GetPaperFeatureCount() <= 1)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    DeleteRecordsOfDrawing(nDrawingID);
    State& s = S();
    // Layouts on papers that show the drawing go with it.
    std::vector<std::unique_ptr<PartDrawingLayout>> goneLayouts;
    for (auto& other : s.drawings) {
        std::vector<long> ids;
        for (int i = 0; i < other->GetPartLayoutCount(); ++i)
            if (other->GetPartLayout(i)->GetDrawingID() == nDrawingID)
                ids.push_back(other->GetPartLayout(i)->GetLayoutID());
        for (long id : ids)
            goneLayouts.emplace_back(other->DetachPartLayout(id));
    }
    auto it = std::find_if(s.drawings.begin(), s.drawings.end(),
                           [&](const auto& p) { return p->GetDrawingID() == nDrawingID; });
    std::unique_ptr<DrawingFeatureBase> gone = std::move(*it);
    s.drawings.erase(it);
    m_featureCounts.erase(nDrawingID);
    m_indices.erase(nDrawingID);
    if (m_pSelection->RemoveDeadRecords() > 0 && nFlag)
        m_pSelection->SendSelectionNotify();
    if (GetPartLayoutByID(s.activeLayout) == nullptr || FindDrawing(s.activeDrawing) == nullptr) {
        DrawingFeatureBase* first = GetPaperFeature(0);
        s.activeDrawing = first->GetDrawingID();
        s.activeLayout = first->GetSelfPartLayoutID();
        NotifyDrawing(NotifyInfoBase::drawingActivated, first, first, first->GetSelfPartLayout(), -1, nFlag);
    }
    for (auto& l : goneLayouts)
        NotifyDrawing(NotifyInfoBase::layoutRemoved, gone.get(), FindDrawing(l->GetPaperID()), l.get(), -1, nFlag);
    NotifyDrawing(NotifyInfoBase::drawingRemoved, gone.get(), nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::DeleteDrawingFeature(const CString& strName, int nFlag)
{
    DrawingFeatureBase* d = FindDrawingByName(strName);
    return d ? DeleteDrawingFeature(d->GetDrawingID(), nFlag) : FALSE;
}

int Draw2dDocument::GetDrawingOrder(const DrawingFeatureBase* pDrawing) const
{
    for (size_t i = 0; i < S().drawings.size(); ++i)
        if (S().drawings[i].get() == pDrawing)
            return static_cast<int>(i);
    return -1;
}

BOOL Draw2dDocument::SetDrawingOrder(long nDrawingID, int nOrder, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    const int from = GetDrawingOrder(d);
    if (from < 0 || nOrder < 0 || nOrder >= GetDrawingFeatureCount())
        return FALSE;
    if (from == nOrder)
        return TRUE;
    UndoScope scope(this);
    Touch(secDrawings);
    auto& v = S().drawings;
    std::unique_ptr<DrawingFeatureBase> p = std::move(v[static_cast<size_t>(from)]);
    v.erase(v.begin() + from);
    v.insert(v.begin() + nOrder, std::move(p));
    NotifyDrawing(NotifyInfoBase::drawingMoved, FindDrawing(nDrawingID), nullptr, nullptr, nOrder, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetPartLayoutOrder(long nLayoutID, int nOrder, int nFlag)
{
    PartDrawingLayout* p = GetPartLayoutByID(nLayoutID);
    DrawingFeatureBase* paper = p ? FindDrawing(p->GetPaperID()) : nullptr;
    if (paper == nullptr || paper->PartLayoutIDToIndex(nLayoutID) < 0 || nOrder < 0 ||
        nOrder >= paper->GetPartLayoutCount())
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    paper = FindDrawing(p->GetPaperID());
    paper->MovePartLayout(nLayoutID, nOrder);
    NotifyDrawing(NotifyInfoBase::layoutMoved, nullptr, paper, paper->GetPartLayoutByID(nLayoutID), nOrder, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawingName(long nDrawingID, const CString& strNewName, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr || d->IsDrawComponentDefine() || strNewName.IsEmpty())
        return FALSE;
    DrawingFeatureBase* other = FindDrawingByName(strNewName);
    if (other != nullptr && other != d)
        return FALSE;
    if (d->GetDrawingName() == strNewName)
        return TRUE;
    UndoScope scope(this);
    Touch(secDrawings);
    d = FindDrawing(nDrawingID);
    d->SetDrawingName(strNewName);
    NotifyDrawing(NotifyInfoBase::drawingChanged, d, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawingName(const CString& strOldName, const CString& strNewName, int nFlag)
{
    DrawingFeatureBase* d = FindDrawingByName(strOldName);
    return d ? SetDrawingName(d->GetDrawingID(), strNewName, nFlag) : FALSE;
}

BOOL Draw2dDocument::SetDrawingState(long nDrawingID, int nState, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr || nState < 0 || nState > 2)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    d = FindDrawing(nDrawingID);
    d->SetDrawingState(nState);
    NotifyDrawing(NotifyInfoBase::drawingChanged, d, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawingState(const CString& strName, int nState, int nFlag)
{
    DrawingFeatureBase* d = FindDrawingByName(strName);
    return d ? SetDrawingState(d->GetDrawingID(), nState, nFlag) : FALSE;
}

BOOL Draw2dDocument::SetDrawingPrintable(long nDrawingID, BOOL bPrintable, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    d = FindDrawing(nDrawingID);
    d->SetPrintable(bPrintable);
    NotifyDrawing(NotifyInfoBase::drawingChanged, d, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawingPrintable(const CString& strName, BOOL bPrintable, int nFlag)
{
    DrawingFeatureBase* d = FindDrawingByName(strName);
    return d ? SetDrawingPrintable(d->GetDrawingID(), bPrintable, nFlag) : FALSE;
}

BOOL Draw2dDocument::SetDrawingGridSetting(long nDrawingID, const GridSetting& grid, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr || !grid.IsValidSetting())
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    d = FindDrawing(nDrawingID);
    d->SetGridSetting(grid);
    NotifyDrawing(NotifyInfoBase::drawingChanged, d, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawingUserOrigin(long nDrawingID, const RuVaPnt2d& origin, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr || !std::isfinite(origin.X()) || !std::isfinite(origin.Y()))
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    d = FindDrawing(nDrawingID);
    d->SetUserOrigin(origin);
    NotifyDrawing(NotifyInfoBase::drawingChanged, d, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawingPrintRange(long nDrawingID, const RuVaBndBox2d& range, int nFlag)
{
    DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    d = FindDrawing(nDrawingID);
    d->SetPrintRange(range);
    NotifyDrawing(NotifyInfoBase::drawingChanged, d, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::GetPaperSize(const CString& strName, double& dWidth, double& dHeight) const
{
    dWidth = 0.0;
    dHeight = 0.0;
    DrawingFeatureBase* d = FindDrawingByName(strName);
    if (d == nullptr || !d->IsPaperFeature())
        return FALSE;
    static_cast<Paper2dFeature*>(d)->GetPaperSize(dWidth, dHeight);
    return TRUE;
}

namespace {
template <typename F>
BOOL ChangePaper(Draw2dDocument* doc, const CString& name, F change)
{
    DrawingFeatureBase* d = doc->GetDrawingFeatureByName(name);
    if (d == nullptr || !d->IsPaperFeature())
        return FALSE;
    Paper2dFeature probe(*static_cast<Paper2dFeature*>(d));
    return change(probe);
}
}  // namespace

BOOL Draw2dDocument::SetPaperSize(const CString& strName, double dWidth, double dHeight, int nFlag)
{
    if (!ChangePaper(this, strName, [&](Paper2dFeature& p) { return p.SetPaperSize(dWidth, dHeight); }))
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    auto* p = static_cast<Paper2dFeature*>(FindDrawingByName(strName));
    p->SetPaperSize(dWidth, dHeight);
    NotifyDrawing(NotifyInfoBase::drawingChanged, p, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetPaperSizeType(const CString& strName, int nType, int nFlag)
{
    if (!ChangePaper(this, strName, [&](Paper2dFeature& p) { return p.SetPaperSizeType(nType); }))
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    auto* p = static_cast<Paper2dFeature*>(FindDrawingByName(strName));
    p->SetPaperSizeType(nType);
    NotifyDrawing(NotifyInfoBase::drawingChanged, p, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetPaperOrientType(const CString& strName, int nOrientation, int nFlag)
{
    if (!ChangePaper(this, strName, [&](Paper2dFeature& p) { return p.SetPaperOrientType(nOrientation); }))
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    auto* p = static_cast<Paper2dFeature*>(FindDrawingByName(strName));
    p->SetPaperOrientType(nOrientation);
    NotifyDrawing(NotifyInfoBase::drawingChanged, p, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetPaperPrintScale(const CString& strName, double dScale, int nFlag)
{
    if (!ChangePaper(this, strName, [&](Paper2dFeature& p) { return p.SetPrintScale(dScale); }))
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    auto* p = static_cast<Paper2dFeature*>(FindDrawingByName(strName));
    p->SetPrintScale(dScale);
    NotifyDrawing(NotifyInfoBase::drawingChanged, p, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

namespace {
template <typename F>
BOOL TryOnCopy(const PartDrawingLayout* p, F change)
{
    if (p == nullptr)
        return FALSE;
    PartDrawingLayout probe(*p);
    return change(probe);
}
}  // namespace

#define KC_CHANGE_LAYOUT(call)                                                                       \
    do {                                                                                             \
        if (!TryOnCopy(GetPartLayoutByID(nLayoutID), [&](PartDrawingLayout& l) { return call; }))   \
            return FALSE;                                                                            \
        UndoScope scope(this);                                                                       \
        Touch(secDrawings);                                                                          \
        PartDrawingLayout& l = *GetPartLayoutByID(nLayoutID);                                        \
        call;                                                                                        \
        NotifyDrawing(NotifyInfoBase::layoutChanged, FindDrawing(l.GetDrawingID()),                  \
                      FindDrawing(l.GetPaperID()), &l, -1, nFlag);                                   \
        return TRUE;                                                                                 \
    } while (0)

BOOL Draw2dDocument::SetPartLayoutName(long nLayoutID, const CString& strName, int nFlag)
{
    if (strName.IsEmpty())
        return FALSE;
    KC_CHANGE_LAYOUT((l.SetLayoutName(strName), TRUE));
}

BOOL Draw2dDocument::SetPartLayoutOrigin(long nLayoutID, const RuVaPnt2d& origin, int nFlag)
{
    if (!std::isfinite(origin.X()) || !std::isfinite(origin.Y()))
        return FALSE;
    KC_CHANGE_LAYOUT((l.SetOrigin(origin), TRUE));
}

BOOL Draw2dDocument::SetPartLayoutAngle(long nLayoutID, double dDegrees, int nFlag)
{
    if (!std::isfinite(dDegrees))
        return FALSE;
    KC_CHANGE_LAYOUT((l.SetAngle(dDegrees), TRUE));
}

BOOL Draw2dDocument::SetPartLayoutScale(long nLayoutID, double numX, double denX, BOOL bYDiffers, double numY,
                                        double denY, int nFlag)
{
    KC_CHANGE_LAYOUT(l.SetScale(numX, denX, bYDiffers, numY, denY));
}

BOOL Draw2dDocument::SetPartLayoutRegion(long nLayoutID, const Region2dFeature* pRegion, int nFlag)
{
    if (pRegion != nullptr && !pRegion->IsValid())
        return FALSE;
    KC_CHANGE_LAYOUT((l.SetRegion(pRegion), TRUE));
}

#undef KC_CHANGE_LAYOUT

BOOL Draw2dDocument::IsDisplayDrawingFeature(const DrawingFeatureBase* pDrawing) const
{
    if (pDrawing == nullptr)
        return FALSE;
    return (pDrawing->IsDisplayDrawing() || pDrawing->GetDrawingID() == GetActiveDrawingID()) ? TRUE : FALSE;
}

BOOL Draw2dDocument::IsEditableDrawingFeature(const DrawingFeatureBase* pDrawing) const
{
    if (pDrawing == nullptr)
        return FALSE;
    return (pDrawing->IsEditableDrawing() || pDrawing->GetDrawingID() == GetActiveDrawingID()) ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------------------------------------
// Layers

LayerFeatureTable* Draw2dDocument::GetLayerTable() const
{
    return S().layers.get();
}

long Draw2dDocument::GetCurrentLayerID() const
{
    return S().currentLayer;
}

BOOL Draw2dDocument::SetCurrentLayerID(long nLayerID, int nFlag)
{
    const LayerFeature* p = S().layers->GetLayerFeature(nLayerID);
    if (p == nullptr || p->IsGroup())
        return FALSE;
    if (S().currentLayer == nLayerID)
        return TRUE;
    UndoScope scope(this);
    Touch(secLayers);
    S().currentLayer = nLayerID;
    NotifyLayer(NotifyInfoBase::currentLayerChanged, nLayerID, p->GetParentID(), -1, -1, FALSE, nFlag);
    return TRUE;
}

CString Draw2dDocument::MakeLayerName(BOOL bGroup) const
{
    const LPCTSTR pattern = bGroup ? _T("Group%d") : _T("Layer%d");
    for (int n = 1;; ++n) {
        CString name;
        name.Format(pattern, n);
        bool taken = false;
        const LayerFeatureTable& t = *S().layers;
        for (int i = 0; i < t.GetSize() && !taken; ++i)
            taken = t.GetLayerFeatureByIndex(i)->GetLayerName().CompareNoCase(name) == 0;
        if (!taken)
            return name;
    }
}

long Draw2dDocument::NewLayer(long nParentID, LPCTSTR lpszName, BOOL bGroup, int nFlag)
{
    if (!S().layers->IsGroup(nParentID))
        return -1;
    CString name = lpszName ? CString(lpszName) : CString();
    if (name.IsEmpty())
        name = MakeLayerName(bGroup);
    UndoScope scope(this);
    Touch(secLayers);
    const long id = S().nextLayerID++;
    LayerFeature layer(id, nParentID, bGroup, name);
    if (!S().layers->AddLayerFeature(layer, -1))
        return -1;
    NotifyLayer(NotifyInfoBase::layerAdded, id, nParentID, -1, S().layers->GetChildIndex(id), bGroup, nFlag);
    return id;
}

long Draw2dDocument::AddLayer(long nParentID, LPCTSTR lpszName, int nFlag)
{
    return NewLayer(nParentID, lpszName, FALSE, nFlag);
}

long Draw2dDocument::AddLayer(LPCTSTR lpszName, long nParentID)
{
    return NewLayer(nParentID, lpszName, FALSE, 1);
}

long Draw2dDocument::AddLayerGroup(LPCTSTR lpszName, long nParentID)
{
    return NewLayer(nParentID, lpszName, TRUE, 1);
}

int Draw2dDocument::FindComponentDefineIDUsingLayer(long nLayerID, CDWordArray& ids) const
{
    ids.RemoveAll();
    std::unordered_set<long> layers{nLayerID};
    CArray<long, long> below;
    S().layers->GetChildLayerList(nLayerID, below, TRUE, TRUE);
    for (INT_PTR i = 0; i < below.GetSize(); ++i)
        layers.insert(below[i]);
    const DrawComponent2dFeatureDefineTable& table = *S().components;
    for (int i = 0; i < table.GetComponentDefineCount(); ++i) {
        const DrawComponent2dFeatureDefine* d = table.GetComponentDefineByIndex(i);
        for (long id : d->GetRecordIdData()) {
            const Feature2dBase* f = m_records[static_cast<size_t>(id)].pFeature;
            if (f != nullptr && layers.count(f->GetLayerID())) {
                ids.Add(static_cast<DWORD>(d->GetComponentId()));
                break;
            }
        }
    }
    return static_cast<int>(ids.GetSize());
}

BOOL Draw2dDocument::DeleteLayer(long nLayerID, int nFlag)
{
    const LayerFeature* p = S().layers->GetLayerFeature(nLayerID);
    if (p == nullptr)
        return FALSE;
    CDWordArray users;
    if (FindComponentDefineIDUsingLayer(nLayerID, users) > 0)
        return FALSE;
    const long parent = p->GetParentID();
    UndoScope scope(this);
    Touch(secLayers);
    std::vector<long> removed;
    S().layers->RemoveLayerFeature(nLayerID, &removed);
    std::unordered_set<long> gone(removed.begin(), removed.end());
    for (size_t i = 1; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        if (r.pFeature != nullptr && gone.count(r.pFeature->GetLayerID()))
            SetSlot(static_cast<long>(i), nullptr, r.nDrawingID);
    }
    if (m_pSelection->RemoveDeadRecords() > 0 && nFlag)
        m_pSelection->SendSelectionNotify();
    if (gone.count(S().currentLayer))
        S().currentLayer = -1;
    NotifyLayer(NotifyInfoBase::layerRemoved, nLayerID, parent, -1, -1, TRUE, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::ChangeLayers(long nLayerID, int nCode, int nFlag,
                                  const std::function<BOOL(LayerFeature&)>& change)
{
    LayerFeatureTable& t = *S().layers;
    if (!t.IsExistLayerID(nLayerID))
        return FALSE;
    std::vector<long> ids;
    if (t.IsGroup(nLayerID)) {
        CArray<long, long> below;
        t.GetChildLayerList(nLayerID, below, TRUE, FALSE);
        for (INT_PTR i = 0; i < below.GetSize(); ++i)
            ids.push_back(below[i]);
    } else {
        ids.push_back(nLayerID);
    }
    // Check on copies first so that a refused value changes nothing.
    for (long id : ids) {
        LayerFeature probe(*t.GetLayerFeature(id));
        if (!change(probe))
            return FALSE;
    }
    UndoScope scope(this);
    Touch(secLayers);
    for (long id : ids)
        change(*S().layers->GetLayerFeature(id));
    NotifyLayer(nCode, nLayerID, S().layers->GetParentLayerID(nLayerID), -1, -1, t.IsGroup(nLayerID), nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetLayerState(long nLayerID, int nState, int nFlag)
{
    return ChangeLayers(nLayerID, NotifyInfoBase::layerStateChanged, nFlag,
                        [nState](LayerFeature& l) { return l.SetLayerState(nState); });
}

BOOL Draw2dDocument::SetLayerHide(long nLayerID, BOOL bHide, int nFlag)
{
    return ChangeLayers(nLayerID, NotifyInfoBase::layerHideChanged, nFlag, [bHide](LayerFeature& l) {
        l.SetHide(bHide);
        return TRUE;
    });
}

BOOL Draw2dDocument::SetLayerPrintable(long nLayerID, BOOL bPrintable, int nFlag)
{
    return ChangeLayers(nLayerID, NotifyInfoBase::layerPrintableChanged, nFlag, [bPrintable](LayerFeature& l) {
        l.SetPrintable(bPrintable);
        return TRUE;
    });
}

BOOL Draw2dDocument::SetLayerName(long nLayerID, const CString& strName, int nFlag)
{
    LayerFeature* p = S().layers->GetLayerFeature(nLayerID);
    if (p == nullptr || strName.IsEmpty())
        return FALSE;
    UndoScope scope(this);
    Touch(secLayers);
    S().layers->GetLayerFeature(nLayerID)->SetLayerName(strName);
    NotifyLayer(NotifyInfoBase::layerNameChanged, nLayerID, p->GetParentID(), -1, -1, FALSE, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetLayerColorNo(long nLayerID, short nColorNo, int nFlag)
{
    return ChangeLayers(nLayerID, NotifyInfoBase::layerColorChanged, nFlag, [nColorNo](LayerFeature& l) {
        if (nColorNo < 1 || nColorNo > 256)
            return FALSE;
        l.SetColorNo(nColorNo);
        return TRUE;
    });
}

BOOL Draw2dDocument::SetLayerLineTypeNo(long nLayerID, short nLineTypeNo, int nFlag)
{
    return ChangeLayers(nLayerID, NotifyInfoBase::layerLineTypeChanged, nFlag, [nLineTypeNo](LayerFeature& l) {
        if (nLineTypeNo < 1 || nLineTypeNo > 32766)
            return FALSE;
        l.SetLineTypeNo(nLineTypeNo);
        return TRUE;
    });
}

BOOL Draw2dDocument::SetLayerLineWidthNo(long nLayerID, short nLineWidthNo, int nFlag)
{
    return ChangeLayers(nLayerID, NotifyInfoBase::layerLineWidthChanged, nFlag, [nLineWidthNo](LayerFeature& l) {
        if (nLineWidthNo < 1 || nLineWidthNo > 15)
            return FALSE;
        l.SetLineWidthNo(nLineWidthNo);
        return TRUE;
    });
}

BOOL Draw2dDocument::MoveLayer(long nLayerID, long nGroupID, int nIndex, int nCode, long nOtherID, int nFlag)
{
    LayerFeatureTable probe(*S().layers);
    if (!probe.MoveLayerFeature(nLayerID, nGroupID, nIndex))
        return FALSE;
    UndoScope scope(this);
    Touch(secLayers);
    S().layers->MoveLayerFeature(nLayerID, nGroupID, nIndex);
    NotifyLayer(nCode, nLayerID, nGroupID, nOtherID, S().layers->GetChildIndex(nLayerID), FALSE, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::MoveBeforeLayer(long nLayerID, long nTargetID, int nFlag)
{
    const LayerFeatureTable& t = *S().layers;
    if (nLayerID == nTargetID || !t.IsExistLayerID(nTargetID) || !t.IsExistLayerID(nLayerID))
        return FALSE;
    const long group = t.GetParentLayerID(nTargetID);
    int index = t.GetChildIndex(nTargetID);
    if (t.GetParentLayerID(nLayerID) == group && t.GetChildIndex(nLayerID) < index)
        --index;  // the layer leaves its place before the target first
    return MoveLayer(nLayerID, group, index, NotifyInfoBase::layerMovedBefore, nTargetID, nFlag);
}

BOOL Draw2dDocument::MoveAfterLayer(long nLayerID, long nTargetID, int nFlag)
{
    const LayerFeatureTable& t = *S().layers;
    if (nLayerID == nTargetID || !t.IsExistLayerID(nTargetID) || !t.IsExistLayerID(nLayerID))
        return FALSE;
    const long group = t.GetParentLayerID(nTargetID);
    int index = t.GetChildIndex(nTargetID) + 1;
    if (t.GetParentLayerID(nLayerID) == group && t.GetChildIndex(nLayerID) < index)
        --index;
    return MoveLayer(nLayerID, group, index, NotifyInfoBase::layerMovedAfter, nTargetID, nFlag);
}

BOOL Draw2dDocument::MoveInLayer(long nLayerID, long nGroupID, int nIndex, int nFlag)
{
    return MoveLayer(nLayerID, nGroupID, nIndex,
                     nIndex < 0 ? NotifyInfoBase::layerMovedToGroupEnd : NotifyInfoBase::layerMovedInto, -1, nFlag);
}

BOOL Draw2dDocument::IsDisplayLayerID(long nLayerID) const
{
    if (nLayerID == S().currentLayer)
        return TRUE;
    if (nLayerID == 0)
        return FALSE;
    return S().layers->IsDisplayLayer(nLayerID);
}

BOOL Draw2dDocument::IsEditableLayerID(long nLayerID) const
{
    if (nLayerID == S().currentLayer)
        return TRUE;
    return S().layers->IsEditableLayer(nLayerID);
}

// ---------------------------------------------------------------------------------------------------------
// Component definitions

DrawComponent2dFeatureDefineTable* Draw2dDocument::GetComponentDefineTable() const
{
    return S().components.get();
}

long Draw2dDocument::AddDrawComponentDefine(const DrawComponent2dFeatureDefine& define)
{
    const CString name = define.GetComponentName();
    if (name.IsEmpty() || name.GetLength() > 256 || S().components->IsComponentNameExists(name))
        return -1;
    UndoScope scope(this);
    Touch(secDrawings);
    State& s = S();
    auto* copy = new DrawComponent2dFeatureDefine(define);
    copy->SetDrawingID(s.nextDrawingID++);
    copy->SetComponentId(s.nextComponentID++);
    copy->SetSelfPartLayoutID(s.nextLayoutID++);
    copy->SetDocument(this);
    copy->SetFeatureCount(0);
    for (long id : std::vector<long>(copy->GetRecordIdData().begin(), copy->GetRecordIdData().end()))
        copy->DeleteFeatureRecordID(id);
    if (copy->GetDrawingName().IsEmpty())
        copy->SetDrawingName(name);
    s.components->Add(copy);
    const long id = copy->GetComponentId();
    NotifyDrawing(NotifyInfoBase::componentDrawingAdded, copy, nullptr, nullptr, -1, 1);
    NotifyInfoBase info(this, NotifyInfoBase::kindComponent, NotifyInfoBase::componentAdded);
    info.SetDefineID(id);
    SendNotify(info);
    return id;
}

BOOL Draw2dDocument::DeleteDrawComponentDefine(long nComponentID)
{
    DrawComponent2dFeatureDefine* d = S().components->GetComponentDefine(nComponentID);
    if (d == nullptr || m_nEditingComponentID == nComponentID)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    const long drawingID = d->GetDrawingID();
    DeleteRecordsOfDrawing(drawingID);
    // The definition stays alive for the reports.
    std::unique_ptr<DrawComponent2dFeatureDefine> gone(new DrawComponent2dFeatureDefine(*d));
    S().components->Remove(nComponentID);
    m_featureCounts.erase(drawingID);
    if (S().activeDrawing == drawingID) {
        DrawingFeatureBase* first = GetPaperFeature(0);
        S().activeDrawing = first->GetDrawingID();
        S().activeLayout = first->GetSelfPartLayoutID();
        NotifyDrawing(NotifyInfoBase::drawingActivated, first, first, first->GetSelfPartLayout(), -1, 1);
    }
    NotifyDrawing(NotifyInfoBase::componentDrawingRemoved, gone.get(), nullptr, nullptr, -1, 1);
    NotifyInfoBase info(this, NotifyInfoBase::kindComponent, NotifyInfoBase::componentRemoved);
    info.SetDefineID(nComponentID);
    SendNotify(info);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawComponentDefineName(long nComponentID, const CString& strName)
{
    DrawComponent2dFeatureDefine* d = S().components->GetComponentDefine(nComponentID);
    if (d == nullptr || strName.IsEmpty() || strName.GetLength() > 256)
        return FALSE;
    if (d->GetComponentName().CompareNoCase(strName) != 0 && S().components->IsComponentNameExists(strName))
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    S().components->SetComponentName(nComponentID, strName);
    NotifyInfoBase info(this, NotifyInfoBase::kindComponent, NotifyInfoBase::componentRenamed);
    info.SetDefineID(nComponentID);
    SendNotify(info);
    return TRUE;
}

BOOL Draw2dDocument::SetDrawComponentDefineAttribute(long nComponentID, const FeatureAttribute& attribute, int nFlag)
{
    DrawComponent2dFeatureDefine* d = S().components->GetComponentDefine(nComponentID);
    if (d == nullptr)
        return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    S().components->GetComponentDefine(nComponentID)->SetAttribute(attribute);
    S().components->InvalidateThumbnail(nComponentID);
    if (nFlag) {
        NotifyInfoBase info(this, NotifyInfoBase::kindComponent, NotifyInfoBase::componentChanged);
        info.SetDefineID(nComponentID);
        SendNotify(info);
    }
    return TRUE;
}

BOOL Draw2dDocument::IsEditingDrawComponent(long nComponentID) const
{
    return (m_nEditingComponentID != -1 && m_nEditingComponentID == nComponentID) ? TRUE : FALSE;
}

BOOL Draw2dDocument::BeginEditDrawComponentDefine(long nComponentID, BOOL bActivate, int)
{
    DrawComponent2dFeatureDefine* d = S().components->GetComponentDefine(nComponentID);
    if (d == nullptr || (m_nEditingComponentID != -1 && m_nEditingComponentID != nComponentID))
        return FALSE;
    m_nEditingComponentID = nComponentID;
    NotifyInfoBase info(this, NotifyInfoBase::kindComponent, NotifyInfoBase::componentEditBegun);
    info.SetDefineID(nComponentID);
    info.SetDrawingArguments(d, nullptr, d->GetSelfPartLayout(), -1);
    SendNotify(info);
    if (bActivate)
        ActivateDrawingFeature(d->GetDrawingID(), -1, TRUE);
    return TRUE;
}

BOOL Draw2dDocument::EndEditDrawComponentDefine(long nComponentID)
{
    if (m_nEditingComponentID == -1 || m_nEditingComponentID != nComponentID)
        return FALSE;
    m_nEditingComponentID = -1;
    // Its shapes may have changed while it was edited.
    S().components->InvalidateThumbnail(nComponentID);
    DrawComponent2dFeatureDefine* d = S().components->GetComponentDefine(nComponentID);
    if (d != nullptr && S().activeDrawing == d->GetDrawingID())
        ActivateDrawingFeature(GetPaperFeature(0), TRUE);
    NotifyInfoBase info(this, NotifyInfoBase::kindComponent, NotifyInfoBase::componentEditEnded);
    info.SetDefineID(nComponentID);
    info.SetDrawingArguments(d, nullptr, nullptr, -1);
    SendNotify(info);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------
// Tables and current attributes

const ColorFeatureTable* Draw2dDocument::GetColorFeatureTable() const
{
    return S().colors.get();
}

const LineTypeFeatureTable* Draw2dDocument::GetLineTypeFeatureTable() const
{
    return S().lineTypes.get();
}

const LineWidthFeatureTable* Draw2dDocument::GetLineWidthFeatureTable() const
{
    return S().lineWidths.get();
}

void Draw2dDocument::SetColorFeatureTable(const ColorFeatureTable& table, int nFlag)
{
    if (&table == S().colors.get())
        return;
    UndoScope scope(this);
    Touch(secColor);
    *S().colors = table;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindColorTable, 1);
}

void Draw2dDocument::SetLineTypeFeatureTable(const LineTypeFeatureTable& table, int nFlag)
{
    SetLineTypeFeatureTable(table, S().pitchMode, S().pitch, nFlag);
}

void Draw2dDocument::SetLineTypeFeatureTable(const LineTypeFeatureTable& table, int nProportionalMode, double dPitch,
                                             int nFlag)
{
    UndoScope scope(this);
    Touch(secLineType);
    if (&table != S().lineTypes.get())
        *S().lineTypes = table;
    S().pitchMode = nProportionalMode ? 1 : 0;
    if (std::isfinite(dPitch) && dPitch > 0.0)
        S().pitch = dPitch;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindLineTypeTable, 1);
}

void Draw2dDocument::SetLineWidthFeatureTable(const LineWidthFeatureTable& table, int nFlag)
{
    if (&table == S().lineWidths.get())
        return;
    UndoScope scope(this);
    Touch(secLineWidth);
    *S().lineWidths = table;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindLineWidthTable, 1);
}

int Draw2dDocument::GetLinePitchProportionalMode() const
{
    return S().pitchMode;
}

double Draw2dDocument::GetLinePitchValue() const
{
    return S().pitch;
}

short Draw2dDocument::GetCurrentColorNo() const
{
    return S().currentColor;
}

short Draw2dDocument::GetCurrentLineTypeNo() const
{
    return S().currentLineType;
}

short Draw2dDocument::GetCurrentLineWidthNo() const
{
    return S().currentLineWidth;
}

namespace {
// The current attributes keep to the numbers a shape accepts.
bool IsColorNoAllowed(short n) { return n <= 256 && n >= -1; }
bool IsLineTypeNoAllowed(short n) { return n >= 0 && n <= 32766; }
bool IsLineWidthNoAllowed(short n) { return (n >= 0 && n <= 15) || n == -1; }
}  // namespace

BOOL Draw2dDocument::SetCurrentColorNo(short nColorNo, int nFlag)
{
    if (!IsColorNoAllowed(nColorNo))
        return FALSE;
    UndoScope scope(this);
    Touch(secCurrent);
    S().currentColor = nColorNo;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindCurrentAttribute, 1);
    return TRUE;
}

BOOL Draw2dDocument::SetCurrentLineTypeNo(short nLineTypeNo, int nFlag)
{
    if (!IsLineTypeNoAllowed(nLineTypeNo))
        return FALSE;
    UndoScope scope(this);
    Touch(secCurrent);
    S().currentLineType = nLineTypeNo;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindCurrentAttribute, 2);
    return TRUE;
}

BOOL Draw2dDocument::SetCurrentLineWidthNo(short nLineWidthNo, int nFlag)
{
    if (!IsLineWidthNoAllowed(nLineWidthNo))
        return FALSE;
    UndoScope scope(this);
    Touch(secCurrent);
    S().currentLineWidth = nLineWidthNo;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindCurrentAttribute, 3);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------
// Settings

#define KC_SETTING_ACCESS(Type, member, Name)                                  \
    Type* Draw2dDocument::Get##Name() const { return S().member.get(); }

KC_SETTING_ACCESS(GeneralFeatureSetting, general, GeneralFeatureSetting)
KC_SETTING_ACCESS(PointMarkerSetting, pointMarker, PointMarkerSetting)
KC_SETTING_ACCESS(TextSetting, text, TextSetting)
KC_SETTING_ACCESS(LeadSetting, lead, LeadSetting)
KC_SETTING_ACCESS(BalloonSetting, balloon, BalloonSetting)
KC_SETTING_ACCESS(DimensionSetting, dimension, DimensionSetting)
KC_SETTING_ACCESS(HatchSetting, hatch, HatchSetting)
KC_SETTING_ACCESS(ImageSetting, image, ImageSetting)
KC_SETTING_ACCESS(OleObjectSetting, ole, OleObjectSetting)
#undef KC_SETTING_ACCESS

namespace {
template <class T>
int StoreSetting(std::unique_ptr<T>& target, const T& setting)
{
    if (!setting.IsValidSetting() || setting.HasUndefinedValue())
        return 0;
    if (&setting != target.get())
        target->Copy(setting);
    return 1;
}
}  // namespace

#define KC_SETTING_SET(Type, member, Name, Extra)                                     \
    int Draw2dDocument::Set##Name(const Type& setting Extra)                          \
    {                                                                                 \
        if (!setting.IsValidSetting() || setting.HasUndefinedValue())                 \
            return 0;                                                                 \
        UndoScope scope(this);                                                        \
        Touch(secSettings);                                                           \
        StoreSetting(S().member, setting);                                            \
        SendNotify(NotifyInfoBase::kindDocumentSetting, 1);                           \
        return 1;                                                                     \
    }

#define KC_NO_EXTRA
#define KC_COMMA ,
KC_SETTING_SET(GeneralFeatureSetting, general, GeneralFeatureSetting, KC_NO_EXTRA)
KC_SETTING_SET(PointMarkerSetting, pointMarker, PointMarkerSetting, KC_NO_EXTRA)
KC_SETTING_SET(TextSetting, text, TextSetting, KC_NO_EXTRA)
KC_SETTING_SET(LeadSetting, lead, LeadSetting, KC_COMMA const LeadSetting*)
KC_SETTING_SET(BalloonSetting, balloon, BalloonSetting, KC_COMMA const BalloonSetting*)
KC_SETTING_SET(DimensionSetting, dimension, DimensionSetting, KC_COMMA const DimensionSetting*)
KC_SETTING_SET(HatchSetting, hatch, HatchSetting, KC_COMMA const HatchSetting*)
KC_SETTING_SET(ImageSetting, image, ImageSetting, KC_NO_EXTRA)
KC_SETTING_SET(OleObjectSetting, ole, OleObjectSetting, KC_NO_EXTRA)
#undef KC_SETTING_SET
#undef KC_NO_EXTRA
#undef KC_COMMA

// ---------------------------------------------------------------------------------------------------------
// Units and display modes

LengthUnitFormatType Draw2dDocument::GetLengthUnitFormatType() const
{
    return static_cast<LengthUnitFormatType>(S().lengthFormat);
}

short Draw2dDocument::GetDistPrecision() const
{
    return static_cast<short>(S().distPrecision);
}

AngleUnitFormatType Draw2dDocument::GetAngleUnitFormatType() const
{
    return static_cast<AngleUnitFormatType>(S().angleFormat);
}

short Draw2dDocument::GetAnglePrecision() const
{
    return static_cast<short>(S().anglePrecision);
}

BOOL Draw2dDocument::SetMode(int& field, int nValue, int nMin, int nMax, int nFlag)
{
    if (nValue < nMin || nValue > nMax)
        return FALSE;
    UndoScope scope(this);
    Touch(secModes);
    field = nValue;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return TRUE;
}

BOOL Draw2dDocument::SetLengthUnitFormatType(int nType, int nFlag)
{
    return SetMode(S().lengthFormat, nType, 0, 4, nFlag);
}

BOOL Draw2dDocument::SetDistPrecision(int nPrecision, int nFlag)
{
    return SetMode(S().distPrecision, nPrecision, 0, 8, nFlag);
}

BOOL Draw2dDocument::SetAngleUnitFormatType(int nType, int nFlag)
{
    if (nType < 0 || nType > 3)
        return FALSE;
    UndoScope scope(this);
    Touch(secModes);
    S().angleFormat = nType;
    // Degrees, minutes and seconds carry at most six decimals.
    if (nType == AngleUnitDegMinSec && S().anglePrecision > 6)
        S().anglePrecision = 6;
    if (nFlag)
        SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return TRUE;
}

BOOL Draw2dDocument::SetAnglePrecision(int nPrecision, int nFlag)
{
    return SetMode(S().anglePrecision, nPrecision, 0, S().angleFormat == AngleUnitDegMinSec ? 6 : 8, nFlag);
}

int Draw2dDocument::GetPaperLineWidthDisplayMode() const { return S().paperLineWidthMode; }
int Draw2dDocument::GetPaperLinePitchDisplayMode() const { return S().paperLinePitchMode; }
int Draw2dDocument::GetPartLineWidthDisplayMode() const { return S().partLineWidthMode; }
int Draw2dDocument::GetPartLinePitchDisplayMode() const { return S().partLinePitchMode; }
int Draw2dDocument::GetLineCapMode() const { return S().capMode; }
int Draw2dDocument::GetLineJoinMode() const { return S().joinMode; }
int Draw2dDocument::GetLinkLineWidthOfFeature() const { return S().linkLineWidth; }
double Draw2dDocument::GetStandardLineWidth() const { return S().standardLineWidth; }

BOOL Draw2dDocument::SetPaperLineWidthDisplayMode(int nValue, int nFlag)
{
    return SetMode(S().paperLineWidthMode, nValue, 0, 2, nFlag);
}

BOOL Draw2dDocument::SetPaperLinePitchDisplayMode(int nValue, int nFlag)
{
    return SetMode(S().paperLinePitchMode, nValue, 0, 2, nFlag);
}

BOOL Draw2dDocument::SetPartLineWidthDisplayMode(int nValue, int nFlag)
{
    return SetMode(S().partLineWidthMode, nValue, 0, 2, nFlag);
}

BOOL Draw2dDocument::SetPartLinePitchDisplayMode(int nValue, int nFlag)
{
    return SetMode(S().partLinePitchMode, nValue, 0, 2, nFlag);
}

BOOL Draw2dDocument::SetLineCapMode(int nValue, int nFlag)
{
    return SetMode(S().capMode, nValue, 0, 3, nFlag);
}

BOOL Draw2dDocument::SetLineJoinMode(int nValue, int nFlag)
{
    return SetMode(S().joinMode, nValue, 0, 2, nFlag);
}

// ---------------------------------------------------------------------------------------------------------
// Selection filter and saved views

void Draw2dDocument::SetSelectionFilter(const SelectionFilter& filter)
{
    *m_pFilter = filter;
}

int Draw2dDocument::GetSelectionFilterMode() const
{
    return m_pFilter->GetSelectionFilterMode();
}

void Draw2dDocument::SetSelectionFilterMode(int nMode)
{
    m_pFilter->SetSelectionFilterMode(nMode);
}

const ViewControlSetting& Draw2dDocument::GetViewControlSetting(int nIndex) const
{
    if (nIndex < 0 || nIndex >= kViewControlSettingCount)
        AfxThrowInvalidArgException();
    return S().views[static_cast<size_t>(nIndex)];
}

void Draw2dDocument::SetPlotSetting(const PlotSetting& setting)
{
    if (setting.IsValid())
        *m_pPlotSetting = setting;
    SendNotify(NotifyInfoBase::kindDocumentSetting, 20);
}

void Draw2dDocument::SetViewControlSetting(int nIndex, const ViewControlSetting& setting)
{
    if (nIndex < 0 || nIndex >= kViewControlSettingCount)
        AfxThrowInvalidArgException();
    UndoScope scope(this);
    Touch(secViews);
    S().views[static_cast<size_t>(nIndex)].Copy(setting);
    SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
}

int Draw2dDocument::GetViewControlSettingActiveCount() const
{
    int n = 0;
    for (const ViewControlSetting& v : S().views)
        n += v.IsEnableSetting() ? 1 : 0;
    return n;
}

int Draw2dDocument::GetViewControlSettingCurrentIndex() const
{
    return S().viewIndex;
}

void Draw2dDocument::SetViewControlSettingCurrentIndex(int nIndex)
{
    // Stored as given; readers check it against the slot count.
    S().viewIndex = nIndex;
}

int Draw2dDocument::GetViewControlSettingNextIndex(int nCurrent, int nDirection) const
{
    const int n = kViewControlSettingCount;
    const int step = nDirection ? 1 : n - 1;
    int i = (nCurrent < 0 || nCurrent >= n) ? (nDirection ? n - 1 : 0) : nCurrent;
    for (int k = 0; k < n; ++k) {
        i = (i + step) % n;
        if (S().views[static_cast<size_t>(i)].IsEnableSetting())
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------------------
// Settings copied between documents

void Draw2dDocument::CopyDocumentSettings(const Draw2dDocument* pFrom)
{
    if (pFrom == nullptr || pFrom == this)
        return;
    UndoScope scope(this);
    const unsigned mask = secColor | secLineType | secLineWidth | secSettings | secCurrent | secModes | secHatch;
    Touch(mask);
    S().CopyFrom(pFrom->S(), mask);
    AfterRestore(mask, {});
}

// ---------------------------------------------------------------------------------------------------------
// Archive

void Draw2dDocument::SaveToArchive(CArchive& ar, const DrawViewInfo& viewInfo, DWORD dwSaveVersion) const
{
    const State& s = S();
    ar << kMagic << kArchiveFormat << dwSaveVersion;
    s.product->Serialize(ar);
    QZ2FileVersion::GetCurrentVersion().Serialize(ar);

    ar.WriteCount(s.drawings.size());
    for (const auto& d : s.drawings)
        d->Store(ar);
    ar.WriteCount(static_cast<DWORD_PTR>(s.components->GetComponentDefineCount()));
    for (int i = 0; i < s.components->GetComponentDefineCount(); ++i)
        s.components->GetComponentDefineByIndex(i)->Store(ar);
    ar << static_cast<LONG>(s.nextDrawingID) << static_cast<LONG>(s.nextLayoutID)
       << static_cast<LONG>(s.nextComponentID) << static_cast<LONG>(s.activeDrawing)
       << static_cast<LONG>(s.activeLayout);

    s.layers->Serialize(ar);
    ar << static_cast<LONG>(s.nextLayerID) << static_cast<LONG>(s.currentLayer);

    s.colors->Serialize(ar);
    s.lineTypes->Serialize(ar);
    ar << s.pitchMode << s.pitch;
    s.lineWidths->Serialize(ar);

    s.general->Serialize(ar);
    s.pointMarker->Serialize(ar);
    s.text->Serialize(ar);
    s.lead->Serialize(ar);
    s.balloon->Serialize(ar);
    s.dimension->Serialize(ar);
    s.hatch->Serialize(ar);
    s.image->Serialize(ar);
    s.ole->Serialize(ar);
    s.generalStyles->Serialize(ar);
    s.pointMarkerStyles->Serialize(ar);
    s.textStyles->Serialize(ar);
    s.leadStyles->Serialize(ar);
    s.balloonStyles->Serialize(ar);
    s.dimensionStyles->Serialize(ar);
    s.hatchStyles->Serialize(ar);
    s.patterns->Serialize(ar);

    ar << s.currentColor << s.currentLineType << s.currentLineWidth;
    ar << s.lengthFormat << s.distPrecision << s.angleFormat << s.anglePrecision << s.paperLineWidthMode
       << s.paperLinePitchMode << s.partLineWidthMode << s.partLinePitchMode << s.capMode << s.joinMode
       << s.linkLineWidth << s.standardLineWidth;
    for (const ViewControlSetting& v : s.views)
        const_cast<ViewControlSetting&>(v).Serialize(ar);
    ar << s.viewIndex;

    ar << static_cast<LONG>(m_records.size()) << static_cast<LONG>(m_nLiveCount);
    for (size_t i = 1; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        if (r.pFeature == nullptr)
            continue;
        ar << static_cast<LONG>(i) << r.nDrawingID;
        Feature2dBase::StoreFeature(ar, r.pFeature);
    }
    const_cast<DrawViewInfo&>(viewInfo).Serialize(ar);
    ar << kPlotMark;
    m_pPlotSetting->Serialize(ar);
    ar << kEndMark;
}

void Draw2dDocument::LoadFromArchive(CArchive& ar, DrawViewInfo& viewInfo, CString& strLoadMsg)
{
    DWORD magic = 0, format = 0, saveVersion = 0;
    ar >> magic >> format >> saveVersion;
    if (magic != kMagic)
        ar.ThrowArchiveException(CArchiveException::badClass);
    if (format != kArchiveFormat)
        ar.ThrowArchiveException(CArchiveException::badSchema);

    auto state = std::make_unique<State>();
    State& s = *state;
    s.InitDefaults();
    s.product->Serialize(ar);
    s.file->Serialize(ar);

    DWORD_PTR n = ar.ReadCount();
    CheckArchive(ar, n >= 1 && n <= kMaxDrawings);
    for (DWORD_PTR i = 0; i < n; ++i) {
        std::unique_ptr<DrawingFeatureBase> d(DrawingFeatureBase::LoadNew(ar));
        CheckArchive(ar, !d->IsDrawComponentDefine());
        s.drawings.push_back(std::move(d));
    }
    n = ar.ReadCount();
    CheckArchive(ar, n <= kMaxDrawings);
    for (DWORD_PTR i = 0; i < n; ++i) {
        std::unique_ptr<DrawingFeatureBase> d(DrawingFeatureBase::LoadNew(ar));
        CheckArchive(ar, d->IsDrawComponentDefine() != FALSE);
        s.components->Add(static_cast<DrawComponent2dFeatureDefine*>(d.release()));
    }
    LONG nextDrawing = 0, nextLayout = 0, nextComponent = 0, active = 0, activeLayout = 0;
    ar >> nextDrawing >> nextLayout >> nextComponent >> active >> activeLayout;
    s.nextDrawingID = nextDrawing;
    s.nextLayoutID = nextLayout;
    s.nextComponentID = nextComponent;
    s.activeDrawing = active;
    s.activeLayout = activeLayout;

    s.layers->Serialize(ar);
    LONG nextLayer = 0, currentLayer = 0;
    ar >> nextLayer >> currentLayer;
    s.nextLayerID = nextLayer;
    s.currentLayer = currentLayer;

    s.colors->Serialize(ar);
    s.lineTypes->Serialize(ar);
    ar >> s.pitchMode >> s.pitch;
    s.lineWidths->Serialize(ar);

    s.general->Serialize(ar);
    s.pointMarker->Serialize(ar);
    s.text->Serialize(ar);
    s.lead->Serialize(ar);
    s.balloon->Serialize(ar);
    s.dimension->Serialize(ar);
    s.hatch->Serialize(ar);
    s.image->Serialize(ar);
    s.ole->Serialize(ar);
    s.generalStyles->Serialize(ar);
    s.pointMarkerStyles->Serialize(ar);
    s.textStyles->Serialize(ar);
    s.leadStyles->Serialize(ar);
    s.balloonStyles->Serialize(ar);
    s.dimensionStyles->Serialize(ar);
    s.hatchStyles->Serialize(ar);
    s.patterns->Serialize(ar);

    ar >> s.currentColor >> s.currentLineType >> s.currentLineWidth;
    ar >> s.lengthFormat >> s.distPrecision >> s.angleFormat >> s.anglePrecision >> s.paperLineWidthMode >>
        s.paperLinePitchMode >> s.partLineWidthMode >> s.partLinePitchMode >> s.capMode >> s.joinMode >>
        s.linkLineWidth >> s.standardLineWidth;
    for (ViewControlSetting& v : s.views)
        v.Serialize(ar);
    ar >> s.viewIndex;

    // Everything read so far must hang together.
    std::unordered_set<long> drawingIDs, layoutIDs, componentIDs;
    auto addLayoutID = [&](long id) { CheckArchive(ar, id > 0 && id < s.nextLayoutID && layoutIDs.insert(id).second); };
    auto checkDrawing = [&](const DrawingFeatureBase* d) {
        CheckArchive(ar, d->GetDrawingID() >= 0 && d->GetDrawingID() < s.nextDrawingID &&
                             drawingIDs.insert(d->GetDrawingID()).second);
        const PartDrawingLayout* self = d->GetSelfPartLayout();
        CheckArchive(ar, self->GetPaperID() == d->GetDrawingID() && self->GetDrawingID() == d->GetDrawingID());
        addLayoutID(self->GetLayoutID());
    };
    int papers = 0;
    for (const auto& d : s.drawings) {
        checkDrawing(d.get());
        papers += d->IsPaperFeature() ? 1 : 0;
        CheckArchive(ar, d->IsPaperFeature() || d->GetPartLayoutCount() == 0);
    }
    CheckArchive(ar, papers >= 1);
    for (int i = 0; i < s.components->GetComponentDefineCount(); ++i) {
        const DrawComponent2dFeatureDefine* d = s.components->GetComponentDefineByIndex(i);
        checkDrawing(d);
        CheckArchive(ar, d->GetPartLayoutCount() == 0 && d->GetComponentId() > 0 &&
                             d->GetComponentId() < s.nextComponentID &&
                             componentIDs.insert(d->GetComponentId()).second);
    }
    for (const auto& d : s.drawings) {
        for (int i = 0; i < d->GetPartLayoutCount(); ++i) {
            const PartDrawingLayout* l = d->GetPartLayout(i);
            addLayoutID(l->GetLayoutID());
            const DrawingFeatureBase* shown = nullptr;
            for (const auto& o : s.drawings)
                if (o->GetDrawingID() == l->GetDrawingID())
                    shown = o.get();
            CheckArchive(ar, l->GetPaperID() == d->GetDrawingID() && shown != nullptr && shown->IsPartFeature());
        }
    }
    CheckArchive(ar, drawingIDs.count(s.activeDrawing) && layoutIDs.count(s.activeLayout));
    CheckArchive(ar, s.currentLayer == -1 || (s.layers->IsExistLayerID(s.currentLayer) &&
                                              !s.layers->IsGroup(s.currentLayer)));
    for (int i = 0; i < s.layers->GetSize(); ++i)
        CheckArchive(ar, s.layers->GetLayerID(i) < s.nextLayerID);
    CheckArchive(ar, IsColorNoAllowed(s.currentColor) && IsLineTypeNoAllowed(s.currentLineType) &&
                         IsLineWidthNoAllowed(s.currentLineWidth));
    CheckArchive(ar, s.lengthFormat >= 0 && s.lengthFormat <= 4 && s.distPrecision >= 0 && s.distPrecision <= 8 &&
                         s.angleFormat >= 0 && s.angleFormat <= 3 && s.anglePrecision >= 0 &&
                         s.anglePrecision <= 8 && (s.pitchMode == 0 || s.pitchMode == 1) &&
                         std::isfinite(s.pitch) && s.pitch > 0.0 && std::isfinite(s.standardLineWidth));
    for (int v : {s.paperLineWidthMode, s.paperLinePitchMode, s.partLineWidthMode, s.partLinePitchMode})
        CheckArchive(ar, v >= 0 && v <= 2);
    CheckArchive(ar, s.capMode >= 0 && s.capMode <= 3 && s.joinMode >= 0 && s.joinMode <= 2);

    // The records. They are owned by the vector until the load is complete.
    LONG slotCount = 0, liveCount = 0;
    ar >> slotCount >> liveCount;
    CheckArchive(ar, slotCount >= 1 && liveCount >= 0 && liveCount < slotCount &&
                         static_cast<ULONGLONG>(slotCount) <=
                             2 * static_cast<ULONGLONG>(liveCount) + kMaxRecordIDSlack);
    ar.EnsureReadable(static_cast<ULONGLONG>(liveCount) * 9u);  // id, drawing and at least one byte of shape
    struct Owner {
        std::vector<Record> records;
        ~Owner()
        {
            for (Record& r : records)
                delete r.pFeature;
        }
    } loaded;
    loaded.records.resize(static_cast<size_t>(slotCount));
    std::unordered_map<long, long> counts;
    LONG prev = 0;
    for (LONG i = 0; i < liveCount; ++i) {
        LONG id = 0, drawing = 0;
        ar >> id >> drawing;
        CheckArchive(ar, id > prev && id < slotCount && drawingIDs.count(drawing));
        prev = id;
        Feature2dBase* f = Feature2dBase::LoadFeature(ar);
        CheckArchive(ar, f != nullptr);
        loaded.records[static_cast<size_t>(id)] = {f, drawing};
        f->SetRecordID(id);
        ++counts[drawing];
    }
    DrawViewInfo views;
    views.Serialize(ar);
    DWORD end = 0;
    ar >> end;
    PlotSetting plot;
    if (end == kPlotMark) {
        plot.Serialize(ar);
        ar >> end;
    }
    CheckArchive(ar, end == kEndMark);

    // Complete: take it over.
    ClearUndoRedoHistory();
    m_pOpen.reset();
    m_nBracketDepth = 0;
    m_pSelection->UnselectAll(FALSE);
    for (Record& r : m_records)
        delete r.pFeature;
    m_records.swap(loaded.records);
    loaded.records.clear();
    for (Record& r : m_records)
        r.nStamp = ++m_nLastStamp;
    m_nLiveCount = liveCount;
    m_featureCounts = std::move(counts);
    m_indices.clear();
    m_nEditingComponentID = -1;
    m_pState = std::move(state);
    *m_pPlotSetting = plot;
    for (auto& d : S().drawings)
        d->SetDocument(this);
    for (int i = 0; i < S().components->GetComponentDefineCount(); ++i)
        S().components->GetComponentDefineByIndex(i)->SetDocument(this);
    ApplyFeatureCounts();
    RebuildComponentRecordSets();
    // Placed components keep the box of their definition's shapes, which the file does not hold: without
    // it a component would read as a point and be drawn as a dot.
    for (Record& r : m_records) {
        if (r.pFeature == nullptr || r.pFeature->GetFeatureType() != FeatureTypeDrawComponent)
            continue;
        auto* c = static_cast<DrawComponent2dFeature*>(r.pFeature);
        c->SetCachedBox(RuVaBndBox2d());
        c->SetCachedBox(ResolveBox(*c));
    }
    viewInfo = views;
    if (s.file->GetVersionNumber() > QZ2FileVersion::GetCurrentVersion().GetVersionNumber())
        strLoadMsg = _T("The file was written by a newer version; parts of it may be missing.");
}

// ---------------------------------------------------------------------------------------------------------
// Named styles

#define KC_STYLES_ACCESS(Type, member)                                                 \
    Type* Draw2dDocument::Get##Type() const { return S().member.get(); }

KC_STYLES_ACCESS(GeneralFeatureSettingStyles, generalStyles)
KC_STYLES_ACCESS(PointMarkerSettingStyles, pointMarkerStyles)
KC_STYLES_ACCESS(TextSettingStyles, textStyles)
KC_STYLES_ACCESS(LeadSettingStyles, leadStyles)
KC_STYLES_ACCESS(BalloonSettingStyles, balloonStyles)
KC_STYLES_ACCESS(DimensionSettingStyles, dimensionStyles)
KC_STYLES_ACCESS(HatchSettingStyles, hatchStyles)
#undef KC_STYLES_ACCESS

namespace {
// The collection of the document that holds styles of the same kind, and the current setting of that kind.
struct StyleSlot {
    FeatureSettingStylesBase* styles;
    FeatureSettingBase* current;
};
}  // namespace

BOOL Draw2dDocument::UpdateFeatureSettingStyles(const FeatureSettingStylesBase& styles)
{
    const CRuntimeClass* kind = styles.GetSettingClass();
    State& s = S();
    const StyleSlot kindSlots[] = {
        {s.generalStyles.get(), s.general.get()}, {s.pointMarkerStyles.get(), s.pointMarker.get()},
        {s.textStyles.get(), s.text.get()},       {s.leadStyles.get(), s.lead.get()},
        {s.balloonStyles.get(), s.balloon.get()}, {s.dimensionStyles.get(), s.dimension.get()},
        {s.hatchStyles.get(), s.hatch.get()},
    };
    int index = -1;
    for (int i = 0; i < 7; ++i)
        if (kind != nullptr && kindSlots[i].styles->GetSettingClass() == kind)
            index = i;
    if (index < 0)
        return FALSE;
    UndoScope scope(this);
    Touch(secSettings);
    // The section's objects stay the same; only their contents change.
    const StyleSlot& slot = kindSlots[index];
    if (&styles != slot.styles)
        slot.styles->Copy(styles);
    if (const FeatureSettingBase* current = slot.styles->GetCurrentSettingStyle())
        slot.current->Copy(*current);
    SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return TRUE;
}

BOOL Draw2dDocument::SetCurrentStyleName(FeatureSettingStylesBase& styles, const CString& strName)
{
    if (!strName.IsEmpty() && styles.FindSettingStyle(strName) < 0)
        return FALSE;
    FeatureSettingStylesBase* probe = static_cast<FeatureSettingStylesBase*>(styles.GetRuntimeClass()->CreateObject());
    std::unique_ptr<FeatureSettingStylesBase> copy(probe);
    copy->Copy(styles);
    if (!copy->SetCurrentSettingStyleName(strName))
        return FALSE;
    return UpdateFeatureSettingStyles(*copy);
}

#define KC_STYLE_NAME(Name, member)                                                       \
    BOOL Draw2dDocument::SetCurrent##Name##StyleName(const CString& strName)              \
    {                                                                                     \
        return SetCurrentStyleName(*S().member, strName);                                 \
    }

KC_STYLE_NAME(GeneralFeatureSetting, generalStyles)
KC_STYLE_NAME(PointMarkerSetting, pointMarkerStyles)
KC_STYLE_NAME(TextSetting, textStyles)
KC_STYLE_NAME(LeadSetting, leadStyles)
KC_STYLE_NAME(BalloonSetting, balloonStyles)
KC_STYLE_NAME(DimensionSetting, dimensionStyles)
KC_STYLE_NAME(HatchSetting, hatchStyles)
#undef KC_STYLE_NAME

// ---------------------------------------------------------------------------------------------------------
// Hatch patterns and usage questions

HatchPatternTable* Draw2dDocument::GetHatchPatternTable() const
{
    return S().patterns.get();
}

int Draw2dDocument::LoadDefaultHatchPattern(const CString& strFolder)
{
    return S().patterns->LoadPatternFiles(strFolder);
}

long Draw2dDocument::AddHatchPattern(const HatchPatternBase* pPattern)
{
    HatchPatternTable probe(*S().patterns);
    if (probe.AddHatchPattern(pPattern) == -1)
        return -1;
    UndoScope scope(this);
    Touch(secHatch);
    const long id = S().patterns->AddHatchPattern(pPattern);
    SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return id;
}

BOOL Draw2dDocument::SetHatchPattern(long nPatternID, const HatchPatternBase* pPattern, int nFlag)
{
    HatchPatternTable probe(*S().patterns);
    if (!probe.SetHatchPattern(nPatternID, pPattern))
        return FALSE;
    UndoScope scope(this);
    Touch(secHatch);
    S().patterns->SetHatchPattern(nPatternID, pPattern);
    if (nFlag)
        SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return TRUE;
}

BOOL Draw2dDocument::SetHatchPatternName(long nPatternID, const CString& strName)
{
    HatchPatternTable probe(*S().patterns);
    if (!probe.SetHatchPatternName(nPatternID, strName))
        return FALSE;
    UndoScope scope(this);
    Touch(secHatch);
    S().patterns->SetHatchPatternName(nPatternID, strName);
    SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return TRUE;
}

bool Draw2dDocument::AnyFeature(const std::function<bool(const Feature2dBase&)>& visit) const
{
    std::function<bool(const Feature2dBase&)> walk = [&](const Feature2dBase& f) {
        if (visit(f))
            return true;
        if (f.GetFeatureType() == FeatureTypeDrawGroup) {
            const auto& g = static_cast<const DrawGroup2dFeature&>(f);
            for (int i = 0; i < g.GetFeatureCount(); ++i)
                if (g.GetFeature(i) != nullptr && walk(*g.GetFeature(i)))
                    return true;
        }
        return false;
    };
    for (size_t i = 1; i < m_records.size(); ++i)
        if (m_records[i].pFeature != nullptr && walk(*m_records[i].pFeature))
            return true;
    return false;
}

BOOL Draw2dDocument::IsHatchPatternUsed(long nPatternID) const
{
    if (S().hatch->GetPatternID() == nPatternID)
        return TRUE;
    return AnyFeature([nPatternID](const Feature2dBase& f) {
               return f.GetFeatureType() == FeatureTypeHatch &&
                      static_cast<const Hatch2dFeature&>(f).GetHatchType() == Hatch2dFeature::UserDefined &&
                      static_cast<const Hatch2dFeature&>(f).GetPatternNo() == nPatternID;
           })
               ? TRUE
               : FALSE;
}

BOOL Draw2dDocument::DeleteHatchPattern(long nPatternID)
{
    if (!S().patterns->IsPatternIDExists(nPatternID) || IsHatchPatternUsed(nPatternID))
        return FALSE;
    UndoScope scope(this);
    Touch(secHatch);
    S().patterns->DeleteHatchPattern(nPatternID);
    SendNotify(NotifyInfoBase::kindDocumentSetting, 1);
    return TRUE;
}

BOOL Draw2dDocument::IsUsedDrawGroupLayerID(long nLayerID) const
{
    for (size_t i = 1; i < m_records.size(); ++i) {
        const Feature2dBase* f = m_records[i].pFeature;
        if (f == nullptr || f->GetFeatureType() != FeatureTypeDrawGroup)
            continue;
        bool used = false;
        std::function<void(const DrawGroup2dFeature&)> walk = [&](const DrawGroup2dFeature& g) {
            for (int k = 0; k < g.GetFeatureCount() && !used; ++k) {
                const Feature2dBase* m = g.GetFeature(k);
                if (m == nullptr)
                    continue;
                used = m->GetLayerID() == nLayerID;
                if (!used && m->GetFeatureType() == FeatureTypeDrawGroup)
                    walk(static_cast<const DrawGroup2dFeature&>(*m));
            }
        };
        walk(static_cast<const DrawGroup2dFeature&>(*f));
        if (used)
            return TRUE;
    }
    return FALSE;
}

BOOL Draw2dDocument::IsDrawComponentIdUsed(long nComponentID) const
{
    return AnyFeature([nComponentID](const Feature2dBase& f) {
               return f.GetFeatureType() == FeatureTypeDrawComponent &&
                      static_cast<const DrawComponent2dFeature&>(f).GetComponentDefineID() == nComponentID;
           })
               ? TRUE
               : FALSE;
}

// ---------------------------------------------------------------------------------------------------------
// Copies from another document

long Draw2dDocument::MapLayerFrom(const Draw2dDocument& source, long nLayerID)
{
    const LayerFeatureTable& from = *source.S().layers;
    const LayerFeature* layer = from.GetLayerFeature(nLayerID);
    if (layer == nullptr)
        return nLayerID == 0 ? 0 : -1;
    // The chain of groups above the layer, from the top.
    std::vector<const LayerFeature*> chain;
    for (const LayerFeature* p = layer; p != nullptr && chain.size() <= static_cast<size_t>(from.GetSize());
         p = from.GetLayerFeature(p->GetParentID()))
        chain.insert(chain.begin(), p);
    long parent = LayerFeatureTable::GetRootLayerID();
    for (const LayerFeature* p : chain) {
        long found = -1;
        const LayerFeatureTable& to = *S().layers;
        for (int i = 0; i < to.GetChildLayerFeatureCount(parent) && found == -1; ++i) {
            const LayerFeature* c = to.GetLayerFeature(to.GetChildLayerID(parent, i));
            if (c != nullptr && (c->IsGroup() != FALSE) == (p->IsGroup() != FALSE) &&
                c->GetLayerName().CompareNoCase(p->GetLayerName()) == 0)
                found = c->GetLayerID();
        }
        if (found == -1) {
            found = NewLayer(parent, p->GetLayerName(), p->IsGroup(), 1);
            if (found == -1)
                return -1;
            if (!p->IsGroup()) {
                Touch(secLayers);
                LayerFeature* made = S().layers->GetLayerFeature(found);
                made->SetColorNo(p->GetColorNo());
                made->SetLineTypeNo(p->GetLineTypeNo());
                made->SetLineWidthNo(p->GetLineWidthNo());
                made->SetLayerStateFlags(p->GetLayerStateFlags());
            }
        }
        parent = found;
    }
    return parent;
}

void Draw2dDocument::MapComponentsFrom(const Draw2dDocument& source, Feature2dBase& feature)
{
    if (feature.GetFeatureType() == FeatureTypeDrawComponent) {
        auto& c = static_cast<DrawComponent2dFeature&>(feature);
        c.SetComponentDefineID(AddDrawComponentDefine(&source, c.GetComponentDefineID()));
    } else if (feature.GetFeatureType() == FeatureTypeDrawGroup) {
        auto& g = static_cast<DrawGroup2dFeature&>(feature);
        for (int i = 0; i < g.GetFeatureCount(); ++i)
            if (Feature2dBase* m = g.GetFeature(i)) {
                m->SetLayerID(MapLayerFrom(source, m->GetLayerID()));
                MapComponentsFrom(source, *m);
            }
    }
}

long Draw2dDocument::AddFeature(const Feature2dBase* pFeature, DrawingFeatureBase* pDrawing,
                                const Draw2dDocument* pSource, int nFlag)
{
    if (pSource == nullptr || pSource == this)
        return AddFeature(pFeature, pDrawing, nFlag);
    if (pFeature == nullptr || !pFeature->IsValid())
        return -1;
    std::unique_ptr<Feature2dBase> copy(pFeature->CopyObject(Feature2dBase::copyAll));
    if (!copy)
        return -1;
    UndoScope scope(this);
    copy->SetLayerID(MapLayerFrom(*pSource, pFeature->GetLayerID()));
    MapComponentsFrom(*pSource, *copy);
    return AddFeature(copy.get(), pDrawing, nFlag);
}

long Draw2dDocument::AddDrawComponentDefine(const Draw2dDocument* pSource, long nComponentID)
{
    if (pSource == nullptr)
        return -1;
    const DrawComponent2dFeatureDefine* src = pSource->S().components->GetComponentDefine(nComponentID);
    if (src == nullptr)
        return -1;
    if (pSource == this)
        return nComponentID;
    const DrawComponent2dFeatureDefineTable& mine = *S().components;
    for (int i = 0; i < mine.GetComponentDefineCount(); ++i)
        if (mine.GetComponentDefineByIndex(i)->GetComponentName().CompareNoCase(src->GetComponentName()) == 0)
            return mine.GetComponentDefineByIndex(i)->GetComponentId();
    // Definitions that use each other would copy without end; such a source is refused.
    if (m_nCopyDepth > 32)
        return -1;
    ++m_nCopyDepth;
    UndoScope scope(this);
    DrawComponent2dFeatureDefine copy(*src);
    copy.SetDrawingName(CString());
    const long id = AddDrawComponentDefine(copy);
    if (id != -1) {
        DrawingFeatureBase* drawing = S().components->GetComponentDefine(id);
        const std::vector<long> records(src->GetRecordIdData().begin(), src->GetRecordIdData().end());
        for (long rid : records)
            if (const Feature2dBase* f = pSource->GetFeature(rid))
                AddFeature(f, drawing, pSource, 0);
    }
    --m_nCopyDepth;
    return id;
}

BOOL Draw2dDocument::IsIncludeComponentId(long nEditedID, long nComponentID) const
{
    if (nEditedID == nComponentID)
        return TRUE;
    std::unordered_set<long> seen;
    std::vector<long> pending{nComponentID};
    while (!pending.empty()) {
        const long id = pending.back();
        pending.pop_back();
        if (!seen.insert(id).second)
            continue;
        const DrawComponent2dFeatureDefine* d = S().components->GetComponentDefine(id);
        if (d == nullptr)
            continue;
        std::function<void(const Feature2dBase&)> collect = [&](const Feature2dBase& f) {
            if (f.GetFeatureType() == FeatureTypeDrawComponent)
                pending.push_back(static_cast<const DrawComponent2dFeature&>(f).GetComponentDefineID());
            else if (f.GetFeatureType() == FeatureTypeDrawGroup) {
                const auto& g = static_cast<const DrawGroup2dFeature&>(f);
                for (int i = 0; i < g.GetFeatureCount(); ++i)
                    if (g.GetFeature(i) != nullptr)
                        collect(*g.GetFeature(i));
            }
        };
        for (long rid : d->GetRecordIdData())
            if (const Feature2dBase* f = m_records[static_cast<size_t>(rid)].pFeature)
                collect(*f);
        for (long used : pending)
            if (used == nEditedID)
                return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------------------
// Numbers in use, orders, current attribute values

std::vector<short> Draw2dDocument::UsedNumbers(const std::function<short(const Feature2dBase&)>& number) const
{
    std::set<short> used;
    AnyFeature([&](const Feature2dBase& f) {
        used.insert(number(f));
        return false;
    });
    return std::vector<short>(used.begin(), used.end());
}

std::vector<short> Draw2dDocument::GetUsedFeatureColorNoMap() const
{
    return UsedNumbers([](const Feature2dBase& f) { return f.GetColorNo(); });
}

std::vector<short> Draw2dDocument::GetUsedFeatureLineTypeNoMap() const
{
    return UsedNumbers([](const Feature2dBase& f) { return f.GetLineTypeNo(); });
}

std::vector<short> Draw2dDocument::GetUsedFeatureLineWidthNoMap() const
{
    return UsedNumbers([](const Feature2dBase& f) { return f.GetLineWidthNo(); });
}

BOOL Draw2dDocument::IsUsedLineTypeNo(short nLineTypeNo) const
{
    const LayerFeatureTable& t = *S().layers;
    for (int i = 0; i < t.GetSize(); ++i)
        if (!t.GetLayerFeatureByIndex(i)->IsGroup() && t.GetLayerFeatureByIndex(i)->GetLineTypeNo() == nLineTypeNo)
            return TRUE;
    if (S().currentLineType == nLineTypeNo)
        return TRUE;
    return AnyFeature([nLineTypeNo](const Feature2dBase& f) { return f.GetLineTypeNo() == nLineTypeNo; }) ? TRUE
                                                                                                       : FALSE;
}

BOOL Draw2dDocument::SetDrawingOrderList(const std::vector<long>& drawingIDs, int nFlag)
{
    const auto& v = S().drawings;
    std::unordered_set<long> ids(drawingIDs.begin(), drawingIDs.end());
    if (drawingIDs.size() != v.size() || ids.size() != v.size())
        return FALSE;
    for (const auto& d : v)
        if (!ids.count(d->GetDrawingID()))
            return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    std::vector<std::unique_ptr<DrawingFeatureBase>> ordered;
    for (long id : drawingIDs)
        for (auto& d : S().drawings)
            if (d && d->GetDrawingID() == id)
                ordered.push_back(std::move(d));
    S().drawings = std::move(ordered);
    NotifyDrawing(NotifyInfoBase::drawingRebuildKeep, nullptr, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

BOOL Draw2dDocument::SetPartLayoutOrderList(long nPaperID, const std::vector<long>& layoutIDs, int nFlag)
{
    DrawingFeatureBase* paper = FindDrawing(nPaperID);
    if (paper == nullptr || static_cast<int>(layoutIDs.size()) != paper->GetPartLayoutCount())
        return FALSE;
    std::unordered_set<long> ids(layoutIDs.begin(), layoutIDs.end());
    if (static_cast<int>(ids.size()) != paper->GetPartLayoutCount())
        return FALSE;
    for (long id : layoutIDs)
        if (paper->PartLayoutIDToIndex(id) < 0)
            return FALSE;
    UndoScope scope(this);
    Touch(secDrawings);
    paper = FindDrawing(nPaperID);
    for (size_t i = 0; i < layoutIDs.size(); ++i)
        paper->MovePartLayout(layoutIDs[i], static_cast<int>(i));
    NotifyDrawing(NotifyInfoBase::drawingRebuildKeep, paper, nullptr, nullptr, -1, nFlag);
    return TRUE;
}

void Draw2dDocument::GetCurrentColor(short& nColorNo, COLORREF& rgb) const
{
    nColorNo = S().currentColor;
    short no = nColorNo;
    if (no == 0)
        no = S().layers->GetLayerColorNo(S().currentLayer);
    rgb = no > 0 ? S().colors->GetColorRef(no) : 0;
}

void Draw2dDocument::GetCurrentLineWidth(short& nLineWidthNo, double& dWidth) const
{
    nLineWidthNo = S().currentLineWidth;
    short no = nLineWidthNo;
    if (no == 0)
        no = S().layers->GetLayerLineWidthNo(S().currentLayer);
    dWidth = no > 0 ? S().lineWidths->GetLineWidth(no) : 0.0;
}

// ---------------------------------------------------------------------------------------------------------
// Spatial index

void Draw2dDocument::NoteRecordChange(long nRecordID, long nOldDrawingID, long nNewDrawingID, bool bLive)
{
    m_records[static_cast<size_t>(nRecordID)].nStamp = ++m_nLastStamp;
    if (m_indices.empty())
        return;
    auto old = m_indices.find(nOldDrawingID);
    if (old != m_indices.end())
        old->second->stale.insert(nRecordID);
    if (!bLive)
        return;
    auto now = m_indices.find(nNewDrawingID);
    if (now != m_indices.end()) {
        now->second->stale.insert(nRecordID);
        now->second->pending.push_back(nRecordID);
    }
}

unsigned long long Draw2dDocument::GetFeatureStamp(long nRecordID) const
{
    if (nRecordID < 0 || static_cast<size_t>(nRecordID) >= m_records.size())
        return 0;
    return m_records[static_cast<size_t>(nRecordID)].nStamp;
}

int Draw2dDocument::GetFeaturesInBox(const DrawingFeatureBase* pDrawing, const RuVaBndBox2d& box,
                                     std::vector<long>& ids) const
{
    ids.clear();
    if (pDrawing == nullptr || box.IsVoid() || !IsDrawingFeatureExists(pDrawing))
        return 0;
    const long drawing = pDrawing->GetDrawingID();
    std::unique_ptr<DrawingIndex>& slot = m_indices[drawing];
    if (!slot)
        slot = std::make_unique<DrawingIndex>();
    DrawingIndex& index = *slot;
    const size_t changes = index.stale.size() + index.pending.size();
    if (index.tree.GetSize() == 0 && index.stale.empty() && index.pending.empty()) {
        // Never built (or an empty drawing, which is cheap to build again).
        index.stale.insert(-1);
    }
    if (!index.stale.empty() && changes + 1 > std::max<size_t>(4096, index.tree.GetSize() / 8)) {
        index.stale.insert(-1);
    }
    if (index.stale.count(-1)) {
        std::vector<FeatureSpatialIndex::Entry> entries;
        std::vector<FeatureSpatialIndex::Unbounded> unbounded;
        entries.reserve(static_cast<size_t>(pDrawing->GetFeatureCount()));
        for (long id = GetNextFeatureRecordID(pDrawing, -1, 0); id != -1; id = GetNextFeatureRecordID(pDrawing, id, 0)) {
            FeatureSpatialIndex::Entry e;
            bool bUnbounded = false;
            const RuVaBndBox2d b = ResolveBox(*m_records[static_cast<size_t>(id)].pFeature);
            if (!FeatureSpatialIndex::MakeEntry(id, b, e, bUnbounded))
                continue;
            if (bUnbounded)
                unbounded.push_back({b, static_cast<LONG>(id)});
            else
                entries.push_back(e);
        }
        index.tree.Build(std::move(entries), std::move(unbounded));
        index.stale.clear();
        index.pending.clear();
    }
    const double x0 = box.XMin(), y0 = box.YMin(), x1 = box.XMax(), y1 = box.YMax();
    index.tree.Query(x0, y0, x1, y1, [&](long id) {
        if (!index.stale.count(id))
            ids.push_back(id);
    });
    if (!index.pending.empty()) {
        std::unordered_set<long> seen;
        for (long id : index.pending) {
            const Record& r = m_records[static_cast<size_t>(id)];
            if (r.pFeature == nullptr || r.nDrawingID != drawing || !seen.insert(id).second)
                continue;
            const RuVaBndBox2d b = ResolveBox(*r.pFeature);
            if (!b.IsVoid() && !b.IsOut(box))
                ids.push_back(id);
        }
    }
    return static_cast<int>(ids.size());
}

RuVaBndBox2d Draw2dDocument::ResolveBox(const Feature2dBase& feature, int nDepth) const
{
    // Definitions nest; a damaged document could make them loop.
    if (nDepth > 16)
        return feature.GetBndBox();
    if (feature.GetFeatureType() == FeatureTypeDrawGroup) {
        const auto& g = static_cast<const DrawGroup2dFeature&>(feature);
        RuVaBndBox2d box;
        for (int i = 0; i < g.GetFeatureCount(); ++i)
            if (const Feature2dBase* m = g.GetFeature(i))
                box.Add(ResolveBox(*m, nDepth + 1));
        return box.IsVoid() ? feature.GetBndBox() : box;
    }
    if (feature.GetFeatureType() != FeatureTypeDrawComponent)
        return feature.GetBndBox();
    const auto& c = static_cast<const DrawComponent2dFeature&>(feature);
    const DrawComponent2dFeatureDefine* def = S().components->GetComponentDefine(c.GetComponentDefineID());
    if (def == nullptr)
        return feature.GetBndBox();
    RuVaBndBox2d local;
    for (long rid : def->GetRecordIdData())
        if (const Feature2dBase* f = m_records[static_cast<size_t>(rid)].pFeature)
            local.Add(ResolveBox(*f, nDepth + 1));
    if (local.IsVoid())
        return feature.GetBndBox();
    double sx = 1.0, sy = 1.0;
    c.GetScale(sx, sy);
    const double a = c.GetAngle() * M_PI / 180.0, cs = std::cos(a), sn = std::sin(a);
    const RuVaGTrsf2d place(sx * cs, -sy * sn, c.GetOrigin().X(), sx * sn, sy * cs, c.GetOrigin().Y());
    return local.Transformed(place);
}

void Draw2dDocument::Resolve(const Feature2dBase& feature, const RuVaGTrsf2d* pPlace, double dSizeScale,
                             int nParentType, int nDepth, ResolvedFeature2dList& out) const
{
    if (nDepth > 16)
        return;
    if (feature.GetFeatureType() == FeatureTypeDrawGroup) {
        const auto& g = static_cast<const DrawGroup2dFeature&>(feature);
        for (int i = 0; i < g.GetFeatureCount(); ++i)
            if (const Feature2dBase* m = g.GetFeature(i))
                Resolve(*m, pPlace, dSizeScale, nParentType, nDepth + 1, out);
        return;
    }
    if (feature.GetFeatureType() == FeatureTypeDrawComponent) {
        const auto& c = static_cast<const DrawComponent2dFeature&>(feature);
        const DrawComponent2dFeatureDefine* def = S().components->GetComponentDefine(c.GetComponentDefineID());
        if (def == nullptr)
            return;
        double sx = 1.0, sy = 1.0;
        c.GetScale(sx, sy);
        const double a = c.GetAngle() * M_PI / 180.0, cs = std::cos(a), sn = std::sin(a);
        RuVaGTrsf2d place(sx * cs, -sy * sn, c.GetOrigin().X(), sx * sn, sy * cs, c.GetOrigin().Y());
        if (pPlace != nullptr)
            place.PreMultiply(*pPlace);
        const double scale = dSizeScale * std::fabs(sx);
        for (long rid : def->GetRecordIdData())
            if (const Feature2dBase* f = m_records[static_cast<size_t>(rid)].pFeature)
                Resolve(*f, &place, scale, nParentType, nDepth + 1, out);
        return;
    }
    Feature2dBase* copy = feature.CopyObject(Feature2dBase::copyAll);
    if (copy == nullptr)
        return;
    if (pPlace != nullptr && !copy->TransformGeometry(*pPlace, dSizeScale)) {
        // A shape that cannot take an unequal scale keeps its place only.
        delete copy;
        return;
    }
    out.AddResolvedFeature(copy, nParentType);
}

const ResolvedFeature2dList* Draw2dDocument::GetResolveData(long nRecordID, std::vector<RuVaBndBox2d>* pBoxes,
                                                            std::vector<KcArrayOfGePnt2d>* pPoints) const
{
    if (pBoxes)
        pBoxes->clear();
    if (pPoints)
        pPoints->clear();
    const Feature2dBase* f = GetFeature(nRecordID);
    if (f == nullptr ||
        (f->GetFeatureType() != FeatureTypeDrawGroup && f->GetFeatureType() != FeatureTypeDrawComponent))
        return nullptr;
    auto list = std::make_unique<ResolvedFeature2dList>();
    Resolve(*f, nullptr, 1.0, f->GetFeatureType(), 0, *list);
    if (list->GetFeatureSize() == 0)
        return nullptr;
    for (int i = 0; i < list->GetFeatureSize(); ++i) {
        if (pBoxes)
            pBoxes->push_back(list->GetFeature(i)->GetBndBox());
        if (pPoints) {
            KcArrayOfGePnt2d points;
            list->GetFeature(i)->GetOutlinePoints(points);
            pPoints->push_back(points);
        }
    }
    m_pResolved = std::move(list);
    return m_pResolved.get();
}

int Draw2dDocument::GetFeatureRecordListInDisplayOrder(long nDrawingID, std::vector<DisplayOrderList>& lists,
                                                       void*, int nThroughLayouts, int nDisplayedOnly, int) const
{
    lists.clear();
    const DrawingFeatureBase* d = FindDrawing(nDrawingID);
    if (d == nullptr)
        return 0;
    // What the drawing shows: itself, then the drawings laid out on it.
    std::vector<std::pair<const DrawingFeatureBase*, long>> sources{{d, d->GetSelfPartLayoutID()}};
    if (nThroughLayouts)
        for (int i = 0; i < d->GetPartLayoutCount(); ++i) {
            const PartDrawingLayout* l = d->GetPartLayout(i);
            if (const DrawingFeatureBase* shown = FindDrawing(l->GetDrawingID()))
                if (!nDisplayedOnly || IsDisplayDrawingFeature(shown))
                    sources.emplace_back(shown, l->GetLayoutID());
        }
    CArray<long, long> order;
    S().layers->GetDisplayOrderList(order);
    std::unordered_map<long, size_t> slot;  // layer id -> list index; unknown layers share list 0
    lists.emplace_back();
    lists[0].nLayerID = -1;
    for (INT_PTR i = 0; i < order.GetSize(); ++i) {
        if (S().layers->IsGroup(order[i]))
            continue;
        slot.emplace(order[i], lists.size());
        lists.emplace_back();
        lists.back().nLayerID = order[i];
    }
    int n = 0;
    for (const auto& [drawing, layout] : sources) {
        for (long id = GetNextFeatureRecordID(drawing, -1, 0); id != -1; id = GetNextFeatureRecordID(drawing, id, 0)) {
            const long layer = m_records[static_cast<size_t>(id)].pFeature->GetLayerID();
            auto it = slot.find(layer);
            if (nDisplayedOnly && it != slot.end() && !IsDisplayLayerID(layer))
                continue;
            DisplayOrderList& list = lists[it == slot.end() ? 0 : it->second];
            list.recordIDs.push_back(id);
            list.layoutIDs.push_back(layout);
            ++n;
        }
    }
    lists.erase(std::remove_if(lists.begin(), lists.end(),
                               [](const DisplayOrderList& l) { return l.recordIDs.empty(); }),
                lists.end());
    return n;
}

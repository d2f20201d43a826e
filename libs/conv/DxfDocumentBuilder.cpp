#include "libs/conv/DxfDocumentBuilder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadColor.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TextSettingStyles.h"
#include "platform/ole/CodePageText.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kSaturated = INT64_MAX / 4;

int64_t SatAdd(int64_t a, int64_t b)
{
    return (a > kSaturated - b) ? kSaturated : a + b;
}

int64_t SatMul(int64_t a, int64_t b)
{
    if (a == 0 || b == 0)
        return 0;
    return (a > kSaturated / b) ? kSaturated : a * b;
}

double UnitOf(int nInsUnits)
{
    switch (nInsUnits) {
    case 1: return 25.4;      // inch
    case 2: return 304.8;     // foot
    case 3: return 1609344.0; // mile
    case 4: return 1.0;       // millimetre
    case 5: return 10.0;      // centimetre
    case 6: return 1000.0;    // metre
    case 7: return 1000000.0; // kilometre
    case 8: return 25.4e-6;   // microinch
    case 9: return 0.0254;    // mil
    case 10: return 914.4;    // yard
    case 14: return 100.0;    // decimetre
    default: return 1.0;      // unitless and the rest: as millimetres
    }
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool Finite(double v)
{
    return std::isfinite(v) && std::fabs(v) < 1e15;
}

// Angles in degrees brought into [0, 360).
double NormDeg(double a)
{
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

// The stretch from a to b of a polyline: a line, or the arc its bulge (tan of a quarter of the included
// angle, positive counter-clockwise) gives; nullptr for a stretch of no length.
Feature2dBase* BulgeSegment(const RuVaPnt2d& a, const RuVaPnt2d& b, double bulge)
{
    const double chord = a.Distance(b);
    if (chord < 1e-7)
        return nullptr;
    if (std::fabs(bulge) < 1e-12)
        return new Line2dFeature(a, b);
    const double theta = 4.0 * std::atan(std::fabs(bulge));
    const double r = chord / (2.0 * std::sin(theta / 2.0));
    if (!Circle2dFeature::IsValidRadius(r))
        return nullptr;
    const double mx = (a.X() + b.X()) / 2, my = (a.Y() + b.Y()) / 2;
    const double h = r * std::cos(theta / 2.0);  // centre distance from the chord's middle
    const double ux = (b.X() - a.X()) / chord, uy = (b.Y() - a.Y()) / chord;
    // Left normal for a counter-clockwise arc under half a turn; the centre moves across past it.
    const double sign = bulge > 0 ? 1.0 : -1.0;
    const RuVaPnt2d c(mx - sign * uy * h, my + sign * ux * h);
    const double sa = std::atan2(a.Y() - c.Y(), a.X() - c.X()) * 180.0 / kPi;
    const double ea = std::atan2(b.Y() - c.Y(), b.X() - c.X()) * 180.0 / kPi;
    return new Arc2dFeature(c, r, NormDeg(sa), NormDeg(ea),
                            bulge > 0 ? Arc2dFeature::CounterClockwise : Arc2dFeature::Clockwise);
}

}  // namespace

DxfDocumentBuilder::DxfDocumentBuilder(Draw2dDocument* pDocument, ACadConvSetting* pSetting)
    : m_pDoc(pDocument), m_pSetting(pSetting)
{
}

DxfDocumentBuilder::~DxfDocumentBuilder()
{
    for (Placement& p : m_placements)
        delete p.pFeature;
}

// ---------------------------------------------------------------------------------------------
// Header

void DxfDocumentBuilder::setVariableString(const std::string& key, const std::string& value, int)
{
    if (key == "$ACADVER") {
        // Texts of files before AC1021 are in the file's code page, later ones in UTF-8.
        m_bOldVersion = value < "AC1021";
        if (!m_bOldVersion)
            m_nCodePage = 0;
    } else if (key == "$DWGCODEPAGE" && m_bOldVersion) {
        const std::string v = Upper(value);
        const size_t us = v.rfind('_');
        if (us != std::string::npos) {
            const unsigned cp = static_cast<unsigned>(std::strtoul(v.c_str() + us + 1, nullptr, 10));
            if (cp != 0 && CodePageText::IsSupported(cp))
                m_nCodePage = cp;
        }
    }
}

void DxfDocumentBuilder::setVariableInt(const std::string& key, int value, int)
{
    if (key == "$INSUNITS")
        m_dUnit = UnitOf(value);
    else if (key == "$TILEMODE")
        m_nTileMode = value;
    else if (key == "$LUNITS" && value >= 1 && value <= 5)
        m_pDoc->SetLengthUnitFormatType(value - 1, 0);
    else if (key == "$AUNITS" && value >= 0 && value <= 3)
        m_pDoc->SetAngleUnitFormatType(value, 0);
}

void DxfDocumentBuilder::setVariableDouble(const std::string&, double, int) {}

// ---------------------------------------------------------------------------------------------
// Text

CString DxfDocumentBuilder::DecodeText(const std::string& text) const
{
    // Specials first, on the raw bytes (they are plain ASCII in every code page).
    std::string s;
    s.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            const char c = static_cast<char>(text[i + 2] | 0x20);
            const char* rep = c == 'c' ? "\xC3\x98" : c == 'd' ? "\xC2\xB0" : c == 'p' ? "\xC2\xB1" : nullptr;
            if (rep != nullptr) {
                if (m_nCodePage != 0) {
                    // Keep the marker for now; it is replaced after decoding.
                    s += c == 'c' ? '\x01' : c == 'd' ? '\x02' : '\x03';
                } else {
                    s += rep;
                }
                i += 2;
                continue;
            }
        }
        s += text[i];
    }
    CString decoded = m_nCodePage != 0
                          ? CodePageText::Decode(reinterpret_cast<const BYTE*>(s.data()), s.size(), m_nCodePage)
                          : CString(s.c_str());
    std::u16string u;
    const CString& d = decoded;
    for (int i = 0; i < d.GetLength(); ++i)
        u += static_cast<char16_t>(d[i]);
    // \U+XXXX escapes and the markers.
    std::u16string out;
    for (size_t i = 0; i < u.size(); ++i) {
        if (u[i] == u'\\' && i + 6 < u.size() + 0 && (u[i + 1] == u'U' || u[i + 1] == u'u') && u[i + 2] == u'+') {
            unsigned v = 0;
            bool ok = true;
            for (int k = 0; k < 4; ++k) {
                const char16_t h = u[i + 3 + k];
                v <<= 4;
                if (h >= u'0' && h <= u'9') v |= h - u'0';
                else if (h >= u'a' && h <= u'f') v |= h - u'a' + 10;
                else if (h >= u'A' && h <= u'F') v |= h - u'A' + 10;
                else ok = false;
            }
            if (ok) {
                out += static_cast<char16_t>(v);
                i += 6;
                continue;
            }
        }
        if (u[i] == 1) out += u'\u00D8';
        else if (u[i] == 2) out += u'\u00B0';
        else if (u[i] == 3) out += u'\u00B1';
        else out += u[i];
    }
    CString result;
    for (char16_t c : out)
        result += static_cast<TCHAR>(c);
    return result;
}

std::string DxfDocumentBuilder::StripMText(const std::string& t)
{
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '{' || c == '}')
            continue;
        if (c != '\\' || i + 1 >= t.size()) {
            out += c;
            continue;
        }
        const char k = t[i + 1];
        switch (k) {
        case 'P': case 'n':
            out += '\n';
            ++i;
            break;
        case '\\': case '{': case '}':
            out += k;
            ++i;
            break;
        case '~':
            out += ' ';
            ++i;
            break;
        case 'U': case 'u': case 'M': case 'm':
            // Left for DecodeText (\U+) or kept as written.
            out += c;
            break;
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k':
            ++i;  // switches without a value
            break;
        case 'S': {
            // Stacked text a^b, a/b, a#b: shown as a/b.
            const size_t end = t.find(';', i + 2);
            const std::string body = t.substr(i + 2, end == std::string::npos ? std::string::npos : end - i - 2);
            for (char b : body)
                out += (b == '^' || b == '#') ? '/' : b;
            i = end == std::string::npos ? t.size() : end;
            break;
        }
        default: {
            // \f...; \H...; \C...; \T...; \Q...; \W...; \A...; \p...; carry a value up to ';'.
            const size_t end = t.find(';', i + 2);
            i = end == std::string::npos ? t.size() : end;
            break;
        }
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Tables and blocks

void DxfDocumentBuilder::addLinetypeDash(double length)
{
    if (m_linetypeDashes.size() < 256)
        m_linetypeDashes.push_back(length);
}

void DxfDocumentBuilder::addLinetype(const DL_LinetypeData& data)
{
    std::vector<double> dashes = std::move(m_linetypeDashes);
    m_linetypeDashes.clear();
    if (m_nError != 0 || data.name.empty())
        return;
    const short no = LineTypeOfDashes(DecodeText(data.name), dashes);
    if (no >= 0)
        m_lineTypeNos[Upper(data.name)] = no;
}

short DxfDocumentBuilder::LineTypeOfDashes(const CString& name, const std::vector<double>& dashes)
{
    // The file's dashes (drawn positive, gaps negative, 0 a dot) as our alternating drawn and gap lengths,
    // each above 0 and starting with a drawn one; a dot becomes a short dash.
    constexpr double kDotLength = 0.2;
    std::vector<std::pair<bool, double>> runs;  // drawn?, length
    for (double dash : dashes) {
        if (!std::isfinite(dash))
            continue;
        const bool drawn = dash >= 0;
        const double length = std::fabs(dash) * m_dUnit;
        const double kept = length > 1e-9 ? length : (drawn ? kDotLength : 0.0);
        if (kept <= 0)
            continue;
        if (!runs.empty() && runs.back().first == drawn)
            runs.back().second += kept;
        else
            runs.emplace_back(drawn, kept);
    }
    // A pattern that starts with a gap is turned round so that it starts drawn.
    if (!runs.empty() && !runs.front().first) {
        const std::pair<bool, double> gap = runs.front();
        runs.erase(runs.begin());
        if (!runs.empty() && !runs.back().first)
            runs.back().second += gap.second;
        else
            runs.push_back(gap);
    }
    // Ending drawn, the last stretch runs on into the first.
    if (runs.size() > 1 && runs.back().first) {
        runs.front().second += runs.back().second;
        runs.pop_back();
    }
    std::vector<double> segments;
    for (const auto& run : runs)
        segments.push_back(run.second);
    if (segments.size() > 10)
        segments.resize(10);
    if (segments.size() < 2)
        return 1;  // continuous
    const LineTypeFeatureTable* pTable = m_pDoc->GetLineTypeFeatureTable();
    if (pTable == nullptr)
        return -1;
    LineTypeFeatureTable table = *pTable;
    short no = table.GetLineTypeNoByName(name);
    if (no >= 0 && no < LineTypeFeatureTable::kFirstUserNo)
        return no;  // one of the fixed line types has this name
    if (no < 0) {
        no = LineTypeFeatureTable::kFirstUserNo;
        for (int i = 0; i < table.GetLineTypeSize(); ++i)
            if (const LineTypeFeature* p = table.GetAt(i))
                no = std::max<short>(no, static_cast<short>(p->GetLineTypeNo() + 1));
        if (no > LineTypeFeatureTable::kLastUserNo)
            return -1;
    }
    LineTypeFeature lineType;
    if (!lineType.SetLineType(no, name, segments.data(), static_cast<int>(segments.size())) ||
        !table.SetLineType(lineType))
        return -1;
    m_pDoc->SetLineTypeFeatureTable(table, 0);
    return no;
}

short DxfDocumentBuilder::LineTypeNo(const std::string& name) const
{
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
    if (key.empty() || key == "BYLAYER")
        return 0;
    if (key == "CONTINUOUS")
        return 1;
    const auto it = m_lineTypeNos.find(key);
    return it != m_lineTypeNos.end() ? it->second : -1;
}

void DxfDocumentBuilder::addLayer(const DL_LayerData& data)
{
    if (m_nError != 0 || data.name.empty())
        return;
    const DL_Attributes a = attributes;
    Layer& layer = m_layers[data.name];
    layer.nColor = a.getColor();
    layer.nWeight = a.getWidth();
    layer.lineType = a.getLinetype();
    if (layer.nID < 0) {
        layer.nID = m_pDoc->AddLayer(-1, DecodeText(data.name), 0);
        if (layer.nID < 0)
            layer.nID = m_pDoc->AddLayer(-1, nullptr, 0);
    }
    if (layer.nID < 0)
        return;
    const int aci = std::abs(layer.nColor);
    m_pDoc->SetLayerColorNo(layer.nID, ColorNo(aci == 0 ? 7 : aci, a.getColor24()), 0);
    const short w = WidthNo(layer.nWeight);
    if (w > 0)
        m_pDoc->SetLayerLineWidthNo(layer.nID, w, 0);
    const short lineType = LineTypeNo(layer.lineType);
    if (lineType > 0)
        m_pDoc->SetLayerLineTypeNo(layer.nID, lineType, 0);
    // Off (negative colour) or frozen (flag 1): not shown; locked (flag 4): shown, not editable.
    const int state = (layer.nColor < 0 || (data.flags & 1) != 0) ? 2 : (data.flags & 4) != 0 ? 1 : 0;
    m_pDoc->SetLayerState(layer.nID, state, 0);
}

long DxfDocumentBuilder::LayerID(const std::string& name)
{
    auto it = m_layers.find(name);
    if (it != m_layers.end() && it->second.nID >= 0)
        return it->second.nID;
    // A layer used without a table entry is made with the defaults.
    Layer& layer = m_layers[name];
    layer.nID = m_pDoc->AddLayer(-1, DecodeText(name.empty() ? std::string("0") : name), 0);
    if (layer.nID >= 0)
        m_pDoc->SetLayerColorNo(layer.nID, ColorNo(7, -1), 0);
    return layer.nID;
}

DxfDocumentBuilder::Block& DxfDocumentBuilder::BlockNamed(const std::string& name)
{
    return m_blocks[name];
}

long DxfDocumentBuilder::ComponentIDFor(const std::string& name)
{
    Block& b = BlockNamed(name);
    if (b.nComponentID >= 0)
        return b.nComponentID;
    if (static_cast<long>(m_blocks.size()) > kMaxBlocks) {
        Fail(-4);
        return -1;
    }
    DrawComponent2dFeatureDefine def;
    CString compName = DecodeText(name);
    if (m_pSetting != nullptr && m_pSetting->m_nBlockNameWithFileName && !m_strFilePrefix.IsEmpty())
        compName = m_strFilePrefix + _T("_") + compName;
    if (!def.SetComponentName(compName))
        def.SetComponentName(_T("Block"));
    b.nComponentID = m_pDoc->AddDrawComponentDefine(def);
    for (int n = 2; b.nComponentID < 0 && n < 1000; ++n) {
        CString alt;
        alt.Format(_T("%s (%d)"), static_cast<LPCTSTR>(def.GetComponentName()), n);
        DrawComponent2dFeatureDefine other;
        other.SetComponentName(alt);
        b.nComponentID = m_pDoc->AddDrawComponentDefine(other);
    }
    return b.nComponentID;
}

void DxfDocumentBuilder::addBlock(const DL_BlockData& data)
{
    if (m_nError != 0)
        return;
    const std::string up = Upper(data.name);
    // The model and paper spaces' own blocks hold the entities of their layouts, which the entity
    // section repeats for the active one: their entities are not read twice.
    if (up.rfind("*MODEL_SPACE", 0) == 0 || up.rfind("*PAPER_SPACE", 0) == 0) {
        m_bSkipBlock = true;
        m_currentBlock.clear();
        // The block of a layout other than the active one: a paper of its own (named and sized once the
        // layouts are read).
        if (up.size() > 12 && up.rfind("*PAPER_SPACE", 0) == 0 && ReadsPaperSpace() && m_layoutPapers.count(up) == 0 &&
            m_layoutPapers.size() < 255) {
            const long id = m_pDoc->AddPaperFeature(nullptr);
            if (id >= 0) {
                m_layoutPapers[up] = id;
                m_nLayoutPaper = id;
                m_bSkipBlock = false;
            }
        }
        return;
    }
    m_bSkipBlock = false;
    Block& b = BlockNamed(data.name);
    if (b.bDefined) {
        Fail(-3);  // the same block twice
        return;
    }
    b.bDefined = true;
    m_currentBlock = data.name;
    m_blockBase = RuVaPnt2d(data.bpx, data.bpy);
    if (!Finite(data.bpx) || !Finite(data.bpy))
        m_blockBase = RuVaPnt2d(0, 0);
    ComponentIDFor(data.name);
}

void DxfDocumentBuilder::endBlock()
{
    m_nLayoutPaper = -1;
    if (!m_currentBlock.empty())
        BlockNamed(m_currentBlock).bEnded = true;
    m_currentBlock.clear();
    m_bSkipBlock = false;
}

bool DxfDocumentBuilder::Skip() const
{
    if (m_nError != 0 || m_bSkipBlock)
        return true;
    // Paper-space entities go on the paper when the setting reads more than the model space.
    if (OnPaper() && !ReadsPaperSpace())
        return true;
    return false;
}

bool DxfDocumentBuilder::Readable(bool& bMirror)
{
    bMirror = false;
    if (Skip())
        return false;
    if (!PlaneIsFlat(bMirror)) {
        ++m_nLeftOut;
        return false;
    }
    return true;
}

bool DxfDocumentBuilder::ReadsPaperSpace() const
{
    return m_pSetting == nullptr || m_pSetting->m_nModelSpaceOnlyRead == 0;
}

bool DxfDocumentBuilder::OnPaper() const
{
    return m_currentBlock.empty() && attributes.isInPaperSpace();
}

DrawingFeatureBase* DxfDocumentBuilder::Target()
{
    if (m_nLayoutPaper >= 0 && m_currentBlock.empty())
        return m_pDoc->GetDrawingFeatureByID(m_nLayoutPaper);
    if (!m_currentBlock.empty()) {
        const long id = BlockNamed(m_currentBlock).nComponentID;
        if (id < 0)
            return nullptr;
        DrawComponent2dFeatureDefine* def = m_pDoc->GetComponentDefineTable()->GetComponentDefine(id);
        return def;
    }
    if (OnPaper())
        return m_pDoc->GetPaperFeature(0);
    if (m_nModelID < 0) {
        m_nModelID = m_pDoc->AddPartDrawingFeature(_T("Model"));
        if (m_nModelID < 0)
            m_nModelID = m_pDoc->AddPartDrawingFeature(nullptr);
    }
    return m_pDoc->GetDrawingFeatureByID(m_nModelID);
}

// ---------------------------------------------------------------------------------------------
// Attributes

short DxfDocumentBuilder::ColorNo(int nAci, int nTrueColor)
{
    const ColorFeatureTable* table = m_pDoc->GetColorFeatureTable();
    const bool whiteToBlack = m_pSetting == nullptr || m_pSetting->m_nWhiteIsChagedQZBlack != 0;
    COLORREF rgb;
    if (nTrueColor >= 0) {
        rgb = RGB((nTrueColor >> 16) & 255, (nTrueColor >> 8) & 255, nTrueColor & 255);
        if (rgb == RGB(255, 255, 255) && whiteToBlack)
            rgb = RGB(0, 0, 0);
    } else {
        // Colour 7 is drawn black on our white paper.
        if (nAci == 7 || nAci <= 0 || nAci > 255)
            return AcadColor::NearestFixedColorNo(RGB(0, 0, 0), table);
        return AcadColor::NearestFixedColorNo(AcadColor::GetAciRgb(nAci), table);
    }
    if (table == nullptr)
        return 1;
    const short exact = table->FindColorNumberByRef(rgb);
    if (exact > 0)
        return exact;
    auto it = m_userColors.find(static_cast<long>(rgb));
    if (it != m_userColors.end())
        return static_cast<short>(it->second);
    if (m_nNextUserColor <= ColorFeatureTable::kColorCount) {
        ColorFeatureTable changed = *table;
        const short no = m_nNextUserColor++;
        if (changed.SetColor(no, rgb)) {
            m_pDoc->SetColorFeatureTable(changed, 0);
            m_userColors[static_cast<long>(rgb)] = no;
            return no;
        }
    }
    return AcadColor::NearestColorNo(rgb, m_pDoc->GetColorFeatureTable());
}

short DxfDocumentBuilder::WidthNo(int nWeight)
{
    const LineWidthFeatureTable* table = m_pDoc->GetLineWidthFeatureTable();
    if (table == nullptr || nWeight == -1 || nWeight == -2)
        return 0;  // by layer / by block
    double mm = nWeight >= 0 ? nWeight / 100.0 : (m_pSetting != nullptr ? m_pSetting->m_dDefLineWidth : 0.25);
    short best = 0;
    double bestDiff = 1e300;
    for (short no = 1; no < table->GetLineWidthSize(); ++no) {
        const double d = std::fabs(table->GetLineWidth(no) - mm);
        if (table->GetLineWidth(no) > 0 && d < bestDiff) {
            bestDiff = d;
            best = no;
        }
    }
    if (bestDiff < 1e-9) {
        if (best >= 10)
            m_claimedWidths.insert(best);  // kept as it is for the file
        return best;
    }
    // A weight no width has takes a user width (10-15) that the file has not claimed yet; once all six are
    // taken, the nearest width.
    if (!(mm > 0))
        return best;
    for (short no = 10; no <= 15; ++no) {
        if (m_claimedWidths.count(no) != 0)
            continue;
        LineWidthFeatureTable changed = *table;
        if (changed.SetLineWidth(no, mm)) {
            m_pDoc->SetLineWidthFeatureTable(changed, 0);
            m_claimedWidths.insert(no);
            return no;
        }
    }
    return best;
}

void DxfDocumentBuilder::ApplyAttributes(Feature2dBase& f)
{
    const DL_Attributes a = attributes;
    f.SetLayerID(LayerID(a.getLayer()));
    const int aci = a.getColor();
    if (a.getColor24() >= 0)
        f.SetColorNo(ColorNo(aci, a.getColor24()));
    else if (aci == 256 || aci < 0)
        f.SetColorNo(0);
    else
        f.SetColorNo(ColorNo(aci == 0 ? 7 : aci, -1));  // by block: drawn as the block's default
    const short w = WidthNo(a.getWidth());
    f.SetLineWidthNo(w);
    const short lineType = LineTypeNo(a.getLinetype());
    if (lineType >= 0)
        f.SetLineTypeNo(lineType);
}

void DxfDocumentBuilder::Store(Feature2dBase* pFeature)
{
    if (pFeature == nullptr)
        return;
    if (!pFeature->IsValid()) {
        delete pFeature;
        return;
    }
    if (++m_nShapes > kMaxShapes) {
        delete pFeature;
        Fail(-4);
        return;
    }
    ApplyAttributes(*pFeature);
    DrawingFeatureBase* pDrawing = Target();
    if (pDrawing != nullptr) {
        if (m_currentBlock.empty())
            m_nTopPieces = SatAdd(m_nTopPieces, 1);
        else {
            Block& b = BlockNamed(m_currentBlock);
            b.nOwnShapes++;
            b.nRunning = SatAdd(b.nRunning, 1);
        }
        m_pDoc->AddFeature(pFeature, pDrawing, 0);
    }
    delete pFeature;
}

bool DxfDocumentBuilder::PlaneIsFlat(bool& bMirror) const
{
    bMirror = false;
    const DL_Extrusion* e = extrusion;
    if (e == nullptr)
        return true;
    const double* d = e->getDirection();
    if (d == nullptr)
        return true;
    if (std::fabs(d[0]) < 1e-9 && std::fabs(d[1]) < 1e-9) {
        bMirror = d[2] < 0;
        return d[2] != 0;
    }
    return false;
}

RuVaPnt2d DxfDocumentBuilder::ToWorld(double x, double y, bool bMirror) const
{
    // Seen from below, the plane's X axis points the other way (the arbitrary-axis rule for -Z).
    if (bMirror)
        x = -x;
    if (!m_currentBlock.empty()) {
        x -= m_blockBase.X();
        y -= m_blockBase.Y();
    }
    return RuVaPnt2d(x * m_dUnit, y * m_dUnit);
}

// ---------------------------------------------------------------------------------------------
// Entities

void DxfDocumentBuilder::addPoint(const DL_PointData& d)
{
    if (Skip())
        return;
    Store(new PointMarker2dFeature(ToWorld(d.x, d.y)));
}

void DxfDocumentBuilder::addLine(const DL_LineData& d)
{
    if (Skip())
        return;
    const RuVaPnt2d a = ToWorld(d.x1, d.y1), b = ToWorld(d.x2, d.y2);
    if (a.Distance(b) < 1e-7)
        return;
    Store(new Line2dFeature(a, b));
}

void DxfDocumentBuilder::addXLine(const DL_XLineData& d)
{
    if (Skip())
        return;
    if (std::hypot(d.dx, d.dy) < 1e-12)
        return;
    Store(new InfiniteLine2dFeature(ToWorld(d.bx, d.by), RuVaDir2d(d.dx, d.dy)));
}

void DxfDocumentBuilder::addRay(const DL_RayData& d)
{
    if (Skip())
        return;
    if (std::hypot(d.dx, d.dy) < 1e-12)
        return;
    Store(new SemiInfiniteLine2dFeature(ToWorld(d.bx, d.by), RuVaDir2d(d.dx, d.dy)));
}

void DxfDocumentBuilder::addCircle(const DL_CircleData& d)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    const double r = ToLength(d.radius);
    if (!Circle2dFeature::IsValidRadius(r))
        return;
    Store(new Circle2dFeature(ToWorld(d.cx, d.cy, mirror), r));
}

void DxfDocumentBuilder::addArc(const DL_ArcData& d)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    const double r = ToLength(d.radius);
    if (!Circle2dFeature::IsValidRadius(r) || !Finite(d.angle1) || !Finite(d.angle2))
        return;
    double a1 = d.angle1, a2 = d.angle2;
    if (mirror) {
        // Mirrored in X: counter-clockwise from a1 to a2 becomes counter-clockwise from 180-a2 to 180-a1.
        const double m1 = 180.0 - a2, m2 = 180.0 - a1;
        a1 = m1;
        a2 = m2;
    }
    Store(new Arc2dFeature(ToWorld(d.cx, d.cy, mirror), r, NormDeg(a1), NormDeg(a2), Arc2dFeature::CounterClockwise));
}

void DxfDocumentBuilder::addEllipse(const DL_EllipseData& d)
{
    if (Skip())
        return;
    const double major = ToLength(std::hypot(d.mx, d.my));
    const double minor = major * d.ratio;
    if (!(major > 0) || !(minor > 0) || !Finite(major) || !Finite(d.angle1) || !Finite(d.angle2))
        return;
    const double rot = std::atan2(d.my, d.mx) * 180.0 / kPi;
    const RuVaPnt2d c = ToWorld(d.cx, d.cy);
    const double start = d.angle1 * 180.0 / kPi, end = d.angle2 * 180.0 / kPi;
    if (std::fabs(std::fabs(end - start) - 360.0) < 1e-9 || std::fabs(end - start) < 1e-12) {
        Store(new Ellipse2dFeature(c, major, minor, NormDeg(rot)));
        return;
    }
    Store(new EllipseArc2dFeature(c, major, minor, NormDeg(rot), NormDeg(start), NormDeg(end),
                                  0));
}

void DxfDocumentBuilder::addPolyline(const DL_PolylineData& d)
{
    if (m_bInPolyline)
        FinishPolyline();
    m_vertices.clear();
    m_bInPolyline = !Skip();
    m_nPolylineFlags = d.flags;
    // 3D polylines and meshes (flags 8, 16, 64) are not plane figures.
    if ((d.flags & (8 | 16 | 64)) != 0) {
        if (m_bInPolyline)
            ++m_nLeftOut;
        m_bInPolyline = false;
    }
    m_bPolylineFlat = PlaneIsFlat(m_bPolylineMirror);
}

void DxfDocumentBuilder::addVertex(const DL_VertexData& d)
{
    if (!m_bInPolyline)
        return;
    if (!Finite(d.x) || !Finite(d.y) || !std::isfinite(d.bulge))
        return;
    if (static_cast<long>(m_vertices.size()) >= kMaxShapes) {
        Fail(-4);
        return;
    }
    m_vertices.push_back(d);
}

void DxfDocumentBuilder::FinishPolyline()
{
    if (!m_bInPolyline)
        return;
    m_bInPolyline = false;
    if (!m_bPolylineFlat) {
        ++m_nLeftOut;
        return;
    }
    std::vector<DL_VertexData> v = std::move(m_vertices);
    m_vertices.clear();
    const bool closed = (m_nPolylineFlags & 1) != 0;
    if (v.size() < 2)
        return;
    const bool mirror = m_bPolylineMirror;
    bool bulged = false;
    for (size_t i = 0; i < v.size(); ++i)
        if (std::fabs(v[i].bulge) > 1e-12 && (closed || i + 1 < v.size()))
            bulged = true;
    if (!bulged) {
        KcArrayOfGePnt2d pts;
        for (const DL_VertexData& p : v)
            pts.Add(ToWorld(p.x, p.y, mirror));
        Store(new Polyline2dFeature(pts, closed ? TRUE : FALSE));
        return;
    }
    // Bulges make arcs, which our polylines cannot hold: a group of lines and arcs in the vertex order.
    auto* group = new DrawGroup2dFeature;
    const size_t n = closed ? v.size() : v.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const DL_VertexData& p = v[i];
        const DL_VertexData& q = v[(i + 1) % v.size()];
        const RuVaPnt2d a = ToWorld(p.x, p.y, mirror), b = ToWorld(q.x, q.y, mirror);
        if (a.Distance(b) < 1e-7)
            continue;
        // Mirroring the plane turns the sense of every arc.
        if (Feature2dBase* pSegment = BulgeSegment(a, b, mirror ? -p.bulge : p.bulge))
            group->AddFeature(pSegment, 0);
    }
    if (group->GetFeatureCount() == 0) {
        delete group;
        return;
    }
    // Members take the polyline's attributes.
    for (int i = 0; i < group->GetFeatureCount(); ++i)
        ApplyAttributes(*group->GetFeature(i));
    Store(group);
}

void DxfDocumentBuilder::addSpline(const DL_SplineData& d)
{
    m_bInSpline = !Skip();
    m_nSplineDegree = static_cast<int>(d.degree);
    m_nSplineFlags = static_cast<int>(d.flags);
    m_controls.clear();
    m_fits.clear();
    m_knots.clear();
}

void DxfDocumentBuilder::addControlPoint(const DL_ControlPointData& d)
{
    if (m_bInSpline)
        m_controls.push_back(d);
}

void DxfDocumentBuilder::addFitPoint(const DL_FitPointData& d)
{
    if (m_bInSpline)
        m_fits.push_back(d);
}

void DxfDocumentBuilder::addKnot(const DL_KnotData& d)
{
    if (m_bInSpline)
        m_knots.push_back(d.k);
}

void DxfDocumentBuilder::FinishSpline()
{
    m_bInSpline = false;
    Store(SplineCurve(m_nSplineDegree, (m_nSplineFlags & 1) != 0, m_controls, m_fits, m_knots));
}

Feature2dBase* DxfDocumentBuilder::SplineCurve(int nDegree, bool closed, const std::vector<DL_ControlPointData>& controls,
                                               const std::vector<DL_FitPointData>& fits,
                                               const std::vector<double>& knots) const
{
    KcArrayOfGePnt2d pts;
    if (fits.size() >= 2) {
        for (const DL_FitPointData& p : fits)
            if (Finite(p.x) && Finite(p.y))
                pts.Add(ToWorld(p.x, p.y));
        if (pts.GetSize() >= 2)
            return new BSplineCurve2dFeature(pts, 1, std::clamp(nDegree, 1, 3), closed ? TRUE : FALSE);
        return nullptr;
    }
    if (controls.size() < 2)
        return nullptr;
    int degree = std::clamp(nDegree, 1, 25);
    if (static_cast<size_t>(degree) >= controls.size())
        degree = static_cast<int>(controls.size()) - 1;
    // Clamped uniform and without weights: the control points are ours as they stand.
    bool rational = false;
    for (const DL_ControlPointData& c : controls)
        if (std::fabs(c.w - 1.0) > 1e-12)
            rational = true;
    bool uniform = knots.size() == controls.size() + static_cast<size_t>(degree) + 1;
    if (uniform) {
        const size_t n = knots.size();
        for (int i = 0; i < degree; ++i)
            if (knots[i] != knots[0] || knots[n - 1 - i] != knots[n - 1])
                uniform = false;
        double step = -1.0;
        for (size_t i = degree; uniform && i + degree + 1 < n; ++i) {
            const double s = knots[i + 1] - knots[i];
            if (step < 0)
                step = s;
            else if (std::fabs(s - step) > 1e-9 * std::max(1.0, std::fabs(step)))
                uniform = false;
        }
    }
    if (uniform && !rational && degree <= 3) {
        for (const DL_ControlPointData& c : controls)
            pts.Add(ToWorld(c.x, c.y));
        return new BSplineCurve2dFeature(pts, 0, degree, closed ? TRUE : FALSE);
    }
    // Otherwise the curve is sampled (de Boor, rational) and a curve is fitted through the samples.
    if (knots.size() != controls.size() + static_cast<size_t>(degree) + 1)
        return nullptr;
    const int p = degree;
    const size_t nCtrl = controls.size();
    const double t0 = knots[p], t1 = knots[nCtrl];
    if (!(t1 > t0))
        return nullptr;
    const int samples = static_cast<int>(std::min<size_t>(2000, 8 * nCtrl + 8));
    std::vector<double> wx(p + 1), wy(p + 1), ww(p + 1);
    for (int s = 0; s <= samples; ++s) {
        const double t = t0 + (t1 - t0) * s / samples;
        size_t k = p;
        while (k + 1 < nCtrl && knots[k + 1] <= t)
            ++k;
        for (int j = 0; j <= p; ++j) {
            const DL_ControlPointData& c = controls[k - p + j];
            const double w = c.w > 0 ? c.w : 1.0;
            wx[j] = c.x * w;
            wy[j] = c.y * w;
            ww[j] = w;
        }
        for (int r = 1; r <= p; ++r)
            for (int j = p; j >= r; --j) {
                const double den = knots[k + 1 + j - r] - knots[k - p + j];
                const double alpha = den > 0 ? (t - knots[k - p + j]) / den : 0.0;
                wx[j] = (1 - alpha) * wx[j - 1] + alpha * wx[j];
                wy[j] = (1 - alpha) * wy[j - 1] + alpha * wy[j];
                ww[j] = (1 - alpha) * ww[j - 1] + alpha * ww[j];
            }
        if (ww[p] != 0 && std::isfinite(wx[p] / ww[p]) && std::isfinite(wy[p] / ww[p]))
            pts.Add(ToWorld(wx[p] / ww[p], wy[p] / ww[p]));
    }
    if (pts.GetSize() >= 2)
        return new BSplineCurve2dFeature(pts, 1, 3, FALSE);
    return nullptr;
}

void DxfDocumentBuilder::endEntity()
{
    if (m_bInPolyline && m_nPolylineFlags >= 0) {
        // A light polyline ends here; an old-style one ends at SEQEND (dxflib also ends it here).
        FinishPolyline();
    }
    if (m_bInSpline)
        FinishSpline();
    if (m_hatch.bActive)
        FinishHatch();
    if (m_leader.bActive)
        FinishLeader();
}

void DxfDocumentBuilder::endSequence()
{
    FinishPolyline();
}

// ---------------------------------------------------------------------------------------------
// Dimensions

void DxfDocumentBuilder::addDimLinear(const DL_DimensionData& d, const DL_DimLinearData& e)
{
    AddLinearDimension(d, e.dpx1, e.dpy1, e.dpx2, e.dpy2, e.angle);
}

void DxfDocumentBuilder::addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData& e)
{
    AddLinearDimension(d, e.epx1, e.epy1, e.epx2, e.epy2,
                       std::atan2(e.epy2 - e.epy1, e.epx2 - e.epx1) * 180.0 / kPi);
}

void DxfDocumentBuilder::AddLinearDimension(const DL_DimensionData& d, double x1, double y1, double x2, double y2,
                                            double dAngleDeg)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    if (!Finite(dAngleDeg)) {
        ++m_nLeftOut;
        return;
    }
    const RuVaPnt2d p1 = ToWorld(x1, y1, mirror), p2 = ToWorld(x2, y2, mirror);
    const RuVaPnt2d onLine = ToWorld(d.dpx, d.dpy, mirror);
    const double angle = mirror ? 180.0 - dAngleDeg : dAngleDeg;
    // The extension lines run square to the dimension line, from the first point over to it.
    const double da = angle * kPi / 180.0;
    const double nx = -std::sin(da), ny = std::cos(da);
    const double t = (onLine.X() - p1.X()) * nx + (onLine.Y() - p1.Y()) * ny;
    const double projectionAngle = NormDeg((t >= 0 ? angle + 90.0 : angle - 90.0));
    const DimensionLook look = LookOf(d);
    Feature2dBase* pDimension = FeatureCreator::CreateLinearDimensionFeature(
        p1, p2, std::fabs(t), projectionAngle, NormDeg(angle), look.bTyped, look.text, 1,
        ToWorld(d.mpx, d.mpy, mirror), 0, &look.setting, 0, 0);
    StoreDimension(pDimension);
}

void DxfDocumentBuilder::addDimRadial(const DL_DimensionData& d, const DL_DimRadialData& e)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    const DimensionLook look = LookOf(d);
    // The definition point is the centre; the second point lies on the curve.
    StoreDimension(FeatureCreator::CreateRadiusDimensionFeature(ToWorld(e.dpx, e.dpy, mirror),
                                                                ToWorld(d.dpx, d.dpy, mirror), look.bTyped, look.text,
                                                                0, ToWorld(d.mpx, d.mpy, mirror), &look.setting, 0));
}

void DxfDocumentBuilder::addDimDiametric(const DL_DimensionData& d, const DL_DimDiametricData& e)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    const DimensionLook look = LookOf(d);
    StoreDimension(FeatureCreator::CreateDiameterDimensionFeature(ToWorld(d.dpx, d.dpy, mirror),
                                                                  ToWorld(e.dpx, e.dpy, mirror), look.bTyped,
                                                                  look.text, 1, ToWorld(d.mpx, d.mpy, mirror),
                                                                  &look.setting, 0));
}

void DxfDocumentBuilder::addDimAngular(const DL_DimensionData& d, const DL_DimAngular2LData& e)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    // Two lines (13-14 and 15-10) meet at the centre; the arc point (16) says which of their four angles.
    const RuVaPnt2d a1 = ToWorld(e.dpx1, e.dpy1, mirror), a2 = ToWorld(e.dpx2, e.dpy2, mirror);
    const RuVaPnt2d b1 = ToWorld(e.dpx3, e.dpy3, mirror), b2 = ToWorld(d.dpx, d.dpy, mirror);
    const double ux = a2.X() - a1.X(), uy = a2.Y() - a1.Y(), vx = b2.X() - b1.X(), vy = b2.Y() - b1.Y();
    const double den = ux * vy - uy * vx;
    if (std::fabs(den) < 1e-12) {
        ++m_nLeftOut;
        return;
    }
    const double t = ((b1.X() - a1.X()) * vy - (b1.Y() - a1.Y()) * vx) / den;
    const RuVaPnt2d centre(a1.X() + t * ux, a1.Y() + t * uy);
    AddAngularDimension(d, centre, RuVaPnt2d(centre.X() + ux, centre.Y() + uy),
                        RuVaPnt2d(centre.X() + vx, centre.Y() + vy), ToWorld(e.dpx4, e.dpy4, mirror), true);
}

void DxfDocumentBuilder::addDimAngular3P(const DL_DimensionData& d, const DL_DimAngular3PData& e)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    // The vertex (15) and the two points (13, 14); the definition point lies on the arc.
    AddAngularDimension(d, ToWorld(e.dpx3, e.dpy3, mirror), ToWorld(e.dpx1, e.dpy1, mirror),
                        ToWorld(e.dpx2, e.dpy2, mirror), ToWorld(d.dpx, d.dpy, mirror), false);
}

void DxfDocumentBuilder::AddAngularDimension(const DL_DimensionData& d, const RuVaPnt2d& centre, RuVaPnt2d p1,
                                             RuVaPnt2d p2, const RuVaPnt2d& arcPoint, bool bLines)
{
    const double radius = centre.Distance(arcPoint);
    auto angleOf = [&centre](const RuVaPnt2d& p) { return NormDeg(std::atan2(p.Y() - centre.Y(), p.X() - centre.X()) * 180.0 / kPi); };
    auto sweep = [](double from, double to) { return NormDeg(to - from); };
    auto within = [&](const RuVaPnt2d& a, const RuVaPnt2d& b) {
        return sweep(angleOf(a), angleOf(arcPoint)) <= sweep(angleOf(a), angleOf(b)) + 1e-9;
    };
    auto flip = [&centre](const RuVaPnt2d& p) { return RuVaPnt2d(2 * centre.X() - p.X(), 2 * centre.Y() - p.Y()); };
    bool found = false;
    // Counter-clockwise from the first to the second through the arc point; lines may be taken either way.
    for (int k = 0; k < (bLines ? 4 : 1) && !found; ++k) {
        const RuVaPnt2d q1 = (k & 1) ? flip(p1) : p1, q2 = (k & 2) ? flip(p2) : p2;
        if (within(q1, q2) && (!bLines || sweep(angleOf(q1), angleOf(q2)) < 180.0)) {
            p1 = q1;
            p2 = q2;
            found = true;
        } else if (within(q2, q1) && (!bLines || sweep(angleOf(q2), angleOf(q1)) < 180.0)) {
            p1 = q2;
            p2 = q1;
            found = true;
        }
    }
    if (!found || !(radius > 1e-9)) {
        ++m_nLeftOut;
        return;
    }
    const DimensionLook look = LookOf(d);
    bool mirror = false;
    PlaneIsFlat(mirror);
    StoreDimension(FeatureCreator::CreateAngularDimensionFeature(centre, p1, p2, radius, look.bTyped, look.text, 1,
                                                                 ToWorld(d.mpx, d.mpy, mirror), &look.setting, 0));
}

// We have no ordinate dimension: it is placed as the block the file draws it with (group 2), when the file
// has one.
void DxfDocumentBuilder::addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&)
{
    if (Skip())
        return;
    const std::string block = m_lastRecord.kind == "DIMENSION" ? m_lastRecord.Get(2) : std::string();
    const auto it = m_blocks.find(block);
    if (block.empty() || it == m_blocks.end() || !it->second.bDefined) {
        ++m_nLeftOut;
        return;
    }
    addInsert(DL_InsertData(block, 0, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0));
}

DxfDocumentBuilder::DimensionLook DxfDocumentBuilder::LookOf(const DL_DimensionData& d) const
{
    DimensionLook look;
    if (const DimensionSetting* pCurrent = m_pDoc->GetDimensionSetting())
        look.setting = *pCurrent;
    std::string post;
    const auto style = m_dimStyles.find(Upper(d.style.empty() ? std::string("STANDARD") : d.style));
    if (style != m_dimStyles.end())
        look.setting = style->second;
    // The file's text: empty (or a blank) is the measured value; "<>" stands for it between a prefix and
    // a suffix; anything else is typed.
    const std::string text = d.text == " " ? std::string() : d.text;
    const size_t mark = text.find("<>");
    if (!text.empty() && mark == std::string::npos) {
        look.bTyped = 1;
        look.text = DecodeText(StripMText(text));
    } else if (mark != std::string::npos) {
        look.setting.SetPreAdditionText(DecodeText(StripMText(text.substr(0, mark))));
        look.setting.SetPostAdditionText1(DecodeText(StripMText(text.substr(mark + 2))));
        look.setting.SetPostAdditionText2(CString());
    }
    return look;
}

void DxfDocumentBuilder::StoreDimension(Feature2dBase* pDimension)
{
    if (pDimension == nullptr) {
        ++m_nLeftOut;
        return;
    }
    if (m_pSetting == nullptr || m_pSetting->m_nResolveDimensionRead == 0) {
        Store(pDimension);
        return;
    }
    std::unique_ptr<Feature2dBase> dimension(pDimension);
    std::unique_ptr<Feature2dList> pieces(FeatureResolver::ResolveFeatureAll(Target(), dimension.get(), 1));
    if (pieces == nullptr || pieces->GetFeatureSize() == 0) {
        Store(dimension.release());
        return;
    }
    auto* group = new DrawGroup2dFeature;
    while (pieces->GetFeatureSize() > 0) {
        Feature2dBase* pPiece = pieces->DetachFeature(0);
        ApplyAttributes(*pPiece);
        group->AddFeature(pPiece, 0);
    }
    Store(group);
}

// ---------------------------------------------------------------------------------------------
// Images

void DxfDocumentBuilder::addImage(const DL_ImageData& d)
{
    if (Skip())
        return;
    bool mirror = false;
    const double u = std::hypot(d.ux, d.uy), v = std::hypot(d.vx, d.vy);
    if (!PlaneIsFlat(mirror) || d.width <= 0 || d.height <= 0 || !(u > 0) || !(v > 0) || m_images.size() >= 100000) {
        ++m_nLeftOut;
        return;
    }
    PendingImage image;
    image.ref = d.ref;
    image.block = m_currentBlock;
    image.nPaperID = m_currentBlock.empty() ? m_nLayoutPaper : -1;
    image.attributes = attributes;
    image.corner = ToWorld(d.ipx, d.ipy, mirror);
    // The u and v vectors are one pixel long.
    image.dWidth = u * d.width * m_dUnit;
    image.dHeight = v * d.height * m_dUnit;
    image.dAngleDeg = std::atan2(mirror ? -d.uy : d.uy, mirror ? -d.ux : d.ux) * 180.0 / kPi;
    m_images.push_back(std::move(image));
}

void DxfDocumentBuilder::linkImage(const DL_ImageDefData& d)
{
    if (m_nError != 0)
        return;
    CString path = DecodeText(d.file);
    QString file = path.ToQString();
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(file).isRelative())
        file = m_strFolder.IsEmpty() ? QString() : QDir(m_strFolder.ToQString()).filePath(file);
    const CString resolved = CString::FromQString(QDir::cleanPath(file));
    for (auto it = m_images.begin(); it != m_images.end();) {
        if (it->ref == d.ref) {
            PlaceImage(*it, file.isEmpty() ? path : resolved);
            it = m_images.erase(it);
        } else {
            ++it;
        }
    }
}

void DxfDocumentBuilder::PlaceImage(const PendingImage& image, const CString& strPath)
{
    const DL_Attributes saved = attributes;
    const std::string savedBlock = m_currentBlock;
    const long savedPaper = m_nLayoutPaper;
    attributes = image.attributes;
    m_currentBlock = image.block;
    m_nLayoutPaper = image.nPaperID;
    const RuVaPnt2d far(image.corner.X() + image.dWidth, image.corner.Y() + image.dHeight);
    Image2dFeature* pImage = FeatureCreator::CreateImageFeature(strPath, image.corner, far);
    if (pImage != nullptr) {
        pImage->SetAngle(image.dAngleDeg);
        Store(pImage);
    } else {
        // The picture cannot be read here: its frame, and the file's name inside it, keep its place.
        const double a = image.dAngleDeg * kPi / 180.0;
        const double ca = std::cos(a), sa = std::sin(a);
        auto at = [&](double x, double y) {
            return RuVaPnt2d(image.corner.X() + x * ca - y * sa, image.corner.Y() + x * sa + y * ca);
        };
        KcArrayOfGePnt2d frame;
        frame.Add(at(0, 0));
        frame.Add(at(image.dWidth, 0));
        frame.Add(at(image.dWidth, image.dHeight));
        frame.Add(at(0, image.dHeight));
        Store(new Polyline2dFeature(frame, TRUE));
        const QString name = QFileInfo(strPath.ToQString()).fileName();
        if (!name.isEmpty()) {
            const double height = std::clamp(image.dHeight / 10.0, 0.1, 10.0);
            AddTextShape(CString::FromQString(name), at(height / 2, height / 2), height, image.dAngleDeg, 0, 0, 1.0,
                         std::string());
        }
    }
    attributes = saved;
    m_currentBlock = savedBlock;
    m_nLayoutPaper = savedPaper;
}

// ---------------------------------------------------------------------------------------------
// Leaders

void DxfDocumentBuilder::addLeader(const DL_LeaderData& d)
{
    m_leader = LeaderInProgress();
    m_leader.bActive = true;
    m_leader.bArrow = d.arrowHeadFlag != 0;
}

void DxfDocumentBuilder::addLeaderVertex(const DL_LeaderVertexData& d)
{
    bool mirror = false;
    if (m_leader.bActive && PlaneIsFlat(mirror))
        m_leader.points.push_back(ToWorld(d.x, d.y, mirror));
}

void DxfDocumentBuilder::FinishLeader()
{
    LeaderInProgress leader = std::move(m_leader);
    m_leader = LeaderInProgress();
    if (Skip())
        return;
    bool mirror = false;
    KcArrayOfGePnt2d points;
    for (const RuVaPnt2d& p : leader.points)
        if (points.GetSize() == 0 || points[points.GetSize() - 1].Distance(p) > 1e-7)
            points.Add(p);
    if (!PlaneIsFlat(mirror) || points.GetSize() < 2) {
        ++m_nLeftOut;
        return;
    }
    // Broken up, a leader is the line it draws; otherwise a lead of the document's style (no arrow when
    // the file's leader has none) whose text the file keeps apart, in its own MTEXT.
    if (m_pSetting != nullptr && m_pSetting->m_nResolveLeader != 0) {
        Store(new Polyline2dFeature(points, FALSE));
        return;
    }
    LeadSetting setting;
    if (const LeadSetting* pCurrent = m_pDoc->GetLeadSetting())
        setting = *pCurrent;
    if (!leader.bArrow)
        setting.SetType(0);
    Feature2dBase* pLead =
        FeatureCreator::CreateLeadFeature(nullptr, CString(), points, 0, points[points.GetSize() - 1], &setting);
    if (pLead == nullptr) {
        ++m_nLeftOut;
        return;
    }
    Store(pLead);
}

// ---------------------------------------------------------------------------------------------
// Filled areas and hatches

void DxfDocumentBuilder::addTrace(const DL_TraceData& d) { AddFilledQuad(d); }
void DxfDocumentBuilder::addSolid(const DL_SolidData& d) { AddFilledQuad(d); }

void DxfDocumentBuilder::AddFilledQuad(const DL_TraceData& d)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    // The corners come in the order 1, 2, 4, 3 around the outline; a triangle repeats its third corner.
    KcArrayOfGePnt2d outline;
    for (int i : {0, 1, 3, 2}) {
        const RuVaPnt2d p = ToWorld(d.x[i], d.y[i], mirror);
        if (outline.GetSize() == 0 || outline[outline.GetSize() - 1].Distance(p) > 1e-7)
            outline.Add(p);
    }
    if (outline.GetSize() > 1 && outline[0].Distance(outline[outline.GetSize() - 1]) <= 1e-7)
        outline.RemoveAt(outline.GetSize() - 1);
    if (outline.GetSize() < 3) {
        ++m_nLeftOut;
        return;
    }
    HatchSetting setting = HatchFill(true, std::string());
    Feature2dBase* pHatch = FeatureCreator::CreateHatchFeature(outline, nullptr, nullptr, 0, &setting);
    if (pHatch == nullptr) {
        ++m_nLeftOut;
        return;
    }
    Store(pHatch);
}

namespace {

// The few patterns every drawing program ships, which have a built-in pattern of ours that looks like them.
int BuiltInPatternNo(const std::string& pattern)
{
    std::string name = pattern;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    if (name == "ANSI31")
        return 3;
    if (name == "ANSI37" || name == "ANSI38")
        return 5;
    if (name == "NET" || name == "GRID" || name == "SQUARE")
        return 2;
    if (name == "LINE" || name == "HORIZONTAL")
        return 0;
    return -1;
}

bool BuiltInPatternName(const std::string& pattern)
{
    return BuiltInPatternNo(pattern) >= 0;
}

}  // namespace

HatchSetting DxfDocumentBuilder::HatchFill(bool bSolid, const std::string& pattern) const
{
    HatchSetting setting;
    if (const HatchSetting* pCurrent = m_pDoc->GetHatchSetting())
        setting = *pCurrent;
    setting.SetHatchType(bSolid ? Hatch2dFeature::Solid : Hatch2dFeature::BuiltInPattern);
    // The fill takes the shape's own colour.
    setting.SetSolidColorNo(0);
    setting.SetPatternColorNo(0);
    setting.SetRegionDisplayMode(0);
    if (m_pSetting != nullptr)
        setting.SetTransparency(static_cast<float>(std::clamp(m_pSetting->m_nHatchTransparency, 0, 100)) / 100.0f);
    if (!bSolid) {
        // The built-in pattern that looks most like the named one; any other pattern draws as 45-degree
        // lines unless its definition lines make a pattern of its own.
        const int nPattern = BuiltInPatternNo(pattern);
        setting.SetPatternType(nPattern >= 0 ? nPattern : 3);
    }
    return setting;
}

long DxfDocumentBuilder::UserPatternID(const std::string& name)
{
    const std::string key = Upper(name);
    const auto known = m_userPatterns.find(key);
    if (known != m_userPatterns.end())
        return known->second;
    if (m_lastRecord.kind != "HATCH")
        return -1;
    // Each line: 53 angle, 43/44 base point, 45/46 offset to the next line, 79 dash count, 49 dashes.
    struct PatternLine {
        double angle = 0, bx = 0, by = 0, dx = 0, dy = 0;
        std::vector<double> dashes;
    };
    std::vector<PatternLine> lines;
    for (const auto& [code, value] : m_lastRecord.groups) {
        const double v = std::strtod(value.c_str(), nullptr);
        if (code == 53) {
            if (lines.size() >= 64)
                break;
            lines.emplace_back();
            lines.back().angle = Finite(v) ? v : 0.0;
        } else if (lines.empty() || !Finite(v)) {
            continue;
        } else if (code == 43) {
            lines.back().bx = v;
        } else if (code == 44) {
            lines.back().by = v;
        } else if (code == 45) {
            lines.back().dx = v;
        } else if (code == 46) {
            lines.back().dy = v;
        } else if (code == 49 && lines.back().dashes.size() < 64) {
            lines.back().dashes.push_back(v);
        }
    }
    if (lines.empty())
        return -1;
    LineHatchPattern pattern;
    const CString patternName = DecodeText(name.empty() ? std::string("DXF") : name);
    CString unique = patternName;
    for (int i = 2; m_pDoc->GetHatchPatternTable() != nullptr &&
                    m_pDoc->GetHatchPatternTable()->IsPatternNameExists(unique) && i < 1000;
         ++i)
        unique.Format(_T("%s (%d)"), static_cast<LPCTSTR>(patternName), i);
    pattern.SetPatternName(unique);
    for (size_t i = 0; i < lines.size(); ++i) {
        const PatternLine& l = lines[i];
        const double a = l.angle * kPi / 180.0;
        // The lines repeat at the offset's distance square to them.
        const double space = ToLength(std::fabs(-std::sin(a) * l.dx + std::cos(a) * l.dy));
        LineHatchPatternLineItem item;
        item.SetPoint(RuVaPnt2d(ToLength(l.bx), ToLength(l.by)));
        item.SetAngle(NormDeg(l.angle));
        item.SetSpace(space);
        if (!l.dashes.empty()) {
            CString typeName;
            typeName.Format(_T("%s %d"), static_cast<LPCTSTR>(unique), static_cast<int>(i + 1));
            const short no = LineTypeOfDashes(typeName, l.dashes);
            if (no > 0)
                item.SetLineTypeNo(no);
        }
        pattern.AddLineItem(item);
    }
    const long id = m_pDoc->AddHatchPattern(&pattern);
    m_userPatterns[key] = id;
    return id;
}

void DxfDocumentBuilder::addHatch(const DL_HatchData& d)
{
    m_hatch = HatchInProgress();
    m_hatch.bActive = true;
    m_hatch.bSolid = d.solid;
    m_hatch.pattern = d.pattern;
}

void DxfDocumentBuilder::addHatchLoop(const DL_HatchLoopData&)
{
    if (m_hatch.bActive)
        m_hatch.loops.emplace_back();
}

void DxfDocumentBuilder::addHatchEdge(const DL_HatchEdgeData& d)
{
    if (!m_hatch.bActive || m_hatch.loops.empty() || !d.defined)
        return;
    HatchEdge e;
    e.type = d.type;
    switch (d.type) {
    case 0: e.vertices = d.vertices; break;
    case 1:
        e.x1 = d.x1;
        e.y1 = d.y1;
        e.x2 = d.x2;
        e.y2 = d.y2;
        break;
    case 2:
        e.cx = d.cx;
        e.cy = d.cy;
        e.radius = d.radius;
        e.angle1 = d.angle1;
        e.angle2 = d.angle2;
        e.ccw = d.ccw;
        break;
    case 3:
        e.cx = d.cx;
        e.cy = d.cy;
        e.mx = d.mx;
        e.my = d.my;
        e.ratio = d.ratio;
        e.angle1 = d.angle1;
        e.angle2 = d.angle2;
        e.ccw = d.ccw;
        break;
    case 4:
        e.degree = static_cast<int>(d.degree);
        e.knots = d.knots;
        e.weights = d.weights;
        e.controls = d.controlPoints;
        e.fits = d.fitPoints;
        break;
    default: break;
    }
    m_hatch.loops.back().push_back(std::move(e));
}

void DxfDocumentBuilder::FinishHatch()
{
    HatchInProgress hatch = std::move(m_hatch);
    m_hatch = HatchInProgress();
    if (Skip())
        return;
    bool mirror = false;
    if (!PlaneIsFlat(mirror) || hatch.loops.empty()) {
        ++m_nLeftOut;
        return;
    }
    std::vector<Feature2dList> loops;
    for (const std::vector<HatchEdge>& edges : hatch.loops) {
        Feature2dList loop;
        for (const HatchEdge& e : edges) {
            switch (e.type) {
            case 0: {
                // A polyline boundary: its vertices (x, y and maybe a bulge), closed back to the first.
                // A lone point after the loops is the hatch's seed point, not a boundary.
                if (e.vertices.size() < 2)
                    break;
                const size_t n = e.vertices.size();
                for (size_t i = 0; i < n; ++i) {
                    const std::vector<double>& p = e.vertices[i];
                    const std::vector<double>& q = e.vertices[(i + 1) % n];
                    if (p.size() < 2 || q.size() < 2)
                        continue;
                    const double bulge = p.size() > 2 ? p[2] : 0.0;
                    loop.AddFeature(BulgeSegment(ToWorld(p[0], p[1], mirror), ToWorld(q[0], q[1], mirror),
                                                 mirror ? -bulge : bulge),
                                    0);
                }
                break;
            }
            case 1:
                loop.AddFeature(BulgeSegment(ToWorld(e.x1, e.y1, mirror), ToWorld(e.x2, e.y2, mirror), 0.0), 0);
                break;
            case 2: {
                const double r = e.radius * m_dUnit;
                if (!Circle2dFeature::IsValidRadius(r)) {
                    ++m_nLeftOut;
                    return;
                }
                const RuVaPnt2d c = ToWorld(e.cx, e.cy, mirror);
                double a1 = e.angle1 * 180.0 / kPi, a2 = e.angle2 * 180.0 / kPi;
                if (std::fabs(a2 - a1) >= 360.0 - 1e-9) {
                    loop.AddFeature(new Circle2dFeature(c, r), 0);
                    break;
                }
                // A clockwise edge gives its angles measured clockwise; mirroring turns the sense again.
                bool ccw = e.ccw;
                if (!ccw) {
                    a1 = -a1;
                    a2 = -a2;
                }
                if (mirror) {
                    a1 = 180.0 - a1;
                    a2 = 180.0 - a2;
                    ccw = !ccw;
                }
                loop.AddFeature(new Arc2dFeature(c, r, NormDeg(a1), NormDeg(a2),
                                                 ccw ? Arc2dFeature::CounterClockwise : Arc2dFeature::Clockwise),
                                0);
                break;
            }
            case 3: {
                // An elliptic arc: angles like an arc's, measured clockwise for a clockwise edge.
                const double major = ToLength(std::hypot(e.mx, e.my));
                const double minor = major * e.ratio;
                if (mirror || !(major > 0) || !(minor > 0) || !Finite(major) || !Finite(e.angle1) ||
                    !Finite(e.angle2)) {
                    ++m_nLeftOut;
                    return;
                }
                const RuVaPnt2d c = ToWorld(e.cx, e.cy);
                const double rot = std::atan2(e.my, e.mx) * 180.0 / kPi;
                double a1 = e.angle1 * 180.0 / kPi, a2 = e.angle2 * 180.0 / kPi;
                if (std::fabs(a2 - a1) >= 360.0 - 1e-9) {
                    loop.AddFeature(new Ellipse2dFeature(c, major, minor, NormDeg(rot)), 0);
                    break;
                }
                if (!e.ccw) {
                    a1 = -a1;
                    a2 = -a2;
                }
                loop.AddFeature(new EllipseArc2dFeature(c, major, minor, NormDeg(rot), NormDeg(a1), NormDeg(a2),
                                                        e.ccw ? 0 : 1),
                                0);
                break;
            }
            case 4: {
                std::vector<DL_ControlPointData> controls;
                for (size_t i = 0; i < e.controls.size(); ++i) {
                    const std::vector<double>& c = e.controls[i];
                    if (c.size() < 2)
                        continue;
                    const double w = i < e.weights.size() ? e.weights[i] : 1.0;
                    controls.emplace_back(c[0], c[1], 0.0, w);
                }
                std::vector<DL_FitPointData> fits;
                for (const std::vector<double>& f : e.fits)
                    if (f.size() >= 2)
                        fits.emplace_back(f[0], f[1], 0.0);
                Feature2dBase* pCurve = mirror ? nullptr : SplineCurve(e.degree, false, controls, fits, e.knots);
                if (pCurve == nullptr || !pCurve->IsValid()) {
                    delete pCurve;
                    ++m_nLeftOut;
                    return;
                }
                loop.AddFeature(pCurve, 0);
                break;
            }
            default:
                ++m_nLeftOut;
                return;
            }
        }
        if (loop.GetFeatureSize() > 0)
            loops.push_back(std::move(loop));
    }
    if (loops.empty()) {
        ++m_nLeftOut;
        return;
    }
    // The widest loop is the boundary; the others are islands.
    size_t outer = 0;
    double widest = -1.0;
    for (size_t i = 0; i < loops.size(); ++i) {
        RuVaBndBox2d box;
        for (int k = 0; k < loops[i].GetFeatureSize(); ++k)
            box.Add(loops[i].GetFeature(k)->GetBndBox());
        const double area = box.IsVoid() ? 0.0 : (box.XMax() - box.XMin()) * (box.YMax() - box.YMin());
        if (area > widest) {
            widest = area;
            outer = i;
        }
    }
    std::vector<Feature2dList> islands;
    for (size_t i = 0; i < loops.size(); ++i)
        if (i != outer)
            islands.push_back(loops[i]);
    std::vector<KcArrayOfGePnt2d> picks(islands.size() + 1);
    HatchSetting setting = HatchFill(hatch.bSolid, hatch.pattern);
    if (!hatch.bSolid && !BuiltInPatternName(hatch.pattern)) {
        // A pattern we have none like: its own definition lines.
        const long id = UserPatternID(hatch.pattern);
        if (id >= 0) {
            setting.SetHatchType(Hatch2dFeature::UserDefined);
            setting.SetPatternID(id);
        }
    }
    Feature2dBase* pHatch = FeatureCreator::CreateHatchFeature(loops[outer], picks[0],
                                                               islands.empty() ? nullptr : islands.data(),
                                                               islands.empty() ? nullptr : picks.data() + 1,
                                                               static_cast<int>(islands.size()), &setting);
    if (pHatch == nullptr) {
        ++m_nLeftOut;
        return;
    }
    Store(pHatch);
}

void DxfDocumentBuilder::CountInsert(const std::string& name, int64_t nCells)
{
    if (!m_currentBlock.empty()) {
        Block& b = BlockNamed(m_currentBlock);
        int64_t& n = b.children[name];
        n = SatAdd(n, nCells);
        // A definition that would expand beyond the limit is refused as soon as it is seen, placed or not.
        auto it = m_blocks.find(name);
        if (it != m_blocks.end() && it->second.bEnded) {
            std::set<std::string> path;
            int height = 0;
            const int64_t pieces = Pieces(name, 2, path, height);
            if (pieces < 0) {
                Fail(pieces == -1 ? -3 : -4);
                return;
            }
            b.nRunning = SatAdd(b.nRunning, SatMul(std::max<int64_t>(pieces, 1), nCells));
            if (b.nRunning > kMaxPieces)
                Fail(-4);
        }
        return;
    }
    // At the top every placement's expansion counts; the placed block is known when it was defined
    // before (the usual order), otherwise the count is completed by Finish.
    auto it = m_blocks.find(name);
    if (it != m_blocks.end() && it->second.bEnded) {
        std::set<std::string> path;
        int height = 0;
        const int64_t pieces = Pieces(name, 1, path, height);
        if (pieces == -1) {
            Fail(-3);
            return;
        }
        if (pieces == -2) {
            Fail(-4);
            return;
        }
        m_nTopPieces = SatAdd(m_nTopPieces, SatMul(std::max<int64_t>(pieces, 1), nCells));
        if (m_nTopPieces > kMaxPieces)
            Fail(-4);
    } else {
        m_pendingTop[name] = SatAdd(m_pendingTop[name], nCells);
    }
}

int64_t DxfDocumentBuilder::Pieces(const std::string& name, int nDepth, std::set<std::string>& path, int& nHeight)
{
    nHeight = 0;
    auto it = m_blocks.find(name);
    if (it == m_blocks.end())
        return 0;  // a block that no file section defines places nothing
    Block& b = it->second;
    if (b.nPiecesCache >= 0) {
        nHeight = b.nHeight;
        return nDepth - 1 + b.nHeight > kMaxNesting ? -2 : b.nPiecesCache;
    }
    if (nDepth > kMaxNesting)
        return -2;
    if (!path.insert(name).second)
        return -1;
    int64_t total = b.nOwnShapes;
    int below = 0;
    for (const auto& [child, count] : b.children) {
        int h = 0;
        const int64_t p = Pieces(child, nDepth + 1, path, h);
        if (p < 0) {
            path.erase(name);
            return p;
        }
        total = SatAdd(total, SatMul(std::max<int64_t>(p, 1), count));
        below = std::max(below, h);
    }
    path.erase(name);
    // Counts and heights belong to the block itself, so they are kept whatever depth the walk started at.
    b.nPiecesCache = total;
    b.nHeight = below + 1;
    nHeight = b.nHeight;
    return total;
}

void DxfDocumentBuilder::addInsert(const DL_InsertData& d)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    if (!m_currentBlock.empty() && d.name == m_currentBlock) {
        Fail(-3);  // a block that places itself
        return;
    }
    const long cols = std::max(1, d.cols), rows = std::max(1, d.rows);
    const int64_t cells = SatMul(cols, rows);
    // Each cell is a shape of its own: an array beyond the shapes still allowed is refused before any
    // cell is made.
    if (cells > kMaxPieces || cells > kMaxShapes - m_nShapes) {
        Fail(-4);
        return;
    }
    CountInsert(d.name, cells);
    if (m_nError != 0)
        return;
    const long component = ComponentIDFor(d.name);
    if (component < 0)
        return;
    double sx = Finite(d.sx) && d.sx != 0 ? d.sx : 1.0;
    double sy = Finite(d.sy) && d.sy != 0 ? d.sy : 1.0;
    double angle = Finite(d.angle) ? d.angle : 0.0;
    if (mirror) {
        sx = -sx;
        angle = 180.0 - angle;
    }
    const double rad = angle * kPi / 180.0;
    for (long r = 0; r < rows && m_nError == 0; ++r)
        for (long c = 0; c < cols && m_nError == 0; ++c) {
            // Array cells step along the turned axes.
            const double ox = c * d.colSp, oy = r * d.rowSp;
            const double px = d.ipx + ox * std::cos(rad) - oy * std::sin(rad);
            const double py = d.ipy + ox * std::sin(rad) + oy * std::cos(rad);
            auto* inst = new DrawComponent2dFeature;
            inst->SetComponentDefineID(component);
            inst->SetOrigin(ToWorld(px, py, mirror));
            inst->SetAngle(NormDeg(angle));
            inst->SetScale(sx, sy);
            // The instance counts once among the shapes; its pieces were counted above.
            if (++m_nShapes > kMaxShapes) {
                delete inst;
                Fail(-4);
                return;
            }
            ApplyAttributes(*inst);
            if (m_currentBlock.empty())
                Target();  // the model exists before its placements are added
            m_placements.push_back(Placement{m_currentBlock, inst, d.name, OnPaper(),
                                             m_currentBlock.empty() ? m_nLayoutPaper : -1});
        }
}

void DxfDocumentBuilder::AddTextShape(const CString& text, const RuVaPnt2d& point, double dHeight, double dAngleDeg,
                                      int nHAlign, int nVAlign, double dWidthFactor, const std::string& style)
{
    if (text.IsEmpty())
        return;
    double h = ToLength(dHeight);
    if (m_pSetting != nullptr && m_pSetting->m_nAdjustmentTextHightRead && !m_pSetting->m_nAdjustmentTextHightFacterAutoRead)
        h *= m_pSetting->m_dTextHiFacterRead;
    if (!(h > 0) || !Finite(h))
        h = 2.5;
    auto* t = new Text2dFeature;
    t->SetText(text);
    t->SetPoint(point);
    t->SetHeight(h);
    t->SetAngle(NormDeg(Finite(dAngleDeg) ? dAngleDeg : 0.0));
    if (dWidthFactor > 0 && Finite(dWidthFactor))
        t->SetWidthRatio(dWidthFactor);
    t->SetHorizonArrange(nHAlign);
    t->SetVerticalArrange(nVAlign);
    const std::string styleKey = Upper(style.empty() ? std::string("STANDARD") : style);
    if (m_pSetting != nullptr && !m_pSetting->GetSubstituteFontName().IsEmpty() && m_shxStyles.count(styleKey) != 0)
        t->SetFontName(m_pSetting->GetSubstituteFontName());
    const auto textStyle = m_textStyles.find(styleKey);
    if (textStyle != m_textStyles.end()) {
        // The style's outline font (our texts have no slant of their own; the style keeps it).
        if (!textStyle->second.font.IsEmpty())
            t->SetFontName(textStyle->second.font);
    }
    t->SetAutoLayoutRect();
    Store(t);
}

void DxfDocumentBuilder::addText(const DL_TextData& d)
{
    bool mirror = false;
    if (!Readable(mirror))
        return;
    // Horizontal 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit; vertical 0 baseline, 1 bottom,
    // 2 middle, 3 top. Any alignment but the plain one places the text at the second point.
    const int h = d.hJustification == 1 || d.hJustification == 4 ? 1 : d.hJustification == 2 ? 2 : 0;
    const int v = d.vJustification == 3 ? 0 : d.vJustification == 2 || d.hJustification == 4 ? 1 : 2;
    const bool second = d.hJustification != 0 || d.vJustification != 0;
    const RuVaPnt2d p = second ? ToWorld(d.apx, d.apy, mirror) : ToWorld(d.ipx, d.ipy, mirror);
    double angle = d.angle * 180.0 / kPi;
    if (mirror)
        angle = 180.0 - angle;
    AddTextShape(DecodeText(d.text), p, d.height, angle, h, v, d.xScaleFactor, d.style);
}

void DxfDocumentBuilder::addAttribute(const DL_AttributeData& d)
{
    addText(d);
}

void DxfDocumentBuilder::addMTextChunk(const std::string& text)
{
    if (m_mtext.size() + text.size() <= 16 * 1024 * 1024)
        m_mtext += text;
}

void DxfDocumentBuilder::addMText(const DL_MTextData& d)
{
    std::string raw = std::move(m_mtext);
    m_mtext.clear();
    raw += d.text;
    if (Skip())
        return;
    const std::string plain = StripMText(raw);
    // Attachment 1-9: rows top, middle, bottom times columns left, centre, right.
    const int attach = std::clamp(d.attachmentPoint, 1, 9) - 1;
    const int h = attach % 3;
    const int v = attach / 3;  // 0 top, 1 middle, 2 bottom: our vertical arrangement
    double angle = d.angle * 180.0 / kPi;
    if (!(std::fabs(d.angle) > 0) && (d.dirx != 0 || d.diry != 0))
        angle = std::atan2(d.diry, d.dirx) * 180.0 / kPi;
    const RuVaPnt2d p = ToWorld(d.ipx, d.ipy);
    if (m_pSetting != nullptr && m_pSetting->m_nResolveMtext) {
        // One text per line, stepping down by the line pitch.
        const double pitch = ToLength(d.height) * 1.667 * (d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1.0);
        const double rad = angle * kPi / 180.0;
        size_t start = 0;
        int line = 0;
        while (start <= plain.size()) {
            size_t end = plain.find('\n', start);
            if (end == std::string::npos)
                end = plain.size();
            const RuVaPnt2d lp(p.X() + std::sin(rad) * pitch * line, p.Y() - std::cos(rad) * pitch * line);
            AddTextShape(DecodeText(plain.substr(start, end - start)), lp, d.height, angle, h, 0, 1.0, d.style);
            ++line;
            start = end + 1;
        }
        return;
    }
    AddTextShape(DecodeText(plain), p, d.height, angle, h, v, 1.0, d.style);
}

// ---------------------------------------------------------------------------------------------
// The end

int DxfDocumentBuilder::Finish()
{
    if (m_bInPolyline)
        FinishPolyline();
    if (m_nError != 0)
        return m_nError;
    // Images whose definition never came: their frames.
    for (const PendingImage& image : m_images)
        PlaceImage(image, CString());
    m_images.clear();
    if (m_nError != 0)
        return m_nError;
    // Cycles and depth over the whole block graph, and the placements that were waiting for their blocks.
    for (auto& [name, block] : m_blocks) {
        std::set<std::string> path;
        int height = 0;
        const int64_t p = Pieces(name, 1, path, height);
        if (p == -1)
            return -3;
        if (p == -2)
            return -4;
    }
    for (const auto& [name, cells] : m_pendingTop) {
        std::set<std::string> path;
        int height = 0;
        const int64_t p = Pieces(name, 1, path, height);
        if (p < 0)
            return p == -1 ? -3 : -4;
        m_nTopPieces = SatAdd(m_nTopPieces, SatMul(std::max<int64_t>(p, 1), cells));
    }
    if (m_nTopPieces > kMaxPieces)
        return -4;
    const int placed = AddPlacements();
    if (placed != 0)
        return placed;
    AddStyles();
    // The active layout's paper takes its layout's name too.
    Paper2dFeature* pFirst = m_pDoc->GetPaperFeature(0);
    if (const Layout* pActive = ActiveLayout(); pFirst != nullptr && pActive != nullptr) {
        const CString wanted = DecodeText(pActive->name);
        if (wanted != pFirst->GetDrawingName() && m_pDoc->GetDrawingFeatureByName(wanted) == nullptr)
            m_pDoc->SetDrawingName(pFirst->GetDrawingID(), wanted, 0);
    }
    LayOut();
    LayOutPapers();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// What dxflib drops

std::string DxfDocumentBuilder::Record::Get(int nCode, const std::string& def) const
{
    for (const auto& [code, value] : groups)
        if (code == nCode)
            return value;
    return def;
}

double DxfDocumentBuilder::Record::GetDouble(int nCode, double def) const
{
    for (const auto& [code, value] : groups)
        if (code == nCode) {
            char* end = nullptr;
            const double d = std::strtod(value.c_str(), &end);
            return end != value.c_str() && Finite(d) ? d : def;
        }
    return def;
}

void DxfDocumentBuilder::ObserveGroup(int nCode, const std::string& value)
{
    if (nCode == 0) {
        TakeRecord(m_record);
        m_lastRecord = std::move(m_record);
        m_record = Record();
        m_record.kind = value;
        return;
    }
    const std::string& k = m_record.kind;
    bool keep = false;
    if (k == "DIMSTYLE" || k == "STYLE" || k == "LAYOUT" || k == "BLOCK_RECORD" || k == "VIEWPORT" || k == "BLOCK")
        keep = true;
    else if (k == "DIMENSION")
        keep = nCode == 2 || nCode == 3;
    else if (k == "HATCH")
        keep = nCode == 78 || nCode == 53 || nCode == 43 || nCode == 44 || nCode == 45 || nCode == 46 ||
               nCode == 79 || nCode == 49;
    // A record of these kinds is small; a hostile one is cut off rather than held.
    if (keep && m_record.groups.size() < 100000)
        m_record.groups.emplace_back(nCode, value);
}

void DxfDocumentBuilder::TakeRecord(const Record& r)
{
    if (m_nError != 0)
        return;
    if (r.kind == "BLOCK_RECORD") {
        const std::string handle = r.Get(5), name = r.Get(2);
        if (!handle.empty() && !name.empty() && m_blockRecordNames.size() < 2000000)
            m_blockRecordNames[Upper(handle)] = name;
        return;
    }
    if (r.kind == "LAYOUT") {
        // The plot settings come first (paper size 44/45 in the units of 72, turned by 73), then the
        // layout's own part: its name, tab order and block record.
        Layout layout;
        bool own = false;
        double width = 0, height = 0;
        int units = 1, turn = 0;
        for (const auto& [code, value] : r.groups) {
            if (code == 100) {
                own = value == "AcDbLayout";
                continue;
            }
            const double v = std::strtod(value.c_str(), nullptr);
            if (!own) {
                if (code == 44)
                    width = v;
                else if (code == 45)
                    height = v;
                else if (code == 72)
                    units = static_cast<int>(v);
                else if (code == 73)
                    turn = static_cast<int>(v);
            } else if (code == 1 && layout.name.empty()) {
                layout.name = value;
            } else if (code == 71) {
                layout.nTab = static_cast<int>(std::clamp(v, -1e6, 1e6));
            } else if (code == 330 && layout.blockRecord.empty()) {
                layout.blockRecord = Upper(value);
            }
        }
        const double unit = units == 0 ? 25.4 : 1.0;
        if (Finite(width) && Finite(height) && width > 0 && height > 0 && width < 1e5 && height < 1e5) {
            layout.dWidth = width * unit;
            layout.dHeight = height * unit;
            if (turn == 1 || turn == 3)
                std::swap(layout.dWidth, layout.dHeight);
        }
        if (!layout.name.empty() && m_layouts.size() < 256)
            m_layouts.push_back(layout);
        return;
    }
    if (r.kind == "VIEWPORT") {
        // A viewport of a paper-space layout (not the layout's own, number 1, nor one switched off).
        if (!m_currentBlock.empty() || r.GetDouble(69, 0) == 1 || r.GetDouble(68, 1) == 0 || m_viewports.size() >= 4096)
            return;
        long paper = m_nLayoutPaper;
        if (paper < 0 && !m_bSkipBlock && r.GetDouble(67, 0) == 1 && m_pDoc->GetPaperFeature(0) != nullptr)
            paper = m_pDoc->GetPaperFeature(0)->GetDrawingID();
        if (paper < 0 || !ReadsPaperSpace())
            return;
        Viewport v;
        v.nPaperID = paper;
        v.cx = ToLength(r.GetDouble(10, 0));
        v.cy = ToLength(r.GetDouble(20, 0));
        v.w = ToLength(r.GetDouble(40, 0));
        v.h = ToLength(r.GetDouble(41, 0));
        // The view's centre in display coordinates (12/22), the target (17/27) they start from, the view's
        // height there and its twist.
        v.vx = ToLength(r.GetDouble(12, 0));
        v.vy = ToLength(r.GetDouble(22, 0));
        v.tx = ToLength(r.GetDouble(17, 0));
        v.ty = ToLength(r.GetDouble(27, 0));
        v.vh = ToLength(r.GetDouble(45, 0));
        v.twist = r.GetDouble(51, 0);
        // Only a view straight down onto the model is a part layout; one from another direction shows
        // the model mirrored or in 3D: left out.
        const double dx = r.GetDouble(16, 0), dy = r.GetDouble(26, 0), dz = r.GetDouble(36, 1);
        const bool plan = Finite(dx) && Finite(dy) && Finite(dz) && dz > 0 && std::hypot(dx, dy) <= 1e-9 * dz;
        if (!plan || !Finite(v.twist) || !Finite(v.vx) || !Finite(v.vy) || !Finite(v.tx) || !Finite(v.ty)) {
            ++m_nLeftOut;
            return;
        }
        if (v.w > 0 && v.h > 0 && v.vh > 0 && v.w < 1e6 && v.h < 1e6 && v.vh < 1e12)
            m_viewports.push_back(v);
        return;
    }
    if (r.kind == "DIMSTYLE") {
        const std::string name = r.Get(2);
        if (name.empty() || m_dimStyles.size() >= 4096)
            return;
        DimensionSetting setting;
        if (const DimensionSetting* pCurrent = m_pDoc->GetDimensionSetting())
            setting = *pCurrent;
        // Sizes are the file's times its overall scale (DIMSCALE, 0 taken as 1).
        double scale = r.GetDouble(40, 1.0);
        if (!(scale > 0))
            scale = 1.0;
        const double text = r.GetDouble(140, -1), arrow = r.GetDouble(41, -1);
        if (text > 0) {
            TextSetting font = setting.GetDimTextFont();
            if (font.SetHeight(ToLength(text * scale)))
                setting.SetDimTextFont(font);
        }
        if (arrow > 0) {
            setting.SetArrowSize1(ToLength(arrow * scale));
            setting.SetArrowSize2(ToLength(arrow * scale));
        }
        const double decimals = r.GetDouble(271, -1);
        if (decimals >= 0 && decimals <= 8)
            setting.SetPrecision(static_cast<short>(decimals));
        // DIMPOST: "prefix<>suffix", or a bare suffix.
        const std::string post = r.Get(3);
        const size_t mark = post.find("<>");
        setting.SetPreAdditionText(mark == std::string::npos ? CString() : DecodeText(post.substr(0, mark)));
        setting.SetPostAdditionText1(DecodeText(mark == std::string::npos ? post : post.substr(mark + 2)));
        setting.SetPostAdditionText2(CString());
        if (!post.empty())
            setting.SetPostAdditionTextSizeRatio(1.0);
        m_dimStyles[Upper(name)] = setting;
        m_dimStyleNames[Upper(name)] = name;
    } else if (r.kind == "STYLE") {
        const std::string name = r.Get(2);
        if (name.empty() || m_textStyles.size() >= 4096)
            return;
        TextStyle style;
        style.name = name;
        // The font family the file names in its extended data, else the font file's own name for an
        // outline font; shape fonts keep the substitute.
        std::string family;
        bool acad = false;
        for (const auto& [code, value] : r.groups) {
            if (code == 1001)
                acad = value == "ACAD";
            else if (code == 1000 && acad && family.empty())
                family = value;
        }
        const std::string file = r.Get(3);
        const std::string upper = Upper(file);
        const size_t dot = upper.rfind('.');
        const bool shape = dot == std::string::npos || upper.substr(dot) == ".SHX";
        if (!family.empty())
            style.font = DecodeText(family);
        else if (!shape) {
            const size_t slash = file.find_last_of("/\\");
            const std::string stem = file.substr(slash == std::string::npos ? 0 : slash + 1);
            style.font = DecodeText(stem.substr(0, stem.rfind('.')));
        }
        style.dHeight = ToLength(std::max(0.0, r.GetDouble(40, 0)));
        style.dWidth = r.GetDouble(41, 1.0);
        style.dOblique = r.GetDouble(50, 0.0);
        if (std::fabs(style.dOblique) >= 85)
            style.dOblique = 0;
        m_textStyles[Upper(name)] = style;
    }
}

void DxfDocumentBuilder::AddStyles()
{
    // The file's text and dimension styles join the document's own under their names.
    if (const TextSettingStyles* pStyles = m_pDoc->GetTextSettingStyles(); pStyles != nullptr && !m_textStyles.empty()) {
        TextSettingStyles styles = *pStyles;
        for (const auto& [key, style] : m_textStyles) {
            TextSetting setting;
            if (const TextSetting* pCurrent = m_pDoc->GetTextSetting())
                setting = *pCurrent;
            if (!style.font.IsEmpty())
                setting.SetFontName(style.font);
            else if (m_pSetting != nullptr && !m_pSetting->GetSubstituteFontName().IsEmpty())
                setting.SetFontName(m_pSetting->GetSubstituteFontName());
            if (style.dHeight > 0)
                setting.SetHeight(style.dHeight);
            if (style.dWidth > 0)
                setting.SetWidthRatio(style.dWidth);
            setting.SetSlantAngle(style.dOblique);
            styles.SetSettingStyle(DecodeText(style.name), &setting);
        }
        m_pDoc->UpdateFeatureSettingStyles(styles);
    }
    if (const DimensionSettingStyles* pStyles = m_pDoc->GetDimensionSettingStyles();
        pStyles != nullptr && !m_dimStyles.empty()) {
        DimensionSettingStyles styles = *pStyles;
        for (const auto& [key, setting] : m_dimStyles)
            styles.SetSettingStyle(DecodeText(m_dimStyleNames[key]), &setting);
        m_pDoc->UpdateFeatureSettingStyles(styles);
    }
}

void DxfDocumentBuilder::addTextStyle(const DL_StyleData& data)
{
    // Shape fonts (.shx, or a bare name) have no outline font here: their texts take the substitute font.
    const std::string font = Upper(data.primaryFontFile);
    const size_t dot = font.rfind('.');
    if (dot == std::string::npos || font.substr(dot) == ".SHX")
        m_shxStyles.insert(Upper(data.name));
}

void DxfDocumentBuilder::LayOut()
{
    Target();  // the model exists even when it is empty
    Paper2dFeature* pPaper = m_pDoc->GetPaperFeature(0);
    DrawingFeatureBase* pModel = m_pDoc->GetDrawingFeatureByID(m_nModelID);
    if (pPaper == nullptr || pModel == nullptr)
        return;
    const CString paperName = pPaper->GetDrawingName();
    const ACadConvSetting defaults;
    const ACadConvSetting& s = m_pSetting != nullptr ? *m_pSetting : defaults;
    // The sheet's orientation 0 is portrait, the paper's 0 landscape.
    const int orient = s.m_nPaperOrientType == 0 ? 1 : 0;
    m_pDoc->SetPaperOrientType(paperName, orient, 0);
    if (s.m_nPaperType >= 0 && s.m_nPaperType <= 4)
        m_pDoc->SetPaperSizeType(paperName, s.m_nPaperType, 0);
    else
        m_pDoc->SetPaperSize(paperName, s.m_dPaperSizeX, s.m_dPaperSizeY, 0);
    // The active layout's viewports lay the model out instead, when the file has them; the paper then
    // takes its layout's size where the file gives one.
    bool viewports = false;
    for (const Viewport& v : m_viewports)
        viewports = viewports || v.nPaperID == pPaper->GetDrawingID();
    if (const Layout* pActive = ActiveLayout(); viewports && pActive != nullptr && pActive->dWidth > 0) {
        m_pDoc->SetPaperOrientType(paperName, pActive->dWidth >= pActive->dHeight ? 0 : 1, 0);
        m_pDoc->SetPaperSize(paperName, pActive->dWidth, pActive->dHeight, 0);
    }
    double pw = 0, ph = 0;
    m_pDoc->GetPaperSize(paperName, pw, ph);
    const long layoutID = viewports ? -1 : m_pDoc->AddPartLayout(pPaper->GetDrawingID(), m_nModelID, nullptr, -1, 0);
    if (layoutID >= 0) {
        RuVaBndBox2d box;
        const BOOL bHasBox = m_pDoc->GetAllFeatureBox(pModel, box, 0) && !box.IsVoid();
        double num = s.m_dScaleNumerator, den = s.m_dScaleDenominator;
        const double mx = std::min(s.m_dPaperMarginX, pw / 4), my = std::min(s.m_dPaperMarginY, ph / 4);
        if (s.m_nAutoScale && bHasBox) {
            const double bw = (box.XMax() - box.XMin()), bh = (box.YMax() - box.YMin());
            const double fit = std::min(bw > 0 ? (pw - 2 * mx) / bw : 1e300, bh > 0 ? (ph - 2 * my) / bh : 1e300);
            if (fit > 0 && fit < 1e15) {
                num = fit >= 1 ? fit : 1.0;
                den = fit >= 1 ? 1.0 : 1.0 / fit;
            } else {
                num = den = 1.0;
            }
        }
        if (!(num > 0) || !(den > 0))
            num = den = 1.0;
        m_pDoc->SetPartLayoutScale(layoutID, num, den, FALSE, num, den, 0);
        const double scale = num / den;
        RuVaPnt2d origin(mx, my);
        if (s.m_nPartLayoutOrgPointType == 0 && bHasBox) {
            // The drawing's middle on the paper's middle.
            const RuVaPnt2d c((box.XMin() + box.XMax()) / 2, (box.YMin() + box.YMax()) / 2);
            origin = RuVaPnt2d(pw / 2 - c.X() * scale, ph / 2 - c.Y() * scale);
        }
        m_pDoc->SetPartLayoutOrigin(layoutID, origin, 0);
    }
    if (m_pSetting != nullptr) {
        m_pSetting->AddDrawingFeatureName(paperName);
        m_pSetting->SetActiveDrawingFeatureName(m_nTileMode != 0 ? pModel->GetDrawingName() : paperName);
    }
}

const DxfDocumentBuilder::Layout* DxfDocumentBuilder::ActiveLayout() const
{
    for (const Layout& l : m_layouts) {
        const auto named = m_blockRecordNames.find(l.blockRecord);
        if (named != m_blockRecordNames.end() && Upper(named->second) == "*PAPER_SPACE")
            return &l;
    }
    return nullptr;
}

void DxfDocumentBuilder::LayOutPapers()
{
    // The further papers take their layouts' names and sizes, and are listed in tab order after the
    // active one.
    std::vector<std::pair<int, long>> order;
    for (const auto& [block, paperID] : m_layoutPapers) {
        const Layout* pLayout = nullptr;
        for (const Layout& l : m_layouts) {
            const auto named = m_blockRecordNames.find(l.blockRecord);
            if (named != m_blockRecordNames.end() && Upper(named->second) == block)
                pLayout = &l;
        }
        DrawingFeatureBase* pPaper = m_pDoc->GetDrawingFeatureByID(paperID);
        if (pPaper == nullptr)
            continue;
        CString name = pPaper->GetDrawingName();
        if (pLayout != nullptr) {
            const CString wanted = DecodeText(pLayout->name);
            if (m_pDoc->GetDrawingFeatureByName(wanted) == nullptr && m_pDoc->SetDrawingName(paperID, wanted, 0))
                name = wanted;
        }
        if (pLayout != nullptr && pLayout->dWidth > 0) {
            m_pDoc->SetPaperOrientType(name, pLayout->dWidth >= pLayout->dHeight ? 0 : 1, 0);
            m_pDoc->SetPaperSize(name, pLayout->dWidth, pLayout->dHeight, 0);
        }
        order.emplace_back(pLayout != nullptr ? pLayout->nTab : 1 << 20, paperID);
    }
    std::stable_sort(order.begin(), order.end());
    if (m_pSetting != nullptr)
        for (const auto& [tab, paperID] : order)
            if (DrawingFeatureBase* pPaper = m_pDoc->GetDrawingFeatureByID(paperID))
                m_pSetting->AddDrawingFeatureName(pPaper->GetDrawingName());
    // One part layout of the model per viewport: the view's height fills the viewport's, its centre on the
    // viewport's, clipped to what the viewport shows.
    Target();
    for (const Viewport& v : m_viewports) {
        const long id = m_pDoc->AddPartLayout(v.nPaperID, m_nModelID, nullptr, -1, 0);
        if (id < 0)
            continue;
        const double scale = v.h / v.vh;
        const double num = scale >= 1 ? scale : 1.0, den = scale >= 1 ? 1.0 : 1.0 / scale;
        m_pDoc->SetPartLayoutScale(id, num, den, FALSE, num, den, 0);
        m_pDoc->SetPartLayoutAngle(id, NormDeg(v.twist), 0);
        // A model point P shows at  centre + scale * (R(twist) * (P - target) - view centre)  on paper.
        const double a = v.twist * kPi / 180.0;
        const double ca = std::cos(a), sa = std::sin(a);
        const double rx = (v.tx * ca - v.ty * sa + v.vx) * scale;
        const double ry = (v.tx * sa + v.ty * ca + v.vy) * scale;
        m_pDoc->SetPartLayoutOrigin(id, RuVaPnt2d(v.cx - rx, v.cy - ry), 0);
        if (PartDrawingLayout* pLayout = m_pDoc->GetPartLayoutByID(id)) {
            PartDrawingLayout clipped = *pLayout;
            const double hw = v.w / scale / 2, hh = v.vh / 2;
            KcArrayOfGePnt2d corners;
            for (const auto& [sx, sy] : {std::pair{-1, -1}, std::pair{1, -1}, std::pair{1, 1}, std::pair{-1, 1}}) {
                // The viewport's corners in the model: back from display coordinates by the twist.
                const double lx = v.vx + sx * hw, ly = v.vy + sy * hh;
                corners.Add(RuVaPnt2d(v.tx + lx * ca + ly * sa, v.ty - lx * sa + ly * ca));
            }
            if (clipped.SetPolygonRegion(corners))
                m_pDoc->SetPartLayout(id, clipped, 0);
        }
    }
}

int DxfDocumentBuilder::AddPlacements()
{
    // Every definition must stay within the limit, and so must the work of resolving each placement as it
    // is added (the pieces of what it places).
    int64_t work = 0;
    for (const Placement& p : m_placements) {
        std::set<std::string> path;
        int height = 0;
        const int64_t pieces = Pieces(p.placed, 1, path, height);
        if (pieces < 0)
            return pieces == -1 ? -3 : -4;
        if (pieces > kMaxPieces)
            return -4;
        work = SatAdd(work, std::max<int64_t>(pieces, 1));
    }
    if (work > 4 * kMaxPieces)
        return -4;
    // Inner definitions first, so that each placement finds its definition complete; the model last.
    std::vector<std::pair<int, size_t>> order;
    order.reserve(m_placements.size());
    for (size_t i = 0; i < m_placements.size(); ++i) {
        int height = 1000;
        if (!m_placements[i].parent.empty()) {
            std::set<std::string> path;
            Pieces(m_placements[i].parent, 1, path, height);
        }
        order.emplace_back(height, i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [height, i] : order) {
        Placement& p = m_placements[i];
        DrawingFeatureBase* target = nullptr;
        if (p.nDrawingID >= 0) {
            target = m_pDoc->GetDrawingFeatureByID(p.nDrawingID);
        } else if (p.bOnPaper) {
            target = m_pDoc->GetPaperFeature(0);
        } else if (p.parent.empty()) {
            target = m_pDoc->GetDrawingFeatureByID(m_nModelID);
        } else {
            const long id = BlockNamed(p.parent).nComponentID;
            target = id >= 0 ? m_pDoc->GetComponentDefineTable()->GetComponentDefine(id) : nullptr;
        }
        if (target != nullptr)
            m_pDoc->AddFeature(p.pFeature, target, 0);
        delete p.pFeature;
        p.pFeature = nullptr;
    }
    m_placements.clear();
    return 0;
}

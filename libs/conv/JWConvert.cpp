#include "libs/conv/JWConvert.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "libs/conv/AcadColor.h"
#include "libs/conv/JWSetting.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CStringArray.h"
#include "platform/ole/CodePageText.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr UINT IDS_NEWER_JW_VERSION = 12964;

bool Finite(double v)
{
    return std::isfinite(v) && std::fabs(v) < 1e15;
}

double NormDeg(double a)
{
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

double Deg(double rad)
{
    return rad * 180.0 / kPi;
}

// One shape record as the file holds it (the fields of the shape classes).
struct Record {
    enum Kind { kindLine, kindArc, kindPoint, kindText, kindSolid, kindBlock, kindDimension };
    Kind kind = kindLine;
    BYTE style = 0;
    WORD colour = 0;
    WORD width = 0;
    WORD layer = 0;
    WORD group = 0;
    WORD flags = 0;
    // Line: 0-3 start, end. Arc: 0-1 centre, 2 radius, 3 start, 4 sweep, 5 tilt, 6 flatness. Point: 0-1,
    // 2 angle, 3 scale. Text: 0-3 start, end, 4-5 size x, y, 6 spacing, 7 angle (degrees). Solid: 0-7
    // corners 1, 4, 2, 3. Block: 0-1 base, 2-3 scale, 4 angle. Dimension: 0-3 its line, 8-15 its text as
    // for a text shifted by 8 (start, end, sizes, spacing, angle), 16-19 its two reference points.
    double d[20] = {};
    DWORD u = 0;  // arc: full circle; point: virtual; text: kind; block: definition number; solid: RGB
    bool bRgb = false;
    bool bReference = false;
    CString font;
    CString text;
};

struct Definition {
    DWORD number = 0;
    CString name;
    WORD group = 0;
    std::vector<Record> records;
    long nComponentID = -1;
    long long nPieces = -1;  // counted bottom-up once
    int nHeight = 0;
};

struct Header {
    DWORD version = 0;
    DWORD paper = 3;
    DWORD groupState[16] = {};
    double scale[16] = {};
    DWORD layerState[16][16] = {};
    CString layerName[16][16];
    CString groupName[16];
    DWORD penColour[10] = {};
    DWORD sxfColour[257] = {};
    DWORD printWidth[10] = {};
};

// Reads the archive's values little-endian, each checked against the bytes left.
class ArchiveBytes
{
public:
    ArchiveBytes(const BYTE* p, size_t n) : m_p(p), m_n(n) {}

    bool Ok() const { return m_bOk; }
    size_t Left() const { return m_n - m_pos; }
    size_t Pos() const { return m_pos; }
    bool Has(size_t n)
    {
        if (!m_bOk || n > Left())
            m_bOk = false;
        return m_bOk;
    }
    BYTE U8()
    {
        if (!Has(1))
            return 0;
        return m_p[m_pos++];
    }
    WORD U16()
    {
        if (!Has(2))
            return 0;
        const WORD v = static_cast<WORD>(m_p[m_pos] | (m_p[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    DWORD U32()
    {
        if (!Has(4))
            return 0;
        const DWORD v = static_cast<DWORD>(m_p[m_pos]) | (static_cast<DWORD>(m_p[m_pos + 1]) << 8) |
                        (static_cast<DWORD>(m_p[m_pos + 2]) << 16) | (static_cast<DWORD>(m_p[m_pos + 3]) << 24);
        m_pos += 4;
        return v;
    }
    double F64()
    {
        if (!Has(8))
            return 0;
        uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | m_p[m_pos + static_cast<size_t>(i)];
        m_pos += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    void Skip(size_t n)
    {
        if (Has(n))
            m_pos += n;
    }
    // An MFC string: a length of one byte, or 0xFF and a word, or 0xFF 0xFFFF and a double word; the marker
    // 0xFF 0xFFFE announces UTF-16. Narrow strings are Shift-JIS.
    CString Str()
    {
        bool wide = false;
        size_t len = U8();
        if (len == 0xFF) {
            len = U16();
            if (len == 0xFFFE) {
                wide = true;
                len = U8();
                if (len == 0xFF) {
                    len = U16();
                    if (len == 0xFFFF)
                        len = U32();
                }
            } else if (len == 0xFFFF) {
                len = U32();
            }
        }
        const size_t bytes = wide ? len * 2 : len;
        if (!m_bOk || bytes / (wide ? 2 : 1) != len || !Has(bytes))
            return CString();
        CString s;
        if (wide) {
            std::u16string w(len, u'\0');
            for (size_t i = 0; i < len; ++i)
                w[i] = static_cast<char16_t>(m_p[m_pos + 2 * i] | (m_p[m_pos + 2 * i + 1] << 8));
            s = CString(std::move(w));
        } else if (len > 0) {
            s = CodePageText::Decode(m_p + m_pos, len, 932);
        }
        m_pos += bytes;
        return s;
    }

private:
    const BYTE* m_p;
    size_t m_n;
    size_t m_pos = 0;
    bool m_bOk = true;
};

class JwwReader
{
public:
    JwwReader(const BYTE* p, size_t n) : m_in(p, n) {}

    // 0 or a failure code.
    int ReadHeader(Header& h);
    // The records of a list, each handed to the sink as it is read (a nonzero answer stops the reading).
    int ReadShapes(const std::function<int(Record&&)>& sink);
    int ReadDefinitions(std::vector<Definition>& out);
    size_t Pos() const { return m_in.Pos(); }
    bool AtEnd() const { return m_in.Left() == 0; }

    // Asked every few hundred objects; false stops the reading.
    std::function<bool(size_t)> m_progress;

private:
    enum ClassKind { classNone = -1, classLine, classArc, classPoint, classText, classSolid, classBlock,
                     classDimension, classList };
    // The class of the next object of a list: a new class tag names it, an old one refers to it. A
    // reference to an object already read, a null object and an unknown class are refused.
    int ReadTag(ClassKind& kind);
    void ReadBase(Record& r);
    void ReadLine(Record& r, int offset = 0);
    void ReadText(Record& r, int offset);
    void ReadPoint(double& x, double& y);
    int ReadRecord(ClassKind kind, Record& r);
    // The count of a list: a word, or 0xFFFF and a double word; at most what the bytes left could hold.
    int ReadCount(size_t& count, size_t minBytes);

    ArchiveBytes m_in;
    DWORD m_version = 0;
    // The archive's map of loaded classes and objects: index 0 is the null object; every new class and every
    // new object takes the next index.
    std::vector<ClassKind> m_map{classNone};
    size_t m_objects = 0;
};

int JwwReader::ReadHeader(Header& h)
{
    if (m_in.Left() < 8)
        return JWConvert::resultNotJw;
    char magic[8];
    for (char& c : magic)
        c = static_cast<char>(m_in.U8());
    if (std::memcmp(magic, "JwwData.", 8) != 0)
        return JWConvert::resultNotJw;
    h.version = m_version = m_in.U32();
    if (!m_in.Ok())
        return JWConvert::resultDamaged;
    if (m_version > JWConvert::kNewestVersion || m_version < 200)
        return JWConvert::resultNotJw;
    m_in.Str();  // memo
    h.paper = m_in.U32();
    m_in.U32();  // the group being written
    for (int g = 0; g < 16; ++g) {
        h.groupState[g] = m_in.U32();
        m_in.U32();  // its layer being written
        h.scale[g] = m_in.F64();
        m_in.U32();  // protection
        for (int l = 0; l < 16; ++l) {
            h.layerState[g][l] = m_in.U32();
            m_in.U32();  // protection
        }
    }
    m_in.Skip(14 * 4);          // reserved
    m_in.Skip(5 * 4 + 4 + 4);   // dimension settings, reserved, widest line
    m_in.Skip(3 * 8 + 4 + 4);   // print origin, factor, print settings, scale mode
    m_in.Skip(5 * 8);           // scale spacing and origin
    for (int g = 0; g < 16; ++g)
        for (int l = 0; l < 16; ++l)
            h.layerName[g][l] = m_in.Str();
    for (int g = 0; g < 16; ++g)
        h.groupName[g] = m_in.Str();
    m_in.Skip(8 + 8 + 4 + 8);  // shadow settings
    if (m_version >= 300)
        m_in.Skip(2 * 8);      // sky chart
    m_in.Skip(4 + 3 * 8 + 3 * 8);  // 2.5D unit, view and remembered view
    if (m_version >= 300) {
        m_in.Skip(8 * (3 * 8 + 4));     // mark jumps
        m_in.Skip(3 * 8 + 4 + 3 * 8 + 4);  // text drawing
    } else {
        m_in.Skip(4 * (3 * 8));
    }
    m_in.Skip(10 * 8 + 8);  // parallel line spacings
    for (int n = 0; n < 10; ++n) {
        h.penColour[n] = m_in.U32();
        m_in.U32();  // screen width
    }
    for (int n = 0; n < 10; ++n) {
        m_in.U32();  // print colour
        h.printWidth[n] = m_in.U32();
        m_in.F64();  // point radius
    }
    m_in.Skip(8 * 4 * 4 + 5 * 5 * 4 + 4 * 4 * 4);  // line type patterns
    m_in.Skip(11 * 4);  // drawing and printing switches
    if (m_version >= 223)
        m_in.Skip(4 + 4 + 3 * 4 + 2 * 8 + 2 * 8 + 8);  // drawing time and 2.5D views
    if (m_version >= 225)
        m_in.Skip(4 * 8);  // last lengths
    if (m_version >= 230)
        m_in.Skip(2 * 4);  // solid colour
    if (m_version >= 420) {
        for (int n = 0; n <= 256; ++n) {
            h.sxfColour[n] = m_in.U32();
            m_in.U32();
        }
        for (int n = 0; n <= 256 && m_in.Ok(); ++n) {
            m_in.Str();
            m_in.Skip(4 + 4 + 8);
        }
        m_in.Skip(33 * 4 * 4);
        for (int n = 0; n <= 32 && m_in.Ok(); ++n) {
            m_in.Str();
            m_in.Skip(4 + 10 * 8);
        }
    }
    m_in.Skip(10 * (3 * 8 + 4));  // text kinds
    m_in.Skip(3 * 8 + 2 * 4 + 2 * 8 + 4 + 6 * 8);  // the text being written and text placement
    return m_in.Ok() ? 0 : JWConvert::resultDamaged;
}

int JwwReader::ReadCount(size_t& count, size_t minBytes)
{
    count = m_in.U16();
    if (count == 0xFFFF)
        count = m_in.U32();
    if (!m_in.Ok())
        return JWConvert::resultDamaged;
    if (count > m_in.Left() / minBytes)
        return JWConvert::resultDamaged;
    return 0;
}

int JwwReader::ReadTag(ClassKind& kind)
{
    WORD tag = m_in.U16();
    if (!m_in.Ok())
        return JWConvert::resultDamaged;
    DWORD index = 0;
    bool isClass = false;
    if (tag == 0xFFFF) {
        // A new class: schema, name length, name.
        m_in.U16();
        const WORD len = m_in.U16();
        if (!m_in.Has(len) || len > 64)
            return JWConvert::resultDamaged;
        std::string name;
        for (WORD i = 0; i < len; ++i)
            name.push_back(static_cast<char>(m_in.U8()));
        static const std::map<std::string, ClassKind> classes = {
            {"CDataSen", classLine},   {"CDataEnko", classArc},   {"CDataTen", classPoint},
            {"CDataMoji", classText},  {"CDataSolid", classSolid}, {"CDataBlock", classBlock},
            {"CDataSunpou", classDimension}, {"CDataList", classList}};
        auto it = classes.find(name);
        if (it == classes.end())
            return JWConvert::resultDamaged;
        m_map.push_back(it->second);
        kind = it->second;
    } else {
        if (tag == 0x7FFF) {
            const DWORD big = m_in.U32();
            isClass = (big & 0x80000000u) != 0;
            index = big & 0x7FFFFFFFu;
        } else {
            isClass = (tag & 0x8000) != 0;
            index = tag & 0x7FFF;
        }
        if (!m_in.Ok() || !isClass || index == 0 || index >= m_map.size() || m_map[index] == classNone)
            return JWConvert::resultDamaged;  // null objects, references to objects read before, unknown tags
        kind = m_map[index];
    }
    // The object itself takes the next index.
    if (m_map.size() >= 0x7FFFFFFF)
        return JWConvert::resultBeyondLimits;
    m_map.push_back(classNone);
    if ((++m_objects & 0x3FF) == 0 && m_progress && !m_progress(m_in.Pos()))
        return JWConvert::resultCancelled;
    return 0;
}

void JwwReader::ReadBase(Record& r)
{
    m_in.U32();  // curve group
    r.style = m_in.U8();
    r.colour = m_in.U16();
    if (m_version >= 351)
        r.width = m_in.U16();
    r.layer = m_in.U16();
    r.group = m_in.U16();
    r.flags = m_in.U16();
}

void JwwReader::ReadLine(Record& r, int offset)
{
    for (int i = 0; i < 4; ++i)
        r.d[offset + i] = m_in.F64();
}

void JwwReader::ReadText(Record& r, int offset)
{
    for (int i = 0; i < 4; ++i)
        r.d[offset + i] = m_in.F64();
    r.u = m_in.U32();
    r.d[offset + 4] = m_in.F64();
    r.d[offset + 5] = m_in.F64();
    r.d[offset + 6] = m_in.F64();
    r.d[offset + 7] = m_in.F64();
    r.font = m_in.Str();
    r.text = m_in.Str();
}

void JwwReader::ReadPoint(double& x, double& y)
{
    Record p;
    ReadBase(p);
    x = m_in.F64();
    y = m_in.F64();
    m_in.U32();  // virtual point
    if (p.style == 100) {
        m_in.U32();
        m_in.F64();
        m_in.F64();
    }
}

int JwwReader::ReadRecord(ClassKind kind, Record& r)
{
    ReadBase(r);
    switch (kind) {
    case classLine:
        r.kind = Record::kindLine;
        ReadLine(r);
        break;
    case classArc:
        r.kind = Record::kindArc;
        for (int i = 0; i < 7; ++i)
            r.d[i] = m_in.F64();
        r.u = m_in.U32();
        break;
    case classPoint:
        r.kind = Record::kindPoint;
        r.d[0] = m_in.F64();
        r.d[1] = m_in.F64();
        r.u = m_in.U32();
        r.d[3] = 1;
        if (r.style == 100) {
            m_in.U32();  // marker code
            r.d[2] = m_in.F64();
            r.d[3] = m_in.F64();
        }
        break;
    case classText:
        r.kind = Record::kindText;
        ReadText(r, 0);
        break;
    case classSolid:
        r.kind = Record::kindSolid;
        for (int i = 0; i < 8; ++i)
            r.d[i] = m_in.F64();
        if (r.colour == 10) {
            r.u = m_in.U32();
            r.bRgb = true;
        }
        break;
    case classBlock:
        r.kind = Record::kindBlock;
        for (int i = 0; i < 5; ++i)
            r.d[i] = m_in.F64();
        r.u = m_in.U32();
        break;
    case classDimension: {
        r.kind = Record::kindDimension;
        // Its line and its text, each written whole with their own base fields.
        Record line;
        ReadBase(line);
        ReadLine(r, 0);
        Record text;
        ReadBase(text);
        ReadText(r, 8);
        r.colour = line.colour;
        r.style = line.style;
        if (m_version >= 420) {
            m_in.U16();  // SXF mode
            for (int i = 0; i < 2; ++i) {
                Record aux;
                ReadBase(aux);
                m_in.Skip(4 * 8);
            }
            double x = 0, y = 0;
            ReadPoint(x, y);
            ReadPoint(x, y);
            ReadPoint(r.d[16], r.d[17]);
            ReadPoint(r.d[18], r.d[19]);
            r.bReference = true;
        }
        break;
    }
    default:
        return JWConvert::resultDamaged;
    }
    return m_in.Ok() ? 0 : JWConvert::resultDamaged;
}

int JwwReader::ReadShapes(const std::function<int(Record&&)>& sink)
{
    size_t count = 0;
    // The smallest object is a tag and the base fields.
    if (int r = ReadCount(count, 2 + 13))
        return r;
    for (size_t i = 0; i < count; ++i) {
        ClassKind kind = classNone;
        if (int r = ReadTag(kind))
            return r;
        if (kind == classList)
            return JWConvert::resultDamaged;  // definitions live in their own list
        Record rec;
        if (int r = ReadRecord(kind, rec))
            return r;
        if (int r = sink(std::move(rec)))
            return r;
    }
    return 0;
}

int JwwReader::ReadDefinitions(std::vector<Definition>& out)
{
    size_t count = 0;
    if (int r = ReadCount(count, 2 + 13 + 8 + 1 + 2))
        return r;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        ClassKind kind = classNone;
        if (int r = ReadTag(kind))
            return r;
        if (kind != classList)
            return JWConvert::resultDamaged;
        Record base;
        ReadBase(base);
        Definition def;
        def.group = base.group;
        def.number = m_in.U32();
        m_in.U32();  // referenced
        m_in.U32();  // the time it was made
        def.name = m_in.Str();
        // A composite figure's kind follows its name after "@@SfigorgFlag@@".
        const int at = def.name.Find(_T("@@SfigorgFlag@@"));
        if (at >= 0)
            def.name = def.name.Left(at);
        if (!m_in.Ok())
            return JWConvert::resultDamaged;
        if (int r = ReadShapes([&def](Record&& rec) {
                if (def.records.size() >= static_cast<size_t>(JWConvert::kMaxShapes))
                    return static_cast<int>(JWConvert::resultBeyondLimits);
                def.records.push_back(std::move(rec));
                return 0;
            }))
            return r;
        out.push_back(std::move(def));
    }
    return 0;
}

// Builds the drawing from what was read.
class JwwBuilder
{
public:
    JwwBuilder(Draw2dDocument* pDoc, const Header& h) : m_pDoc(pDoc), m_h(h) {}

    // The paper and the layer tree, before any shape.
    void Begin();
    // Symbol files instead: every shape goes into the definition, on the layer given.
    void BeginSymbol(DrawingFeatureBase* pDefinition, long nLayerID)
    {
        m_pSymbol = pDefinition;
        m_nSymbolLayer = nLayerID;
    }
    // A shape of the drawing; placements wait for the definitions, which the file gives last.
    int AddTop(Record&& r);
    int Finish(std::vector<Definition>& defs);
    long Shapes() const { return m_nShapes; }
    int LeftOut() const { return m_nLeftOut; }

private:
    void MakeLayers();
    void MakePaper();
    long LayerID(const Record& r) const;
    short ColourNo(const Record& r);
    short ColourNoOf(COLORREF rgb);
    short WidthNo(const Record& r) const;
    short LineTypeNo(const Record& r) const;
    double Scale(WORD group) const;
    // The drawing of the layer group, made with its layout on first use.
    DrawingFeatureBase* GroupDrawing(WORD group);
    // The shape for the record, nullptr for one that is left out (counted) or has no extent.
    Feature2dBase* MakeShape(const Record& r, double scale, std::vector<Feature2dBase*>& extra);
    int Add(const Record& r, DrawingFeatureBase* pTarget, double scale);
    int64_t Pieces(Definition& def, int depth, std::set<DWORD>& path);

    Draw2dDocument* m_pDoc;
    const Header& m_h;
    long m_layers[16][16] = {};
    long m_groupDrawing[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::map<long, short> m_colourNos;
    short m_nNextUserColour = 17;
    std::map<DWORD, Definition*> m_defs;
    std::vector<Record> m_placements;
    DrawingFeatureBase* m_pSymbol = nullptr;
    long m_nSymbolLayer = -1;
    long m_nShapes = 0;
    int m_nLeftOut = 0;
};

double JwwBuilder::Scale(WORD group) const
{
    if (m_pSymbol != nullptr)
        return 1.0;  // symbols are drawn full size
    const double s = group < 16 ? m_h.scale[group] : 1.0;
    return Finite(s) && s > 0 ? s : 1.0;
}

void JwwBuilder::MakeLayers()
{
    for (int g = 0; g < 16; ++g) {
        CString groupName = m_h.groupName[g];
        if (groupName.IsEmpty())
            groupName.Format(_T("Group %X"), g);
        long groupID = m_pDoc->AddLayerGroup(groupName, -1);
        if (groupID < 0)
            groupID = m_pDoc->AddLayerGroup(nullptr, -1);
        for (int l = 0; l < 16; ++l) {
            CString name = m_h.layerName[g][l];
            if (name.IsEmpty())
                name.Format(_T("%X-%X"), g, l);
            long id = m_pDoc->AddLayer(name, groupID);
            if (id < 0)
                id = m_pDoc->AddLayer(groupID, nullptr, 0);
            m_layers[g][l] = id;
            if (id < 0)
                continue;
            // States: 0 hidden, 1 shown only, 2 editable, 3 being written.
            const DWORD gs = m_h.groupState[g], ls = m_h.layerState[g][l];
            const int state = (gs == 0 || ls == 0) ? 2 : (gs == 1 || ls == 1) ? 1 : 0;
            m_pDoc->SetLayerState(id, state, 0);
        }
    }
}

void JwwBuilder::MakePaper()
{
    Paper2dFeature* pPaper = m_pDoc->GetPaperFeature(0);
    if (pPaper == nullptr)
        return;
    const CString name = pPaper->GetDrawingName();
    m_pDoc->SetPaperOrientType(name, 0, 0);  // landscape
    if (m_h.paper <= 4) {
        m_pDoc->SetPaperSizeType(name, static_cast<int>(m_h.paper), 0);
        return;
    }
    // 2A to 5A and the 10 m, 50 m and 100 m sheets, landscape.
    static const std::map<DWORD, std::pair<double, double>> sizes = {
        {8, {1682, 1189}},   {9, {2378, 1682}},     {10, {3364, 2378}},     {11, {4756, 3364}},
        {12, {10000, 7071}}, {13, {50000, 35355}}, {14, {100000, 70711}}};
    auto it = sizes.find(m_h.paper);
    if (it != sizes.end())
        m_pDoc->SetPaperSize(name, it->second.first, it->second.second, 0);
    else
        m_pDoc->SetPaperSizeType(name, 3, 0);
}

long JwwBuilder::LayerID(const Record& r) const
{
    if (m_pSymbol != nullptr)
        return m_nSymbolLayer;
    return m_layers[r.group & 15][r.layer & 15];
}

short JwwBuilder::ColourNoOf(COLORREF rgb)
{
    const ColorFeatureTable* table = m_pDoc->GetColorFeatureTable();
    if (rgb == RGB(255, 255, 255))
        rgb = RGB(0, 0, 0);  // drawn on our white paper
    if (table == nullptr)
        return 1;
    const short exact = table->FindColorNumberByRef(rgb);
    if (exact > 0)
        return exact;
    auto it = m_colourNos.find(static_cast<long>(rgb));
    if (it != m_colourNos.end())
        return it->second;
    if (m_nNextUserColour <= ColorFeatureTable::kColorCount) {
        ColorFeatureTable changed = *table;
        const short no = m_nNextUserColour++;
        if (changed.SetColor(no, rgb)) {
            m_pDoc->SetColorFeatureTable(changed, 0);
            m_colourNos[static_cast<long>(rgb)] = no;
            return no;
        }
    }
    return AcadColor::NearestColorNo(rgb, m_pDoc->GetColorFeatureTable());
}

short JwwBuilder::ColourNo(const Record& r)
{
    // Pens 1-9 with the file's screen colours; 100 and above the SXF colours.
    COLORREF rgb = RGB(0, 0, 0);
    if (r.bRgb)
        rgb = static_cast<COLORREF>(r.u & 0xFFFFFF);
    else if (r.colour >= 1 && r.colour <= 9)
        rgb = static_cast<COLORREF>(m_h.penColour[r.colour] & 0xFFFFFF);
    else if (r.colour >= 100 && r.colour <= 356)
        rgb = static_cast<COLORREF>(m_h.sxfColour[r.colour - 100] & 0xFFFFFF);
    return ColourNoOf(rgb);
}

short JwwBuilder::LineTypeNo(const Record& r) const
{
    // 1 solid, 2-4 dotted and dashed, 5-6 chains, 7-8 double-dotted chains, 9 auxiliary; random lines (11-15)
    // solid; double-length types (16-19) long dashes.
    static const short kTypes[20] = {1, 1, 4, 2, 3, 5, 6, 7, 8, 13, 1, 1, 1, 1, 1, 1, 9, 9, 9, 9};
    return r.style < 20 ? kTypes[r.style] : 1;
}

short JwwBuilder::WidthNo(const Record& r) const
{
    // The pen's print width, in hundredths of a millimetre.
    const DWORD w = r.colour >= 1 && r.colour <= 9 ? m_h.printWidth[r.colour] : 0;
    const double mm = w > 0 && w <= 500 ? w / 100.0 : 0.25;
    const LineWidthFeatureTable* table = m_pDoc->GetLineWidthFeatureTable();
    if (table == nullptr)
        return 0;
    short best = 0;
    double bestDiff = 1e300;
    for (short no = 1; no < table->GetLineWidthSize(); ++no) {
        const double d = std::fabs(table->GetLineWidth(no) - mm);
        if (table->GetLineWidth(no) > 0 && d < bestDiff) {
            bestDiff = d;
            best = no;
        }
    }
    return best;
}

DrawingFeatureBase* JwwBuilder::GroupDrawing(WORD group)
{
    if (m_pSymbol != nullptr)
        return m_pSymbol;
    const int g = group & 15;
    if (m_groupDrawing[g] < 0) {
        CString name = m_h.groupName[g];
        if (name.IsEmpty())
            name.Format(_T("Group %X"), g);
        long id = m_pDoc->AddPartDrawingFeature(name);
        if (id < 0)
            id = m_pDoc->AddPartDrawingFeature(nullptr);
        m_groupDrawing[g] = id;
        Paper2dFeature* pPaper = m_pDoc->GetPaperFeature(0);
        if (id >= 0 && pPaper != nullptr) {
            const long layout = m_pDoc->AddPartLayout(pPaper->GetDrawingID(), id, nullptr, -1, 0);
            if (layout >= 0) {
                // The drawing's origin lies at the middle of the paper.
                double pw = 0, ph = 0;
                m_pDoc->GetPaperSize(pPaper->GetDrawingName(), pw, ph);
                m_pDoc->SetPartLayoutScale(layout, 1.0, Scale(group), FALSE, 1.0, Scale(group), 0);
                m_pDoc->SetPartLayoutOrigin(layout, RuVaPnt2d(pw / 2, ph / 2), 0);
            }
        }
    }
    return m_pDoc->GetDrawingFeatureByID(m_groupDrawing[g]);
}

Feature2dBase* JwwBuilder::MakeShape(const Record& r, double scale, std::vector<Feature2dBase*>& extra)
{
    for (double v : r.d)
        if (!Finite(v)) {
            ++m_nLeftOut;
            return nullptr;
        }
    switch (r.kind) {
    case Record::kindLine: {
        const RuVaPnt2d a(r.d[0], r.d[1]), b(r.d[2], r.d[3]);
        return a.Distance(b) < 1e-7 ? nullptr : new Line2dFeature(a, b);
    }
    case Record::kindArc: {
        const RuVaPnt2d c(r.d[0], r.d[1]);
        const double radius = r.d[2], flat = r.d[6], tilt = Deg(r.d[5]);
        const bool full = r.u != 0;
        if (!Circle2dFeature::IsValidRadius(radius) || !(flat > 0)) {
            ++m_nLeftOut;
            return nullptr;
        }
        const double start = Deg(r.d[3]), end = Deg(r.d[3] + r.d[4]);
        if (std::fabs(flat - 1.0) < 1e-12) {
            if (full)
                return new Circle2dFeature(c, radius);
            return new Arc2dFeature(c, radius, NormDeg(start + tilt), NormDeg(end + tilt), Arc2dFeature::CounterClockwise);
        }
        // The flatness is the ratio of the second axis to the radius along the tilt.
        double major = radius, minor = radius * flat, turn = 0;
        if (flat > 1) {
            std::swap(major, minor);
            turn = 90;
        }
        if (full)
            return new Ellipse2dFeature(c, major, minor, NormDeg(tilt + turn));
        return new EllipseArc2dFeature(c, major, minor, NormDeg(tilt + turn), NormDeg(start - turn), NormDeg(end - turn), 0);
    }
    case Record::kindPoint: {
        auto* p = new PointMarker2dFeature(RuVaPnt2d(r.d[0], r.d[1]));
        p->SetVirtual(r.u != 0 ? TRUE : FALSE);
        return p;
    }
    case Record::kindText:
    case Record::kindDimension: {
        const int o = r.kind == Record::kindText ? 0 : 8;
        if (r.kind == Record::kindDimension) {
            const RuVaPnt2d a(r.d[0], r.d[1]), b(r.d[2], r.d[3]);
            const RuVaPnt2d p1(r.d[16], r.d[17]), p2(r.d[18], r.d[19]);
            const double len = a.Distance(b);
            if (r.bReference && len > 1e-7 && p1.Distance(p2) > 1e-7) {
                // A dimension when its line spans the measured points, seen along the line.
                const double ux = (b.X() - a.X()) / len, uy = (b.Y() - a.Y()) / len;
                const double along = std::fabs((p2.X() - p1.X()) * ux + (p2.Y() - p1.Y()) * uy);
                if (std::fabs(along - len) < 1e-6 * std::max(1.0, len)) {
                    const double angle = Deg(std::atan2(uy, ux));
                    const double t = (a.X() - p1.X()) * -uy + (a.Y() - p1.Y()) * ux;
                    const double projectionAngle = NormDeg(t >= 0 ? angle + 90 : angle - 90);
                    Feature2dBase* pDim = FeatureCreator::CreateLinearDimensionFeature(
                        p1, p2, std::fabs(t), projectionAngle, NormDeg(angle), 1, r.text, 1,
                        RuVaPnt2d(r.d[8], r.d[9]), 0, m_pDoc->GetDimensionSetting(), 0, 0);
                    if (pDim != nullptr)
                        return pDim;
                }
            }
            if (len > 1e-7)
                extra.push_back(new Line2dFeature(a, b));
        }
        if (r.text.IsEmpty())
            return nullptr;
        auto* t = new Text2dFeature;
        t->SetText(r.text);
        t->SetPoint(RuVaPnt2d(r.d[o], r.d[o + 1]));
        // Text sizes are paper millimetres: the drawing's scale brings them to its own.
        const double h = r.d[o + 5] > 0 ? r.d[o + 5] * scale : 2.5 * scale;
        t->SetHeight(h);
        if (r.d[o + 4] > 0 && r.d[o + 5] > 0) {
            const double ratio = r.d[o + 4] / r.d[o + 5];
            if (ratio >= 0.1 && ratio <= 10)
                t->SetWidthRatio(ratio);
        }
        if (r.d[o + 6] > 0)
            t->SetCharSpacing(r.d[o + 6] * scale);
        t->SetAngle(NormDeg(r.d[o + 7]));
        if (!r.font.IsEmpty())
            t->SetFontName(r.font);
        t->SetHorizonArrange(0);
        t->SetVerticalArrange(2);
        t->SetAutoLayoutRect();
        if (r.kind == Record::kindDimension && !extra.empty()) {
            extra.push_back(t);
            return nullptr;
        }
        return t;
    }
    case Record::kindSolid: {
        if (r.style >= 101) {
            ++m_nLeftOut;  // the round solids
            return nullptr;
        }
        // Corners 1, 2, 3, 4 round the outline (the file writes 1, 4, 2, 3).
        KcArrayOfGePnt2d outline;
        for (int i : {0, 4, 6, 2}) {
            const RuVaPnt2d p(r.d[i], r.d[i + 1]);
            if (outline.GetSize() == 0 || outline[outline.GetSize() - 1].Distance(p) > 1e-7)
                outline.Add(p);
        }
        if (outline.GetSize() > 1 && outline[0].Distance(outline[outline.GetSize() - 1]) <= 1e-7)
            outline.RemoveAt(outline.GetSize() - 1);
        if (outline.GetSize() < 3) {
            ++m_nLeftOut;
            return nullptr;
        }
        HatchSetting setting;
        if (const HatchSetting* pCurrent = m_pDoc->GetHatchSetting())
            setting = *pCurrent;
        setting.SetHatchType(Hatch2dFeature::Solid);
        setting.SetSolidColorNo(0);
        setting.SetRegionDisplayMode(0);
        Feature2dBase* pHatch = FeatureCreator::CreateHatchFeature(outline, nullptr, nullptr, 0, &setting);
        if (pHatch == nullptr)
            ++m_nLeftOut;
        return pHatch;
    }
    case Record::kindBlock: {
        auto it = m_defs.find(r.u);
        if (it == m_defs.end() || it->second->nComponentID < 0)
            return nullptr;
        auto* inst = new DrawComponent2dFeature;
        inst->SetComponentDefineID(it->second->nComponentID);
        inst->SetOrigin(RuVaPnt2d(r.d[0], r.d[1]));
        inst->SetAngle(NormDeg(Deg(r.d[4])));
        inst->SetScale(r.d[2] != 0 ? r.d[2] : 1.0, r.d[3] != 0 ? r.d[3] : 1.0);
        return inst;
    }
    }
    return nullptr;
}

int JwwBuilder::Add(const Record& r, DrawingFeatureBase* pTarget, double scale)
{
    std::vector<Feature2dBase*> extra;
    Feature2dBase* pShape = MakeShape(r, scale, extra);
    if (pShape != nullptr)
        extra.insert(extra.begin(), pShape);
    int result = 0;
    for (Feature2dBase* f : extra) {
        std::unique_ptr<Feature2dBase> owned(f);
        if (result != 0 || !f->IsValid() || pTarget == nullptr)
            continue;
        if (++m_nShapes > JWConvert::kMaxShapes) {
            result = JWConvert::resultBeyondLimits;
            continue;
        }
        f->SetLayerID(LayerID(r));
        f->SetColorNo(ColourNo(r));
        f->SetLineTypeNo(LineTypeNo(r));
        f->SetLineWidthNo(WidthNo(r));
        m_pDoc->AddFeature(f, pTarget, 0);
    }
    return result;
}

int64_t JwwBuilder::Pieces(Definition& def, int depth, std::set<DWORD>& path)
{
    // -1 a cycle, -2 too deep; counted once per definition (saturating).
    if (depth > JWConvert::kMaxNesting)
        return -2;
    if (def.nPieces >= 0)
        return depth + def.nHeight - 1 > JWConvert::kMaxNesting ? -2 : def.nPieces;
    if (!path.insert(def.number).second)
        return -1;
    int64_t pieces = 0;
    int height = 1;
    for (const Record& r : def.records) {
        if (r.kind != Record::kindBlock) {
            ++pieces;
            continue;
        }
        auto it = m_defs.find(r.u);
        if (it == m_defs.end())
            return -3;
        const int64_t p = Pieces(*it->second, depth + 1, path);
        if (p < 0)
            return p;
        height = std::max(height, it->second->nHeight + 1);
        pieces = std::min<int64_t>(pieces + std::max<int64_t>(p, 1), JWConvert::kMaxPieces + 1);
    }
    path.erase(def.number);
    def.nPieces = pieces;
    def.nHeight = height;
    return pieces;
}

void JwwBuilder::Begin()
{
    for (long& id : m_groupDrawing)
        id = -1;
    MakePaper();
    MakeLayers();
}

int JwwBuilder::AddTop(Record&& r)
{
    if (r.kind == Record::kindBlock) {
        m_placements.push_back(std::move(r));
        return 0;
    }
    return Add(r, GroupDrawing(r.group), Scale(r.group));
}

int JwwBuilder::Finish(std::vector<Definition>& defs)
{
    for (Definition& d : defs)
        if (!m_defs.emplace(d.number, &d).second)
            return JWConvert::resultDamaged;  // the same number twice
    // The block graph: every placed number defined, no cycles, nesting and expansion bounded.
    for (Definition& d : defs) {
        std::set<DWORD> path;
        const int64_t p = Pieces(d, 1, path);
        if (p == -1 || p == -3)
            return JWConvert::resultDamaged;
        if (p == -2 || p > JWConvert::kMaxPieces)
            return JWConvert::resultBeyondLimits;
    }
    int64_t top = m_nShapes;
    for (const Record& r : m_placements) {
        auto it = m_defs.find(r.u);
        if (it == m_defs.end())
            return JWConvert::resultDamaged;
        top = std::min<int64_t>(top + std::max<int64_t>(it->second->nPieces, 1), JWConvert::kMaxPieces + 1);
    }
    if (top > JWConvert::kMaxPieces)
        return JWConvert::resultBeyondLimits;
    // Definitions, inner ones first, so each placement finds its definition complete.
    std::vector<Definition*> order;
    for (Definition& d : defs)
        order.push_back(&d);
    std::stable_sort(order.begin(), order.end(), [](const Definition* a, const Definition* b) { return a->nHeight < b->nHeight; });
    for (Definition* d : order) {
        DrawComponent2dFeatureDefine def;
        CString name = d->name;
        if (name.IsEmpty())
            name.Format(_T("Block %u"), d->number);
        if (!def.SetComponentName(name))
            def.SetComponentName(_T("Block"));
        d->nComponentID = m_pDoc->AddDrawComponentDefine(def);
        for (int n = 2; d->nComponentID < 0 && n < 1000; ++n) {
            CString alt;
            alt.Format(_T("%s (%d)"), static_cast<LPCTSTR>(def.GetComponentName()), n);
            DrawComponent2dFeatureDefine other;
            other.SetComponentName(alt);
            d->nComponentID = m_pDoc->AddDrawComponentDefine(other);
        }
        if (d->nComponentID < 0)
            return JWConvert::resultBeyondLimits;
        DrawingFeatureBase* pTarget = m_pDoc->GetComponentDefineTable()->GetComponentDefine(d->nComponentID);
        for (const Record& r : d->records)
            if (int e = Add(r, pTarget, Scale(d->group)))
                return e;
    }
    for (const Record& r : m_placements)
        if (int e = Add(r, GroupDrawing(r.group), Scale(r.group)))
            return e;
    // The layer being written: the first layer of the first group that holds shapes.
    for (int g = 0; g < 16 && m_pSymbol == nullptr; ++g)
        if (m_groupDrawing[g] >= 0 && m_layers[g][0] >= 0) {
            m_pDoc->SetCurrentLayerID(m_layers[g][0], 0);
            break;
        }
    return 0;
}

}  // namespace

BOOL JWConvert::Progress(int nKind, int nPosition)
{
    if (m_pfnProgress == nullptr)
        return TRUE;
    NotifyProgressInfo info;
    info.m_nKind = nKind;
    info.m_nDisplayType = 2;
    info.m_nRangeMin = 0;
    info.m_nRangeMax = 100;
    info.m_nPosition = nPosition;
    return m_pfnProgress(&info, m_pProgressUser) != 0;
}

int JWConvert::ReadJWCFile(LPCTSTR /*lpszPath*/, Draw2dDocument* /*pDocument*/, int /*nFlag*/)
{
    m_nLeftOut = 0;
    return resultKindNotReadable;
}

int JWConvert::ReadJWSFile(LPCTSTR lpszFolder, const CStringArray& names, Draw2dDocument* pDocument,
                           const JWSetting* pSetting)
{
    // Each symbol file holds the archive of a drawing (the form of JWW); all of its shapes make one
    // component named after the file. The caller brackets the whole import as one undo step and undoes it
    // on failure, so nothing here empties the document.
    m_nLeftOut = 0;
    if (pDocument == nullptr)
        return resultUnreadable;
    const CString folder = lpszFolder != nullptr ? CString(lpszFolder) : CString();
    long layer = pSetting != nullptr ? pSetting->m_nJwkLayerID : -1;
    if (layer < 0 || pDocument->GetLayerTable()->GetLayerName(layer).IsEmpty())
        layer = pDocument->GetCurrentLayerID();
    int total = 0;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        if (!Progress(NotifyProgressInfo::kindStep, static_cast<int>(i * 100 / names.GetSize())))
            return resultCancelled;
        CString path = folder;
        if (!path.IsEmpty() && path[path.GetLength() - 1] != u'/')
            path += _T("/");
        path += names[i];
        std::vector<BYTE> data;
        if (int r = ReadWholeFile(path, data))
            return r;
        JwwReader reader(data.data(), data.size());
        Header header;
        int r = reader.ReadHeader(header);
        if (r != 0)
            return r;
        // The component, named after the file, a number added when the name is taken.
        CString title = names[i];
        const int dot = title.ReverseFind(u'.');
        if (dot > 0)
            title = title.Left(dot);
        long id = -1;
        for (int n = 1; id < 0 && n < 10000; ++n) {
            CString name = title;
            if (n > 1)
                name.Format(_T("%s (%d)"), static_cast<LPCTSTR>(title), n);
            if (name.IsEmpty())
                name = _T("Symbol");
            DrawComponent2dFeatureDefine def;
            if (!def.SetComponentName(name))
                break;
            id = pDocument->AddDrawComponentDefine(def);
        }
        if (id < 0)
            return resultBeyondLimits;
        JwwBuilder builder(pDocument, header);
        builder.BeginSymbol(pDocument->GetComponentDefineTable()->GetComponentDefine(id), layer);
        std::vector<Definition> defs;
        r = reader.ReadShapes([&builder](Record&& rec) { return builder.AddTop(std::move(rec)); });
        if (r == 0)
            r = reader.ReadDefinitions(defs);
        if (r == 0)
            r = builder.Finish(defs);
        if (r != 0)
            return r;
        m_nLeftOut += builder.LeftOut();
        total = static_cast<int>(std::min<long>(total + builder.Shapes(), 0x7FFFFFFF));
    }
    return total;
}

int JWConvert::ReadJWKFile(LPCTSTR /*lpszFolder*/, const CStringArray& /*names*/, Draw2dDocument* /*pDocument*/,
                           const JWSetting* /*pSetting*/)
{
    m_nLeftOut = 0;
    return resultKindNotReadable;
}

int JWConvert::ReadWholeFile(const CString& strPath, std::vector<BYTE>& data)
{
    const std::string native = CFile::NativePath(strPath);
    FILE* fp = std::fopen(native.c_str(), "rb");
    if (fp == nullptr)
        return resultUnreadable;
    long long size = -1;
    if (std::fseek(fp, 0, SEEK_END) == 0)
        size = std::ftell(fp);
    if (size < 0) {
        std::fclose(fp);
        return resultUnreadable;
    }
    if (size > kMaxFileSize) {
        std::fclose(fp);
        return resultBeyondLimits;
    }
    std::rewind(fp);
    try {
        data.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        std::fclose(fp);
        return resultBeyondLimits;
    }
    const size_t got = size > 0 ? std::fread(data.data(), 1, data.size(), fp) : 0;
    const bool bad = std::ferror(fp) != 0 || got != data.size();
    std::fclose(fp);
    return bad ? resultUnreadable : 0;
}

int JWConvert::ReadJWWFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, CString& strMessage, int /*nFlag*/)
{
    strMessage.Empty();
    m_nLeftOut = 0;
    m_dwVersion = 0;
    if (lpszPath == nullptr || pDocument == nullptr)
        return resultUnreadable;
    std::vector<BYTE> data;
    if (int r = ReadWholeFile(CString(lpszPath), data))
        return r;
    return ReadJWWData(data.data(), data.size(), pDocument, strMessage);
}

int JWConvert::ReadJWWData(const BYTE* pData, size_t nSize, Draw2dDocument* pDocument, CString& strMessage)
{
    strMessage.Empty();
    m_nLeftOut = 0;
    m_dwVersion = 0;
    if (pDocument == nullptr)
        return resultUnreadable;
    auto fail = [&](int nCode) {
        Progress(NotifyProgressInfo::kindEnd, 0);
        pDocument->InitDocument();
        return nCode;
    };
    if (!Progress(NotifyProgressInfo::kindBegin, 0))
        return fail(resultCancelled);
    JwwReader reader(pData, pData != nullptr ? nSize : 0);
    reader.m_progress = [this, nSize](size_t pos) {
        return Progress(NotifyProgressInfo::kindStep, static_cast<int>(pos * 80 / std::max<size_t>(nSize, 1))) != FALSE;
    };
    Header header;
    int r = reader.ReadHeader(header);
    m_dwVersion = header.version;
    if (r == resultNotJw && header.version > kNewestVersion) {
        // A newer format than the description this reader follows: say which.
        CString format;
        if (!format.LoadString(IDS_NEWER_JW_VERSION))
            format = _T("This JWW file is of format version %u; this program reads JWW files up to version %u.");
        strMessage.Format(format, static_cast<unsigned>(header.version), static_cast<unsigned>(kNewestVersion));
    }
    // Shapes are built as they are read; placements and definitions wait for the end of the file.
    std::vector<Definition> defs;
    JwwBuilder builder(pDocument, header);
    pDocument->BeginUndoOperation();
    if (r == 0) {
        builder.Begin();
        r = reader.ReadShapes([&builder](Record&& rec) { return builder.AddTop(std::move(rec)); });
    }
    if (r == 0)
        r = reader.ReadDefinitions(defs);
    if (r == 0 && !Progress(NotifyProgressInfo::kindStep, 80))
        r = resultCancelled;
    if (r == 0)
        r = builder.Finish(defs);
    pDocument->EndUndoOperation();
    if (r != 0)
        return fail(r);
    pDocument->ClearUndoRedoHistory();
    m_nLeftOut = builder.LeftOut();
    Progress(NotifyProgressInfo::kindEnd, 100);
    return static_cast<int>(std::min<long>(builder.Shapes(), 0x7FFFFFFF));
}

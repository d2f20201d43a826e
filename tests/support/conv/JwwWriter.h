#pragma once
// Writes small JWW files for tests, as the format's published description lays them out: "JwwData.", the
// version, the settings (zeros where a test has no need of them), then the shape list and the block
// definition list as MFC object lists with their class tags. Strings are Shift-JIS, written through
// Sjis() by the caller.

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/ole/CodePageText.h"

class JwwWriter
{
public:
    struct Base {
        uint8_t style = 1;
        uint16_t colour = 2;
        uint16_t width = 0;
        uint16_t layer = 0;
        uint16_t group = 0;
        uint16_t flags = 0;
    };

    JwwWriter()
    {
        for (double& s : scale)
            s = 1.0;
        for (uint32_t& s : groupState)
            s = 2;
        for (auto& row : layerState)
            for (uint32_t& s : row)
                s = 2;
        for (int n = 0; n < 10; ++n) {
            penColour[n] = 0;
            printWidth[n] = 25;
        }
        penColour[2] = 0x000000;
        penColour[3] = 0x00FF00;  // COLORREF: blue in the high byte, red in the low
        penColour[6] = 0xFF0000;
    }

    static std::string Sjis(const char16_t* text) { return CodePageText::Encode(CString(text), 932); }

    uint32_t version = 420;
    uint32_t paper = 3;
    double scale[16];
    uint32_t groupState[16];
    uint32_t layerState[16][16];
    std::string groupName[16];  // Shift-JIS
    std::string layerName[16][16];
    uint32_t penColour[10];
    uint32_t printWidth[10];

    void Line(const Base& b, double x1, double y1, double x2, double y2)
    {
        Object o{"CDataSen", BaseBytes(b)};
        D(o.data, {x1, y1, x2, y2});
        Add(std::move(o));
    }
    void Arc(const Base& b, double cx, double cy, double r, double start, double sweep, double tilt, double flat,
             bool full)
    {
        Object o{"CDataEnko", BaseBytes(b)};
        D(o.data, {cx, cy, r, start, sweep, tilt, flat});
        U32(o.data, full ? 1 : 0);
        Add(std::move(o));
    }
    void Point(const Base& b, double x, double y, bool bVirtual)
    {
        Object o{"CDataTen", BaseBytes(b)};
        D(o.data, {x, y});
        U32(o.data, bVirtual ? 1 : 0);
        if (b.style == 100) {
            U32(o.data, 1);
            D(o.data, {0.0, 1.0});
        }
        Add(std::move(o));
    }
    void Text(const Base& b, double x, double y, double sizeX, double sizeY, double spacing, double angleDeg,
              const std::string& font, const std::string& text)
    {
        Object o{"CDataMoji", BaseBytes(b)};
        TextBody(o.data, x, y, sizeX, sizeY, spacing, angleDeg, font, text);
        Add(std::move(o));
    }
    void Solid(const Base& b, const double (&xy)[8], bool bRgb = false, uint32_t rgb = 0)
    {
        Object o{"CDataSolid", BaseBytes(b)};
        for (double v : xy)
            D(o.data, {v});
        if (b.colour == 10 || bRgb)
            U32(o.data, rgb);
        Add(std::move(o));
    }
    void Block(const Base& b, double x, double y, double sx, double sy, double angleRad, uint32_t number)
    {
        Object o{"CDataBlock", BaseBytes(b)};
        D(o.data, {x, y, sx, sy, angleRad});
        U32(o.data, number);
        Add(std::move(o));
    }
    // A dimension: its line from (x1, y1) to (x2, y2), its text at (tx, ty), and (from version 420) the two
    // points it measures.
    void Dimension(const Base& b, double x1, double y1, double x2, double y2, double tx, double ty,
                   const std::string& text, double p1x, double p1y, double p2x, double p2y)
    {
        Object o{"CDataSunpou", BaseBytes(b)};
        Append(o.data, BaseBytes(b));
        D(o.data, {x1, y1, x2, y2});
        Append(o.data, BaseBytes(b));
        TextBody(o.data, tx, ty, tx + 10, ty, 2.5, 2.5, 0, 0, Sjis(u"ＭＳ ゴシック"), text);
        if (version >= 420) {
            o.data += std::string(2, '\0');  // SXF mode
            for (int i = 0; i < 2; ++i) {
                Append(o.data, BaseBytes(b));
                D(o.data, {0, 0, 0, 0});
            }
            for (const auto& p : {std::pair{x1, y1}, std::pair{x2, y2}, std::pair{p1x, p1y}, std::pair{p2x, p2y}}) {
                Append(o.data, BaseBytes(b));
                D(o.data, {p.first, p.second});
                U32(o.data, 0);
            }
        }
        Add(std::move(o));
    }

    // Shapes added until EndDefinition go into a block definition.
    void BeginDefinition(uint32_t number, const std::string& name)
    {
        m_defs.push_back(Definition{number, name, {}});
        m_bInDefinition = true;
    }
    void EndDefinition() { m_bInDefinition = false; }

    std::string Bytes() const
    {
        std::string out = "JwwData.";
        U32(out, version);
        Str(out, "");  // memo
        U32(out, paper);
        U32(out, 0);
        for (int g = 0; g < 16; ++g) {
            U32(out, groupState[g]);
            U32(out, 0);
            D(out, {scale[g]});
            U32(out, 0);
            for (int l = 0; l < 16; ++l) {
                U32(out, layerState[g][l]);
                U32(out, 0);
            }
        }
        Zeros(out, 14 * 4 + 5 * 4 + 4 + 4 + 3 * 8 + 4 + 4 + 5 * 8);
        for (int g = 0; g < 16; ++g)
            for (int l = 0; l < 16; ++l)
                Str(out, layerName[g][l]);
        for (int g = 0; g < 16; ++g)
            Str(out, groupName[g]);
        Zeros(out, 8 + 8 + 4 + 8);
        if (version >= 300)
            Zeros(out, 2 * 8);
        Zeros(out, 4 + 3 * 8 + 3 * 8);
        if (version >= 300)
            Zeros(out, 8 * (3 * 8 + 4) + 3 * 8 + 4 + 3 * 8 + 4);
        else
            Zeros(out, 4 * 3 * 8);
        Zeros(out, 10 * 8 + 8);
        for (int n = 0; n < 10; ++n) {
            U32(out, penColour[n]);
            U32(out, 1);
        }
        for (int n = 0; n < 10; ++n) {
            U32(out, 0);
            U32(out, printWidth[n]);
            D(out, {0.5});
        }
        Zeros(out, 8 * 4 * 4 + 5 * 5 * 4 + 4 * 4 * 4 + 11 * 4);
        if (version >= 223)
            Zeros(out, 4 + 4 + 3 * 4 + 2 * 8 + 2 * 8 + 8);
        if (version >= 225)
            Zeros(out, 4 * 8);
        if (version >= 230)
            Zeros(out, 2 * 4);
        if (version >= 420) {
            Zeros(out, 257 * 8);
            for (int n = 0; n <= 256; ++n) {
                Str(out, "");
                Zeros(out, 4 + 4 + 8);
            }
            Zeros(out, 33 * 4 * 4);
            for (int n = 0; n <= 32; ++n) {
                Str(out, "");
                Zeros(out, 4 + 10 * 8);
            }
        }
        Zeros(out, 10 * (3 * 8 + 4) + 3 * 8 + 2 * 4 + 2 * 8 + 4 + 6 * 8);
        std::map<std::string, uint16_t> classes;
        uint32_t mapCount = 1;
        WriteList(out, m_shapes, classes, mapCount);
        Count(out, m_defs.size());
        for (const Definition& d : m_defs) {
            Tag(out, "CDataList", classes, mapCount);
            Append(out, BaseBytes(Base{}));
            U32(out, d.number);
            U32(out, 1);
            U32(out, 0);  // the time
            Str(out, d.name);
            WriteList(out, d.shapes, classes, mapCount);
        }
        return out;
    }

private:
    struct Object {
        std::string cls;
        std::string data;
    };
    struct Definition {
        uint32_t number;
        std::string name;
        std::vector<Object> shapes;
    };

    void Add(Object o)
    {
        if (m_bInDefinition)
            m_defs.back().shapes.push_back(std::move(o));
        else
            m_shapes.push_back(std::move(o));
    }
    std::string BaseBytes(const Base& b) const
    {
        std::string s;
        U32(s, 0);
        s.push_back(static_cast<char>(b.style));
        U16(s, b.colour);
        if (version >= 351)
            U16(s, b.width);
        U16(s, b.layer);
        U16(s, b.group);
        U16(s, b.flags);
        return s;
    }
    static void TextBody(std::string& s, double x, double y, double sizeX, double sizeY, double spacing, double angle,
                         const std::string& font, const std::string& text)
    {
        D(s, {x, y, x + 10, y});
        U32(s, 1);
        D(s, {sizeX, sizeY, spacing, angle});
        Str(s, font);
        Str(s, text);
    }
    static void TextBody(std::string& s, double x, double y, double ex, double ey, double sizeX, double sizeY,
                         double spacing, double angle, const std::string& font, const std::string& text)
    {
        D(s, {x, y, ex, ey});
        U32(s, 1);
        D(s, {sizeX, sizeY, spacing, angle});
        Str(s, font);
        Str(s, text);
    }
    static void Append(std::string& s, const std::string& more) { s += more; }
    static void Zeros(std::string& s, size_t n) { s.append(n, '\0'); }
    static void U16(std::string& s, uint16_t v)
    {
        s.push_back(static_cast<char>(v & 0xFF));
        s.push_back(static_cast<char>(v >> 8));
    }
    static void U32(std::string& s, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    static void D(std::string& s, std::initializer_list<double> values)
    {
        for (double v : values) {
            uint64_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            for (int i = 0; i < 8; ++i)
                s.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        }
    }
    static void Str(std::string& s, const std::string& bytes)
    {
        if (bytes.size() < 0xFF) {
            s.push_back(static_cast<char>(bytes.size()));
        } else {
            s.push_back(static_cast<char>(0xFF));
            U16(s, static_cast<uint16_t>(bytes.size()));
        }
        s += bytes;
    }
    static void Count(std::string& s, size_t n)
    {
        if (n < 0xFFFF) {
            U16(s, static_cast<uint16_t>(n));
        } else {
            U16(s, 0xFFFF);
            U32(s, static_cast<uint32_t>(n));
        }
    }
    // A new class is written with its name once; later objects of it refer to its index.
    static void Tag(std::string& s, const std::string& cls, std::map<std::string, uint16_t>& classes, uint32_t& mapCount)
    {
        auto it = classes.find(cls);
        if (it == classes.end()) {
            U16(s, 0xFFFF);
            U16(s, 1);  // schema
            U16(s, static_cast<uint16_t>(cls.size()));
            s += cls;
            classes[cls] = static_cast<uint16_t>(mapCount++);
        } else if (it->second < 0x7FFF) {
            U16(s, static_cast<uint16_t>(0x8000 | it->second));
        } else {
            U16(s, 0x7FFF);
            U32(s, 0x80000000u | it->second);
        }
        ++mapCount;  // the object
    }
    static void WriteList(std::string& out, const std::vector<Object>& list, std::map<std::string, uint16_t>& classes,
                          uint32_t& mapCount)
    {
        Count(out, list.size());
        for (const Object& o : list) {
            Tag(out, o.cls, classes, mapCount);
            out += o.data;
        }
    }

    std::vector<Object> m_shapes;
    std::vector<Definition> m_defs;
    bool m_bInDefinition = false;
};

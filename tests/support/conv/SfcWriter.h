#pragma once
// Writes small SXF files in the feature-comment form for tests: an ISO 10303-21 exchange structure whose
// data section holds one comment "/*SXF ... SXF*/" per feature, every attribute a quoted string.
// Names and texts beyond ASCII are written with the \X2\ escape.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/afx/CString.h"

class SfcWriter
{
public:
    // A number as the feature comments write it.
    static std::string N(double v)
    {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        return buf;
    }
    // A Part 21 string: quotes doubled, backslashes doubled, characters beyond ASCII as \X2\...\X0\.
    static std::string S(const std::u16string& text)
    {
        std::string out = "'";
        bool wide = false;
        for (char16_t c : text) {
            if (c >= 0x20 && c < 0x7F) {
                if (wide) {
                    out += "\\X0\\";
                    wide = false;
                }
                if (c == u'\'')
                    out += "''";
                else if (c == u'\\')
                    out += "\\\\";
                else
                    out += static_cast<char>(c);
            } else {
                if (!wide) {
                    out += "\\X2\\";
                    wide = true;
                }
                char buf[8];
                std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
                out += buf;
            }
        }
        if (wide)
            out += "\\X0\\";
        return out + "'";
    }
    // A name given in UTF-8.
    static std::string S(const std::string& utf8) { return S(CString::FromUtf8(utf8).str()); }

    // One feature with its attributes already written (strings, numbers or lists).
    void Feature(const std::string& name, const std::vector<std::string>& attributes)
    {
        std::string body = "#" + std::to_string(m_nNext) + " = " + name + "(";
        m_nNext += 10;
        for (size_t i = 0; i < attributes.size(); ++i)
            body += (i > 0 ? "," : "") + attributes[i];
        body += ")";
        m_data += "/*SXF\n" + body + "\nSXF*/\n";
    }
    static std::string Q(const std::string& ascii) { return "'" + ascii + "'"; }
    // Attributes as quoted strings.
    void Quoted(const std::string& name, const std::vector<std::string>& values)
    {
        std::vector<std::string> a;
        for (const std::string& v : values)
            a.push_back("'" + v + "'");
        Feature(name, a);
    }

    void Sheet(const std::string& name, int type, int orient, double w = 0, double h = 0)
    {
        Feature("sheet_feature", {S(name), Q(std::to_string(type)), Q(std::to_string(orient)), Q(N(w)), Q(N(h))});
    }
    void Layer(const std::string& name, int flag = 1) { Feature("layer_feature", {S(name), Q(std::to_string(flag))}); }
    void Line(int layer, int colour, double x1, double y1, double x2, double y2, int type = 1, int width = 1)
    {
        Quoted("line_feature", {std::to_string(layer), std::to_string(colour), std::to_string(type),
                                std::to_string(width), N(x1), N(y1), N(x2), N(y2)});
    }
    void Circle(int layer, int colour, double x, double y, double r)
    {
        Quoted("circle_feature", {std::to_string(layer), std::to_string(colour), "1", "1", N(x), N(y), N(r)});
    }
    void Arc(int layer, int colour, double x, double y, double r, int direction, double a1, double a2)
    {
        Quoted("arc_feature", {std::to_string(layer), std::to_string(colour), "1", "1", N(x), N(y), N(r),
                               std::to_string(direction), N(a1), N(a2)});
    }
    void Text(int layer, int colour, int font, const std::u16string& text, double x, double y, double h,
              double angle = 0, int base = 1)
    {
        Feature("text_string_feature",
                {"'" + std::to_string(layer) + "'", "'" + std::to_string(colour) + "'", "'" + std::to_string(font) + "'",
                 S(text), "'" + N(x) + "'", "'" + N(y) + "'", "'" + N(h) + "'", "'" + N(h * text.size()) + "'",
                 "'0.000000'", "'" + N(angle) + "'", "'0.000000'", "'" + std::to_string(base) + "'", "'1'"});
    }
    void Figure(const std::string& name, int kind) { Feature("sfig_org_feature", {S(name), Q(std::to_string(kind))}); }
    void Locate(int layer, const std::string& name, double x, double y, double angle, double sx, double sy)
    {
        Feature("sfig_locate_feature",
                {Q(std::to_string(layer)), S(name), Q(N(x)), Q(N(y)), Q(N(angle)), Q(N(sx)), Q(N(sy))});
    }
    // Anything else, written as it stands into the data section.
    void Raw(const std::string& text) { m_data += text; }

    std::string Contents() const
    {
        return "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('SCADEC level2 feature_mode'),'2;1');\n"
               "FILE_NAME('plan.sfc','2026-12-11T00:00:00',('test'),('test'),'SCADEC_API_Ver3.30$$2.0','test','');\n"
               "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\nENDSEC;\nDATA;\n" +
               m_data + "ENDSEC;\nEND-ISO-10303-21;\n";
    }

private:
    std::string m_data;
    int m_nNext = 10;
};

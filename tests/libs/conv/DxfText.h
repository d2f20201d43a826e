#pragma once
// Small DXF files written as text, group by group, for the reader's tests.

#include <string>

namespace DxfText {

inline std::string G(int nCode, const std::string& value)
{
    return std::to_string(nCode) + "\n" + value + "\n";
}

inline std::string G(int nCode, double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12g", value);
    return G(nCode, std::string(buf));
}

inline std::string Section(const std::string& name, const std::string& body)
{
    return G(0, "SECTION") + G(2, name) + body + G(0, "ENDSEC");
}

// A whole file: header variables, tables, blocks and entities as given, then EOF.
inline std::string File(const std::string& entities, const std::string& header = "", const std::string& tables = "",
                        const std::string& blocks = "")
{
    std::string s;
    s += Section("HEADER", G(9, "$ACADVER") + G(1, "AC1015") + header);
    if (!tables.empty())
        s += Section("TABLES", tables);
    if (!blocks.empty())
        s += Section("BLOCKS", blocks);
    s += Section("ENTITIES", entities);
    s += G(0, "EOF");
    return s;
}

inline std::string Line(double x1, double y1, double x2, double y2, const std::string& extra = "")
{
    return G(0, "LINE") + G(8, "0") + extra + G(10, x1) + G(20, y1) + G(30, 0.0) + G(11, x2) + G(21, y2) +
           G(31, 0.0);
}

inline std::string Block(const std::string& name, const std::string& entities, double bx = 0, double by = 0)
{
    return G(0, "BLOCK") + G(8, "0") + G(2, name) + G(70, "0") + G(10, bx) + G(20, by) + G(30, 0.0) + G(3, name) +
           entities + G(0, "ENDBLK") + G(8, "0");
}

inline std::string Insert(const std::string& name, double x, double y, const std::string& extra = "")
{
    return G(0, "INSERT") + G(8, "0") + G(2, name) + G(10, x) + G(20, y) + G(30, 0.0) + extra;
}

}  // namespace DxfText

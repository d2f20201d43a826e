#include "libs/vevure/ColorFeatureTable.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CString.h"

ColorFeatureTable::~ColorFeatureTable() = default;

void ColorFeatureTable::InitializeColors()
{
    struct Fixed { COLORREF rgb; const char16_t* name; };
    static const Fixed kFixed[kFixedColorCount] = {
        {RGB(0, 0, 0), u"Black"},        {RGB(255, 0, 0), u"Red"},        {RGB(0, 255, 0), u"Green"},
        {RGB(0, 0, 255), u"Blue"},       {RGB(255, 255, 0), u"Yellow"},   {RGB(255, 0, 255), u"Magenta"},
        {RGB(0, 255, 255), u"Cyan"},     {RGB(128, 128, 128), u"Gray"},   {RGB(128, 0, 0), u"Dark red"},
        {RGB(0, 128, 0), u"Dark green"}, {RGB(0, 0, 128), u"Dark blue"},  {RGB(128, 128, 0), u"Olive"},
        {RGB(128, 0, 128), u"Purple"},   {RGB(0, 128, 128), u"Teal"},     {RGB(192, 192, 192), u"Silver"},
        {RGB(255, 255, 255), u"White"}};
    m_colors.clear();
    m_colors.reserve(kColorCount);
    for (short i = 0; i < kFixedColorCount; ++i)
        m_colors.emplace_back(static_cast<short>(i + 1), kFixed[i].rgb, CString(kFixed[i].name));
    // The user colours start as an even spread: 24 hues at 8 levels of lightness, then 48 greys.
    auto add = [this](BYTE r, BYTE g, BYTE b) {
        const short no = static_cast<short>(m_colors.size() + 1);
        CString name;
        name.Format(u"Color %d", static_cast<int>(no));
        m_colors.emplace_back(no, RGB(r, g, b), name);
    };
    for (int hue = 0; hue < 24; ++hue) {
        const double h = hue / 4.0;  // six sectors of four hues
        const int sector = static_cast<int>(h);
        const double f = h - sector;
        const double pure[6][3] = {{1, f, 0}, {1 - f, 1, 0}, {0, 1, f}, {0, 1 - f, 1}, {f, 0, 1}, {1, 0, 1 - f}};
        for (int level = 0; level < 8; ++level) {
            // Levels 0-3 darken the pure hue, 4 is the hue itself, 5-7 lighten it towards white.
            auto channel = [&](double c) {
                const double v = level < 4 ? c * (0.2 + 0.2 * level) : c + (1.0 - c) * (level - 4) * 0.22;
                return static_cast<BYTE>(v * 255.0 + 0.5);
            };
            add(channel(pure[sector][0]), channel(pure[sector][1]), channel(pure[sector][2]));
        }
    }
    const int greys = kColorCount - static_cast<int>(m_colors.size());
    for (int i = 0; i < greys; ++i) {
        const BYTE v = static_cast<BYTE>(255 * (i + 1) / (greys + 1));
        add(v, v, v);
    }
}

const ColorFeature* ColorFeatureTable::GetColor(short no) const
{
    if (no < 1 || no > GetColorSize())
        return nullptr;
    return &m_colors[static_cast<size_t>(no - 1)];
}

COLORREF ColorFeatureTable::GetColorRef(short no) const
{
    const ColorFeature* c = GetColor(no);
    return c != nullptr ? c->GetColorRef() : RGB(0, 0, 0);
}

CString ColorFeatureTable::GetColorName(short no) const
{
    const ColorFeature* c = GetColor(no);
    return c != nullptr ? c->GetColorName() : CString();
}

BOOL ColorFeatureTable::SetColor(short no, COLORREF rgb)
{
    if (no <= kFixedColorCount || no > GetColorSize())
        return FALSE;
    m_colors[static_cast<size_t>(no - 1)].SetColorRef(rgb);
    return TRUE;
}

BOOL ColorFeatureTable::SetColor(short no, COLORREF rgb, const CString& name)
{
    if (!SetColor(no, rgb))
        return FALSE;
    m_colors[static_cast<size_t>(no - 1)].SetColorName(name);
    return TRUE;
}

short ColorFeatureTable::FindColorNumberByRef(COLORREF rgb) const
{
    rgb &= 0x00FFFFFF;
    for (const ColorFeature& c : m_colors) {
        if (c.GetColorRef() == rgb)
            return c.GetColorNo();
    }
    return -1;
}

void ColorFeatureTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_colors.size());
        for (const ColorFeature& c : m_colors)
            ar << static_cast<DWORD>(c.GetColorRef()) << c.GetColorName();
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    if (count > static_cast<DWORD_PTR>(kColorCount))
        ar.ThrowArchiveException(CArchiveException::genericException);
    std::vector<ColorFeature> loaded;
    loaded.reserve(count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD rgb = 0;
        CString name;
        ar >> rgb >> name;
        if ((rgb & 0xFF000000) != 0)
            ar.ThrowArchiveException(CArchiveException::genericException);
        loaded.emplace_back(static_cast<short>(i + 1), rgb, name);
    }
    m_colors.swap(loaded);
}

#include "libs/vevure/NumericCharConverter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/InputConstValue.h"
#include "platform/afx/CString.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPi = 3.14159265358979323846;
// Values whose scaled units would not fit a 64-bit count are refused by the fraction formats.
constexpr double kMaxScaledUnits = 1e15;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000; }

// The text with full-width letters, digits and signs (as an input method types them) made plain.
std::u16string ToU16(const CString& s)
{
    std::u16string t(static_cast<LPCTSTR>(s), s.GetLength());
    for (char16_t& c : t) {
        if (c >= 0xFF01 && c <= 0xFF5E)
            c = static_cast<char16_t>(c - 0xFF01 + 0x21);
        else if (c == 0x3000)
            c = u' ';
    }
    return t;
}
CString FromAscii(const std::string& s) { return CString(s.c_str()); }

std::u16string Trimmed(const std::u16string& s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsSpace(s[b]))
        ++b;
    while (e > b && IsSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Drops trailing zeros of a decimal fraction, and the point when nothing is left after it.
std::string DropTrailingZeros(std::string s)
{
    if (s.find('.') == std::string::npos)
        return s;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

// A "-" in front of a number that rounds to zero is dropped.
std::string WithoutNegativeZero(std::string s)
{
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.", 0) == std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string Fixed(double v, int precision, int flag)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", precision, v);
    std::string s = WithoutNegativeZero(buf);
    return flag ? s : DropTrailingZeros(s);
}

std::string Exponent(double v, int precision, int flag)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", precision, v);
    std::string s = buf;
    const size_t e = s.find('E');
    std::string mantissa = WithoutNegativeZero(s.substr(0, e));
    if (!flag)
        mantissa = DropTrailingZeros(mantissa);
    return mantissa + s.substr(e);
}

// "n/d" reduced, empty for 0.
std::string Fraction(long long numerator, long long denominator)
{
    if (numerator == 0)
        return std::string();
    const long long g = std::gcd(numerator, denominator);
    return std::to_string(numerator / g) + "/" + std::to_string(denominator / g);
}

// Whole units and a fraction in steps of 1/2^precision: "12 1/2", "1/4", "3".
bool MixedNumber(double v, int precision, std::string& out)
{
    const long long denominator = 1LL << precision;
    const double scaled = std::fabs(v) * static_cast<double>(denominator);
    if (scaled >= kMaxScaledUnits)
        return false;
    const long long units = std::llround(scaled);
    const long long whole = units / denominator;
    const std::string fraction = Fraction(units % denominator, denominator);
    std::string s = (whole != 0 || fraction.empty()) ? std::to_string(whole) : std::string();
    if (!fraction.empty())
        s += (s.empty() ? "" : " ") + fraction;
    out = (v < 0 && units != 0 ? "-" : "") + s;
    return true;
}

bool FeetInchFraction(double mm, int precision, int flag, std::string& out)
{
    const long long denominator = 1LL << precision;
    const double scaled = std::fabs(mm) / kMmPerInch * static_cast<double>(denominator);
    if (scaled >= kMaxScaledUnits)
        return false;
    const long long units = std::llround(scaled);
    const long long perFoot = 12 * denominator;
    const long long feet = units / perFoot;
    const long long rest = units % perFoot;
    const long long inches = rest / denominator;
    const std::string fraction = Fraction(rest % denominator, denominator);
    std::string inchText =
        (inches != 0 || fraction.empty() || feet != 0 || flag) ? std::to_string(inches) : std::string();
    if (!fraction.empty())
        inchText += (inchText.empty() ? "" : " ") + fraction;
    std::string s = (feet != 0 || flag) ? std::to_string(feet) + "'-" + inchText + "\"" : inchText + "\"";
    out = (mm < 0 && units != 0 ? "-" : "") + s;
    return true;
}

bool FeetInchDecimal(double mm, int precision, int flag, std::string& out)
{
    double scale = 1.0;
    for (int i = 0; i < precision; ++i)
        scale *= 10.0;
    const double scaled = std::fabs(mm) / kMmPerInch * scale;
    if (scaled >= kMaxScaledUnits)
        return false;
    const long long units = std::llround(scaled);
    const long long perFoot = 12 * static_cast<long long>(scale);
    const long long feet = units / perFoot;
    const double inches = static_cast<double>(units % perFoot) / scale;
    const std::string inchText = Fixed(inches, precision, flag);
    std::string s = (feet != 0 || flag) ? std::to_string(feet) + "'-" + inchText + "\"" : inchText + "\"";
    out = (mm < 0 && units != 0 ? "-" : "") + s;
    return true;
}

std::string TwoDigits(long long v)
{
    return (v < 10 ? "0" : "") + std::to_string(v);
}

bool DegMinSec(double degrees, int precision, int flag, std::string& out)
{
    if (precision > 6)
        return false;
    const double a = std::fabs(degrees);
    std::string s;
    long long units = 0;
    if (precision == 0) {
        if (a >= kMaxScaledUnits)
            return false;
        units = std::llround(a);
        s = std::to_string(units) + "°";
    } else if (precision <= 2) {
        if (a * 60.0 >= kMaxScaledUnits)
            return false;
        units = std::llround(a * 60.0);
        const long long m = units % 60;
        s = std::to_string(units / 60) + "°" + (precision == 2 ? TwoDigits(m) : std::to_string(m)) + "'";
    } else {
        const int decimals = precision > 4 ? precision - 4 : 0;
        double scale = 1.0;
        for (int i = 0; i < decimals; ++i)
            scale *= 10.0;
        if (a * 3600.0 * scale >= kMaxScaledUnits)
            return false;
        units = std::llround(a * 3600.0 * scale);
        const long long perMinute = 60 * static_cast<long long>(scale);
        const long long totalMinutes = units / perMinute;
        const double seconds = static_cast<double>(units % perMinute) / scale;
        std::string secondText = Fixed(seconds, decimals, flag);
        if (seconds < 10.0 && precision != 3)
            secondText = "0" + secondText;
        const long long m = totalMinutes % 60;
        s = std::to_string(totalMinutes / 60) + "°" + (precision == 3 ? std::to_string(m) : TwoDigits(m)) + "'" +
            secondText + "\"";
    }
    out = (degrees < 0 && units != 0 ? "-" : "") + s;
    return true;
}

// Reads typed expressions over numbers, named constants and, when asked, feet and inches.
class ExpressionReader
{
public:
    ExpressionReader(const std::u16string& text, const InputConstValue* constants, bool feetInch)
        : m_s(text), m_constants(constants), m_feetInch(feetInch)
    {
    }

    bool Read(double& value)
    {
        m_pos = 0;
        if (!Expression(value))
            return false;
        SkipSpace();
        return m_pos == m_s.size() && std::isfinite(value);
    }

private:
    char16_t Peek() const { return m_pos < m_s.size() ? m_s[m_pos] : 0; }
    void SkipSpace()
    {
        while (m_pos < m_s.size() && IsSpace(m_s[m_pos]))
            ++m_pos;
    }
    bool Accept(char16_t c)
    {
        SkipSpace();
        if (Peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    bool Expression(double& v)
    {
        if (++m_depth > 64)
            return false;
        bool ok = Term(v);
        while (ok) {
            if (Accept(u'+')) {
                double t = 0;
                ok = Term(t);
                v += t;
            } else if (Accept(u'-')) {
                double t = 0;
                ok = Term(t);
                v -= t;
            } else {
                break;
            }
        }
        --m_depth;
        return ok;
    }

    bool Term(double& v)
    {
        bool ok = Factor(v);
        while (ok) {
            if (Accept(u'*')) {
                double f = 0;
                ok = Factor(f);
                v *= f;
            } else if (Accept(u'/')) {
                double f = 0;
                ok = Factor(f);
                if (f == 0.0)
                    return false;
                v /= f;
            } else {
                break;
            }
        }
        return ok;
    }

    bool Factor(double& v)
    {
        if (++m_depth > 64)
            return false;
        bool ok = false;
        if (Accept(u'+')) {
            ok = Factor(v);
        } else if (Accept(u'-')) {
            ok = Factor(v);
            v = -v;
        } else {
            ok = Primary(v);
        }
        --m_depth;
        return ok;
    }

    bool Primary(double& v)
    {
        SkipSpace();
        const char16_t c = Peek();
        if (c == u'(') {
            ++m_pos;
            if (!Expression(v) || !Accept(u')'))
                return false;
        } else if (IsDigit(c) || c == u'.') {
            if (!Number(v))
                return false;
            double k = 1.0;
            if (IsLetter(Peek())) {
                if (!Constants(k))
                    return false;
                v *= k;
            } else {
                // A mixed number "12 1/2", as the fraction format writes it.
                const size_t save = m_pos;
                double fraction = 0.0;
                if (IsSpace(Peek()) && Fraction(fraction))
                    v += fraction;
                else
                    m_pos = save;
            }
        } else if (IsLetter(c)) {
            if (!Constants(v))
                return false;
        } else {
            return false;
        }
        return m_feetInch ? FeetInch(v) : true;
    }

    bool Number(double& v)
    {
        const size_t start = m_pos;
        while (IsDigit(Peek()))
            ++m_pos;
        if (Peek() == u'.') {
            ++m_pos;
            while (IsDigit(Peek()))
                ++m_pos;
        }
        // An exponent only when digits follow, so "2e" can still mean 2 times a constant e.
        if (Peek() == u'e' || Peek() == u'E') {
            size_t p = m_pos + 1;
            if (p < m_s.size() && (m_s[p] == u'+' || m_s[p] == u'-'))
                ++p;
            if (p < m_s.size() && IsDigit(m_s[p])) {
                m_pos = p;
                while (IsDigit(Peek()))
                    ++m_pos;
            }
        }
        std::string ascii;
        for (size_t i = start; i < m_pos; ++i)
            ascii.push_back(static_cast<char>(m_s[i]));
        if (ascii == "." || ascii.empty())
            return false;
        char* end = nullptr;
        v = std::strtod(ascii.c_str(), &end);
        return end != nullptr && *end == 0;
    }

    // A run of letters read as one or more constant names, longest first; their values multiply.
    bool Constants(double& v)
    {
        if (m_constants == nullptr)
            return false;
        v = 1.0;
        while (IsLetter(Peek())) {
            int best = 0;
            double value = 0.0;
            for (int i = 0; i < m_constants->GetSize(); ++i) {
                const CString name = m_constants->GetNameAt(i);
                const int n = name.GetLength();
                if (n <= best || m_pos + n > m_s.size())
                    continue;
                const CString candidate(m_s.data() + m_pos, n);
                if (candidate.CompareNoCase(name) == 0) {
                    best = n;
                    value = m_constants->GetValueAt(i);
                }
            }
            if (best == 0)
                return false;
            m_pos += static_cast<size_t>(best);
            v *= value;
        }
        return true;
    }

    // After a value: ' for feet (optionally followed by an inch part), " for inches, or a mixed
    // number of inches "2 1/2\"". The result is in millimetres.
    bool FeetInch(double& v)
    {
        if (Peek() == u'\'') {
            ++m_pos;
            v *= 12.0 * kMmPerInch;
            const size_t save = m_pos;
            SkipSpace();
            if (Peek() == u'-')
                ++m_pos;
            SkipSpace();
            double inches = 0.0;
            if (IsDigit(Peek()) && InchPart(inches))
                v += (v < 0 ? -inches : inches);
            else
                m_pos = save;
            return true;
        }
        if (Peek() == u'"') {
            ++m_pos;
            v *= kMmPerInch;
            return true;
        }
        const size_t save = m_pos;
        double fraction = 0.0;
        if (IsSpace(Peek()) && Fraction(fraction) && Peek() == u'"') {
            ++m_pos;
            v = (v + (v < 0 ? -fraction : fraction)) * kMmPerInch;
            return true;
        }
        m_pos = save;
        return true;
    }

    // "n/d" after spaces.
    bool Fraction(double& f)
    {
        SkipSpace();
        double n = 0;
        double d = 0;
        if (!IsDigit(Peek()) || !Number(n) || Peek() != u'/')
            return false;
        ++m_pos;
        if (!IsDigit(Peek()) || !Number(d) || d == 0.0)
            return false;
        f = n / d;
        return true;
    }

    // Inches after a feet mark: "2\"", "2.5\"", "2 1/2\"" or "1/2\"", in millimetres.
    bool InchPart(double& mm)
    {
        double v = 0.0;
        if (!Number(v))
            return false;
        if (Peek() == u'/') {
            ++m_pos;
            double d = 0.0;
            if (!IsDigit(Peek()) || !Number(d) || d == 0.0)
                return false;
            v /= d;
        } else {
            const size_t save = m_pos;
            double f = 0.0;
            if (IsSpace(Peek()) && Fraction(f))
                v += f;
            else
                m_pos = save;
        }
        if (Peek() != u'"')
            return false;
        ++m_pos;
        mm = v * kMmPerInch;
        return true;
    }

    const std::u16string m_s;
    const InputConstValue* m_constants;
    bool m_feetInch;
    size_t m_pos = 0;
    int m_depth = 0;
};

bool ReadLength(const std::u16string& text, double& v, const InputConstValue* constants, int lengthFormatFlag)
{
    const std::u16string t = Trimmed(text);
    if (t.empty())
        return false;
    ExpressionReader reader(t, constants, lengthFormatFlag != 0);
    return reader.Read(v);
}

// The position of the only top-level separator, npos when there is none, or a second one.
size_t FindSeparator(const std::u16string& s, char16_t separator, bool& twice)
{
    int depth = 0;
    size_t found = std::u16string::npos;
    twice = false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'(')
            ++depth;
        else if (s[i] == u')')
            --depth;
        else if (s[i] == separator && depth == 0) {
            if (found != std::u16string::npos)
                twice = true;
            found = i;
            if (twice)
                break;
        }
    }
    return found;
}

bool ReadAngle(const std::u16string& text, double& degrees)
{
    std::u16string t = Trimmed(text);
    if (t.empty())
        return false;
    const char16_t last = t.back();
    if (last == u'r' || last == u'R' || last == u'g' || last == u'G') {
        double v = 0.0;
        ExpressionReader reader(Trimmed(t.substr(0, t.size() - 1)), nullptr, false);
        if (!reader.Read(v))
            return false;
        degrees = (last == u'r' || last == u'R') ? v * 180.0 / kPi : v * 0.9;
        return std::isfinite(degrees);
    }
    if (t.find_first_of(u"d°'\"") == std::u16string::npos) {
        ExpressionReader reader(t, nullptr, false);
        return reader.Read(degrees);
    }
    // Degrees, minutes and seconds, each optional but in this order.
    bool negative = false;
    size_t pos = 0;
    if (t[pos] == u'-' || t[pos] == u'+') {
        negative = t[pos] == u'-';
        ++pos;
    }
    const char16_t* marks[3] = {u"d°", u"'", u"\""};
    const double divisors[3] = {1.0, 60.0, 3600.0};
    double total = 0.0;
    bool any = false;
    int part = 0;
    while (pos < t.size()) {
        while (pos < t.size() && IsSpace(t[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < t.size() && (IsDigit(t[pos]) || t[pos] == u'.'))
            ++pos;
        if (pos == start || pos >= t.size())
            return false;
        std::string ascii;
        for (size_t i = start; i < pos; ++i)
            ascii.push_back(static_cast<char>(t[i]));
        char* end = nullptr;
        const double v = std::strtod(ascii.c_str(), &end);
        if (end == nullptr || *end != 0)
            return false;
        // The mark decides which part this is; parts must come in order.
        int which = -1;
        for (int k = part; k < 3; ++k) {
            if (std::u16string(marks[k]).find(t[pos]) != std::u16string::npos) {
                which = k;
                break;
            }
        }
        if (which < 0)
            return false;
        ++pos;
        total += v / divisors[which];
        part = which + 1;
        any = true;
    }
    if (!any)
        return false;
    degrees = negative ? -total : total;
    return std::isfinite(degrees);
}

}  // namespace

BOOL NumericCharConverter::DoubleToString(double value, CString& text, int format, int precision, int flag)
{
    if (!std::isfinite(value) || precision < 0 || precision > 8)
        return FALSE;
    std::string s;
    switch (format) {
    case LengthUnitDecimal:
        s = Fixed(value, precision, flag);
        break;
    case LengthUnitFeetInchFraction:
        if (!FeetInchFraction(value, precision, flag, s))
            return FALSE;
        break;
    case LengthUnitFeetInchDecimal:
        if (!FeetInchDecimal(value, precision, flag, s))
            return FALSE;
        break;
    case LengthUnitExponent:
        s = Exponent(value, precision, flag);
        break;
    case LengthUnitFraction:
        if (!MixedNumber(value, precision, s))
            return FALSE;
        break;
    default:
        return FALSE;
    }
    text = FromAscii(s);
    return TRUE;
}

BOOL NumericCharConverter::PointToString(const RuVaPnt2d& point, CString& text, int format, int precision, int flag)
{
    CString x;
    CString y;
    if (!DoubleToString(point.X(), x, format, precision, flag) || !DoubleToString(point.Y(), y, format, precision, flag))
        return FALSE;
    text = x + u", " + y;
    return TRUE;
}

BOOL NumericCharConverter::AngleToString(double degrees, CString& text, int format, int precision,
                                         const CString& unitText, int flag)
{
    if (!std::isfinite(degrees) || precision < 0 || precision > 8)
        return FALSE;
    std::string s;
    switch (format) {
    case AngleUnitDegree:
        text = FromAscii(Fixed(degrees, precision, flag)) + unitText;
        return TRUE;
    case AngleUnitDegMinSec:
        if (!DegMinSec(degrees, precision, flag, s))
            return FALSE;
        break;
    case AngleUnitRadian:
        s = Fixed(degrees * kPi / 180.0, precision, flag) + "r";
        break;
    case AngleUnitGrad:
        s = Fixed(degrees / 0.9, precision, flag) + "g";
        break;
    default:
        return FALSE;
    }
    text = CString(s.c_str());
    return TRUE;
}

BOOL NumericCharConverter::StringToDouble(const CString& text, double& value, const InputConstValue* constants,
                                          int lengthFormatFlag)
{
    double v = 0.0;
    if (!ReadLength(ToU16(text), v, constants, lengthFormatFlag))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL NumericCharConverter::StringToInteger(const CString& text, int& value, const InputConstValue* constants,
                                           int lengthFormatFlag)
{
    double v = 0.0;
    if (!ReadLength(ToU16(text), v, constants, lengthFormatFlag) || v != std::floor(v) || v < -2147483648.0 ||
        v > 2147483647.0)
        return FALSE;
    value = static_cast<int>(v);
    return TRUE;
}

BOOL NumericCharConverter::StringToPoint(const CString& text, RuVaPnt2d& point, int& relative, int& polar,
                                         const InputConstValue* constants, int lengthFormatFlag,
                                         PointParameterInputMode mode)
{
    std::u16string t = Trimmed(ToU16(text));
    int rel = mode == PointInputRelative ? 1 : 0;
    if (!t.empty() && (t[0] == u'@' || t[0] == u'#')) {
        rel = t[0] == u'@' ? 1 : 0;
        t = Trimmed(t.substr(1));
    }
    bool twice = false;
    const size_t angleMark = FindSeparator(t, u'<', twice);
    if (angleMark != std::u16string::npos) {
        double distance = 0.0;
        double angle = 0.0;
        bool comma = false;
        if (twice || FindSeparator(t, u',', comma) != std::u16string::npos ||
            !ReadLength(t.substr(0, angleMark), distance, constants, lengthFormatFlag) ||
            !ReadAngle(t.substr(angleMark + 1), angle))
            return FALSE;
        point = RuVaPnt2d(distance, angle);
        relative = rel;
        polar = 1;
        return TRUE;
    }
    const size_t comma = FindSeparator(t, u',', twice);
    double x = 0.0;
    double y = 0.0;
    if (comma == std::u16string::npos || twice || !ReadLength(t.substr(0, comma), x, constants, lengthFormatFlag) ||
        !ReadLength(t.substr(comma + 1), y, constants, lengthFormatFlag))
        return FALSE;
    point = RuVaPnt2d(x, y);
    relative = rel;
    polar = 0;
    return TRUE;
}

BOOL NumericCharConverter::StringToAngle(const CString& text, double& degrees)
{
    double v = 0.0;
    if (!ReadAngle(ToU16(text), v))
        return FALSE;
    degrees = v;
    return TRUE;
}

BOOL NumericCharConverter::StringToScale(const CString& text, double& x, double& y)
{
    auto readPart = [](const std::u16string& part, double& v) {
        bool twice = false;
        const size_t colon = FindSeparator(part, u':', twice);
        if (twice)
            return false;
        if (colon == std::u16string::npos)
            return ReadLength(part, v, nullptr, 0);
        double a = 0.0;
        double b = 0.0;
        if (!ReadLength(part.substr(0, colon), a, nullptr, 0) || !ReadLength(part.substr(colon + 1), b, nullptr, 0) ||
            b == 0.0)
            return false;
        v = a / b;
        return std::isfinite(v);
    };
    const std::u16string t = ToU16(text);
    bool twice = false;
    const size_t comma = FindSeparator(t, u',', twice);
    double a = 0.0;
    double b = 0.0;
    if (twice)
        return FALSE;
    if (comma == std::u16string::npos) {
        if (!readPart(t, a))
            return FALSE;
        b = a;
    } else if (!readPart(t.substr(0, comma), a) || !readPart(t.substr(comma + 1), b)) {
        return FALSE;
    }
    x = a;
    y = b;
    return TRUE;
}

NumericTextFormatType NumericCharConverter::GetFormatType(const CString& text, const InputConstValue* constants)
{
    RuVaPnt2d p;
    int relative = 0;
    int polar = 0;
    if (StringToPoint(text, p, relative, polar, constants, 1))
        return NumericTextPoint;
    double v = 0.0;
    if (StringToDouble(text, v, constants, 1))
        return NumericTextNumber;
    return NumericTextUnknown;
}

BOOL NumericCharConverter::IsXCoordinatesFormat(const CString& text, const InputConstValue* constants)
{
    std::u16string t = Trimmed(ToU16(text));
    if (!t.empty() && (t[0] == u'@' || t[0] == u'#'))
        t = t.substr(1);
    if (t.find_first_of(u",<") != std::u16string::npos)
        return FALSE;
    double v = 0.0;
    return ReadLength(t, v, constants, 1) ? TRUE : FALSE;
}

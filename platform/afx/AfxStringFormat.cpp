#include "platform/afx/AfxStringFormat.h"

#include <QtCore/QString>

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/afx/CString.h"

namespace {

// Widths and precisions beyond this are taken as this: a format string must
// not be able to ask for gigabytes.
constexpr int kMaxField = 4096;

enum class Size { Default, Char, Short, Long, LongLong };

struct Spec {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool alt = false;
  bool zero = false;
  int width = -1;
  int precision = -1;
  Size size = Size::Default;
  bool wideHint = false;    // l or w on s/c
  bool narrowHint = false;  // h on s/c, or S/C
};

std::u16string FromNarrow(const char* s) {
  if (s == nullptr) return u"(null)";
  const QString q = QString::fromUtf8(s);
  return std::u16string(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<size_t>(q.size()));
}

void AppendAscii(std::u16string& out, const char* s, int n) {
  for (int i = 0; i < n; ++i) out.push_back(static_cast<unsigned char>(s[i]));
}

// Pads text to the field width with spaces (or zeros after any sign for numbers).
void AppendPadded(std::u16string& out, const std::u16string& text, const Spec& spec) {
  const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
  if (text.size() >= width) {
    out += text;
  } else if (spec.left) {
    out += text;
    out.append(width - text.size(), u' ');
  } else {
    out.append(width - text.size(), u' ');
    out += text;
  }
}

void AppendText(std::u16string& out, std::u16string text, const Spec& spec) {
  if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision)) {
    text.resize(static_cast<size_t>(spec.precision));
  }
  AppendPadded(out, text, spec);
}

std::string NarrowSpec(const Spec& spec, bool withPrecision, const char* length, char conv) {
  std::string f = "%";
  if (spec.left) f += '-';
  if (spec.plus) f += '+';
  if (spec.space) f += ' ';
  if (spec.alt) f += '#';
  if (spec.zero) f += '0';
  if (spec.width > 0) f += std::to_string(spec.width);
  if (withPrecision && spec.precision >= 0) f += '.' + std::to_string(spec.precision);
  f += length;
  f += conv;
  return f;
}

template <class T>
void AppendPrintf(std::u16string& out, const std::string& f, T value) {
  char small[128];
  const int n = std::snprintf(small, sizeof small, f.c_str(), value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof small) {
    AppendAscii(out, small, n);
    return;
  }
  std::string big(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), f.c_str(), value);
  AppendAscii(out, big.data(), n);
}

// The text an argument shows when given to a conversion for another type.
std::u16string ArgAsText(const AfxFormatArg& a) {
  switch (a.kind) {
    case AfxFormatArg::Kind::WideStr:
      return a.ws == nullptr ? std::u16string(u"(null)") : std::u16string(a.ws);
    case AfxFormatArg::Kind::NarrowStr:
      return FromNarrow(a.ns);
    case AfxFormatArg::Kind::Char:
      return a.u == 0 ? std::u16string() : std::u16string(1, static_cast<char16_t>(a.u));
    case AfxFormatArg::Kind::Int: {
      const std::string s = std::to_string(a.i);
      return std::u16string(s.begin(), s.end());
    }
    case AfxFormatArg::Kind::UInt: {
      const std::string s = std::to_string(a.u);
      return std::u16string(s.begin(), s.end());
    }
    case AfxFormatArg::Kind::Double: {
      char buf[64];
      const int n = std::snprintf(buf, sizeof buf, "%g", a.d);
      return std::u16string(buf, buf + (n > 0 ? n : 0));
    }
    case AfxFormatArg::Kind::Pointer: {
      char buf[32];
      const int n = std::snprintf(buf, sizeof buf, "%016llX",
                                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(a.p)));
      return std::u16string(buf, buf + (n > 0 ? n : 0));
    }
  }
  return {};
}

bool IsNumeric(const AfxFormatArg& a) {
  return a.kind == AfxFormatArg::Kind::Int || a.kind == AfxFormatArg::Kind::UInt ||
         a.kind == AfxFormatArg::Kind::Char || a.kind == AfxFormatArg::Kind::Double ||
         a.kind == AfxFormatArg::Kind::Pointer;
}

// An integer argument as the conversion sees it. Values that fit 32 bits act
// as 32-bit ones unless a 64-bit size is asked for, so -1 shows as ffffffff
// under %x and 0xffffffff as -1 under %d; larger values are shown in full.
long long AsSigned(const AfxFormatArg& a, Size size) {
  long long v = 0;
  switch (a.kind) {
    case AfxFormatArg::Kind::Int: v = a.i; break;
    case AfxFormatArg::Kind::UInt:
    case AfxFormatArg::Kind::Char: v = static_cast<long long>(a.u); break;
    case AfxFormatArg::Kind::Double:
      if (std::isnan(a.d)) v = 0;
      else if (a.d >= 9.2e18) v = INT64_MAX;
      else if (a.d <= -9.2e18) v = INT64_MIN;
      else v = static_cast<long long>(a.d);
      break;
    case AfxFormatArg::Kind::Pointer: v = static_cast<long long>(reinterpret_cast<INT_PTR>(a.p)); break;
    default: break;
  }
  switch (size) {
    case Size::Char: return static_cast<signed char>(static_cast<unsigned char>(v & 0xff));
    case Size::Short: return static_cast<short>(static_cast<unsigned short>(v & 0xffff));
    case Size::LongLong: return v;
    default:
      if (a.kind != AfxFormatArg::Kind::Int && a.kind != AfxFormatArg::Kind::Double &&
          static_cast<unsigned long long>(v) <= 0xffffffffULL)
        return static_cast<int>(static_cast<unsigned int>(v));
      return v;
  }
}

unsigned long long AsUnsigned(const AfxFormatArg& a, Size size) {
  unsigned long long v = 0;
  switch (a.kind) {
    case AfxFormatArg::Kind::Int: v = static_cast<unsigned long long>(a.i); break;
    case AfxFormatArg::Kind::UInt:
    case AfxFormatArg::Kind::Char: v = a.u; break;
    case AfxFormatArg::Kind::Double:
      if (std::isnan(a.d) || a.d <= 0) v = static_cast<unsigned long long>(AsSigned(a, Size::LongLong));
      else if (a.d >= 1.8e19) v = UINT64_MAX;
      else v = static_cast<unsigned long long>(a.d);
      break;
    case AfxFormatArg::Kind::Pointer: v = reinterpret_cast<UINT_PTR>(a.p); break;
    default: break;
  }
  switch (size) {
    case Size::Char: return v & 0xff;
    case Size::Short: return v & 0xffff;
    case Size::LongLong: return v;
    default:
      if (a.kind == AfxFormatArg::Kind::Int && a.i < 0 && a.i >= INT32_MIN) return v & 0xffffffffULL;
      return v;
  }
}

double AsDouble(const AfxFormatArg& a) {
  switch (a.kind) {
    case AfxFormatArg::Kind::Double: return a.d;
    case AfxFormatArg::Kind::Int: return static_cast<double>(a.i);
    case AfxFormatArg::Kind::UInt:
    case AfxFormatArg::Kind::Char: return static_cast<double>(a.u);
    default: return 0.0;
  }
}

}  // namespace

void AfxFormatTo(std::u16string& out, LPCTSTR pszFormat, const AfxFormatArg* args, int nArgs) {
  if (pszFormat == nullptr) return;
  if (args == nullptr) nArgs = 0;
  int next = 0;
  auto take = [&]() -> const AfxFormatArg* { return next < nArgs ? &args[next++] : nullptr; };
  auto takeInt = [&](bool& present) -> long long {
    const AfxFormatArg* a = take();
    present = a != nullptr;
    return a == nullptr ? 0 : AsSigned(*a, Size::LongLong);
  };

  const char16_t* p = pszFormat;
  while (*p != 0) {
    if (*p != u'%') {
      const char16_t* run = p;
      while (*p != 0 && *p != u'%') ++p;
      out.append(run, static_cast<size_t>(p - run));
      continue;
    }
    const char16_t* start = p++;
    if (*p == u'%') {
      out.push_back(u'%');
      ++p;
      continue;
    }
    Spec spec;
    for (;; ++p) {
      if (*p == u'-') spec.left = true;
      else if (*p == u'+') spec.plus = true;
      else if (*p == u' ') spec.space = true;
      else if (*p == u'#') spec.alt = true;
      else if (*p == u'0') spec.zero = true;
      else break;
    }
    if (*p == u'*') {
      ++p;
      bool present = false;
      long long w = takeInt(present);
      if (w < 0) {
        spec.left = true;
        w = w < -kMaxField ? kMaxField : -w;
      }
      spec.width = static_cast<int>(std::min<long long>(w, kMaxField));
    } else {
      long long w = -1;
      while (*p >= u'0' && *p <= u'9') {
        w = (w < 0 ? 0 : w) * 10 + (*p - u'0');
        if (w > kMaxField) w = kMaxField;
        ++p;
      }
      spec.width = static_cast<int>(w);
    }
    if (*p == u'.') {
      ++p;
      if (*p == u'*') {
        ++p;
        bool present = false;
        const long long pr = takeInt(present);
        spec.precision = pr < 0 ? -1 : static_cast<int>(std::min<long long>(pr, kMaxField));
      } else {
        long long pr = 0;
        while (*p >= u'0' && *p <= u'9') {
          pr = pr * 10 + (*p - u'0');
          if (pr > kMaxField) pr = kMaxField;
          ++p;
        }
        spec.precision = static_cast<int>(pr);
      }
    }
    // Length modifiers
    if (*p == u'h') {
      ++p;
      spec.narrowHint = true;
      if (*p == u'h') {
        ++p;
        spec.size = Size::Char;
      } else {
        spec.size = Size::Short;
      }
    } else if (*p == u'l') {
      ++p;
      spec.wideHint = true;
      if (*p == u'l') {
        ++p;
        spec.size = Size::LongLong;
      } else {
        spec.size = Size::Long;
      }
    } else if (*p == u'I' && p[1] == u'6' && p[2] == u'4') {
      p += 3;
      spec.size = Size::LongLong;
    } else if (*p == u'I' && p[1] == u'3' && p[2] == u'2') {
      p += 3;
      spec.size = Size::Long;
    } else if (*p == u'I' || *p == u'z' || *p == u'j' || *p == u't' || *p == u'q' || *p == u'L') {
      ++p;
      spec.size = Size::LongLong;
    } else if (*p == u'w') {
      ++p;
      spec.wideHint = true;
    }

    const char16_t conv = *p;
    if (conv == 0) {
      // A conversion cut off by the end of the format shows as written.
      out.append(start, static_cast<size_t>(p - start));
      break;
    }
    ++p;

    switch (conv) {
      case u'd':
      case u'i':
      case u'u':
      case u'x':
      case u'X':
      case u'o': {
        const AfxFormatArg* a = take();
        if (a == nullptr) break;
        if (!IsNumeric(*a)) {
          AppendText(out, ArgAsText(*a), spec);
          break;
        }
        if (conv == u'd' || conv == u'i') {
          AppendPrintf(out, NarrowSpec(spec, true, "ll", 'd'), AsSigned(*a, spec.size));
        } else {
          AppendPrintf(out, NarrowSpec(spec, true, "ll", static_cast<char>(conv)), AsUnsigned(*a, spec.size));
        }
        break;
      }
      case u'f':
      case u'F':
      case u'e':
      case u'E':
      case u'g':
      case u'G':
      case u'a':
      case u'A': {
        const AfxFormatArg* a = take();
        if (a == nullptr) break;
        if (!IsNumeric(*a) || a->kind == AfxFormatArg::Kind::Pointer) {
          AppendText(out, ArgAsText(*a), spec);
          break;
        }
        AppendPrintf(out, NarrowSpec(spec, true, "", static_cast<char>(conv)), AsDouble(*a));
        break;
      }
      case u'c':
      case u'C': {
        const AfxFormatArg* a = take();
        if (a == nullptr) break;
        std::u16string text;
        if (a->kind == AfxFormatArg::Kind::WideStr || a->kind == AfxFormatArg::Kind::NarrowStr) {
          text = ArgAsText(*a);
        } else {
          const unsigned long long v = AsUnsigned(*a, Size::LongLong);
          const bool narrow = (conv == u'C' && !spec.wideHint) || (conv == u'c' && spec.narrowHint);
          if (narrow) {
            if ((v & 0xff) != 0) text.push_back(static_cast<char16_t>(v & 0xff));
          } else if (v > 0xffff && v <= 0x10ffff) {
            text.push_back(static_cast<char16_t>(0xD800 + ((v - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((v - 0x10000) & 0x3ff)));
          } else if ((v & 0xffff) != 0) {
            text.push_back(static_cast<char16_t>(v & 0xffff));
          }
        }
        AppendPadded(out, text, spec);
        break;
      }
      case u's':
      case u'S': {
        // The argument's own type decides how its text is read, so a narrow
        // string under %s or a wide one under %S still shows correctly.
        const AfxFormatArg* a = take();
        if (a == nullptr) break;
        AppendText(out, ArgAsText(*a), spec);
        break;
      }
      case u'p': {
        const AfxFormatArg* a = take();
        if (a == nullptr) break;
        const unsigned long long v = (a->kind == AfxFormatArg::Kind::Pointer)
                                         ? reinterpret_cast<UINT_PTR>(a->p)
                                         : (IsNumeric(*a) ? AsUnsigned(*a, Size::LongLong) : 0ULL);
        char buf[32];
        const int n = std::snprintf(buf, sizeof buf, "%016llX", v);
        AppendPadded(out, std::u16string(buf, buf + (n > 0 ? n : 0)), spec);
        break;
      }
      case u'n':
        // Never writes through an argument.
        take();
        break;
      default:
        // Not a conversion: keep the text as written.
        out.append(start, static_cast<size_t>(p - start));
        break;
    }
  }
}

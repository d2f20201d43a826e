#include "settings/UnitPrecisionLists.h"

#include "command/LoadResourceString.h"
#include "libs/vevure/NumericCharConverter.h"
#include "platform/afx/CString.h"
#include "platform/win/CComboBox.h"

namespace {

constexpr int kLengthFormats = 5;
constexpr int kAngleFormats = 4;
constexpr int kPrecisions = 9;
constexpr UINT IDS_DEGREE_SIGN = 11580;

const char16_t* const kLengthSamples[kLengthFormats][kPrecisions] = {
    {u"0", u"0.0", u"0.00", u"0.000", u"0.0000", u"0.00000", u"0.000000", u"0.0000000", u"0.00000000"},
    {u"0'-0\"", u"0'-0 1/2\"", u"0'-0 1/4\"", u"0'-0 1/8\"", u"0'-0 1/16\"", u"0'-0 1/32\"", u"0'-0 1/64\"",
     u"0'-0 1/128\"", u"0'-0 1/256\""},
    {u"0'-0\"", u"0'-0.0\"", u"0'-0.00\"", u"0'-0.000\"", u"0'-0.0000\"", u"0'-0.00000\"", u"0'-0.000000\"",
     u"0'-0.0000000\"", u"0'-0.00000000\""},
    {u"0E+01", u"0.0E+01", u"0.00E+01", u"0.000E+01", u"0.0000E+01", u"0.00000E+01", u"0.000000E+01",
     u"0.0000000E+01", u"0.00000000E+01"},
    {u"0", u"0 1/2", u"0 1/4", u"0 1/8", u"0 1/16", u"0 1/32", u"0 1/64", u"0 1/128", u"0 1/256"},
};

int FillAngle(int nFormat, CComboBox& combo, const CString& suffix)
{
    const int nOld = combo.GetCurSel();
    combo.ResetContent();
    if (nFormat < 0 || nFormat >= kAngleFormats)
        return combo.SetCurSel(-1);
    // Degrees, minutes and seconds show at most six decimals of a second.
    const int nLast = nFormat == 1 ? 6 : kPrecisions - 1;
    for (int p = 0; p <= nLast; ++p) {
        CString text;
        NumericCharConverter::AngleToString(0.0, text, nFormat, p, CString(), 1);
        if (nFormat == 0)
            text += suffix;
        combo.AddString(text);
    }
    return combo.SetCurSel(nOld > nLast ? nLast : nOld);
}

}  // namespace

int FillLengthPrecisionComboBox(int nLengthFormat, CComboBox& combo)
{
    const int nOld = combo.GetCurSel();
    combo.ResetContent();
    if (nLengthFormat < 0 || nLengthFormat >= kLengthFormats)
        return combo.SetCurSel(-1);
    for (int p = 0; p < kPrecisions; ++p)
        combo.AddString(reinterpret_cast<LPCTSTR>(kLengthSamples[nLengthFormat][p]));
    return combo.SetCurSel(nOld);
}

int FillAnglePrecisionComboBox(int nAngleFormat, CComboBox& combo)
{
    return FillAngle(nAngleFormat, combo, LoadResourceString(IDS_DEGREE_SIGN));
}

int FillAnglePrecisionComboBox(int nAngleFormat, CComboBox& combo, const CString& suffix)
{
    return FillAngle(nAngleFormat, combo, suffix);
}

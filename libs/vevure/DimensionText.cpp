#include "libs/vevure/DimensionText.h"

#include <algorithm>
#include <cmath>

#include "libs/ruva/RuVa.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/NumericCharConverter.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"

namespace {

// Longest text a part keeps: addition texts are at most 256 characters, values far less.
constexpr int kMaxPartLength = 512;

CString Clipped(const CString& text)
{
    return text.GetLength() > kMaxPartLength ? text.Left(kMaxPartLength) : text;
}

// Groups the whole part of a plain decimal number in threes.
CString Grouped(const CString& text, char16_t separator)
{
    const int n = text.GetLength();
    int start = 0;
    while (start < n && (text[start] == u'-' || text[start] == u'+'))
        ++start;
    int end = start;
    while (end < n && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    if (end - start <= 3)
        return text;
    CString out = text.Left(start);
    for (int i = start; i < end; ++i) {
        if (i > start && (end - i) % 3 == 0)
            out += CString(separator);
        out += CString(text[i]);
    }
    return out + text.Mid(end);
}

bool IsAngular(const Dimension2dFeatureBase* d)
{
    return d->GetFeatureType() == FeatureTypeAngularDimension;
}

// A deviation with its sign ("+0.1", "-0.05"), or its magnitude only; "0" for none.
CString Deviation(const DimensionSetting& s, double v, bool angular, bool withSign = true)
{
    CString text = angular ? DimensionText::ConvertDimAngleToText(std::fabs(v), s.GetAngleUnitFormatType(),
                                                                  s.GetToleranceAnglePrecision(),
                                                                  s.GetToleranceZeroVisible())
                           : DimensionText::ConvertDimValueToText(std::fabs(v), s.GetLengthDimValueScale(),
                                                                  s.GetLengthUnitFormatType(),
                                                                  s.GetTolerancePrecision(),
                                                                  s.GetToleranceZeroVisible(), 0, 0.0, 0);
    bool zero = true;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] >= u'1' && text[i] <= u'9')
            zero = false;
    if (zero)
        return s.GetToleranceZeroVisible() ? text : CString(u"0");
    if (!withSign)
        return text;
    return CString(v < 0.0 ? u"-" : u"+") + text;
}

}  // namespace

CString DimensionText::ConvertDimValueToText(double dValue, double dScale, int nFormat, int nPrecision,
                                             int nZeroVisible, int nSeparateType, double dRound, int nSignFlag)
{
    double v = dValue * dScale;
    if (!std::isfinite(v) || nPrecision < 0 || nPrecision > 8)
        return CString();
    if (std::isfinite(dRound) && dRound > 0.0) {
        const double steps = std::round(v / dRound);
        if (std::fabs(steps) < 1e15)
            v = steps * dRound;
    }
    if (nSignFlag == 0)
        v = std::fabs(v);
    CString text;
    if (!NumericCharConverter::DoubleToString(v, text, nFormat, nPrecision, nZeroVisible ? 1 : 0))
        return CString();
    if (nFormat == LengthUnitDecimal && nSeparateType == DimSeparateComma)
        text = Grouped(text, u',');
    else if (nFormat == LengthUnitDecimal && nSeparateType == DimSeparateSpace)
        text = Grouped(text, u' ');
    return text;
}

CString DimensionText::ConvertDimAngleToText(double dDegrees, int nFormat, int nPrecision, int nZeroVisible)
{
    if (nFormat == AngleUnitDegMinSec)
        nPrecision = std::min(nPrecision, 6);
    CString text;
    if (!NumericCharConverter::AngleToString(dDegrees, text, nFormat, nPrecision, CString(u"\u00B0"),
                                             nZeroVisible ? 1 : 0))
        return CString();
    return text;
}

CString DimensionText::ToFullWidth(const CString& text)
{
    CString out;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char16_t c = text[i];
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' || c == u',' || c == u'\'' ||
            c == u'"' || c == u'/')
            out += CString(char16_t(c - 0x20 + 0xFF00));
        else if (c == u' ')
            out += CString(u'\u3000');
        else
            out += CString(c);
    }
    return out;
}

CString DimensionText::GetValueText(const Dimension2dFeatureBase* pDimension, double dValue)
{
    if (pDimension == nullptr)
        return CString();
    if (dValue < 0.0 && pDimension->GetValueTextManualMode())
        return Clipped(pDimension->GetValueTextRaw());
    const DimensionSetting& s = pDimension->GetDimensionSetting();
    const double v = dValue >= 0.0 ? dValue : pDimension->GetMeasuredValue();
    CString text = IsAngular(pDimension)
                       ? ConvertDimAngleToText(v, s.GetAngleUnitFormatType(), s.GetAnglePrecision(), s.GetZeroVisible())
                       : ConvertDimValueToText(v, s.GetLengthDimValueScale(), s.GetLengthUnitFormatType(),
                                               s.GetPrecision(), s.GetZeroVisible(), s.GetSeparateTextType(),
                                               s.GetRound(), 0);
    return s.GetToFullWidth() == 1 ? ToFullWidth(text) : text;
}

double DimensionText::MeasureWidth(const CString& text, double dHeight, double dWidthRatio, double dSpacing)
{
    const int n = text.GetLength();
    if (n == 0 || !(dHeight > 0.0))
        return 0.0;
    // Full-width characters take a whole cell; the others about the advance of a proportional font's
    // digits (0.7 of the cell), so that parts in a row stand together as the font draws them.
    double w = 0.0;
    for (int i = 0; i < n; ++i)
        w += text[i] >= 0x1100 ? dHeight * std::max(dWidthRatio, 1.0) : 0.7 * dHeight * dWidthRatio;
    return w + (n - 1) * dSpacing;
}

DimensionText::DimensionText(const Dimension2dFeatureBase* pDimension, double dValue, const RuVaPnt2d& origin)
    : m_origin(origin)
{
    if (pDimension != nullptr)
        Build(pDimension, dValue);
}

void DimensionText::AddItem(int nPart, const CString& text, double x, double yBottom, double dHeight)
{
    if (text.IsEmpty() || !(dHeight > 0.0))
        return;
    Item item;
    item.nPart = nPart;
    item.text = Clipped(text);
    item.lowerLeft = RuVaPnt2d(x, yBottom);
    item.dHeight = dHeight;
    item.dWidth = MeasureWidth(item.text, dHeight, m_dWidthRatio, m_dSpacing);
    m_items.push_back(item);
}

void DimensionText::Build(const Dimension2dFeatureBase* d, double dValue)
{
    const DimensionSetting& s = d->GetDimensionSetting();
    const double H = s.GetDimTextHight();
    if (!(H > 0.0) || !std::isfinite(H))
        return;
    m_dWidthRatio = s.GetDimTextFont().GetWidthRatio() > 0.0 ? s.GetDimTextFont().GetWidthRatio() : 1.0;
    m_dSpacing = std::max(0.0, s.GetDimTextFont().GetCharSpacing());
    const bool full = s.GetToFullWidth() == 1;
    auto shown = [&](const CString& t) { return full ? ToFullWidth(t) : t; };
    const double gap = 0.2 * H;
    double x = 0.0;
    auto put = [&](int part, const CString& text, double h, double y) {
        if (text.IsEmpty())
            return;
        AddItem(part, text, x, y, h);
        x += m_items.back().dWidth;
    };
    // One text of a smaller size against the value's row: 0 its top at the row's top, 1 centred, 2 on the
    // base line.
    auto single = [&](int part, const CString& text, double h, int vertical) {
        const double y = vertical == 0 ? H - h : vertical == 1 ? 0.5 * (H - h) : 0.0;
        put(part, text, h, y);
    };
    // Two texts one over the other, placed as a column by the arrangements.
    auto column = [&](int part1, const CString& t1, int part2, const CString& t2, double h, int vertical,
                      int horizon) {
        const double rowGap = 0.2 * h, total = 2.0 * h + rowGap;
        const double lower = vertical == 0 ? H - total : vertical == 1 ? 0.5 * (H - total) : 0.0;
        const double w1 = MeasureWidth(t1, h, m_dWidthRatio, m_dSpacing),
                     w2 = MeasureWidth(t2, h, m_dWidthRatio, m_dSpacing), w = std::max(w1, w2);
        auto shift = [&](double wi) { return horizon == 0 ? 0.0 : horizon == 1 ? 0.5 * (w - wi) : w - wi; };
        AddItem(part1, t1, x + shift(w1), lower + h + rowGap, h);
        AddItem(part2, t2, x + shift(w2), lower, h);
        x += w;
    };

    put(PartPreText, s.GetPreAdditionText(), H, 0.0);
    if (s.GetAddRPhi() == 1) {
        if (d->GetFeatureType() == FeatureTypeRadiusDimension)
            put(PartSign, CString(u"R"), H, 0.0);
        else if (d->GetFeatureType() == FeatureTypeDiameterDimension)
            put(PartSign, CString(u"\u03C6"), H, 0.0);
    }
    const bool arc = d->GetFeatureType() == FeatureTypeArcDimension;
    if (arc && s.GetArcDimTextOption() == ArcDimTextPrefixMark)
        put(PartArcMark, CString(u"\u2312"), H, 0.0);

    const int tol = s.GetToleranceType();
    const bool angular = IsAngular(d);
    const double t1 = angular ? s.GetToleranceAngle1() : s.GetTolerance1();
    const double t2 = angular ? s.GetToleranceAngle2() : s.GetTolerance2();
    const double ht = H * s.GetToleranceTextSizeRatio();
    const int tolV = s.GetToleranceVerticalTrueUpType(), tolH = s.GetToleranceHorizonTrueUpType();
    const CString value = GetValueText(d, dValue);
    const double valueLeft = x;
    if (tol == DimToleranceLimits && !(dValue < 0.0 && d->GetValueTextManualMode())) {
        // The two limits in place of the value.
        const double v = dValue >= 0.0 ? dValue : d->GetMeasuredValue() * (angular ? 1.0 : s.GetLengthDimValueScale());
        auto limit = [&](double lim) {
            return shown(angular ? ConvertDimAngleToText(lim, s.GetAngleUnitFormatType(), s.GetAnglePrecision(),
                                                         s.GetZeroVisible())
                                 : ConvertDimValueToText(lim, 1.0, s.GetLengthUnitFormatType(), s.GetPrecision(),
                                                         s.GetZeroVisible(), s.GetSeparateTextType(), s.GetRound(), 1));
        };
        if (s.GetVisibleDimValue() != 0)
            column(PartToleranceUpper, limit(v + t1), PartToleranceLower, limit(v + t2), ht, tolV, tolH);
    } else if (s.GetVisibleDimValue() != 0) {
        put(PartValue, value, H, 0.0);
    }
    const double valueRight = x;
    if (tol == DimToleranceBasic && valueRight > valueLeft) {
        const double m = 0.2 * H;
        m_lines.push_back(KcArrayOfGePnt2d{RuVaPnt2d(valueLeft - m, -m), RuVaPnt2d(valueRight + m, -m),
                                           RuVaPnt2d(valueRight + m, H + m), RuVaPnt2d(valueLeft - m, H + m),
                                           RuVaPnt2d(valueLeft - m, -m)});
        x += m;
    }
    if (arc && s.GetArcDimTextOption() == ArcDimTextArcMark && valueRight > valueLeft) {
        // A flat arc over the value.
        const double w = valueRight - valueLeft, cx = 0.5 * (valueLeft + valueRight), rise = 0.3 * H;
        const double r = (0.25 * w * w + rise * rise) / (2.0 * rise), base = 1.15 * H;
        const double half = std::asin(std::min(1.0, 0.5 * w / r));
        KcArrayOfGePnt2d mark;
        for (int i = 0; i <= 12; ++i) {
            const double a = M_PI / 2 + half - 2.0 * half * i / 12;
            mark.Add(RuVaPnt2d(cx + r * std::cos(a), base + rise - r + r * std::sin(a)));
        }
        m_lines.push_back(mark);
    }

    // Inside texts.
    const double hi = H * s.GetInsideAdditionTextSizeRatio();
    if (s.GetInsideAdditionTextType() == DimAddTextTwoSteps &&
        (!s.GetInsideAdditionText1().IsEmpty() || !s.GetInsideAdditionText2().IsEmpty())) {
        x += gap;
        column(PartInsideText1, s.GetInsideAdditionText1(), PartInsideText2, s.GetInsideAdditionText2(), hi,
               s.GetInsideAdditionTextVerticalArrangeType(), s.GetInsideAdditionTextHorizonArrangeType());
    } else if (!s.GetInsideAdditionText1().IsEmpty()) {
        x += gap;
        single(PartInsideText1, s.GetInsideAdditionText1(), hi, s.GetInsideAdditionTextVerticalArrangeType());
    }

    // The tolerance.
    const bool parenthesis = s.GetToleranceAddParenthesis() == 1 || tol == DimToleranceFitClass ||
                             tol == DimToleranceFitClassDeviation;
    const double tp = (angular ? s.GetToleranceAngle1() : s.GetTolerance1());
    if (tol == DimToleranceSymmetric || tol == DimToleranceFitClassDeviation) {
        x += gap;
        CString t = CString(u"\u00B1") + Deviation(s, tp, angular, false);
        if (parenthesis)
            t = CString(u"(") + t + CString(u")");
        single(PartTolerance, shown(t), ht, tolV);
    } else if (tol == DimToleranceDeviation || tol == DimToleranceFitClass) {
        x += gap;
        if (parenthesis)
            put(PartTolerance, CString(u"("), H, 0.0);
        column(PartToleranceUpper, shown(Deviation(s, t1, angular)), PartToleranceLower,
               shown(Deviation(s, t2, angular)), ht, tolV, tolH);
        if (parenthesis)
            put(PartTolerance, CString(u")"), H, 0.0);
    }

    // Trailing texts.
    const double hp = H * s.GetPostAdditionTextSizeRatio();
    if (s.GetPostAdditionTextType() == DimAddTextTwoSteps &&
        (!s.GetPostAdditionText1().IsEmpty() || !s.GetPostAdditionText2().IsEmpty())) {
        x += gap;
        column(PartPostText1, s.GetPostAdditionText1(), PartPostText2, s.GetPostAdditionText2(), hp,
               s.GetPostAdditionTextVerticalArrangeType(), s.GetPostAdditionTextHorizonArrangeType());
    } else if (!s.GetPostAdditionText1().IsEmpty()) {
        x += gap;
        single(PartPostText1, s.GetPostAdditionText1(), hp, s.GetPostAdditionTextVerticalArrangeType());
    }

    // The origin stands at the middle of the row's foot.
    if (m_items.empty() && m_lines.empty())
        return;
    double left = 1e300, right = -1e300, bottom = 0.0, top = H;
    for (const Item& it : m_items) {
        left = std::min(left, it.lowerLeft.X());
        right = std::max(right, it.lowerLeft.X() + it.dWidth);
        bottom = std::min(bottom, it.lowerLeft.Y());
        top = std::max(top, it.lowerLeft.Y() + it.dHeight);
    }
    for (const KcArrayOfGePnt2d& l : m_lines)
        for (INT_PTR i = 0; i < l.GetSize(); ++i) {
            left = std::min(left, l[i].X());
            right = std::max(right, l[i].X());
            bottom = std::min(bottom, l[i].Y());
            top = std::max(top, l[i].Y());
        }
    const double mid = 0.5 * (left + right);
    for (Item& it : m_items)
        it.lowerLeft = RuVaPnt2d(it.lowerLeft.X() - mid + m_origin.X(), it.lowerLeft.Y() + m_origin.Y());
    for (KcArrayOfGePnt2d& l : m_lines)
        for (INT_PTR i = 0; i < l.GetSize(); ++i)
            l[i] = RuVaPnt2d(l[i].X() - mid + m_origin.X(), l[i].Y() + m_origin.Y());
    m_dLeft = left - mid;
    m_dRight = right - mid;
    m_dBottom = bottom;
    m_dTop = top;
}

BOOL DimensionText::GetPartBox(int nPart, double& dLeft, double& dBottom, double& dRight, double& dTop) const
{
    if (nPart == PartWhole) {
        if (IsEmpty())
            return FALSE;
        dLeft = m_dLeft, dRight = m_dRight, dBottom = m_dBottom, dTop = m_dTop;
        return TRUE;
    }
    bool any = false;
    for (const Item& it : m_items) {
        if (it.nPart != nPart)
            continue;
        const double l = it.lowerLeft.X() - m_origin.X(), b = it.lowerLeft.Y() - m_origin.Y();
        dLeft = any ? std::min(dLeft, l) : l;
        dBottom = any ? std::min(dBottom, b) : b;
        dRight = any ? std::max(dRight, l + it.dWidth) : l + it.dWidth;
        dTop = any ? std::max(dTop, b + it.dHeight) : b + it.dHeight;
        any = true;
    }
    return any ? TRUE : FALSE;
}

BOOL DimensionText::GetDimPartsTextFeature(const Dimension2dFeatureBase* pDimension, int nPart, Text2dFeature* pText)
{
    if (pDimension == nullptr || pText == nullptr || nPart <= PartNone || nPart >= kPartCount)
        return FALSE;
    const DimensionLayout& layout = pDimension->GetLayout();
    const DimensionText& text = layout.GetText();
    double l, b, r, t;
    if (!text.GetPartBox(nPart, l, b, r, t))
        return FALSE;
    CString content;
    double height = 0.0;
    for (const Item& it : text.m_items)
        if (nPart == PartWhole || it.nPart == nPart) {
            content += it.text;
            height = std::max(height, it.dHeight);
        }
    if (nPart == PartWhole)
        height = t - b;
    if (content.IsEmpty() || !(height > 0.0))
        return FALSE;
    // The part as one text standing on the middle of its box's foot, its letters centred in the box.
    const double a = layout.GetTextAngle() * RuVa::DegToRad;
    const RuVaVec2d ex(std::cos(a), std::sin(a)), ey(-ex.Y(), ex.X());
    const RuVaPnt2d at = layout.GetTextOrigin() + ex * (0.5 * (l + r)) + ey * b;
    TextSetting style(pDimension->GetDimensionSetting().GetDimTextFont());
    Text2dFeature part(content, at);
    if (!part.SetTextSetting(style) || !part.SetHeight(height) || !part.SetAngle(layout.GetTextAngle()) ||
        !part.SetHorizonArrange(1) || !part.SetVerticalArrange(2))
        return FALSE;
    part.m_bAutoLayout = 0;
    if (!part.SetLayoutRect(r - l, t - b))
        return FALSE;
    part.CopyBase(pDimension);
    pText->Copy(&part, Feature2dBase::copyBase | Feature2dBase::copyGeometry);
    pText->m_bAutoLayout = 0;
    return TRUE;
}

#include "app/ConverterSettings.h"

#include "command/RegistryManager.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/PdfSetting.h"
#include "libs/conv/SXFSetting.h"
#include "platform/win/Registry.h"

namespace {

// One section exchanged value by value.
class Exchange
{
public:
    Exchange(LPCTSTR lpszSection, int nMode) : m_section(lpszSection), m_nMode(nMode), m_registry(HKEY_CURRENT_USER) {}

    void Int(LPCTSTR lpszName, int& nValue)
    {
        if (m_nMode == 1) {
            m_bOk = m_registry.WriteProfileInt(m_section, lpszName, nValue) && m_bOk;
            return;
        }
        nValue = static_cast<int>(m_registry.GetProfileInt(m_section, lpszName, nValue));
    }
    void Bool(LPCTSTR lpszName, BOOL& bValue)
    {
        int n = bValue ? 1 : 0;
        Int(lpszName, n);
        bValue = n != 0 ? TRUE : FALSE;
    }
    void Double(LPCTSTR lpszName, double& dValue)
    {
        if (m_nMode == 1) {
            m_bOk = m_registry.WriteProfileDouble(m_section, lpszName, &dValue) && m_bOk;
            return;
        }
        double d = dValue;
        if (m_registry.GetProfileBinary(m_section, lpszName, &d))
            dValue = d;
    }
    BOOL Ok() const { return m_bOk; }

private:
    LPCTSTR m_section;
    int m_nMode;
    RegistryManager m_registry;
    BOOL m_bOk = TRUE;
};

}  // namespace

BOOL ExchangeDwgLoadSettings(ACadConvSetting& s, int nMode)
{
    Exchange x(_T("DwgLoad"), nMode);
    x.Double(_T("DefLineWidth"), s.m_dDefLineWidth);
    x.Int(_T("WhiteIsChagedQZBlack"), s.m_nWhiteIsChagedQZBlack);
    x.Int(_T("ResolveDimensionRead"), s.m_nResolveDimensionRead);
    x.Int(_T("ResolveLeader"), s.m_nResolveLeader);
    x.Int(_T("ConvWPolylineToHatch"), s.m_nConvWPolylineToHatch);
    x.Int(_T("AdjustmentTextHightRead"), s.m_nAdjustmentTextHightRead);
    x.Int(_T("AdjustmentTextHightFacterAutoRead"), s.m_nAdjustmentTextHightFacterAutoRead);
    x.Double(_T("TextHiFacterRead"), s.m_dTextHiFacterRead);
    x.Int(_T("ResolveMtext"), s.m_nResolveMtext);
    x.Int(_T("HatchTransparency"), s.m_nHatchTransparency);
    x.Int(_T("BlockNameWithFileName"), s.m_nBlockNameWithFileName);
    x.Int(_T("ModelSpaceOnlyRead"), s.m_nModelSpaceOnlyRead);
    x.Int(_T("PaperType"), s.m_nPaperType);
    x.Int(_T("PaperOrientType"), s.m_nPaperOrientType);
    x.Double(_T("PaperSizeX"), s.m_dPaperSizeX);
    x.Double(_T("PaperSizeY"), s.m_dPaperSizeY);
    x.Int(_T("AutoScale"), s.m_nAutoScale);
    x.Double(_T("ScaleNumerator"), s.m_dScaleNumerator);
    x.Double(_T("ScaleDenominator"), s.m_dScaleDenominator);
    x.Int(_T("PartLayoutOrgPointType"), s.m_nPartLayoutOrgPointType);
    x.Double(_T("PaperMarginX"), s.m_dPaperMarginX);
    x.Double(_T("PaperMarginY"), s.m_dPaperMarginY);
    return x.Ok();
}

BOOL ExchangeDwgSaveSettings(ACadConvSetting& s, int nMode)
{
    Exchange x(_T("DwgSave"), nMode);
    x.Int(_T("QZDrawingSaveType"), s.m_nQZDrawingSaveType);
    x.Int(_T("DwgSaveVer"), s.m_nDwgSaveVer);
    x.Int(_T("QZBlackIsChagedWhite"), s.m_nQZBlackIsChagedWhite);
    x.Int(_T("ResolveDimensionWrite"), s.m_nResolveDimensionWrite);
    x.Int(_T("UseMsGothicForHorizonText"), s.m_nUseMsGothicForHorizonText);
    x.Int(_T("AdjustmentTextHightWrite"), s.m_nAdjustmentTextHightWrite);
    x.Int(_T("AdjustmentTextHightFacterAutoWrite"), s.m_nAdjustmentTextHightFacterAutoWrite);
    x.Double(_T("TextHiFacterWrite"), s.m_dTextHiFacterWrite);
    x.Int(_T("ImageFileType"), s.m_nImageFileType);
    return x.Ok();
}

BOOL ExchangeSxfSaveSettings(SXFSetting& s, int nMode)
{
    Exchange x(_T("SxfSave"), nMode);
    x.Int(_T("ResolveDimensionWrite"), s.m_nResolveDimensionWrite);
    x.Int(_T("ResolveLeadWrite"), s.m_nResolveLeadWrite);
    x.Int(_T("ResolveBaloonWrite"), s.m_nResolveBaloonWrite);
    return x.Ok();
}

BOOL ExchangePdfSaveSettings(PdfSetting& s, int nMode)
{
    Exchange x(_T("PdfSave"), nMode);
    x.Bool(_T("BitmapPrint"), s.m_bBitmapPrint);
    x.Bool(_T("PrintBlackAndWhite"), s.m_bPrintBlackAndWhite);
    BOOL bWidth = s.IsLineWidthPrintable(), bMarker = s.IsPointMarkerPrintable();
    x.Bool(_T("LineWidthPrintable"), bWidth);
    x.Bool(_T("MarkerPrintable"), bMarker);
    s.SetLineWidthPrintable(bWidth);
    s.SetPointMarkerPrintable(bMarker);
    return x.Ok();
}

void LoadAcadConvSetting(ACadConvSetting& setting)
{
    ExchangeDwgLoadSettings(setting, 0);
    ExchangeDwgSaveSettings(setting, 0);
    // Stored values are not trusted: what lies outside its range takes the default.
    setting.Normalize();
}

void SaveAcadConvSetting(ACadConvSetting& setting)
{
    ExchangeDwgLoadSettings(setting, 1);
    ExchangeDwgSaveSettings(setting, 1);
}

void LoadSxfSetting(SXFSetting& setting)
{
    ExchangeSxfSaveSettings(setting, 0);
    auto flag = [](int& v) { v = v != 0 ? 1 : 0; };
    flag(setting.m_nResolveDimensionWrite);
    flag(setting.m_nResolveLeadWrite);
    flag(setting.m_nResolveBaloonWrite);
}

void SaveSxfSetting(SXFSetting& setting)
{
    ExchangeSxfSaveSettings(setting, 1);
}

void LoadPdfSetting(PdfSetting& setting)
{
    ExchangePdfSaveSettings(setting, 0);
}

void SavePdfSetting(PdfSetting& setting)
{
    ExchangePdfSaveSettings(setting, 1);
}

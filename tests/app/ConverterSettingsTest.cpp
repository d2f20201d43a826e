// The converters' settings in the settings store: every value of the five sections survives a restart,
// stored values out of range load as the defaults, and the interface language chooses the substitute font.

#include <gtest/gtest.h>

#include "AppFixture.h"

#include <QtCore/QFile>

#include <cstdlib>
#include <cmath>
#include <cstring>
#include <functional>

#include "app/CQZ2App.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/PdfSetting.h"
#include "libs/conv/SXFSetting.h"
#include "platform/win/SettingsStore.h"


TEST_F(AppFixture, ConverterSettingsOutliveTheRun)
{
    ASSERT_TRUE(Start());
    // Values unlike the defaults, each in its range.
    struct Value {
        const char* section;
        const char* name;
        std::function<void(CQZ2App&)> set;
        std::function<double(CQZ2App&)> get;
        double want;
    };
#define DWG_INT(sec, name, field, v) \
    {sec, name, [](CQZ2App& a) { a.GetAcadConvSetting()->field = v; }, [](CQZ2App& a) { return double(a.GetAcadConvSetting()->field); }, v}
    const Value values[] = {
        DWG_INT("DwgLoad", "DefLineWidth", m_dDefLineWidth, 0.7),
        DWG_INT("DwgLoad", "WhiteIsChagedQZBlack", m_nWhiteIsChagedQZBlack, 0),
        DWG_INT("DwgLoad", "ResolveDimensionRead", m_nResolveDimensionRead, 1),
        DWG_INT("DwgLoad", "ResolveLeader", m_nResolveLeader, 1),
        DWG_INT("DwgLoad", "ConvWPolylineToHatch", m_nConvWPolylineToHatch, 1),
        DWG_INT("DwgLoad", "AdjustmentTextHightRead", m_nAdjustmentTextHightRead, 1),
        DWG_INT("DwgLoad", "AdjustmentTextHightFacterAutoRead", m_nAdjustmentTextHightFacterAutoRead, 0),
        DWG_INT("DwgLoad", "TextHiFacterRead", m_dTextHiFacterRead, 0.85),
        DWG_INT("DwgLoad", "ResolveMtext", m_nResolveMtext, 1),
        DWG_INT("DwgLoad", "HatchTransparency", m_nHatchTransparency, 40),
        DWG_INT("DwgLoad", "BlockNameWithFileName", m_nBlockNameWithFileName, 1),
        DWG_INT("DwgLoad", "ModelSpaceOnlyRead", m_nModelSpaceOnlyRead, 1),
        DWG_INT("DwgLoad", "PaperType", m_nPaperType, 5),
        DWG_INT("DwgLoad", "PaperOrientType", m_nPaperOrientType, 0),
        DWG_INT("DwgLoad", "PaperSizeX", m_dPaperSizeX, 123.5),
        DWG_INT("DwgLoad", "PaperSizeY", m_dPaperSizeY, 456.25),
        DWG_INT("DwgLoad", "AutoScale", m_nAutoScale, 0),
        DWG_INT("DwgLoad", "ScaleNumerator", m_dScaleNumerator, 2.0),
        DWG_INT("DwgLoad", "ScaleDenominator", m_dScaleDenominator, 50.0),
        DWG_INT("DwgLoad", "PartLayoutOrgPointType", m_nPartLayoutOrgPointType, 2),
        DWG_INT("DwgLoad", "PaperMarginX", m_dPaperMarginX, 5.5),
        DWG_INT("DwgLoad", "PaperMarginY", m_dPaperMarginY, 7.25),
        DWG_INT("DwgSave", "QZDrawingSaveType", m_nQZDrawingSaveType, 1),
        DWG_INT("DwgSave", "DwgSaveVer", m_nDwgSaveVer, 3),
        DWG_INT("DwgSave", "QZBlackIsChagedWhite", m_nQZBlackIsChagedWhite, 0),
        DWG_INT("DwgSave", "ResolveDimensionWrite", m_nResolveDimensionWrite, 1),
        DWG_INT("DwgSave", "UseMsGothicForHorizonText", m_nUseMsGothicForHorizonText, 1),
        DWG_INT("DwgSave", "AdjustmentTextHightWrite", m_nAdjustmentTextHightWrite, 1),
        DWG_INT("DwgSave", "AdjustmentTextHightFacterAutoWrite", m_nAdjustmentTextHightFacterAutoWrite, 0),
        DWG_INT("DwgSave", "TextHiFacterWrite", m_dTextHiFacterWrite, 1.5),
        DWG_INT("DwgSave", "ImageFileType", m_nImageFileType, 22),
        {"SxfSave", "ResolveDimensionWrite", [](CQZ2App& a) { a.GetSxfSetting()->m_nResolveDimensionWrite = 1; },
         [](CQZ2App& a) { return double(a.GetSxfSetting()->m_nResolveDimensionWrite); }, 1},
        {"SxfSave", "ResolveLeadWrite", [](CQZ2App& a) { a.GetSxfSetting()->m_nResolveLeadWrite = 1; },
         [](CQZ2App& a) { return double(a.GetSxfSetting()->m_nResolveLeadWrite); }, 1},
        {"SxfSave", "ResolveBaloonWrite", [](CQZ2App& a) { a.GetSxfSetting()->m_nResolveBaloonWrite = 1; },
         [](CQZ2App& a) { return double(a.GetSxfSetting()->m_nResolveBaloonWrite); }, 1},
        {"PdfSave", "BitmapPrint", [](CQZ2App& a) { a.GetPdfSetting()->m_bBitmapPrint = TRUE; },
         [](CQZ2App& a) { return double(a.GetPdfSetting()->m_bBitmapPrint); }, 1},
        {"PdfSave", "PrintBlackAndWhite", [](CQZ2App& a) { a.GetPdfSetting()->m_bPrintBlackAndWhite = TRUE; },
         [](CQZ2App& a) { return double(a.GetPdfSetting()->m_bPrintBlackAndWhite); }, 1},
        {"PdfSave", "LineWidthPrintable", [](CQZ2App& a) { a.GetPdfSetting()->SetLineWidthPrintable(FALSE); },
         [](CQZ2App& a) { return double(a.GetPdfSetting()->IsLineWidthPrintable()); }, 0},
        {"PdfSave", "MarkerPrintable", [](CQZ2App& a) { a.GetPdfSetting()->SetPointMarkerPrintable(TRUE); },
         [](CQZ2App& a) { return double(a.GetPdfSetting()->IsPointMarkerPrintable()); }, 1},
    };
#undef DWG_INT
    for (const Value& v : values)
        v.set(*m_app);
    m_app->m_bDxfConverterDialog = FALSE;
    Stop();
    // Doubles are stored as eight bytes.
    auto StoredDouble = [](const char* section, const char* name) {
        const QByteArray bytes = ReadUserBinary(QString::fromLatin1(section), QString::fromLatin1(name));
        double d = -1.0;
        if (bytes.size() == 8)
            std::memcpy(&d, bytes.constData(), 8);
        return d;
    };
    EXPECT_EQ(StoredDouble("DwgLoad", "TextHiFacterRead"), 0.85);
    EXPECT_EQ(StoredDouble("DwgSave", "TextHiFacterWrite"), 1.5);
    ASSERT_TRUE(Start());
    for (const Value& v : values) {
        SCOPED_TRACE(std::string(v.section) + "/" + v.name);
        EXPECT_EQ(v.get(*m_app), v.want);
    }
    EXPECT_FALSE(m_app->m_bDxfConverterDialog);
}

TEST_F(AppFixture, StoredConverterValuesOutOfRangeLoadAsDefaults)
{
    WriteUserInt(QStringLiteral("DwgLoad"), QStringLiteral("HatchTransparency"), 500);
    WriteUserInt(QStringLiteral("DwgLoad"), QStringLiteral("PaperType"), 9);
    WriteUserInt(QStringLiteral("DwgLoad"), QStringLiteral("ResolveMtext"), 1);
    const double nan = std::nan("");
    WriteUserBinary(QStringLiteral("DwgLoad"), QStringLiteral("PaperSizeX"),
                    QByteArray(reinterpret_cast<const char*>(&nan), 8));
    ASSERT_TRUE(Start());
    const ACadConvSetting defaults;
    const ACadConvSetting* s = m_app->GetAcadConvSetting();
    EXPECT_EQ(s->m_nHatchTransparency, defaults.m_nHatchTransparency);
    EXPECT_EQ(s->m_nPaperType, defaults.m_nPaperType);
    EXPECT_EQ(s->m_dPaperSizeX, defaults.m_dPaperSizeX);
    EXPECT_EQ(s->m_nResolveMtext, 1);  // in range: kept
}

TEST_F(AppFixture, TheEnglishInterfaceGivesDwgTextsTheSubstituteFont)
{
    struct Case { const char* language; const char16_t* font; };
    const Case cases[] = {{"ENG", u"Arial"}, {"JPN", u""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        QFile::remove(QString::fromStdU16String(SettingsStore::MachineFilePath()));
        SetMachineLanguage(QString::fromLatin1(c.language));
        ASSERT_TRUE(Start());
        EXPECT_EQ(m_app->GetAcadConvSetting()->GetSubstituteFontName(), CString(c.font));
        Stop();
    }
}

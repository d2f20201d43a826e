#include "DocumentCompare.h"

#include <gtest/gtest.h>

#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSettingStyles.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/StoredForm.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/ViewControlSetting.h"

namespace {
bool Check(bool ok, const std::string& what, const char* field)
{
    EXPECT_TRUE(ok) << what << ": " << field << " differs";
    return ok;
}
}  // namespace

bool DocumentCompare::ExpectSame(const Draw2dDocument& a, const Draw2dDocument& b, const std::string& what)
{
    bool ok = true;
    ok &= Check(a.GetDrawingFeatureCount() == b.GetDrawingFeatureCount(), what, "drawing count");
    for (int i = 0; ok && i < a.GetDrawingFeatureCount(); ++i)
        ok &= Check(a.GetDrawingFeatureByIndex(i)->IsSame(*b.GetDrawingFeatureByIndex(i)), what, "drawing");
    for (int i = 0; ok && i < a.GetDrawingFeatureCount(); ++i)
        ok &= Check(a.GetDrawingFeatureByIndex(i)->GetFeatureCount() ==
                        b.GetDrawingFeatureByIndex(i)->GetFeatureCount(),
                    what, "drawing feature count");
    ok &= Check(a.GetComponentDefineTable()->IsSame(*b.GetComponentDefineTable()), what, "component definitions");
    ok &= Check(a.GetActiveDrawingID() == b.GetActiveDrawingID(), what, "active drawing");
    ok &= Check(a.GetActiveLayoutID() == b.GetActiveLayoutID(), what, "active layout");
    ok &= Check(*a.GetLayerTable() == *b.GetLayerTable(), what, "layer table");
    ok &= Check(a.GetCurrentLayerID() == b.GetCurrentLayerID(), what, "current layer");
    ok &= Check(*a.GetColorFeatureTable() == *b.GetColorFeatureTable(), what, "colour table");
    ok &= Check(*a.GetLineTypeFeatureTable() == *b.GetLineTypeFeatureTable(), what, "line-type table");
    ok &= Check(a.GetLinePitchProportionalMode() == b.GetLinePitchProportionalMode() &&
                    a.GetLinePitchValue() == b.GetLinePitchValue(),
                what, "line pitch");
    ok &= Check(*a.GetLineWidthFeatureTable() == *b.GetLineWidthFeatureTable(), what, "line-width table");
    ok &= Check(a.GetGeneralFeatureSetting()->IsEqual(*b.GetGeneralFeatureSetting()) != 0, what, "general setting");
    ok &= Check(a.GetPointMarkerSetting()->IsEqual(*b.GetPointMarkerSetting()) != 0, what, "point marker setting");
    ok &= Check(a.GetTextSetting()->IsEqual(*b.GetTextSetting()) != 0, what, "text setting");
    ok &= Check(a.GetLeadSetting()->IsEqual(*b.GetLeadSetting()) != 0, what, "lead setting");
    ok &= Check(a.GetBalloonSetting()->IsEqual(*b.GetBalloonSetting()) != 0, what, "balloon setting");
    ok &= Check(a.GetDimensionSetting()->IsEqual(*b.GetDimensionSetting()) != 0, what, "dimension setting");
    ok &= Check(a.GetHatchSetting()->IsEqual(*b.GetHatchSetting()) != 0, what, "hatch setting");
    ok &= Check(a.GetImageSetting()->IsEqual(*b.GetImageSetting()) != 0, what, "image setting");
    ok &= Check(a.GetOleObjectSetting()->IsEqual(*b.GetOleObjectSetting()) != 0, what, "OLE object setting");
    ok &= Check(a.GetGeneralFeatureSettingStyles()->IsEqual(*b.GetGeneralFeatureSettingStyles()) != FALSE &&
                    a.GetPointMarkerSettingStyles()->IsEqual(*b.GetPointMarkerSettingStyles()) != FALSE &&
                    a.GetTextSettingStyles()->IsEqual(*b.GetTextSettingStyles()) != FALSE &&
                    a.GetLeadSettingStyles()->IsEqual(*b.GetLeadSettingStyles()) != FALSE &&
                    a.GetBalloonSettingStyles()->IsEqual(*b.GetBalloonSettingStyles()) != FALSE &&
                    a.GetDimensionSettingStyles()->IsEqual(*b.GetDimensionSettingStyles()) != FALSE &&
                    a.GetHatchSettingStyles()->IsEqual(*b.GetHatchSettingStyles()) != FALSE,
                what, "named styles");
    ok &= Check(a.GetHatchPatternTable()->IsEqual(*b.GetHatchPatternTable()) != FALSE, what, "hatch patterns");
    ok &= Check(a.GetCurrentColorNo() == b.GetCurrentColorNo() && a.GetCurrentLineTypeNo() == b.GetCurrentLineTypeNo() &&
                    a.GetCurrentLineWidthNo() == b.GetCurrentLineWidthNo(),
                what, "current attributes");
    ok &= Check(a.GetLengthUnitFormatType() == b.GetLengthUnitFormatType() &&
                    a.GetDistPrecision() == b.GetDistPrecision() &&
                    a.GetAngleUnitFormatType() == b.GetAngleUnitFormatType() &&
                    a.GetAnglePrecision() == b.GetAnglePrecision(),
                what, "units");
    ok &= Check(a.GetPaperLineWidthDisplayMode() == b.GetPaperLineWidthDisplayMode() &&
                    a.GetPaperLinePitchDisplayMode() == b.GetPaperLinePitchDisplayMode() &&
                    a.GetPartLineWidthDisplayMode() == b.GetPartLineWidthDisplayMode() &&
                    a.GetPartLinePitchDisplayMode() == b.GetPartLinePitchDisplayMode() &&
                    a.GetLineCapMode() == b.GetLineCapMode() && a.GetLineJoinMode() == b.GetLineJoinMode(),
                what, "display modes");
    for (int i = 0; i < a.GetViewControlSettingCount(); ++i)
        ok &= Check(a.GetViewControlSetting(i) == b.GetViewControlSetting(i), what, "saved view");
    ok &= Check(a.GetViewControlSettingCurrentIndex() == b.GetViewControlSettingCurrentIndex(), what,
                "saved view index");

    ok &= Check(a.GetFeatureCount() == b.GetFeatureCount(), what, "feature count");
    long ia = a.GetNextFeatureRecordID(-1), ib = b.GetNextFeatureRecordID(-1);
    while (ok && (ia != -1 || ib != -1)) {
        ok &= Check(ia == ib, what, "record ids");
        if (!ok)
            break;
        ok &= Check(a.GetFeatureDrawingID(ia) == b.GetFeatureDrawingID(ib), what, "record drawing");
        ok &= Check(StoredForm::IsSame(a.GetFeature(ia), b.GetFeature(ib)) != FALSE, what, "record shape");
        ok &= Check(a.GetFeature(ia)->GetRecordID() == ia, what, "shape record id");
        ia = a.GetNextFeatureRecordID(ia);
        ib = b.GetNextFeatureRecordID(ib);
    }
    return ok;
}

#pragma once
// Type codes of the shapes. The numbers are stored in files and handed between the parts of the program;
// they never change.

enum FeatureType : int {
    FeatureTypeNone = 0,
    FeatureTypePointMarker = 1,
    FeatureTypeLine = 2,
    FeatureTypePolyline = 3,
    FeatureTypeCircle = 4,
    FeatureTypeArc = 5,
    FeatureTypeEllipse = 6,
    FeatureTypeEllipseArc = 7,
    FeatureTypeRegion = 8,  // a closed chain of boundary curves (hatch outlines, region search results)
    FeatureTypeBSplineCurve = 9,
    FeatureTypeText = 10,
    FeatureTypeInfiniteLine = 11,
    FeatureTypeSemiInfiniteLine = 12,
    FeatureTypeArrow = 13,
    FeatureTypeLead = 30,
    FeatureTypeBalloon = 31,
    FeatureTypeHatch = 32,
    FeatureTypeLinearDimension = 50,
    FeatureTypeRadiusDimension = 51,
    FeatureTypeDiameterDimension = 52,
    FeatureTypeAngularDimension = 53,
    FeatureTypeArcDimension = 54,
    FeatureTypeParallelDimension = 55,
    FeatureTypeTolerance = 59,
    FeatureTypeDrawGroup = 70,
    FeatureTypeDrawComponent = 71,
    FeatureTypeImage = 80,
    FeatureTypeOleObject = 90,
    FeatureTypePartLayout = 100  // a part layout picked as a shape; never a stored feature
};

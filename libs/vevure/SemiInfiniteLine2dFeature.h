#pragma once
// A ray from a point in a direction (type 12).

#include "libs/vevure/InfiniteLine2dFeature.h"

class SemiInfiniteLine2dFeature : public InfiniteLine2dFeature
{
    DECLARE_SERIAL(SemiInfiniteLine2dFeature)
public:
    SemiInfiniteLine2dFeature();
    SemiInfiniteLine2dFeature(const RuVaPnt2d& point, const RuVaDir2d& direction);

    RuVaBndBox2d GetBndBox() const override;
};

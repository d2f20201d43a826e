#pragma once
// What every dimension shares in the property bar: the value-text mode, the value text (typed only in the
// entered mode), the value position mode and point, and the dimension style. The kinds add their defining
// geometry before these rows. Every change lays the dimension out again before the document takes it.

#include <functional>

#include "property/ShapeFeaturePropertyBase.h"

class Dimension2dFeatureBase;

namespace QZ2Command {

class Dimension2dFeaturePropertyBase : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Dimension2dFeaturePropertyBase)
public:
    enum { idValueMode = 50, idValueText = 51, idValuePositionMode = 52, idValuePoint = 53, idStyle = 54 };

    Dimension2dFeaturePropertyBase();
    Dimension2dFeaturePropertyBase(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Dimension2dFeaturePropertyBase() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;

protected:
    // Appends rows 50-54; the kinds call it after their own rows.
    void AddDimensionRows();
    // A change of a copy of the dimension (an edit result), then the layout: by default the dimension
    // laid out again with its own style; a kind's own recomputation replaces that.
    BOOL EditDimension(const std::function<int(Dimension2dFeatureBase*)>& change,
                       const std::function<BOOL(Dimension2dFeatureBase*)>& recompute = nullptr);
    // The common pattern for a point, a length or an angle of the dimension.
    BOOL EditPoint(const ParameterItemBase* pItem, const std::function<RuVaPnt2d(const Dimension2dFeatureBase*)>& get,
                   const std::function<BOOL(Dimension2dFeatureBase*, const RuVaPnt2d&)>& set);
    BOOL EditNumber(const ParameterItemBase* pItem, BOOL bPositive,
                    const std::function<double(const Dimension2dFeatureBase*)>& get,
                    const std::function<BOOL(Dimension2dFeatureBase*, double)>& set);
};

}  // namespace QZ2Command

#pragma once
// One point in the active drawing's coordinates (or world coordinates when asked for).

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"

namespace QZ2Command {

class PointParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(PointParameterItem)
public:
    PointParameterItem();
    // A new item that is a full copy of the source.
    PointParameterItem(const PointParameterItem& source);
    PointParameterItem& operator=(const PointParameterItem&) = delete;

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL SetValue(const RuVaPnt2d& point);
    BOOL GetValue(RuVaPnt2d& point) const;
    void GetValueText(CString& text) const;

    static constexpr double kTolerance = 1e-7;

    RuVaPnt2d m_point;
    // A click may give this point.
    BOOL m_bPickable = TRUE;
    // The cursor is snapped while this item takes clicks.
    BOOL m_bSnapInput = TRUE;
    // The point is taken in world coordinates.
    BOOL m_bWorldInput = FALSE;
};

}  // namespace QZ2Command

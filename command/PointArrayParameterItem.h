#pragma once
// A growing list of points; it counts as entered once the user has finished it.

#include "command/ParameterItemBase.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

namespace QZ2Command {

class PointArrayParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(PointArrayParameterItem)
public:
    PointArrayParameterItem();

    // Drops every point and the finished flag; the item becomes empty only when clearable.
    BOOL Clear() override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // FALSE when the point repeats the last one.
    BOOL AddPoint(const RuVaPnt2d& point);
    BOOL RemoveLastPoint();
    // FALSE when two consecutive points coincide.
    BOOL SetPoints(const KcArrayOfGePnt2d& points);
    // FALSE for an empty item, and for an item without points (a cleared item that could not be
    // emptied), so that no caller reads a point that is not there.
    BOOL GetValue(KcArrayOfGePnt2d& points) const;
    BOOL GetPointAt(int nIndex, RuVaPnt2d& point) const;
    BOOL GetLastPoint(RuVaPnt2d& point) const;
    int GetCount() const { return static_cast<int>(m_points.GetSize()); }

    KcArrayOfGePnt2d m_points;
    BOOL m_bFinished = FALSE;
    BOOL m_bSnapInput = TRUE;
};

}  // namespace QZ2Command

#include "command/SnapInfo.h"

#include "libs/ruva/RuVaEntity2d.h"

namespace QZ2Command {

SnapInfo::SnapInfo() = default;

SnapInfo::~SnapInfo()
{
    m_virtualCurves.DeleteAll();
    ClearHistories();
}

void SnapInfo::Reset()
{
    m_dwKind = 0;
    m_nAngular = 0;
    m_origin = RuVaPnt2d();
    m_dAngle = 0.0;
    m_dBaseAngle = 0.0;
    m_point = RuVaPnt2d();
    m_virtualCurves.DeleteAll();
}

void SnapInfo::ClearHistories()
{
    m_horzVert.DeleteAll();
    m_extension.DeleteAll();
    m_perpendicular.DeleteAll();
}

void SnapInfo::CopyResult(const SnapInfo& source)
{
    if (&source == this)
        return;
    m_dwKind = source.m_dwKind;
    m_nAngular = source.m_nAngular;
    m_origin = source.m_origin;
    m_dAngle = source.m_dAngle;
    m_dBaseAngle = source.m_dBaseAngle;
    m_point = source.m_point;
    for (INT_PTR i = 0; i < source.m_virtualCurves.GetSize(); ++i)
        if (const RuVaEntity2d* e = source.m_virtualCurves.GetAt(i))
            m_virtualCurves.Add(e->Clone());
}

BOOL SnapInfo::Push(KcArrayOfGeEntity2d& history, const RuVaEntity2d* pEntity)
{
    if (pEntity == nullptr)
        return FALSE;
    for (INT_PTR i = 0; i < history.GetSize(); ++i)
        if (const RuVaEntity2d* e = history.GetAt(i); e != nullptr && e->IsEqual(*pEntity))
            return FALSE;
    history.Add(pEntity->Clone());
    while (history.GetSize() > kHistorySize)
        history.DeleteAt(0);
    return TRUE;
}

}  // namespace QZ2Command

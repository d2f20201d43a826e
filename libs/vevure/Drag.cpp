#include "libs/vevure/Drag.h"

#include <cmath>
#include <memory>

#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/PartDrawingLayout.h"

namespace {
// Chord tolerance of drag images: fine enough for any zoom a drag is seen at, relative to the shape.
constexpr double kRelativeTolerance = 1e-3;
}  // namespace

Drag::~Drag() = default;

void Drag::ClearDragData()
{
    m_items.clear();
    m_origin = RuVaPnt2d();
    m_dScaleX = m_dScaleY = 1.0;
    m_dAngle = 0.0;
}

void Drag::ClearFeature()
{
    m_items.clear();
}

void Drag::SetScale(double x, double y)
{
    if (std::isfinite(x) && std::isfinite(y) && x != 0.0 && y != 0.0) {
        m_dScaleX = x;
        m_dScaleY = y;
    }
}

void Drag::SetAngle(double dDegrees)
{
    if (std::isfinite(dDegrees))
        m_dAngle = dDegrees;
}

BOOL Drag::AddWorld(const Feature2dBase* pWorld, const Draw2dDocument* pDocument)
{
    if (pWorld == nullptr)
        return FALSE;
    Item item;
    const RuVaBndBox2d box = pWorld->GetBndBox();
    const double size = box.IsVoid() ? 1.0 : std::max(box.Width(), box.Height());
    FeatureFlattener::Flatten(pWorld, item.chains, std::max(size * kRelativeTolerance, 1e-9));
    if (item.chains.empty())
        return FALSE;
    const short no = pWorld->GetColorNo();
    if (no == -1)
        item.color = pWorld->GetColor();
    else if (no > 0 && pDocument != nullptr && pDocument->GetColorFeatureTable() != nullptr)
        item.color = pDocument->GetColorFeatureTable()->GetColorRef(no);
    else
        item.color = RGB(0, 0, 0);
    m_items.push_back(std::move(item));
    return TRUE;
}

BOOL Drag::AddFeature(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout, long nRecordID)
{
    const Draw2dDocument* doc = pDrawing != nullptr ? pDrawing->GetDocument() : nullptr;
    const Feature2dBase* f = doc != nullptr && nRecordID > 0 ? doc->GetFeature(nRecordID) : nullptr;
    if (f == nullptr)
        return FALSE;
    std::unique_ptr<Feature2dBase> world(pLayout != nullptr && !pLayout->IsTransformIdentity()
                                             ? pLayout->ConvertFeatureLocalToWorld(f)
                                             : f->CopyObject(Feature2dBase::copyAll));
    return AddWorld(world.get(), doc);
}

BOOL Drag::AddFeature(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout, Feature2dBase* pFeature,
                      BOOL bCopy)
{
    std::unique_ptr<Feature2dBase> owned(bCopy ? nullptr : pFeature);
    if (pFeature == nullptr)
        return FALSE;
    std::unique_ptr<Feature2dBase> world(pLayout != nullptr && !pLayout->IsTransformIdentity()
                                             ? pLayout->ConvertFeatureLocalToWorld(pFeature)
                                             : nullptr);
    return AddWorld(world ? world.get() : pFeature, pDrawing != nullptr ? pDrawing->GetDocument() : nullptr);
}

BOOL Drag::DrawDrag(Draw2dDocument*, Draw2dView* pView, const RuVaPnt2d& world, double dAngleDeg, COLORREF color)
{
    if (pView == nullptr || m_items.empty() || !world.IsFinite() || !std::isfinite(dAngleDeg))
        return FALSE;
    if (!pView->BeginDrawTemporaryFeature(nullptr))
        return FALSE;
    const double a = (m_dAngle + dAngleDeg) * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
    KcArrayOfGePnt2d moved;
    for (const Item& item : m_items)
        for (const KcArrayOfGePnt2d& chain : item.chains) {
            moved.SetSize(chain.GetSize());
            for (INT_PTR i = 0; i < chain.GetSize(); ++i) {
                const double x = (chain[i].X() - m_origin.X()) * m_dScaleX, y = (chain[i].Y() - m_origin.Y()) * m_dScaleY;
                moved[i].SetCoord(world.X() + x * c - y * s, world.Y() + x * s + y * c);
            }
            pView->DrawOverlayPolyline(moved, color == (COLORREF)-1 ? item.color : color, FALSE);
        }
    pView->EndDrawTemporaryFeature();
    return TRUE;
}

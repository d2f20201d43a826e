#pragma once
// A drawing of the document and, optionally, one of its part layouts. The pointers refer into the
// document and are read only while the item is not empty.

#include "command/ParameterItemBase.h"

class Draw2dDocument;
class DrawingFeatureBase;
class PartDrawingLayout;

namespace QZ2Command {

class DrawingParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(DrawingParameterItem)
public:
    DrawingParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // A null drawing empties the item and keeps the old pointers.
    BOOL SetValue(DrawingFeatureBase* pDrawing, PartDrawingLayout* pLayout);
    BOOL GetValue(DrawingFeatureBase*& pDrawing, PartDrawingLayout*& pLayout) const;

    Draw2dDocument* m_pDocument = nullptr;
    DrawingFeatureBase* m_pDrawing = nullptr;
    PartDrawingLayout* m_pLayout = nullptr;
    // The entry kinds the property list's drawing combo offers.
    int m_nAcceptedEntries = 7;
};

}  // namespace QZ2Command

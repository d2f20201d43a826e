#pragma once
// A saved view of a document: its slot index, the centre point and scale of the view, and the drawing
// and part layout it shows. A slot is in use when its scale is not 0 and its drawing id is not -1.

#include "libs/ruva/RuVaPnt2d.h"
#include "platform/afx/AfxTypes.h"

class CArchive;

class ViewControlSetting
{
public:
    ViewControlSetting() = default;
    ViewControlSetting(const ViewControlSetting& src) { Copy(src); }
    // Assignment goes through the virtual Copy.
    ViewControlSetting& operator=(const ViewControlSetting& src)
    {
        if (this != &src)
            Copy(src);
        return *this;
    }
    virtual ~ViewControlSetting();

    virtual void Copy(const ViewControlSetting& src);

    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    const RuVaPnt2d& GetCenterPoint() const { return m_center; }
    void SetCenterPoint(const RuVaPnt2d& center) { m_center = center; }
    double GetScale() const { return m_scale; }
    void SetScale(double scale) { m_scale = scale; }
    long GetDrawingID() const { return m_drawingId; }
    void SetDrawingID(long id) { m_drawingId = id; }
    long GetLayoutID() const { return m_layoutId; }
    void SetLayoutID(long id) { m_layoutId = id; }

    BOOL IsEnableSetting() const { return m_scale != 0.0 && m_drawingId != -1 ? TRUE : FALSE; }
    // Back to an unused slot (its index stays).
    void Clear();

    bool operator==(const ViewControlSetting& other) const;
    bool operator!=(const ViewControlSetting& other) const { return !(*this == other); }

    // Loading refuses a centre or scale that is not finite, or a negative scale, with
    // CArchiveException; the setting then stays unchanged.
    void Serialize(CArchive& ar);

private:
    int m_index = 0;
    RuVaPnt2d m_center;
    double m_scale = 0.0;
    long m_drawingId = -1;
    long m_layoutId = -1;
};

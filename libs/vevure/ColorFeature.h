#pragma once
// One colour of a document's colour table: its number (1-256), RGB value and name.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class ColorFeature
{
public:
    ColorFeature() = default;
    ColorFeature(short no, COLORREF rgb, const CString& name) : m_no(no), m_rgb(rgb & 0x00FFFFFF), m_name(name) {}

    short GetColorNo() const { return m_no; }
    COLORREF GetColorRef() const { return m_rgb; }
    const CString& GetColorName() const { return m_name; }
    void SetColorRef(COLORREF rgb) { m_rgb = rgb & 0x00FFFFFF; }
    void SetColorName(const CString& name) { m_name = name; }

    bool operator==(const ColorFeature& o) const { return m_no == o.m_no && m_rgb == o.m_rgb && m_name == o.m_name; }
    bool operator!=(const ColorFeature& o) const { return !(*this == o); }

private:
    short m_no = 0;
    COLORREF m_rgb = 0;
    CString m_name;
};

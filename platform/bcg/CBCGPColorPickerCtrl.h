#pragma once
// A colour picker control: a field of hues (across) and saturations (up and down) at middle
// luminance, a luminance bar for a hue and saturation, or a swatch of the current colour. The
// user picks with the mouse; the parent hears of each change as BN_CLICKED and reads the
// control's hue, luminance, saturation or colour. Hue, luminance and saturation run from 0 to 1.

#include "platform/win/CWnd.h"

class CPalette;

class CBCGPColorPickerCtrl : public CWnd {
  DECLARE_DYNCREATE(CBCGPColorPickerCtrl)
public:
  enum COLORTYPE { CURRENT, LUMINANCE, PICKER, HEX, HEX_GREYSCALE };

  CBCGPColorPickerCtrl();
  ~CBCGPColorPickerCtrl() override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetType(COLORTYPE colorType);
  COLORTYPE GetType() const { return m_colorType; }
  void SetPalette(CPalette* pPalette) { m_pPalette = pPalette; }
  void SetHLS(double hue, double luminance, double saturation, BOOL bInvalidate = TRUE);
  void GetHLS(double* hue, double* luminance, double* saturation) const;
  double GetHue() const { return m_dblHue; }
  double GetLuminance() const { return m_dblLum; }
  double GetSaturation() const { return m_dblSat; }
  void SetHue(double hue);
  void SetLuminance(double luminance);
  void SetSaturation(double saturation);
  // The colour of the current hue, luminance and saturation.
  COLORREF GetColor() const;
  void SetColor(COLORREF color);
  void SetOriginalColor(COLORREF color) { m_colorOriginal = color; }
  void SetLuminanceBarWidth(int w);
  int GetLuminanceBarWidth() const { return m_nLumBarWidth; }

protected:
  DECLARE_MESSAGE_MAP()
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  // Takes the value under the point and tells the parent.
  void PickAt(CPoint point);

  COLORTYPE m_colorType = PICKER;
  CPalette* m_pPalette = nullptr;
  double m_dblHue = 0.0;
  double m_dblLum = 0.5;
  double m_dblSat = 1.0;
  COLORREF m_colorOriginal = (COLORREF)-1;
  int m_nLumBarWidth = 20;
  BOOL m_bTracking = FALSE;
};

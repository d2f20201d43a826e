#pragma once
// The colour table dialog (template 520): a working copy of a document's colour table shown as the
// fixed colours 1-16 and the user colours 17-256; a user colour is composed with a hue/saturation picker,
// a luminance bar and red, green, blue, hue, luminance and saturation fields (0-255 each), named, and
// stored into the copy with Set. Swatches show the new colour above the current one. The caller reads
// m_table after IDOK.

#include "controls/CColorCellsCtrl.h"
#include "controls/CQZ2Edit.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "platform/bcg/CBCGPColorPickerCtrl.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CSpinButtonCtrl.h"

class CColorSettingDialog : public CDialog
{
public:
    enum { IDD = 520 };
    enum : int {
        kName = 1010, kNumber = 1011, kUserCells = 1012, kFixedCells = 1013, kPicker = 1014, kLuminance = 1015,
        kSwatchFrame = 1016, kSet = 1017, kPickerFrame = 1018, kLuminanceFrame = 1019,
        kHue = 1020, kGreen = 1021, kBlue = 1022, kLum = 1023, kRed = 1024, kSat = 1025,
        kHueSpin = 1030, kGreenSpin = 1031, kBlueSpin = 1032, kLumSpin = 1033, kRedSpin = 1034, kSatSpin = 1035,
    };

    explicit CColorSettingDialog(CWnd* pParent = nullptr);
    ~CColorSettingDialog() override;

    void SetColorTable(const ColorFeatureTable* pTable);

    // Hue, luminance and saturation (0-1) as the fields show them (0-255) and back.
    static int ToField(double value);
    static double FromField(int field);

    void SetCurrentColor(COLORREF rgb);
    void SetNewColor(COLORREF rgb);
    COLORREF GetCurrentColor() const { return m_currentColor; }
    COLORREF GetNewColor() const { return m_newColor; }
    const CRect& GetNewSwatch() const { return m_rcNew; }
    const CRect& GetCurrentSwatch() const { return m_rcCurrent; }

    CQZ2Edit m_nameEdit;
    CColorCellsCtrl m_userCells;
    CColorCellsCtrl m_fixedCells;
    CBCGPColorPickerCtrl m_picker;
    CBCGPColorPickerCtrl m_luminance;
    CSpinButtonCtrl m_spins[6];
    CQZ2Edit m_edits[6];
    int m_nRed = 0;
    int m_nBlue = 0;
    int m_nGreen = 0;
    int m_nHue = 0;
    int m_nLum = 0;
    int m_nSat = 0;
    int m_nColorNo = 17;
    CString m_strName;
    ColorFeatureTable m_table;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    afx_msg void OnCellsChanged(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnRgbChange();
    afx_msg void OnHlsChange();
    afx_msg void OnPickerClicked();
    afx_msg void OnLuminanceClicked();
    afx_msg void OnSet();
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    void ChooseColor(BOOL bFixed);
    void EnableEditing(BOOL bEnable);
    // Writes the six fields and the number, changing only the texts that differ.
    void WriteFields();
    void HlsFieldsFrom(double hue, double lum, double sat);
    void FillSwatch(const CRect& rc);

    CRect m_rcNew;
    CRect m_rcCurrent;
    COLORREF m_newColor = 0;
    COLORREF m_currentColor = 0;
    // Set while the dialog writes its own fields, whose change notifications are then its own.
    BOOL m_bWriting = FALSE;
    CBitmap m_helpImage;
};

#pragma once
// The drawing settings dialog (template 523): how line pitches and widths show on papers and in part
// drawings, the line cap and join, and the length and angle formats with their precisions. It holds the
// values; the command reads them from the document before and writes them back after IDOK.

#include "controls/CLineCapComboBox.h"
#include "controls/CLineJoinComboBox.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDialog.h"

class CDrawSettingDialog : public CDialog
{
public:
    enum { IDD = 523 };
    enum : int {
        kJoin = 2301, kCap = 2302, kPaperPitch = 2311, kPaperWidth = 2312, kPartPitch = 2313, kPartWidth = 2314,
        kLengthFormat = 2321, kDistPrecision = 2322, kAngleFormat = 2323, kAnglePrecision = 2324,
    };

    explicit CDrawSettingDialog(CWnd* pParent = nullptr);
    ~CDrawSettingDialog() override;

    // 0, 1 and 2 are kept, anything else is "none" (-1).
    void SetPaperLinePitchDisplayMode(int nMode) { m_nPaperPitch = ModeOrNone(nMode); }
    void SetPaperLineWidthDisplayMode(int nMode) { m_nPaperWidth = ModeOrNone(nMode); }
    void SetPartLinePitchDisplayMode(int nMode) { m_nPartPitch = ModeOrNone(nMode); }
    void SetPartLineWidthDisplayMode(int nMode) { m_nPartWidth = ModeOrNone(nMode); }
    int GetPaperLinePitchDisplayMode() const { return ModeOrNone(m_nPaperPitch); }
    int GetPaperLineWidthDisplayMode() const { return ModeOrNone(m_nPaperWidth); }
    int GetPartLinePitchDisplayMode() const { return ModeOrNone(m_nPartPitch); }
    int GetPartLineWidthDisplayMode() const { return ModeOrNone(m_nPartWidth); }
    void SetLineCapMode(int nMode) { m_nCap = nMode; }
    void SetLineJoinMode(int nMode) { m_nJoin = nMode; }
    int GetLineCapMode() const { return m_nCap; }
    int GetLineJoinMode() const { return m_nJoin; }

    CLineJoinComboBox m_join;
    CLineCapComboBox m_cap;
    CComboBox m_paperWidthList;
    CComboBox m_paperPitchList;
    CComboBox m_partWidthList;
    CComboBox m_partPitchList;
    CComboBox m_lengthFormatList;
    int m_nLengthFormat = 0;
    CComboBox m_distPrecisionList;
    int m_nDistPrecision = 0;
    CComboBox m_angleFormatList;
    int m_nAngleFormat = 0;
    CComboBox m_anglePrecisionList;
    int m_nAnglePrecision = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnLengthFormat();
    afx_msg void OnAngleFormat();
    DECLARE_MESSAGE_MAP()

private:
    static int ModeOrNone(int nMode) { return nMode >= 0 && nMode <= 2 ? nMode : -1; }
    int m_nPaperPitch = -1;
    int m_nPaperWidth = -1;
    int m_nPartPitch = -1;
    int m_nPartWidth = -1;
    int m_nCap = -1;
    int m_nJoin = -1;
    CBitmap m_helpImage;
};

#pragma once
// The result of a measurement: rows of a caption and a value, re-formatted at once when another precision
// is chosen; OK keeps the precision per kind of measurement in the settings section "Measure"; the copy
// button puts the selected rows on the clipboard as text. Coordinates away from the user origin show a
// second row, the point relative to the origin first and in red.

#include "libs/ruva/RuVaPnt2d.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDialog.h"
#include "platform/win/CListCtrl.h"

class CMeasureResultDialog : public CDialog
{
public:
    enum { IDD = 550 };
    static constexpr int kResultList = 2420;
    static constexpr int kCopyButton = 2421;
    static constexpr int kPrecisionCombo = 2422;
    static constexpr int kDisplayLabel = 2423;
    static constexpr int kDisplayCombo = 2424;
    static constexpr int kHelpButton = 57670;

    enum Kind { kindCoordinates = 0, kindLength = 1, kindAngle = 2, kindArea = 3 };

    explicit CMeasureResultDialog(CWnd* pParent = nullptr);
    ~CMeasureResultDialog() override;

    // Filled by the command before DoModal.
    int m_nPrecision = 2;
    int m_nDisplayType = 0;
    int m_nKind = kindCoordinates;
    RuVaPnt2d m_firstPoint;
    RuVaPnt2d m_secondPoint;
    double m_dLength = 0.0;
    double m_dX = 0.0;
    double m_dY = 0.0;
    double m_dAngle = 0.0;
    double m_dArea = 0.0;
    int m_nLengthFormat = 0;
    int m_nAngleFormat = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The texts of the rows as shown: caption and value.
    int GetRowCount() const;
    CString GetRowCaption(int nRow) const;
    CString GetRowValue(int nRow) const;
    // The text the copy button puts on the clipboard for the selected rows (empty with none selected).
    CString GetCopyText() const;

    // The settings value that keeps the precision of a kind; NULL outside the four kinds.
    static LPCTSTR GetPrecisionEntry(int nKind);
    // The settings section of the precisions.
    static LPCTSTR GetSection();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCopy();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPrecisionChanged();
    afx_msg void OnDisplayChanged();
    DECLARE_MESSAGE_MAP()

private:
    void LoadSettings();
    void SaveSettings();
    void FillPrecisionCombo();
    void FillRows();
    void UpdateCopyButton();
    BOOL ArePointsDifferent() const;
    CString LengthText(double value) const;
    CString AreaText() const;

    CComboBox m_precisionCombo;
    CListCtrl m_resultList;
    CBCGPButton m_helpButton;
};

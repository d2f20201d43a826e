#pragma once
// Names and spaces a hatch pattern made of shapes: the name, and the two directions along which the motif
// repeats, each an angle and a spacing. The motif itself is not edited here. The caller copies the pattern
// in, runs the dialog and on OK reads the pattern back.

#include "libs/vevure/ShapeHatchPattern.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CDialog.h"

class Draw2dDocument;

class CShapeHatchPatternSettingDialog : public CDialog
{
public:
    enum { IDD = 529 };
    static constexpr int kNameEdit = 2405;
    static constexpr int kAngle1Edit = 2512;
    static constexpr int kSpace1Edit = 2511;
    static constexpr int kAngle2Edit = 2049;
    static constexpr int kSpace2Edit = 2505;

    explicit CShapeHatchPatternSettingDialog(CWnd* pParent = nullptr);
    ~CShapeHatchPatternSettingDialog() override;

    ShapeHatchPattern m_pattern;
    CStringArray m_usedNames;
    // FALSE refuses a name in use; TRUE asks whether to replace that pattern.
    BOOL m_bReplace = FALSE;
    Draw2dDocument* m_pDocument = nullptr;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    double m_dAngle1 = 0.0;
    double m_dSpace1 = 0.0;
    double m_dAngle2 = 0.0;
    double m_dSpace2 = 0.0;
    CString m_strName;
};

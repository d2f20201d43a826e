#pragma once
// The user's program options: colours, rendering, snapping, selection, nudging, saving and recovery,
// typed-number constants and the update period. The application owns one; dialogs edit a copy through
// the validating setters and hand it back to CQZ2App::SetSystemEnvironment. The fields are read
// directly.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class InputConstValue;

class SystemEnvironment
{
public:
    // The constants of typed numbers that a new user starts with.
    static const TCHAR kDefaultInputConstValue[];

    SystemEnvironment();
    SystemEnvironment(const SystemEnvironment& src);
    SystemEnvironment& operator=(const SystemEnvironment& src);
    virtual ~SystemEnvironment();

    void SetDefaults();

    // Writes every option to the section "Options"; FALSE when the section cannot be created.
    BOOL Save() const;
    // Reads every stored option of the section "Options" and puts a value out of range back in range.
    // dwSettingsVersion is the version of the program that stored them (major << 16 | minor).
    // FALSE, and nothing changed, when the section is missing.
    BOOL Load(DWORD dwSettingsVersion);

    // Fills the list from "c=10.0,i=25.4" text; entries whose key is not one letter a-z, or whose
    // number does not read, are skipped.
    static void ParseInputConstValue(const CString& text, InputConstValue& list);
    // The text form of the list, as Save writes it.
    static CString FormatInputConstValue(const InputConstValue& list);

    // Setters: FALSE, and the option unchanged, for a value out of range.
    BOOL SetCursorColor(COLORREF color);
    BOOL SetPaperColor(COLORREF color);
    BOOL SetPaperBackColor1(COLORREF color);
    BOOL SetPaperBackColor2(COLORREF color);
    BOOL SetPartBackColor(COLORREF color);
    BOOL SetComponentEditerBackColor(COLORREF color);
    BOOL SetSelectionColor(COLORREF color);
    BOOL SetTableViewThumbnailBackColor(COLORREF color);
    // Stores 0 or 1 and returns the mode before the call (the current mode when refused).
    int SetGraphicsMode(int nMode);
    // Stores any value and returns the previous one.
    int SetLineSmoothMode(int nMode);
    BOOL SetLayoutRegionVisible(BOOL bVisible);
    BOOL SetGreekTextSize(UINT nSize);
    BOOL SetVisualStyle(int nStyle);
    BOOL SetSnapEnabled(BOOL bEnabled);
    BOOL SetSnapType(DWORD dwType);
    BOOL SetSnapDivisionCount(short nCount);
    BOOL SetSnapBoxVisible(BOOL bVisible);
    BOOL SetSnapBoxSize(short nSize);
    BOOL SetSnapMarkerVisible(BOOL bVisible);
    BOOL SetSnapMarkerSize(short nSize);
    BOOL SetSnapMarkerColor(COLORREF color);
    BOOL SetSnapToolTipVisible(BOOL bVisible);
    BOOL SetSnapAngularEnabled(BOOL bEnabled);
    BOOL SetSnapAngle(double dAngle);
    BOOL SetSnapAngularMode(BYTE nMode);
    BOOL SetGridSnapMode(BYTE nMode);
    BOOL SetSnapDisplayStateMode(BOOL bMode);
    BOOL SetSelectionSideMode(int nMode);
    BOOL SetSelectionPartMode(int nMode);
    BOOL SetSelectionShapeMode(int nMode);
    BOOL SetSelectionDisplayStateMode(BOOL bMode);
    BOOL SetNudgeEnabled(BOOL bEnabled);
    BOOL SetNudgeMode(int nMode);
    BOOL SetNudgeSteps(double dSteps);
    BOOL SetPreviewSaveEnabled(BOOL bEnabled);
    BOOL SetAutoRecoverEnabled(BOOL bEnabled);
    BOOL SetAutoRecoverTime(int nMinutes);
    BOOL SetBackupSaveEnabled(BOOL bEnabled);
    BOOL SetCommandParameterSaveEnabled(BOOL bEnabled);
    BOOL SetImeStateSaveEnabled(BOOL bEnabled);
    BOOL SetImeState(BOOL bState);
    BOOL SetInputConstValue(const InputConstValue& list);
    BOOL SetPointParameterInputMode(int nMode);
    BOOL SetApplicationUpdatePeriod(int nPeriod);
    BOOL SetFileDialogViewMode(DWORD dwMode);

    // The rendering mode views receive: GraphicsMode, except 2 when both modes are 0.
    int GetRenderingMode() const;
    const InputConstValue* GetInputConstValue() const { return m_pInputConstValue; }

    COLORREF m_CursorColor;
    COLORREF m_PaperColor;
    COLORREF m_PaperBackColor1;
    COLORREF m_PaperBackColor2;
    COLORREF m_PartBackColor;
    COLORREF m_ComponentEditerBackColor;
    COLORREF m_SelectionColor;
    COLORREF m_TableViewThumbnailBackColor;
    int m_GraphicsMode;
    int m_LineSmoothMode;
    BOOL m_LayoutRegionVisible;
    UINT m_GreekTextSize;
    int m_VisualStyle;
    bool m_SnapEnabled;
    DWORD m_SnapType;
    short m_SnapDivisionCount;
    bool m_SnapBoxVisible;
    short m_SnapBoxSize;
    bool m_SnapMarkerVisible;
    short m_SnapMarkerSize;
    COLORREF m_SnapMarkerColor;
    bool m_SnapToolTipVisible;
    bool m_SnapAngularEnabled;
    double m_SnapAngle;
    BYTE m_SnapAngularMode;
    BYTE m_GridSnapMode;
    bool m_SnapDisplayStateMode;
    int m_SelectionSideMode;
    int m_SelectionPartMode;
    int m_SelectionShapeMode;
    bool m_SelectionDisplayStateMode;
    BOOL m_NudgeEnabled;
    int m_NudgeMode;
    double m_NudgeSteps;
    BOOL m_PreviewSaveEnabled;
    BOOL m_AutoRecoverEnabled;
    int m_AutoRecoverTime;
    BOOL m_BackupSaveEnabled;
    BOOL m_CommandParameterSaveEnabled;
    BOOL m_ImeStateSaveEnabled;
    BOOL m_ImeState;
    InputConstValue* m_pInputConstValue;
    int m_PointParameterInputMode;
    int m_ApplicationUpdatePeriod;
    DWORD m_FileDialogViewMode;
};

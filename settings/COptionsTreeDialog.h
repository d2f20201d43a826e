#pragma once
// The options dialog: eight pages beside their tree (general, cursor, snap with snap appearance under it,
// selection, input, file save, and update with the Japanese interface only). It copies an options record
// into its pages and writes the pages back through the record's setters; it never touches the
// application's record itself. It reopens on the page shown when it last closed.

#include "settings/CCursorOptionsPage.h"
#include "settings/CFileSaveOptionsPage.h"
#include "settings/CGeneralOptionsPage.h"
#include "settings/CInputOptionsPage.h"
#include "settings/CSelectionOptionsPage.h"
#include "settings/CSnapAppearanceOptionsPage.h"
#include "settings/CSnapOptionsPage.h"
#include "settings/CTreeDialog.h"
#include "settings/CUpdateOptionsPage.h"

class ColorFeatureTable;

class COptionsTreeDialog : public CTreeDialog
{
public:
    enum Page { pageGeneral = 1, pageCursor, pageSnap, pageSnapAppearance, pageSelection, pageFileSave, pageInput,
                pageUpdate };
    static constexpr UINT kTitle = 10334;

    COptionsTreeDialog(const ColorFeatureTable* pColors, int nStartPage);
    ~COptionsTreeDialog() override;

    // The options record is the application's (app/SystemEnvironment); the dialog reads its fields and
    // writes through its setters only.
    template <class Environment>
    BOOL SetSystemEnvironment(const Environment* pEnvironment);
    template <class Environment>
    BOOL GetSystemEnvironment(Environment* pOut) const;

    INT_PTR DoModal() override;
    // The page with its number (1-8); NULL for others.
    CQZ2PropertyPage* PageOf(int nPage);
    // The number of the page shown now, 0 for none.
    int ShownPage() const { return m_nShownPage; }
    BOOL IsJapanese() const { return m_bJapanese; }

    // The page shown when the dialog last closed, for the whole run; 0 and 1 both mean the general page.
    static int s_nLastPage;

    CGeneralOptionsPage m_general;
    CCursorOptionsPage m_cursor;
    CSnapOptionsPage m_snap;
    CSnapAppearanceOptionsPage m_snapAppearance;
    CSelectionOptionsPage m_selection;
    CFileSaveOptionsPage m_fileSave;
    CInputOptionsPage m_input;
    CUpdateOptionsPage m_update;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPageChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int NumberOf(const CQZ2PropertyPage* pPage) const;
    BOOL m_bJapanese = FALSE;
    int m_nShownPage = 0;
};

template <class Environment>
BOOL COptionsTreeDialog::SetSystemEnvironment(const Environment* p)
{
    if (p == nullptr)
        return FALSE;
    m_general.m_PaperColor = p->m_PaperColor;
    m_general.m_PaperBackColor1 = p->m_PaperBackColor1;
    m_general.m_PaperBackColor2 = p->m_PaperBackColor2;
    m_general.m_PartBackColor = p->m_PartBackColor;
    m_general.m_ComponentEditerBackColor = p->m_ComponentEditerBackColor;
    m_general.m_SelectionColor = p->m_SelectionColor;
    m_general.m_TableViewThumbnailBackColor = p->m_TableViewThumbnailBackColor;
    m_general.m_VisualStyle = p->m_VisualStyle;
    m_general.m_GraphicsMode = p->m_GraphicsMode;
    m_general.m_LineSmoothMode = p->m_LineSmoothMode == 1 ? TRUE : FALSE;
    m_general.m_LayoutRegionVisible = p->m_LayoutRegionVisible ? TRUE : FALSE;
    m_general.m_GreekTextSize = p->m_GreekTextSize;

    m_cursor.m_CursorColor = p->m_CursorColor;
    m_cursor.m_SnapBoxVisible = p->m_SnapBoxVisible ? TRUE : FALSE;
    m_cursor.m_SnapBoxSize = p->m_SnapBoxSize;
    m_cursor.m_PreviewPaperColor = p->m_PaperColor;

    m_snap.m_SnapEnabled = p->m_SnapEnabled ? TRUE : FALSE;
    m_snap.SetSnapType(p->m_SnapType);
    m_snap.m_SnapDivisionCount = static_cast<UINT>(p->m_SnapDivisionCount);
    m_snap.m_SnapAngularEnabled = p->m_SnapAngularEnabled ? TRUE : FALSE;
    m_snap.m_SnapAngle = p->m_SnapAngle;
    m_snap.m_SnapAngularMode = p->m_SnapAngularMode == 0 ? 0 : 1;
    m_snap.m_GridSnapMode = p->m_GridSnapMode == 0 ? 0 : 1;
    m_snap.m_SnapDisplayStateMode = p->m_SnapDisplayStateMode ? TRUE : FALSE;

    m_snapAppearance.m_SnapMarkerVisible = p->m_SnapMarkerVisible ? TRUE : FALSE;
    m_snapAppearance.m_SnapMarkerColor = p->m_SnapMarkerColor;
    m_snapAppearance.m_SnapMarkerSize = p->m_SnapMarkerSize;
    m_snapAppearance.m_SnapToolTipVisible = p->m_SnapToolTipVisible ? TRUE : FALSE;
    m_snapAppearance.m_PreviewCursorColor = p->m_CursorColor;
    m_snapAppearance.m_PreviewPaperColor = p->m_PaperColor;
    m_snapAppearance.m_PreviewSnapBoxSize = p->m_SnapBoxSize;
    m_snapAppearance.m_PreviewSnapBoxVisible = p->m_SnapBoxVisible ? TRUE : FALSE;

    const int shapes[4] = {1, 2, 8, 16};
    m_selection.m_nShapeMode = -1;
    for (int i = 0; i < 4; ++i)
        if (p->m_SelectionShapeMode == shapes[i])
            m_selection.m_nShapeMode = i;
    m_selection.m_nPartMode = p->m_SelectionPartMode == 1 ? 0 : 1;
    m_selection.m_nSideMode = p->m_SelectionSideMode == 1 ? 0 : 1;
    m_selection.m_SelectionDisplayStateMode = p->m_SelectionDisplayStateMode ? TRUE : FALSE;
    m_selection.m_NudgeEnabled = p->m_NudgeEnabled ? TRUE : FALSE;
    m_selection.m_NudgeMode = p->m_NudgeMode;
    m_selection.m_NudgeSteps = p->m_NudgeSteps;

    m_fileSave.m_PreviewSaveEnabled = p->m_PreviewSaveEnabled ? TRUE : FALSE;
    m_fileSave.m_BackupSaveEnabled = p->m_BackupSaveEnabled ? TRUE : FALSE;
    m_fileSave.m_AutoRecoverEnabled = p->m_AutoRecoverEnabled ? TRUE : FALSE;
    m_fileSave.m_AutoRecoverTime = static_cast<UINT>(p->m_AutoRecoverTime);

    m_input.m_InputConstValue.RemoveAll();
    if (p->GetInputConstValue() != nullptr)
        m_input.m_InputConstValue = *p->GetInputConstValue();
    m_input.m_PointParameterInputMode = p->m_PointParameterInputMode;
    m_input.m_CommandParameterSaveEnabled = p->m_CommandParameterSaveEnabled ? TRUE : FALSE;
    m_input.m_ImeStateSaveEnabled = p->m_ImeStateSaveEnabled ? TRUE : FALSE;

    m_update.m_ApplicationUpdatePeriod = p->m_ApplicationUpdatePeriod;
    return TRUE;
}

template <class Environment>
BOOL COptionsTreeDialog::GetSystemEnvironment(Environment* p) const
{
    if (p == nullptr)
        return FALSE;
    p->SetPaperColor(m_general.m_PaperColor);
    p->SetPaperBackColor1(m_general.m_PaperBackColor1);
    p->SetPaperBackColor2(m_general.m_PaperBackColor2);
    p->SetPartBackColor(m_general.m_PartBackColor);
    p->SetComponentEditerBackColor(m_general.m_ComponentEditerBackColor);
    p->SetSelectionColor(m_general.m_SelectionColor);
    p->SetTableViewThumbnailBackColor(m_general.m_TableViewThumbnailBackColor);
    p->SetVisualStyle(m_general.m_VisualStyle);
    p->SetGraphicsMode(m_general.m_GraphicsMode);
    p->SetLineSmoothMode(m_general.m_LineSmoothMode ? 1 : 0);
    p->SetLayoutRegionVisible(m_general.m_LayoutRegionVisible);
    p->SetGreekTextSize(m_general.m_GreekTextSize);

    p->SetCursorColor(m_cursor.m_CursorColor);
    p->SetSnapBoxVisible(m_cursor.m_SnapBoxVisible);
    p->SetSnapBoxSize(static_cast<short>(m_cursor.m_SnapBoxSize));

    p->SetSnapEnabled(m_snap.m_SnapEnabled);
    p->SetSnapType(m_snap.GetSnapType());
    if (m_snap.m_SnapDivisionCount <= 32767)
        p->SetSnapDivisionCount(static_cast<short>(m_snap.m_SnapDivisionCount));
    p->SetSnapAngularEnabled(m_snap.m_SnapAngularEnabled);
    p->SetSnapAngle(m_snap.m_SnapAngle);
    p->SetSnapAngularMode(static_cast<BYTE>(m_snap.m_SnapAngularMode == 1 ? 1 : 0));
    p->SetGridSnapMode(static_cast<BYTE>(m_snap.m_GridSnapMode == 1 ? 1 : 0));
    p->SetSnapDisplayStateMode(m_snap.m_SnapDisplayStateMode);

    p->SetSnapMarkerVisible(m_snapAppearance.m_SnapMarkerVisible);
    p->SetSnapMarkerColor(m_snapAppearance.m_SnapMarkerColor);
    p->SetSnapMarkerSize(static_cast<short>(m_snapAppearance.m_SnapMarkerSize));
    p->SetSnapToolTipVisible(m_snapAppearance.m_SnapToolTipVisible);

    const int shapes[4] = {1, 2, 8, 16};
    if (m_selection.m_nShapeMode >= 0 && m_selection.m_nShapeMode < 4)
        p->SetSelectionShapeMode(shapes[m_selection.m_nShapeMode]);
    p->SetSelectionPartMode(m_selection.m_nPartMode == 0 ? 1 : 2);
    p->SetSelectionSideMode(m_selection.m_nSideMode == 0 ? 1 : 2);
    p->SetSelectionDisplayStateMode(m_selection.m_SelectionDisplayStateMode);
    p->SetNudgeEnabled(m_selection.m_NudgeEnabled);
    // The step's range depends on the mode.
    p->SetNudgeMode(m_selection.m_NudgeMode);
    p->SetNudgeSteps(m_selection.m_NudgeSteps);

    p->SetPreviewSaveEnabled(m_fileSave.m_PreviewSaveEnabled);
    p->SetBackupSaveEnabled(m_fileSave.m_BackupSaveEnabled);
    p->SetAutoRecoverEnabled(m_fileSave.m_AutoRecoverEnabled);
    if (m_fileSave.m_AutoRecoverTime <= 120)
        p->SetAutoRecoverTime(static_cast<int>(m_fileSave.m_AutoRecoverTime));

    p->SetInputConstValue(m_input.m_InputConstValue);
    p->SetPointParameterInputMode(m_input.m_PointParameterInputMode);
    p->SetCommandParameterSaveEnabled(m_input.m_CommandParameterSaveEnabled);
    p->SetImeStateSaveEnabled(m_input.m_ImeStateSaveEnabled);

    p->SetApplicationUpdatePeriod(m_update.m_ApplicationUpdatePeriod);
    return TRUE;
}

#pragma once
// The zoom box of the print preview's toolbar (command 34535): an editable combo of the preset
// percentages, "fit page width" and "whole page". A choice or a typed percentage (Return) zooms the
// preview it steers; Escape and leaving the box show the preview's zoom again.

#include "platform/bcg/CBCGPToolbarComboBoxButton.h"

class CQZ2PreviewView;

class CPreviewZoomToolbarComboBoxButton : public CBCGPToolbarComboBoxButton
{
    DECLARE_SERIAL(CPreviewZoomToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34535;
    // Item data of the two modes; the presets carry their percentage.
    static constexpr DWORD_PTR kDataFitWidth = static_cast<DWORD_PTR>(-1);
    static constexpr DWORD_PTR kDataWholePage = static_cast<DWORD_PTR>(-2);

    CPreviewZoomToolbarComboBoxButton();
    explicit CPreviewZoomToolbarComboBoxButton(CQZ2PreviewView* pPreview);
    ~CPreviewZoomToolbarComboBoxButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    // A choice zooms the preview (never a command); leaving the box shows the preview's zoom.
    BOOL NotifyCommand(int iNotifyCode) override;
    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;

    CQZ2PreviewView* GetPreview() const { return m_pPreview; }

private:
    CQZ2PreviewView* m_pPreview = nullptr;
};

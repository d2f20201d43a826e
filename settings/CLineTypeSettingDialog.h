#pragma once
// The line type table dialog (template 521): a working copy of a document's line types, where user line
// types (16-32766) are added, changed, deleted (not while the document uses them) and moved, each with
// a name and 0-8 dash segments, and the line pitch mode and value. The caller sets m_nPitchMode and
// m_dPitch before and reads them and m_table after IDOK.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CQZ2Edit.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CLineTypeListCtrl.h"

class Draw2dDocument;

class CLineTypeSettingDialog : public CDialog
{
public:
    enum { IDD = 521 };
    enum : int {
        kList = 1001, kName = 1002, kCount = 1003, kCountSpin = 1004,
        kSegment1 = 1011,         // to 1020
        kSegmentCaption1 = 1031,  // to 1040
        kModeFixed = 1041, kModeProportional = 1042, kPitch = 1043, kPitchSpin = 1044, kPitchCaption = 1045,
        kAdd = 1050, kModify = 1051, kDelete = 1052, kUp = 1053, kDown = 1054,
    };
    static constexpr int kSegmentCount = 10;
    // User line types have at most this many segments; only fixed line type 15 shows more.
    static constexpr int kMaxUserSegments = 8;
    // The rows of a full table: the 15 fixed line types and every user number 16-32766.
    static constexpr int kMaxRows = 32766;

    explicit CLineTypeSettingDialog(CWnd* pParent = nullptr);
    ~CLineTypeSettingDialog() override;

    void SetLineTypeTable(const LineTypeFeatureTable* pTable, Draw2dDocument* pDocument);

    CSpinButtonCtrl m_countSpin;
    CQZ2DoubleEdit m_pitchEdit;
    CQZ2Edit m_nameEdit;
    CQZ2DoubleEdit m_segmentEdits[kSegmentCount];
    CLineTypeListCtrl m_list;
    CString m_strName;
    double m_segments[kSegmentCount] = {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    int m_nPitchMode = 0;
    double m_dPitch = 1.0;
    LineTypeFeatureTable m_table;

    BOOL OnInitDialog() override;
    // The first selected row, -1 for none.
    int SelectedRow() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnItemChanged(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnCountChange();
    afx_msg void OnCountDeltaPos(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnPitchDeltaPos(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnMode();
    afx_msg void OnAdd();
    afx_msg void OnModify();
    afx_msg void OnDelete();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    const LineTypeFeature* RowLineType(int row) const;
    void EnablePitch();
    void ShowSegments(int n);
    void SelectRow(int row);
    void Refill(int rowToSelect);
    int SegmentCountShown() const;

    Draw2dDocument* m_pDocument = nullptr;
    BOOL m_bFilling = FALSE;
    CBitmap m_helpImage;
};

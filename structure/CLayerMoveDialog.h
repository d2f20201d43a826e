#pragma once
// Asks where layers or layer groups go: before or after a chosen layer or group, or into a chosen group.
// Targets inside the moved groups are refused. The caller moves them (one undo step) after IDOK.

#include "platform/afx/CDWordArray.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "structure/CLayerTreeCtrl.h"

class Draw2dDocument;

class CLayerMoveDialog : public CDialog
{
public:
    enum { IDD = 560, IDC_TREE = 2432, IDC_BEFORE = 2433, IDC_AFTER = 2434, IDC_INTO = 2435 };
    enum { posBefore = 0, posAfter = 1, posInto = 2 };

    explicit CLayerMoveDialog(CWnd* pParent = nullptr);
    ~CLayerMoveDialog() override;

    // Valid after IDOK; the buttons are read once, on OK.
    int GetPosition() const { return m_nPosition; }
    // FALSE for a target that is moved itself or lies below a moved group (and for the root).
    BOOL IsValidTarget(long nTargetID) const;
    CLayerTreeCtrl& GetTree() { return m_wndTree; }

    // Set by the caller before DoModal.
    Draw2dDocument* m_pDocument = nullptr;
    CDWordArray m_movedIDs;
    // The chosen layer or group, set on OK.
    long m_nTargetID = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void EnableChoices(BOOL bBefore, BOOL bAfter, BOOL bInto, BOOL bOK);

    CLayerTreeCtrl m_wndTree;
    int m_nPosition = posBefore;
    CBitmap m_helpImage;
};

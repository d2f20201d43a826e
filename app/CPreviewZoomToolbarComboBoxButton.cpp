#include "app/CPreviewZoomToolbarComboBoxButton.h"

#include "app/CQZ2PreviewView.h"
#include "command/LoadResourceString.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_SERIAL(CPreviewZoomToolbarComboBoxButton, CBCGPToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kZoomPresets[] = {500, 200, 150, 100, 75, 50, 25, 10};
constexpr UINT kFitWidthText = 10337;
constexpr UINT kWholePageText = 10338;

// The box itself: Return applies the typed text, Escape shows the preview's zoom again.
class CPreviewZoomComboBox : public CComboBox
{
public:
    explicit CPreviewZoomComboBox(CPreviewZoomToolbarComboBoxButton* pButton) : m_pButton(pButton) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        CQZ2PreviewView* pPreview = m_pButton->GetPreview();
        if (pPreview != nullptr && pMsg != nullptr && pMsg->message == WM_KEYDOWN &&
            (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
            CString text;
            GetWindowText(text);
            if (pMsg->wParam == VK_RETURN)
                pPreview->ApplyZoomText(text);
            else
                pPreview->SetZoomDisplay();
            pPreview->SetFocus();
            return TRUE;
        }
        return CComboBox::PreTranslateMessage(pMsg);
    }

private:
    CPreviewZoomToolbarComboBoxButton* m_pButton;
};

}  // namespace

CPreviewZoomToolbarComboBoxButton::CPreviewZoomToolbarComboBoxButton()
    : CPreviewZoomToolbarComboBoxButton(nullptr)
{
}

CPreviewZoomToolbarComboBoxButton::CPreviewZoomToolbarComboBoxButton(CQZ2PreviewView* pPreview)
    : CBCGPToolbarComboBoxButton(kCommandId, -1, CBS_DROPDOWN), m_pPreview(pPreview)
{
    for (int percent : kZoomPresets) {
        CString text;
        text.Format(u"%d%%", percent);
        AddItem(text, static_cast<DWORD_PTR>(percent));
    }
    AddItem(LoadResourceString(kFitWidthText), kDataFitWidth);
    AddItem(LoadResourceString(kWholePageText), kDataWholePage);
}

CPreviewZoomToolbarComboBoxButton::~CPreviewZoomToolbarComboBoxButton() = default;

void CPreviewZoomToolbarComboBoxButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarComboBoxButton::CopyFrom(src);
    if (const auto* p = dynamic_cast<const CPreviewZoomToolbarComboBoxButton*>(&src))
        m_pPreview = p->m_pPreview;
}

CComboBox* CPreviewZoomToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CPreviewZoomComboBox(this);
    if (!pCombo->Create(m_dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

BOOL CPreviewZoomToolbarComboBoxButton::NotifyCommand(int iNotifyCode)
{
    if (m_bFilling || m_pWndCombo == nullptr || m_pPreview == nullptr)
        return FALSE;
    switch (iNotifyCode) {
    case CBN_KILLFOCUS:
        m_pPreview->SetZoomDisplay();
        return FALSE;
    case CBN_SELENDOK:
    case CBN_SELCHANGE: {
        // The button keeps the choice; a choice from the open list comes once, with CBN_SELENDOK, one
        // with the arrow keys and the list closed at once.
        CBCGPToolbarComboBoxButton::NotifyCommand(iNotifyCode);
        if (iNotifyCode == CBN_SELCHANGE && m_pWndCombo->GetDroppedState())
            return FALSE;
        const int sel = m_pWndCombo->GetCurSel();
        if (sel < 0 || sel >= GetCount())
            return FALSE;
        const DWORD_PTR data = GetItemData(sel);
        if (data == kDataFitWidth)
            m_pPreview->SetZoomMode(CQZ2PreviewView::kFitPageWidth);
        else if (data == kDataWholePage)
            m_pPreview->SetZoomMode(CQZ2PreviewView::kWholePage);
        else
            m_pPreview->SetZoomMode(CQZ2PreviewView::kFreeZoom, static_cast<double>(data) / 100.0);
        m_pPreview->SetFocus();
        return FALSE;
    }
    default:
        return CBCGPToolbarComboBoxButton::NotifyCommand(iNotifyCode);
    }
}

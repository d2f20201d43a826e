#include "app/SystemEnvironment.h"

#include <cmath>
#include <vector>

#include "app/CQZ2App.h"
#include "app/RegistrySection.h"
#include "libs/vevure/InputConstValue.h"
#include "libs/vevure/NumericCharConverter.h"
#include "platform/win/Registry.h"

const TCHAR SystemEnvironment::kDefaultInputConstValue[] = _T("c=10.0,i=25.4,k=1000.0,m=1000.0");

namespace {

const TCHAR kOptionsSection[] = _T("Options");

// Settings stored before 3.10 did not know the three recent-entity snap kinds.
constexpr DWORD kVersionWithRecentSnaps = 0x3000A;
constexpr DWORD kRecentSnapBits = 0x1C00;

constexpr int kMaxAutoRecoverMinutes = 120;

}  // namespace

SystemEnvironment::SystemEnvironment() : m_pInputConstValue(new InputConstValue)
{
    SetDefaults();
}

SystemEnvironment::SystemEnvironment(const SystemEnvironment& src) : m_pInputConstValue(new InputConstValue)
{
    SetDefaults();
    *this = src;
}

SystemEnvironment& SystemEnvironment::operator=(const SystemEnvironment& src)
{
    if (this == &src)
        return *this;
    InputConstValue* pList = m_pInputConstValue;
    *pList = *src.m_pInputConstValue;
    m_CursorColor = src.m_CursorColor;
    m_PaperColor = src.m_PaperColor;
    m_PaperBackColor1 = src.m_PaperBackColor1;
    m_PaperBackColor2 = src.m_PaperBackColor2;
    m_PartBackColor = src.m_PartBackColor;
    m_ComponentEditerBackColor = src.m_ComponentEditerBackColor;
    m_SelectionColor = src.m_SelectionColor;
    m_TableViewThumbnailBackColor = src.m_TableViewThumbnailBackColor;
    m_GraphicsMode = src.m_GraphicsMode;
    m_LineSmoothMode = src.m_LineSmoothMode;
    m_LayoutRegionVisible = src.m_LayoutRegionVisible;
    m_GreekTextSize = src.m_GreekTextSize;
    m_VisualStyle = src.m_VisualStyle;
    m_SnapEnabled = src.m_SnapEnabled;
    m_SnapType = src.m_SnapType;
    m_SnapDivisionCount = src.m_SnapDivisionCount;
    m_SnapBoxVisible = src.m_SnapBoxVisible;
    m_SnapBoxSize = src.m_SnapBoxSize;
    m_SnapMarkerVisible = src.m_SnapMarkerVisible;
    m_SnapMarkerSize = src.m_SnapMarkerSize;
    m_SnapMarkerColor = src.m_SnapMarkerColor;
    m_SnapToolTipVisible = src.m_SnapToolTipVisible;
    m_SnapAngularEnabled = src.m_SnapAngularEnabled;
    m_SnapAngle = src.m_SnapAngle;
    m_SnapAngularMode = src.m_SnapAngularMode;
    m_GridSnapMode = src.m_GridSnapMode;
    m_SnapDisplayStateMode = src.m_SnapDisplayStateMode;
    m_SelectionSideMode = src.m_SelectionSideMode;
    m_SelectionPartMode = src.m_SelectionPartMode;
    m_SelectionShapeMode = src.m_SelectionShapeMode;
    m_SelectionDisplayStateMode = src.m_SelectionDisplayStateMode;
    m_NudgeEnabled = src.m_NudgeEnabled;
    m_NudgeMode = src.m_NudgeMode;
    m_NudgeSteps = src.m_NudgeSteps;
    m_PreviewSaveEnabled = src.m_PreviewSaveEnabled;
    m_AutoRecoverEnabled = src.m_AutoRecoverEnabled;
    m_AutoRecoverTime = src.m_AutoRecoverTime;
    m_BackupSaveEnabled = src.m_BackupSaveEnabled;
    m_CommandParameterSaveEnabled = src.m_CommandParameterSaveEnabled;
    m_ImeStateSaveEnabled = src.m_ImeStateSaveEnabled;
    m_ImeState = src.m_ImeState;
    m_PointParameterInputMode = src.m_PointParameterInputMode;
    m_ApplicationUpdatePeriod = src.m_ApplicationUpdatePeriod;
    m_FileDialogViewMode = src.m_FileDialogViewMode;
    return *this;
}

SystemEnvironment::~SystemEnvironment()
{
    delete m_pInputConstValue;
}

void SystemEnvironment::SetDefaults()
{
    m_CursorColor = RGB(255, 128, 0);
    m_PaperColor = RGB(255, 255, 255);
    m_PaperBackColor1 = RGB(255, 255, 255);
    m_PaperBackColor2 = RGB(0, 191, 255);
    m_PartBackColor = RGB(0, 0, 0);
    m_ComponentEditerBackColor = RGB(192, 192, 192);
    m_SelectionColor = RGB(87, 192, 255);
    m_TableViewThumbnailBackColor = RGB(255, 255, 255);
    m_GraphicsMode = 0;
    m_LineSmoothMode = 0;
    m_LayoutRegionVisible = TRUE;
    m_GreekTextSize = 6;
    m_VisualStyle = 0;
    m_SnapEnabled = true;
    m_SnapType = 0xFFFF;
    m_SnapDivisionCount = 4;
    m_SnapBoxVisible = true;
    m_SnapBoxSize = 7;
    m_SnapMarkerVisible = true;
    m_SnapMarkerSize = 5;
    m_SnapMarkerColor = RGB(255, 0, 255);
    m_SnapToolTipVisible = true;
    m_SnapAngularEnabled = true;
    m_SnapAngle = 45.0;
    m_SnapAngularMode = 0;
    m_GridSnapMode = 1;
    m_SnapDisplayStateMode = true;
    m_SelectionSideMode = 1;
    m_SelectionPartMode = 1;
    m_SelectionShapeMode = 1;
    m_SelectionDisplayStateMode = true;
    m_NudgeEnabled = TRUE;
    m_NudgeMode = 0;
    m_NudgeSteps = 1.0;
    m_PreviewSaveEnabled = TRUE;
    m_AutoRecoverEnabled = TRUE;
    m_AutoRecoverTime = 10;
    m_BackupSaveEnabled = FALSE;
    m_CommandParameterSaveEnabled = TRUE;
    m_ImeStateSaveEnabled = TRUE;
    m_ImeState = FALSE;
    m_pInputConstValue->RemoveAll();
    ParseInputConstValue(CString(kDefaultInputConstValue), *m_pInputConstValue);
    m_PointParameterInputMode = 0;
    m_ApplicationUpdatePeriod = 3;
    m_FileDialogViewMode = 0;
}

// ---- text form of the typed-number constants ----------------------------------------------------

void SystemEnvironment::ParseInputConstValue(const CString& text, InputConstValue& list)
{
    // Every piece is looked at on its own: an empty piece (",,") or a bad one does not end the list.
    int start = 0;
    const int length = text.GetLength();
    while (start <= length) {
        int comma = text.Find(_T(','), start);
        if (comma < 0)
            comma = length;
        const CString piece = text.Mid(start, comma - start);
        start = comma + 1;
        // The key is exactly one letter from a to z; longer keys would be cut wrongly.
        if (piece.GetLength() < 3 || piece[1] != _T('='))
            continue;
        const TCHAR key = piece[0];
        if (key < _T('a') || key > _T('z'))
            continue;
        double value = 0.0;
        if (NumericCharConverter::StringToDouble(piece.Mid(2), value))
            list.Add(key, value);
    }
}

CString SystemEnvironment::FormatInputConstValue(const InputConstValue& list)
{
    CString result;
    for (int i = 0; i < list.GetSize(); ++i) {
        CString number;
        NumericCharConverter::DoubleToString(list.GetValueAt(i), number, 0, 8, 1);
        if (i > 0)
            result += _T(",");
        result += list.GetNameAt(i);
        result += _T("=");
        result += number;
    }
    return result;
}

// ---- saving and loading ------------------------------------------------------------------------

BOOL SystemEnvironment::Save() const
{
    RegistrySection reg(HKEY_CURRENT_USER);
    if (!reg.Create(CQZ2App::GetSectionKeyPath(kOptionsSection)))
        return FALSE;
    reg.Write(_T("CursorColor"), static_cast<DWORD>(m_CursorColor));
    reg.Write(_T("PaperColor"), static_cast<DWORD>(m_PaperColor));
    reg.Write(_T("PaperBackColor1"), static_cast<DWORD>(m_PaperBackColor1));
    reg.Write(_T("PaperBackColor2"), static_cast<DWORD>(m_PaperBackColor2));
    reg.Write(_T("PartBackColor"), static_cast<DWORD>(m_PartBackColor));
    reg.Write(_T("ComponentEditerBackColor"), static_cast<DWORD>(m_ComponentEditerBackColor));
    reg.Write(_T("SelectionColor"), static_cast<DWORD>(m_SelectionColor));
    reg.Write(_T("TableViewThumbnailBackColor"), static_cast<DWORD>(m_TableViewThumbnailBackColor));
    reg.Write(_T("GraphicsMode"), m_GraphicsMode);
    reg.Write(_T("LineSmoothMode"), m_LineSmoothMode);
    reg.Write(_T("VisualStyle"), m_VisualStyle);
    reg.Write(_T("LayoutRegionVisible"), m_LayoutRegionVisible);
    reg.Write(_T("GreekTextSize"), static_cast<DWORD>(m_GreekTextSize));
    reg.Write(_T("SnapEnabled"), m_SnapEnabled ? 1 : 0);
    reg.Write(_T("SnapType"), m_SnapType);
    reg.Write(_T("SnapDivisionCount"), static_cast<int>(m_SnapDivisionCount));
    reg.Write(_T("SnapBoxVisible"), m_SnapBoxVisible ? 1 : 0);
    reg.Write(_T("SnapBoxSize"), static_cast<int>(m_SnapBoxSize));
    reg.Write(_T("SnapMarkerVisible"), m_SnapMarkerVisible ? 1 : 0);
    reg.Write(_T("SnapMarkerSize"), static_cast<int>(m_SnapMarkerSize));
    reg.Write(_T("SnapMarkerColor"), static_cast<DWORD>(m_SnapMarkerColor));
    reg.Write(_T("SnapToolTipVisible"), m_SnapToolTipVisible ? 1 : 0);
    reg.Write(_T("SnapAngularEnabled"), m_SnapAngularEnabled ? 1 : 0);
    reg.Write(_T("SnapAngle"), m_SnapAngle);
    reg.Write(_T("SnapAngularMode"), static_cast<DWORD>(m_SnapAngularMode));
    reg.Write(_T("GridSnapMode"), static_cast<DWORD>(m_GridSnapMode));
    reg.Write(_T("SnapDisplayStateMode"), m_SnapDisplayStateMode ? 1 : 0);
    reg.Write(_T("SelectionSideMode"), m_SelectionSideMode);
    reg.Write(_T("SelectionPartMode"), m_SelectionPartMode);
    reg.Write(_T("SelectionShapeMode"), m_SelectionShapeMode);
    reg.Write(_T("SelectionDisplayStateMode"), m_SelectionDisplayStateMode ? 1 : 0);
    reg.Write(_T("NudgeEnabled"), m_NudgeEnabled);
    reg.Write(_T("NudgeMode"), m_NudgeMode);
    reg.Write(_T("NudgeSteps"), m_NudgeSteps);
    reg.Write(_T("PreviewSaveEnabled"), m_PreviewSaveEnabled);
    reg.Write(_T("AutoRecoverEnabled"), m_AutoRecoverEnabled);
    reg.Write(_T("AutoRecoverTime"), m_AutoRecoverTime);
    reg.Write(_T("BackupSaveEnabled"), m_BackupSaveEnabled);
    reg.Write(_T("CommandParameterSaveEnabled"), m_CommandParameterSaveEnabled);
    reg.Write(_T("ImeStateSaveEnabled"), m_ImeStateSaveEnabled);
    if (m_ImeStateSaveEnabled)
        reg.Write(_T("ImeState"), m_ImeState);
    reg.Write(_T("FileDialogViewMode"), m_FileDialogViewMode);
    reg.Write(_T("InputConstValue"), FormatInputConstValue(*m_pInputConstValue).GetString());
    reg.Write(_T("PointParameterInputMode"), m_PointParameterInputMode);
    reg.Write(_T("ApplicationUpdatePeriod"), m_ApplicationUpdatePeriod);
    return TRUE;
}

BOOL SystemEnvironment::Load(DWORD dwSettingsVersion)
{
    RegistrySection reg(HKEY_CURRENT_USER);
    if (!reg.Open(CQZ2App::GetSectionKeyPath(kOptionsSection)))
        return FALSE;

    DWORD dw = 0;
    int n = 0;
    if (reg.Read(_T("CursorColor"), dw))
        m_CursorColor = dw;
    if (reg.Read(_T("PaperColor"), dw))
        m_PaperColor = dw;
    if (reg.Read(_T("PaperBackColor1"), dw))
        m_PaperBackColor1 = dw;
    if (reg.Read(_T("PaperBackColor2"), dw))
        m_PaperBackColor2 = dw;
    if (reg.Read(_T("PartBackColor"), dw))
        m_PartBackColor = dw;
    if (reg.Read(_T("ComponentEditerBackColor"), dw))
        m_ComponentEditerBackColor = dw;
    if (reg.Read(_T("SelectionColor"), dw))
        m_SelectionColor = dw;
    if (reg.Read(_T("TableViewThumbnailBackColor"), dw))
        m_TableViewThumbnailBackColor = dw;

    // The smooth rendering mode lasts for one run only.
    bool storedGraphicsMode = false;
    if (reg.Read(_T("GraphicsMode"), n)) {
        storedGraphicsMode = n != 0;
        m_GraphicsMode = 0;
    }
    if (reg.Read(_T("LineSmoothMode"), n))
        m_LineSmoothMode = (n == 0 || n == 1) ? n : 0;
    if (storedGraphicsMode)
        m_LineSmoothMode = 0;

    if (reg.Read(_T("VisualStyle"), n))
        m_VisualStyle = (n >= 0 && n <= 4) ? n : 0;
    if (reg.Read(_T("LayoutRegionVisible"), n))
        m_LayoutRegionVisible = n != 0 ? TRUE : FALSE;
    if (reg.Read(_T("GreekTextSize"), dw))
        m_GreekTextSize = dw > 30 ? 6 : dw;

    if (reg.Read(_T("SnapEnabled"), n))
        m_SnapEnabled = n != 0;
    if (reg.Read(_T("SnapType"), dw))
        m_SnapType = dwSettingsVersion < kVersionWithRecentSnaps ? (dw | kRecentSnapBits) : dw;
    // Ranges are checked on the stored 32-bit value, before it is narrowed to 16 bits.
    if (reg.Read(_T("SnapDivisionCount"), n))
        m_SnapDivisionCount = static_cast<short>(n < 2 ? 2 : (n > 100 ? 100 : n));
    if (reg.Read(_T("SnapBoxVisible"), n))
        m_SnapBoxVisible = n != 0;
    if (reg.Read(_T("SnapBoxSize"), n))
        m_SnapBoxSize = static_cast<short>((n < 0 || n > 20) ? 7 : n);
    if (reg.Read(_T("SnapMarkerVisible"), n))
        m_SnapMarkerVisible = n != 0;
    if (reg.Read(_T("SnapMarkerSize"), n))
        m_SnapMarkerSize = static_cast<short>((n < 0 || n > 20) ? 5 : n);
    if (reg.Read(_T("SnapMarkerColor"), dw))
        m_SnapMarkerColor = dw;
    if (reg.Read(_T("SnapToolTipVisible"), n))
        m_SnapToolTipVisible = n != 0;
    if (reg.Read(_T("SnapAngularEnabled"), n))
        m_SnapAngularEnabled = n != 0;
    double d = 0.0;
    if (reg.Read(_T("SnapAngle"), d) && std::isfinite(d))
        m_SnapAngle = d;
    if (reg.Read(_T("SnapAngularMode"), n))
        m_SnapAngularMode = n != 0 ? 1 : 0;
    if (reg.Read(_T("GridSnapMode"), n))
        m_GridSnapMode = n != 0 ? 1 : 0;
    if (reg.Read(_T("SnapDisplayStateMode"), n))
        m_SnapDisplayStateMode = n != 0;

    if (reg.Read(_T("SelectionSideMode"), n))
        m_SelectionSideMode = (n == 1 || n == 2) ? n : 1;
    if (reg.Read(_T("SelectionPartMode"), n))
        m_SelectionPartMode = (n == 1 || n == 2) ? n : 1;
    if (reg.Read(_T("SelectionShapeMode"), n))
        m_SelectionShapeMode = (n == 1 || n == 2 || n == 8 || n == 16) ? n : 1;
    if (reg.Read(_T("SelectionDisplayStateMode"), n))
        m_SelectionDisplayStateMode = n != 0;

    if (reg.Read(_T("NudgeEnabled"), n))
        m_NudgeEnabled = n != 0 ? TRUE : FALSE;
    if (reg.Read(_T("NudgeMode"), n))
        m_NudgeMode = (n >= 0 && n <= 2) ? n : 0;
    if (reg.Read(_T("NudgeSteps"), d)) {
        // A stored NaN would pass every comparison below.
        if (!std::isfinite(d) || d <= 0.0)
            d = 1.0;
        if (m_NudgeMode == 0) {
            if (d < 1.0)
                d = 1.0;
            else if (d > 32767.0)
                d = 32767.0;
        }
        m_NudgeSteps = d;
    }

    if (reg.Read(_T("PreviewSaveEnabled"), n))
        m_PreviewSaveEnabled = n != 0 ? TRUE : FALSE;
    if (reg.Read(_T("AutoRecoverEnabled"), n))
        m_AutoRecoverEnabled = n != 0 ? TRUE : FALSE;
    // 0 keeps the timer off; a negative or huge period would arm a bogus timer.
    if (reg.Read(_T("AutoRecoverTime"), n))
        m_AutoRecoverTime = (n < 0 || n > kMaxAutoRecoverMinutes) ? 10 : n;
    if (reg.Read(_T("BackupSaveEnabled"), n))
        m_BackupSaveEnabled = n != 0 ? TRUE : FALSE;
    if (reg.Read(_T("CommandParameterSaveEnabled"), n))
        m_CommandParameterSaveEnabled = n != 0 ? TRUE : FALSE;
    if (reg.Read(_T("ImeStateSaveEnabled"), n))
        m_ImeStateSaveEnabled = n != 0 ? TRUE : FALSE;
    if (m_ImeStateSaveEnabled && reg.Read(_T("ImeState"), n))
        m_ImeState = n != 0 ? TRUE : FALSE;
    if (reg.Read(_T("FileDialogViewMode"), dw))
        m_FileDialogViewMode = dw;

    CString text;
    m_pInputConstValue->RemoveAll();
    if (!reg.Read(_T("InputConstValue"), text) || text.IsEmpty())
        text = kDefaultInputConstValue;
    ParseInputConstValue(text, *m_pInputConstValue);

    if (reg.Read(_T("PointParameterInputMode"), n))
        m_PointParameterInputMode = (n == 0 || n == 1) ? n : 0;
    if (reg.Read(_T("ApplicationUpdatePeriod"), n))
        m_ApplicationUpdatePeriod = (n < 0 || n > 3) ? 3 : n;
    return TRUE;
}

int SystemEnvironment::GetRenderingMode() const
{
    return (m_GraphicsMode == 0 && m_LineSmoothMode == 0) ? 2 : m_GraphicsMode;
}

// ---- setters -----------------------------------------------------------------------------------

#define KC_ANY_SETTER(Name, Type)                  \
    BOOL SystemEnvironment::Set##Name(Type value)  \
    {                                              \
        m_##Name = value;                          \
        return TRUE;                               \
    }
#define KC_FLAG_SETTER(Name, Type)                    \
    BOOL SystemEnvironment::Set##Name(BOOL value)     \
    {                                                 \
        m_##Name = static_cast<Type>(value != 0);     \
        return TRUE;                                  \
    }
#define KC_RANGE_SETTER(Name, Type, Test)          \
    BOOL SystemEnvironment::Set##Name(Type value)  \
    {                                              \
        if (!(Test))                               \
            return FALSE;                          \
        m_##Name = value;                          \
        return TRUE;                               \
    }

KC_ANY_SETTER(CursorColor, COLORREF)
KC_ANY_SETTER(PaperColor, COLORREF)
KC_ANY_SETTER(PaperBackColor1, COLORREF)
KC_ANY_SETTER(PaperBackColor2, COLORREF)
KC_ANY_SETTER(PartBackColor, COLORREF)
KC_ANY_SETTER(ComponentEditerBackColor, COLORREF)
KC_ANY_SETTER(SelectionColor, COLORREF)
KC_ANY_SETTER(TableViewThumbnailBackColor, COLORREF)
KC_FLAG_SETTER(LayoutRegionVisible, BOOL)
KC_RANGE_SETTER(GreekTextSize, UINT, value <= 30)
KC_RANGE_SETTER(VisualStyle, int, value >= 0 && value <= 4)
KC_FLAG_SETTER(SnapEnabled, bool)
KC_ANY_SETTER(SnapType, DWORD)
KC_RANGE_SETTER(SnapDivisionCount, short, value >= 2 && value <= 100)
KC_FLAG_SETTER(SnapBoxVisible, bool)
KC_RANGE_SETTER(SnapBoxSize, short, value >= 0 && value <= 20)
KC_FLAG_SETTER(SnapMarkerVisible, bool)
KC_RANGE_SETTER(SnapMarkerSize, short, value >= 0 && value <= 20)
KC_ANY_SETTER(SnapMarkerColor, COLORREF)
KC_FLAG_SETTER(SnapToolTipVisible, bool)
KC_FLAG_SETTER(SnapAngularEnabled, bool)
KC_RANGE_SETTER(SnapAngle, double, std::isfinite(value) && value != 0.0)
KC_ANY_SETTER(SnapAngularMode, BYTE)
KC_ANY_SETTER(GridSnapMode, BYTE)
KC_FLAG_SETTER(SnapDisplayStateMode, bool)
KC_RANGE_SETTER(SelectionSideMode, int, value == 1 || value == 2)
KC_RANGE_SETTER(SelectionPartMode, int, value == 1 || value == 2)
KC_RANGE_SETTER(SelectionShapeMode, int, value == 1 || value == 2 || value == 8 || value == 16)
KC_FLAG_SETTER(SelectionDisplayStateMode, bool)
KC_FLAG_SETTER(NudgeEnabled, BOOL)
KC_RANGE_SETTER(NudgeMode, int, value >= 0 && value <= 2)
KC_RANGE_SETTER(NudgeSteps, double,
                std::isfinite(value) && (m_NudgeMode == 0 ? (value >= 1.0 && value <= 32767.0) : value > 0.0))
KC_FLAG_SETTER(PreviewSaveEnabled, BOOL)
KC_FLAG_SETTER(AutoRecoverEnabled, BOOL)
KC_RANGE_SETTER(AutoRecoverTime, int, value >= 1 && value <= kMaxAutoRecoverMinutes)
KC_FLAG_SETTER(BackupSaveEnabled, BOOL)
KC_FLAG_SETTER(CommandParameterSaveEnabled, BOOL)
KC_FLAG_SETTER(ImeStateSaveEnabled, BOOL)
KC_FLAG_SETTER(ImeState, BOOL)
KC_RANGE_SETTER(PointParameterInputMode, int, value == 0 || value == 1)
KC_RANGE_SETTER(ApplicationUpdatePeriod, int, value >= 0 && value <= 3)
KC_ANY_SETTER(FileDialogViewMode, DWORD)

#undef KC_ANY_SETTER
#undef KC_FLAG_SETTER
#undef KC_RANGE_SETTER

int SystemEnvironment::SetGraphicsMode(int nMode)
{
    const int previous = m_GraphicsMode;
    if (nMode == 0 || nMode == 1)
        m_GraphicsMode = nMode;
    return previous;
}

int SystemEnvironment::SetLineSmoothMode(int nMode)
{
    const int previous = m_LineSmoothMode;
    m_LineSmoothMode = nMode;
    return previous;
}

BOOL SystemEnvironment::SetInputConstValue(const InputConstValue& list)
{
    if (&list != m_pInputConstValue)
        *m_pInputConstValue = list;
    return TRUE;
}

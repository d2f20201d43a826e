#pragma once
// What the common controls need from the layers above them: the program-wide number format, the
// active document, the snap-angle option and the active drawing view. command/ and app/ register
// their hooks at start and clear them when they go; an unset hook answers FALSE, NULL or empty.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CWnd;
class Draw2dDocument;

class ControlsServices
{
public:
    // The number format of the active document (command/).
    struct NumericHooks {
        BOOL (*pfnDoubleToString)(double value, CString& text, int format, int precision, int flag) = nullptr;
        BOOL (*pfnAngleToString)(double degrees, CString& text, int format, int precision, const CString& unit,
                                 int flag) = nullptr;
        BOOL (*pfnStringToDouble)(const CString& text, double& value) = nullptr;
        int (*pfnGetLengthFormat)() = nullptr;
        int (*pfnGetDistPrecision)() = nullptr;
        int (*pfnGetAngleFormat)() = nullptr;
        int (*pfnGetAnglePrecision)() = nullptr;
    };
    // The application (app/).
    struct ShellHooks {
        // The document of the command manager (the active one), NULL without one.
        Draw2dDocument* (*pfnGetDocument)() = nullptr;
        // Sets the option SnapAngle; FALSE when refused.
        BOOL (*pfnSetSnapAngle)(double degrees) = nullptr;
        // The option SnapAngle.
        BOOL (*pfnGetSnapAngle)(double& degrees) = nullptr;
        // The active drawing view, else the main frame, else NULL.
        CWnd* (*pfnGetFocusTarget)() = nullptr;
    };

    static void SetNumericHooks(const NumericHooks& hooks);
    static const NumericHooks& GetNumericHooks();
    static void SetShellHooks(const ShellHooks& hooks);
    static const ShellHooks& GetShellHooks();

    // The hooks, answering FALSE/-1/NULL when unset. A format or precision of -1 is the current one.
    static BOOL DoubleToString(double value, CString& text, int format = -1, int precision = -1, int flag = -1);
    static BOOL AngleToString(double degrees, CString& text, int format = -1, int precision = -1,
                              const CString& unit = CString(), int flag = -1);
    static BOOL StringToDouble(const CString& text, double& value);
    // The current formats and precisions; without the hooks 0 (decimal) and 2 digits.
    static int GetLengthFormat();
    static int GetDistPrecision();
    static int GetAngleFormat();
    static int GetAnglePrecision();

    static Draw2dDocument* GetDocument();
    static BOOL SetSnapAngle(double degrees);
    static BOOL GetSnapAngle(double& degrees);
    static CWnd* GetFocusTarget();

    // A text of the language library, empty when missing.
    static CString LoadString(UINT nStringId);
};

#include "app/CUserDefinedPropertyDialog.h"

#include <QtCore/QDateTime>
#include <QtCore/QLocale>
#include <QtCore/QTimeZone>

#include <climits>
#include <cmath>

#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CUserDefinedPropertyDialog, CDialog)

namespace {

constexpr UINT IDS_TYPE_TEXT = 10402;
constexpr UINT IDS_TYPE_NUMBER = 10403;
constexpr UINT IDS_TYPE_DATE = 10404;
constexpr UINT IDP_NOT_A_NUMBER = 10406;
constexpr UINT IDP_NOT_A_DATE = 10407;

// Dates are days since the last day of 1899, the time of day their fraction.
const QDate kDateOrigin(1899, 12, 30);

QDateTime DateTimeOf(double days)
{
    const qint64 msecs = static_cast<qint64>(std::llround(days * 86400000.0));
    qint64 whole = msecs / 86400000;
    qint64 rest = msecs % 86400000;
    if (rest < 0) {
        --whole;
        rest += 86400000;
    }
    return QDateTime(kDateOrigin.addDays(whole), QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest)),
                     QTimeZone::utc());
}

const char* const kDateForms[] = {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-MM-dd HH:mm:ss", "yyyy/MM/dd HH:mm:ss",
                                  "yyyy-MM-dd HH:mm", "yyyy/MM/dd HH:mm"};

}  // namespace

CUserDefinedPropertyDialog::CUserDefinedPropertyDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CUserDefinedPropertyDialog::~CUserDefinedPropertyDialog() = default;

void CUserDefinedPropertyDialog::SetProperty(const QZ2DocumentUserDefinedProperty& property)
{
    m_property = property;
    m_nType = TypeOf(property.m_value);
    m_strValue = ValueText(property.m_value);
}

void CUserDefinedPropertyDialog::GetProperty(QZ2DocumentUserDefinedProperty& property) const
{
    property = m_property;
}

int CUserDefinedPropertyDialog::TypeOf(const PropVariant& value)
{
    switch (value.GetType()) {
    case VT_I4:
    case VT_R8:
    case VT_I8:
        return kTypeNumber;
    case VT_DATE:
        return kTypeDate;
    default:
        return kTypeText;
    }
}

CString CUserDefinedPropertyDialog::ValueText(const PropVariant& value)
{
    switch (value.GetType()) {
    case VT_BSTR:
    case VT_LPWSTR:
    case VT_LPSTR:
        return value.GetString();
    case VT_I4:
    case VT_I8:
        return CString::FromQString(QString::number(value.GetInteger()));
    case VT_R8:
        return CString::FromQString(QString::number(value.GetDouble(), 'g', 15));
    case VT_DATE: {
        const QDateTime when = DateTimeOf(value.GetDouble());
        const QString form = when.time() == QTime(0, 0) ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm:ss");
        return CString::FromQString(when.toString(form));
    }
    default:
        return CString();
    }
}

BOOL CUserDefinedPropertyDialog::ParseNumber(const CString& strText, PropVariant& value)
{
    const QString text = strText.ToQString().trimmed();
    if (text.isEmpty())
        return FALSE;
    bool ok = false;
    const qlonglong integer = text.toLongLong(&ok, 10);
    if (ok && integer >= INT_MIN && integer <= INT_MAX) {
        value = PropVariant::I4(static_cast<LONG>(integer));
        return TRUE;
    }
    // Beyond 32 bits, or with a fraction or exponent: a real number, the whole text of it.
    const double real = QLocale::c().toDouble(text, &ok);
    if (ok && std::isfinite(real)) {
        value = PropVariant::R8(real);
        return TRUE;
    }
    return FALSE;
}

BOOL CUserDefinedPropertyDialog::ParseDate(const CString& strText, PropVariant& value)
{
    const QString text = strText.ToQString().trimmed();
    if (text.isEmpty())
        return FALSE;
    QDateTime when;
    for (const char* form : kDateForms) {
        when = QDateTime::fromString(text, QString::fromLatin1(form));
        if (when.isValid())
            break;
    }
    const QLocale locale;
    if (!when.isValid()) {
        for (const auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
            when = locale.toDateTime(text, format);
            if (when.isValid())
                break;
            const QDate date = locale.toDate(text, format);
            if (date.isValid()) {
                when = QDateTime(date, QTime(0, 0));
                break;
            }
        }
    }
    if (!when.isValid())
        return FALSE;
    const double days = static_cast<double>(kDateOrigin.daysTo(when.date())) +
                        when.time().msecsSinceStartOfDay() / 86400000.0;
    value = PropVariant::Date(days);
    return TRUE;
}

BOOL CUserDefinedPropertyDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(1016))) {
        pCombo->AddString(LoadResourceString(IDS_TYPE_TEXT));
        pCombo->AddString(LoadResourceString(IDS_TYPE_NUMBER));
        pCombo->AddString(LoadResourceString(IDS_TYPE_DATE));
        pCombo->SetCurSel(m_nType);
    }
    if (auto* pHelp = static_cast<CButton*>(GetDlgItem(ID_HELP)))
        if (LoadHelpButtonImage(m_helpImage))
            pHelp->SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    return TRUE;
}

void CUserDefinedPropertyDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1014, m_property.m_strName);
    DDX_Text(pDX, 1015, m_strValue);
    if (pDX->m_bSaveAndValidate) {
        if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(1016)))
            m_nType = pCombo->GetCurSel();
    }
}

void CUserDefinedPropertyDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    PropVariant value;
    switch (m_nType) {
    case kTypeText:
        value = PropVariant::BString(m_strValue);
        break;
    case kTypeNumber:
        if (!ParseNumber(m_strValue, value)) {
            AfxMessageBox(LoadResourceString(IDP_NOT_A_NUMBER), MB_ICONEXCLAMATION);
            return;
        }
        break;
    case kTypeDate:
        if (!ParseDate(m_strValue, value)) {
            AfxMessageBox(LoadResourceString(IDP_NOT_A_DATE), MB_ICONEXCLAMATION);
            return;
        }
        break;
    default:
        break;
    }
    m_property.m_value = value;
    EndDialog(IDOK);
}

#include "SettingsTestSupport.h"

#include "tests/support/app/SharedAppEnvironment.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QRegularExpression>

#include "command/ControlsNumericHooks.h"
#include "command/LoadResourceString.h"
#include "command/NumericFormat.h"
#include "platform/win/CDialog.h"
#include "platform/win/WinMessages.h"

void SettingsDialogTest::SetUpTestSuite()
{
    RegisterControlsNumericHooks();
}

void SettingsDialogTest::SetUp()
{
    ASSERT_NE(TheApp(), nullptr);
    TheApp()->boxes.clear();
    TheApp()->answer = IDOK;
    NumericFormat::ResetState();
}

std::vector<QString> SettingsDialogTest::Boxes() const
{
    std::vector<QString> texts;
    for (const auto& box : TheApp()->boxes)
        texts.push_back(box.text);
    return texts;
}

void SettingsDialogTest::ClearBoxes()
{
    TheApp()->boxes.clear();
}

void SettingsDialogTest::AnswerBoxesWith(int nAnswer)
{
    TheApp()->answer = nAnswer;
}

bool SettingsDialogTest::IsMessage(const QString& text, UINT nId)
{
    const QString pattern = QString::fromUtf16(LoadResourceString(nId).GetString());
    if (pattern.isEmpty())
        return false;
    // The placeholders stand for any text; the rest must match as it stands.
    const QRegularExpression placeholder(QStringLiteral(R"(%\d|%d|%s|%\.\*g)"));
    QString rx;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(pattern); it.hasNext();) {
        const auto m = it.next();
        rx += QRegularExpression::escape(pattern.mid(from, m.capturedStart() - from)) + QStringLiteral(".*");
        from = m.capturedEnd();
    }
    rx += QRegularExpression::escape(pattern.mid(from));
    return QRegularExpression(QStringLiteral("^") + rx + QStringLiteral("$"),
                              QRegularExpression::DotMatchesEverythingOption)
        .match(text)
        .hasMatch();
}

::testing::AssertionResult SettingsDialogTest::OneBox(UINT nId)
{
    const std::vector<QString> boxes = Boxes();
    TheApp()->boxes.clear();
    if (boxes.size() != 1)
        return ::testing::AssertionFailure() << boxes.size() << " message boxes instead of one";
    if (!IsMessage(boxes[0], nId))
        return ::testing::AssertionFailure() << "the box said \"" << boxes[0].toStdString() << "\", not string " << nId;
    return ::testing::AssertionSuccess();
}

void SettingsDialogTest::Type(CDialog& dialog, int nId, const QString& text)
{
    CWnd* pItem = dialog.GetDlgItem(nId);
    ASSERT_NE(pItem, nullptr) << nId;
    pItem->SetWindowText(CString(reinterpret_cast<const char16_t*>(text.utf16())));
}

QString SettingsDialogTest::Text(CDialog& dialog, int nId)
{
    CWnd* pItem = dialog.GetDlgItem(nId);
    if (pItem == nullptr)
        return QStringLiteral("<no control>");
    CString text;
    pItem->GetWindowText(text);
    return QString::fromUtf16(text.GetString());
}

void SettingsDialogTest::Click(CDialog& dialog, int nId)
{
    CWnd* pItem = dialog.GetDlgItem(nId);
    ASSERT_NE(pItem, nullptr) << nId;
    ASSERT_TRUE(pItem->IsWindowEnabled()) << "button " << nId << " is disabled";
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(pItem->GetSafeHwnd()));
}

bool SettingsDialogTest::Enabled(CDialog& dialog, int nId)
{
    CWnd* pItem = dialog.GetDlgItem(nId);
    return pItem != nullptr && pItem->IsWindowEnabled();
}

bool SettingsDialogTest::Visible(CDialog& dialog, int nId)
{
    CWnd* pItem = dialog.GetDlgItem(nId);
    return pItem != nullptr && (pItem->GetStyle() & WS_VISIBLE) != 0;
}

void SettingsDialogTest::Pump()
{
    QCoreApplication::processEvents();
}

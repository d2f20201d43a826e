#include "AppFixture.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cstdlib>

#include "app/CSplashWnd.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/Registry.h"
#include "platform/win/SettingsStore.h"

const QString kAppKey = QStringLiteral("Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0");

namespace {
std::u16string U(const QString& s)
{
    return s.toStdU16String();
}
}  // namespace

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_home.isValid());
    const QByteArray root = m_home.path().toUtf8();
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
    // The folders exist, as they do on a desktop: tests may write into them before the program does.
    for (const char* folder : {"/config", "/data", "/runtime"})
        QDir().mkpath(m_home.path() + QLatin1String(folder));
    QFile::setPermissions(m_home.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("LC_ALL", "en_US.UTF-8", 1);
}

void AppFixture::TearDown()
{
    Stop();
}

QString AppFixture::ResourceDir()
{
    return QStringLiteral(KC_TEST_RESOURCE_DIR);
}

bool AppFixture::Start(const QStringList& args, const QString& resourceFolder)
{
    Stop();
    m_app = std::make_unique<TestApp>();
    m_app->answer = m_answer;
    m_app->SetResourceFolder(CString::FromQString(resourceFolder.isEmpty() ? ResourceDir() : resourceFolder));
    CStringArray list;
    for (const QString& a : args)
        list.Add(CString::FromQString(a));
    m_app->SetCommandLineArguments(list);
    // No splash unless a test asks for one: it would take the first key or click of the test.
    CSplashWnd::SetPicturePath(m_bSplash ? CString()
                                         : CString::FromQString(m_home.path() + QStringLiteral("/no-splash.jpg")));
    m_started = true;
    return m_app->InitInstance() != FALSE;
}

void AppFixture::Stop()
{
    if (!m_app)
        return;
    if (m_started)
        m_app->ExitInstance();
    m_started = false;
    m_app.reset();
    // The main window's end posted WM_QUIT, which ends the Qt application's loops and keeps every later
    // loop (a modal dialog's of the next program started here) from running. Let it arrive, then start
    // the application's loop once, which forgets it.
    QCoreApplication::processEvents();
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

void AppFixture::WriteUserInt(const QString& section, const QString& name, DWORD value)
{
    SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
    const std::u16string key = U(kAppKey + QLatin1Char('\\') + section);
    ASSERT_EQ(store->CreateKey(key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(store->SetValue(key, U(name), REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)),
              ERROR_SUCCESS);
}

void AppFixture::WriteUserBinary(const QString& section, const QString& name, const QByteArray& bytes)
{
    SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
    const std::u16string key = U(kAppKey + QLatin1Char('\\') + section);
    ASSERT_EQ(store->CreateKey(key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(store->SetValue(key, U(name), REG_BINARY, reinterpret_cast<const BYTE*>(bytes.constData()),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

void AppFixture::WriteUserString(const QString& section, const QString& name, const QString& text)
{
    SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
    const std::u16string key = U(kAppKey + QLatin1Char('\\') + section);
    ASSERT_EQ(store->CreateKey(key, nullptr), ERROR_SUCCESS);
    const std::u16string value = U(text);
    ASSERT_EQ(store->SetValue(key, U(name), REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
              ERROR_SUCCESS);
}

bool AppFixture::UserKeyExists(const QString& keyBelowApp)
{
    return SettingsStore::Get(SettingsStore::CurrentUser)->KeyExists(U(kAppKey + QLatin1Char('\\') + keyBelowApp)) ==
           ERROR_SUCCESS;
}

QByteArray AppFixture::ReadUserBinary(const QString& section, const QString& name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (SettingsStore::Get(SettingsStore::CurrentUser)
            ->GetValue(U(kAppKey + QLatin1Char('\\') + section), U(name), &type, &data) != ERROR_SUCCESS)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

void AppFixture::SetMachineLanguage(const QString& code)
{
    // The machine-wide store is read-only to the program; the test writes the file as an
    // administrator would.
    const std::u16string path = SettingsStore::MachineFilePath();
    QDir().mkpath(QFileInfo(QString::fromStdU16String(path)).absolutePath());
    SettingsStore store(path, SettingsStore::RootName(SettingsStore::LocalMachine), false);
    const std::u16string key = u"Software\\Korvan\\Rivedi VEZ Dadazizo 4\\Language";
    ASSERT_EQ(store.CreateKey(key, nullptr), ERROR_SUCCESS);
    const std::u16string value = U(code);
    ASSERT_EQ(store.SetValue(key, u"LANG", REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
              ERROR_SUCCESS);
}

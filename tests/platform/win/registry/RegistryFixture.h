#pragma once
// A settings store of its own for every test: XDG_CONFIG_HOME and the machine folder point into a
// temporary folder, and helpers read and write through the registry calls.

#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/Registry.h"
#include "platform/win/SettingsStore.h"

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(m_dir.isValid());
    UseConfig(QStringLiteral("user"));
    const QString machine = m_dir.filePath(QStringLiteral("machine"));
    QDir().mkpath(machine + QStringLiteral("/Korvan"));
    setenv("KC_MACHINE_CONFIG_DIR", QFile::encodeName(machine).constData(), 1);
  }

  // Points HKEY_CURRENT_USER at a fresh folder below the test's temporary folder.
  void UseConfig(const QString& name)
  {
    const QString config = m_dir.filePath(name);
    QDir().mkpath(config);
    setenv("XDG_CONFIG_HOME", QFile::encodeName(config).constData(), 1);
  }

  QString UserFile() const { return QString::fromStdU16String(SettingsStore::UserFilePath()); }
  QString MachineFile() const { return QString::fromStdU16String(SettingsStore::MachineFilePath()); }
  QString Dir() const { return m_dir.path(); }

  static QByteArray ReadFile(const QString& path)
  {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static void WriteFile(const QString& path, const QByteArray& data)
  {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
  }

  static HKEY Create(HKEY root, const char16_t* path)
  {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    return key;
  }
  static LONG Set(HKEY root, const char16_t* path, const char16_t* name, DWORD type, const void* data, DWORD size)
  {
    HKEY key = Create(root, path);
    const LONG rc = RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return rc;
  }
  static LONG SetDword(const char16_t* path, const char16_t* name, DWORD value)
  {
    return Set(HKEY_CURRENT_USER, path, name, REG_DWORD, &value, sizeof value);
  }
  // The type and bytes of a value, or the error code in *rc.
  static std::vector<BYTE> Get(HKEY root, const char16_t* path, const char16_t* name, DWORD* type = nullptr,
                               LONG* rc = nullptr)
  {
    std::vector<BYTE> data;
    HKEY key = nullptr;
    LONG result = RegOpenKeyEx(root, path, 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS) {
      DWORD size = 0;
      result = RegQueryValueEx(key, name, nullptr, type, nullptr, &size);
      if (result == ERROR_SUCCESS) {
        data.resize(size);
        result = RegQueryValueEx(key, name, nullptr, type, data.data(), &size);
        data.resize(size);
      }
      RegCloseKey(key);
    }
    if (rc) *rc = result;
    return data;
  }
  static bool KeyExists(HKEY root, const char16_t* path)
  {
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // Runs body in a child process (a second running instance of the program) and returns its
  // exit code.
  template <class Body> static pid_t Spawn(Body body)
  {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    return pid;
  }
  static int Wait(pid_t pid)
  {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }

  QTemporaryDir m_dir;
};

inline std::vector<BYTE> Bytes(const void* data, size_t size)
{
  const auto* p = static_cast<const BYTE*>(data);
  return std::vector<BYTE>(p, p + size);
}

inline std::vector<BYTE> Utf16Bytes(const std::u16string& text)
{
  return Bytes(text.data(), text.size() * sizeof(char16_t));
}

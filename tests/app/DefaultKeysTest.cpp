// Keys kept from an earlier version: the frame's stored keys replace the defaults at start, and settings
// older than 3.50 get the command bar's default keys (37101-37202) added wherever the key is still free.

#include <QtCore/QByteArray>

#include <algorithm>
#include <vector>

#include "AppFixture.h"
#include "app/CMainFrame.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"

namespace {

QByteArray Stored(const std::vector<ACCEL>& keys)
{
    QByteArray bytes;
    for (const ACCEL& a : keys) {
        bytes.append(static_cast<char>(a.fVirt));
        bytes.append(static_cast<char>(a.key & 0xFF));
        bytes.append(static_cast<char>(a.key >> 8));
        bytes.append(static_cast<char>(a.cmd & 0xFF));
        bytes.append(static_cast<char>(a.cmd >> 8));
    }
    return bytes;
}

std::vector<ACCEL> FrameKeys(CWinApp* pApp)
{
    auto* pFrame = dynamic_cast<CMainFrame*>(pApp->m_pMainWnd);
    std::vector<ACCEL> out;
    if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr)
        return out;
    out.resize(static_cast<size_t>(CopyAcceleratorTable(pFrame->m_hAccelTable, nullptr, 0)));
    CopyAcceleratorTable(pFrame->m_hAccelTable, out.data(), static_cast<int>(out.size()));
    return out;
}

// The command of a key in the table, 0 when no entry has it.
WORD CommandOf(const std::vector<ACCEL>& keys, WORD key, BYTE fVirt)
{
    for (const ACCEL& a : keys)
        if (a.key == key && (a.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT)) == fVirt)
            return a.cmd;
    return 0;
}

int CountOf(const std::vector<ACCEL>& keys, WORD cmd)
{
    return static_cast<int>(std::count_if(keys.begin(), keys.end(), [cmd](const ACCEL& a) { return a.cmd == cmd; }));
}

// A table an earlier version stored: the file keys, and plain L given to File New by the user.
const std::vector<ACCEL> kOldKeys = {
    {FVIRTKEY | FCONTROL, 'N', 57600},
    {FVIRTKEY | FCONTROL, 'O', 57601},
    {FVIRTKEY, 'L', 57600},
};

class DefaultKeys : public AppFixture
{
protected:
    static void StoreOldKeys(DWORD major, DWORD minor)
    {
        WriteUserInt(QStringLiteral("Version"), QStringLiteral("Major"), major);
        WriteUserInt(QStringLiteral("Version"), QStringLiteral("Minor"), minor);
        WriteUserBinary(QStringLiteral("Settings\\Keyboard-110"), QStringLiteral("Accelerators"), Stored(kOldKeys));
    }
};

}  // namespace

TEST_F(DefaultKeys, SettingsOf340GetTheCommandBarKeysThatAreFree)
{
    StoreOldKeys(3, 40);
    ASSERT_TRUE(Start());
    const std::vector<ACCEL> keys = FrameKeys(m_app.get());
    // The stored keys stand, the user's L included.
    EXPECT_EQ(CommandOf(keys, 'O', FVIRTKEY | FCONTROL), 57601);
    EXPECT_EQ(CommandOf(keys, 'L', FVIRTKEY), 57600) << "a key the user gave away stays where it is";
    EXPECT_EQ(CountOf(keys, 37152), 0);
    // The free ones of the command bar come in once each.
    for (const auto& [key, cmd] : std::vector<std::pair<WORD, WORD>>{{'D', 37106}, {'A', 37107}, {'S', 37108},
                                                                      {'T', 37109}, {'F', 37153}, {'M', 37159}}) {
        EXPECT_EQ(CommandOf(keys, key, FVIRTKEY), cmd) << char(key);
        EXPECT_EQ(CountOf(keys, cmd), 1) << cmd;
    }
    // Keys of other commands that the stored table lacks are not brought back.
    EXPECT_EQ(CommandOf(keys, 'S', FVIRTKEY | FCONTROL), 0);
    EXPECT_EQ(CountOf(keys, 57603), 0);
}

TEST_F(DefaultKeys, SettingsOf350AndLaterAreLeftAsTheyAre)
{
    StoreOldKeys(3, 50);
    ASSERT_TRUE(Start());
    const std::vector<ACCEL> keys = FrameKeys(m_app.get());
    EXPECT_EQ(keys.size(), kOldKeys.size());
    EXPECT_EQ(CountOf(keys, 37106), 0);
    EXPECT_FALSE(m_app->MergeDefaultAccelerators());
}

TEST_F(DefaultKeys, AFirstStartHasEveryDefaultKeyOnce)
{
    ASSERT_TRUE(Start());
    const std::vector<ACCEL> keys = FrameKeys(m_app.get());
    // Nothing stored: the defaults are the table already; merging finds every key taken.
    EXPECT_FALSE(m_app->MergeDefaultAccelerators());
    EXPECT_EQ(CountOf(FrameKeys(m_app.get()), 37106), 1);
    EXPECT_EQ(FrameKeys(m_app.get()).size(), keys.size());
}

TEST_F(DefaultKeys, KeysAreStoredAtExitAndComeBackAtTheNextStart)
{
    StoreOldKeys(3, 40);
    ASSERT_TRUE(Start());
    const size_t merged = FrameKeys(m_app.get()).size();
    ASSERT_GT(merged, kOldKeys.size());
    Stop();
    ASSERT_TRUE(Start());
    const std::vector<ACCEL> keys = FrameKeys(m_app.get());
    EXPECT_EQ(keys.size(), merged) << "stored once, merged once";
    EXPECT_EQ(CommandOf(keys, 'D', FVIRTKEY), 37106);
    EXPECT_EQ(m_app->GetSettingsVersion(), (4u << 16) | 21u);
}

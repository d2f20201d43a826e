// The texts a user reads in message boxes come from the language library in the interface's language:
// every message the platform and the program build has an English and a Japanese form, and a damaged
// drawing is named to the user in their language.

#include <QtCore/QRegularExpression>

#include <memory>
#include <string>
#include <vector>

#include "DocFixture.h"
#include "app/CQZ2Doc.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/COleException.h"
#include "platform/afx/ResourceModule.h"
#include "platform/ole/CompoundFileException.h"
#include "platform/ole/OleTypes.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinDocConstants.h"

namespace {

// The language library of a language put first in the chain for the life of the object.
class InterfaceLanguage
{
public:
    explicit InterfaceLanguage(const char* code)
    {
        const QString path = QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResource%1.rcc").arg(QLatin1String(code));
        std::u16string reason;
        m_module.reset(AfxLoadResourceModule(path.toStdU16String(), &reason));
        EXPECT_NE(m_module, nullptr) << path.toStdString() << ": " << QString::fromStdU16String(reason).toStdString();
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module.get());
    }
    ~InterfaceLanguage() { AfxSetResourceHandle(m_previous); }

private:
    struct Free {
        void operator()(ResourceModule* p) const { AfxFreeResourceModule(p); }
    };
    std::unique_ptr<ResourceModule, Free> m_module;
    ResourceModule* m_previous = nullptr;
};

QString MessageOf(const CException& e)
{
    TCHAR buf[1024] = {0};
    e.GetErrorMessage(buf, 1024);
    return QString::fromUtf16(buf);
}

QString StringOf(UINT nID)
{
    CString s;
    s.LoadString(nID);
    return s.ToQString();
}

struct Message {
    std::string what;
    QString text;
};

// Every message text the platform layer builds, and the program's own message texts, in the language
// of the moment.
std::vector<Message> AllMessages()
{
    std::vector<Message> all;
    for (int cause = CFileException::none; cause <= CFileException::endOfFile; ++cause)
        all.push_back({"file error " + std::to_string(cause), MessageOf(CFileException(cause, -1, u"bad.kvcd"))});
    all.push_back({"file error without a name", MessageOf(CFileException(CFileException::accessDenied))});
    for (int cause = CArchiveException::none; cause <= CArchiveException::bufferFull; ++cause)
        all.push_back({"archive error " + std::to_string(cause), MessageOf(CArchiveException(cause, u"bad.kvcd"))});
    const SCODE storage[] = {STG_E_INVALIDHEADER, STG_E_DOCFILECORRUPT,      STG_E_ACCESSDENIED, STG_E_FILENOTFOUND,
                             STG_E_FILEALREADYEXISTS, STG_E_INVALIDNAME, STG_E_WRITEFAULT};
    for (SCODE sc : storage)
        all.push_back({"storage error " + std::to_string(static_cast<unsigned>(sc)),
                       MessageOf(CompoundFileException(sc, u"bad.kvcd", u"detail for diagnostics"))});
    all.push_back({"out of memory", MessageOf(CMemoryException())});
    all.push_back({"not supported", MessageOf(CNotSupportedException())});
    all.push_back({"invalid argument", MessageOf(CInvalidArgException())});
    all.push_back({"object operation", MessageOf(COleException(static_cast<SCODE>(0x80004005)))});
    const UINT framework[] = {AFX_IDS_OPENFILE,
                              AFX_IDS_SAVEFILE,
                              AFX_IDS_ALLFILTER,
                              AFX_IDS_UNTITLED,
                              AFX_IDS_SAVEFILECOPY,
                              AFX_IDP_INVALID_FILENAME,
                              AFX_IDP_FAILED_TO_OPEN_DOC,
                              AFX_IDP_FAILED_TO_SAVE_DOC,
                              AFX_IDP_FAILED_TO_CREATE_DOC,
                              AFX_IDP_FAILED_TO_START_PRINT,
                              AFX_IDP_PARSE_INT,
                              AFX_IDP_PARSE_REAL,
                              AFX_IDP_PARSE_INT_RANGE,
                              AFX_IDP_PARSE_REAL_RANGE,
                              AFX_IDP_PARSE_STRING_SIZE,
                              AFX_IDP_PARSE_RADIO_BUTTON,
                              AFX_IDP_PARSE_BYTE,
                              AFX_IDP_PARSE_UINT};
    for (UINT nID : framework)
        all.push_back({"framework text " + std::to_string(nID), AfxLoadFrameworkString(nID).ToQString()});
    all.push_back({"ask to save", AfxFormatString1(AFX_IDP_ASK_TO_SAVE, u"bad.kvcd").ToQString()});
    // The program's message boxes: start-up, settings reset, recovery, opening and saving.
    const UINT program[] = {10042, 10044, 10045, 10046, 10057, 10058, 10059, 10061,
                            10062, 10063, 10064, 10065, 10066, 10067, 10112, 61703};
    for (UINT nID : program)
        all.push_back({"program text " + std::to_string(nID), StringOf(nID)});
    return all;
}

class MessageTextsTest : public DocFixture
{
};

bool HasJapanese(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x3000)
            return true;
    return false;
}

TEST_F(MessageTextsTest, EveryMessageHasAnEnglishAndAJapaneseForm)
{
    std::vector<Message> english, japanese;
    {
        InterfaceLanguage eng("ENG");
        english = AllMessages();
    }
    {
        InterfaceLanguage jpn("JPN");
        japanese = AllMessages();
    }
    ASSERT_EQ(english.size(), japanese.size());
    for (size_t i = 0; i < english.size(); ++i) {
        SCOPED_TRACE(english[i].what);
        const QString& en = english[i].text;
        const QString& ja = japanese[i].text;
        EXPECT_FALSE(en.isEmpty());
        EXPECT_FALSE(HasJapanese(en)) << en.toStdString();
        EXPECT_TRUE(HasJapanese(ja)) << ja.toStdString();
        // Only names and placeholders may stay Latin in the Japanese form; no English sentence slips in.
        QString latin = ja;
        latin.remove(QStringLiteral("bad.kvcd"));
        EXPECT_FALSE(latin.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}")))) << ja.toStdString();
        // A message about a file names it in both languages.
        EXPECT_EQ(en.contains(QStringLiteral("bad.kvcd")), ja.contains(QStringLiteral("bad.kvcd"))) << en.toStdString();
    }
}

// Opening files that cannot be opened, under each language: the box says what is wrong in the user's terms
// and names the file.
TEST_F(MessageTextsTest, ADamagedDrawingIsNamedInTheInterfacesLanguage)
{
    WriteAll(Path("bad.kvcd"), QByteArray("this is no drawing, just text\n"));
    // A compound file's signature followed by nothing of a structure.
    QByteArray broken = QByteArray::fromHex("d0cf11e0a1b11ae1");
    broken.append(QByteArray(504, '\x7f'));
    WriteAll(Path("broken.kvcd"), broken);
    struct Case {
        const char* language;
        const char* file;
        QString expected;
    } cases[] = {
        {"ENG", "bad.kvcd", QStringLiteral("The file \"bad.kvcd\" is not a drawing of this program, or it is damaged.")},
        {"ENG", "broken.kvcd",
         QStringLiteral("The file \"broken.kvcd\" is not a drawing of this program, or it is damaged.")},
        {"ENG", "missing.kvcd", QStringLiteral("The file \"%1\" could not be found.").arg(Path("missing.kvcd"))},
        {"JPN", "bad.kvcd", QStringLiteral("ファイル \"bad.kvcd\" はこのプログラムの図面ではないか、壊れています。")},
        {"JPN", "broken.kvcd", QStringLiteral("ファイル \"broken.kvcd\" はこのプログラムの図面ではないか、壊れています。")},
        {"JPN", "missing.kvcd", QStringLiteral("ファイル \"%1\" が見つかりません。").arg(Path("missing.kvcd"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.file);
        InterfaceLanguage language(c.language);
        Boxes().clear();
        EXPECT_EQ(OpenDocument(Path(QString::fromUtf8(c.file))), nullptr);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text.toStdString(), c.expected.toStdString());
    }
}

}  // namespace

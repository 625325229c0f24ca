#include "store/HostPath.h"
#include "store/KavroPaths.h"
#include "store/Stamp.h"
#include "store/StoreEntry.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

using namespace jlex;

class StoreTest : public QObject {
    Q_OBJECT

private slots:
    void pathsPerEditionAndRole_data();
    void pathsPerEditionAndRole();
    void unsetUserNameLeavesTwoBackslashes();
    void hostPathMapsDriveCIntoTheWinePrefix();
    void existenceCountsFilesAndDirectoriesOnly();
    void stampIsShortDateAndTimeWithSeconds();
    void stampReadsFirstLineOnly();
};

void StoreTest::pathsPerEditionAndRole_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<StoreFile>("file");
    QTest::addColumn<QString>("expected");
    const QString base = QStringLiteral("C:\\Documents and Settings\\alice\\Application Data\\");
    const QString account = base + QStringLiteral("KavroPY.users\\00000001\\");
    const QString shared = base + QStringLiteral("KavroPY\\");
    const struct {
        StoreFile file;
        const char* name;
        bool stamp;
    } files[] = {
        {StoreFile::Phrases, "phrases.ini", false},
        {StoreFile::InitialBackup, "phrases最初备份.ini", false},
        {StoreFile::LatestBackup, "phrases最近备份.ini", false},
        {StoreFile::Swap, "phrasesTEMP.ini", false},
        {StoreFile::InitialStamp, "time000.ini", true},
        {StoreFile::LatestStamp, "time001.ini", true},
    };
    for (const auto& f : files) {
        const QString name = QString::fromUtf8(f.name);
        QTest::addRow("login %s", f.name) << Edition::Login << f.file << account + name;
        // Stamps stay in the account directory in the public edition too.
        QTest::addRow("public %s", f.name)
            << Edition::Public << f.file << (f.stamp ? account : shared) + name;
    }
}

void StoreTest::pathsPerEditionAndRole()
{
    QFETCH(Edition, edition);
    QFETCH(StoreFile, file);
    QFETCH(QString, expected);
    qputenv("USERNAME", "alice");
    QCOMPARE(KavroPaths(edition).path(file), expected);
}

void StoreTest::unsetUserNameLeavesTwoBackslashes()
{
    qunsetenv("USERNAME");
    QCOMPARE(KavroPaths(Edition::Login).path(StoreFile::Phrases),
             QStringLiteral("C:\\Documents and Settings\\\\Application Data\\KavroPY.users\\"
                            "00000001\\phrases.ini"));
    QCOMPARE(KavroPaths::userName(), QString());
    // The name is read at each use, not once.
    qputenv("USERNAME", "bob");
    QVERIFY(
        KavroPaths(Edition::Login).path(StoreFile::Phrases).contains(QStringLiteral("\\bob\\")));
}

void StoreTest::hostPathMapsDriveCIntoTheWinePrefix()
{
    qputenv("WINEPREFIX", "/tmp/prefix");
    QCOMPARE(hostPath(QStringLiteral("C:\\Documents and Settings\\alice\\x 最初.ini")),
             QStringLiteral("/tmp/prefix/drive_c/Documents and Settings/alice/x 最初.ini"));
    qunsetenv("WINEPREFIX");
    QCOMPARE(hostPath(QStringLiteral("c:\\a\\b")),
             QDir::homePath() + QStringLiteral("/.wine/drive_c/a/b"));
}

void StoreTest::existenceCountsFilesAndDirectoriesOnly()
{
    TempStore store;
    const auto& paths = store.paths;
    QVERIFY(!storeEntryExists(paths.host(StoreFile::Phrases)));
    store.write(StoreFile::Phrases, "");
    QVERIFY(storeEntryExists(paths.host(StoreFile::Phrases)));
    // Read-only makes no difference.
    QFile::setPermissions(store.host(StoreFile::Phrases), QFileDevice::ReadOwner);
    QVERIFY(storeEntryExists(paths.host(StoreFile::Phrases)));

    QVERIFY(QDir().mkdir(store.host(StoreFile::InitialBackup)));
    QVERIFY(storeEntryExists(paths.host(StoreFile::InitialBackup)));

    QVERIFY(mkfifo(QFile::encodeName(store.host(StoreFile::Swap)).constData(), 0600) == 0);
    QVERIFY(!storeEntryExists(paths.host(StoreFile::Swap)));

    // A missing directory on the way is simply "absent".
    TempStore bare(Edition::Public, TempStore::NoDirs);
    QVERIFY(!storeEntryExists(bare.paths.host(StoreFile::LatestStamp)));
}

void StoreTest::stampIsShortDateAndTimeWithSeconds()
{
    const QLocale china(QLocale::Chinese, QLocale::China);
    const QDate day(2026, 12, 6);
    QCOMPARE(stampText(QDateTime(day, QTime(9, 5, 7)), china),
             QStringLiteral("2026/12/6 09:05:07"));
    QCOMPARE(stampText(QDateTime(day, QTime(0, 0, 0)), china), QStringLiteral("2026/12/6"));
    QCOMPARE(stampText(QDateTime(day, QTime(0, 0, 1)), china),
             QStringLiteral("2026/12/6 00:00:01"));

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    // Newer locale data puts a narrow no-break space before PM.
    const QString text = stampText(QDateTime(day, QTime(21, 4, 30)), us);
    QVERIFY2(QRegularExpression(QStringLiteral("^12/6/26 9:04:30[ \\x{202F}]PM$"))
                 .match(text)
                 .hasMatch(),
             qPrintable(text));

    QCOMPARE(stampFileBytes(QDateTime(day, QTime(0, 0)), PhraseFormat::GbkCrLf, china),
             QByteArray("2026/12/6\r\n"));
}

void StoreTest::stampReadsFirstLineOnly()
{
    QCOMPARE(stampFromFileBytes("", PhraseFormat::GbkCrLf), QString());
    QCOMPARE(stampFromFileBytes("\r\n2026/1/1 10:00:00\r\n", PhraseFormat::GbkCrLf), QString());
    QCOMPARE(stampFromFileBytes("2026/1/1 10:00:00\r\nlater\r\n", PhraseFormat::GbkCrLf),
             QStringLiteral("2026/1/1 10:00:00"));
    QCOMPARE(stampFromFileBytes("first\rsecond", PhraseFormat::GbkCrLf), QStringLiteral("first"));
    QCOMPARE(stampFromFileBytes("no line end", PhraseFormat::GbkCrLf),
             QStringLiteral("no line end"));
    // Stamps are GBK like every store file.
    QCOMPARE(stampFromFileBytes("2026\xc4\xea\r\n", PhraseFormat::GbkCrLf),
             QStringLiteral("2026年"));
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"

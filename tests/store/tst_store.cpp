#include "store/HostPath.h"
#include "store/Stamp.h"
#include "store/StoreEntry.h"
#include "support/TempStore.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

using namespace jlex;

class StoreTest : public QObject {
    Q_OBJECT

private slots:
    void pathsPerEditionAndRole();
    void hostPathMapsDriveCIntoTheWinePrefix();
    void existenceCountsFilesAndDirectoriesOnly();
    void stamps();
};

// Where the IME looks for each file: stamps stay in the account's directory
// in the public edition too.
void StoreTest::pathsPerEditionAndRole()
{
    const QString base = QStringLiteral("C:\\Documents and Settings\\alice\\Application Data\\");
    const QString account = base + QStringLiteral("KavroPY.users\\00000001\\");
    const QString shared = base + QStringLiteral("KavroPY\\");
    const std::tuple<StoreFile, const char*, bool> files[] = {
        {StoreFile::Phrases, "phrases.ini", false},
        {StoreFile::InitialBackup, "phrases最初备份.ini", false},
        {StoreFile::LatestBackup, "phrases最近备份.ini", false},
        {StoreFile::Swap, "phrasesTEMP.ini", false},
        {StoreFile::InitialStamp, "time000.ini", true},
        {StoreFile::LatestStamp, "time001.ini", true}};
    const TempStore login, pub(Edition::Public);
    for (const auto& [file, name, stamp] : files) {
        QCOMPARE(login.paths.path(file), account + QString::fromUtf8(name));
        QCOMPARE(pub.paths.path(file), (stamp ? account : shared) + QString::fromUtf8(name));
    }
    // The user name is read at each use; unset, it leaves two backslashes.
    qunsetenv("USERNAME");
    QVERIFY(login.paths.path(StoreFile::Phrases).startsWith("C:\\Documents and Settings\\\\Ap"));
    qputenv("USERNAME", "bob");
    QVERIFY(login.paths.path(StoreFile::Phrases).contains(QStringLiteral("\\bob\\")));
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
    const auto exists = [&](StoreFile file) { return storeEntryExists(store.paths.path(file)); };
    QVERIFY(!exists(StoreFile::Phrases));
    store.write(StoreFile::Phrases, "");
    QFile::setPermissions(store.host(StoreFile::Phrases), QFileDevice::ReadOwner);
    QVERIFY(exists(StoreFile::Phrases));
    QVERIFY(QDir().mkdir(store.host(StoreFile::InitialBackup)));
    QVERIFY(exists(StoreFile::InitialBackup));
    QVERIFY(mkfifo(QFile::encodeName(store.host(StoreFile::Swap)).constData(), 0600) == 0);
    QVERIFY(!exists(StoreFile::Swap));
    // A missing directory on the way is simply "absent".
    TempStore bare(Edition::Public, TempStore::NoDirs);
    QVERIFY(!storeEntryExists(bare.paths.path(StoreFile::LatestStamp)));
}

// The locale's short date and its time with seconds but no zone; at
// midnight the date alone. A stamp file shows its first line, read as GBK.
void StoreTest::stamps()
{
    const QLocale china(QLocale::Chinese, QLocale::China);
    const QDate day(2026, 12, 6);
    QCOMPARE(stampFileBytes(QDateTime(day, QTime(9, 5, 7)), china), "2026/12/6 09:05:07\r\n");
    QCOMPARE(stampText(QDateTime(day, QTime(0, 0, 0)), china), QStringLiteral("2026/12/6"));
    QCOMPARE(stampText(QDateTime(day, QTime(0, 0, 1)), china),
             QStringLiteral("2026/12/6 00:00:01"));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QString text = stampText(QDateTime(day, QTime(21, 4, 30)), us);
    QVERIFY2(QRegularExpression(QStringLiteral("^12/6/26 9:04:30[ \\x{202F}]PM$"))
                 .match(text)
                 .hasMatch(),
             qPrintable(text));
    QCOMPARE(stampFromFileBytes("2026\xc4\xea\r\nlater\r\n"), QStringLiteral("2026年"));
    QCOMPARE(stampFromFileBytes("first\rsecond"), QStringLiteral("first"));
    QCOMPARE(stampFromFileBytes("\r\nsecond"), QString());
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"

#include "ops/Operations.h"
#include "support/TempStore.h"
#include "tables/PhraseTables.h"

#include <QTest>

using namespace jlex;

namespace {

QByteArray tables(bool greeting, bool kanji)
{
    QByteArray text = phraseTable(PhraseTable::Kana).toByteArray();
    if (greeting)
        text += phraseTable(PhraseTable::Greeting).toByteArray();
    if (kanji)
        text += phraseTable(PhraseTable::Kanji).toByteArray();
    return text;
}

// A user's own phrases in GBK: "mine,1=我的", a comment, and a last line
// without a line end.
const QByteArray kMine("mine,1=\xce\xd2\xb5\xc4\r\n;note\r\nlast,2=x");
const QByteArray kMineLines("mine,1=\xce\xd2\xb5\xc4\r\n;note\r\nlast,2=x\r\n");

#define VERIFY_OK(call)                                                                            \
    do {                                                                                           \
        const auto failure = (call);                                                               \
        QVERIFY2(!failure, failure ? qPrintable(failureMessage("op", *failure)) : "");             \
    } while (false)

} // namespace

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void firstInstallMovesThePhraseFileIntoTheInitialBackup();
    void laterInstallsReplaceTheLatestBackup();
    void installModesAndTables();
    void addModeKeepsWhatTheLastInstallLeft();
    void backupFillsInitialThenLatest();
    void backupFollowsTheInitialBackupFileNotItsStamp();
    void restoreToInitialState();
    void restoreToLatestBackupExchangesTheFiles();
    void uninstallReturnsToTheInitialBackup();
};

void OperationsTest::firstInstallMovesThePhraseFileIntoTheInitialBackup()
{
    TempStore store;
    store.write(StoreFile::Phrases, kMine);
    const QDateTime before = QDateTime::currentDateTime();
    VERIFY_OK(install(store.paths, store.paths.path(StoreFile::Phrases), {}));
    const QDateTime after = QDateTime::currentDateTime();

    QCOMPARE(store.read(StoreFile::Phrases), tables(true, false) + kMineLines + "\r\n");
    QCOMPARE(store.read(StoreFile::InitialBackup), kMine);
    QVERIFY(isStampBetween(store.read(StoreFile::InitialStamp), before, after));
    QVERIFY(!store.has(StoreFile::LatestBackup));
    QVERIFY(!store.has(StoreFile::LatestStamp));
    QCOMPARE(store.fileNames(), (QStringList{"phrases.ini", "phrases最初备份.ini", "time000.ini"}));
}

void OperationsTest::laterInstallsReplaceTheLatestBackup()
{
    TempStore store;
    store.write(StoreFile::Phrases, "current\r\n");
    store.write(StoreFile::InitialBackup, "initial\r\n");
    store.write(StoreFile::InitialStamp, "t0\r\n");
    store.write(StoreFile::LatestBackup, "old latest\r\n");
    store.write(StoreFile::LatestStamp, "t1\r\n");
    const QDateTime before = QDateTime::currentDateTime();
    VERIFY_OK(install(store.paths, store.paths.path(StoreFile::Phrases),
                      {.greeting = false, .kanji = true, .addMode = false, .backupFirst = true}));

    QCOMPARE(store.read(StoreFile::Phrases), tables(false, true) + "\r\n");
    QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("current\r\n"));
    QVERIFY(
        isStampBetween(store.read(StoreFile::LatestStamp), before, QDateTime::currentDateTime()));
    QCOMPARE(store.read(StoreFile::InitialBackup), QByteArray("initial\r\n"));
    QCOMPARE(store.read(StoreFile::InitialStamp), QByteArray("t0\r\n"));
}

void OperationsTest::installModesAndTables()
{
    struct Case {
        InstallChoices choices;
        QByteArray existing;
        QByteArray expected;
    };
    const Case cases[] = {
        // Overwrite without a phrase file creates it.
        {{.greeting = true, .kanji = true, .addMode = false, .backupFirst = false},
         {},
         tables(true, true) + "\r\n"},
        {{.greeting = false, .kanji = false, .addMode = false, .backupFirst = false},
         kMine,
         tables(false, false) + "\r\n"},
        // Adding to an empty file gives what overwriting does.
        {{.greeting = true, .kanji = false, .addMode = true, .backupFirst = false},
         "",
         tables(true, false) + "\r\n"},
        {{.greeting = false, .kanji = true, .addMode = true, .backupFirst = false},
         "a\rb\nc",
         tables(false, true) + "a\r\nb\nc\r\n\r\n"},
    };
    for (const Case& c : cases) {
        TempStore store;
        if (!c.existing.isNull())
            store.write(StoreFile::Phrases, c.existing);
        VERIFY_OK(install(store.paths, store.paths.path(StoreFile::Phrases), c.choices));
        QCOMPARE(store.read(StoreFile::Phrases), c.expected);
        // Without the backup box nothing else is written.
        QCOMPARE(store.fileNames(), QStringList{"phrases.ini"});
    }
}

void OperationsTest::addModeKeepsWhatTheLastInstallLeft()
{
    TempStore store;
    store.write(StoreFile::Phrases, kMine);
    const QString held = store.paths.path(StoreFile::Phrases);
    const InstallChoices add{
        .greeting = true, .kanji = false, .addMode = true, .backupFirst = false};
    VERIFY_OK(install(store.paths, held, add));
    const QByteArray first = store.read(StoreFile::Phrases);
    VERIFY_OK(install(store.paths, held, add));
    // The tables again, then the whole earlier file, its empty last line included.
    QCOMPARE(store.read(StoreFile::Phrases), tables(true, false) + first + "\r\n");
}

void OperationsTest::backupFillsInitialThenLatest()
{
    TempStore store;
    store.write(StoreFile::Phrases, kMine);
    const QString held = store.paths.path(StoreFile::Phrases);

    VERIFY_OK(backup(store.paths, held));
    QCOMPARE(store.read(StoreFile::InitialBackup), kMine);
    QCOMPARE(store.read(StoreFile::Phrases), kMine);
    QVERIFY(!store.has(StoreFile::LatestBackup) && !store.has(StoreFile::LatestStamp));
    const QByteArray initialStamp = store.read(StoreFile::InitialStamp);
    QVERIFY(initialStamp.endsWith("\r\n") && initialStamp.count('\n') == 1);

    VERIFY_OK(backup(store.paths, held));
    QCOMPARE(store.read(StoreFile::LatestBackup), kMine);
    QVERIFY(store.has(StoreFile::LatestStamp));

    store.write(StoreFile::Phrases, "changed\r\n");
    store.write(StoreFile::LatestStamp, "an old time\r\n");
    const QDateTime before = QDateTime::currentDateTime();
    VERIFY_OK(backup(store.paths, held));
    QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("changed\r\n"));
    // The stamp holds the new time only, not appended to the old.
    QVERIFY(
        isStampBetween(store.read(StoreFile::LatestStamp), before, QDateTime::currentDateTime()));
    QCOMPARE(store.read(StoreFile::InitialBackup), kMine);
    QCOMPARE(store.read(StoreFile::InitialStamp), initialStamp);
}

void OperationsTest::backupFollowsTheInitialBackupFileNotItsStamp()
{
    {
        // Latest backup there but no initial one: the initial slot is filled.
        TempStore store;
        store.write(StoreFile::Phrases, "p");
        store.write(StoreFile::LatestBackup, "l");
        store.write(StoreFile::LatestStamp, "t1\r\n");
        VERIFY_OK(backup(store.paths, store.paths.path(StoreFile::Phrases)));
        QCOMPARE(store.read(StoreFile::InitialBackup), QByteArray("p"));
        QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("l"));
        QCOMPARE(store.read(StoreFile::LatestStamp), QByteArray("t1\r\n"));
    }
    {
        // Initial backup without its stamp: the latest slot, and no initial stamp appears.
        TempStore store;
        store.write(StoreFile::Phrases, "p");
        store.write(StoreFile::InitialBackup, "i");
        VERIFY_OK(backup(store.paths, store.paths.path(StoreFile::Phrases)));
        QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("p"));
        QVERIFY(!store.has(StoreFile::InitialStamp));
        QVERIFY(store.has(StoreFile::LatestStamp));
    }
}

void OperationsTest::restoreToInitialState()
{
    for (bool withLatest : {true, false}) {
        TempStore store;
        store.write(StoreFile::Phrases, "P");
        store.write(StoreFile::InitialBackup, "I");
        store.write(StoreFile::InitialStamp, "t0\r\n");
        if (withLatest) {
            store.write(StoreFile::LatestBackup, "L");
            store.write(StoreFile::LatestStamp, "t1\r\n");
        }
        const QDateTime before = QDateTime::currentDateTime();
        VERIFY_OK(restore(store.paths, true));
        QCOMPARE(store.read(StoreFile::Phrases), QByteArray("I"));
        QCOMPARE(store.read(StoreFile::InitialBackup), QByteArray("I"));
        QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("P"));
        QVERIFY(isStampBetween(store.read(StoreFile::InitialStamp), before,
                               QDateTime::currentDateTime()));
        // The latest stamp is left as it was, or absent.
        QCOMPARE(store.has(StoreFile::LatestStamp), withLatest);
        if (withLatest)
            QCOMPARE(store.read(StoreFile::LatestStamp), QByteArray("t1\r\n"));
    }
}

void OperationsTest::restoreToLatestBackupExchangesTheFiles()
{
    TempStore store;
    const QByteArray odd("\x80\xff\r\rx\n", 6);
    store.write(StoreFile::Phrases, odd);
    store.write(StoreFile::LatestBackup, "L\r\n");
    store.write(StoreFile::InitialStamp, "t0\r\n");
    const QDateTime before = QDateTime::currentDateTime();
    VERIFY_OK(restore(store.paths, false));
    QCOMPARE(store.read(StoreFile::Phrases), QByteArray("L\r\n"));
    QCOMPARE(store.read(StoreFile::LatestBackup), odd);
    QVERIFY(!store.has(StoreFile::Swap));
    QVERIFY(
        isStampBetween(store.read(StoreFile::LatestStamp), before, QDateTime::currentDateTime()));
    QCOMPARE(store.read(StoreFile::InitialStamp), QByteArray("t0\r\n"));

    // A second exchange gives back the files from before the first.
    VERIFY_OK(restore(store.paths, false));
    QCOMPARE(store.read(StoreFile::Phrases), odd);
    QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("L\r\n"));

    // Initial state then latest backup puts the phrase file back too.
    store.write(StoreFile::InitialBackup, "I");
    VERIFY_OK(restore(store.paths, true));
    VERIFY_OK(restore(store.paths, false));
    QCOMPARE(store.read(StoreFile::Phrases), odd);
    QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("I"));
}

void OperationsTest::uninstallReturnsToTheInitialBackup()
{
    TempStore store;
    store.write(StoreFile::Phrases, kMine);
    const QString held = store.paths.path(StoreFile::Phrases);
    // Whatever happened before, the phrase file ends as the initial backup.
    VERIFY_OK(install(store.paths, held, {}));
    VERIFY_OK(install(store.paths, held, {.greeting = true, .kanji = true}));
    VERIFY_OK(backup(store.paths, held));
    VERIFY_OK(restore(store.paths, false));
    store.write(StoreFile::LatestStamp, "t1\r\n");
    const QByteArray beforeUninstall = store.read(StoreFile::Phrases);

    const QDateTime before = QDateTime::currentDateTime();
    VERIFY_OK(uninstall(store.paths));
    QCOMPARE(store.read(StoreFile::Phrases), kMine);
    QCOMPARE(store.read(StoreFile::InitialBackup), kMine);
    QCOMPARE(store.read(StoreFile::LatestBackup), beforeUninstall);
    QVERIFY(
        isStampBetween(store.read(StoreFile::InitialStamp), before, QDateTime::currentDateTime()));
    QCOMPARE(store.read(StoreFile::LatestStamp), QByteArray("t1\r\n"));
    QVERIFY(!store.has(StoreFile::Swap));
}

QTEST_GUILESS_MAIN(OperationsTest)
#include "tst_operations.moc"

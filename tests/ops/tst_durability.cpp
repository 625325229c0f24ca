// The user's phrases survive what real machines do: a full disk, a process
// killed mid-write, a phrase file that is a symbolic link.
#include "ops/Operations.h"
#include "support/TempStore.h"
#include "support/Tmpfs.h"
#include "tables/PhraseTables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace jlex;

namespace {

// Fills the file system a path is on, then frees whole pages again.
void fillLeaving(const QString& path, int freePages)
{
    QFile filler(path);
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray page(4096, 'x');
    while (filler.write(page) == page.size()) {
    }
    filler.close();
    QVERIFY(filler.resize(std::max<qint64>(0, QFileInfo(path).size() - freePages * 4096LL)));
}

using Operation = std::function<std::optional<OperationFailure>(const TempStore&)>;

const QByteArray kOld = "wo,1=我的词条\r\nxiexie,2=多谢\r\n";

QByteArray installed(const QByteArray& old)
{
    return phraseTable(PhraseTable::Kana).toByteArray() +
           phraseTable(PhraseTable::Greeting).toByteArray() + old + "\r\n";
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class DurabilityTest : public QObject {
    Q_OBJECT

private slots:
    void fullDiskChangesNothing_data();
    void fullDiskChangesNothing();
    void killedInstallLeavesOldOrNewFile();
    void linkedPhraseFileStaysALink_data();
    void linkedPhraseFileStaysALink();
    void linkIntoReadOnlyStoreIsRefused();
    void restoredPhraseFileIsWritable();
};

void DurabilityTest::fullDiskChangesNothing_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<bool>("initialBackup");
    QTest::addColumn<int>("freePages");

    const auto held = [](const TempStore& s) { return s.paths.path(StoreFile::Phrases); };
    QTest::addRow("install, add mode, no backup") << Operation([=](const TempStore& s) {
        return install(s.paths, held(s), {.addMode = true, .backupFirst = false});
    }) << false << 0;
    QTest::addRow("install with the first backup")
        << Operation([=](const TempStore& s) { return install(s.paths, held(s), {}); }) << false
        << 1;
    QTest::addRow("first backup") << Operation([=](const TempStore& s) {
        return backup(s.paths, held(s));
    }) << false << 0;
    // The copy replaces the latest backup; only the stamp finds no room.
    QTest::addRow("backup whose stamp does not fit")
        << Operation([=](const TempStore& s) { return backup(s.paths, held(s)); }) << true << 1;
    QTest::addRow("restore to the initial state")
        << Operation([](const TempStore& s) { return restore(s.paths, true); }) << true << 0;
    QTest::addRow("restore to the latest backup")
        << Operation([](const TempStore& s) { return restore(s.paths, false); }) << true << 1;
}

void DurabilityTest::fullDiskChangesNothing()
{
    QFETCH(Operation, operation);
    QFETCH(bool, initialBackup);
    QFETCH(int, freePages);
    TempStore store;
    const Tmpfs disk(store.root(), "size=256k");
    if (!disk.mounted())
        QSKIP("needs root to mount a small tmpfs");
    QVERIFY(QDir().mkpath(QFileInfo(store.host(StoreFile::Phrases)).absolutePath()));
    store.write(StoreFile::Phrases, kOld);
    store.write(StoreFile::LatestBackup, "old latest\r\n");
    store.write(StoreFile::LatestStamp, "old time\r\n");
    if (initialBackup) {
        store.write(StoreFile::InitialBackup, "initial\r\n");
        store.write(StoreFile::InitialStamp, "first time\r\n");
    }
    fillLeaving(store.root() + QStringLiteral("/filler"), freePages);
    const auto before = store.snapshot();

    const auto failure = operation(store);
    QVERIFY2(failure, "a full disk was reported as success");
    const QString message = failureMessage(QStringLiteral("操作"), *failure);
    QVERIFY2(message.contains(QStringLiteral("原因：磁盘空间不足")), qPrintable(message));
    QVERIFY2(!message.contains(store.root()), qPrintable(message));
    QVERIFY(message.endsWith(QStringLiteral("所有文件均保持原样。")));
    QCOMPARE(store.snapshot(), before);
}

void DurabilityTest::killedInstallLeavesOldOrNewFile()
{
    TempStore store;
    QByteArray old;
    for (int i = 0; old.size() < 24 << 20; ++i)
        old += "user" + QByteArray::number(i) + ",1=phrase\r\n";
    const QByteArray fresh = installed(old);
    const QString held = store.paths.path(StoreFile::Phrases);

    // Kills land at moments spread over one whole Install, measured first.
    store.write(StoreFile::Phrases, old);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!install(store.paths, held, {}));
    const qint64 span = clock.nsecsElapsed() / 1000;
    int interrupted = 0;
    for (int step = 0; step < 24; ++step) {
        QDir(QFileInfo(store.host(StoreFile::Phrases)).absolutePath()).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(store.host(StoreFile::Phrases)).absolutePath()));
        store.write(StoreFile::Phrases, old);
        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0)
            _exit(install(store.paths, held, {}) ? 1 : 0);
        // A loaded machine runs the child slower or faster than the measured run.
        ::usleep(useconds_t(span * step / 16));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        interrupted += WIFSIGNALED(status) ? 1 : 0;

        const QByteArray now = store.read(StoreFile::Phrases);
        QVERIFY2(now == old || now == fresh, qPrintable(QStringLiteral("step %1").arg(step)));
        if (store.has(StoreFile::InitialBackup))
            QVERIFY2(store.read(StoreFile::InitialBackup) == old,
                     qPrintable(QStringLiteral("step %1").arg(step)));
    }
    QVERIFY2(interrupted >= 8, "too few kills landed inside an Install");
}

void DurabilityTest::linkedPhraseFileStaysALink_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QByteArray>("linkedAfter");
    QTest::addColumn<QByteArray>("latestAfter");

    QTest::addRow("install with backup") << Operation([](const TempStore& s) {
        return install(s.paths, s.paths.path(StoreFile::Phrases), {});
    }) << installed(kOld) << kOld;
    QTest::addRow("restore to the initial state")
        << Operation([](const TempStore& s) { return restore(s.paths, true); })
        << QByteArray("initial\r\n") << kOld;
    QTest::addRow("restore to the latest backup")
        << Operation([](const TempStore& s) { return restore(s.paths, false); })
        << QByteArray("latest\r\n") << kOld;
    QTest::addRow("uninstall") << Operation([](const TempStore& s) { return uninstall(s.paths); })
                               << QByteArray("initial\r\n") << kOld;
}

void DurabilityTest::linkedPhraseFileStaysALink()
{
    QFETCH(Operation, operation);
    QFETCH(QByteArray, linkedAfter);
    QFETCH(QByteArray, latestAfter);
    TempStore store;
    // As a dotfile manager leaves it: the real file elsewhere, a link in its place.
    const QString real = store.root() + QStringLiteral("/dotfiles/phrases.ini");
    QVERIFY(QDir().mkpath(QFileInfo(real).absolutePath()));
    QFile file(real);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kOld) == kOld.size());
    file.close();
    QVERIFY(QFile::link(real, store.host(StoreFile::Phrases)));
    if (QByteArray(QTest::currentDataTag()) != "install with backup") {
        store.write(StoreFile::InitialBackup, "initial\r\n");
        store.write(StoreFile::InitialStamp, "t0\r\n");
        store.write(StoreFile::LatestBackup, "latest\r\n");
        store.write(StoreFile::LatestStamp, "t1\r\n");
    }

    const auto failure = operation(store);
    QVERIFY2(!failure, failure ? qPrintable(failureMessage(QString(), *failure)) : "");
    QVERIFY(QFileInfo(store.host(StoreFile::Phrases)).isSymLink());
    QCOMPARE(QFileInfo(store.host(StoreFile::Phrases)).symLinkTarget(), real);
    QCOMPARE(store.read(StoreFile::Phrases), linkedAfter);
    const StoreFile backup =
        store.has(StoreFile::LatestBackup) ? StoreFile::LatestBackup : StoreFile::InitialBackup;
    QVERIFY(!QFileInfo(store.host(backup)).isSymLink());
    QCOMPARE(store.read(backup), latestAfter);
    QCOMPARE(QDir(QFileInfo(real).absolutePath()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("phrases.ini")});
}

void DurabilityTest::linkIntoReadOnlyStoreIsRefused()
{
    TempStore store;
    const QString readOnly = store.root() + QStringLiteral("/ro");
    QVERIFY(QDir().mkpath(readOnly));
    // Fill the store, then remount it read-only, as a system-managed store is.
    const Tmpfs disk(readOnly, "size=64k");
    if (!disk.mounted())
        QSKIP("needs root to mount a read-only tmpfs");
    QFile file(readOnly + QStringLiteral("/phrases.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kOld) == kOld.size());
    file.close();
    QVERIFY(disk.makeReadOnly());
    QVERIFY(QFile::link(file.fileName(), store.host(StoreFile::Phrases)));
    const auto before = store.snapshot();

    for (const bool addMode : {true, false}) {
        const auto failure =
            install(store.paths, store.paths.path(StoreFile::Phrases), {.addMode = addMode});
        QVERIFY(failure);
        const QString message = failureMessage(QStringLiteral("安装"), *failure);
        QVERIFY2(message.contains(QStringLiteral("只读")), qPrintable(message));
        QVERIFY(message.endsWith(QStringLiteral("所有文件均保持原样。")));
        QCOMPARE(store.snapshot(), before);
    }
}

void DurabilityTest::restoredPhraseFileIsWritable()
{
    TempStore store;
    store.write(StoreFile::Phrases, "P\r\n");
    store.write(StoreFile::LatestBackup, "L\r\n");
    store.write(StoreFile::LatestStamp, "t1\r\n");
    QVERIFY(QFile::setPermissions(store.host(StoreFile::LatestBackup), QFileDevice::ReadOwner));
    QVERIFY(!restore(store.paths, false));
    QCOMPARE(store.read(StoreFile::Phrases), QByteArray("L\r\n"));
    QVERIFY(QFileInfo(store.host(StoreFile::Phrases)).permissions() & QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(DurabilityTest)
#include "tst_durability.moc"

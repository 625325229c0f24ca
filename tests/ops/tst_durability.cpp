// The user's phrases survive what real machines do: a full disk, a process
// killed mid-write, a phrase file that is a symbolic link.
#include "support/StoreState.h"
#include "support/Tmpfs.h"
#include "tables/PhraseTables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace jlex;

class DurabilityTest : public QObject {
    Q_OBJECT

private slots:
    void fullDiskChangesNothing_data();
    void fullDiskChangesNothing();
    void killedInstallLeavesOldOrNewFile();
    void linkedPhraseFileStaysALink_data();
    void linkedPhraseFileStaysALink();
    void restoredPhraseFileIsWritable();
};

void DurabilityTest::fullDiskChangesNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("freePages"); // what the disk has left
    QTest::newRow("install, add mode, no backup") << "install -backup"
                                                  << "" << 0;
    QTest::newRow("install with the first backup") << "install"
                                                   << "" << 1;
    QTest::newRow("first backup") << "backup"
                                  << "" << 0;
    // The copy replaces the latest backup; only the stamp finds no room.
    QTest::newRow("backup whose stamp does not fit") << "backup"
                                                     << "I=ib i=t0" << 1;
    QTest::newRow("restore to the initial state") << "restore initial"
                                                  << "I=ib i=t0" << 0;
    QTest::newRow("restore to the latest backup") << "restore latest"
                                                  << "I=ib i=t0" << 1;
}

void DurabilityTest::fullDiskChangesNothing()
{
    QFETCH(QString, operation);
    QFETCH(QString, before);
    QFETCH(int, freePages);
    TempStore store;
    const Tmpfs disk(store.root(), "size=256k");
    if (!disk.mounted())
        QSKIP("needs root to mount a small tmpfs");
    QVERIFY(QDir().mkpath(QFileInfo(store.host(StoreFile::Phrases)).absolutePath()));
    layStore(store, "P=mine L=lb l=t1 " + before);
    QFile filler(store.root() + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) == 4096) {
    }
    QVERIFY(filler.resize(std::max<qint64>(0, filler.size() - freePages * 4096)));
    const auto snapshot = store.snapshot();

    const auto failure = runOperation(operation, store.paths);
    QVERIFY2(failure, "a full disk was reported as success");
    const QString message = failureMessage({}, *failure);
    QVERIFY2(message.contains(QStringLiteral("原因：磁盘空间不足")), qPrintable(message));
    QVERIFY2(!message.contains(store.root()), qPrintable(message));
    QVERIFY(message.endsWith(QStringLiteral("所有文件均保持原样。")));
    QCOMPARE(store.snapshot(), snapshot);
}

void DurabilityTest::killedInstallLeavesOldOrNewFile()
{
    TempStore store;
    const QByteArray old = QByteArray("user,1=phrase\r\n").repeated(1 << 20);
    const QByteArray fresh = storeBytes("kana+greeting") + old + "\r\n";
    // Kills land at moments spread over one whole Install, measured first.
    store.write(StoreFile::Phrases, old);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!runOperation("install", store.paths));
    const qint64 span = clock.nsecsElapsed() / 1000;
    int interrupted = 0;
    for (int step = 0; step < 24; ++step) {
        layStore(store, "I=none i=none");
        store.write(StoreFile::Phrases, old);
        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0)
            _exit(runOperation("install", store.paths) ? 1 : 0);
        // A loaded machine runs the child slower or faster than the measured run.
        ::usleep(useconds_t(span * step / 16));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        interrupted += WIFSIGNALED(status) ? 1 : 0;
        const QByteArray now = store.read(StoreFile::Phrases);
        QVERIFY2(now == old || now == fresh, qPrintable(QString::number(step)));
        QVERIFY2(!store.has(StoreFile::InitialBackup) ||
                     store.read(StoreFile::InitialBackup) == old,
                 qPrintable(QString::number(step)));
    }
    QVERIFY2(interrupted >= 8, "too few kills landed inside an Install");
}

void DurabilityTest::linkedPhraseFileStaysALink_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("linkedAfter");
    QTest::addColumn<QString>("backupAfter"); // the backup the operation filled
    QTest::newRow("install") << "install"
                             << "kana+greeting+mine+crlf+crlf"
                             << "I=mine";
    QTest::newRow("restore to the initial state") << "restore initial"
                                                  << "ib"
                                                  << "L=mine";
    QTest::newRow("restore to the latest backup") << "restore latest"
                                                  << "lb"
                                                  << "L=mine";
    QTest::newRow("uninstall") << "uninstall"
                               << "ib"
                               << "L=mine";
}

void DurabilityTest::linkedPhraseFileStaysALink()
{
    QFETCH(QString, operation);
    QFETCH(QString, linkedAfter);
    QFETCH(QString, backupAfter);
    TempStore store;
    // As a dotfile manager leaves it: the real file elsewhere, a link in its place.
    QVERIFY(QDir(store.root()).mkdir("dotfiles"));
    const QString real = store.root() + "/dotfiles/phrases.ini";
    QVERIFY(QFile::link(real, store.host(StoreFile::Phrases)));
    layStore(store, operation == "install" ? "P=mine" : "P=mine I=ib i=t0 L=lb l=t1");

    const auto failure = runOperation(operation, store.paths);
    QVERIFY2(!failure, failure ? qPrintable(failureMessage({}, *failure)) : "");
    QCOMPARE(QFileInfo(store.host(StoreFile::Phrases)).symLinkTarget(), real);
    QCOMPARE(store.read(StoreFile::Phrases), storeBytes(linkedAfter));
    const StoreFile backup =
        backupAfter[0] == 'I' ? StoreFile::InitialBackup : StoreFile::LatestBackup;
    QVERIFY(!QFileInfo(store.host(backup)).isSymLink());
    QCOMPARE(store.read(backup), storeBytes(backupAfter.mid(2)));
    QCOMPARE(QDir(store.root() + "/dotfiles").entryList(QDir::Files | QDir::Hidden),
             QStringList{"phrases.ini"});
}

void DurabilityTest::restoredPhraseFileIsWritable()
{
    TempStore store;
    layStore(store, "P=p L=lb l=t1");
    QVERIFY(QFile::setPermissions(store.host(StoreFile::LatestBackup), QFileDevice::ReadOwner));
    QVERIFY(!runOperation("restore latest", store.paths));
    QCOMPARE(store.read(StoreFile::Phrases), QByteArray("lb"));
    QVERIFY(QFileInfo(store.host(StoreFile::Phrases)).permissions() & QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(DurabilityTest)
#include "tst_durability.moc"

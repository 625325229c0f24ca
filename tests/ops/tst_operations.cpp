// The phrase file through add mode, byte for byte; the operations' failures,
// which stop them before they change anything, or undo what they did; and the
// user's phrases through what real machines do: a full disk, a process killed
// mid-write, a phrase file that is a symbolic link. The main window's tests
// hold each operation's changes to the store. And where the store's files
// are, and what their stamps say.
#include "store/HostPath.h"
#include "store/Stamp.h"
#include "support/StoreState.h"
#include "support/Tmpfs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace jlex;

namespace {

// Runs an operation as a user who may not write the phrase file's directory
// (root may write anywhere) when asked, and returns its message.
QString failureOf(const QString& operation, const StorePaths& paths, bool asNobody)
{
    asNobody = asNobody && geteuid() == 0;
    if (asNobody && seteuid(65534) != 0)
        return QStringLiteral("cannot act as nobody");
    const auto failure = runOperation(operation, paths);
    if (asNobody && seteuid(0) != 0)
        qFatal("cannot act as root again");
    return failure ? failureMessage({}, *failure) : QStringLiteral("succeeded");
}

} // namespace

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void addModeKeepsEveryByte_data();
    void addModeKeepsEveryByte();
    void failuresLeaveEveryFile_data();
    void failuresLeaveEveryFile();
    void killedInstallLeavesOldOrNewFile();
    void linkedPhraseFileStaysALink_data();
    void linkedPhraseFileStaysALink();
    void restoredPhraseFileIsWritable();
    void whereTheFilesAre();
    void stamps_data();
    void stamps();
    void stampFiles();
};

// The user's lines come back after the tables as they were, each ended by
// CR LF: a lone CR ends a line, a lone LF does not, bytes are never decoded.
void OperationsTest::addModeKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("kept");
    const QByteArray odd("\x80\xff\xfe\x00\x81\x7f\xa1", 7); // neither GBK nor UTF-8
    const auto row = [](const QByteArray& file, const QByteArray& kept) {
        QTest::addRow("%lld %s", file.size(), file.right(9).toPercentEncoding().constData())
            << file << kept;
    };
    row("", "");
    row("a,1=x\r\nb\r\n", "a,1=x\r\nb\r\n");
    row("a\r\nb", "a\r\nb\r\n");
    row("a\rb", "a\r\nb\r\n");
    row("a\nb\n", "a\nb\n\r\n");
    row("a\n\rb", "a\n\r\nb\r\n");
    row("\r\n\r\n;c\r\n", "\r\n\r\n;c\r\n");
    row(odd + "\r\n" + odd, odd + "\r\n" + odd + "\r\n");
    // The file is read in blocks; a line end on a block boundary reads as if whole.
    const qsizetype block = qsizetype(1) << 18;
    for (qsizetype at : {block - 2, block - 1, block, block + 1}) {
        const QByteArray x(at, 'x');
        row(x + "\r\nyy", x + "\r\nyy\r\n");
        row(x + "\ryy", x + "\r\nyy\r\n");
        row(x + "\r", x + "\r\n");
        row(x + "\r\r\nz", x + "\r\n\r\nz\r\n");
    }
}

void OperationsTest::addModeKeepsEveryByte()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, kept);
    TempStore store;
    store.write(StoreFile::Phrases, file);
    QVERIFY(!runOperation(QStringLiteral("install -greeting -backup"), store.paths));
    QCOMPARE(store.read(StoreFile::Phrases), storeBytes(QStringLiteral("kana")) + kept + "\r\n");
}

void OperationsTest::failuresLeaveEveryFile_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("says");
    const auto row = [](const char* op, const char* before, const char* says) {
        QTest::addRow("%s: %s", op, before) << op << before << QString::fromUtf8(says);
    };
    // The phrase file went away after the window last looked.
    row("install -backup", "", "找不到词库文件");
    row("backup", "", "找不到词库文件");
    row("restore initial", "P=p i=t0 l=t1", "找不到最初状态备份");
    row("restore latest", "P=p i=t0 l=t1", "找不到最近备份");
    row("uninstall", "P=only L=lb", "找不到最初状态备份");
    row("install", "P=p I=ib L=dir", "最近备份不是普通文件");
    row("install", "P=dir", "词库文件不是普通文件");
    // A swap file left by an interrupted exchange may be someone's only copy.
    row("restore latest", "P=p L=lb l=t1 S=theirs", "临时交换文件");
    // Directories are never created; without the account's, no stamp can be written.
    // ("public" is the public edition without the account's directory.)
    row("install -add -backup", "no dirs", "找不到phrases.ini所在的目录");
    row("install", "public P=p", "找不到time000.ini所在的目录");
    row("restore initial", "public P=p I=ib L=lb", "找不到time000.ini所在的目录");
    row("restore latest", "public P=p L=lb", "找不到time001.ini所在的目录");
    for (const char* op : {"install -add -backup", "backup", "restore initial"})
        row(op, "nobody P=p I=ib i=t0", "无法写入");
    // A full disk ("free=N": whole pages left): a write failing part-way leaves
    // no torn file, and steps before a failing one are undone.
    row("install -backup", "free=0 P=big", "原因：磁盘空间不足");
    row("install", "free=1 P=mine", "原因：磁盘空间不足");
    row("backup", "free=0 P=mine", "原因：磁盘空间不足");
    // The copy replaces the latest backup; only the stamp finds no room.
    row("backup", "free=1 P=mine I=ib i=t0 L=lb l=t1", "无法写入最近备份时间记录");
    row("restore initial", "free=0 P=mine I=ib i=t0 L=lb l=t1", "原因：磁盘空间不足");
    row("restore latest", "free=1 P=mine L=lb l=t1", "原因：磁盘空间不足");
}

void OperationsTest::failuresLeaveEveryFile()
{
    QFETCH(QString, operation);
    QFETCH(QString, before);
    QFETCH(QString, says);
    const bool shared = before.startsWith(QStringLiteral("public"));
    TempStore store(shared ? Edition::Public : Edition::Login,
                    shared                                         ? TempStore::PhraseDirOnly
                    : before.startsWith(QStringLiteral("no dirs")) ? TempStore::NoDirs
                                                                   : TempStore::BothDirs);
    const QString phraseDir = QFileInfo(store.host(StoreFile::Phrases)).absolutePath();
    std::optional<Tmpfs> disk;
    if (before.startsWith("free=")) {
        if (!disk.emplace(store.root(), "size=4m").mounted())
            QSKIP("needs root to mount a small tmpfs");
        QVERIFY(QDir().mkpath(phraseDir));
    }
    layStore(store, before);
    if (before.startsWith("free=")) {
        QFile filler(store.root() + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) == 4096) {
        }
        QVERIFY(filler.resize(std::max(0LL, filler.size() - before.mid(5, 1).toLongLong() * 4096)));
    }
    const bool nobody = before.startsWith("nobody");
    if (nobody)
        QFile::setPermissions(phraseDir, QFileDevice::Permissions(0x5555));
    const auto snapshot = store.snapshot();
    const QString message = failureOf(operation, store.paths, nobody);
    QFile::setPermissions(phraseDir, QFileDevice::Permissions(0x7755));
    QVERIFY2(!message.contains(store.root()), qPrintable(message));
    QVERIFY2(message.contains(says), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("所有文件均保持原样。")), qPrintable(message));
    QCOMPARE(store.snapshot(), snapshot);
}

void OperationsTest::killedInstallLeavesOldOrNewFile()
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
        QVERIFY2(store.read(StoreFile::InitialBackup) == "<missing>" ||
                     store.read(StoreFile::InitialBackup) == old,
                 qPrintable(QString::number(step)));
    }
    QVERIFY2(interrupted >= 8, "too few kills landed inside an Install");
}

void OperationsTest::linkedPhraseFileStaysALink_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("linkedAfter");
    QTest::addColumn<QString>("backupAfter"); // the backup the operation filled
    const auto row = [](const char* op, const char* linked, const char* backup) {
        QTest::newRow(op) << QString(op) << QString(linked) << QString(backup);
    };
    row("install", "kana+greeting+mine+crlf+crlf", "I=mine");
    row("restore initial", "ib", "L=mine");
    row("restore latest", "lb", "L=mine");
    row("uninstall", "ib", "L=mine");
}

void OperationsTest::linkedPhraseFileStaysALink()
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

void OperationsTest::restoredPhraseFileIsWritable()
{
    TempStore store;
    layStore(store, "P=p L=lb l=t1");
    QVERIFY(QFile::setPermissions(store.host(StoreFile::LatestBackup), QFileDevice::ReadOwner));
    QVERIFY(!runOperation("restore latest", store.paths));
    QCOMPARE(store.read(StoreFile::Phrases), QByteArray("lb"));
    QVERIFY(QFileInfo(store.host(StoreFile::Phrases)).permissions() & QFileDevice::WriteOwner);
}

// The files' names are checked with every change to a store, and which
// directory each edition keeps them in by the failures of the public edition.
// Here: the user name is read at each use, and "C:\" is the prefix's drive_c.
void OperationsTest::whereTheFilesAre()
{
    const TempStore store;
    qputenv("USERNAME", "bob");
    QCOMPARE(hostPath(store.paths.path(StoreFile::Phrases)),
             store.root() + QStringLiteral("/drive_c/Documents and Settings/bob/Application "
                                           "Data/KavroPY.users/00000001/phrases.ini"));
    qunsetenv("WINEPREFIX");
    QCOMPARE(hostPath(QStringLiteral("c:\\a")),
             QDir::homePath() + QStringLiteral("/.wine/drive_c/a"));
}

// The locale's short date and its time with seconds, with no time zone nor
// the brackets it stood in; at midnight the date alone.
void OperationsTest::stamps_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected"); // a pattern: some locales use narrow spaces
    QTest::newRow("zh_CN") << "zh_CN" << QTime(9, 5, 7) << "^2026/12/6 09:05:07$";
    QTest::newRow("zh_CN midnight") << "zh_CN" << QTime(0, 0) << "^2026/12/6$";
    QTest::newRow("en_US") << "en_US" << QTime(21, 4, 30) << "^12/6/26 9:04:30[ \\x{202F}]PM$";
    QTest::newRow("es_ES") << "es_ES" << QTime(14, 7, 9) << "^6/12/26 14:07:09$";
    QTest::newRow("zh_HK") << "zh_HK" << QTime(14, 7, 9) << "^6/12/2026 下午2:07:09$";
    QTest::newRow("zh_TW") << "zh_TW" << QTime(14, 7, 9) << "^2026/12/6 下午2:07:09$";
}

void OperationsTest::stamps()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, expected);
    const QString text = stampText(QDateTime(QDate(2026, 12, 6), time), QLocale(locale));
    QVERIFY2(text.contains(QRegularExpression(expected)), qPrintable(text));
}

// A stamp file is the text and a line end in the store's format; it shows its first line.
void OperationsTest::stampFiles()
{
    const QLocale china(QLocale::Chinese, QLocale::China);
    const QDateTime when(QDate(2026, 12, 6), QTime(9, 5, 7));
    QCOMPARE(stampFileBytes(when, PhraseFormat::GbkCrLf, china), "2026/12/6 09:05:07\r\n");
    QCOMPARE(stampFileBytes(when, PhraseFormat::Utf8Lf, china), "2026/12/6 09:05:07\n");
    QCOMPARE(stampFromFileBytes("2026\xc4\xea\r\nlater\r\n", PhraseFormat::GbkCrLf),
             QStringLiteral("2026年"));
    QCOMPARE(stampFromFileBytes("2026年\nlater\n", PhraseFormat::Utf8Lf), QStringLiteral("2026年"));
}

QTEST_GUILESS_MAIN(OperationsTest)
#include "tst_operations.moc"

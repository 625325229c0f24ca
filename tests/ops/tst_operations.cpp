// The phrase file through add mode, byte for byte, and jlex's own tables
// replaced rather than stacked; the operations' failures, which stop them
// before they change anything, or undo what they did; and the user's phrases
// through what real machines and real users do: a full disk, a program writing
// the file meanwhile, another user's links, any sequence of operations. The
// main window's tests hold each operation's changes to the store; tst_crash,
// what a process killed or a power cut at any instant leaves.
#include "ops/Survey.h"
#include "store/Leftovers.h"
#include "store/Stamp.h"
#include "support/FaultyDir.h"
#include "support/Files.h"
#include "support/StoreState.h"
#include "support/Tmpfs.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace jlex;

namespace {

constexpr uid_t kNobody = 65534;

// Runs an operation as a user who may not write the phrase file's directory
// (root may write anywhere) when asked, and returns its message.
QString failureOf(const QString& operation, const Target& target, bool asNobody,
                  const StoreFingerprint* seen = nullptr)
{
    asNobody = asNobody && geteuid() == 0;
    if (asNobody && seteuid(kNobody) != 0)
        return QStringLiteral("cannot act as nobody");
    const auto failure = runOperation(operation, target, seen);
    if (asNobody && seteuid(0) != 0)
        qFatal("cannot act as root again");
    return failure ? failureMessage({}, *failure) : QStringLiteral("succeeded");
}

// Everything that holds a user's content: the store's files, whatever name
// they have, and the history.
QList<QByteArray> keptContents(const TempStore& store)
{
    QList<QByteArray> all = store.snapshot().values();
    for (const QString& name : QDir(store.historyDir()).entryList(QDir::Files))
        all << readFile(store.historyDir() + '/' + name);
    return all;
}

bool isKept(const TempStore& store, const QByteArray& content)
{
    return keptContents(store).contains(content);
}

// A file some other program holds: a child that keeps the store's lock, or
// appends numbered lines to the phrase file until it is killed, counting the
// ones it finished where the parent can read them.
struct Child {
    pid_t pid = -1;
    int* count = static_cast<int*>(
        mmap(nullptr, sizeof(int), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ~Child()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        munmap(count, sizeof(int));
    }
    template <class F> void start(F body)
    {
        *count = 0;
        pid = fork();
        if (pid == 0) {
            body();
            _exit(0);
        }
    }
};

void appendLines(const QString& path, bool reopen, int pauseUs, int* count)
{
    const QByteArray file = QFile::encodeName(path);
    int fd = -1;
    for (int i = 0;; ++i) {
        if (fd < 0)
            fd = ::open(file.constData(), O_WRONLY | O_APPEND);
        const QByteArray line = "added" + QByteArray::number(i) + ",1=x\r\n";
        if (fd < 0 || ::write(fd, line.constData(), size_t(line.size())) != line.size())
            _exit(1);
        *count = i + 1;
        if (reopen) {
            ::close(fd);
            fd = -1;
        }
        ::usleep(useconds_t(pauseUs));
    }
}

} // namespace

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void addModeKeepsEveryByte_data();
    void addModeKeepsEveryByte();
    void failuresLeaveEveryFile_data();
    void failuresLeaveEveryFile();
    void faultsTellTheirCause_data();
    void faultsTellTheirCause();
    void otherWriterLosesNothing_data();
    void otherWriterLosesNothing();
    void everyContentIsKept_data();
    void everyContentIsKept();
    void historyKeepsRecentAndPinned();
    void othersCanNeitherRedirectNorRead_data();
    void othersCanNeitherRedirectNorRead();
    void linkedPhraseFileStaysALink_data();
    void linkedPhraseFileStaysALink();
    void restoredPhraseFileIsWritable();
};

// The user's lines come back after the tables as they were, each ended by
// CR LF: a lone CR ends a line, a lone LF does not, bytes are never decoded.
// Tables jlex wrote at the top before, in any order or number, and the
// closing line it wrote after them, give way to the new ones.
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
    const QByteArray kana = storeBytes("kana"), greeting = storeBytes("greeting");
    row(kana + greeting + "a\r\nb\r\n\r\n", "a\r\nb\r\n");
    row(kana + greeting + kana + greeting + storeBytes("kanji") + "a\r\n\r\n", "a\r\n");
    row(kana + "\r\n", "");
    row("x\r\n" + kana, "x\r\n" + kana);
    // The file is read in blocks; a line end on a block boundary reads as if whole.
    const qsizetype block = qsizetype(1) << 20;
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
    for (int again = 0; again < 2; ++again) {
        QVERIFY(!runOperation(QStringLiteral("install -greeting -backup"), store.target));
        QCOMPARE(store.read(StoreFile::Phrases), storeBytes("kana") + kept + "\r\n");
    }
    QVERIFY(isKept(store, file));
}

// Every row on every input method, but for the rows about directories an
// input method never makes and about a user name its paths are made of.
void OperationsTest::failuresLeaveEveryFile_data()
{
    QTest::addColumn<QString>("ime");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("says");
    for (const TargetRegistration& target : targetRegistrations()) {
        const QString ime = target.name;
        const auto row = [&](const char* op, const char* before, const QString& says) {
            QTest::addRow("%s %s: %s", qPrintable(ime), op, before) << ime << op << before << says;
        };
        const Target made = target.make({});
        const StorePaths& paths = *made.paths;
        const auto nameOf = [&](StoreFile file) { return QFileInfo(paths.host(file)).fileName(); };
        // The phrase file went away after the window last looked.
        row("install -backup", "", "找不到词库文件");
        row("backup", "", "找不到词库文件");
        row("restore initial", "P=p i=t0 l=t1", "找不到最初状态备份");
        row("restore latest", "P=p i=t0 l=t1", "找不到最近备份");
        row("uninstall", "P=only L=lb", "找不到最初状态备份");
        row("restore from 0123abcd", "P=p", "历史记录中没有编号为 0123abcd 的版本");
        row("install", "P=p I=ib L=dir", "最近备份不是普通文件");
        row("install", "P=dir", "词库文件不是普通文件");
        // A link at the phrase file that leads nowhere is someone's missing file.
        row("install -add -backup", "P=dangling", "原因：链接指向的文件不存在");
        row("install -add -backup", "P=loop", "原因：符号链接形成了循环");
        // A link into a read-only file system: nothing is backed up first in vain.
        row("install -add -backup", "read-only", "原因：文件所在的磁盘是只读的");
        // A swap file left by an interrupted exchange may be someone's only copy.
        row("restore latest", "P=p L=lb l=t1 S=theirs", "临时交换文件");
        // Backups beside the phrase file are as out of reach as it.
        const bool beside = QFileInfo(paths.host(StoreFile::Phrases)).absolutePath() ==
                            QFileInfo(paths.host(StoreFile::InitialBackup)).absolutePath();
        for (const char* op : {"install -add -backup", "backup", "restore initial"}) {
            if (beside || QByteArrayView(op) != "backup")
                row(op, "nobody P=p I=ib i=t0", "无法写入");
        }
        // Another jlex at work on the same files: wait, then change nothing.
        row("backup", "locked P=p", "另一个 jlex 正在修改这些文件，请稍后再试");
        // A full disk ("free=N": whole pages left): a write failing part-way
        // leaves no torn file, and steps before a failing one are undone.
        row("install -backup", "free=0 P=big", "原因：磁盘空间不足");
        row("install", "free=1 P=mine", "原因：磁盘空间不足");
        row("backup", "free=0 P=mine", "原因：磁盘空间不足");
        // The copy replaces the latest backup; only the stamp finds no room.
        row("backup", "free=1 P=mine I=ib i=t0 L=lb l=t1", "无法写入最近备份时间记录");
        row("restore initial", "free=0 P=mine I=ib i=t0 L=lb l=t1", "原因：磁盘空间不足");
        row("restore latest", "free=1 P=mine L=lb l=t1", "原因：磁盘空间不足");
        // Where the input method makes its directories itself, jlex does
        // not; without them no file can be written ("only phrases": the
        // phrase file's directory alone is there).
        if (!paths.makesDirectories(StoreFile::Phrases))
            row("install -add -backup", "no dirs",
                "找不到" + nameOf(StoreFile::Phrases) + "所在的目录");
        const bool apart = QFileInfo(paths.host(StoreFile::Phrases)).absolutePath() !=
                           QFileInfo(paths.host(StoreFile::InitialStamp)).absolutePath();
        if (apart && !paths.makesDirectories(StoreFile::InitialStamp)) {
            const QString initial = "找不到" + nameOf(StoreFile::InitialStamp) + "所在的目录";
            const QString latest = "找不到" + nameOf(StoreFile::LatestStamp) + "所在的目录";
            row("install", "only phrases P=p", initial);
            row("restore initial", "only phrases P=p I=ib L=lb", latest);
            row("restore latest", "only phrases P=p L=lb", latest);
        }
        // A user name that is no single directory never makes a path at all.
        const QByteArray user = qgetenv("USERNAME");
        qputenv("USERNAME", "");
        const bool namedByUser = !target.make({}).paths->problem().isEmpty();
        qputenv("USERNAME", user);
        if (namedByUser) {
            row("install", "USERNAME=../../../outside P=p", "环境变量 USERNAME");
            row("backup", "USERNAME=dom\\user P=p", "环境变量 USERNAME");
            row("install -backup", "USERNAME= P=p", "环境变量 USERNAME");
        }
    }
}

void OperationsTest::failuresLeaveEveryFile()
{
    QFETCH(QString, ime);
    QFETCH(QString, operation);
    QFETCH(QString, before);
    QFETCH(QString, says);
    TempStore store(ime, before.startsWith(QStringLiteral("only phrases"))
                             ? TempStore::PhraseDirOnly
                         : before.startsWith(QStringLiteral("no dirs")) ? TempStore::NoDirs
                                                                        : TempStore::BothDirs);
    const QString phraseDir = QFileInfo(store.host(StoreFile::Phrases)).absolutePath();
    std::optional<Tmpfs> disk;
    const bool readOnly = before == "read-only";
    if (before.startsWith("free=") || readOnly) {
        const QString at = readOnly ? store.root() + "/dotfiles" : store.root();
        if (!QDir().mkpath(at) || !disk.emplace(at, "size=4m").mounted())
            QSKIP("needs root to mount a small tmpfs");
        store.makeDirs(TempStore::BothDirs);
    }
    layStore(store, before);
    if (readOnly) {
        writeFile(store.root() + "/dotfiles/phrases.ini", storeBytes("mine"));
        QVERIFY(
            QFile::link(store.root() + "/dotfiles/phrases.ini", store.host(StoreFile::Phrases)));
        QVERIFY(disk->makeReadOnly());
    }
    if (before.startsWith("free=")) {
        QFile filler(store.root() + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) == 4096) {
        }
        QVERIFY(filler.resize(std::max(0LL, filler.size() - before.mid(5, 1).toLongLong() * 4096)));
    }
    const bool nobody = before.startsWith("nobody");
    if (nobody) {
        // Their own data directory, as theirs would be; the phrase file's
        // directory alone they may not write.
        QDirIterator it(store.dataHome(), QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        QVERIFY(::chown(QFile::encodeName(store.dataHome()).constData(), kNobody, kNobody) == 0);
        while (it.hasNext())
            QVERIFY(::chown(QFile::encodeName(it.next()).constData(), kNobody, kNobody) == 0);
        QFile::setPermissions(phraseDir, QFileDevice::Permissions(0x5555));
    }
    Child locker;
    if (before.startsWith("locked")) {
        QVERIFY(QDir().mkpath(QFileInfo(store.paths.lockFile()).absolutePath()));
        locker.start([&] {
            const int fd = ::open(QFile::encodeName(store.paths.lockFile()).constData(),
                                  O_RDWR | O_CREAT, 0600);
            *locker.count = ::flock(fd, LOCK_EX) == 0 ? 1 : -1;
            ::pause();
        });
        QTRY_COMPARE(*locker.count, 1);
    }
    if (before.startsWith("USERNAME="))
        qputenv("USERNAME", before.section(' ', 0, 0).mid(9).toUtf8());
    const auto snapshot = store.snapshot();
    QElapsedTimer clock;
    clock.start();
    const QString message = failureOf(operation, store.target, nobody);
    QFile::setPermissions(phraseDir, QFileDevice::Permissions(0x7755));
    if (locker.pid > 0)
        QVERIFY2(clock.elapsed() >= 4500, "gave up without waiting for the other jlex");
    // Reasons come from the system's error number, not from a path; the
    // Wine prefix the path is in is on a line of its own.
    QVERIFY2(!message.section(QStringLiteral("原因："), 1).contains(store.root()),
             qPrintable(message));
    QVERIFY2(message.contains(says), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("所有文件均保持原样。")), qPrintable(message));
    if (message.contains(QStringLiteral("文件：C:\\")))
        QVERIFY2(message.contains(QStringLiteral("本机路径：") + store.root()),
                 qPrintable(message));
    const auto after = store.snapshot();
    for (const QString& path : after.keys() + snapshot.keys())
        QVERIFY2(after.value(path) == snapshot.value(path), qPrintable(path));
    QVERIFY(!QFileInfo::exists(store.root() + "/../outside"));
    QVERIFY(!QFileInfo::exists(store.historyDir()) || QDir(store.historyDir()).isEmpty());
}

// A file system that fails as real ones do (FaultyDir.h), under the phrase
// file ("P": its directory; "link": a file the phrase file links to, as a
// dotfile manager leaves it, named 240 bytes long or in a folder "sub"), the
// side files or the whole home ("root"): reads refused after the file was
// opened, or failing at a given byte, a file system that cannot exchange two
// names, a folder moved away by another program meanwhile; or a folder the
// user names that is nearly too deep for a path ("deep"). Each failure names
// the file and its real reason, and leaves every file as it was. Reads a
// signal interrupts give the very files a sound disk gives.
void OperationsTest::faultsTellTheirCause_data()
{
    QTest::addColumn<QString>("ime");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QString>("says"); // parts of the message in order, joined by "…"
    for (const TargetRegistration& target : targetRegistrations()) {
        const QString ime = target.name;
        const Target made = target.make({});
        const PhraseFormat& format = made.paths->format();
        const QString p = QFileInfo(made.paths->host(StoreFile::Phrases)).fileName();
        const auto row = [&](const char* name, const char* op, const char* before, const char* at,
                             const QStringList& rules, const QString& says) {
            QTest::addRow("%s %s", qPrintable(ime), name)
                << ime << op << before << at << rules << says;
        };
        const auto failReads = [&](const QString& file, const char* error, qint64 after = 0,
                                   qint64 from = -1) {
            return QStringLiteral("fail-reads=%1:%2:%3:%4").arg(file, error).arg(after).arg(from);
        };
        const qint64 mine = storeBytes("mine", format).size();
        const QString refused = QStringLiteral("无法读取词库文件…原因：没有访问权限");
        const QString ioError = QStringLiteral("无法读取词库文件…原因：磁盘读写出错");
        // Overwriting without a backup reads the old file only for the history.
        row("reads refused, kept in the history", "install -add -backup", "P=mine", "P",
            {failReads(p, "EACCES")}, refused);
        // Adding copies it: in the kernel, or where it cannot, through a buffer.
        row("read error, copied", "install -backup", "P=mine", "P", {failReads(p, "EIO")}, ioError);
        // The history is on another file system: a copy, once the digest is read.
        row("read error, copied into the history", "install -add", "P=mine", "P",
            {failReads(p, "EIO", mine)}, ioError);
        if (format.crLfLines) {
            // A lone CR: once the copy, its last line end and the digest are
            // read, the lines are read again to be re-ended.
            const qint64 lone = storeBytes("lonecr", format).size();
            row("reads refused, lines re-ended", "install -backup", "P=lonecr", "P",
                {failReads(p, "EACCES", 2 * lone + 2)}, refused);
            row("reads refused, last line end", "install -backup", "P=mine", "P",
                {failReads(p, "EACCES", 0, mine - 2)}, refused);
        }
        for (const auto& side : made.sideFiles) {
            const QString name = QFileInfo(side->path()).fileName();
            const QString says = "无法读取" + side->label() + "…原因：没有访问权限";
            row("reads of a side file refused", "install", "P=mine", "side",
                {failReads(name, "EACCES")}, says);
            // Made unreadable by its owner after the window looked (see below).
            row("side file made unreadable", "install", "P=mine", "unreadable", {}, says);
        }
        // The hidden name an old file is kept under beside it, where names
        // cannot be exchanged, is too long; or its folder is gone.
        row("name too long", "install", "P=mine", "link", {"no-exchange"},
            "无法写入词库文件…原因：文件名或路径太长");
        row("folder moved away", "install", "P=mine", "link sub",
            {"no-exchange", "moves-on-exchange=sub"}, "无法写入词库文件…原因：文件或目录不存在");
        // A folder the user names, so deep that the files fit in it but not
        // the hidden name a removed side file is set aside under.
        const bool namedFolder =
            std::any_of(target.options.begin(), target.options.end(),
                        [](const TargetOption& o) { return o.name.endsWith("-dir"); });
        for (const auto& side : made.sideFiles)
            if (namedFolder)
                row("path too long to set aside", "uninstall", "P=mine", "deep", {},
                    "无法删除" + side->label() + "…原因：文件名或路径太长");
        for (const char* op : {"install", "restore latest"})
            row(qPrintable(QStringLiteral("reads interrupted, %1").arg(op)), op,
                "P=mine I=ib i=t0 L=lb l=t1", "root", {"interrupted-reads"}, "succeeded");
    }
}

void OperationsTest::faultsTellTheirCause()
{
    QFETCH(QString, ime);
    QFETCH(QString, operation);
    QFETCH(QString, before);
    QFETCH(QString, at);
    QFETCH(QStringList, rules);
    QFETCH(QString, says);
    const QByteArray patch = "patch:\n  menu/page_size: 9\n";
    const auto lay = [&](const TempStore& store) {
        layStore(store, before);
        for (const auto& side : store.target.sideFiles)
            writeFile(side->path(), patch);
    };
    TempStore store(ime);
    lay(store);
    const QString phrases = store.host(StoreFile::Phrases);
    QString dir = at == "P"      ? QFileInfo(phrases).absolutePath()
                  : at == "root" ? store.root()
                                 : store.root() + "/dotfiles";
    if (at == "side")
        dir = QFileInfo(store.target.sideFiles.front()->path()).absolutePath();
    if (at.startsWith("link")) {
        const QString real = dir + (at == "link" ? '/' + QString(240, 'x') : "/sub/phrases");
        writeFile(real, store.read(StoreFile::Phrases));
        QVERIFY(QFile::remove(phrases) && QFile::link(real, phrases));
    }
    const Target* target = &store.target;
    std::optional<Target> deep;
    if (at == "deep") {
        // 4058 bytes: with the longest name jlex stages there (37 bytes) the
        // path is PATH_MAX less one; the side file's name set aside is 41.
        QString folder = store.root() + "/deep";
        while (folder.size() < 4058)
            folder += '/' + QString(std::min<qsizetype>(200, 4057 - folder.size()), 'd');
        QVERIFY(folder.size() == 4058 && QDir().mkpath(folder));
        const TargetRegistration& registration =
            *std::find_if(targetRegistrations().begin(), targetRegistrations().end(),
                          [&](const TargetRegistration& r) { return r.name == ime; });
        const TargetOption& option =
            *std::find_if(registration.options.begin(), registration.options.end(),
                          [](const TargetOption& o) { return o.name.endsWith("-dir"); });
        deep = registration.make({{option.name, folder}});
        QVERIFY(QFile::rename(phrases, deep->paths->host(StoreFile::Phrases)));
        for (const auto& side : store.target.sideFiles)
            QVERIFY(QFile::remove(side->path()));
        QVERIFY(!runOperation("install", *deep));
        for (const auto& side : deep->sideFiles)
            QVERIFY(QFileInfo::exists(side->path()));
        target = &*deep;
    }
    std::optional<StoreFingerprint> seen;
    const bool nobody = at == "unreadable";
    if (nobody) {
        if (geteuid() != 0)
            QSKIP("needs root, to act as the unprivileged user nobody");
        QDirIterator it(store.dataHome(), QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        QVERIFY(::chown(QFile::encodeName(store.dataHome()).constData(), kNobody, kNobody) == 0);
        while (it.hasNext())
            QVERIFY(::chown(QFile::encodeName(it.next()).constData(), kNobody, kNobody) == 0);
        seen = survey(store.paths, {}).fingerprint;
        const QString side = store.target.sideFiles.front()->path();
        QVERIFY(QFile::setPermissions(side, QFileDevice::Permissions()));
    }
    const auto snapshot = store.snapshot();
    const QStringList kept =
        QDir(store.historyDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    std::optional<FaultyDir> faulty;
    if (!rules.isEmpty() && !faulty.emplace(dir, rules).mounted())
        QSKIP(qPrintable(faulty->why()));
    const QString message = failureOf(operation, *target, nobody, seen ? &*seen : nullptr);
    // What the window shows next, read through the same file system.
    const SurveyResult shown = survey(store.paths, {});
    qInfo("%s", qPrintable(message));
    if (faulty)
        faulty->unmount();

    if (says == "succeeded") {
        QCOMPARE(message, says);
        // The paths follow the environment, which the next store changes:
        // everything of this one is read first.
        const auto files = [](const TempStore& of) {
            QList<QByteArray> all;
            for (const StoreFile file : {StoreFile::Phrases, StoreFile::InitialBackup,
                                         StoreFile::LatestBackup, StoreFile::Swap})
                all << of.read(file);
            for (const auto& side : of.target.sideFiles)
                all << readFile(side->path());
            return all;
        };
        // Each stamp reads as it was written.
        const auto stamp = [&](StoreFile file) {
            return stampFromFileBytes(store.read(file), store.paths.format());
        };
        QVERIFY(!stamp(StoreFile::LatestStamp).isEmpty());
        QCOMPARE(shown.initialBackupTime.value_or("<none>"), stamp(StoreFile::InitialStamp));
        QCOMPARE(shown.latestBackupTime.value_or("<none>"), stamp(StoreFile::LatestStamp));
        const QList<QByteArray> quirky = files(store);
        TempStore sound(ime);
        lay(sound);
        QVERIFY(!runOperation(operation, sound.target));
        const QList<QByteArray> expect = files(sound);
        QCOMPARE(quirky, expect);
        return;
    }
    qsizetype from = 0;
    for (const QString& part : says.split(QStringLiteral("…"))) {
        from = message.indexOf(part, from);
        QVERIFY2(from >= 0, qPrintable(message));
    }
    QVERIFY2(!message.section(QStringLiteral("原因："), 1).contains(store.root()),
             qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("所有文件均保持原样。")), qPrintable(message));
    if (at == "link sub") {
        // The other program's move stays; jlex's file staged in that folder
        // could not be taken away, and is of the name the next run clears.
        const QString gone = dir + "/sub.gone";
        QCOMPARE(readFile(gone + "/phrases"), storeBytes("mine", store.paths.format()));
        const QStringList left = QDir(gone).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left.size(), 2);
        for (const QString& name : left)
            QVERIFY(name == "phrases" ||
                    (isLeftoverName(name) && QFile::remove(gone + '/' + name)));
        QVERIFY(QDir(dir).rename("sub.gone", "sub"));
    }
    const auto after = store.snapshot();
    for (const QString& path : after.keys() + snapshot.keys())
        QVERIFY2(after.value(path) == snapshot.value(path), qPrintable(path));
    QCOMPARE(
        QDir(store.historyDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        kept);
}

// Another program appends to the phrase file while an Install runs, without
// pause or now and then, holding the file open or opening it for each line:
// every line it wrote ends up in the phrase file, a backup or the history.
// The Install gives way when it sees the file change under it.
void OperationsTest::otherWriterLosesNothing_data()
{
    QTest::addColumn<bool>("reopen");
    QTest::addColumn<int>("pauseUs");
    QTest::addColumn<QString>("install");
    for (const char* install : {"install -backup", "install", "install -add"}) {
        for (const int pause : {0, 20000}) {
            QTest::addRow("holding the file, %d us, %s", pause, install)
                << false << pause << install;
            QTest::addRow("a line at a time, %d us, %s", pause, install)
                << true << pause << install;
        }
    }
}

void OperationsTest::otherWriterLosesNothing()
{
    QFETCH(bool, reopen);
    QFETCH(int, pauseUs);
    QFETCH(QString, install);
    TempStore store;
    const QByteArray user = QByteArray("user,1=phrase\r\n").repeated(pauseUs ? 20000 : 400000);
    store.write(StoreFile::Phrases, user);
    int given = 0;
    for (int round = 0; round < 3; ++round) {
        Child writer;
        writer.start(
            [&] { appendLines(store.host(StoreFile::Phrases), reopen, pauseUs, writer.count); });
        QTRY_VERIFY(*writer.count > 0);
        given += runOperation(install, store.target) ? 1 : 0;
        ::usleep(20000);
        ::kill(writer.pid, SIGKILL);
        ::waitpid(writer.pid, nullptr, 0);
        writer.pid = -1;
        QSet<int> found;
        static const QRegularExpression added(QStringLiteral("added([0-9]+),1=x\r\n"));
        for (const QByteArray& content : keptContents(store)) {
            for (const auto& m : added.globalMatch(QString::fromLatin1(content)))
                found << m.captured(1).toInt();
        }
        for (int i = 0; i < *writer.count; ++i)
            QVERIFY2(found.contains(i),
                     qPrintable(QStringLiteral("line %1 of %2").arg(i).arg(*writer.count)));
        // The next round's writer starts on a file of its own lines.
        store.write(StoreFile::Phrases, user);
    }
    qInfo("the Install gave way %d times in 3", given);
}

// After each step of a sequence (operations, and "edit": the user adds a
// phrase to the file in place), every content the phrase file held when an
// operation began is somewhere: the phrase file, a backup, or the history.
void OperationsTest::everyContentIsKept_data()
{
    QTest::addColumn<QString>("steps");
    QTest::newRow("backups two deep") << "backup edit install -add edit install -add";
    QTest::newRow("backup after an overwrite")
        << "install -add edit backup edit backup edit install -add";
    QTest::newRow("without backups") << "edit install -backup edit install -backup -add";
    QTest::newRow("restores") << "install edit backup edit restore latest edit restore latest "
                                 "edit restore initial edit uninstall edit install";
    QTest::newRow("from the history") << "install edit install -add edit restore from newest "
                                         "edit restore from newest";
}

void OperationsTest::everyContentIsKept()
{
    QFETCH(QString, steps);
    TempStore store;
    store.write(StoreFile::Phrases, "mine,1=我的\r\n");
    QList<QByteArray> held;
    int edits = 0;
    QStringList words = steps.split(' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == "edit") {
            store.write(StoreFile::Phrases,
                        store.read(StoreFile::Phrases) + "new" + QByteArray::number(++edits) +
                            ",1=\xd0\xc2\xbc\xd3\xb5\xc4\xb4\xca\r\n"); // 新加的词
        } else {
            QString op = words[i];
            while (i + 1 < words.size() && words[i + 1] != "edit")
                op += ' ' + words[++i];
            op.replace(
                "newest",
                QDir(store.historyDir()).entryList(QDir::Files, QDir::Time).value(0).left(12));
            held << store.read(StoreFile::Phrases);
            const auto failure = runOperation(op, store.target);
            QVERIFY2(!failure, failure ? qPrintable(failureMessage(op, *failure)) : "");
        }
        for (const QByteArray& content : held)
            QVERIFY2(isKept(store, content), qPrintable(words[i]));
    }
}

// The history keeps the newest 50 versions, everything younger than 90 days,
// and what the initial backup held, however old.
void OperationsTest::historyKeepsRecentAndPinned()
{
    const QTemporaryDir dir;
    const History history(dir.path());
    const QDateTime now = QDateTime::currentDateTime();
    QStringList expected;
    for (int i = 0; i < 70; ++i) {
        const bool recent = i < 10, pinned = i == 69;
        const QDateTime at = recent ? now.addDays(-i) : now.addDays(-100 - i);
        const QString path =
            history.pathFor(digestOf(QByteArray::number(i)), at, "install", pinned);
        writeFile(path, QByteArray::number(i));
        if (i < History::kKeptVersions || pinned)
            expected << QFileInfo(path).fileName();
    }
    history.prune(now);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    expected.sort();
    left.sort();
    QCOMPARE(left, expected);
}

// Another local user, with write access to a shared store directory (a 1777
// one, as in a shared Wine prefix), plants links at jlex's names, or makes
// the phrase file a link of theirs, pointing at root's private files. Root's
// jlex neither writes nor reads them. And jlex's own files are never readable
// by anyone the user's phrase file was not readable by.
void OperationsTest::othersCanNeitherRedirectNorRead_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("planted"); // a role letter, as StoreState.h names them
    QTest::addColumn<QString>("says");
    const auto row = [](const char* name, const char* op, const char* planted, const char* says) {
        QTest::newRow(name) << op << planted << QString::fromUtf8(says);
    };
    row("latest backup", "backup", "L", "最近备份是一个符号链接");
    row("latest stamp", "backup", "l", "最近备份时间记录是一个符号链接");
    row("initial backup", "install", "I", "最初状态备份是一个符号链接");
    row("phrase file", "install -backup", "P", "不能跟随词库文件的符号链接");
    for (const char* op : {"install", "install -add -backup", "backup", "restore initial",
                           "restore latest", "uninstall"})
        row(op, op, "", "");
}

void OperationsTest::othersCanNeitherRedirectNorRead()
{
    QFETCH(QString, operation);
    QFETCH(QString, planted);
    QFETCH(QString, says);
    if (geteuid() != 0)
        QSKIP("needs root, to act as the unprivileged user nobody");
    TempStore store;
    const QString dir = QFileInfo(store.host(StoreFile::Phrases)).absolutePath();
    QVERIFY(QFile::setPermissions(dir, QFileDevice::Permissions(0x7777)));
    ::chmod(QFile::encodeName(dir).constData(), 01777);
    // Root's private files, out of nobody's reach.
    const QString vault = store.root() + "/vault";
    QVERIFY(QDir().mkdir(vault) && ::chmod(QFile::encodeName(vault).constData(), 0700) == 0);
    writeFile(vault + "/secret", "root's secret\n");
    ::chmod(QFile::encodeName(vault + "/secret").constData(), 0600);
    layStore(store, planted.isEmpty() ? "P=p I=ib L=lb i=t0 l=t1" : "P=p I=ib i=t0");
    // The user's phrases and their backups are theirs alone.
    for (const auto& [file, bytes] : store.snapshot().asKeyValueRange())
        if (bytes != "<dir>")
            ::chmod(QFile::encodeName(file).constData(), 0600);
    if (!planted.isEmpty()) {
        const QString at = store.host(StoreFile(QString("PILSil").indexOf(planted)));
        QFile::remove(at);
        QVERIFY(seteuid(kNobody) == 0);
        const bool linked = QFile::link(vault + "/secret", at);
        const int error = errno;
        QVERIFY(seteuid(0) == 0);
        QVERIFY2(linked, strerror(error));
    }
    const auto before = store.snapshot();
    const QString message = failureOf(operation, store.target, false);
    if (!planted.isEmpty()) {
        QVERIFY2(message.contains(says) && message.endsWith("所有文件均保持原样。"),
                 qPrintable(message));
        // Nothing was written, nor read through the link into the history.
        QCOMPARE(store.snapshot(), before);
        QCOMPARE(fileState(vault + "/secret").mode, mode_t(0600));
        QVERIFY(!QFileInfo::exists(store.historyDir()) || QDir(store.historyDir()).isEmpty());
        return;
    }
    QCOMPARE(message, QStringLiteral("succeeded"));
    // Every file jlex wrote, and every directory of its own, is the user's alone.
    QStringList written{store.historyDir(), store.paths.ownDir()};
    for (const QString& name : QDir(store.historyDir()).entryList(QDir::Files))
        written << store.historyDir() + '/' + name;
    for (const StoreFile file : {StoreFile::Phrases, StoreFile::InitialBackup,
                                 StoreFile::LatestBackup, StoreFile::LatestStamp})
        written << store.host(file);
    QStringList readable;
    QVERIFY(seteuid(kNobody) == 0);
    for (const QString& path : written) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd >= 0 && ::close(fd) == 0)
            readable << path;
    }
    QVERIFY(seteuid(0) == 0);
    QCOMPARE(readable, QStringList());
    for (const QString& path : written)
        QVERIFY2(!(fileState(path).mode & 077), qPrintable(path));
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

    const auto failure = runOperation(operation, store.target);
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
    QVERIFY(!runOperation("restore latest", store.target));
    QCOMPARE(store.read(StoreFile::Phrases), QByteArray("lb"));
    QVERIFY(QFileInfo(store.host(StoreFile::Phrases)).permissions() & QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(OperationsTest)
#include "tst_operations.moc"

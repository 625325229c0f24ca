// A power cut at any instant of each store operation. jlex runs under strace,
// which sees every system call however it is made (an LD_PRELOAD shim misses
// glibc's own, mkostemp's open among them); the calls are replayed onto a
// model of the disk, and every state a power cut could leave is checked.
//
// What a power cut keeps: the weakest that ext4 (data=ordered), XFS and btrfs
// document. Each keeps more in practice; none promises more.
// - A file's bytes are durable once fsync of the file has returned; before,
//   all, none or any prefix cut at a 4096-byte block may be kept. (ext4's flush
//   on a rename over a file is a heuristic of auto_da_alloc, not a promise.)
// - A name made, replaced or removed (create, link, rename, exchange, unlink,
//   mkdir) is durable once fsync of its directory has returned; fsync of the
//   file does not make it so (fsync(2)). Before, each such change may be lost
//   on its own: ext4 and XFS journal them in order, but btrfs's log tree may
//   keep a later one without an earlier one.
// - A call is kept or lost whole: a rename never leaves both names or neither.
//   Under a directory whose own name is lost, every name is lost.
#include "cli/CommandLine.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <map>
#include <optional>
#include <set>
#include <unistd.h>

namespace {

constexpr int kDir = -1, kGone = -2; // what a name stands for besides a file
constexpr qsizetype kBlock = 4096;
using Names = std::map<QByteArray, int>;                // path: a file of the model, or kDir
using State = std::map<QByteArray, QByteArray>;         // path: bytes; a directory's ends in '/'
using Change = std::vector<std::pair<QByteArray, int>>; // what one call makes of names

QByteArray dirOf(const QByteArray& path)
{
    return path.left(path.lastIndexOf('/'));
}

std::optional<QByteArray> at(const State& state, const QByteArray& path)
{
    const auto it = state.find(path);
    return it == state.end() ? std::nullopt : std::optional(it->second);
}

Names changed(Names names, const Change& change)
{
    for (const auto& [path, file] : change)
        file == kGone ? void(names.erase(path)) : void(names[path] = file);
    return names;
}

// The files under a root as the recorded calls leave them, and as a power cut may.
struct Disk {
    struct File {
        QByteArray bytes, synced;
    };
    struct Open {
        int file;
        qint64 pos;
        QByteArray path;
    };
    QByteArray root;
    Names names, durable;
    std::vector<Change> pending; // not yet made durable, in order
    QList<File> files;
    std::map<qint64, Open> fds;
    int changes = 0;
    QString last; // the latest call that changed anything

    explicit Disk(const QByteArray& top) : root(top)
    {
        names[root] = kDir;
        QDirIterator it(top, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            const bool dir = it.fileInfo().isDir();
            if (!dir && file.open(QIODevice::ReadOnly))
                files << File{file.readAll(), {}};
            names[QFile::encodeName(it.filePath())] = dir ? kDir : int(files.size() - 1);
        }
        for (File& file : files)
            file.synced = file.bytes;
        durable = names;
    }

    void change(const Change& c)
    {
        names = changed(names, c);
        pending.push_back(c);
        ++changes;
    }

    // One line of `strace -xx`; false where it cannot be followed.
    bool replay(const QString& line)
    {
        static const QRegularExpression form(R"(^(\w+)\((.*)\) += (\d+))");
        const QRegularExpressionMatch m = form.match(line);
        const QString call = m.captured(1);
        const QStringList a = m.captured(2).split(QStringLiteral(", "));
        const qint64 ret = m.captured(3).toLongLong();
        const auto str = [&](qsizetype i) {
            const QString s = a.value(i).trimmed();
            return QByteArray::fromHex(s.mid(1, s.size() - 2).remove("\\x").toLatin1());
        };
        const auto num = [&](qsizetype i) {
            return a.value(i).remove(u'[').section(u' ', 0, 0).remove(u']').toLongLong();
        };
        const auto open = [&](qsizetype i) {
            const auto it = fds.find(num(i));
            return it == fds.end() ? nullptr : &it->second;
        };
        const int dirFd = call.endsWith(QStringLiteral("at")) || call.endsWith("at2");
        const bool twoNames = call.startsWith(QStringLiteral("rename")) || call.startsWith("link");
        const QByteArray path = str(dirFd), to = twoNames ? str(2 * dirFd + 1) : path;
        const auto inside = [&](const QByteArray& p) {
            return p == root || p.startsWith(root + '/');
        };
        const int before = changes;
        Open* f = open(0);
        if (call == "open" || call == "openat") {
            fds.erase(ret);
            if (!inside(path))
                return true;
            if (!names.count(path)) {
                files << File{};
                change({{path, int(files.size() - 1)}});
            }
            if (names[path] >= 0 && a.value(dirFd + 1).contains("O_TRUNC")) {
                files[names[path]].bytes.clear();
                ++changes;
            }
            fds[ret] = {names[path], 0, path};
        } else if (call == "close") {
            fds.erase(num(0));
        } else if (call == "write" || call == "pwrite64" || call == "copy_file_range") {
            const bool copy = call == "copy_file_range";
            Open* out = open(copy ? 2 : 0);
            if (!out)
                return true;
            if (copy && !f)
                return false;
            const QByteArray bytes =
                copy ? files[f->file].bytes.mid(a[1] == "NULL" ? f->pos : num(1), ret) : str(1);
            if (bytes.size() < ret)
                return false;
            f->pos += copy && a[1] == "NULL" ? ret : 0;
            const bool atPos = call == "write" || (copy && a[3] == "NULL");
            const qint64 pos = atPos ? out->pos : num(3);
            QByteArray& data = files[out->file].bytes;
            data.resize(std::max(data.size(), pos + ret), '\0');
            data.replace(pos, ret, bytes.left(ret));
            out->pos += atPos ? ret : 0;
            ++changes;
        } else if (call == "ftruncate" && f) {
            files[f->file].bytes.resize(num(1), '\0');
            ++changes;
        } else if ((call == "fsync" || call == "fdatasync") && f) {
            if (f->file >= 0)
                files[f->file].synced = files[f->file].bytes;
            std::vector<Change> rest; // a directory's changes of names become durable
            for (const Change& c : pending)
                dirOf(c.front().first) == f->path ? void(durable = changed(durable, c))
                                                  : rest.push_back(c);
            pending.swap(rest);
            ++changes;
        } else if (call.startsWith(QStringLiteral("rename")) && inside(to)) {
            change(m.captured(2).contains(QStringLiteral("RENAME_EXCHANGE"))
                       ? Change{{path, names.at(to)}, {to, names.at(path)}}
                       : Change{{path, kGone}, {to, names.at(path)}});
        } else if (call.startsWith(QStringLiteral("link")) && inside(to)) {
            const auto byFd = fds.find(path.mid(14).toLongLong()); // "/proc/self/fd/N"
            if (path.startsWith("/proc/self/fd/") && byFd == fds.end())
                return false;
            change({{to, path.startsWith("/proc/self/fd/") ? byFd->second.file : names.at(path)}});
        } else if (call.startsWith(QStringLiteral("unlink")) && inside(path)) {
            change({{path, kGone}});
        } else if (call.startsWith(QStringLiteral("mkdir")) && inside(path)) {
            change({{path, kDir}});
        }
        if (changes != before)
            last = call + u' ' + QFile::decodeName((f ? f->path : to).split('/').last());
        return true;
    }

    // Every state a power cut now would leave.
    std::set<State> crashStates() const
    {
        std::set<Names> reached{durable};
        for (const Change& c : pending) {
            for (const Names& n : std::set<Names>(reached))
                reached.insert(changed(n, c));
        }
        std::set<State> states;
        for (const Names& n : reached)
            expand(n, states, false);
        return states;
    }

    // As the calls left it, everything kept.
    State now() const
    {
        std::set<State> one;
        expand(names, one, true);
        return *one.begin();
    }

    // The files the names reach, with each choice of what their bytes not
    // yet durable may keep.
    void expand(const Names& reach, std::set<State>& out, bool everything) const
    {
        State state;
        std::map<int, QList<QByteArray>> open;
        for (const auto& [path, file] : reach) {
            if (dirOf(path) != root && !state.count(dirOf(path) + '/'))
                continue;
            state[file == kDir ? path + '/' : path] =
                file == kDir ? QByteArray() : files[file].bytes;
            if (file < 0 || everything || open.count(file) ||
                files[file].bytes == files[file].synced)
                continue;
            const File& f = files[file];
            open[file] << f.synced;
            for (qsizetype n = (f.synced.size() / kBlock + 1) * kBlock; n < f.bytes.size();
                 n += kBlock)
                open[file] << f.bytes.left(n);
            open[file] << f.bytes;
        }
        const auto pick = [&](const auto& self, auto it) -> void {
            if (it == open.end())
                return void(out.insert(state));
            for (const QByteArray& bytes : it->second) {
                for (const auto& [path, file] : reach) {
                    if (file == it->first && state.count(path))
                        state[path] = bytes;
                }
                self(self, std::next(it));
            }
        };
        pick(pick, open.begin());
    }
};

// A store: how jlex is told to use it ('@' stands for the directory it is
// made in), its files there in StoreFile's order (phrase file, initial and
// latest backup, swap file, initial and latest stamp) and the user's own
// phrases in its format.
struct Store {
    const char* name;
    QStringList options;
    QStringList files;
    QByteArray phrases;
};

const QString kKavro = "wine/drive_c/Documents and Settings/alice/Application Data/"
                       "KavroPY.users/00000001/";
const QString kOwn = "data/jlex/fcitx5/";
const Store kStores[] = {
    {"kavro-login",
     {"--ime", "kavro-login"},
     {kKavro + "phrases.ini", kKavro + "phrases最初备份.ini", kKavro + "phrases最近备份.ini",
      kKavro + "phrasesTEMP.ini", kKavro + "time000.ini", kKavro + "time001.ini"},
     "nihao,1=\xC4\xE3\xBA\xC3\r\nwo,1=\xCE\xD2\r\n"},
    {"fcitx5",
     {"--ime", "fcitx5"},
     {"data/fcitx5/pinyin/customphrase", kOwn + "customphrase.initial-backup",
      kOwn + "customphrase.latest-backup", kOwn + "customphrase.swap", kOwn + "initial-backup.time",
      kOwn + "latest-backup.time"},
     "nihao,1=你好\nwo,1=我\n"},
    {"rime",
     {"--ime", "rime", "--rime-dir", "@/rime"},
     {"rime/custom_phrase.txt", "data/jlex/rime/custom_phrase.initial-backup",
      "data/jlex/rime/custom_phrase.latest-backup", "data/jlex/rime/custom_phrase.swap",
      "data/jlex/rime/initial-backup.time", "data/jlex/rime/latest-backup.time"},
     "# Rime table\n# no comment\n我的\two\t5\n"},
};

// Each: its name; what is done first, unrecorded ("-" removes the phrase file,
// "+" leaves a staged file of a run cut short); the command recorded, where ID
// is the history's name for the user's own phrases.
constexpr const char* kTwoInstalls = "install --tables kana|install --tables greeting";
const char* const kOperations[][3] = {
    {"install add backup first", "", "install --tables kana"},
    {"install add backup later", "install --tables kana", "install --tables greeting"},
    {"install overwrite no-backup first", "", "install --overwrite --no-backup --tables kana"},
    {"install overwrite backup later", "backup", "install --overwrite --tables greeting"},
    {"install into no phrase file", "-", "install --tables kana"},
    {"install after a run cut short", "+", "install --no-backup --tables kana"},
    {"backup first", "", "backup"},
    {"backup later", "backup", "backup"},
    {"restore latest", kTwoInstalls, "restore --latest"},
    {"restore initial", kTwoInstalls, "restore --initial"},
    {"uninstall", kTwoInstalls, "uninstall"},
    {"restore from", kTwoInstalls, "restore --from ID"},
};

// In memory where it can be: what is checked is the model's disk, not this one.
QString scratch()
{
    return (QFileInfo("/dev/shm").isWritable() ? "/dev/shm" : QDir::tempPath()) + "/jlex-XXXXXX";
}

// Points jlex, here and in the programs started from here, at a store under root.
void useRoot(const QByteArray& root)
{
    qputenv("HOME", root);
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("WINEPREFIX", root + "/wine");
}

// A command of jlex, run in this process; what it said goes to *said.
int jlexHere(const QByteArray& root, const QStringList& arguments, QByteArray* said = nullptr)
{
    useRoot(root);
    QTemporaryFile err;
    const int saved = ::dup(2);
    if (!err.open() || ::dup2(err.handle(), 2) < 0)
        return -1;
    const int status =
        jlex::cli::runCommandLine(QStringList{"jlex"} + QStringList(arguments).replaceInStrings(
                                                            "@", QFile::decodeName(root)));
    ::dup2(saved, 2);
    ::close(saved);
    if (said && err.seek(0))
        *said = err.readAll();
    return status;
}

// What is missing from a state: a content the store or the history held
// before, or a history file's whole content.
QString lost(const State& state, const std::set<QByteArray>& kept)
{
    std::set<QByteArray> contents;
    for (const auto& [path, bytes] : state) {
        const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
        if (path.contains("/data/jlex/history/") && !name.startsWith('.') && !path.endsWith('/') &&
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() != name.left(64))
            return "history file " + name + " does not hold what its name says";
        if (!path.endsWith('/'))
            contents.insert(bytes);
    }
    for (const QByteArray& bytes : kept) {
        if (!contents.count(bytes))
            return QString("%1 bytes the store held are gone from it and the history")
                .arg(bytes.size());
    }
    return {};
}

// The state as a disk of its own, and the command run again on it, as a user
// would once the power is back: it succeeds, clears what the cut left over,
// and keeps what was kept.
QString recoveryProblem(const State& state, const QByteArray& root, const QStringList& command,
                        const QByteArray& swap, const std::set<QByteArray>& kept)
{
    QTemporaryDir dir(scratch());
    const QByteArray again = QFile::encodeName(dir.path());
    for (const auto& [path, bytes] : state) {
        QFile file(QFile::decodeName(again + path.mid(root.size())));
        if (!QDir().mkpath(QFileInfo(file).path()) ||
            (!path.endsWith('/') && (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0)))
            return "cannot write " + file.fileName();
    }
    // Where a swap file shows, a restore refuses until the user has looked at it.
    QByteArray said;
    if (jlexHere(again, command, &said) != 0 && !state.count(swap))
        return "running it again failed: " + QString::fromUtf8(said);
    const State after = Disk(again).now();
    for (const auto& [path, bytes] : after) {
        if (path.contains("/.") && path.contains(".jlex-"))
            return "running it again left " + QFile::decodeName(path);
    }
    return lost(after, kept);
}

} // namespace

class CrashTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void powerCut_data();
    void powerCut();
};

void CrashTest::initTestCase()
{
    qputenv("LC_ALL", "C");
    qputenv("USERNAME", "alice");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QProcess strace;
    strace.start("strace", {"-qq", "-o", "/dev/null", "true"});
    if (!strace.waitForFinished() || strace.exitCode() != 0)
        QSKIP("strace is missing or may not trace here (apt-get install strace; ptrace allowed)");
}

void CrashTest::powerCut_data()
{
    QTest::addColumn<int>("store");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("command");
    for (int s = 0; s < int(std::size(kStores)); ++s) {
        for (const auto& op : kOperations)
            QTest::addRow("%s: %s", kStores[s].name, op[0]) << s << op[1] << op[2];
    }
}

void CrashTest::powerCut()
{
    QFETCH(int, store);
    QFETCH(QString, before);
    QFETCH(QString, command);
    const Store& s = kStores[store];
    QTemporaryDir dir(scratch());
    const QByteArray root = QFile::encodeName(dir.filePath("root"));
    QList<QByteArray> files;
    for (const QString& file : s.files)
        files << root + '/' + QFile::encodeName(file);
    const QString phrases = QFile::decodeName(files[0]);
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) &&
               file.write(bytes) == bytes.size();
    };
    QVERIFY(write(phrases, s.phrases));
    for (const QString& step : before.split(u'|', Qt::SkipEmptyParts)) {
        if (step == "-")
            QVERIFY(QFile::remove(phrases));
        else if (step == "+")
            QVERIFY(write(QFileInfo(phrases).path() + "/.p.jlex-Cut0ff", s.phrases + "cut"));
        else
            QCOMPARE(jlexHere(root, s.options + step.split(u' ')), 0);
    }
    const QString id = QCryptographicHash::hash(s.phrases, QCryptographicHash::Sha256).toHex();
    const QStringList arguments = s.options + command.replace("ID", id.left(12)).split(u' ');

    Disk disk(root);
    const State old = disk.now();
    std::set<QByteArray> kept; // the phrase file, backups, history and what runs left over
    for (const auto& [path, bytes] : old) {
        if (!path.endsWith('/') &&
            (files.mid(0, 4).contains(path) || path.contains("/data/jlex/history/") ||
             (path.contains("/.") && path.contains(".jlex-"))))
            kept.insert(bytes);
    }
    useRoot(root);
    QProcess recorded;
    // Its main thread alone: the others only read, and a call missed would
    // show when the replay is compared with the disk below.
    recorded.start("strace",
                   QStringList{"-qq", "-xx", "-s", "16777216", "-o", dir.filePath("trace"), "-e",
                               "trace=open,openat,close,write,pwrite64,copy_file_range,"
                               "ftruncate,fsync,fdatasync,rename,renameat,renameat2,"
                               "link,linkat,unlink,unlinkat,mkdir,mkdirat",
                               JLEX_PROGRAM} +
                       QStringList(arguments).replaceInStrings("@", dir.filePath("root")));
    QVERIFY(recorded.waitForFinished(60000));
    QVERIFY2(recorded.exitCode() == 0, recorded.readAllStandardError().constData());
    QFile trace(dir.filePath("trace"));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    std::map<State, QString> states; // each, and where it is first met
    std::set<State> ended;           // those once the program has ended
    for (const State& state : disk.crashStates())
        states.emplace(state, "before the first call");
    for (int calls = 0; !trace.atEnd();) {
        const QString line = QString::fromLatin1(trace.readLine().trimmed());
        const int changes = disk.changes;
        QVERIFY2(disk.replay(line), qPrintable(line));
        if (disk.changes == changes)
            continue;
        ended = disk.crashStates();
        ++calls;
        for (const State& state : ended)
            states.emplace(state, QString("after call %1, %2").arg(calls).arg(disk.last));
    }
    const State now = disk.now();
    QVERIFY2(now == Disk(root).now(), "the replayed calls do not make what the program made");
    for (const auto& [state, where] : states) {
        QString problem;
        const bool replaced =
            at(old, files[0]) != at(now, files[0]) && at(state, files[0]) == at(now, files[0]);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const auto is = at(state, files[i]);
            const QString name = QFile::decodeName(files[i].mid(root.size() + 1));
            // The swap file holds the latest backup while the two are exchanged;
            // the phrase file is the last to change, and what has ended stays.
            if (is != at(old, files[i]) && is != at(now, files[i]) &&
                !(i == 3 && is == at(old, files[2])))
                problem = name + " is neither as it was nor as it should be";
            else if ((ended.count(state) || (replaced && i != 3)) && is != at(now, files[i]))
                problem = name + " is not yet as it should be, though " +
                          (ended.count(state) ? "the operation has ended" : "the phrase file is");
        }
        if (problem.isEmpty())
            problem = lost(state, kept);
        if (problem.isEmpty())
            problem = recoveryProblem(state, root, arguments, files[3], kept);
        QVERIFY2(problem.isEmpty(), qPrintable(where + ": " + problem));
    }
    qInfo("%d states", int(states.size()));
}

QTEST_GUILESS_MAIN(CrashTest)
#include "tst_crash.moc"

// The Fcitx 5 store: files held to the rules its pinyin engine reads them by,
// the user's own lines untouched, and the input method asked to re-read.
#include "ops/Operations.h"
#include "ops/Session.h"
#include "ops/Targets.h"
#include "support/FakeBrowser.h"
#include "support/RecordingMessages.h"
#include "support/Tmpfs.h"
#include "tables/PhraseIndex.h"
#include "ui/Form1.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace jlex;

namespace {

struct Entry {
    QString key;
    int position;
    QString text;
    bool operator==(const Entry&) const = default;
};

// Reads a custom-phrase file as Fcitx 5 does: comments skipped, an entry with
// an empty text taking the following non-entry lines as its text.
QList<Entry> fcitx5Entries(const QByteArray& bytes)
{
    static const QRegularExpression entry(QStringLiteral("^([a-zA-Z]+),(-?[0-9]+)=(.*)$"));
    QList<Entry> entries;
    bool multiLine = false;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        const auto m = entry.match(line);
        if (m.hasMatch()) {
            entries << Entry{m.captured(1), m.captured(2).toInt(), m.captured(3)};
            multiLine = entries.last().text.isEmpty();
        } else if (multiLine) {
            entries.last().text += (entries.last().text.isEmpty() ? "" : "\n") + line;
        } else if (!line.isEmpty() && !line.startsWith(u';') && !line.startsWith(u'#')) {
            entries << Entry{QStringLiteral("?"), 0, line}; // a line Fcitx 5 could not read
        }
    }
    return entries;
}

class RecordingReloader : public PhraseReloader {
public:
    bool reload() override
    {
        ++calls;
        return answers;
    }
    int calls = 0;
    bool answers = true;
};

// A data directory of one test's own, as XDG_DATA_HOME.
struct DataHome {
    DataHome() { qputenv("XDG_DATA_HOME", dir.path().toUtf8()); }
    QString phrases() const { return dir.filePath(QStringLiteral("fcitx5/pinyin/customphrase")); }
    QByteArray read(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& path, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QTemporaryDir dir;
    Target target = fcitx5Target(nullptr);
};

QByteArray tables(bool kanji)
{
    return phraseTable(PhraseTable::Kana, PhraseFormat::Utf8Lf).toByteArray() +
           phraseTable(PhraseTable::Greeting, PhraseFormat::Utf8Lf).toByteArray() +
           (kanji ? phraseTable(PhraseTable::Kanji, PhraseFormat::Utf8Lf).toByteArray() : "");
}

} // namespace

class Fcitx5Test : public QObject {
    Q_OBJECT

private slots:
    void installKeepsTheUsersFile_data();
    void installKeepsTheUsersFile();
    void everyTableRowIsReadUnderItsKey();
    void linkedFileIsWrittenThroughOrRefused();
    void reloadFollowsEveryChange_data();
    void reloadFollowsEveryChange();
    void windowShowsTheRealPathAndOwnLogoLink();
};

void Fcitx5Test::installKeepsTheUsersFile_data()
{
    QTest::addColumn<QByteArray>("user"); // "<none>": no file, no directory
    QTest::addColumn<bool>("addMode");
    QTest::addColumn<QByteArray>("kept"); // what follows the tables
    QTest::newRow("LF") << QByteArray("wo,1=我\nni,1=你\n") << true
                        << QByteArray("wo,1=我\nni,1=你\n");
    QTest::newRow("CR LF passes as it is")
        << QByteArray("wo,1=我\r\n") << true << QByteArray("wo,1=我\r\n");
    QTest::newRow("no final line end") << QByteArray("wo,1=我") << true << QByteArray("wo,1=我\n");
    QTest::newRow("empty file") << QByteArray() << true << QByteArray();
    const QByteArray own = "; mine\nsig,1=\n山田\n太郎\nold,-1=off\nday,1=#$year年\n"
                           "q,1=\"a\\tb\"\n";
    QTest::newRow("multi-line, disabled, templates") << own << true << own;
    QTest::newRow("overwrite") << own << false << QByteArray();
    QTest::newRow("no directory yet") << QByteArray("<none>") << false << QByteArray();
}

void Fcitx5Test::installKeepsTheUsersFile()
{
    QFETCH(QByteArray, user);
    QFETCH(bool, addMode);
    QFETCH(QByteArray, kept);
    const DataHome home;
    const bool fresh = user == "<none>";
    if (!fresh)
        home.write(home.phrases(), user);
    const auto failure = install(*home.target.paths, home.phrases(),
                                 {.kanji = true, .addMode = addMode, .backupFirst = !fresh});
    QVERIFY2(!failure, failure ? qPrintable(failureMessage({}, *failure)) : "");
    QCOMPARE(home.read(home.phrases()), tables(true) + kept);
    if (!fresh)
        QCOMPARE(home.read(home.target.paths->host(StoreFile::InitialBackup)), user);
}

void Fcitx5Test::everyTableRowIsReadUnderItsKey()
{
    const DataHome home;
    const QByteArray own = "sig,1=\n山田\n太郎\nold,-1=off\n";
    home.write(home.phrases(), own);
    QVERIFY(!install(*home.target.paths, home.phrases(), {.kanji = true}));
    const QList<Entry> read = fcitx5Entries(home.read(home.phrases()));
    QList<Entry> expected;
    const PhraseIndex index;
    for (const PhraseRow& row : index.rows())
        expected << Entry{row.key, row.position, row.text};
    expected << Entry{"sig", 1, "山田\n太郎"} << Entry{"old", -1, "off"};
    QCOMPARE(read.size(), expected.size());
    QVERIFY(read == expected);
}

void Fcitx5Test::linkedFileIsWrittenThroughOrRefused()
{
    const DataHome home;
    const QString real = home.dir.filePath(QStringLiteral("dotfiles/customphrase"));
    home.write(real, "wo,1=我\n");
    QVERIFY(QDir().mkpath(QFileInfo(home.phrases()).absolutePath()));
    QVERIFY(QFile::link(real, home.phrases()));
    QVERIFY(!install(*home.target.paths, home.phrases(), {}));
    QVERIFY(QFileInfo(home.phrases()).isSymLink());
    QCOMPARE(home.read(real), tables(false) + "wo,1=我\n");

    const Tmpfs readOnly(QFileInfo(real).absolutePath(), "size=64k");
    if (!readOnly.mounted())
        QSKIP("needs root to mount a read-only tmpfs");
    home.write(real, "wo,1=我\n");
    QVERIFY(readOnly.makeReadOnly());
    const auto failure = install(*home.target.paths, home.phrases(), {});
    QVERIFY(failure);
    QVERIFY(failureMessage({}, *failure).contains(QStringLiteral("只读")));
    QCOMPARE(home.read(real), QByteArray("wo,1=我\n"));
    QVERIFY(!QFile::exists(home.target.paths->host(StoreFile::LatestBackup)));
}

void Fcitx5Test::reloadFollowsEveryChange_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("running"); // Fcitx 5 confirms it re-read the file
    QTest::addColumn<int>("calls");
    for (const bool running : {true, false}) {
        const char* state = running ? "running" : "not running";
        QTest::addRow("install, %s", state) << "install" << running << 1;
        QTest::addRow("restore, %s", state) << "restore" << running << 1;
        QTest::addRow("uninstall, %s", state) << "uninstall" << running << 1;
        QTest::addRow("backup, %s", state) << "backup" << running << 0;
    }
}

void Fcitx5Test::reloadFollowsEveryChange()
{
    QFETCH(QString, operation);
    QFETCH(bool, running);
    QFETCH(int, calls);
    DataHome home;
    home.write(home.phrases(), "wo,1=我\n");
    home.write(home.target.paths->host(StoreFile::InitialBackup), "wo,1=我\n");
    home.write(home.target.paths->host(StoreFile::InitialStamp), "t\n");
    auto reloader = std::make_shared<RecordingReloader>();
    reloader->answers = running;
    home.target.reloader = reloader;
    struct : SurveyTarget {
        ControlStates controlStates() const override { return {}; }
        void applySurvey(const SurveyResult&) override {}
    } window;
    RecordingMessages messages;
    Session session(home.target, window, messages);
    session.runSurvey();
    const bool done = operation == "install"   ? session.install({})
                      : operation == "restore" ? session.restore(true)
                      : operation == "backup"  ? session.backup()
                                               : session.uninstall();
    QVERIFY(done);
    QCOMPARE(reloader->calls, calls);
    if (calls)
        QCOMPARE(messages.texts().last(),
                 running ? home.target.texts.reloadedHint : home.target.texts.restartHint);
}

void Fcitx5Test::windowShowsTheRealPathAndOwnLogoLink()
{
    const DataHome home;
    RecordingMessages messages;
    FakeBrowser browser;
    Form1 window(home.target, messages, browser);
    window.startUp();
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label2"))->text().contains(home.phrases()));
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
    QCOMPARE(browser.opened.size(), 1);
    QVERIFY(browser.opened[0].toString().endsWith(QStringLiteral("jlex-intro.html")));
}

QTEST_MAIN(Fcitx5Test)
#include "tst_fcitx5.moc"

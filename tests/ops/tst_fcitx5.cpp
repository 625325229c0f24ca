// The Fcitx 5 store: files held to the rules its pinyin engine reads them by,
// the user's own lines untouched, and the input method asked to re-read.
#include "ops/Operations.h"
#include "ops/Session.h"
#include "ops/Targets.h"
#include "ops/Texts.h"
#include "store/Fcitx5Reloader.h"
#include "support/FakeBrowser.h"
#include "support/Files.h"
#include "support/RecordingMessages.h"
#include "support/Tmpfs.h"
#include "tables/PhraseIndex.h"
#include "ui/Form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtDBus>
#include <QtTest>

#include <future>

using namespace jlex;

namespace {

// Reads a custom-phrase file as Fcitx 5 does, into "key,position=text": comments
// skipped, an entry with an empty text taking the following non-entry lines as its text.
QStringList fcitx5Entries(const QByteArray& bytes)
{
    static const QRegularExpression entry(QStringLiteral("^([a-zA-Z]+),(-?[0-9]+)=(.*)$"));
    QStringList entries;
    int multiLine = -1; // lines taken so far by an entry with an empty text
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n')) {
        if (const auto m = entry.match(line); m.hasMatch()) {
            entries << m.captured(0);
            multiLine = m.captured(3).isEmpty() ? 0 : -1;
        } else if (multiLine >= 0) {
            entries.last() += (multiLine++ ? "\n" : "") + line;
        } else if (!line.isEmpty() && !line.startsWith(u';') && !line.startsWith(u'#')) {
            entries << "?=" + line; // a line Fcitx 5 could not read
        }
    }
    return entries;
}

enum Answer { Reply, Error, Silence, Absent };

// Stands in for Fcitx 5's controller and records each call as "sender uri
// signature of the value".
class FakeController : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")

public:
    Answer answer = Reply;
    QStringList calls;

public slots:
    void SetConfig(const QString& uri, const QDBusVariant& value)
    {
        const QVariant v = value.variant();
        calls << QStringLiteral("%1 %2 %3 of %4 entries")
                     .arg(message().service(), uri, v.value<QDBusArgument>().currentSignature())
                     .arg(qdbus_cast<QVariantMap>(v).size());
        if (answer == Error)
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused by the test"));
        else if (answer == Silence)
            setDelayedReply(true);
    }
};

// A data directory of one test's own, as XDG_DATA_HOME.
struct DataHome {
    DataHome() { qputenv("XDG_DATA_HOME", dir.path().toUtf8()); }
    QString phrases() const { return dir.filePath(QStringLiteral("fcitx5/pinyin/customphrase")); }
    QTemporaryDir dir;
    Target target = fcitx5Target(nullptr);
};

} // namespace

class Fcitx5Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void installKeepsTheUsersFile_data();
    void installKeepsTheUsersFile();
    void linkedFileIsWrittenThroughOrRefused();
    void reloadFollowsEveryChange_data();
    void reloadFollowsEveryChange();
    void firstStartWindow();

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    FakeController m_fake;
};

void Fcitx5Test::initTestCase()
{
    // A bus of the test's own that can start one service only: one that leaves
    // a mark, so a call that asks the bus to start Fcitx 5 shows.
    const QString dir = m_dir.path();
    writeFile(dir + "/fcitx5.service",
              "[D-BUS Service]\nName=org.fcitx.Fcitx5\nExec=/usr/bin/touch " + dir.toUtf8() +
                  "/started\n");
    writeFile(dir + "/bus.conf",
              QStringLiteral("<busconfig><listen>unix:dir=%1</listen><servicedir>%1</servicedir>"
                             "<policy context=\"default\"><allow send_destination=\"*\"/>"
                             "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>")
                  .arg(dir)
                  .toUtf8());
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {"--config-file=" + dir + "/bus.conf", "--print-address", "--nofork"});
    QTRY_VERIFY_WITH_TIMEOUT(m_daemon.canReadLine(), 5000); // needs Debian package dbus
    const QByteArray address = m_daemon.readLine().trimmed();
    // The session bus is this one too: nothing here reaches the desktop's.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    QVERIFY(QDBusConnection::connectToBus(address, QStringLiteral("caller")).isConnected());
    QVERIFY(QDBusConnection::connectToBus(address, QStringLiteral("fake"))
                .registerObject(QStringLiteral("/controller"), &m_fake,
                                QDBusConnection::ExportAllSlots));
}

void Fcitx5Test::cleanupTestCase()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void Fcitx5Test::installKeepsTheUsersFile_data()
{
    QTest::addColumn<QByteArray>("user"); // "<none>": no file, no directory
    QTest::addColumn<bool>("addMode");
    QTest::addColumn<QByteArray>("kept"); // what follows the tables
    QTest::newRow("CR LF, no final line end")
        << QByteArray("wo,1=我\r\nni,1=你") << true << QByteArray("wo,1=我\r\nni,1=你");
    QTest::newRow("installed before")
        << tableBytes(PhraseFormat::Utf8Lf, {PhraseTable::Kana, PhraseTable::Kanji}) + "wo,1=我\n"
        << true << QByteArray("wo,1=我\n");
    QTest::newRow("empty file") << QByteArray() << true << QByteArray();
    const QByteArray own =
        "; mine\nsig,1=\n山田\n太郎\nold,-1=off\nday,1=#$year年\nq,1=\"a\\tb\"\n";
    QTest::newRow("LF: multi-line, disabled, templates") << own << true << own;
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
        writeFile(home.phrases(), user);
    QVERIFY(install({*home.target.paths}, home.phrases(),
                    {.kanji = true, .addMode = addMode, .backupFirst = !fresh})
                .succeeded());
    QCOMPARE(readFile(home.phrases()),
             tableBytes(PhraseFormat::Utf8Lf,
                        {PhraseTable::Kana, PhraseTable::Greeting, PhraseTable::Kanji}) +
                 kept);
    if (!fresh)
        QCOMPARE(readFile(home.target.paths->host(StoreFile::InitialBackup)), user);
    // Every table row is read under its key and position, and the user's as before.
    QStringList rows;
    const PhraseIndex index;
    for (const PhraseRow& row : index.rows())
        rows << row.key + u',' + QString::number(row.position) + u'=' + row.text;
    QCOMPARE(fcitx5Entries(readFile(home.phrases())), rows + fcitx5Entries(kept));
}

void Fcitx5Test::linkedFileIsWrittenThroughOrRefused()
{
    const DataHome home;
    const QString real = home.dir.filePath(QStringLiteral("dotfiles/customphrase"));
    writeFile(real, "wo,1=我\n");
    QVERIFY(QDir().mkpath(QFileInfo(home.phrases()).absolutePath()) &&
            QFile::link(real, home.phrases()));
    QVERIFY(install({*home.target.paths}, home.phrases(), {}).succeeded());
    QVERIFY(QFileInfo(home.phrases()).isSymLink());
    QCOMPARE(readFile(real),
             tableBytes(PhraseFormat::Utf8Lf, {PhraseTable::Kana, PhraseTable::Greeting}) +
                 "wo,1=我\n");

    const Tmpfs readOnly(QFileInfo(real).absolutePath(), "size=64k");
    if (!readOnly.mounted())
        QSKIP("needs root to mount a read-only tmpfs");
    writeFile(real, "wo,1=我\n");
    QVERIFY(readOnly.makeReadOnly());
    const auto failure = install({*home.target.paths}, home.phrases(), {}).failure;
    QVERIFY(failure && failureMessage({}, *failure).contains(QStringLiteral("只读")));
    QCOMPARE(readFile(real), QByteArray("wo,1=我\n"));
    QVERIFY(!QFile::exists(home.target.paths->host(StoreFile::LatestBackup)));
}

void Fcitx5Test::reloadFollowsEveryChange_data()
{
    QTest::addColumn<int>("answer");  // Fcitx 5's; the operation is the row's first word
    QTest::addColumn<QString>("bus"); // the reloader's: "caller", or "" for the session's
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("said"); // last
    const TargetTexts texts = fcitx5Target(nullptr).texts;
    QTest::newRow("install") << int(Reply) << "caller" << true << texts.reloadedHint;
    QTest::newRow("restore") << int(Reply) << "caller" << true << texts.reloadedHint;
    QTest::newRow("uninstall") << int(Reply) << "" << true << texts.uninstalledHint;
    QTest::newRow("backup") << int(Reply) << "caller" << false << texts::kBackupDone;
    QTest::newRow("install, not running") << int(Absent) << "" << false << texts.restartHint;
    QTest::newRow("restore, error") << int(Error) << "caller" << true << texts.restartHint;
    QTest::newRow("uninstall, hangs") << int(Silence) << "caller" << true << texts.restartHint;
    QTest::newRow("install, no bus") << int(Reply) << "none" << false << texts.restartHint;
}

void Fcitx5Test::reloadFollowsEveryChange()
{
    const QString operation = QString::fromLatin1(QTest::currentDataTag()).section(u',', 0, 0);
    QFETCH(int, answer);
    QFETCH(QString, bus);
    QFETCH(bool, asked);
    QFETCH(QString, said);
    QDBusConnection fake(QStringLiteral("fake"));
    fake.unregisterService(QStringLiteral("org.fcitx.Fcitx5"));
    if (answer != Absent)
        QVERIFY(fake.registerService(QStringLiteral("org.fcitx.Fcitx5")));
    m_fake.answer = Answer(answer);
    m_fake.calls.clear();
    DataHome home;
    for (const StoreFile file : {StoreFile::InitialBackup, StoreFile::InitialStamp})
        writeFile(home.target.paths->host(file), "wo,1=我\n");
    writeFile(home.phrases(), "wo,1=我\n");
    QDBusConnection caller = bus.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(bus);
    home.target.reloader = bus.isEmpty() ? std::make_shared<Fcitx5Reloader>()
                                         : std::make_shared<Fcitx5Reloader>(caller);
    struct : SurveyTarget {
        ControlStates controlStates() const override { return {}; }
        void applySurvey(const SurveyResult&) override {}
        void showNote(const QString&) override {}
    } window;
    RecordingMessages messages;
    Session session(home.target, window, messages);
    session.runSurvey();
    // The operation waits for Fcitx 5 in a thread of its own, so the fake here can answer.
    auto done = std::async(std::launch::async, [&] {
        return operation == "install"   ? session.install({})
               : operation == "restore" ? session.restore(true)
               : operation == "backup"  ? session.backup()
                                        : session.uninstall();
    });
    // A hung Fcitx 5 must not freeze the window for long.
    QTRY_VERIFY_WITH_TIMEOUT(done.wait_for(std::chrono::seconds(0)) == std::future_status::ready,
                             3000);
    QVERIFY(done.get());
    const QString call =
        caller.baseService() + " fcitx://config/addon/pinyin/customphrase a{sv} of 0 entries";
    QCOMPARE(m_fake.calls, QStringList(asked ? 1 : 0, call));
    QCOMPARE(messages.said.last(), said);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("started")))); // no start asked for
}

// A first start, before Fcitx 5 has made its file: no box about backups, a
// plain word on the status line, help that opens on its first topic. Then
// Fcitx 5's own editor saves a first file while the window is open: Install
// does not overwrite it unseen, but looks again and says why.
void Fcitx5Test::firstStartWindow()
{
    const DataHome home;
    RecordingMessages messages;
    FakeBrowser browser;
    Form1 window(home.target, messages, browser);
    window.startUp();
    const auto get = [&](const char* name) { return window.findChild<QWidget*>(name); };
    QCOMPARE(messages.said, QStringList());
    QCOMPARE(qobject_cast<QLabel*>(get("dlg"))->text(), home.target.texts.noPhraseFileNote);
    QVERIFY(qobject_cast<QLabel*>(get("Label2"))->text().contains(home.phrases()));
    QTest::mouseClick(qobject_cast<QLabel*>(get("Image1")), Qt::LeftButton);
    QVERIFY(browser.opened.value(0).toString().endsWith(QStringLiteral("jlex-intro.html")));
    QTest::mouseClick(get("Command6"), Qt::LeftButton);
    QCOMPARE(window.helpWindow()->findChild<QPlainTextEdit*>()->toPlainText(),
             window.helpWindow()->topicLines(1).join('\n'));

    QVERIFY(QProcess::execute("sh", {"-c", "mkdir -p \"${0%/*}\" && echo 'wo,1=我' > \"$0\"",
                                     home.phrases()}) == 0);
    QTest::mouseClick(get("Command3"), Qt::LeftButton);
    QVERIFY(messages.said.value(0).contains(QStringLiteral("窗口显示之后，词库文件有了变化")));
    QCOMPARE(readFile(home.phrases()), QByteArray("wo,1=我\n"));
    QVERIFY(get("Option1")->isEnabled() && get("Check1")->isEnabled());
}

QTEST_MAIN(Fcitx5Test)
#include "tst_fcitx5.moc"

// The stores of the Linux input methods, Fcitx 5 and Rime: a linked file
// written through or refused, and their windows on a first start and on a
// store that changed under them. The user's bytes after the tables:
// tst_cli; what the real engines make of it: tests/engines.
#include "ops/Operations.h"
#include "ops/Targets.h"
#include "support/FakeBrowser.h"
#include "support/Files.h"
#include "support/RecordingMessages.h"
#include "support/Tmpfs.h"
#include "ui/Form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

using namespace jlex;

namespace {

// A data directory of one test's own, as XDG_DATA_HOME, and a target on it
// that asks no input method to reload.
struct DataHome {
    explicit DataHome(const char* name = "fcitx5")
    {
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        target = registrationNamed(QString::fromLatin1(name))->make({});
    }
    QString phrases() const { return target.paths->host(StoreFile::Phrases); }
    QTemporaryDir dir;
    Target target;
};

} // namespace

class Fcitx5Test : public QObject {
    Q_OBJECT

private slots:
    void linkedFileIsWrittenThroughOrRefused();
    void firstStartWindow_data();
    void firstStartWindow();
};

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

void Fcitx5Test::firstStartWindow_data()
{
    QTest::addColumn<QString>("ime");
    QTest::newRow("fcitx5") << "fcitx5";
    QTest::newRow("rime") << "rime";
}

// A first start, before the input method has made its file: no box about
// backups, a plain word on the status line, help that opens on its first
// topic. Then the input method's own editor saves a first file while the
// window is open: Install does not overwrite it unseen, but looks again and
// says why.
void Fcitx5Test::firstStartWindow()
{
    QFETCH(QString, ime);
    const DataHome home(qPrintable(ime));
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

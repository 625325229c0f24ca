#include "ops/Texts.h"
#include "support/MainWindowDriver.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

using namespace jlex;

namespace {

// Stores are written as in StoreState.h, controls as in MainWindowDriver.
void columns()
{
    for (const char* column : {"store", "steps", "after", "said", "controls"})
        QTest::addColumn<QString>(column);
}

void row(const char* name, const char* store, const char* steps, const char* after,
         const char* said, const char* controls)
{
    QTest::newRow(name) << store << steps << after << said << controls;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp() { buttons(); }
    void buttons_data();
    void buttons();
    void layoutHolds();
    void helpTopics();
    void helpWindowIsSingleAndRecreated();
    void ending_data();
    void ending();
};

// What the survey offers for what the store holds, at start-up and when the
// window looks again after the user's choices or the store have changed. The
// steps are controls clicked and files laid, in order.
void Form1Test::startUp_data()
{
    columns();
    row("fresh store", "", "", "", "warning:hidden", "-x-- ---o");
    row("no stamps", "P=p", "", "P=p", "", "xoxo ---o");
    row("initial stamp", "P=p i=t0", "", "P=p i=t0", "", "xoxo x-oo");
    row("latest stamp", "P=p l=t1", "", "P=p l=t1", "", "xoxo -ooo"); // nothing selected
    row("stamps only", "i=t0 l=t1", "", "i=t0 l=t1", "warning:hidden", "-x-- xooo");
    // Install choices are the user's; the restore choice is reset.
    row("user's choices", "P=p i=t0 l=t1", "Option2 Check1 Option4 look", "P=p i=t0 l=t1",
        "warning", "oxoo xooo");
    row("phrase file appears", "", "P=p look", "P=p", "warning:hidden", "oxoo ---o");
    row("box unticked twice", "P=p", "Check1 Check1 Check1", "P=p", "warning warning", "xooo ---o");
}

// Each button against a real store: the files byte for byte, what was said,
// and the window after. A message shown before the window had caught up with
// the store is "early"; one shown before the window, "hidden".
void Form1Test::buttons_data()
{
    columns();
    row("install, first", "P=mine", "Check4 Command3",
        "P=kana+greeting+kanji+mine+crlf+crlf I=mine i=now", "installed restart", "xoxo x-oo");
    row("install, later, kanji over", "P=p I=ib L=lb i=t0 l=t1", "Check3 Check4 Option2 Command3",
        "P=kana+kanji+crlf I=ib L=p i=t0 l=now", "installed restart", "oxxo xooo");
    row("install, kana over, no backup", "P=mine I=ib i=t0", "Check3 Option2 Check1 Command3",
        "P=kana+crlf I=ib i=t0", "warning installed restart", "oxoo x-oo");
    row("install, no phrase file", "", "Check4 Command3", "P=kana+greeting+kanji+crlf",
        "warning:hidden installed restart", "oxoo ---o");
    row("install, phrase file gone", "P=p", "P=none Command3", "", "安装未能完成。:early warning",
        "-x-- ---o");
    row("backup thrice", "P=p", "Command7 Command7 P=q Command7", "P=q I=p i=now L=q l=now",
        "backed-up backed-up backed-up", "xoxo xooo");
    // The backup slot follows the initial backup file, not its stamp.
    row("backup, latest only", "P=p L=lb l=t1", "Command7", "P=p I=p i=now L=lb l=t1", "backed-up",
        "xoxo xooo");
    row("backup, no initial stamp", "P=p I=ib", "Command7", "P=p I=ib L=p l=now", "backed-up",
        "xoxo -ooo");
    row("restore latest", "P=p I=ib i=t0 L=lb l=t1", "Option4 Command4", "P=lb I=ib i=t0 L=p l=now",
        "restored restart", "xoxo xooo");
    row("restore initial", "P=p I=ib i=t0 L=lb l=t1", "Command4", "P=ib I=ib i=now L=p l=t1",
        "restored restart", "xoxo xooo");
    row("restore initial, no latest", "P=p I=ib i=t0", "Command4", "P=ib I=ib L=p i=now",
        "restored restart", "xoxo x-oo");
    // The program ends after uninstalling, without looking again.
    row("uninstall", "P=p I=ib L=lb l=t1", "Command5", "P=ib I=ib L=p i=now l=t1",
        "restored restart", "xoxo -ooo");
    row("uninstall, no initial backup", "P=only", "Command5", "P=only", "卸载未能完成。",
        "xoxo ---o");
}

void Form1Test::buttons()
{
    QFETCH(QString, store);
    QFETCH(QString, steps);
    QFETCH(QString, after);
    QFETCH(QString, said);
    QFETCH(QString, controls);
    const QHash<QString, QString> names = {{texts::kInstallDone, "installed"},
                                           {texts::kBackupDone, "backed-up"},
                                           {texts::kRestoreDone, "restored"},
                                           {texts::kRestartHint, "restart"},
                                           {texts::kBackupWarningText, "warning"}};
    MainWindowDriver w;
    layStore(w.store, store);
    QStringList shown, controlsWhenShown;
    w.messages.onShow = [&](const QString&, const QString& text) {
        shown << names.value(text, text.section(QLatin1Char('\n'), 0, 0)) +
                     (w.form->isVisible() ? "" : ":hidden");
        controlsWhenShown << w.controls();
    };
    qsizetype marked = 0;
    const auto markEarly = [&] {
        for (; marked < shown.size(); ++marked) {
            if (controlsWhenShown[marked] != w.controls())
                shown[marked] += QStringLiteral(":early");
        }
    };
    w.start();
    markEarly();
    const QDateTime start = QDateTime::currentDateTime();
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        w.act(step);
        markEarly();
    }
    QCOMPARE(shown.join(QLatin1Char(' ')), said);
    QCOMPARE(w.controls(), controls);
    verifyStore(w.store, after, start);
    // The times shown follow the same stamps as the restore choices.
    for (const auto& [label, at] : {std::pair{"Label5", 5}, {"Label6", 6}})
        QCOMPARE(!w.get<QLabel>(label)->text().endsWith(texts::kNoBackupTime), controls[at] != '-');
    QVERIFY(w.get<QLabel>("Label2")->text().endsWith(w.store.paths.path(StoreFile::Phrases)));
}

// A guard against the layout engine moving things, not a copy of the layout.
void Form1Test::layoutHolds()
{
    MainWindowDriver w;
    w.start();
    QCOMPARE(w.form->size(), QSize(598, 377));
    QCOMPARE(w.get("Command3")->pos(), QPoint(70, 308));
    QCOMPARE(w.get("Command5")->geometry(), QRect(476, 259, 78, 43));
    // Controls over the frame's rectangle lie above it.
    for (const char* overFrame : {"Check4", "Option3"})
        QCOMPARE(w.form->childAt(w.get(overFrame)->geometry().center()), w.get(overFrame));
}

// A topic shows its text in place of the last and alone is drawn red; the
// highlight is not its affair. The illustration belongs to topic 3 and,
// enlarged, stays on top and whole until clicked away.
void Form1Test::helpTopics()
{
    MainWindowDriver w;
    w.start();
    w.click("Command6");
    Form2* help = w.form->helpWindow();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    const auto get = [&](const QString& name) { return help->findChild<QLabel*>(name); };
    const auto click = [](QWidget* on) { QTest::mouseClick(on, Qt::LeftButton, {}, QPoint(5, 5)); };
    for (int n : {3, 1, 4, 2, 2}) {
        click(get(QStringLiteral("Label%1").arg(n)));
        QCOMPARE(help->findChild<QPlainTextEdit*>()->toPlainText(),
                 help->topicLines(n).join(QLatin1Char('\n')));
        for (int t = 1; t <= 4; ++t) {
            const QLabel* topic = get(QStringLiteral("Label%1").arg(t));
            QCOMPARE(topic->palette().color(QPalette::WindowText) == Qt::red, t == n);
            QCOMPARE(topic->autoFillBackground(), t == 1);
        }
        QCOMPARE(get(QStringLiteral("Image1"))->isVisible(), n == 3);
    }
    QLabel* picture = get(QStringLiteral("Picture1"));
    for (const char* name : {"Label3", "Image1", "Label2"})
        click(get(QLatin1String(name)));
    QVERIFY(picture->isVisible() && picture->height() >= picture->pixmap().height());
    QCOMPARE(help->childAt(picture->geometry().center()), picture);
    click(picture);
    QVERIFY(!picture->isVisible());
}

void Form1Test::helpWindowIsSingleAndRecreated()
{
    MainWindowDriver w;
    w.start();
    w.click("Command6");
    QPointer<Form2> first = w.form->helpWindow();
    first->showTopic(3);
    w.click("Command6");
    QCOMPARE(w.form->helpWindow(), first.data()); // the same window, topic and all
    QVERIFY(!first->findChild<QPlainTextEdit*>()->toPlainText().isEmpty());
    first->close();
    QTRY_VERIFY(!first); // closed help windows are deleted
    w.click("Command6");
    QVERIFY(w.form->helpWindow() && w.form->helpWindow()->isVisible());
    QVERIFY(w.form->helpWindow()->findChild<QPlainTextEdit*>()->toPlainText().isEmpty());
}

// Exit and a successful uninstall end the program, help window and all; the
// close box closes the main window only, and the program ends with the other.
void Form1Test::ending_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("helpStays");
    QTest::newRow("exit") << "Command2" << false;
    QTest::newRow("uninstall") << "Command5" << false;
    QTest::newRow("close box") << "" << true;
}

void Form1Test::ending()
{
    QFETCH(QString, action);
    QFETCH(bool, helpStays);
    MainWindowDriver w;
    layStore(w.store, "P=p I=ib");
    w.start();
    w.click("Command6");
    QPointer<Form2> help = w.form->helpWindow();
    bool helpStayed = false;
    QTimer::singleShot(100, [&] { helpStayed = help && help->isVisible() && help->close(); });
    QTimer::singleShot(0, [&] { action.isEmpty() ? (void)w.form->close() : w.act(action); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(-1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w.form->isVisible() && (!help || !help->isVisible()));
    QCOMPARE(helpStayed, helpStays);
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"

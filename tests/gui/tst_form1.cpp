#include "ops/Texts.h"
#include "support/MainWindowDriver.h"
#include "support/Pointer.h"
#include "support/StoreState.h"
#include "tables/PhraseTables.h"
#include "ui/HoverTexts.h"
#include "ui/MessageBoxes.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace jlex;

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void startUpStates_data();
    void startUpStates();
    void layoutHolds();
    void statusLineFollowsThePointer_data();
    void statusLineFollowsThePointer();
    void backupWarningOnUntickingOnly();
    void installEndToEnd();
    void installFailureIsSaidBeforeTheRefresh();
    void backupAndRestoreEndToEnd();
    void uninstallEndsTheProgram();
    void uninstallFailureKeepsTheWindow();
    void webLinks();
    void helpWindowIsSingleAndRecreated();
    void exitClosesEverything();
    void closeBoxClosesOnlyTheMainWindow();
};

// What the survey offers for what the store holds, at start-up and again
// after the user's choices or the store have changed.
void Form1Test::startUpStates_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("then"); // controls clicked and files laid before the next look
    QTest::addColumn<QString>("controls");
    QTest::addColumn<int>("warnings");
    const auto row = [](const char* name, const char* store, const char* then, const char* controls,
                        int warnings) {
        QTest::newRow(name) << QString::fromUtf8(store) << QString::fromUtf8(then)
                            << QString::fromUtf8(controls) << warnings;
    };
    row("fresh store", "", "",
        "Option1(off) Option2* Check1(off) Command7(off) Option3(off) Option4(off) Command4(off) "
        "Command5",
        1);
    row("no stamps", "P=p", "",
        "Option1* Option2 Check1* Command7 Option3(off) Option4(off) Command4(off) Command5", 0);
    row("initial stamp", "P=p i=t0", "",
        "Option1* Option2 Check1* Command7 Option3* Option4(off) Command4 Command5", 0);
    // Nothing selected, yet the restore button works.
    row("latest stamp", "P=p l=t1", "",
        "Option1* Option2 Check1* Command7 Option3(off) Option4 Command4 Command5", 0);
    // The restore choice is reset; the install choices are the user's.
    row("user's choices", "P=p i=t0 l=t1", "Option2 Check1 Option4",
        "Option1 Option2* Check1 Command7 Option3* Option4 Command4 Command5", 1);
    row("phrase file appears", "", "P=p",
        "Option1 Option2* Check1 Command7 Option3(off) Option4(off) Command4(off) Command5", 1);
    row("stamps without phrase file", "i=t0 l=t1", "",
        "Option1(off) Option2* Check1(off) Command7(off) Option3* Option4 Command4 Command5", 1);
}

void Form1Test::startUpStates()
{
    QFETCH(QString, store);
    QFETCH(QString, then);
    QFETCH(QString, controls);
    QFETCH(int, warnings);
    MainWindowDriver w;
    layStore(w.store, store);
    bool shownDuringWarning = false;
    w.messages.onShow = [&](const QString&, const QString&) {
        shownDuringWarning = w.form->isVisible();
    };
    w.start();
    // Without a phrase file the backup warning comes before the window.
    QVERIFY(!shownDuringWarning);
    for (const QString& step : then.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step.contains(QLatin1Char('=')))
            layStore(w.store, step);
        else
            w.click(qPrintable(step));
    }
    w.form->startUp();
    QCOMPARE(w.controls(), controls);
    QCOMPARE(w.messages.texts(), QStringList(warnings, texts::kBackupWarningText));
    const QString all = store + QLatin1Char(' ') + then;
    for (const auto& [label, stamp, time] :
         {std::tuple{"Label5", "i=", "t0"}, {"Label6", "l=", "t1"}})
        QCOMPARE(w.get<QLabel>(label)->text().section(QLatin1Char('\n'), 1),
                 all.contains(QLatin1String(stamp)) ? QString::fromLatin1(time)
                                                    : texts::kNoBackupTime);
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
    QCOMPARE(w.get("Command7")->pos(), QPoint(231, 210));
    // Controls over the frame's rectangle lie above it.
    for (const char* overFrame : {"Check4", "Option3"})
        QCOMPARE(w.form->childAt(w.get(overFrame)->geometry().center()), w.get(overFrame));
}

void Form1Test::statusLineFollowsThePointer_data()
{
    QTest::addColumn<QString>("over");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("says"); // the source whose text the line shows
    QTest::addColumn<QString>("colourOf");
    QTest::newRow("a source") << "Label2" << QPoint(3, 3) << "Label2"
                              << "Label2";
    QTest::newRow("a source without colour") << "Command1" << QPoint(3, 3) << "Command1"
                                             << "Command3";
    QTest::newRow("not a source") << "Command5" << QPoint(3, 3) << "Command3"
                                  << "Command3";
    QTest::newRow("bare window") << "Form1" << QPoint(5, 370) << "Form1"
                                 << "Form1";
    QTest::newRow("bare frame") << "Frame1" << QPoint(150, 200) << "Frame1"
                                << "Frame1";
    // Disabled controls pass the pointer on to what they stand on.
    QTest::newRow("disabled in the frame") << "Check1" << QPoint(3, 3) << "Frame1"
                                           << "Frame1";
    QTest::newRow("disabled on the window") << "Option3" << QPoint(3, 3) << "Form1"
                                            << "Form1";
}

void Form1Test::statusLineFollowsThePointer()
{
    QFETCH(QString, over);
    QFETCH(QPoint, at);
    QFETCH(QString, says);
    QFETCH(QString, colourOf);
    MainWindowDriver w; // no phrase file: Check1 and Option3 are disabled
    w.start();
    hover(w.get("Command3"));
    hover(over == QStringLiteral("Form1") ? w.form.get() : w.get(qPrintable(over)), at);
    const auto* dlg = w.get<QLabel>("dlg");
    QCOMPARE(dlg->text(), displayText(hoverTextFor(says)->text));
    QCOMPARE(dlg->palette().color(QPalette::WindowText), hoverTextFor(colourOf)->colour.value());
}

void Form1Test::backupWarningOnUntickingOnly()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    for (int ticks : {1, 1, 2}) {
        w.click("Check1");
        QCOMPARE(w.messages.texts(), QStringList(ticks, texts::kBackupWarningText));
    }
    // The kana box cannot be unticked.
    w.click("Check2");
    QVERIFY(w.get<QAbstractButton>("Check2")->isChecked());
}

void Form1Test::installEndToEnd()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "mine,1=x");
    w.start();
    QString label5WhenDone;
    w.messages.onShow = [&](const QString&, const QString& text) {
        if (text == texts::kInstallDone)
            label5WhenDone = w.get<QLabel>("Label5")->text();
    };
    const auto table = [](PhraseTable t) { return phraseTable(t).toByteArray(); };
    w.click("Check4");
    w.click("Command3");
    QCOMPARE(w.messages.texts(), (QStringList{texts::kInstallDone, texts::kRestartHint}));
    QVERIFY(!label5WhenDone.contains(texts::kNoBackupTime)); // refreshed before the messages
    QCOMPARE(w.store.read(StoreFile::Phrases), table(PhraseTable::Kana) +
                                                   table(PhraseTable::Greeting) +
                                                   table(PhraseTable::Kanji) + "mine,1=x\r\n\r\n");
    QCOMPARE(w.store.read(StoreFile::InitialBackup), QByteArray("mine,1=x"));
    QCOMPARE(w.controls(), "Option1* Option2 Check1* Command7 Option3* Option4(off) Command4 "
                           "Command5");

    // Every choice the other way: kana alone, overwriting, no backup.
    for (const char* name : {"Check3", "Check4", "Option2", "Check1", "Command3"})
        w.click(name);
    QCOMPARE(w.store.read(StoreFile::Phrases), table(PhraseTable::Kana) + "\r\n");
    QCOMPARE(w.store.fileNames().size(), 3);
}

void Form1Test::installFailureIsSaidBeforeTheRefresh()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "mine\r\n");
    w.start();
    QFile::remove(w.store.host(StoreFile::Phrases)); // gone since the window looked
    QStringList controlsWhenSaid;
    w.messages.onShow = [&](const QString&, const QString&) { controlsWhenSaid << w.controls(); };
    w.click("Command3");
    QCOMPARE(w.messages.texts().size(), 2);
    QVERIFY(w.messages.texts()[0].startsWith(QStringLiteral("安装未能完成。")));
    QVERIFY(controlsWhenSaid[0].startsWith(QStringLiteral("Option1* ")));
    // The refreshed window finds no phrase file and unticks the backup box.
    QCOMPARE(w.messages.texts()[1], texts::kBackupWarningText);
    QVERIFY(controlsWhenSaid[1].startsWith(QStringLiteral("Option1(off) ")));
}

void Form1Test::backupAndRestoreEndToEnd()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "P");
    w.start();
    w.click("Command7");
    QCOMPARE(w.messages.texts(), QStringList{texts::kBackupDone});
    QCOMPARE(w.store.read(StoreFile::InitialBackup), QByteArray("P"));
    w.store.write(StoreFile::Phrases, "Q");
    w.click("Command7");
    QCOMPARE(w.store.read(StoreFile::LatestBackup), QByteArray("Q"));
    QVERIFY(w.controls().contains(QStringLiteral(" Option3* Option4 Command4 ")));

    // Restore to the latest backup, then the choice goes back to the initial state.
    w.store.write(StoreFile::LatestBackup, "L");
    w.click("Option4");
    w.messages.shown.clear();
    w.click("Command4");
    QCOMPARE(w.messages.texts(), (QStringList{texts::kRestoreDone, texts::kRestartHint}));
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("L"));
    QCOMPARE(w.store.read(StoreFile::LatestBackup), QByteArray("Q"));
    QVERIFY(w.controls().contains(QStringLiteral(" Option3* Option4 ")));
    w.click("Command4");
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("P"));
    QCOMPARE(w.store.read(StoreFile::LatestBackup), QByteArray("L"));
}

void Form1Test::uninstallEndsTheProgram()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "P");
    w.store.write(StoreFile::InitialBackup, "I");
    w.start();
    w.click("Command6");
    QPointer<Form2> help = w.form->helpWindow();
    bool shownDuringMessages = false;
    w.messages.onShow = [&](const QString&, const QString&) {
        shownDuringMessages = w.form->isVisible();
    };
    QCOMPARE(MainWindowDriver::runUntilExit([&] { w.click("Command5"); }), 0);
    QCOMPARE(w.messages.texts(), (QStringList{texts::kRestoreDone, texts::kRestartHint}));
    QVERIFY(shownDuringMessages);
    QVERIFY(!w.form->isVisible() && (!help || !help->isVisible()));
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("I"));
}

void Form1Test::uninstallFailureKeepsTheWindow()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "the only copy");
    w.start();
    w.click("Command5");
    QCOMPARE(w.messages.texts().size(), 1);
    QVERIFY(w.messages.texts()[0].startsWith(QStringLiteral("卸载未能完成。")));
    QVERIFY(w.form->isVisible());
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("the only copy"));
}

void Form1Test::webLinks()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    w.click("Image1");
    w.click("Label3");
    QCOMPARE(w.browser.opened.size(), 2);
    QVERIFY(!w.browser.opened[0].isLocalFile());
    // The introduction page ships beside the program.
    QVERIFY(QFileInfo(w.browser.opened[1].toLocalFile()).isFile());
    QVERIFY(w.messages.shown.empty());
    // No browser: say so, and carry on.
    w.browser.works = false;
    w.click("Label3");
    QCOMPARE(w.messages.shown.size(), size_t(1));
    QVERIFY(w.form->isVisible());
}

void Form1Test::helpWindowIsSingleAndRecreated()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    w.click("Command6");
    QPointer<Form2> first = w.form->helpWindow();
    QVERIFY(first && first->isVisible());
    first->showTopic(3);
    w.click("Command6");
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* t) { return qobject_cast<Form2*>(t) && t->isVisible(); }),
             1);
    QCOMPARE(w.form->helpWindow(), first.data());
    first->close();
    QTRY_VERIFY(!first); // closed help windows are deleted
    w.click("Command6");
    QVERIFY(w.form->helpWindow() && w.form->helpWindow()->isVisible());
    QVERIFY(w.form->helpWindow()->findChild<QPlainTextEdit*>()->toPlainText().isEmpty());
}

void Form1Test::exitClosesEverything()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    w.click("Command6");
    QPointer<Form2> help = w.form->helpWindow();
    QCOMPARE(MainWindowDriver::runUntilExit([&] { w.click("Command2"); }), 0);
    QVERIFY(!w.form->isVisible() && (!help || !help->isVisible()));
    QVERIFY(w.messages.shown.empty());
}

void Form1Test::closeBoxClosesOnlyTheMainWindow()
{
    MainWindowDriver w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    w.click("Command6");
    QPointer<Form2> help = w.form->helpWindow();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    bool helpStayed = false;
    QTimer::singleShot(100, [&] {
        helpStayed = help && help->isVisible() && lastClosed.isEmpty();
        help->close();
    });
    // The program runs on with the help window, and ends when that closes too.
    QCOMPARE(MainWindowDriver::runUntilExit([&] { w.form->close(); }), 0);
    QVERIFY(helpStayed);
    QCOMPARE(lastClosed.count(), 1);
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"

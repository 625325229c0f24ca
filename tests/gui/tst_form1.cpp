#include "ops/Targets.h"
#include "ops/Texts.h"
#include "support/FakeBrowser.h"
#include "support/Pointer.h"
#include "support/RecordingMessages.h"
#include "support/TempStore.h"
#include "ui/Form1.h"
#include "ui/HoverTexts.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

using namespace jlex;

namespace {

// One main window on a store of its own, with its messages and browser recorded.
struct Window {
    explicit Window(Edition edition = Edition::Login, TempStore::Dirs dirs = TempStore::BothDirs)
        : store(edition, dirs)
    {}
    void start()
    {
        form = std::make_unique<Form1>(kavroTarget(store.paths.edition()), messages, browser);
        form->startUp();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    template <class W = QWidget> W* get(const char* name) const
    {
        W* widget = form->findChild<W*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString status() const { return get<QLabel>("dlg")->text(); }
    QColor statusColour() const
    {
        return get<QLabel>("dlg")->palette().color(QPalette::WindowText);
    }
    QStringList said() const { return messages.texts(); }

    TempStore store;
    RecordingMessages messages;
    FakeBrowser browser;
    std::unique_ptr<Form1> form;
};

bool enabledAndChecked(QAbstractButton* b, bool enabled, bool checked)
{
    return b->isEnabled() == enabled && b->isChecked() == checked;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void freshStoreWarnsBeforeTheWindowShows();
    void startUpWithPhraseFileAndStamps();
    void layoutAndLook();
    void publicEditionLooksDifferent();
    void statusLineSources();
    void statusLineKeepsTextAndColour();
    void disabledControlsPassThePointerOn();
    void backupWarningOnUntickingOnly();
    void choicePairsAreIndependent();
    void installEndToEnd();
    void backupAndRestoreEndToEnd();
    void uninstallEndsTheProgram();
    void uninstallFailureKeepsTheWindow();
    void aboutBox();
    void webLinks();
    void helpWindowIsSingleAndRecreated();
    void exitClosesEverything();
    void closeBoxClosesOnlyTheMainWindow();
};

void Form1Test::freshStoreWarnsBeforeTheWindowShows()
{
    Window w;
    bool visibleDuringWarning = true;
    w.messages.onShow = [&](const QString&, const QString&) {
        visibleDuringWarning = w.form->isVisible();
    };
    w.start();
    QCOMPARE(w.said(), QStringList{texts::kBackupWarningText});
    QVERIFY(!visibleDuringWarning);
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option1"), false, false));
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option2"), true, true));
    QVERIFY(enabledAndChecked(w.get<QCheckBox>("Check1"), false, false));
    QVERIFY(!w.get("Command7")->isEnabled());
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option3"), false, false));
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option4"), false, false));
    QVERIFY(!w.get("Command4")->isEnabled());
    QCOMPARE(w.get<QLabel>("Label5")->text(),
             QStringLiteral("最初状态备份时间：\n        不存在。"));
    QCOMPARE(w.get<QLabel>("Label6")->text(),
             QStringLiteral("最近词条备份时间：\n        不存在。"));
    // The uninstall button is never disabled.
    QVERIFY(w.get("Command5")->isEnabled());
}

void Form1Test::startUpWithPhraseFileAndStamps()
{
    Window w;
    w.store.write(StoreFile::Phrases, "mine\r\n");
    w.store.write(StoreFile::LatestStamp, "2026/12/1 10:00:00\r\n");
    w.start();
    QVERIFY(w.said().isEmpty());
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option1"), true, true));
    QVERIFY(enabledAndChecked(w.get<QCheckBox>("Check1"), true, true));
    // Only the latest stamp: nothing selected, yet the button works.
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option3"), false, false));
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option4"), true, false));
    QVERIFY(w.get("Command4")->isEnabled());
    QCOMPARE(w.get<QLabel>("Label6")->text(),
             QStringLiteral("最近状态备份时间：\n2026/12/1 10:00:00"));
    QCOMPARE(
        w.get<QLabel>("Label2")->text(),
        QStringLiteral("                         您当前的系统用户名为：alice\n词库将被安装在：") +
            w.store.paths.path(StoreFile::Phrases));
}

void Form1Test::layoutAndLook()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    QCOMPARE(w.form->size(), QSize(598, 377));
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Kavro日本語入力(非专业)"));
    QVERIFY(
        !(w.form->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));

    const struct {
        const char* name;
        const char* caption;
        QRect geometry; // in the parent's pixels: twips / 15
    } controls[] = {
        {"Check4", "日语汉字(py)", {28, 189, 99, 22}},
        {"Option4", "还原到最近备份", {231, 168, 134, 22}},
        {"Option3", "还原到最初状态", {231, 196, 134, 22}},
        {"Command6", "帮助说明", {476, 308, 78, 22}},
        {"Check2", "日语假名", {28, 133, 99, 22}},
        {"Command5", "卸载并还原到最初状态", {476, 259, 78, 43}},
        {"Command4", "词条还原开始", {245, 224, 113, 22}},
        {"Command3", "安装", {70, 308, 64, 22}},
        {"Command2", "退出", {462, 350, 64, 22}},
        {"Command1", "关于", {532, 350, 64, 22}},
        {"Label3", "软件简介", {21, 350, 64, 16}},
        {"dlg", "说明：", {133, 343, 323, 29}},
        {"Label1", "日本語入力（アマチュア）", {301, 21, 281, 22}},
        {"Command7", "词条备份开始", {231, 210, 113, 22}},
        {"Option1", "添加模式", {35, 147, 92, 22}},
        {"Option2", "覆盖模式", {35, 175, 92, 22}},
        {"Check3", "常用交际短语", {14, 119, 99, 22}},
        {"Check1", "现有词条备份", {14, 63, 99, 22}},
        {"Label4", "必选", {119, 40, 29, 15}},
    };
    for (const auto& c : controls) {
        QWidget* widget = w.get(c.name);
        QCOMPARE(widget->geometry(), c.geometry);
        const QString caption = qobject_cast<QAbstractButton*>(widget)
                                    ? qobject_cast<QAbstractButton*>(widget)->text()
                                    : qobject_cast<QLabel*>(widget)->text();
        QCOMPARE(caption, QString::fromUtf8(c.caption));
    }
    QCOMPARE(w.get("Frame1")->geometry(), QRect(14, 98, 575, 239));
    QCOMPARE(w.get<QGroupBox>("Frame1")->title(), QStringLiteral("操作："));
    QCOMPARE(w.get<QLabel>("label7")->text(),
             QStringLiteral("程序安装必要条件：安装了Kavro拼音输入       法最新版   "
                            "操作系统为Windows        XP          "
                            "(其它系统暂未知)。"));
    QCOMPARE(w.get("Image1")->geometry(), QRect(147, 7, 150, 45));
    QCOMPARE(w.get<QLabel>("Image1")->pixmap().size(), QSize(150, 45));

    // Fonts by their families first, colours as drawn.
    QCOMPARE(w.get("Command3")->font().families().first(), QStringLiteral("宋体"));
    QCOMPARE(w.get("Command3")->font().pointSizeF(), 10.5);
    QCOMPARE(w.get("Label1")->font().families().first(), QStringLiteral("幼圆"));
    QVERIFY(w.get("Label1")->font().bold());
    QCOMPARE(w.get("Label5")->font().families().first(), QStringLiteral("新宋体"));
    QVERIFY(w.get("Label3")->font().underline());
    QCOMPARE(w.get("Label1")->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    QCOMPARE(w.get("Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
    QCOMPARE(w.get("Label5")->palette().color(QPalette::WindowText), QColor(0, 0, 0xC0));
    QCOMPARE(w.get("Frame1")->palette().color(QPalette::WindowText), QColor(0, 0, 0xC0));
    QCOMPARE(w.get("Command6")->palette().color(QPalette::Button), QColor(0xFF, 0xFF, 0));
    QCOMPARE(w.get("Command7")->palette().color(QPalette::Button), QColor(0xFF, 0xFF, 0xFF));
    QCOMPARE(w.get("Check4")->palette().color(w.get("Check4")->backgroundRole()),
             QColor(0xFF, 0xFF, 0xFF));
    // The frame's look is its own, not passed on to its controls.
    QVERIFY(w.get("Check1")->palette().color(QPalette::WindowText) != QColor(0, 0, 0xC0));
    QVERIFY(w.get("Check1")->font().pointSizeF() < 12);

    // Controls over the frame's rectangle lie above it.
    QCOMPARE(w.form->childAt(w.get("Check4")->geometry().center()), w.get("Check4"));
    QCOMPARE(w.form->childAt(w.get("Option3")->geometry().center()), w.get("Option3"));

    // Tab order over the controls that can take the focus.
    const QStringList order = {"Command1", "Command2", "Command3", "Check1",   "Command4",
                               "Command5", "Check2",   "Check3",   "Command6", "Option2",
                               "Option1",  "Option3",  "Option4",  "Command7", "Check4"};
    QStringList chain;
    for (QWidget* f = w.get("Command1"); chain.size() < order.size(); f = f->nextInFocusChain()) {
        if (f->focusPolicy() & Qt::TabFocus)
            chain << f->objectName();
    }
    QCOMPARE(chain, order);
}

void Form1Test::publicEditionLooksDifferent()
{
    Window login;
    login.start();
    Window pub(Edition::Public);
    pub.start();
    QCOMPARE(pub.get("Image1")->pos(), QPoint(147, 21));
    QCOMPARE(pub.get("Label1")->pos(), QPoint(301, 35));
    QCOMPARE(pub.get("Label2")->pos(), QPoint(14, 63));
    // The lowest part of the information label lies behind the frame.
    QCOMPARE(pub.form->childAt(QPoint(100, 101)), pub.get("Frame1"));

    const QColor control = QApplication::palette().color(QPalette::Button);
    for (const char* name :
         {"Check1", "Check4", "Option3", "Frame1", "label7", "Label5", "Label2"}) {
        QWidget* widget = pub.get(name);
        QCOMPARE(widget->palette().color(widget->backgroundRole()), control);
        QWidget* same = login.get(name);
        QCOMPARE(same->palette().color(same->backgroundRole()), QColor(0xFF, 0xFF, 0xFF));
    }
    QCOMPARE(pub.get("Command6")->palette().color(QPalette::Button), QColor(0xFF, 0xFF, 0));
    QCOMPARE(pub.get("Command7")->palette().color(QPalette::Button), control);
    QCOMPARE(pub.form->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
    QVERIFY(pub.get<QLabel>("Label2")->text().endsWith(
        QStringLiteral("\\Application Data\\KavroPY\\phrases.ini")));
}

void Form1Test::statusLineSources()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.store.write(StoreFile::InitialStamp, "t\r\n");
    w.start();
    QCOMPARE(w.status(), QStringLiteral("说明："));
    QCOMPARE(w.statusColour(), kStatusGreen);
    const char* sources[] = {"Check1",   "Check3",  "Check4",   "Command3", "Command4",
                             "Command7", "Label1",   "Label2",   "Label3",
                             "Option1",  "Option2", "Command1", "Command2"};
    for (const char* name : sources) {
        hover(w.get(name), QPoint(3, 3));
        const auto expected = hoverTextFor(QLatin1String(name));
        QVERIFY(expected);
        QCOMPARE(w.status(), displayText(expected->text));
        if (expected->colour)
            QCOMPARE(w.statusColour(), *expected->colour);
    }
    // Bare surfaces of the window and of the frame.
    hover(w.form.get(), QPoint(5, 370));
    QCOMPARE(w.status(), QStringLiteral("说明：无"));
    QCOMPARE(w.statusColour(), kStatusGreen);
    hover(w.get("Frame1"), QPoint(150, 200));
    QCOMPARE(w.status(), QStringLiteral("说明：任务勾选与执行列表。"));
    // Controls that are not sources leave the line alone.
    hover(w.get("Command3"));
    for (const char* name :
         {"Command5", "Command6", "Option3", "Label4", "Label5", "Label6", "label7", "dlg"}) {
        hover(w.get(name), QPoint(3, 3));
        QCOMPARE(w.status(), QStringLiteral("说明：请确认安装开始"));
        QCOMPARE(w.statusColour(), kStatusRed);
    }
}

void Form1Test::statusLineKeepsTextAndColour()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    hover(w.get("Command3"));
    hover(w.get("Command1"));
    QCOMPARE(w.status(), QStringLiteral("说明：查看版权等信息。"));
    QCOMPARE(w.statusColour(), kStatusRed);
    hover(w.get("Label3"));
    hover(w.get("Command2"));
    QCOMPARE(w.status(), QStringLiteral("说明：退出程序。"));
    QCOMPARE(w.statusColour(), kStatusGreen);
}

void Form1Test::disabledControlsPassThePointerOn()
{
    Window w; // no phrase file: Check1, Option1, Command7 disabled
    w.start();
    for (const char* inFrame : {"Check1", "Option1", "Command7"}) {
        hover(w.get("Command3"));
        hover(w.get(inFrame), QPoint(3, 3));
        QCOMPARE(w.status(), QStringLiteral("说明：任务勾选与执行列表。"));
        QCOMPARE(w.statusColour(), kStatusGreen);
    }
    for (const char* onWindow : {"Check2", "Command4", "Option3", "Option4"}) {
        hover(w.get("Command3"));
        hover(w.get(onWindow), QPoint(3, 3));
        QCOMPARE(w.status(), QStringLiteral("说明：无"));
        QCOMPARE(w.statusColour(), kStatusGreen);
    }
}

void Form1Test::backupWarningOnUntickingOnly()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    auto* check1 = w.get<QCheckBox>("Check1");
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(!check1->isChecked());
    QCOMPARE(w.messages.shown.size(), size_t(1));
    QCOMPARE(w.messages.shown[0].title, texts::kBackupWarningTitle);
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(check1->isChecked());
    QCOMPARE(w.messages.shown.size(), size_t(1));
    QTest::mouseClick(check1, Qt::LeftButton);
    QCOMPARE(w.messages.shown.size(), size_t(2));

    // The kana box cannot be unticked.
    auto* check2 = w.get<QCheckBox>("Check2");
    QTest::mouseClick(check2, Qt::LeftButton);
    QVERIFY(check2->isChecked());
}

void Form1Test::choicePairsAreIndependent()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.store.write(StoreFile::InitialStamp, "t0\r\n");
    w.store.write(StoreFile::LatestStamp, "t1\r\n");
    w.start();
    auto* option2 = w.get<QRadioButton>("Option2");
    auto* option3 = w.get<QRadioButton>("Option3");
    auto* option4 = w.get<QRadioButton>("Option4");
    QTest::mouseClick(option2, Qt::LeftButton, {}, QPoint(5, 10));
    QVERIFY(option2->isChecked() && !w.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(option3->isChecked() && !option4->isChecked());
    QTest::mouseClick(option4, Qt::LeftButton, {}, QPoint(5, 10));
    QVERIFY(option4->isChecked() && !option3->isChecked());
    QVERIFY(option2->isChecked());
}

void Form1Test::installEndToEnd()
{
    Window w;
    w.store.write(StoreFile::Phrases, "mine,1=x");
    w.start();
    QString label5WhileDone;
    w.messages.onShow = [&](const QString&, const QString& text) {
        if (text == texts::kInstallDone)
            label5WhileDone = w.get<QLabel>("Label5")->text();
    };
    QTest::mouseClick(w.get<QCheckBox>("Check4"), Qt::LeftButton);
    QTest::mouseClick(w.get("Command3"), Qt::LeftButton);
    QCOMPARE(w.said(), (QStringList{texts::kInstallDone, texts::kRestartHint}));
    QVERIFY(!label5WhileDone.isEmpty() && !label5WhileDone.contains(QStringLiteral("不存在")));
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option3"), true, true));
    QVERIFY(w.store.read(StoreFile::Phrases).endsWith("mine,1=x\r\n\r\n"));
    QCOMPARE(w.store.read(StoreFile::InitialBackup), QByteArray("mine,1=x"));
    // Kana, greeting and kanji all went in.
    QVERIFY(w.store.read(StoreFile::Phrases).contains(";  \xca\xb1\xbc\xe4\xa3\xba"));
}

void Form1Test::backupAndRestoreEndToEnd()
{
    Window w;
    w.store.write(StoreFile::Phrases, "P");
    w.start();
    QTest::mouseClick(w.get("Command7"), Qt::LeftButton);
    QCOMPARE(w.said(), QStringList{texts::kBackupDone});
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option3"), true, true));
    QTest::mouseClick(w.get("Command7"), Qt::LeftButton);
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option4"), true, false));
    QVERIFY(w.get<QLabel>("Label6")->text().startsWith(QStringLiteral("最近状态备份时间：")));

    // Restore to the latest backup, then the choice goes back to the initial state.
    w.store.write(StoreFile::LatestBackup, "L");
    QTest::mouseClick(w.get<QRadioButton>("Option4"), Qt::LeftButton, {}, QPoint(5, 10));
    w.messages.shown.clear();
    QTest::mouseClick(w.get("Command4"), Qt::LeftButton);
    QCOMPARE(w.said(), (QStringList{texts::kRestoreDone, texts::kRestartHint}));
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("L"));
    QCOMPARE(w.store.read(StoreFile::LatestBackup), QByteArray("P"));
    QVERIFY(enabledAndChecked(w.get<QRadioButton>("Option3"), true, true));
    QTest::mouseClick(w.get("Command4"), Qt::LeftButton);
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("P"));
    QCOMPARE(w.store.read(StoreFile::LatestBackup), QByteArray("L"));
}

void Form1Test::uninstallEndsTheProgram()
{
    Window w;
    w.store.write(StoreFile::Phrases, "P");
    w.store.write(StoreFile::InitialBackup, "I");
    w.start();
    QTest::mouseClick(w.get("Command6"), Qt::LeftButton);
    QPointer<Form2> help = w.form->helpWindow();
    QVERIFY(help && help->isVisible());
    bool visibleDuringMessages = false;
    w.messages.onShow = [&](const QString&, const QString&) {
        visibleDuringMessages = w.form->isVisible();
    };
    int exitCode = -1;
    QTimer::singleShot(0, [&] { QTest::mouseClick(w.get("Command5"), Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    exitCode = QApplication::exec();
    QCOMPARE(exitCode, 0);
    QCOMPARE(w.said(), (QStringList{texts::kRestoreDone, texts::kRestartHint}));
    QVERIFY(visibleDuringMessages);
    QVERIFY(!w.form->isVisible());
    QVERIFY(!help || !help->isVisible());
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("I"));
}

void Form1Test::uninstallFailureKeepsTheWindow()
{
    Window w;
    w.store.write(StoreFile::Phrases, "the only copy");
    w.start();
    QTest::mouseClick(w.get("Command5"), Qt::LeftButton);
    QCOMPARE(w.messages.shown.size(), size_t(1));
    QVERIFY(w.said().first().startsWith(QStringLiteral("卸载未能完成。")));
    QCOMPARE(w.messages.shown[0].title, QStringLiteral("日语输入法"));
    QVERIFY(w.form->isVisible());
    QCOMPARE(w.store.read(StoreFile::Phrases), QByteArray("the only copy"));
}

void Form1Test::aboutBox()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    QTest::mouseClick(w.get("Command1"), Qt::LeftButton);
    QCOMPARE(w.messages.shown.size(), size_t(1));
    QCOMPARE(w.messages.shown[0].title, QStringLiteral("       About         "));
    const QString text = w.messages.shown[0].text;
    QCOMPARE(text.count(QLatin1Char('\r')), 1);
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QVERIFY(text.startsWith(QStringLiteral("Kavro日语输入法安装包程序原理为将整理后的自定义词条载入"
                                           "配置文件，仅供日语非专业的初级用户使用。\r      ")));
    QVERIFY(text.contains(QStringLiteral(JLEX_VERSION)));
}

void Form1Test::webLinks()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    QTest::mouseClick(w.get("Image1"), Qt::LeftButton);
    QTest::mouseClick(w.get("Image1"), Qt::LeftButton);
    QCOMPARE(w.browser.opened.size(), 2); // a new browser window each time
    QCOMPARE(w.browser.opened[0].query(), QStringLiteral("f=youjian"));
    QCOMPARE(w.browser.opened[0].path(), QStringLiteral("/"));
    QTest::mouseClick(w.get("Label3"), Qt::LeftButton);
    QCOMPARE(w.browser.opened.size(), 3);
    const QUrl intro = w.browser.opened[2];
    QVERIFY(intro.isLocalFile());
    QVERIFY(QFileInfo(intro.toLocalFile()).isFile());
    QVERIFY(w.said().isEmpty());

    // No browser: say so, and carry on.
    w.browser.works = false;
    QTest::mouseClick(w.get("Label3"), Qt::LeftButton);
    QCOMPARE(w.messages.shown.size(), size_t(1));
    QVERIFY(w.said().first().startsWith(QStringLiteral("无法启动浏览器")));
    QVERIFY(w.form->isVisible());
}

void Form1Test::helpWindowIsSingleAndRecreated()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    QTest::mouseClick(w.get("Command6"), Qt::LeftButton);
    QPointer<Form2> first = w.form->helpWindow();
    QVERIFY(first && first->isVisible());
    first->showTopic(3);
    QTest::mouseClick(w.get("Command6"), Qt::LeftButton);
    QCOMPARE(w.form->helpWindow(), first.data());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* t) { return qobject_cast<Form2*>(t) && t->isVisible(); }),
             1);

    first->close();
    QTRY_VERIFY(!first); // closed help windows are deleted
    QTest::mouseClick(w.get("Command6"), Qt::LeftButton);
    Form2* second = w.form->helpWindow();
    QVERIFY(second && second->isVisible());
    QVERIFY(second->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText().isEmpty());
}

void Form1Test::exitClosesEverything()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    QTest::mouseClick(w.get("Command6"), Qt::LeftButton);
    QPointer<Form2> help = w.form->helpWindow();
    QTimer::singleShot(0, [&] { QTest::mouseClick(w.get("Command2"), Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w.form->isVisible());
    QVERIFY(!help || !help->isVisible());
    QVERIFY(w.said().isEmpty());
}

void Form1Test::closeBoxClosesOnlyTheMainWindow()
{
    Window w;
    w.store.write(StoreFile::Phrases, "");
    w.start();
    QTest::mouseClick(w.get("Command6"), Qt::LeftButton);
    QPointer<Form2> help = w.form->helpWindow();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    bool helpStayed = false;
    QTimer::singleShot(0, [&] { w.form->close(); }); // what the close box does
    QTimer::singleShot(100, [&] {
        helpStayed = help && help->isVisible() && lastClosed.isEmpty();
        help->close();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    // The program runs on with the help window, and ends when that closes too.
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(helpStayed);
    QCOMPARE(lastClosed.count(), 1);
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"

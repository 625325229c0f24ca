#include "support/FakeBrowser.h"
#include "support/RecordingMessages.h"
#include "support/TempStore.h"
#include "ui/Form1.h"
#include "ui/QtTranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>

using namespace jlex;

namespace {

// The main window, active, on a store that holds a phrase file and both
// backups (every choice enabled) or on a fresh one.
struct Window {
    Window(bool filled, Edition edition = Edition::Login) : store(edition)
    {
        if (filled) {
            for (StoreFile f :
                 {StoreFile::Phrases, StoreFile::InitialBackup, StoreFile::LatestBackup})
                store.write(f, "mine\r\n");
            for (StoreFile f : {StoreFile::InitialStamp, StoreFile::LatestStamp})
                store.write(f, "2026/12/1 10:00:00\r\n");
        }
        form = std::make_unique<Form1>(edition, messages, browser);
        form->startUp();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    QAbstractButton* get(const QString& name) const
    {
        return form->findChild<QAbstractButton*>(name);
    }
    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    TempStore store;
    RecordingMessages messages;
    FakeBrowser browser;
    std::unique_ptr<Form1> form;
};

// The darkest grey level of the caption as drawn.
int darkestCaptionGrey(QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const bool check = button->inherits("QCheckBox");
    const QRect caption = button->style()->subElementRect(
        check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
    const QImage image = button->grab(caption).toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void focusStartsOnTheFirstTabStop();
    void tabStopsAtTheSelectedOption_data();
    void tabStopsAtTheSelectedOption();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void disabledCaptionsAreGrey_data();
    void disabledCaptionsAreGrey();
    void standardButtonsSpeakChinese();
};

void KeyboardTest::focusStartsOnTheFirstTabStop()
{
    for (const bool filled : {false, true}) {
        Window w(filled);
        QCOMPARE(w.focused(), QStringLiteral("Command1"));
    }
}

void KeyboardTest::tabStopsAtTheSelectedOption_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("to");
    const int tab = Qt::Key_Tab, back = Qt::Key_Backtab, down = Qt::Key_Down, up = Qt::Key_Up;
    const auto row = [](const char* name, const char* from, QList<int> keys, const char* to) {
        QTest::newRow(name) << QString::fromLatin1(from) << keys << QString::fromLatin1(to);
    };
    row("tab into a pair", "Command6", {tab}, "Option1");
    row("tab on to the next pair", "Command6", {tab, tab}, "Option3");
    row("back into a pair", "Command7", {back}, "Option3");
    row("back out of a pair", "Option3", {back, back}, "Command6");
    row("arrow selects the partner", "Command6", {tab, down}, "Option2");
    row("arrow back", "Option3", {down, up}, "Option3");
    row("new choice is the stop", "Option3", {back, down, tab, back}, "Option2");
    row("tab out after an arrow", "Option1", {tab, down, tab}, "Command7");
    row("last wraps to first", "Check4", {tab}, "Command1");
}

void KeyboardTest::tabStopsAtTheSelectedOption()
{
    QFETCH(QString, from);
    QFETCH(QList<int>, keys);
    QFETCH(QString, to);
    Window w(true);
    w.get(from)->setFocus(Qt::OtherFocusReason);
    for (const int key : keys) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        // Wherever the keyboard is, an option it is on is the selected one.
        if (auto* option = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            option && option->inherits("QRadioButton"))
            QVERIFY2(option->isChecked(), qPrintable(option->objectName()));
    }
    QCOMPARE(w.focused(), to);
}

void KeyboardTest::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifier>("modifier");
    const auto row = [](const char* name, const char* button, int key, bool keypad) {
        QTest::newRow(name) << QString::fromLatin1(button) << key
                            << (keypad ? Qt::KeypadModifier : Qt::NoModifier);
    };
    row("Return on About", "Command1", Qt::Key_Return, false);
    row("keypad Enter on About", "Command1", Qt::Key_Enter, true);
    row("Return on Backup", "Command7", Qt::Key_Return, false);
    row("keypad Enter on Help", "Command6", Qt::Key_Enter, true);
}

void KeyboardTest::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifier, modifier);
    Window w(true);
    QSignalSpy clicked(w.get(button), &QAbstractButton::clicked);
    w.get(button)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.get(button), Qt::Key(key), modifier);
    QCOMPARE(clicked.count(), 1);
}

void KeyboardTest::disabledCaptionsAreGrey_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("disabled");
    QTest::addColumn<QString>("enabled");
    for (const Edition e : {Edition::Login, Edition::Public}) {
        const QByteArray edition = e == Edition::Login ? "login " : "public ";
        // Check2 is disabled in every store: the grey it always had.
        for (const auto& [off, on] :
             {std::pair{"Check1", "Check3"}, {"Option1", "Option2"}, {"Check2", "Check4"}})
            QTest::newRow(edition + off)
                << e << QString::fromLatin1(off) << QString::fromLatin1(on);
    }
}

void KeyboardTest::disabledCaptionsAreGrey()
{
    QFETCH(Edition, edition);
    QFETCH(QString, disabled);
    QFETCH(QString, enabled);
    Window w(false, edition); // a fresh store disables Check1 and Option1
    QVERIFY(!w.get(disabled)->isEnabled() && w.get(enabled)->isEnabled());
    const int grey = darkestCaptionGrey(w.get(disabled));
    const int black = darkestCaptionGrey(w.get(enabled));
    QVERIFY2(grey > black + 64, qPrintable(QStringLiteral("%1 vs %2").arg(grey).arg(black)));
}

void KeyboardTest::standardButtonsSpeakChinese()
{
    QVERIFY(loadQtTranslation());
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"

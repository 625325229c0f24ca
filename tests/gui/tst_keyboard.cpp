#include "ops/Targets.h"
#include "support/FakeBrowser.h"
#include "support/RecordingMessages.h"
#include "support/TempStore.h"
#include "ui/Form1.h"
#include "ui/QtTranslation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>

using namespace jlex;

namespace {

// The main window, active, on a store holding a phrase file and both backups
// (every choice enabled) or on a fresh one (Check1 and Option1 disabled).
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
        form = std::make_unique<Form1>(kavroTarget(edition), messages, browser);
        form->startUp();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    QAbstractButton* get(const char* name) const
    {
        return form->findChild<QAbstractButton*>(QLatin1String(name));
    }

    TempStore store;
    RecordingMessages messages;
    FakeBrowser browser;
    std::unique_ptr<Form1> form;
};

QString focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// The darkest grey level of a check box's or option's caption as drawn.
int darkestCaptionGrey(QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const auto caption = button->inherits("QCheckBox") ? QStyle::SE_CheckBoxContents
                                                       : QStyle::SE_RadioButtonContents;
    const QImage image =
        button->grab(button->style()->subElementRect(caption, &option, button)).toImage();
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
    void focusFollowsTabStops();
    void enterPressesTheFocusedButton();
    void disabledCaptionsAreGrey();
    void standardButtonsSpeakChinese();
};

void KeyboardTest::focusFollowsTabStops()
{
    const Qt::Key tab = Qt::Key_Tab, back = Qt::Key_Backtab, down = Qt::Key_Down, up = Qt::Key_Up;
    const struct {
        const char *from, *to;
        QList<Qt::Key> keys;
    } cases[] = {{nullptr, "Command1", {}}, // at start
                 {"Command6", "Option1", {tab}},
                 {"Command6", "Option3", {tab, tab}},
                 {"Command7", "Option3", {back}},
                 {"Option3", "Command6", {back, back}},
                 {"Command6", "Option2", {tab, down}},
                 {"Option3", "Option3", {down, up}},
                 {"Option1", "Command7", {tab, down, tab}},
                 {"Option3", "Option2", {back, down, tab, back}},
                 {"Check4", "Command1", {tab}}};
    for (const auto& c : cases) {
        Window w(true); // Option1 and Option3 selected
        if (c.from)
            w.get(c.from)->setFocus(Qt::OtherFocusReason);
        for (const Qt::Key key : c.keys) {
            QTest::keyClick(QApplication::focusWidget(), key);
            // The keyboard never rests on an unselected option.
            if (auto* option = qobject_cast<QRadioButton*>(QApplication::focusWidget()))
                QVERIFY2(option->isChecked(), qPrintable(focused()));
        }
        QVERIFY2(focused() == QLatin1String(c.to), qPrintable(c.to + (" != " + focused())));
    }
}

void KeyboardTest::enterPressesTheFocusedButton()
{
    const struct {
        const char* button;
        Qt::Key key;
        Qt::KeyboardModifier modifier;
    } cases[] = {{"Command1", Qt::Key_Return, Qt::NoModifier},
                 {"Command1", Qt::Key_Enter, Qt::KeypadModifier},
                 {"Command7", Qt::Key_Return, Qt::NoModifier},
                 {"Command6", Qt::Key_Enter, Qt::KeypadModifier}};
    for (const auto& c : cases) {
        Window w(true);
        QSignalSpy clicked(w.get(c.button), &QAbstractButton::clicked);
        w.get(c.button)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w.get(c.button), c.key, c.modifier);
        QVERIFY2(clicked.count() == 1, c.button);
    }
}

void KeyboardTest::disabledCaptionsAreGrey()
{
    // Check2 is disabled in every store and was always grey.
    const std::pair<const char*, const char*> disabledAndEnabled[] = {
        {"Check1", "Check3"}, {"Option1", "Option2"}, {"Check2", "Check4"}};
    for (const Edition edition : {Edition::Login, Edition::Public}) {
        Window w(false, edition);
        for (const auto& [off, on] : disabledAndEnabled) {
            QVERIFY(!w.get(off)->isEnabled() && w.get(on)->isEnabled());
            const int grey = darkestCaptionGrey(w.get(off)), black = darkestCaptionGrey(w.get(on));
            QVERIFY2(grey > black + 64, off);
        }
    }
}

void KeyboardTest::standardButtonsSpeakChinese()
{
    QVERIFY(loadQtTranslation());
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"

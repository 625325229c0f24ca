#pragma once

#include "support/FakeBrowser.h"
#include "support/RecordingMessages.h"
#include "support/StoreState.h"
#include "targets/Registry.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QTest>

// One main window on a store of its own, with its messages and browser recorded.
struct MainWindowDriver {
    explicit MainWindowDriver(const QString& ime = QStringLiteral("kavro-login")) : store(ime) {}

    // On a store laid as in StoreState.h.
    void start(const QString& files = {})
    {
        layStore(store, files);
        form = std::make_unique<jlex::Form1>(jlex::registrationNamed(store.ime)->make({}), messages,
                                             browser);
        form->startUp();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    template <class W = QWidget> W* get(const QString& n) const { return form->findChild<W*>(n); }
    // Near the top left, where a check box or option button has its box.
    void click(const QString& n) const { QTest::mouseClick(get(n), Qt::LeftButton, {}, {5, 10}); }
    // One step: clicks the named control, lays the files given as "P=p" (see
    // StoreState.h), or at "look" has the window look at the store again.
    void act(const QString& s) const
    {
        s.contains('=') ? layStore(store, s) : s == "look" ? form->startUp() : click(s);
    }
    // The controls the survey sets, Option1 Option2 Check1 Command7 and then
    // Option3 Option4 Command4 Command5: "x" ticked, "o" enabled, "-" disabled.
    QString controls() const
    {
        QString all;
        for (const char* name : {"Option1", "Option2", "Check1", "Command7", "", "Option3",
                                 "Option4", "Command4", "Command5"}) {
            const auto* b = get<QAbstractButton>(name);
            all += !*name ? ' ' : !b->isEnabled() ? '-' : b->isChecked() ? 'x' : 'o';
        }
        return all;
    }
    TempStore store;
    RecordingMessages messages;
    FakeBrowser browser;
    std::unique_ptr<jlex::Form1> form;
};

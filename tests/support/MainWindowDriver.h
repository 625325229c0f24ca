#pragma once

#include "ops/Targets.h"
#include "support/FakeBrowser.h"
#include "support/RecordingMessages.h"
#include "support/StoreState.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

// One main window on a store of its own, with its messages and browser recorded.
struct MainWindowDriver {
    explicit MainWindowDriver(jlex::Edition edition = jlex::Edition::Login) : store(edition) {}

    void start()
    {
        form = std::make_unique<jlex::Form1>(jlex::kavroTarget(store.paths.edition()), messages,
                                             browser);
        form->startUp();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    template <class W = QWidget> W* get(const char* name) const
    {
        return form->findChild<W*>(QLatin1String(name));
    }
    // Near the top left, where a check box or option button has its box.
    void click(const char* name) const
    {
        QTest::mouseClick(get(name), Qt::LeftButton, {}, QPoint(5, 10));
    }
    // In order: clicks the named controls, lays the files given as "P=p" (see
    // StoreState.h), and at "look" has the window look at the store again.
    void act(const QString& steps) const
    {
        for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step.contains(QLatin1Char('=')))
                layStore(store, step);
            else if (step == QStringLiteral("look"))
                form->startUp();
            else
                click(qPrintable(step));
        }
    }
    // The controls the survey sets, Option1 Option2 Check1 Command7 and then
    // Option3 Option4 Command4 Command5: "x" ticked, "o" enabled, "-" disabled.
    QString controls() const
    {
        QString all;
        for (const char* name : {"Option1", "Option2", "Check1", "Command7", " ", "Option3",
                                 "Option4", "Command4", "Command5"}) {
            const auto* b = *name == ' ' ? nullptr : get<QAbstractButton>(name);
            all += !b ? ' ' : !b->isEnabled() ? '-' : b->isChecked() ? 'x' : 'o';
        }
        return all;
    }
    TempStore store;
    RecordingMessages messages;
    FakeBrowser browser;
    std::unique_ptr<jlex::Form1> form;
};

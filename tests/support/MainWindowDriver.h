#pragma once

#include "support/FakeBrowser.h"
#include "support/RecordingMessages.h"
#include "support/TempStore.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

// One main window on a store of its own, with its messages and browser recorded.
struct MainWindowDriver {
    explicit MainWindowDriver(jlex::Edition edition = jlex::Edition::Login) : store(edition) {}

    void start()
    {
        form = std::make_unique<jlex::Form1>(store.paths.edition(), messages, browser);
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
    // Near the top left, where a check box or option button has its box.
    void click(const char* name) const
    {
        QTest::mouseClick(get(name), Qt::LeftButton, {}, QPoint(5, 10));
    }
    // The controls the survey sets: "Name(off)" when disabled, "*" when ticked.
    QString controls() const
    {
        QStringList all;
        for (const char* name : {"Option1", "Option2", "Check1", "Command7", "Option3", "Option4",
                                 "Command4", "Command5"}) {
            const auto* b = get<QAbstractButton>(name);
            all << QLatin1String(name) + QLatin1String(b->isEnabled() ? "" : "(off)") +
                       QLatin1String(b->isChecked() ? "*" : "");
        }
        return all.join(QLatin1Char(' '));
    }
    // Runs the event loop until the program is told to end; -1 if it never is.
    static int runUntilExit(const std::function<void()>& action)
    {
        QTimer::singleShot(0, action);
        QTimer::singleShot(5000, [] { QCoreApplication::exit(-1); });
        return QApplication::exec();
    }

    TempStore store;
    RecordingMessages messages;
    FakeBrowser browser;
    std::unique_ptr<jlex::Form1> form;
};

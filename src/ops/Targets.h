#pragma once

#include "ops/Target.h"

#include <QList>
#include <QString>

#include <functional>

namespace jlex {

// Where a command line or a window points a target other than where it
// would look by itself.
struct TargetOptions {
    QString rimeDir; // --rime-dir: the Rime user folder
};

// A program's menu entry, in Chinese and in English.
struct DesktopEntry {
    QString name, nameEn;
    QString comment, commentEn;
    QString keywords; // ';'-separated, ending with one
};

// One input method jlex writes for, registered once. The command line, its
// help and manual, the window programs, the package and the tests all go by
// these registrations; adding an input method is adding one.
struct TargetRegistration {
    QString name;      // --ime NAME, and the name of its history
    QString program;   // its window program
    QString imeHelp;   // what --ime NAME stands for, in --help
    QString filesHelp; // where its files are, in --help
    std::function<Target(const TargetOptions&)> make;
    DesktopEntry desktop;
};

// In the order --help lists them; the first is the command line's default.
const QList<TargetRegistration>& targetRegistrations();
const TargetRegistration* registrationNamed(QStringView name);
const TargetRegistration* registrationOfProgram(QStringView program);

} // namespace jlex

#pragma once

#include "ops/Target.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>

namespace jlex {

// An option an input method takes besides the common ones, on the command
// line and in its window program: --NAME VALUE.
struct TargetOption {
    QString name;
    QString valueName;
    QString description; // in --help
};

// The values given for an input method's own options, by option name.
using TargetOptions = QMap<QString, QString>;

// A program's menu entry, in Chinese and in English.
struct DesktopEntry {
    QString name, nameEn;
    QString comment, commentEn;
    QString keywords; // ';'-separated, ending with one
};

// One input method jlex writes for, registered once. The command line, its
// help and manual, the window programs, the package and the tests all go by
// these registrations; adding an input method is adding a folder under
// src/targets and one line to src/targets/targets.txt.
struct TargetRegistration {
    QString name;       // --ime NAME, and the name of its history
    QString program;    // its window program
    QString imeHelp;    // what --ime NAME stands for, in --help
    QString filesHelp;  // where its files are, in --help
    QString exportHelp; // the bytes export writes for it, in --help
    // A section of --help of its own, its heading on the first line, and an
    // example line for the examples; either may be empty.
    QString helpSection;
    QString helpExample;
    QList<TargetOption> options;
    std::function<Target(const TargetOptions&)> make;
    DesktopEntry desktop;
};

// In the order --help lists them; the first is the command line's default.
const QList<TargetRegistration>& targetRegistrations();
const TargetRegistration* registrationNamed(QStringView name);
const TargetRegistration* registrationOfProgram(QStringView program);

} // namespace jlex

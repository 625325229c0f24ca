#pragma once

#include "cli/Invocation.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace jlex::cli {

// What a command takes after its name besides options.
enum class Operands { None, Keys, Text, HistoryShow };

struct Command {
    QString name;
    QString synopsis;    // how it is written, after "jlex "
    QString description; // what it does and which files it changes
    QStringList options; // the options it takes besides --ime
    Operands operands = Operands::None;
    int (*run)(const Invocation&) = nullptr;
};

struct Option {
    QStringList names; // long name last
    QString valueName; // empty for a switch
    QString description;
};

// Everything the command line knows, in the order --help shows it.
const QList<Command>& commands();
const QList<Option>& options();
const Command* commandNamed(QStringView name);
// The options every command takes: which store it works on.
const QStringList& globalOptions();

} // namespace jlex::cli

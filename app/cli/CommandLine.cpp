#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/HelpText.h"
#include "cli/Output.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace jlex::cli {

namespace {

int wrongUsage(const QString& message)
{
    tell(message);
    tell(QStringLiteral("用 jlex --help 查看用法。"));
    return kWrongUsage;
}

// Every value of every --tables, comma-separated; kana may be named, as it
// always goes in. The first name that is no table, or an empty text when none
// was named at all.
std::optional<QList<PhraseTable>> tablesNamed(const QStringList& values, QString* unknown)
{
    QList<PhraseTable> tables;
    for (const QString& value : values) {
        for (const QString& name : value.split(u',', Qt::SkipEmptyParts)) {
            const std::optional<PhraseTable> table = tableNamed(name.trimmed());
            if (!table) {
                *unknown = name.trimmed();
                return std::nullopt;
            }
            tables << *table;
        }
    }
    if (tables.isEmpty())
        return std::nullopt;
    return tables;
}

// The operands' count for the command, or the message saying what is wrong.
QString operandsProblem(const Command& command, const QStringList& operands)
{
    switch (command.operands) {
    case Operands::None:
        if (!operands.isEmpty())
            return QStringLiteral("命令 %1 不接受参数：%2").arg(command.name, operands.join(u' '));
        break;
    case Operands::Keys:
        if (operands.isEmpty())
            return QStringLiteral("缺少按键：jlex %1").arg(command.synopsis);
        break;
    case Operands::Text:
        if (operands.size() != 1 || operands.constFirst().isEmpty())
            return QStringLiteral("需要一段文字：jlex %1").arg(command.synopsis);
        break;
    case Operands::HistoryShow:
        if (!operands.isEmpty() && (operands.size() != 2 || operands[0] != QLatin1String("show")))
            return QStringLiteral("用法：jlex %1").arg(command.synopsis);
        break;
    }
    return {};
}

} // namespace

int runCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    for (const Option& option : options()) {
        if (option.valueName.isEmpty())
            parser.addOption(QCommandLineOption(option.names));
        else
            parser.addOption(QCommandLineOption(option.names, {}, option.valueName));
    }
    if (!parser.parse(arguments))
        return wrongUsage(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return writeResultLine(helpText().chopped(1)) ? kDone : outputFailed();
    if (parser.isSet(QStringLiteral("version")))
        return writeResultLine(QStringLiteral("jlex ") + QCoreApplication::applicationVersion())
                   ? kDone
                   : outputFailed();

    QStringList operands = parser.positionalArguments();
    if (operands.isEmpty())
        return wrongUsage(QStringLiteral("缺少命令。"));
    const QString commandName = operands.takeFirst();
    const Command* command = commandNamed(commandName);
    if (!command)
        return wrongUsage(QStringLiteral("未知命令：%1").arg(commandName));

    Invocation invocation;
    const QString imeName = parser.value(QStringLiteral("ime"));
    if (parser.isSet(QStringLiteral("ime"))) {
        invocation.ime = registrationNamed(imeName);
        invocation.imeGiven = true;
        if (!invocation.ime) {
            QStringList known;
            for (const TargetRegistration& target : targetRegistrations())
                known << target.name;
            return wrongUsage(QStringLiteral("未知输入法：%1（可用 %2）")
                                  .arg(imeName, known.join(QStringLiteral("、"))));
        }
    }
    // An input method's own options go with it alone, and each needs its value.
    for (const TargetRegistration& target : targetRegistrations()) {
        for (const TargetOption& option : target.options) {
            if (!parser.isSet(option.name) || invocation.options.contains(option.name))
                continue;
            const auto own =
                std::find_if(invocation.ime->options.begin(), invocation.ime->options.end(),
                             [&](const TargetOption& o) { return o.name == option.name; });
            const QString value = parser.value(option.name);
            if (own == invocation.ime->options.end() || value.isEmpty()) {
                QStringList takers;
                for (const TargetRegistration& other : targetRegistrations()) {
                    for (const TargetOption& o : other.options) {
                        if (o.name == option.name)
                            takers << QStringLiteral("--ime ") + other.name;
                    }
                }
                return wrongUsage(
                    QStringLiteral("--%1 %2 只用于 %3")
                        .arg(option.name, option.valueName, takers.join(QStringLiteral("、"))));
            }
            invocation.options.insert(option.name, value);
        }
    }
    for (const Option& option : options()) {
        const QString& name = option.names.constLast();
        if (!globalOptions().contains(name) && parser.isSet(name) &&
            !command->options.contains(name))
            return wrongUsage(QStringLiteral("命令 %1 不接受选项 --%2").arg(command->name, name));
    }
    if (parser.isSet(QStringLiteral("tables"))) {
        QString unknown;
        const auto tables = tablesNamed(parser.values(QStringLiteral("tables")), &unknown);
        if (!tables)
            return wrongUsage(
                unknown.isEmpty()
                    ? QStringLiteral("--tables 需要至少一个表名（greeting、kanji 或 kana）")
                    : QStringLiteral("未知短语表：%1（可用 greeting、kanji，kana 总会包含）")
                          .arg(unknown));
        invocation.tables = *tables;
        invocation.tablesGiven = true;
    }
    invocation.overwrite = parser.isSet(QStringLiteral("overwrite"));
    invocation.noBackup = parser.isSet(QStringLiteral("no-backup"));
    invocation.restoreInitial = parser.isSet(QStringLiteral("initial"));
    invocation.restoreFrom = parser.value(QStringLiteral("from"));
    invocation.fix = parser.isSet(QStringLiteral("fix"));
    const int restoreChoices = int(parser.isSet(QStringLiteral("latest"))) +
                               int(invocation.restoreInitial) +
                               int(parser.isSet(QStringLiteral("from")));
    if (command->name == QLatin1String("restore") && restoreChoices != 1)
        return wrongUsage(
            QStringLiteral("restore 需要 --latest、--initial 或 --from 编号，三者选一。"));
    const QString problem = operandsProblem(*command, operands);
    if (!problem.isEmpty())
        return wrongUsage(problem);
    invocation.operands = operands;
    return command->run(invocation);
}

} // namespace jlex::cli

#include "cli/Commands.h"

#include "cli/DoctorCommand.h"
#include "cli/HelpText.h"

#include "cli/StoreCommands.h"
#include "cli/TableCommands.h"

namespace jlex::cli {

namespace {

// What export writes for each input method, from their registrations; input
// methods whose files are alike are named together.
QString exportDescription()
{
    QList<QPair<QString, QStringList>> formats;
    for (const TargetRegistration& target : targetRegistrations()) {
        const auto same = std::find_if(formats.begin(), formats.end(),
                                       [&](const auto& f) { return f.first == target.exportHelp; });
        if (same == formats.end())
            formats.append({target.exportHelp, {target.name}});
        else
            same->second << target.name;
    }
    QStringList each;
    for (const auto& [words, names] : formats)
        each << names.join(QStringLiteral("、")) + QStringLiteral(" 为 ") + words;
    return wrappedForHelp(
        QStringLiteral("把所选短语表本身按该输入法的格式写到标准输出，供自行管理输入法"
                       "文件的人放置：") +
        each.join(QStringLiteral("，")) + QStringLiteral("。不改动任何文件。"));
}

} // namespace

const QList<Command>& commands()
{
    static const QList<Command> list = {
        {QStringLiteral("status"),
         QStringLiteral("status"),
         QStringLiteral("显示启动时检查所见的情况：短语文件的路径及状态，最初状态备份和最近\n"
                        "状态备份及其时间，是否遗留临时交换文件，以及中断的操作留下的临时\n"
                        "文件（下一次操作会先把它们的内容存入历史记录，再删除）。不改动任何\n"
                        "文件。"),
         {},
         Operands::None,
         showStatus},
        {QStringLiteral("install"),
         QStringLiteral("install [--tables 表,…] [--overwrite] [--no-backup]"),
         QStringLiteral("安装短语表，如同“安装”按钮：把所选短语表写在用户词条前面（添加模式），\n"
                        "或用 --overwrite 取代用户词条（覆盖模式）。改动短语文件；改动前先备份\n"
                        "短语文件，第一次为最初状态备份，之后为最近状态备份，并记下时间。\n"
                        "--no-backup 不备份，在标准错误上提示一行。"),
         {QStringLiteral("tables"), QStringLiteral("overwrite"), QStringLiteral("no-backup")},
         Operands::None,
         installTables},
        {QStringLiteral("backup"),
         QStringLiteral("backup"),
         QStringLiteral("备份短语文件：第一次为最初状态备份，之后为最近状态备份，并记下时间。\n"
                        "只改动备份文件和它的时间记录，不改动短语文件。"),
         {},
         Operands::None,
         backUp},
        {QStringLiteral("restore"),
         QStringLiteral("restore --latest | --initial | --from 编号"),
         QStringLiteral("还原短语文件：--latest 把短语文件与最近状态备份互换，--initial 把短语\n"
                        "文件恢复为最初状态备份，--from 恢复为历史记录中的那个版本；被取代的\n"
                        "短语文件成为最近状态备份。改动短语文件、最近状态备份和它的时间记录。"),
         {QStringLiteral("latest"), QStringLiteral("initial"), QStringLiteral("from")},
         Operands::None,
         restoreBackup},
        {QStringLiteral("uninstall"),
         QStringLiteral("uninstall"),
         QStringLiteral("卸载短语表：把短语文件恢复为最初状态备份，不询问；被取代的短语文件\n"
                        "成为最近状态备份。改动短语文件、最近状态备份和它的时间记录。"),
         {},
         Operands::None,
         uninstallTables},
        {QStringLiteral("history"),
         QStringLiteral("history [show 编号]"),
         QStringLiteral("列出历史记录：每次安装、备份、还原、卸载替换或丢弃的短语文件和最近\n"
                        "状态备份都先存在这里，相同的内容只存一份。保留最近 50 个版本和 90 天\n"
                        "内的所有版本，最初状态备份的内容一直保留。show 把那个版本的原样字节\n"
                        "写到标准输出；用 restore --from 编号 取回。不改动任何文件。"),
         {},
         Operands::HistoryShow,
         showHistory},
        {QStringLiteral("doctor"),
         QStringLiteral("doctor [--fix]"),
         QStringLiteral("检查决定输入法能否打出 jlex 词条的每一件事：输入法是否在运行、读不读\n"
                        "自定义短语、读的是不是这个文件、设置是否挡住了某些按键、短语表是否\n"
                        "完好、有无遗留的临时文件、历史记录多大。没有 --ime 时检查本机找到的\n"
                        "每一种输入法。每项一行：检查了什么、结果，有问题时还有办法。--fix 逐项\n"
                        "询问后代为修正（只改本程序管理的文件或用输入法自己的设置接口），\n"
                        "卸载时全部撤销。全部正常时退出状态为 0。"),
         {QStringLiteral("fix")},
         Operands::None,
         runDoctor},
        {QStringLiteral("export"),
         QStringLiteral("export [--tables 表,…]"),
         exportDescription(),
         {QStringLiteral("tables")},
         Operands::None,
         exportTables},
        {QStringLiteral("lookup"),
         QStringLiteral("lookup 按键…"),
         QStringLiteral("列出输入每个按键得到的词条，次序与输入法中相同：按位置排列，位置相同\n"
                        "的按 kana、greeting、kanji 表及表中次序。只要有一个按键有词条即为找到。\n"
                        "不改动任何文件。"),
         {QStringLiteral("tables")},
         Operands::Keys,
         lookupKeys},
        {QStringLiteral("search"),
         QStringLiteral("search 文字"),
         QStringLiteral("列出日语文字含有该文字的词条及其按键，供知道日语而不知道按键的人查找。\n"
                        "不改动任何文件。"),
         {QStringLiteral("tables")},
         Operands::Text,
         searchText},
    };
    return list;
}

namespace {

// --ime's values and what each stands for, from the registered input methods.
Option imeOption()
{
    QStringList names;
    QString help = QStringLiteral("要操作的输入法，默认 %1。").arg(targetRegistrations()[0].name);
    for (const TargetRegistration& target : targetRegistrations()) {
        names << target.name;
        help += u'\n' + target.name + QStringLiteral("：") + target.imeHelp + QStringLiteral("。");
    }
    return {{QStringLiteral("ime")}, names.join(u'|'), help};
}

// The options the input methods take of their own, each once.
QList<Option> targetOptions()
{
    QList<Option> list;
    for (const TargetRegistration& target : targetRegistrations()) {
        for (const TargetOption& option : target.options) {
            if (std::none_of(list.begin(), list.end(),
                             [&](const Option& o) { return o.names.constLast() == option.name; }))
                list.append({{option.name}, option.valueName, option.description});
        }
    }
    return list;
}

} // namespace

const QStringList& globalOptions()
{
    static const QStringList list = [] {
        QStringList names{QStringLiteral("ime")};
        for (const Option& option : targetOptions())
            names << option.names.constLast();
        return names;
    }();
    return list;
}

const QList<Option>& options()
{
    static const QList<Option> list =
        QList<Option>{imeOption()} + targetOptions() +
        QList<Option>{
            {{QStringLiteral("tables")},
             QStringLiteral("表,…"),
             QStringLiteral(
                 "除总会包含的 kana（日语假名）外还要哪些表，以逗号分隔：greeting（常用\n"
                 "交际短语）、kanji（日语汉字）；默认 greeting，与窗口相同。--tables kana\n"
                 "只要日语假名。install、export 写这些表；lookup、search 不给出时查全部\n"
                 "三张表，给出时只查这些表。")},
            {{QStringLiteral("overwrite")},
             {},
             QStringLiteral("install：覆盖模式，短语表取代用户词条。")},
            {{QStringLiteral("no-backup")}, {}, QStringLiteral("install：改动前不备份短语文件。")},
            {{QStringLiteral("latest")}, {}, QStringLiteral("restore：与最近状态备份互换。")},
            {{QStringLiteral("initial")}, {}, QStringLiteral("restore：恢复为最初状态备份。")},
            {{QStringLiteral("from")},
             QStringLiteral("编号"),
             QStringLiteral("restore：恢复为历史记录中的这个版本（jlex history 列出的编号，\n"
                            "可只写开头几位）。")},
            {{QStringLiteral("fix")},
         {},
         QStringLiteral("doctor：对有问题而可以代为修正的项逐项询问，同意的就修正。")},
        {{QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("显示本帮助。")},
            {{QStringLiteral("v"), QStringLiteral("version")}, {}, QStringLiteral("显示版本。")},
        };
    return list;
}

const Command* commandNamed(QStringView name)
{
    for (const Command& command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

} // namespace jlex::cli

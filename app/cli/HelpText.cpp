#include "cli/HelpText.h"

#include "cli/Commands.h"
#include "targets/Registry.h"

namespace jlex::cli {

namespace {

QString indented(const QString& text)
{
    return QStringLiteral("      ") + QString(text).replace(u'\n', QStringLiteral("\n      ")) +
           u'\n';
}

QString optionHeading(const Option& option)
{
    QStringList names;
    for (const QString& name : option.names)
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString heading = QStringLiteral("  ") + names.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty())
        heading += u' ' + option.valueName;
    return heading + u'\n';
}

} // namespace

QString wrappedForHelp(const QString& text)
{
    constexpr int kColumns = 76;
    const auto width = [](QChar c) { return c.unicode() < 0x1100 ? 1 : 2; };
    QString out;
    int column = 0;
    for (qsizetype i = 0; i < text.size();) {
        // A run of Latin letters, digits and their punctuation goes whole.
        qsizetype end = i + 1;
        if (text[i].unicode() < 0x1100 && !text[i].isSpace()) {
            while (end < text.size() && text[end].unicode() < 0x1100 && !text[end].isSpace())
                ++end;
        }
        int runWidth = 0;
        for (qsizetype j = i; j < end; ++j)
            runWidth += width(text[j]);
        // Closing punctuation stays with what it closes.
        const bool closing = QStringLiteral("，。、；：）」』”").contains(text[i]);
        if (column + runWidth > kColumns && column > 0 && !closing) {
            while (out.endsWith(u' '))
                out.chop(1);
            out += u'\n';
            column = 0;
            if (text[i].isSpace()) {
                ++i;
                continue;
            }
        }
        out += text.mid(i, end - i);
        column += runWidth;
        i = end;
    }
    return out;
}

QString helpText()
{
    QString text = QStringLiteral(
        "用法：jlex [--ime 输入法] 命令 [选项] [参数…]\n"
        "      jlex --help | --version\n\n"
        "把日语短语表（日语假名、常用交际短语、日语汉字）写入拼音输入法的自定义短语\n"
        "文件，并照看用户自己的词条（备份、还原、卸载），与窗口程序做的相同；还能导出\n"
        "短语表，查出按键打出什么、日语怎么打。\n\n"
        "命令：\n");
    for (const Command& command : commands())
        text += QStringLiteral("  ") + command.synopsis + u'\n' + indented(command.description);
    text += QStringLiteral("\n选项（可写在命令前后）：\n");
    for (const Option& option : options())
        text += optionHeading(option) + indented(option.description);
    text += QStringLiteral(
        "\n输出：\n"
        "  结果写到标准输出，每行一项；提示和错误写到标准错误；文字按当前区域设置的\n"
        "  编码（没有指定时为 UTF-8）。lookup 和 search 每行一条词条，以制表符分隔四栏：\n"
        "  表<TAB>按键<TAB>位置<TAB>文字，表为 kana、greeting、kanji。export 和\n"
        "  history show 写出原样字节。status 每行一个文件，以制表符分隔五栏：\n"
        "  文件<TAB>状态<TAB>路径<TAB>本机路径<TAB>备份时间（没有则为空）；文件为\n"
        "  phrases、initial-backup、latest-backup、swap，以及中断的操作留下的 leftover；\n"
        "  状态为 present（在）、absent（不在）、unreadable（在，但无权读取）、\n"
        "  not-a-file（是目录、管道、不跟随的符号链接等，不是普通文件）。路径中的\n"
        "  制表符、换行和反斜杠写作 \\t、\\n、\\\\。history 每行一个版本，新的在前：\n"
        "  编号<TAB>时间（ISO 8601，本地时间）<TAB>字节数<TAB>行数<TAB>替换它的操作。\n\n"
        "退出状态：\n"
        "  0  完成；lookup 至少有一个按键有词条，search 找到了词条。\n"
        "  1  操作失败，文件的状况如错误信息所述；另一个 jlex 正在修改同一处文件（等候\n"
        "     5 秒后放弃，不做任何改动）；或 lookup、search 什么也没找到。\n"
        "  2  用法错误：未知的命令或选项，选项的值不对，缺少参数。\n\n"
        "文件：\n");
    for (const TargetRegistration& target : targetRegistrations())
        text += QStringLiteral("  %1%2\n")
                    .arg(target.name, -14)
                    .arg(QString(target.filesHelp)
                             .replace(u'\n', QStringLiteral("\n") + QString(16, u' ')));
    text += QStringLiteral("  历史记录      $XDG_DATA_HOME/jlex/history/输入法/，只有您自己能读\n"
                           "                （XDG_DATA_HOME 默认 ~/.local/share）\n\n");
    for (const TargetRegistration& target : targetRegistrations()) {
        if (!target.helpSection.isEmpty())
            text += target.helpSection + QStringLiteral("\n\n");
    }
    text += QStringLiteral("示例：\n"
                           "  jlex install --tables greeting,kanji\n"
                           "  jlex lookup xiexie\n");
    for (const TargetRegistration& target : targetRegistrations()) {
        if (!target.helpExample.isEmpty())
            text += QStringLiteral("  ") + target.helpExample + u'\n';
    }
    return text;
}

} // namespace jlex::cli

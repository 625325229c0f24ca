#include "cli/HelpText.h"

#include "cli/Commands.h"

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
        "  结果写到标准输出，每行一项；提示和错误写到标准错误。lookup 和 search 每行\n"
        "  一条词条，以制表符分隔四栏：表<TAB>按键<TAB>位置<TAB>文字，表为 kana、\n"
        "  greeting、kanji。export 写出短语表的原样字节。status 每行一个文件，以制表符\n"
        "  分隔：文件<TAB>present 或 absent<TAB>路径，备份另有<TAB>备份时间；文件为\n"
        "  phrases、initial-backup、latest-backup、swap。\n\n"
        "退出状态：\n"
        "  0  完成。\n"
        "  1  操作失败，文件的状况如错误信息所述；或 lookup、search 没有找到词条。\n"
        "  2  用法错误：未知的命令或选项，选项的值不对，缺少参数。\n\n"
        "文件：\n"
        "  fcitx5        $XDG_DATA_HOME/fcitx5/pinyin/customphrase，备份在\n"
        "                $XDG_DATA_HOME/jlex/fcitx5/（XDG_DATA_HOME 默认 ~/.local/share）\n"
        "  kavro-login   $WINEPREFIX/drive_c/Documents and Settings/$USERNAME/\n"
        "                Application Data/KavroPY.users/00000001/phrases.ini\n"
        "  kavro-public  $WINEPREFIX/drive_c/Documents and Settings/$USERNAME/\n"
        "                Application Data/KavroPY/phrases.ini\n"
        "                （WINEPREFIX 默认 ~/.wine）\n\n"
        "示例：\n"
        "  jlex install --tables greeting,kanji\n"
        "  jlex lookup xiexie\n"
        "  jlex --ime kavro-login export --tables kanji > phrases.ini\n");
    return text;
}

} // namespace jlex::cli

// The Kavro IME, run under Wine: a window program for each of its two
// directories, the signed-in account's and the shared one.
#include "targets/Registry.h"
#include "targets/kavro/KavroDoctor.h"
#include "targets/kavro/KavroPaths.h"
#include "targets/shared/AboutText.h"

namespace jlex::targets {

namespace {

const QString kRestartHint =
    QStringLiteral("请重启Kavro输入法(注销，再启动)或查看帮助说明文件以完成应用。");

Target kavroTarget(Edition edition)
{
    const auto paths = std::make_shared<KavroPaths>(edition);
    return {
        .paths = paths,
        .reloader = nullptr,
        .sideFiles = {},
        .placement = nullptr,
        .doctor = std::make_shared<KavroDoctor>(paths),
        .look = edition == Edition::Login ? WindowLook::White : WindowLook::System,
        .texts =
            {
                .windowTitle = QStringLiteral("Kavro日本語入力(非专业)"),
                .about = aboutText(
                    QStringLiteral(
                        "Kavro日语输入法安装包程序原理为将整理后的自定义词条载入配置文件，"
                        "仅供日语非专业的初级用户使用。"),
                    QStringLiteral(
                        "：本程序只修改Kavro输入法的自定义词条文件，不改动输入法本身。")),
                .prerequisites = QStringLiteral(
                    "程序安装必要条件：安装了Kavro拼音输入       法最新版   操作系统为Windows"
                    "        XP          (其它系统暂未知)。"),
                .logo = QStringLiteral(":/jlex/logo.png"),
                .logoHover = QStringLiteral("说明：您正在查看Kavrologo，单击访问官方网站。"),
                .logoOpensVendorPage = true,
                .helpTopic3 =
                    {QStringLiteral("安装之后输入法自定义词条方面必须执行重新读入这里有两个方法。"
                                    "任选其一即可。"),
                     QStringLiteral("一、注销，再启动电脑。"),
                     QStringLiteral("二、在输入法菜单中进入自定义词条中，选择保存、应用。"),
                     QStringLiteral("如图所示。")},
                .helpTopic4 = {QStringLiteral("请确认您登入了Kavro输入法的“我的通行证”。"
                                              "如果没登入，请登录或者使用公共数据版本。")},
                .illustration = QStringLiteral(":/jlex/ime-menus.png"),
                .feedback = QStringLiteral("如有问题或建议，欢迎来信：support@example.com。"
                                           "来信请注明您使用的是登录版还是公共数据版。"),
                .restartHint = kRestartHint,
                .reloadedHint = kRestartHint,
                .uninstalledHint = kRestartHint,
                .noPhraseFileNote = {},
                .helpOpensOnFirstTopic = false,
                .helpShowsChecks = false,
            },
    };
}

const QString kExportHelp = QStringLiteral("GBK 编码、CR LF 换行");

} // namespace

TargetRegistration kavroLogin()
{
    return {
        .name = {},
        .program = {},
        .imeHelp = QStringLiteral("Kavro 输入法登录账户的短语文件"),
        .filesHelp = QStringLiteral("$WINEPREFIX/drive_c/Documents and Settings/$USERNAME/\n"
                                    "Application Data/KavroPY.users/00000001/phrases.ini，\n"
                                    "备份在同一目录（WINEPREFIX 默认 ~/.wine）"),
        .exportHelp = kExportHelp,
        .helpSection = {},
        .helpExample = QStringLiteral("jlex --ime kavro-login export --tables kanji > phrases.ini"),
        .options = {},
        .make = [](const TargetOptions&) { return kavroTarget(Edition::Login); },
        .desktop =
            {
                .name = QStringLiteral("日语输入法（Kavro 登录用户）"),
                .nameEn = QStringLiteral("Japanese Phrases for Kavro (signed-in account)"),
                .comment = QStringLiteral("把日语假名、常用交际短语和日语汉字装进 Kavro "
                                          "拼音输入法的自定义短语；已登录 Kavro 账户时用"),
                .commentEn = QStringLiteral("Adds Japanese kana, everyday phrases and kanji "
                                            "to the Kavro pinyin IME's custom phrases, for a "
                                            "signed-in Kavro account"),
                .keywords = QStringLiteral("日语;假名;汉字;拼音;自定义短语;Kavro;Japanese;"
                                           "kana;kanji;pinyin;"),
            },
    };
}

TargetRegistration kavroPublic()
{
    return {
        .name = {},
        .program = {},
        .imeHelp = QStringLiteral("Kavro 输入法公共目录的短语文件"),
        .filesHelp = QStringLiteral("$WINEPREFIX/drive_c/Documents and Settings/$USERNAME/\n"
                                    "Application Data/KavroPY/phrases.ini，备份在同一目录"),
        .exportHelp = kExportHelp,
        .helpSection = {},
        .helpExample = {},
        .options = {},
        .make = [](const TargetOptions&) { return kavroTarget(Edition::Public); },
        .desktop =
            {
                .name = QStringLiteral("日语输入法（Kavro 未登录用户）"),
                .nameEn = QStringLiteral("Japanese Phrases for Kavro (not signed in)"),
                .comment = QStringLiteral("把日语假名、常用交际短语和日语汉字装进 Kavro "
                                          "拼音输入法的自定义短语；未登录 Kavro 账户时用"),
                .commentEn = QStringLiteral("Adds Japanese kana, everyday phrases and kanji "
                                            "to the Kavro pinyin IME's custom phrases, when "
                                            "not signed in to a Kavro account"),
                .keywords = QStringLiteral("日语;假名;汉字;拼音;自定义短语;Kavro;Japanese;"
                                           "kana;kanji;pinyin;"),
            },
    };
}

} // namespace jlex::targets

#include "ops/Targets.h"

#include "ops/Texts.h"
#include "store/Fcitx5Paths.h"
#include "store/Fcitx5Reloader.h"
#include "store/KavroPaths.h"
#include "store/RimePaths.h"

namespace jlex {

namespace {

QString aboutLine(const QString& first, const QString& second)
{
    return first + QLatin1Char('\r') + QStringLiteral("      jlex ") +
           QStringLiteral(JLEX_VERSION) + second;
}

} // namespace

// The input methods side by side: every text that differs between them.

namespace {

Target kavroTarget(Edition edition)
{
    return {
        .paths = std::make_shared<KavroPaths>(edition),
        .reloader = nullptr,
        .look = edition == Edition::Login ? WindowLook::White : WindowLook::System,
        .texts =
            {
                .windowTitle = QStringLiteral("Kavro日本語入力(非专业)"),
                .about = aboutLine(
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
                .restartHint = texts::kRestartHint,
                .reloadedHint = texts::kRestartHint,
                .uninstalledHint = texts::kRestartHint,
                .noPhraseFileNote = {},
                .helpOpensOnFirstTopic = false,
            },
    };
}

Target fcitx5Target()
{
    return {
        .paths = std::make_shared<Fcitx5Paths>(),
        .reloader = std::make_shared<Fcitx5Reloader>(Fcitx5Reloader::kPinyinCustomPhrase),
        .look = WindowLook::White,
        .texts =
            {
                .windowTitle = QStringLiteral("Fcitx 5 日本語入力(非专业)"),
                .about = aboutLine(
                    QStringLiteral(
                        "本程序原理为将整理后的日语词条载入 Fcitx 5 拼音的自定义短语文件，"
                        "仅供日语非专业的初级用户使用。"),
                    QStringLiteral(
                        "：本程序只修改 Fcitx 5 拼音的自定义短语文件，不改动输入法本身。")),
                .prerequisites = QStringLiteral(
                    "程序安装必要条件：安装了 Fcitx 5 和它的拼音输入法（Fcitx 5 拼音 5.1 "
                    "或更新版本），操作系统为 Linux。打 va、vu 等需关掉拼音的“使用 V "
                    "来触发快速输入”。"),
                .logo = QStringLiteral(":/jlex/icon.png"),
                .logoHover = QStringLiteral("说明：您正在查看本程序的图标，单击查看软件简介。"),
                .logoOpensVendorPage = false,
                .helpTopic3 =
                    {QStringLiteral("安装、还原或卸载之后，本程序会请正在运行的 Fcitx 5 "
                                    "重新读入自定义短语，词条立即可以使用，不必注销。"),
                     QStringLiteral("如果当时 Fcitx 5 没有运行，词条会在它下次启动时生效。"),
                     QStringLiteral("在 Fcitx 5 配置 → 拼音 → 自定义短语 中可以看到这些词条，"
                                    "如图所示。")},
                .helpTopic4 = {QStringLiteral("请确认当前使用的输入法是 Fcitx 5 的“拼音”。"),
                               QStringLiteral("请确认 Fcitx 5 拼音是 5.1 或更新的版本，"
                                              "更早的版本没有自定义短语。"),
                               QStringLiteral("以 v 开头的按键（va、vu 等，打 ヴ 行的假名）要先"
                                              "关掉拼音的“使用 V 来触发快速输入”（在 Fcitx 5 "
                                              "配置 → 拼音 → 配置附加组件 中），否则 v 会打开"
                                              "快速输入。"),
                               QStringLiteral("拼音默认开启“启用拼写检查”：第二个候选是英文提示"
                                              "（如 ka），有汉字的按键上片假名排到所有汉字之后"
                                              "（ji：じ、jin、幾……ジ）。关掉这一项即按表中的次序"
                                              "显示。"),
                               QStringLiteral("在终端中运行 fcitx5 -r 可以重新启动 Fcitx 5。")},
                .illustration = QStringLiteral(":/jlex/fcitx5-config.png"),
                .feedback = QStringLiteral("如有问题或建议，欢迎来信：support@example.com。"
                                           "来信请注明您使用的是 Fcitx 5 版。"),
                .restartHint =
                    QStringLiteral("Fcitx 5 没有在运行，或没能重新读入自定义短语：词库将在 "
                                   "Fcitx 5 下次启动时生效（运行 fcitx5 -r 可立即重启它）。"),
                .reloadedHint = QStringLiteral("Fcitx 5 已重新读入自定义短语，现在就可以使用了。"),
                .uninstalledHint = QStringLiteral("Fcitx 5 已重新读入自定义短语：日语词条已经"
                                                  "去掉，您原有的词条照常可用。"),
                .noPhraseFileNote = QStringLiteral("说明：还没有自定义短语文件，所以没有可备份的"
                                                   "词条；安装时将新建这个文件。"),
                .helpOpensOnFirstTopic = true,
            },
    };
}

Target rimeTarget(const TargetOptions& options)
{
    const auto paths = std::make_shared<RimePaths>(options.rimeDir);
    const QString restart =
        QStringLiteral("没能请 fcitx5-rime 重新部署（它没有运行，或您用的是 ibus-rime）。"
                       "请在输入法菜单中选择“重新部署”或“部署”，词条在部署之后生效。");
    return {
        .paths = paths,
        .reloader = std::make_shared<Fcitx5Reloader>(Fcitx5Reloader::kRimeDeploy),
        .look = WindowLook::White,
        .texts =
            {
                .windowTitle = QStringLiteral("Rime 日本語入力(非专业)"),
                .about = aboutLine(
                    QStringLiteral("本程序原理为将整理后的日语词条载入 Rime 的自定义短语文件 "
                                   "custom_phrase.txt，仅供日语非专业的初级用户使用。"),
                    QStringLiteral("：本程序只修改 Rime 的自定义短语文件和拼音方案的简繁转换"
                                   "设置，不改动输入法本身。")),
                .prerequisites = QStringLiteral(
                    "程序安装必要条件：安装了 Rime（fcitx5-rime 或 ibus-rime）和它的朙月拼音"
                    "方案，操作系统为 Linux。"),
                .logo = QStringLiteral(":/jlex/icon.png"),
                .logoHover = QStringLiteral("说明：您正在查看本程序的图标，单击查看软件简介。"),
                .logoOpensVendorPage = false,
                .helpTopic3 = {QStringLiteral("Rime 要重新部署之后才会读入新的自定义短语。"),
                               QStringLiteral(
                                   "用 fcitx5-rime 时，本程序在安装、还原和卸载之后会请它"
                                   "重新部署，一两秒后词条就可以使用。"),
                               QStringLiteral("用 ibus-rime 时，请在输入法菜单中选择“部署”。"),
                               QStringLiteral("如图所示。")},
                .helpTopic4 = {QStringLiteral("请确认当前使用的是朙月拼音或它的简化字、"
                                              "台湾正体等方案：它们读入自定义短语。"),
                               QStringLiteral("简化字方案会把日语汉字改成简体（愛→爱）；本程序"
                                              "为此在 luna_pinyin.custom.yaml 中加了一行 "
                                              "simplifier/excluded_types: [user_table]，"
                                              "卸载时再去掉。"),
                               QStringLiteral("同时装有 fcitx5-rime 和 ibus-rime 时，本程序用"
                                              "fcitx5-rime 的用户文件夹；用 jlex-rime "
                                              "--rime-dir 文件夹 可以指定别的。")},
                .illustration = QStringLiteral(":/jlex/rime-deploy.png"),
                .feedback = QStringLiteral("如有问题或建议，欢迎来信：support@example.com。"
                                           "来信请注明您使用的是 Rime 版。"),
                .restartHint = restart,
                .reloadedHint = QStringLiteral("已请 fcitx5-rime 重新部署，一两秒后就可以使用了。"),
                .uninstalledHint = QStringLiteral("已请 fcitx5-rime 重新部署：日语词条将会去掉，"
                                                  "您原有的自定义短语照常可用。"),
                .noPhraseFileNote = QStringLiteral("说明：还没有 Rime 的自定义短语文件，所以没有"
                                                   "可备份的词条；安装时将新建这个文件。"),
                .helpOpensOnFirstTopic = true,
            },
    };
}

} // namespace

const QList<TargetRegistration>& targetRegistrations()
{
    static const QList<TargetRegistration> list = {
        {
            .name = QStringLiteral("fcitx5"),
            .program = QStringLiteral("jlex-fcitx5"),
            .imeHelp = QStringLiteral("Fcitx 5 拼音（5.1 或更新）的自定义短语文件"),
            .filesHelp = QStringLiteral("$XDG_DATA_HOME/fcitx5/pinyin/customphrase，备份在\n"
                                        "$XDG_DATA_HOME/jlex/fcitx5/"),
            .make = [](const TargetOptions&) { return fcitx5Target(); },
            .desktop =
                {
                    .name = QStringLiteral("日语输入法（Fcitx 5 拼音）"),
                    .nameEn = QStringLiteral("Japanese Phrases for Fcitx 5 Pinyin"),
                    .comment = QStringLiteral("把日语假名、常用交际短语和日语汉字装进 Fcitx 5 "
                                              "拼音的自定义短语，装好立即可用"),
                    .commentEn = QStringLiteral("Adds Japanese kana, everyday phrases and kanji "
                                                "to Fcitx 5 Pinyin's custom phrases, working at "
                                                "once"),
                    .keywords = QStringLiteral("日语;假名;汉字;拼音;自定义短语;Fcitx;Japanese;"
                                               "kana;kanji;pinyin;"),
                },
        },
        {
            .name = QStringLiteral("rime"),
            .program = QStringLiteral("jlex-rime"),
            .imeHelp = QStringLiteral("Rime（fcitx5-rime、ibus-rime 等）的 custom_phrase.txt，\n"
                                      "朙月拼音及其各方案都读它"),
            .filesHelp =
                QStringLiteral("Rime 用户文件夹中的 custom_phrase.txt：\n"
                               "$XDG_DATA_HOME/fcitx5/rime/（fcitx5-rime），没有时\n"
                               "$XDG_CONFIG_HOME/ibus/rime/（ibus-rime），或\n"
                               "--rime-dir 给出的文件夹；还有其中的\n"
                               "luna_pinyin.custom.yaml。备份在 $XDG_DATA_HOME/jlex/rime/"),
            .make = rimeTarget,
            .desktop =
                {
                    .name = QStringLiteral("日语输入法（Rime）"),
                    .nameEn = QStringLiteral("Japanese Phrases for Rime"),
                    .comment = QStringLiteral("把日语假名、常用交际短语和日语汉字装进 Rime "
                                              "的自定义短语，朙月拼音各方案都可以用"),
                    .commentEn = QStringLiteral("Adds Japanese kana, everyday phrases and kanji "
                                                "to Rime's custom phrases for Luna Pinyin"),
                    .keywords = QStringLiteral("日语;假名;汉字;拼音;自定义短语;Rime;中州韵;"
                                               "Japanese;kana;kanji;pinyin;"),
                },
        },
        {
            .name = QStringLiteral("kavro-login"),
            .program = QStringLiteral("jlex-login"),
            .imeHelp = QStringLiteral("Kavro 输入法登录账户的短语文件"),
            .filesHelp = QStringLiteral("$WINEPREFIX/drive_c/Documents and Settings/$USERNAME/\n"
                                        "Application Data/KavroPY.users/00000001/phrases.ini，\n"
                                        "备份在同一目录（WINEPREFIX 默认 ~/.wine）"),
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
        },
        {
            .name = QStringLiteral("kavro-public"),
            .program = QStringLiteral("jlex-public"),
            .imeHelp = QStringLiteral("Kavro 输入法公共目录的短语文件"),
            .filesHelp = QStringLiteral("$WINEPREFIX/drive_c/Documents and Settings/$USERNAME/\n"
                                        "Application Data/KavroPY/phrases.ini，备份在同一目录"),
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
        },
    };
    return list;
}

const TargetRegistration* registrationNamed(QStringView name)
{
    for (const TargetRegistration& target : targetRegistrations()) {
        if (target.name == name)
            return &target;
    }
    return nullptr;
}

const TargetRegistration* registrationOfProgram(QStringView program)
{
    for (const TargetRegistration& target : targetRegistrations()) {
        if (target.program == program)
            return &target;
    }
    return nullptr;
}

} // namespace jlex

// Fcitx 5 Pinyin and its custom phrases, asked over D-Bus to re-read them.
#include "targets/Registry.h"
#include "targets/fcitx5/Fcitx5Paths.h"
#include "targets/shared/AboutText.h"
#include "targets/shared/Fcitx5Reloader.h"

namespace jlex::targets {

namespace {

Target fcitx5Target()
{
    return {
        .paths = std::make_shared<Fcitx5Paths>(),
        .reloader = std::make_shared<Fcitx5Reloader>(Fcitx5Reloader::kPinyinCustomPhrase),
        .sideFiles = {},
        .placement = nullptr,
        .look = WindowLook::White,
        .texts =
            {
                .windowTitle = QStringLiteral("Fcitx 5 日本語入力(非专业)"),
                .about = aboutText(
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
                .helpShowsChecks = true,
            },
    };
}

} // namespace

TargetRegistration fcitx5()
{
    return {
        .name = {},
        .program = {},
        .imeHelp = QStringLiteral("Fcitx 5 拼音（5.1 或更新）的自定义短语文件"),
        .filesHelp = QStringLiteral("$XDG_DATA_HOME/fcitx5/pinyin/customphrase，备份在\n"
                                    "$XDG_DATA_HOME/jlex/fcitx5/"),
        .exportHelp = QStringLiteral("UTF-8 编码（无 BOM）、LF 换行"),
        .helpSection = QStringLiteral(
            "以 v 开头的按键：\n"
            "  va、vu 等按键打出 ヴ 行的假名。Fcitx 5 拼音默认用 v 打开快速输入，这些按键\n"
            "  要先在拼音的配置中关掉“使用 V 来触发快速输入”（配置文件 pinyin.conf 中的\n"
            "  VAsQuickphrase=False）。"),
        .helpExample = {},
        .options = {},
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
    };
}

} // namespace jlex::targets

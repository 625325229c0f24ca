// Rime and its custom_phrase.txt, which the stock pinyin schemas read; the
// simplifier kept off jlex's texts by a patch of the schema's settings.
#include "targets/Registry.h"
#include "targets/rime/RimeDoctor.h"
#include "targets/rime/RimePaths.h"
#include "targets/rime/SchemaPatch.h"
#include "targets/shared/AboutText.h"
#include "targets/shared/Fcitx5Reloader.h"

namespace jlex::targets {

namespace {

Target rimeTarget(const TargetOptions& options)
{
    const auto paths = std::make_shared<RimePaths>(options.value(QStringLiteral("rime-dir")));
    const QString restart =
        QStringLiteral("没能请 fcitx5-rime 重新部署（它没有运行，或您用的是 ibus-rime）。"
                       "请在输入法菜单中选择“重新部署”或“部署”，词条在部署之后生效。");
    const auto deploy = std::make_shared<Fcitx5Reloader>(Fcitx5Reloader::kRimeDeploy);
    const auto patch = std::make_shared<SchemaPatch>(paths);
    return {
        .paths = paths,
        .reloader = deploy,
        .sideFiles = {patch},
        .placement = nullptr,
        .doctor = std::make_shared<RimeDoctor>(paths, deploy, patch,
                                               options.contains(QStringLiteral("rime-dir"))),
        .look = WindowLook::White,
        .texts =
            {
                .windowTitle = QStringLiteral("Rime 日本語入力(非专业)"),
                .about = aboutText(
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
                .helpShowsChecks = true,
            },
    };
}

} // namespace

TargetRegistration rime()
{
    return {
        .name = {},
        .program = {},
        .imeHelp = QStringLiteral("Rime（fcitx5-rime、ibus-rime 等）的 custom_phrase.txt，\n"
                                  "朙月拼音及其各方案都读它"),
        .filesHelp = QStringLiteral("Rime 用户文件夹中的 custom_phrase.txt：\n"
                                    "$XDG_DATA_HOME/fcitx5/rime/（fcitx5-rime），没有时\n"
                                    "$XDG_CONFIG_HOME/ibus/rime/（ibus-rime），或\n"
                                    "--rime-dir 给出的文件夹；还有其中的\n"
                                    "luna_pinyin.custom.yaml。备份在 $XDG_DATA_HOME/jlex/rime/"),
        .exportHelp = QStringLiteral("UTF-8、LF 换行的文字<TAB>编码<TAB>权重"),
        .helpSection = {},
        .helpExample = QStringLiteral("jlex --ime rime --rime-dir ~/Library/Rime install"),
        .options = {{QStringLiteral("rime-dir"), QStringLiteral("文件夹"),
                     QStringLiteral("rime：Rime 的用户文件夹，不用本程序找到的那个（macOS 的 "
                                    "Squirrel 为\n~/Library/Rime，Windows 的小狼毫为 "
                                    "%APPDATA%\\Rime）。")}},
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
    };
}

} // namespace jlex::targets

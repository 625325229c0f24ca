#include "ops/Targets.h"

#include "ops/Texts.h"
#include "store/Fcitx5Paths.h"
#include "store/KavroPaths.h"

namespace jlex {

namespace {

QString aboutLine(const QString& first, const QString& second)
{
    return first + QLatin1Char('\r') + QStringLiteral("      jlex ") +
           QStringLiteral(JLEX_VERSION) + second;
}

} // namespace

// The two input methods side by side: every text that differs between them.

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

Target fcitx5Target(std::shared_ptr<PhraseReloader> reloader)
{
    return {
        .paths = std::make_shared<Fcitx5Paths>(),
        .reloader = std::move(reloader),
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
                    "或更新版本），操作系统为 Linux。"),
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

} // namespace jlex

#include "ops/Targets.h"

#include "ops/Texts.h"
#include "store/Fcitx5Paths.h"
#include "store/KavroPaths.h"

namespace jlex {

Target kavroTarget(Edition edition)
{
    return {
        .paths = std::make_shared<KavroPaths>(edition),
        .reloader = nullptr,
        .restartHint = texts::kRestartHint,
        .reloadedHint = texts::kRestartHint,
    };
}

Target fcitx5Target(std::shared_ptr<PhraseReloader> reloader)
{
    return {
        .paths = std::make_shared<Fcitx5Paths>(),
        .reloader = std::move(reloader),
        .restartHint = QStringLiteral("Fcitx 5 没有在运行，或没能重新读取自定义短语：词库将在 "
                                      "Fcitx 5 下次启动时生效（运行 fcitx5 -r 可立即重启它）。"),
        .reloadedHint = QStringLiteral("Fcitx 5 已重新读取自定义短语，现在就可以使用了。"),
    };
}

} // namespace jlex

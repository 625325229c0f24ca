#include "ops/Targets.h"
#include "run.h"
#include "store/Fcitx5Reloader.h"

// Fcitx 5 Pinyin, which can be asked to re-read its phrases at once.
int main(int argc, char** argv)
{
    return jlex::run([] { return jlex::fcitx5Target(std::make_shared<jlex::Fcitx5Reloader>()); },
                     "jlex-fcitx5", argc, argv);
}

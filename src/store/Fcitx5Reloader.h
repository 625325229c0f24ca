#pragma once

#include "store/PhraseReloader.h"

#include <QDBusConnection>

#include <optional>

namespace jlex {

// Asks a running Fcitx 5 over D-Bus to re-read its Pinyin custom phrases, so
// a changed phrase file works without restarting the input method.
class Fcitx5Reloader : public PhraseReloader {
public:
    // The user's session bus, connected on the first reload.
    Fcitx5Reloader() = default;
    // Another bus, such as a private one under test.
    explicit Fcitx5Reloader(const QDBusConnection& bus);

    // False when there is no bus, Fcitx 5 is not running, it answers with an
    // error or does not answer within two seconds. Never starts Fcitx 5.
    bool reload() override;

private:
    std::optional<QDBusConnection> m_bus;
};

} // namespace jlex

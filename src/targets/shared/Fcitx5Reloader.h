#pragma once

#include "store/PhraseReloader.h"

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace jlex {

// Asks a running Fcitx 5 over D-Bus to read an addon's files again, by setting
// one of its sub-configurations: Pinyin's custom phrases are re-read, and
// fcitx5-rime redeploys. Changed phrases then work without a restart.
class Fcitx5Reloader : public PhraseReloader {
public:
    static inline const QString kPinyinCustomPhrase =
        QStringLiteral("fcitx://config/addon/pinyin/customphrase");
    static inline const QString kRimeDeploy = QStringLiteral("fcitx://config/addon/rime/deploy");

    // On the user's session bus, connected on the first reload, or on another
    // bus, such as a private one under test.
    explicit Fcitx5Reloader(QString uri, std::optional<QDBusConnection> bus = std::nullopt);

    // False when there is no bus, Fcitx 5 or the addon is not running, it
    // answers with an error or does not answer within two seconds. Never
    // starts Fcitx 5.
    bool reload() override;

private:
    QString m_uri;
    std::optional<QDBusConnection> m_bus;
};

} // namespace jlex

#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantList>

#include <optional>

namespace jlex {

// A call to a running Fcitx 5's controller on the user's session bus (or
// another bus under test): the reply, or nothing when Fcitx 5 is not there,
// answered with an error, or did not answer within two seconds. Never
// starts Fcitx 5.
std::optional<QDBusMessage> callFcitx5(const QString& method, const QVariantList& arguments,
                                       const std::optional<QDBusConnection>& bus = std::nullopt);

// Whether a running Fcitx 5 has this addon loaded ("rime", "pinyin").
bool fcitx5HasAddon(const QString& addon, const std::optional<QDBusConnection>& bus = std::nullopt);

} // namespace jlex

#include "targets/shared/Fcitx5Controller.h"

namespace jlex {

namespace {

// Long enough for a busy input method, short enough that a hung one does not
// freeze the window for long.
constexpr int kTimeoutMs = 2000;

} // namespace

std::optional<QDBusMessage> callFcitx5(const QString& method, const QVariantList& arguments,
                                       const std::optional<QDBusConnection>& bus)
{
    const QDBusConnection connection = bus ? *bus : QDBusConnection::sessionBus();
    if (!connection.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), method);
    call.setArguments(arguments);
    // The user chose not to run Fcitx 5 if it is not there; a look or a phrase
    // change is no reason to start an input method behind their back.
    call.setAutoStartService(false);
    const QDBusMessage reply = connection.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return std::nullopt;
    return reply;
}

bool fcitx5HasAddon(const QString& addon, const std::optional<QDBusConnection>& bus)
{
    return callFcitx5(QStringLiteral("GetConfig"),
                      {QStringLiteral("fcitx://config/addon/") + addon}, bus)
        .has_value();
}

} // namespace jlex

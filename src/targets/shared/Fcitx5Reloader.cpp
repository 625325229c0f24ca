#include "targets/shared/Fcitx5Reloader.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace jlex {

namespace {

// Long enough for a busy input method, short enough that a hung one does not
// freeze the window for long.
constexpr int kTimeoutMs = 2000;

} // namespace

Fcitx5Reloader::Fcitx5Reloader(QString uri, std::optional<QDBusConnection> bus)
    : m_uri(std::move(uri)), m_bus(std::move(bus))
{}

bool Fcitx5Reloader::reload()
{
    const QDBusConnection bus = m_bus ? *m_bus : QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), QStringLiteral("SetConfig"));
    // Setting the sub-configuration, with nothing in it, is the request itself.
    call << m_uri << QVariant::fromValue(QDBusVariant(QVariant(QVariantMap())));
    // The user chose not to run Fcitx 5 if it is not there; a phrase change is
    // no reason to start an input method behind their back.
    call.setAutoStartService(false);
    return bus.call(call, QDBus::Block, kTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace jlex

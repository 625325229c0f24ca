#include "store/Fcitx5Reloader.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace jlex {

namespace {

// Long enough for a busy input method, short enough that a hung one does not
// freeze the window for long.
constexpr int kTimeoutMs = 2000;

} // namespace

Fcitx5Reloader::Fcitx5Reloader(const QDBusConnection& bus) : m_bus(bus) {}

bool Fcitx5Reloader::reload()
{
    const QDBusConnection bus = m_bus ? *m_bus : QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), QStringLiteral("SetConfig"));
    // Setting Pinyin's custom-phrase config, with nothing in it, is the request
    // to read the phrase file again.
    call << QStringLiteral("fcitx://config/addon/pinyin/customphrase")
         << QVariant::fromValue(QDBusVariant(QVariant(QVariantMap())));
    // The user chose not to run Fcitx 5 if it is not there; a phrase change is
    // no reason to start an input method behind their back.
    call.setAutoStartService(false);
    return bus.call(call, QDBus::Block, kTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace jlex

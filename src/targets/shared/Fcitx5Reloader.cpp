#include "targets/shared/Fcitx5Reloader.h"

#include "targets/shared/Fcitx5Controller.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace jlex {

Fcitx5Reloader::Fcitx5Reloader(QString uri, std::optional<QDBusConnection> bus)
    : m_uri(std::move(uri)), m_bus(std::move(bus))
{}

bool Fcitx5Reloader::reload()
{
    // Setting the sub-configuration, with nothing in it, is the request itself.
    return callFcitx5(QStringLiteral("SetConfig"),
                      {m_uri, QVariant::fromValue(QDBusVariant(QVariant(QVariantMap())))}, m_bus)
        .has_value();
}

} // namespace jlex

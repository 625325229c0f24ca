#include "targets/shared/AboutText.h"

namespace jlex {

QString aboutText(const QString& whatItDoes, const QString& whatItChanges)
{
    return whatItDoes + QLatin1Char('\r') + QStringLiteral("      jlex ") +
           QStringLiteral(JLEX_VERSION) + whatItChanges;
}

} // namespace jlex

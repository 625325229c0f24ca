#include "ui/Artwork.h"

namespace jlex::artwork {

namespace {

// Hotspots are where each picture's tip is drawn.
QCursor pointer(const char* name, int hotX, int hotY)
{
    return QCursor(QPixmap(QStringLiteral(":/jlex/") + QLatin1String(name)), hotX, hotY);
}

} // namespace

QIcon appIcon()
{
    return QIcon(QStringLiteral(":/jlex/icon.png"));
}

QCursor penPointer()
{
    return pointer("pen.png", 2, 2);
}

QCursor helpArrowPointer()
{
    return pointer("help-arrow.png", 1, 1);
}

QCursor topicArrowPointer()
{
    return pointer("topic-arrow.png", 1, 1);
}

QCursor handPointer()
{
    return pointer("hand.png", 12, 1);
}

} // namespace jlex::artwork

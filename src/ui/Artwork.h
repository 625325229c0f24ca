#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace jlex::artwork {

QIcon appIcon();

QCursor penPointer();
QCursor helpArrowPointer();
QCursor topicArrowPointer();
QCursor handPointer();

} // namespace jlex::artwork

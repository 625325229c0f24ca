#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace jlex::artwork {

QIcon appIcon();
QPixmap vendorLogo();
QPixmap imeMenus(); // the illustration of the IME's menus

QCursor penPointer();
QCursor helpArrowPointer();
QCursor topicArrowPointer();
QCursor handPointer();

} // namespace jlex::artwork

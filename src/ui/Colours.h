#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace jlex::colours {

inline const QColor kWhite(0xFF, 0xFF, 0xFF);
inline const QColor kBlack(0x00, 0x00, 0x00);
inline const QColor kRed(0xFF, 0x00, 0x00);
inline const QColor kGreen(0x00, 0x80, 0x00);
inline const QColor kBlue(0x00, 0x00, 0xFF);
inline const QColor kDarkBlue(0x00, 0x00, 0xC0);
inline const QColor kYellow(0xFF, 0xFF, 0x00);
inline const QColor kLightYellow(0xFF, 0xFF, 0x80);

// Text colours apply while the widget is enabled; disabled text stays grey.
void set(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
// Paints the widget's own background; buttons of every kind take theirs from
// the Button role, other widgets from Window.
void fill(QWidget* widget, const QColor& colour);

} // namespace jlex::colours

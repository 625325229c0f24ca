#include "ui/Colours.h"

#include <QWidget>

namespace jlex::colours {

void set(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void fill(QWidget* widget, const QColor& colour)
{
    set(widget, widget->backgroundRole(), colour);
    widget->setAutoFillBackground(true);
}

} // namespace jlex::colours

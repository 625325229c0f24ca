#include "ui/Colours.h"

#include <QWidget>

namespace jlex::colours {

void set(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    const bool text =
        role == QPalette::WindowText || role == QPalette::ButtonText || role == QPalette::Text;
    if (text) {
        // A disabled control's text keeps the system's grey, so it never looks
        // usable, whatever colour it or its container is given.
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    } else {
        palette.setColor(role, colour);
    }
    widget->setPalette(palette);
}

void fill(QWidget* widget, const QColor& colour)
{
    set(widget, widget->backgroundRole(), colour);
    widget->setAutoFillBackground(true);
}

} // namespace jlex::colours

#pragma once

#include "ui/Colours.h"

#include <QString>

#include <optional>

namespace jlex {

// What the status line says about the control under the pointer.
struct HoverText {
    QString text;
    std::optional<QColor> colour; // none: the colour stays as it was
};

inline const QColor kStatusGreen = colours::kGreen;
inline const QColor kStatusRed = colours::kRed;

// By the source's name in the main window ("Form1" is the window's own
// surface). Controls that are not sources have none.
std::optional<HoverText> hoverTextFor(const QString& source);

} // namespace jlex

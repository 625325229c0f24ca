#pragma once

#include <QPoint>
#include <QRect>

namespace jlex {

// The layout is measured in twips: 15 to a device-independent pixel.
constexpr int fromTwips(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height)};
}

} // namespace jlex

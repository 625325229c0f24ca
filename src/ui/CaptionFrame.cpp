#include "ui/CaptionFrame.h"

#include <QPainter>
#include <QStyle>

namespace jlex {

namespace {

constexpr int kCaptionIndent = 6; // pixels from the left edge to the caption's gap
constexpr int kCaptionGap = 2;    // clear space either side of the caption
constexpr int kBorderWidth = 2;   // an etched line: shadow, then light

} // namespace

int CaptionFrame::borderTop() const
{
    return fontMetrics().height() / 2;
}

QRect CaptionFrame::captionRect() const
{
    const int width = fontMetrics().horizontalAdvance(title()) + 2 * kCaptionGap;
    return {kCaptionIndent, 0, width, fontMetrics().height()};
}

QRect CaptionFrame::insideBorder() const
{
    return rect().adjusted(kBorderWidth, borderTop() + kBorderWidth, -kBorderWidth, -kBorderWidth);
}

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    painter.setClipRegion(QRegion(rect()) - caption);
    const QRect border = rect().adjusted(0, borderTop(), -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.adjusted(1, 1, 0, 0));
    painter.setClipping(false);
    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextSingleLine, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}

} // namespace jlex

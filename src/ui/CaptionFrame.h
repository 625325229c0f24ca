#pragma once

#include <QGroupBox>

namespace jlex {

// A frame drawn as on the platform the program comes from: the top border runs
// through the middle of the caption, so controls placed just below the frame's
// top edge lie inside the border rather than above it.
class CaptionFrame : public QGroupBox {
public:
    explicit CaptionFrame(QWidget* parent = nullptr) : QGroupBox(parent) {}

    // What lies within the border, in the frame's own pixels.
    QRect insideBorder() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int borderTop() const;
    QRect captionRect() const;
};

} // namespace jlex

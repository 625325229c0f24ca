#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

// Moves the pointer over a point of a widget the way the window system does,
// so the event reaches whatever control lies there, disabled ones included.
inline void hover(QWidget* target, QPoint local = QPoint(-1, -1))
{
    if (local == QPoint(-1, -1))
        local = target->rect().center();
    QWidget* window = target->window();
    QTest::mouseMove(window->windowHandle(), target->mapTo(window, local));
}

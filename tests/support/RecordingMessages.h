#pragma once

#include "ops/Messages.h"

#include <QStringList>

#include <functional>

// Stands in for the modal boxes: keeps what was said, in order, and lets a
// test look at the world at the moment each message is on screen.
class RecordingMessages : public jlex::Messages {
public:
    void show(const QString& title, const QString& text) override
    {
        said << text;
        if (onShow)
            onShow(title, text);
    }

    QStringList said;
    std::function<void(const QString&, const QString&)> onShow;
};

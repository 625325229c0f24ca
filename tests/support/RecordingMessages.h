#pragma once

#include "ops/Messages.h"

#include <QStringList>

#include <functional>

// Stands in for the modal boxes: keeps what was said, in order, and lets a
// test look at the world at the moment each message is on screen.
class RecordingMessages : public jlex::Messages {
public:
    struct Shown {
        QString title;
        QString text;
    };

    void show(const QString& title, const QString& text) override
    {
        shown.push_back({title, text});
        if (onShow)
            onShow(title, text);
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown& s : shown)
            all << s.text;
        return all;
    }

    std::vector<Shown> shown;
    std::function<void(const QString&, const QString&)> onShow;
};

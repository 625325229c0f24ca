#pragma once

#include <QString>

namespace jlex {

// How operations speak to the user. The windows show a modal box with an OK
// button only; tests record what was said.
class Messages {
public:
    virtual ~Messages() = default;
    // Returns once the user has closed the message.
    virtual void show(const QString& title, const QString& text) = 0;
};

} // namespace jlex

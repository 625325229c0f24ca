#pragma once

#include <QPushButton>

namespace jlex {

// A push button whose caption wraps onto more lines when it is too long for
// one, as "卸载并还原到最初状态" needs in its narrow, tall button.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace jlex

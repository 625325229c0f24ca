#pragma once

#include "ops/ControlStates.h"

#include <QObject>

class QButtonGroup;
class QRadioButton;
class QWidget;

namespace jlex {

// Two option buttons of which at most one is selected, kept as the platform
// the program comes from keeps them: Tab stops only at the selected one, and
// an arrow key moves the selection (and the focus) to the partner.
class OptionPair : public QObject {
public:
    OptionPair(QRadioButton* first, QRadioButton* second, QObject* parent);

    // The survey may leave neither selected, which an exclusive group refuses.
    void set(const Choice& first, const Choice& second);

    bool contains(const QWidget* widget) const;
    // Whether Tab may stop at this button of the pair: the selected one, or
    // either while neither enabled one is selected.
    bool isTabStop(const QWidget* button) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* partnerOf(const QWidget* button) const;

    QButtonGroup* m_group;
    QRadioButton* m_first;
    QRadioButton* m_second;
};

} // namespace jlex

#include "ui/OptionPair.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

namespace jlex {

OptionPair::OptionPair(QRadioButton* first, QRadioButton* second, QObject* parent)
    : QObject(parent), m_group(new QButtonGroup(this)), m_first(first), m_second(second)
{
    // A group of its own: Qt's automatic grouping would mix the window's pair
    // with the one nested in the frame.
    m_group->addButton(first);
    m_group->addButton(second);
    first->installEventFilter(this);
    second->installEventFilter(this);
}

void OptionPair::set(const Choice& first, const Choice& second)
{
    m_group->setExclusive(false);
    m_first->setChecked(first.selected);
    m_second->setChecked(second.selected);
    m_first->setEnabled(first.enabled);
    m_second->setEnabled(second.enabled);
    m_group->setExclusive(true);
}

bool OptionPair::contains(const QWidget* widget) const
{
    return widget == m_first || widget == m_second;
}

QRadioButton* OptionPair::partnerOf(const QWidget* button) const
{
    return button == m_first ? m_second : m_first;
}

bool OptionPair::isTabStop(const QWidget* button) const
{
    const QRadioButton* partner = partnerOf(button);
    return button->isEnabled() && (static_cast<const QRadioButton*>(button)->isChecked() ||
                                   !(partner->isEnabled() && partner->isChecked()));
}

bool OptionPair::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        // In a pair every arrow leads to the partner, whichever way it lies.
        QRadioButton* partner = partnerOf(static_cast<QWidget*>(watched));
        if (partner->isEnabled()) {
            partner->setFocus(Qt::TabFocusReason);
            partner->click();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace jlex

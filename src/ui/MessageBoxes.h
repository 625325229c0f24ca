#pragma once

#include "ops/Messages.h"

#include <QPointer>
#include <QWidget>

namespace jlex {

// Texts break their lines with CR LF or with a lone CR; a widget wants LF.
QString displayText(QString text);

// Messages as modal boxes: OK only, no icon.
class MessageBoxes : public Messages {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    void show(const QString& title, const QString& text) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace jlex

#include "ui/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace jlex {

QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void MessageBoxes::show(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    // Some desktop themes put an icon on the OK button; these boxes have none.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

} // namespace jlex

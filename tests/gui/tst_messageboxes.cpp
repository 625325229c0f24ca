#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace jlex;

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void modalOkOnlyNoIcon();
    void lineBreaks();
};

void MessageBoxesTest::modalOkOnlyNoIcon()
{
    QWidget parent;
    parent.show();
    MessageBoxes boxes;
    boxes.setParentWidget(&parent);
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    qsizetype buttons = 0;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        QVERIFY(box->button(QMessageBox::Ok)->icon().isNull());
        modal = box->isModal();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    boxes.show(QStringLiteral("日语输入法"), QStringLiteral("备份完成！"));
    QCOMPARE(title, QStringLiteral("日语输入法"));
    QCOMPARE(text, QStringLiteral("备份完成！"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
    QVERIFY(modal);
}

void MessageBoxesTest::lineBreaks()
{
    // A lone CR, as in the backup warning and the About box, breaks the line.
    QCOMPARE(displayText(QStringLiteral("a\rb\r\nc\nd")), QStringLiteral("a\nb\nc\nd"));
}

QTEST_MAIN(MessageBoxesTest)
#include "tst_messageboxes.moc"

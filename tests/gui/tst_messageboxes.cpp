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
};

void MessageBoxesTest::modalOkOnlyNoIcon()
{
    QWidget parent;
    parent.show();
    MessageBoxes boxes;
    boxes.setParentWidget(&parent);
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box && box->isModal() && box->parentWidget() == &parent);
        seen = box->windowTitle() + QLatin1Char('|') + box->text();
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons().size(), 1);
        QVERIFY(box->button(QMessageBox::Ok)->icon().isNull());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    // A lone CR, as in the backup warning, breaks the line like CR LF.
    boxes.show(QStringLiteral("t"), QStringLiteral("a\rb\r\nc\nd"));
    QCOMPARE(seen, QStringLiteral("t|a\nb\nc\nd"));
}

QTEST_MAIN(MessageBoxesTest)
#include "tst_messageboxes.moc"

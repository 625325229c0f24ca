#include "support/Pointer.h"
#include "ui/Form2.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace jlex;

namespace {

struct Help {
    Help()
    {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("help window not exposed");
    }
    template <class W = QWidget> W* get(const QString& name) const
    {
        return form.findChild<W*>(name);
    }
    QLabel* topic(int n) const { return get<QLabel>(QStringLiteral("Label%1").arg(n)); }
    QString text() const { return get<QPlainTextEdit>(QStringLiteral("Text1"))->toPlainText(); }
    // The topics drawn red, and those with their highlight filled in.
    QList<int> topics(bool highlighted) const
    {
        QList<int> found;
        for (int n = 1; n <= 4; ++n) {
            if (highlighted ? topic(n)->autoFillBackground()
                            : topic(n)->palette().color(QPalette::WindowText) == Qt::red)
                found << n;
        }
        return found;
    }
    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    Form2 form;
};

} // namespace

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void topicsShowTheirText();
    void hoverHighlightsAndStays();
    void illustrationEnlargesAndHides();
    void resizingMovesNothing();
};

void Form2Test::topicsShowTheirText()
{
    Help h;
    QVERIFY(h.text().isEmpty());
    QCOMPARE(h.topics(false), QList<int>());
    for (int n : {3, 1, 4, 2, 2}) {
        h.click(h.topic(n));
        QCOMPARE(h.text(), Form2::topicLines(n).join(QLatin1Char('\n'))); // replaced, not added
        QCOMPARE(h.topics(false), QList<int>{n});
        // The illustration belongs to the topic on applying the phrases.
        QCOMPARE(h.get(QStringLiteral("Image1"))->isVisible(), n == 3);
        // The red topic and the highlighted one are independent.
        QCOMPARE(h.topics(true), QList<int>{1});
    }
}

void Form2Test::hoverHighlightsAndStays()
{
    Help h;
    hover(h.topic(2));
    QCOMPARE(h.topics(true), QList<int>{2});
    hover(h.get(QStringLiteral("Text1")));
    QCOMPARE(h.topics(true), QList<int>{2});
    hover(h.topic(4));
    QCOMPARE(h.topics(true), QList<int>{4});
}

void Form2Test::illustrationEnlargesAndHides()
{
    Help h;
    auto* picture = h.get<QLabel>(QStringLiteral("Picture1"));
    QVERIFY(!picture->isVisible());
    h.click(h.topic(3));
    h.click(h.get(QStringLiteral("Image1")));
    QVERIFY(picture->isVisible());
    QVERIFY(picture->height() >= picture->pixmap().height()); // the whole picture, not stretched
    // Another topic hides the small picture but leaves the enlarged one on top.
    h.click(h.topic(2));
    QVERIFY(!h.get(QStringLiteral("Image1"))->isVisible());
    QCOMPARE(h.form.childAt(picture->geometry().center()), picture);
    h.click(picture);
    QVERIFY(!picture->isVisible());
}

void Form2Test::resizingMovesNothing()
{
    Help h;
    const QList<QWidget*> children = h.form.findChildren<QWidget*>();
    QList<QRect> before;
    for (QWidget* c : children)
        before << c->geometry();
    h.form.resize(700, 500);
    QTest::qWait(10);
    for (qsizetype i = 0; i < children.size(); ++i)
        QCOMPARE(children[i]->geometry(), before[i]);
}

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"

#include "ops/Targets.h"
#include "support/Pointer.h"
#include "ui/Form2.h"

#include <QGroupBox>
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
    QLabel* topic(int n) const { return form.findChild<QLabel*>(QStringLiteral("Label%1").arg(n)); }
    QWidget* get(const char* name) const { return form.findChild<QWidget*>(QLatin1String(name)); }
    QString text() const
    {
        return form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
    }
    QColor colour(int n) const { return topic(n)->palette().color(QPalette::WindowText); }
    int highlighted() const
    {
        int which = 0;
        for (int n = 1; n <= 4; ++n) {
            if (topic(n)->autoFillBackground()) {
                if (which)
                    return -1; // more than one
                which = n;
            }
        }
        return which;
    }
    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    Form2 form{kavroTarget(Edition::Login).texts};
};

const QColor kRed(0xFF, 0, 0);
const QColor kBlack(0, 0, 0);

} // namespace

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void opensInItsInitialState();
    void topicsShowTheirText();
    void hoverHighlightsAndStays();
    void illustrationEnlargesAndHides();
    void resizingMovesNothing();
};

void Form2Test::opensInItsInitialState()
{
    Help h;
    QCOMPARE(h.form.windowTitle(), QString(38, QLatin1Char(' ')) + QStringLiteral("帮助说明文件"));
    QCOMPARE(h.form.size(), QSize(545, 360));
    QVERIFY(h.form.windowFlags() & Qt::Tool);
    QVERIFY(h.text().isEmpty());
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(h.colour(n), kBlack);
    QCOMPARE(h.highlighted(), 1);
    QCOMPARE(h.topic(1)->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0));
    QVERIFY(!h.get("Image1")->isVisible());
    QVERIFY(!h.get("Picture1")->isVisible());
    QCOMPARE(qobject_cast<QGroupBox*>(h.get("Frame1"))->title(), QStringLiteral("图示(点击放大)"));
    QCOMPARE(qobject_cast<QGroupBox*>(h.get("Frame2"))->title(), QStringLiteral("问题反馈"));
    QVERIFY(!qobject_cast<QLabel*>(h.get("Label5"))->text().isEmpty());
    const QStringList captions = {"如何安装？", "如何还原卸载？", "为什么安装后无效？",
                                  "重启后依然无效？"};
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(h.topic(n)->text(), captions[n - 1]);
}

void Form2Test::topicsShowTheirText()
{
    Help h;
    h.click(h.topic(3));
    QCOMPARE(h.text(),
             QStringLiteral(
                 "安装之后输入法自定义词条方面必须执行重新读入这里有两个方法。任选其一即可。\n"
                 "一、注销，再启动电脑。\n二、在输入法菜单中进入自定义词条中，选择保存、应用。\n如"
                 "图所示。"));
    QCOMPARE(h.colour(3), kRed);
    QCOMPARE(h.colour(1), kBlack);
    QVERIFY(h.get("Image1")->isVisible());
    // The red topic and the highlighted one are independent.
    QCOMPARE(h.highlighted(), 1);

    h.click(h.topic(1));
    QCOMPARE(
        h.text(),
        QStringLiteral(
            "初级用户可以在启动程序之后直接选择安装即可。\n高级用户可以勾选其它项目进行安装。"));
    QVERIFY(!h.get("Image1")->isVisible());
    QCOMPARE(h.colour(3), kBlack);
    QCOMPARE(h.colour(1), kRed);
    h.click(h.topic(1)); // replaced, not appended
    QCOMPARE(h.text().count(QLatin1Char('\n')), 1);

    h.click(h.topic(2));
    QCOMPARE(h.text().split(QLatin1Char('\n')).size(), 3);
    QVERIFY(
        h.text().startsWith(QStringLiteral("可以选择还原到最近备份与最初状态。\n最近备份是指")));
    h.click(h.topic(4));
    QCOMPARE(
        h.text(),
        QStringLiteral(
            "请确认您登入了Kavro输入法的“我的通行证”。如果没登入，请登录或者使用公共数据版本。"));
}

void Form2Test::hoverHighlightsAndStays()
{
    Help h;
    hover(h.topic(2));
    QCOMPARE(h.highlighted(), 2);
    hover(h.get("Text1"));
    QCOMPARE(h.highlighted(), 2);
    hover(h.topic(4));
    QCOMPARE(h.highlighted(), 4);
    QCOMPARE(h.topic(4)->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0));
}

void Form2Test::illustrationEnlargesAndHides()
{
    Help h;
    h.click(h.topic(3));
    auto* picture = qobject_cast<QLabel*>(h.get("Picture1"));
    h.click(h.get("Image1"));
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->pixmap().size(), QSize(192, 280));
    QVERIFY(picture->height() >= 280); // the whole picture, not stretched
    // Another topic hides the small picture but leaves the enlarged one.
    h.click(h.topic(2));
    QVERIFY(!h.get("Image1")->isVisible());
    QVERIFY(picture->isVisible());
    QCOMPARE(h.form.childAt(picture->geometry().center()), picture);
    h.click(picture);
    QVERIFY(!picture->isVisible());
}

void Form2Test::resizingMovesNothing()
{
    Help h;
    QList<QRect> before;
    const QList<QWidget*> children = h.form.findChildren<QWidget*>();
    for (QWidget* c : children)
        before << c->geometry();
    h.form.resize(700, 500);
    QTest::qWait(10);
    for (qsizetype i = 0; i < children.size(); ++i)
        QCOMPARE(children[i]->geometry(), before[i]);
}

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"

#include "ui/Form2.h"

#include "ui/Artwork.h"
#include "ui/CaptionFrame.h"
#include "ui/ClickableLabel.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QPlainTextEdit>

namespace jlex {

namespace {

const char* const kTopicCaptions[] = {"如何安装？", "如何还原卸载？", "为什么安装后无效？",
                                      "重启后依然无效？"};

} // namespace

QStringList Form2::topicLines(int topic) const
{
    switch (topic) {
    case 1:
        return {QStringLiteral("初级用户可以在启动程序之后直接选择安装即可。"),
                QStringLiteral("高级用户可以勾选其它项目进行安装。")};
    case 2:
        return QStringList{
                   QStringLiteral("可以选择还原到最近备份与最初状态。"),
                   QStringLiteral(
                       "最近备份是指上一次执行词条备份，如果从未执行，那么此项目是无法选择的。"),
                   QStringLiteral("最初状态是指用户在下载安装本软件之前的自定义词库状态。")} +
               m_historyHelp;
    case 3:
        return m_texts.helpTopic3;
    case 4:
        if (m_checks)
            return m_texts.helpTopic4 + QStringList{QStringLiteral("本机的检查结果：")} +
                   m_checks();
        return m_texts.helpTopic4;
    }
    return {};
}

Form2::Form2(const TargetTexts& texts, const QStringList& historyHelp,
             std::function<QStringList()> checks, QWidget* parent)
    : QWidget(parent), m_texts(texts), m_historyHelp(historyHelp), m_checks(std::move(checks))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString(38, QLatin1Char(' ')) + QStringLiteral("帮助说明文件"));
    setWindowIcon(artwork::appIcon());
    // A sizable tool window; its controls stay where they are when it is resized.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    resize(fromTwips(8175), fromTwips(5400));
    setCursor(artwork::penPointer());
    setFont(fonts::windowDefault());

    // Created bottom first: the topics lie on the surface below everything.
    const int tops[] = {105, 525, 945, 1365};
    for (int i = 0; i < 4; ++i) {
        auto* topic = new ClickableLabel(QString::fromUtf8(kTopicCaptions[i]), this);
        topic->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        topic->setGeometry(twipsRect(210, tops[i], 2220, 225));
        topic->setFont(fonts::song(12));
        topic->setAlignment(Qt::AlignCenter);
        topic->setCursor(artwork::topicArrowPointer());
        colours::set(topic, QPalette::WindowText, colours::kBlack);
        colours::set(topic, QPalette::Window, colours::kYellow);
        topic->setMouseTracking(true);
        topic->installEventFilter(this);
        connect(topic, &ClickableLabel::clicked, this, [this, i] { showTopic(i + 1); });
        m_topics[size_t(i)] = topic;
    }

    text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setGeometry(twipsRect(2520, 105, 5580, 3795));
    text1->setFont(fonts::song(14.25));
    text1->setReadOnly(true);
    text1->viewport()->setCursor(artwork::penPointer());

    frame1 = new CaptionFrame(this);
    frame1->setTitle(QStringLiteral("图示(点击放大)"));
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(twipsRect(0, 1680, 2430, 3690));
    frame1->setFont(fonts::song(10.5, true));
    colours::set(frame1, QPalette::WindowText, QApplication::palette().color(QPalette::Dark));
    frame1->setCursor(Qt::ArrowCursor);
    image1 = new ClickableLabel(frame1);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(twipsRect(105, 210, 2145, 3360));
    image1->setPixmap(QPixmap(m_texts.illustration));
    image1->setScaledContents(true);
    image1->setCursor(artwork::handPointer());
    image1->hide();
    connect(image1, &ClickableLabel::clicked, this, &Form2::enlarge);

    frame2 = new CaptionFrame(this);
    frame2->setTitle(QStringLiteral("问题反馈"));
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setGeometry(twipsRect(2520, 3885, 5580, 1485));
    frame2->setFont(fonts::song(10.5, true));
    frame2->setCursor(Qt::ArrowCursor);
    colours::set(frame2, QPalette::Window, colours::kLightYellow);
    frame2->setAutoFillBackground(true);
    label5 = new QLabel(m_texts.feedback, frame2);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(twipsRect(210, 210, 5160, 1170));
    label5->setFont(fonts::song(14.25));
    label5->setWordWrap(true);
    label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label5->setCursor(artwork::handPointer());

    // The enlarged view shows the picture at its own size from the top left,
    // taller than its box so nothing of it is cut off.
    picture1 = new ClickableLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    const QSize natural = QPixmap(m_texts.illustration).size();
    const QRect box = twipsRect(1680, 945, 5370, 3690);
    picture1->setGeometry(box.x(), box.y(), box.width(),
                          std::max(box.height(), natural.height() + 4));
    picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture1->setAutoFillBackground(true);
    picture1->setCursor(artwork::penPointer());
    picture1->hide();
    connect(picture1, &ClickableLabel::clicked, picture1, &QWidget::hide);

    highlightTopic(1);
    if (m_texts.helpOpensOnFirstTopic)
        showTopic(1);
}

void Form2::showTopic(int topic)
{
    text1->setPlainText(topicLines(topic).join(QLatin1Char('\n')));
    for (int i = 0; i < 4; ++i)
        colours::set(m_topics[size_t(i)], QPalette::WindowText,
                     i + 1 == topic ? colours::kRed : colours::kBlack);
    // Leaves an enlarged view standing until it is clicked away.
    image1->setVisible(topic == 3);
}

void Form2::highlightTopic(int topic)
{
    for (int i = 0; i < 4; ++i)
        m_topics[size_t(i)]->setAutoFillBackground(i + 1 == topic);
}

void Form2::enlarge()
{
    picture1->setPixmap(image1->pixmap());
    picture1->show();
    picture1->raise();
}

void Form2::showEvent(QShowEvent* event)
{
    // Qt counts tool windows out when deciding the program is done, and says
    // so again whenever the window is created; this one keeps the program
    // running after the main window is closed, until it is closed too.
    setAttribute(Qt::WA_QuitOnClose, true);
    QWidget::showEvent(event);
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        for (int i = 0; i < 4; ++i) {
            if (watched == m_topics[size_t(i)])
                highlightTopic(i + 1);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace jlex

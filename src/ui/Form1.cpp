#include "ui/Form1.h"

#include "ops/StoreFindings.h"
#include "ops/Texts.h"
#include "ui/Artwork.h"
#include "ui/CaptionFrame.h"
#include "ui/ClickableLabel.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/Form2.h"
#include "ui/HoverTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/OptionPair.h"
#include "ui/Twips.h"
#include "ui/WebLinks.h"
#include "ui/WrappingButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace jlex {

namespace {

const QString kAboutTitle = QStringLiteral("       About         ");

template <class W>
W* place(QWidget* parent, const char* name, const QRect& geometry, const QString& caption = {})
{
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLabel, W>)
        widget->setText(caption);
    return widget;
}

} // namespace

Form1::Form1(Target target, Messages& messages, Browser& browser, QWidget* parent)
    : QWidget(parent), m_messages(messages), m_browser(browser),
      m_session(std::move(target), *this, messages)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(texts().windowTitle);
    setWindowIcon(artwork::appIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(fromTwips(8970), fromTwips(5655));
    setFont(fonts::windowDefault());
    colours::fill(this, colours::kWhite);

    build();
    connectHandlers();
}

Form1::~Form1()
{
    delete m_help;
}

void Form1::build()
{
    // Controls on the window; those inside the frame's rectangle belong to
    // the window and are drawn above the frame.
    check4 = place<QCheckBox>(this, "Check4", twipsRect(420, 2835, 1485, 330),
                              QStringLiteral("日语汉字(py)"));
    option4 = place<QRadioButton>(this, "Option4", twipsRect(3465, 2520, 2010, 330),
                                  QStringLiteral("还原到最近备份"));
    option3 = place<QRadioButton>(this, "Option3", twipsRect(3465, 2940, 2010, 330),
                                  QStringLiteral("还原到最初状态"));
    command6 = place<QPushButton>(this, "Command6", twipsRect(7140, 4620, 1170, 330),
                                  QStringLiteral("帮助说明"));
    check2 = place<QCheckBox>(this, "Check2", twipsRect(420, 1995, 1485, 330),
                              QStringLiteral("日语假名"));
    command5 = place<WrappingButton>(this, "Command5", twipsRect(7140, 3885, 1170, 645),
                                     QStringLiteral("卸载并还原到最初状态"));
    command4 = place<QPushButton>(this, "Command4", twipsRect(3675, 3360, 1695, 330),
                                  QStringLiteral("词条还原开始"));
    command3 = place<QPushButton>(this, "Command3", twipsRect(1050, 4620, 960, 330),
                                  QStringLiteral("安装"));
    command2 = place<QPushButton>(this, "Command2", twipsRect(6930, 5250, 960, 330),
                                  QStringLiteral("退出"));
    command1 = place<QPushButton>(this, "Command1", twipsRect(7980, 5250, 960, 330),
                                  QStringLiteral("关于"));
    frame1 = place<CaptionFrame>(this, "Frame1", twipsRect(210, 1470, 8625, 3585));
    frame1->setTitle(QStringLiteral("操作："));
    dlg = place<QLabel>(this, "dlg", twipsRect(1995, 5145, 4845, 435), QStringLiteral("说明："));
    label3 = place<ClickableLabel>(this, "Label3", twipsRect(315, 5250, 960, 240),
                                   QStringLiteral("软件简介"));
    label2 = place<QLabel>(this, "Label2", twipsRect(210, 735, 8625, 645),
                           QStringLiteral("您当前的系统用户为："));
    image1 = place<ClickableLabel>(this, "Image1", twipsRect(2205, 105, 2250, 675));
    label1 = place<QLabel>(this, "Label1", twipsRect(4515, 315, 4215, 330),
                           QStringLiteral("日本語入力（アマチュア）"));
    buildFrame();

    for (QPushButton* button : {command1, command2, command3, command4, command5, command6})
        button->setFont(fonts::song(10.5));
    for (QAbstractButton* box :
         std::initializer_list<QAbstractButton*>{check2, check4, option3, option4})
        box->setFont(fonts::windowDefault());
    check2->setChecked(true);
    check2->setEnabled(false); // the kana table is always installed
    m_installMode = new OptionPair(option1, option2, this);
    m_restoreChoice = new OptionPair(option3, option4, this);
    option1->setChecked(true);
    option3->setChecked(true);

    frame1->setFont(fonts::song(12));
    colours::set(frame1, QPalette::WindowText, colours::kDarkBlue);
    // The dividing lines reach from border to border, never beyond it.
    for (QFrame* line : {line1, line2})
        line->setGeometry(line->geometry().intersected(frame1->insideBorder()));
    dlg->setWordWrap(true);
    dlg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colours::set(dlg, QPalette::WindowText, colours::kGreen);
    label3->setFont(fonts::song(12, false, true));
    colours::set(label3, QPalette::WindowText, colours::kBlue);
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A logo taller than its place is shown smaller, never cut.
    QPixmap logo(texts().logo);
    if (logo.height() > image1->height())
        logo = logo.scaledToHeight(image1->height(), Qt::SmoothTransformation);
    image1->setPixmap(logo);
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1->setFont(fonts::youYuan(15.75, true));
    colours::set(label1, QPalette::WindowText, colours::kRed);

    applyLook(m_session.target().look);
    stack();
    setUpPointers();

    const QList<QWidget*> tabOrder = {command1, command2, command3, check1,   command4,
                                      command5, check2,   check3,   command6, option2,
                                      option1,  option3,  option4,  command7, check4};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // Qt would start on the first focusable control it created.
    command1->setFocus();
    // Enter presses the focused button, not only in dialogs.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);
}

void Form1::buildFrame()
{
    command7 = place<QPushButton>(frame1, "Command7", twipsRect(3465, 3150, 1695, 330),
                                  QStringLiteral("词条备份开始"));
    option1 = place<QRadioButton>(frame1, "Option1", twipsRect(525, 2205, 1380, 330),
                                  QStringLiteral("添加模式"));
    option2 = place<QRadioButton>(frame1, "Option2", twipsRect(525, 2625, 1380, 330),
                                  QStringLiteral("覆盖模式"));
    check3 = place<QCheckBox>(frame1, "Check3", twipsRect(210, 1785, 1485, 330),
                              QStringLiteral("常用交际短语"));
    check1 = place<QCheckBox>(frame1, "Check1", twipsRect(210, 945, 1485, 330),
                              QStringLiteral("现有词条备份"));
    label7 =
        place<QLabel>(frame1, "label7", twipsRect(6300, 210, 2220, 2115), texts().prerequisites);
    label6 = place<QLabel>(frame1, "Label6", twipsRect(2730, 2625, 3375, 540),
                           QStringLiteral("最近词条备份时间："));
    label5 = place<QLabel>(frame1, "Label5", twipsRect(2730, 315, 3270, 540),
                           QStringLiteral("最初状态备份时间："));
    label4 =
        place<QLabel>(frame1, "Label4", twipsRect(1785, 600, 435, 225), QStringLiteral("必选"));
    line2 = place<QFrame>(frame1, "Line2",
                          QRect(fromTwips(6195), fromTwips(115), 1, fromTwips(3570 - 115)));
    line1 = place<QFrame>(frame1, "Line1",
                          QRect(fromTwips(2520), fromTwips(115), 1, fromTwips(3570 - 115)));

    // The frame's font and caption colour are its own, not its controls'.
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    for (QWidget* w :
         std::initializer_list<QWidget*>{check1, check3, option1, option2, label4, label7})
        colours::set(w, QPalette::WindowText, text);
    for (QWidget* w : std::initializer_list<QWidget*>{check1, check3, option1, option2, label4})
        w->setFont(fonts::windowDefault());
    command7->setFont(fonts::song(10.5));
    label7->setFont(fonts::song(12));
    label7->setWordWrap(true);
    label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* time : {label5, label6}) {
        time->setFont(fonts::newSong(10.5));
        time->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        colours::set(time, QPalette::WindowText, colours::kDarkBlue);
    }
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    for (QFrame* line : {line1, line2})
        colours::fill(line, highlight);
    check1->setChecked(true);
    check3->setChecked(true);
}

// The login edition paints its controls white like the window; the public
// edition leaves them in the system's control colour and sits the band above
// the frame lower.
void Form1::applyLook(WindowLook look)
{
    const bool login = look == WindowLook::White;
    const QColor control =
        login ? colours::kWhite : QApplication::palette().color(QPalette::Button);
    for (QWidget* w :
         std::initializer_list<QWidget*>{check1, check2, check3, check4, option1, option2, option3,
                                         option4, frame1, label7, label5, label6, label2})
        colours::fill(w, control);
    if (login) {
        for (QPushButton* button : {command1, command2, command3, command4, command5, command7})
            colours::set(button, QPalette::Button, colours::kWhite);
    } else {
        image1->move(fromTwips(2205), fromTwips(315));
        label1->move(fromTwips(4515), fromTwips(525));
        label2->move(fromTwips(210), fromTwips(945));
    }
    colours::set(command6, QPalette::Button, colours::kYellow);
}

// Earlier controls in the layout lie above later ones where they overlap.
void Form1::stack()
{
    // Raising from the last to the first leaves the first on top.
    const auto raiseInOrder = [](std::initializer_list<QWidget*> topFirst) {
        for (auto it = std::rbegin(topFirst); it != std::rend(topFirst); ++it)
            (*it)->raise();
    };
    raiseInOrder({check4, option4, option3, command6, check2, command5, command4, command3,
                  command2, command1, frame1, dlg, label3, label2, image1, label1});
    raiseInOrder(
        {command7, option1, option2, check3, check1, label7, label6, label5, label4, line2, line1});
}

void Form1::setUpPointers()
{
    // The pen over the window and what is drawn straight on it; the system's
    // pointer over controls.
    setCursor(artwork::penPointer());
    label3->setCursor(artwork::helpArrowPointer());
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->parentWidget() == this && !qobject_cast<QLabel*>(w))
            w->setCursor(Qt::ArrowCursor);
    }
    // Every move over the window reaches the status line, disabled controls included.
    setMouseTracking(true);
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void Form1::connectHandlers()
{
    connect(command3, &QPushButton::clicked, this, &Form1::install);
    connect(command7, &QPushButton::clicked, this, [this] { m_session.backup(); });
    connect(command4, &QPushButton::clicked, this,
            [this] { m_session.restore(option3->isChecked()); });
    connect(command5, &QPushButton::clicked, this, [this] {
        if (m_session.uninstall())
            endProgram();
    });
    connect(check1, &QCheckBox::clicked, this, [this](bool ticked) {
        if (!ticked)
            m_session.warnNoBackup();
    });
    connect(command1, &QPushButton::clicked, this, &Form1::showAbout);
    connect(command2, &QPushButton::clicked, this, &Form1::endProgram);
    connect(command6, &QPushButton::clicked, this, &Form1::showHelp);
    connect(image1, &ClickableLabel::clicked, this, [this] {
        openPage(texts().logoOpensVendorPage ? links::vendorHomePage() : links::introductionPage());
    });
    connect(label3, &ClickableLabel::clicked, this,
            [this] { openPage(links::introductionPage()); });
    // The help button doubles as the window's cancel button; F1 as everywhere.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F1)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &Form1::showHelp);
}

const TargetTexts& Form1::texts() const
{
    return m_session.target().texts;
}

void Form1::startUp()
{
    m_session.runSurvey();
    show();
}

ControlStates Form1::controlStates() const
{
    return {
        .addMode = {option1->isEnabled(), option1->isChecked()},
        .overwriteMode = {option2->isEnabled(), option2->isChecked()},
        .backupFirst = {check1->isEnabled(), check1->isChecked()},
        .backupAvailable = command7->isEnabled(),
        .restoreInitial = {option3->isEnabled(), option3->isChecked()},
        .restoreLatest = {option4->isEnabled(), option4->isChecked()},
        .restoreAvailable = command4->isEnabled(),
    };
}

namespace {

QString locationText(const QString& user, const QString& phrasePath)
{
    return QStringLiteral("                         您当前的系统用户名为：") + user +
           QStringLiteral("\r词库将被安装在：") + phrasePath;
}

QString timeText(const QString& heading, const std::optional<QString>& time)
{
    return heading + QStringLiteral("\r\n") + time.value_or(texts::kNoBackupTime);
}

} // namespace

void Form1::applySurvey(const SurveyResult& result)
{
    const ControlStates& s = result.controls;
    m_installMode->set(s.addMode, s.overwriteMode);
    check1->setChecked(s.backupFirst.selected);
    check1->setEnabled(s.backupFirst.enabled);
    command7->setEnabled(s.backupAvailable);
    m_restoreChoice->set(s.restoreInitial, s.restoreLatest);
    command4->setEnabled(s.restoreAvailable);
    label2->setText(displayText(locationText(result.userName, result.heldPhrasePath)));
    label5->setText(
        displayText(timeText(QStringLiteral("最初状态备份时间："), result.initialBackupTime)));
    label6->setText(
        displayText(timeText(result.latestBackupTime ? QStringLiteral("最近状态备份时间：")
                                                     : QStringLiteral("最近词条备份时间："),
                             result.latestBackupTime)));
    // Unticking the box by itself warns as the user's own unticking does,
    // unless the window can say plainly that there is nothing to back up.
    if (result.backupUnticked && texts().noPhraseFileNote.isEmpty())
        m_session.warnNoBackup();
    else if (result.noPhraseFile && !texts().noPhraseFileNote.isEmpty())
        showNote(texts().noPhraseFileNote);
}

void Form1::showNote(const QString& note)
{
    showStatus({note, kStatusGreen});
}

void Form1::install()
{
    QList<PhraseTable> tables;
    if (check3->isChecked())
        tables << PhraseTable::Greeting;
    if (check4->isChecked())
        tables << PhraseTable::Kanji;
    m_session.install(
        {.tables = tables, .addMode = option1->isChecked(), .backupFirst = check1->isChecked()});
}

void Form1::showAbout()
{
    m_messages.show(kAboutTitle, texts().about);
}

std::function<QStringList()> Form1::checksForHelp(const QString& ime) const
{
    if (!texts().helpShowsChecks)
        return {};
    const Target& target = m_session.target();
    return [target, ime] {
        QStringList lines;
        for (const Finding& finding : allFindings(target, ime))
            lines << findingText(finding);
        return lines << QStringLiteral("（在终端中运行 jlex --ime %1 doctor --fix 可以代为修正"
                                       "标有“有问题”的一些项目。）")
                            .arg(ime);
    };
}

void Form1::showHelp()
{
    if (!m_help) {
        const QString ime = m_session.paths().historyName();
        m_help = new Form2(texts(),
                           {QStringLiteral("每次被替换或丢弃的词库都另存在历史记录中，位于：") +
                                m_session.paths().historyDir(),
                            QStringLiteral("在终端中运行 jlex --ime %1 history 可以列出各个版本，"
                                           "运行 jlex --ime %1 restore --from 编号 可以取回其中"
                                           "一个。")
                                .arg(ime)},
                           checksForHelp(ime));
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void Form1::openPage(const QUrl& url)
{
    if (url.isEmpty()) {
        m_messages.show(
            texts::kAppTitle,
            QStringLiteral("找不到软件简介页面 jlex-intro.html，它应与本程序放在一起。"));
        return;
    }
    if (!m_browser.open(url))
        m_messages.show(texts::kAppTitle,
                        QStringLiteral("无法启动浏览器打开网页：\n") + url.toDisplayString());
}

void Form1::endProgram()
{
    if (m_help)
        m_help->close();
    close();
    QCoreApplication::exit(0);
}

void Form1::showStatus(const HoverText& hover)
{
    dlg->setText(displayText(hover.text));
    if (hover.colour)
        colours::set(dlg, QPalette::WindowText, *hover.colour);
}

void Form1::hoverOver(QWidget* widget)
{
    QString source = widget->objectName();
    // A disabled control passes the pointer on to what it stands on.
    if (!widget->isEnabled())
        source = widget->parentWidget() == frame1 ? frame1->objectName() : objectName();
    if (source == image1->objectName())
        showStatus({texts().logoHover, kStatusGreen});
    else if (const auto hover = hoverTextFor(source))
        showStatus(*hover);
}

bool Form1::focusNextPrevChild(bool next)
{
    // Qt's own walk knows nothing of option pairs and would stop at an
    // unselected option.
    QWidget* from = focusWidget() ? focusWidget() : this;
    for (QWidget* w = from;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return false;
        if (isTabStop(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool Form1::isTabStop(const QWidget* widget) const
{
    if (widget == this || widget->window() != this || !widget->isVisibleTo(this) ||
        !widget->isEnabled())
        return false;
    for (const OptionPair* pair : {m_installMode, m_restoreChoice}) {
        if (pair->contains(widget))
            return pair->isTabStop(widget);
    }
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    // A move reaches the control under the pointer and then, unless taken,
    // its containers; each works out the same control, so the status line
    // ends up describing what the pointer is really over.
    if (event->type() == QEvent::MouseMove) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const QPoint pos =
                mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            if (rect().contains(pos)) {
                QWidget* under = childAt(pos);
                hoverOver(under ? under : this);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace jlex

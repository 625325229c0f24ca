#pragma once

#include "ops/Session.h"
#include "ui/Form2.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace jlex {

class Browser;
class CaptionFrame;
class ClickableLabel;
class Messages;
class OptionPair;
struct HoverText;

// The main window: the install, backup and restore choices, the buttons that
// run them, what the store holds, and a status line explaining the control
// under the pointer.
class Form1 : public QWidget, public SurveyTarget {
    Q_OBJECT

public:
    Form1(Target target, Messages& messages, Browser& browser, QWidget* parent = nullptr);
    ~Form1() override;

    // Looks at the store, then shows the window: a store without a phrase
    // file warns about the backup before the window appears.
    void startUp();

    ControlStates controlStates() const override;
    void applySurvey(const SurveyResult& result) override;
    void showNote(const QString& note) override;

    // The help window while one is open.
    Form2* helpWindow() const { return m_help; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void build();
    void buildFrame();
    void stack();
    void applyLook(WindowLook look);
    const TargetTexts& texts() const;
    void setUpPointers();
    void connectHandlers();

    void install();
    void showAbout();
    void showHelp();
    std::function<QStringList()> checksForHelp(const QString& ime) const;
    void openPage(const QUrl& url);
    void endProgram();
    void showStatus(const HoverText& hover);
    void hoverOver(QWidget* widget);
    bool isTabStop(const QWidget* widget) const;

    Messages& m_messages;
    Browser& m_browser;
    Session m_session;
    QPointer<Form2> m_help;

    OptionPair* m_installMode = nullptr;   // Option1, Option2
    OptionPair* m_restoreChoice = nullptr; // Option3, Option4

    CaptionFrame* frame1 = nullptr;
    QCheckBox *check1 = nullptr, *check2 = nullptr, *check3 = nullptr, *check4 = nullptr;
    QRadioButton *option1 = nullptr, *option2 = nullptr, *option3 = nullptr, *option4 = nullptr;
    QPushButton *command1 = nullptr, *command2 = nullptr, *command3 = nullptr, *command4 = nullptr,
                *command5 = nullptr, *command6 = nullptr, *command7 = nullptr;
    QLabel *label1 = nullptr, *label2 = nullptr, *label4 = nullptr, *label5 = nullptr,
           *label6 = nullptr, *label7 = nullptr, *dlg = nullptr;
    ClickableLabel *label3 = nullptr, *image1 = nullptr;
    QFrame *line1 = nullptr, *line2 = nullptr;
};

} // namespace jlex

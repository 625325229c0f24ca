#pragma once

#include "ops/Target.h"

#include <QWidget>

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace jlex {

class ClickableLabel;

// The help window: four topics, the text of the chosen one, and for the topic
// on applying the phrases an illustration of the IME's menus that enlarges
// when clicked.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // historyHelp: where the history is and how to get a version back, after
    // the topic on restoring; checks: what this machine was found to be like,
    // after the topic on what else to check, looked at when it is shown.
    Form2(const TargetTexts& texts, const QStringList& historyHelp,
          std::function<QStringList()> checks = {}, QWidget* parent = nullptr);

    // Topics are numbered 1 to 4, as their labels are named.
    void showTopic(int topic);
    void highlightTopic(int topic);

    QStringList topicLines(int topic) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void enlarge();

    TargetTexts m_texts;
    QStringList m_historyHelp;
    std::function<QStringList()> m_checks;
    std::array<ClickableLabel*, 4> m_topics{};
    QPlainTextEdit* text1 = nullptr;
    QGroupBox *frame1 = nullptr, *frame2 = nullptr;
    ClickableLabel *image1 = nullptr, *picture1 = nullptr;
    QLabel* label5 = nullptr;
};

} // namespace jlex

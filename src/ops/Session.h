#pragma once

#include "ops/Messages.h"
#include "ops/Operations.h"
#include "ops/Survey.h"
#include "ops/Target.h"

namespace jlex {

// The main window as the survey sees it: controls to read and to set.
class SurveyTarget {
public:
    virtual ~SurveyTarget() = default;
    virtual ControlStates controlStates() const = 0;
    virtual void applySurvey(const SurveyResult& result) = 0;
};

// What the main window keeps between events, and the order in which each of
// its buttons works: the files first, then the refreshed window, then the
// messages, so the window already shows the new state while they are read.
class Session {
public:
    Session(Target target, SurveyTarget& window, Messages& messages);

    void runSurvey();
    // Each returns whether the operation succeeded.
    bool install(const InstallChoices& choices);
    bool backup();
    bool restore(bool toInitialState);
    // True when the program should end now: the uninstall succeeded.
    [[nodiscard]] bool uninstall();
    // Shown whenever the backup box becomes unticked, by the user or the survey.
    void warnNoBackup();

    const QString& heldPhrasePath() const { return m_heldPhrasePath; }
    const StorePaths& paths() const { return *m_target.paths; }
    const Target& target() const { return m_target; }

private:
    bool finish(const QString& operation, const std::optional<OperationFailure>& failure);
    // After the phrase file changed: asks the input method to re-read it, and says whether it did.
    void reloadAndTell();

    Target m_target;
    SurveyTarget& m_window;
    Messages& m_messages;
    QString m_heldPhrasePath;
};

} // namespace jlex

#pragma once

#include "ops/Messages.h"
#include "ops/Operations.h"
#include "ops/Survey.h"
#include "ops/Target.h"

namespace jlex {

// The main window as the session sees it: choices to read and to set, and a
// place for a short note after an operation.
class SurveyTarget {
public:
    virtual ~SurveyTarget() = default;
    virtual ControlStates controlStates() const = 0;
    virtual void applySurvey(const SurveyResult& result) = 0;
    virtual void showNote(const QString& note) = 0;
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
    bool restoreFromHistory(const QString& id);
    // True when the program should end now: the uninstall succeeded.
    [[nodiscard]] bool uninstall();
    // Shown whenever the user unticks the backup box.
    void warnNoBackup();

    // An operation acts only on the store as the last survey showed it; the
    // command line, which surveys under the lock, acts on it as it is.
    void actOnStoreAsItIs() { m_checkSeen = false; }

    const QString& heldPhrasePath() const { return m_survey.heldPhrasePath; }
    const SurveyResult& lastSurvey() const { return m_survey; }
    const StorePaths& paths() const { return *m_target.paths; }
    const Target& target() const { return m_target; }

private:
    OperationContext context() const;
    bool finish(const QString& operation, const OperationResult& result);
    bool restored(const OperationResult& result);
    // Says what the user must still do by hand, and, where the window says
    // such things, that a replaced file went into the history.
    void noteKept(const OperationResult& result);
    // After the phrase file changed: asks the input method to re-read it, and says whether it did.
    void reloadAndTell(const QString& doneHint);

    Target m_target;
    SurveyTarget& m_window;
    Messages& m_messages;
    SurveyResult m_survey;
    bool m_checkSeen = true;
};

} // namespace jlex

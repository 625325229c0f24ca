#include "ops/Session.h"

#include "ops/Texts.h"

namespace jlex {

Session::Session(Target target, SurveyTarget& window, Messages& messages)
    : m_target(std::move(target)), m_window(window), m_messages(messages)
{}

void Session::runSurvey()
{
    m_survey = survey(*m_target.paths, m_window.controlStates());
    m_window.applySurvey(m_survey);
}

void Session::warnNoBackup()
{
    m_messages.show(texts::kBackupWarningTitle, texts::kBackupWarningText);
}

OperationContext Session::context() const
{
    return {*m_target.paths, m_checkSeen ? &m_survey.fingerprint : nullptr, m_target.sideFiles,
            m_target.placement};
}

// A failure is reported before the refresh, so the window then shows the
// store as the failure left it; success is reported after it.
bool Session::finish(const QString& operation, const OperationResult& result)
{
    if (result.failure)
        m_messages.show(texts::kAppTitle, failureMessage(operation, *result.failure));
    runSurvey();
    return result.succeeded();
}

void Session::noteKept(const OperationResult& result)
{
    if (!result.advice.isEmpty())
        m_messages.show(texts::kAppTitle, result.advice);
    if (!result.kept.isEmpty())
        m_window.showNote(texts::kKeptNote);
}

bool Session::install(const InstallChoices& choices)
{
    const OperationResult result = jlex::install(context(), heldPhrasePath(), choices);
    if (!finish(QStringLiteral("安装"), result))
        return false;
    m_messages.show(texts::kAppTitle, texts::kInstallDone);
    reloadAndTell(m_target.texts.reloadedHint);
    noteKept(result);
    return true;
}

bool Session::backup()
{
    const OperationResult result = jlex::backup(context(), heldPhrasePath());
    if (!finish(QStringLiteral("备份"), result))
        return false;
    m_messages.show(texts::kAppTitle, texts::kBackupDone);
    noteKept(result);
    return true;
}

bool Session::restore(bool toInitialState)
{
    return restored(jlex::restore(context(), toInitialState));
}

bool Session::restoreFromHistory(const QString& id)
{
    return restored(jlex::restoreFromHistory(context(), id));
}

bool Session::restored(const OperationResult& result)
{
    if (!finish(QStringLiteral("还原"), result))
        return false;
    m_messages.show(texts::kAppTitle, texts::kRestoreDone);
    reloadAndTell(m_target.texts.reloadedHint);
    noteKept(result);
    return true;
}

void Session::reloadAndTell(const QString& doneHint)
{
    const bool reloaded = m_target.reloader && m_target.reloader->reload();
    m_messages.show(texts::kAppTitle, reloaded ? doneHint : m_target.texts.restartHint);
}

bool Session::uninstall()
{
    // The program ends after a successful uninstall, so the window is not
    // refreshed then; after a failure it stays, and shows the store as it is.
    const OperationResult result = jlex::uninstall(context());
    if (!result.succeeded()) {
        finish(QStringLiteral("卸载"), result);
        return false;
    }
    m_messages.show(texts::kAppTitle, texts::kRestoreDone);
    // Whatever a fix of `jlex doctor --fix` changed goes with the tables.
    if (m_target.doctor) {
        for (const auto& fix : m_target.doctor->fixes()) {
            QString said;
            fix->undo(&said);
            if (!said.isEmpty())
                m_messages.show(texts::kAppTitle, said);
        }
    }
    reloadAndTell(m_target.texts.uninstalledHint);
    noteKept(result);
    return true;
}

} // namespace jlex

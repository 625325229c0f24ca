#include "ops/Session.h"

#include "ops/Texts.h"

namespace jlex {

Session::Session(Target target, SurveyTarget& window, Messages& messages)
    : m_target(std::move(target)), m_window(window), m_messages(messages)
{}

void Session::runSurvey()
{
    const SurveyResult result = survey(*m_target.paths, m_window.controlStates());
    m_heldPhrasePath = result.heldPhrasePath;
    m_window.applySurvey(result);
    if (result.backupWarning)
        warnNoBackup();
}

void Session::warnNoBackup()
{
    m_messages.show(texts::kBackupWarningTitle, texts::kBackupWarningText);
}

// A failure is reported before the refresh, so the window then shows the
// store as the failure left it; success is reported after it.
bool Session::finish(const QString& operation, const std::optional<OperationFailure>& failure)
{
    if (failure)
        m_messages.show(texts::kAppTitle, failureMessage(operation, *failure));
    runSurvey();
    return !failure;
}

bool Session::install(const InstallChoices& choices)
{
    if (!finish(QStringLiteral("安装"), jlex::install(*m_target.paths, m_heldPhrasePath, choices)))
        return false;
    m_messages.show(texts::kAppTitle, texts::kInstallDone);
    reloadAndTell();
    return true;
}

bool Session::backup()
{
    if (!finish(QStringLiteral("备份"), jlex::backup(*m_target.paths, m_heldPhrasePath)))
        return false;
    m_messages.show(texts::kAppTitle, texts::kBackupDone);
    return true;
}

bool Session::restore(bool toInitialState)
{
    if (!finish(QStringLiteral("还原"), jlex::restore(*m_target.paths, toInitialState)))
        return false;
    m_messages.show(texts::kAppTitle, texts::kRestoreDone);
    reloadAndTell();
    return true;
}

void Session::reloadAndTell()
{
    const bool reloaded = m_target.reloader && m_target.reloader->reload();
    m_messages.show(texts::kAppTitle,
                    reloaded ? m_target.texts.reloadedHint : m_target.texts.restartHint);
}

bool Session::uninstall()
{
    // The program ends after a successful uninstall, so the window is not
    // refreshed then; after a failure it stays, and shows the store as it is.
    if (const auto failure = jlex::uninstall(*m_target.paths)) {
        finish(QStringLiteral("卸载"), failure);
        return false;
    }
    m_messages.show(texts::kAppTitle, texts::kRestoreDone);
    reloadAndTell();
    return true;
}

} // namespace jlex

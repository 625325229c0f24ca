#include "cli/StoreCommands.h"

#include "cli/ExitStatus.h"
#include "cli/Output.h"
#include "ops/Session.h"
#include "ops/Targets.h"
#include "ops/Texts.h"
#include "store/Fcitx5Reloader.h"

#include <QRegularExpression>

namespace jlex::cli {

namespace {

// The windows' messages as lines on standard error. A lone CR only wrapped a
// message box's text, so the pieces it joins become one line.
class ConsoleMessages : public Messages {
public:
    void show(const QString& title, const QString& text) override
    {
        static const QRegularExpression wrap(QStringLiteral("\\s*\\r(?!\\n)\\s*"));
        QString line = QString(text)
                           .replace(wrap, QString())
                           .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (title != texts::kAppTitle)
            line.prepend(title.trimmed() + QLatin1Char(' '));
        tell(line.trimmed());
    }
};

// The main window's choices, as the survey leaves them, without a window.
class Choices : public SurveyTarget {
public:
    ControlStates controlStates() const override { return m_states; }
    void applySurvey(const SurveyResult& result) override { m_states = result.controls; }
    const ControlStates& states() const { return m_states; }

private:
    ControlStates m_states;
};

Target targetFor(Ime ime)
{
    switch (ime) {
    case Ime::KavroLogin:
        return kavroTarget(Edition::Login);
    case Ime::KavroPublic:
        return kavroTarget(Edition::Public);
    case Ime::Fcitx5:
        break;
    }
    return fcitx5Target(std::make_shared<Fcitx5Reloader>());
}

// A session over the chosen store, surveyed as the window would be at start.
struct Console {
    explicit Console(Ime ime) : session(targetFor(ime), choices, messages) { session.runSurvey(); }

    ConsoleMessages messages;
    Choices choices;
    Session session;
};

int exitStatus(bool done)
{
    return done ? kDone : kFailed;
}

QString entryName(StoreFile file)
{
    switch (file) {
    case StoreFile::Phrases:
        return QStringLiteral("phrases");
    case StoreFile::InitialBackup:
        return QStringLiteral("initial-backup");
    case StoreFile::LatestBackup:
        return QStringLiteral("latest-backup");
    case StoreFile::Swap:
        return QStringLiteral("swap");
    case StoreFile::InitialStamp:
    case StoreFile::LatestStamp:
        break;
    }
    return {};
}

} // namespace

int showStatus(const Invocation& invocation)
{
    for (const auto& entry : storeStatus(*targetFor(invocation.ime).paths).entries) {
        QStringList fields{entryName(entry.file),
                           entry.present ? QStringLiteral("present") : QStringLiteral("absent"),
                           entry.path};
        if (!entry.time.isEmpty())
            fields << entry.time;
        if (!writeResultLine(fields.join(QLatin1Char('\t'))))
            return kFailed;
    }
    return kDone;
}

int installTables(const Invocation& invocation)
{
    Console console(invocation.ime);
    const ControlStates& states = console.choices.states();
    // Without a phrase file the survey has already chosen overwrite mode and no backup.
    InstallChoices choices{
        .greeting = invocation.tables.contains(PhraseTable::Greeting),
        .kanji = invocation.tables.contains(PhraseTable::Kanji),
        .addMode = states.option1.selected && !invocation.overwrite,
        .backupFirst = states.check1.selected && !invocation.noBackup,
    };
    if (states.check1.selected && invocation.noBackup)
        console.session.warnNoBackup();
    return exitStatus(console.session.install(choices));
}

int backUp(const Invocation& invocation)
{
    return exitStatus(Console(invocation.ime).session.backup());
}

int restoreBackup(const Invocation& invocation)
{
    return exitStatus(Console(invocation.ime).session.restore(invocation.restoreInitial));
}

int uninstallTables(const Invocation& invocation)
{
    return exitStatus(Console(invocation.ime).session.uninstall());
}

} // namespace jlex::cli

#include "cli/StoreCommands.h"

#include "cli/ExitStatus.h"
#include "cli/Output.h"
#include "ops/Session.h"
#include "ops/Texts.h"
#include "store/FileErrors.h"
#include "store/FileSteps.h"
#include "store/StoreLock.h"
#include "targets/Registry.h"

#include <QRegularExpression>

#include <limits>
#include <unistd.h>

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
    void showNote(const QString&) override
    {
        tell(QStringLiteral("被替换下来的内容已存入历史记录：jlex history 可以列出，"
                            "jlex restore --from 编号 可以取回。"));
    }
    const ControlStates& states() const { return m_states; }

private:
    ControlStates m_states;
};

// A session over the chosen store, surveyed as the window would be at start,
// but under the store's lock: a command waits for another jlex to finish and
// then acts on the files as that one left them.
class Console {
public:
    explicit Console(const Invocation& invocation)
        : m_session(invocation.target(), m_choices, m_messages),
          m_lock(m_session.paths().problem().isEmpty()
                     ? std::make_unique<StoreLock>(m_session.paths().lockFile())
                     : nullptr)
    {
        m_session.actOnStoreAsItIs();
        m_session.runSurvey();
    }
    Session& session() { return m_session; }
    const ControlStates& states() const { return m_choices.states(); }
    const SurveyResult& survey() const { return m_session.lastSurvey(); }

private:
    ConsoleMessages m_messages;
    Choices m_choices;
    Session m_session;
    std::unique_ptr<StoreLock> m_lock; // the operation itself tells when it is not held
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

QString stateName(StoreStatus::State state)
{
    switch (state) {
    case StoreStatus::State::Present:
        return QStringLiteral("present");
    case StoreStatus::State::Absent:
        return QStringLiteral("absent");
    case StoreStatus::State::Unreadable:
        return QStringLiteral("unreadable");
    case StoreStatus::State::NotAFile:
        return QStringLiteral("not-a-file");
    }
    return {};
}

// A field of a tab-separated line stays one field whatever a path holds.
QString field(QString text)
{
    return text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"));
}

bool writeFields(const QStringList& fields)
{
    QStringList escaped;
    for (const QString& f : fields)
        escaped << field(f);
    return writeResultLine(escaped.join(u'\t'));
}

// 2026-12-07T11:30:18+08:00: local time, with the offset that makes it unambiguous.
QString isoLocalTime(const QDateTime& time)
{
    const int offset = time.offsetFromUtc();
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
               .arg(std::abs(offset) / 3600, 2, 10, QLatin1Char('0'))
               .arg(std::abs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
}

// The paths are composed from the environment; a command refuses to guess them.
bool environmentUsable(const Target& target)
{
    const QString problem = target.paths->problem();
    if (!problem.isEmpty())
        tell(problem + QStringLiteral("。"));
    return problem.isEmpty();
}

} // namespace

int showStatus(const Invocation& invocation)
{
    const Target target = invocation.target();
    if (!environmentUsable(target))
        return kFailed;
    const StoreStatus status = storeStatus(*target.paths);
    for (const auto& entry : status.entries) {
        if (!writeFields({entryName(entry.file), stateName(entry.state), entry.path, entry.host,
                          entry.time}))
            return outputFailed();
    }
    for (const QString& leftover : status.leftovers) {
        if (!writeFields(
                {QStringLiteral("leftover"), QStringLiteral("present"), leftover, leftover, {}}))
            return outputFailed();
    }
    return kDone;
}

int installTables(const Invocation& invocation)
{
    Console console(invocation);
    const ControlStates& states = console.states();
    // Without a phrase file the survey has already chosen overwrite mode and no backup.
    const InstallChoices choices{
        .tables = invocation.tables,
        .addMode = states.addMode.selected && !invocation.overwrite,
        .backupFirst = states.backupFirst.selected && !invocation.noBackup,
    };
    if (console.survey().noPhraseFile && !invocation.noBackup)
        tell(QStringLiteral("还没有短语文件，没有可备份的词条；将新建短语文件。"));
    else if (invocation.noBackup && states.backupFirst.selected)
        console.session().warnNoBackup();
    return exitStatus(console.session().install(choices));
}

int backUp(const Invocation& invocation)
{
    return exitStatus(Console(invocation).session().backup());
}

int restoreBackup(const Invocation& invocation)
{
    Console console(invocation);
    if (!invocation.restoreFrom.isEmpty())
        return exitStatus(console.session().restoreFromHistory(invocation.restoreFrom));
    return exitStatus(console.session().restore(invocation.restoreInitial));
}

int uninstallTables(const Invocation& invocation)
{
    return exitStatus(Console(invocation).session().uninstall());
}

int showHistory(const Invocation& invocation)
{
    const Target target = invocation.target();
    if (!environmentUsable(target))
        return kFailed;
    const History history(target.paths->historyDir());
    if (invocation.operands.isEmpty()) {
        for (const HistoryEntry& entry : history.entries()) {
            if (!writeFields({entry.id(), isoLocalTime(entry.time),
                              QString::number(entry.state.size), QString::number(entry.lines),
                              entry.operation}))
                return outputFailed();
        }
        return kDone;
    }
    QString problem;
    const auto entry = history.find(invocation.operands[1], &problem);
    if (!entry) {
        tell(problem + QStringLiteral("。"));
        return kFailed;
    }
    const int fd = openForReading(entry->path);
    bool wrote = true;
    const int error = fd < 0 ? -fd
                             : readBlocks(fd, 0, std::numeric_limits<qint64>::max(),
                                          [&](QByteArrayView b) { return wrote = writeResult(b); });
    if (fd >= 0)
        ::close(fd);
    if (!wrote)
        return outputFailed();
    if (error) {
        tell(cannot(FileStep::Read, QStringLiteral("历史版本 ") + entry->id()) +
             QStringLiteral("：") + reasonFor(error) + QStringLiteral("。"));
        return kFailed;
    }
    return kDone;
}

} // namespace jlex::cli

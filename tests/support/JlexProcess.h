#pragma once

#include <QDir>
#include <QProcess>

#include <memory>

// The real jlex program (JLEX_PROGRAM, set by each test that runs it) as a
// process of its own.
struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QString said() const { return QString::fromUtf8(err); }
};

// In the C locale and away from any real store or desktop bus, so results
// must not lean on the user's settings. Each of `changes` is NAME=value, or
// NAME alone to unset it; "as=nobody" runs it as that user.
inline QProcessEnvironment jlexEnvironment(const QString& home, const QStringList& changes)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("WINEPREFIX", home + "/wine");
    env.insert("USERNAME", "alice");
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    for (const QString& change : changes) {
        const qsizetype eq = change.indexOf('=');
        eq < 0 ? env.remove(change) : env.insert(change.left(eq), change.mid(eq + 1));
    }
    return env;
}

inline QProcess* startJlex(const QStringList& arguments, const QString& home,
                           const QStringList& changes = {})
{
    auto* process = new QProcess;
    const QProcessEnvironment env = jlexEnvironment(home, changes);
    process->setProcessEnvironment(env);
    if (env.value("as") == "nobody")
        process->start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                              JLEX_PROGRAM} +
                                      arguments);
    else
        process->start(JLEX_PROGRAM, arguments);
    return process;
}

inline Run finish(QProcess* process)
{
    std::unique_ptr<QProcess> owned(process);
    if (!process->waitForFinished(20000) || process->exitStatus() != QProcess::NormalExit)
        return {};
    return {process->exitCode(), process->readAllStandardOutput(), process->readAllStandardError()};
}

inline Run runJlex(const QStringList& arguments,
                   const QString& home = QDir::tempPath() + "/jlex-none",
                   const QStringList& changes = {})
{
    return finish(startJlex(arguments, home, changes));
}

#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <climits>

// A real Fcitx 5 on a session bus of its own, typed into as an application
// does through its D-Bus frontend, with the candidate list drawn on our side.
// Pinyin is Debian 13's, in a root made once (tests/engines/fcitx5-root.sh);
// Rime is this machine's. Needs root.
class Fcitx5Engine : public QObject {
    Q_OBJECT

public:
    enum class Kind { Pinyin, Rime };
    enum class Start { Ready, Unavailable, Failed };

    Fcitx5Engine();
    ~Fcitx5Engine() override;

    // With its input method on; files put in dataHome() before are read at
    // its start. Unavailable: it cannot run on this machine. Either way
    // error() says why it did not start.
    Start start(Kind kind);
    QString error() const { return m_error; }
    // XDG_DATA_HOME and DBUS_SESSION_BUS_ADDRESS for a program on this side.
    QString dataHome() const { return m_dir.filePath(QStringLiteral("data")); }
    QString busAddress() const;
    // Whether Fcitx 5 accepted SetConfig(uri, {}) on its controller.
    bool setConfig(const QString& uri);
    // Rime offers nothing while it deploys: until it offers candidates again.
    bool waitForInput(int ms);
    // Ends Fcitx 5 and keeps its bus, as a desktop session would.
    void stopInputMethod();
    bool inputMethodRunning() const;

    // Every candidate as shown for keys typed into an empty input, page after
    // page, until at least `wanted` are seen or there are no more.
    QStringList candidates(const QString& keys, int wanted = INT_MAX);
    // What choosing the candidate at index commits; the input is reset after.
    // Right after candidates() of the same keys, nothing is typed again.
    QString commit(const QString& keys, int index);

private slots:
    void onPanel(const QDBusMessage& message);
    void onCommit(const QString& text) { m_committed += text; }

private:
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {});
    // A call on the input context, its panel taken in.
    void settle(const QString& method, const QVariantList& arguments = {});
    void press(uint keysym);
    void reset();

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/jlex-fcitx5-XXXXXX")};
    QProcess m_run;
    QDBusConnection m_bus{QString()};
    QString m_context;
    QString m_error;
    QString m_typed; // what is composed now, and the page shown of it
    QStringList m_page;
    int m_pageStart = 0;
    int m_pageSize = 0;
    bool m_hasNext = false;
    QString m_committed;
};

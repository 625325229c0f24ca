#include "support/Fcitx5Engine.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

const QString kService = QStringLiteral("org.fcitx.Fcitx5");
const QString kController = QStringLiteral("org.fcitx.Fcitx.Controller1");
const QString kContext = QStringLiteral("org.fcitx.Fcitx.InputContext1");
// fcitx-utils/capabilityflags.h: the application draws the candidate list, so
// the list comes to us in UpdateClientSideUI.
constexpr qulonglong kClientSideInputPanel = 1ULL << 39;
constexpr uint kPageDown = 0xff56; // X keysyms Next and Prior
constexpr uint kPageUp = 0xff55;

// CreateInputContext takes (key, value) pairs.
struct Pair {
    QString key, value;
};
QDBusArgument& operator<<(QDBusArgument& out, const Pair& p)
{
    out.beginStructure();
    out << p.key << p.value;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, Pair& p)
{
    in.beginStructure();
    in >> p.key >> p.value;
    in.endStructure();
    return in;
}

template <typename Done> bool waitUntil(int ms, Done done)
{
    for (const QDeadlineTimer deadline(ms); !done(); QThread::msleep(20)) {
        if (deadline.hasExpired())
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Pair)

Fcitx5Engine::Fcitx5Engine()
{
    // However this process ends, the script's process ends with it, and the
    // kernel takes its namespaces down with everything in them.
    m_run.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    qDBusRegisterMetaType<Pair>();
    qDBusRegisterMetaType<QList<Pair>>();
}

Fcitx5Engine::~Fcitx5Engine()
{
    QDBusConnection::disconnectFromBus(m_bus.name());
    m_run.kill();
    m_run.waitForFinished();
}

QString Fcitx5Engine::busAddress() const
{
    return QStringLiteral("unix:path=") + m_dir.filePath(QStringLiteral("bus"));
}

Fcitx5Engine::Start Fcitx5Engine::start(Kind kind)
{
    const QString name = kind == Kind::Pinyin ? QStringLiteral("pinyin") : QStringLiteral("rime");
    m_run.start(QStringLiteral("bash"),
                {QStringLiteral(JLEX_ENGINES_DIR "/fcitx5-run.sh"), name, m_dir.path()});
    // Making the Debian 13 root takes minutes, once; the bus comes right after.
    const bool bus = waitUntil(15 * 60 * 1000, [&] {
        return QFileInfo::exists(m_dir.filePath(QStringLiteral("bus"))) ||
               m_run.state() == QProcess::NotRunning || m_run.waitForFinished(80);
    });
    if (!bus || m_run.state() == QProcess::NotRunning) {
        m_error = QString::fromLocal8Bit(m_run.readAllStandardError()).trimmed();
        return m_run.exitCode() == 77 ? Start::Unavailable : Start::Failed;
    }
    const auto failed = [&] { // its log stays for a look
        m_error = QStringLiteral("Fcitx 5 did not come up with %1; see %2")
                      .arg(name, m_dir.filePath(QStringLiteral("log")));
        m_dir.setAutoRemove(false);
        return Start::Failed;
    };
    m_bus = QDBusConnection::connectToBus(busAddress(), m_dir.path());
    if (!waitUntil(30000, [this] { return inputMethodRunning(); }))
        return failed();
    const QDBusMessage created = call(
        QStringLiteral("/org/freedesktop/portal/inputmethod"),
        QStringLiteral("org.fcitx.Fcitx.InputMethod1"), QStringLiteral("CreateInputContext"),
        {QVariant::fromValue(QList<Pair>{{QStringLiteral("program"), QStringLiteral("jlex")}})});
    m_context = created.arguments().value(0).value<QDBusObjectPath>().path();
    m_bus.connect(kService, m_context, kContext, QStringLiteral("UpdateClientSideUI"), this,
                  SLOT(onPanel(QDBusMessage)));
    m_bus.connect(kService, m_context, kContext, QStringLiteral("CommitString"), this,
                  SLOT(onCommit(QString)));
    call(m_context, kContext, QStringLiteral("SetCapability"),
         {QVariant::fromValue(kClientSideInputPanel)});
    call(m_context, kContext, QStringLiteral("FocusIn"));
    // The input method comes on once its addon has loaded, which may take a moment.
    const bool on = waitUntil(30000, [&] {
        return call(QStringLiteral("/controller"), kController,
                    QStringLiteral("CurrentInputMethod"))
                   .arguments()
                   .value(0) == name;
    });
    if (!on || (kind == Kind::Rime && !waitForInput(120000)))
        return failed();
    return Start::Ready;
}

bool Fcitx5Engine::setConfig(const QString& uri)
{
    return call(QStringLiteral("/controller"), kController, QStringLiteral("SetConfig"),
                {uri, QVariant::fromValue(QDBusVariant(QVariant(QVariantMap())))})
               .type() == QDBusMessage::ReplyMessage;
}

bool Fcitx5Engine::waitForInput(int ms)
{
    return waitUntil(ms, [this] { return !candidates(QStringLiteral("a"), 1).isEmpty(); });
}

void Fcitx5Engine::stopInputMethod()
{
    call(QStringLiteral("/controller"), kController, QStringLiteral("Exit"));
    waitUntil(10000, [this] { return !inputMethodRunning(); });
}

bool Fcitx5Engine::inputMethodRunning() const
{
    return m_bus.interface()->isServiceRegistered(kService).value();
}

QDBusMessage Fcitx5Engine::call(const QString& path, const QString& interface,
                                const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(arguments);
    // Never a second Fcitx 5 started by the bus.
    message.setAutoStartService(false);
    return m_bus.call(message, QDBus::Block, 10000);
}

void Fcitx5Engine::settle(const QString& method, const QVariantList& arguments)
{
    call(m_context, kContext, method, arguments);
    // Fcitx 5 sends the panel after its reply; a second round trip has it
    // queued here.
    call(m_context, QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    QCoreApplication::processEvents();
}

void Fcitx5Engine::press(uint keysym)
{
    // A capital comes with Shift held, as from a keyboard.
    settle(QStringLiteral("ProcessKeyEvent"),
           {keysym, 0U, keysym >= 'A' && keysym <= 'Z' ? 1U : 0U, false, 0U});
}

void Fcitx5Engine::reset()
{
    settle(QStringLiteral("Reset"));
    m_typed.clear();
    m_page.clear();
    m_pageStart = 0;
    m_hasNext = false;
    m_committed.clear();
}

QStringList Fcitx5Engine::candidates(const QString& keys, int wanted)
{
    reset();
    for (const QChar key : keys)
        press(key.unicode());
    m_typed = keys;
    m_pageSize = int(m_page.size());
    QStringList all = m_page;
    while (m_hasNext && all.size() < wanted) {
        const QStringList before = m_page;
        press(kPageDown);
        if (m_page == before)
            break; // the engine would not turn the page
        m_pageStart = int(all.size());
        all += m_page;
    }
    return all;
}

QString Fcitx5Engine::commit(const QString& keys, int index)
{
    // Typing is what takes the engine time, so the page shown is used.
    if (m_typed != keys)
        candidates(keys, 1);
    for (; index < m_pageStart; m_pageStart -= m_pageSize)
        press(kPageUp);
    for (; index >= m_pageStart + m_page.size() && m_hasNext; press(kPageDown))
        m_pageStart += int(m_page.size());
    // Keys 1 to 9, then 0, choose on the page shown.
    if (index >= 0)
        press(uint('0' + (index - m_pageStart + 1) % 10));
    const QString committed = m_committed;
    reset();
    return committed;
}

void Fcitx5Engine::onPanel(const QDBusMessage& message)
{
    const QDBusArgument list = message.arguments().value(4).value<QDBusArgument>();
    m_page.clear();
    list.beginArray();
    while (!list.atEnd()) {
        QString label, text;
        list.beginStructure();
        list >> label >> text;
        list.endStructure();
        m_page << text;
    }
    list.endArray();
    m_hasNext = message.arguments().value(8).toBool();
}

#include "store/Fcitx5Reloader.h"

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <utility>

using namespace jlex;

namespace {

const QString kService = QStringLiteral("org.fcitx.Fcitx5");

enum Answer { Reply, Error, Silence };

// Stands in for Fcitx 5's controller and records each call as "uri signature
// of the value". It lives in a thread of its own, so it can answer while the
// test's thread waits in the call.
class FakeController : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")

public:
    std::atomic<Answer> answer{Reply};

    QStringList takeCalls()
    {
        QMutexLocker lock(&m_mutex);
        return std::exchange(m_calls, {});
    }

public slots:
    void SetConfig(const QString& uri, const QDBusVariant& value)
    {
        const QVariant v = value.variant();
        QString what = QString::fromLatin1(QDBusMetaType::typeToSignature(v.metaType()));
        if (v.metaType() == QMetaType::fromType<QDBusArgument>()) {
            const QDBusArgument arg = v.value<QDBusArgument>();
            what = arg.currentSignature();
            if (what == QStringLiteral("a{sv}")) {
                QVariantMap map;
                arg >> map;
                what += QStringLiteral(" of %1 entries").arg(map.size());
            }
        }
        {
            QMutexLocker lock(&m_mutex);
            m_calls << uri + u' ' + what;
        }
        if (answer == Error)
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused by the test"));
        else if (answer == Silence)
            setDelayedReply(true);
    }

private:
    QMutex m_mutex;
    QStringList m_calls;
};

} // namespace

class Fcitx5ReloadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void reloadTellsWhetherFcitx5Confirmed_data();
    void reloadTellsWhetherFcitx5Confirmed();
    void givenBusIsTheOneCalled();

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QThread m_serviceThread;
    FakeController* m_fake = new FakeController; // ends with its thread
};

void Fcitx5ReloadTest::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed (Debian package dbus): no private bus to test on");
    QVERIFY(m_dir.isValid());
    // A bus of the test's own that can start one service only: one that leaves
    // a mark, so a call that asks the bus to start Fcitx 5 shows.
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("services")));
    QFile service(m_dir.filePath(QStringLiteral("services/fcitx5.service")));
    QVERIFY(service.open(QIODevice::WriteOnly));
    service.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 %3\n")
                      .arg(kService, QStandardPaths::findExecutable(QStringLiteral("touch")),
                           m_dir.filePath(QStringLiteral("started")))
                      .toUtf8());
    service.close();
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                "<auth>EXTERNAL</auth><servicedir>%1/services</servicedir>"
                                "<policy context=\"default\"><allow send_destination=\"*\"/>"
                                "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy>"
                                "</busconfig>")
                     .arg(m_dir.path())
                     .toUtf8());
    config.close();
    m_daemon.start(daemon, {QStringLiteral("--config-file=") + config.fileName(),
                            QStringLiteral("--print-address"), QStringLiteral("--nofork")});
    QVERIFY2(m_daemon.waitForStarted(), qPrintable(m_daemon.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(m_daemon.canReadLine(), 5000);
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    // The reloader's default bus is this one too: nothing here reaches the desktop's.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());

    QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("fake"));
    QVERIFY(bus.isConnected());
    m_fake->moveToThread(&m_serviceThread);
    connect(&m_serviceThread, &QThread::finished, m_fake, &QObject::deleteLater);
    m_serviceThread.start();
    QVERIFY(
        bus.registerObject(QStringLiteral("/controller"), m_fake, QDBusConnection::ExportAllSlots));
}

void Fcitx5ReloadTest::cleanup()
{
    QDBusConnection(QStringLiteral("fake")).unregisterService(kService);
    m_fake->takeCalls();
}

void Fcitx5ReloadTest::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
    m_serviceThread.quit();
    m_serviceThread.wait();
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void Fcitx5ReloadTest::reloadTellsWhetherFcitx5Confirmed_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("fcitx 5 confirms") << true << int(Reply) << true;
    QTest::newRow("fcitx 5 answers with an error") << true << int(Error) << false;
    QTest::newRow("fcitx 5 hangs") << true << int(Silence) << false;
    QTest::newRow("fcitx 5 not running") << false << int(Reply) << false;
}

void Fcitx5ReloadTest::reloadTellsWhetherFcitx5Confirmed()
{
    QFETCH(bool, running);
    QFETCH(int, answer);
    QFETCH(bool, confirmed);
    m_fake->answer = Answer(answer);
    if (running)
        QVERIFY(QDBusConnection(QStringLiteral("fake")).registerService(kService));

    Fcitx5Reloader reloader;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(reloader.reload(), confirmed);
    QCOMPARE_LT(clock.elapsed(), 3000);
    const QStringList calls =
        running ? QStringList{QStringLiteral(
                      "fcitx://config/addon/pinyin/customphrase a{sv} of 0 entries")}
                : QStringList{};
    QCOMPARE(m_fake->takeCalls(), calls);
    QVERIFY2(!QFile::exists(m_dir.filePath(QStringLiteral("started"))),
             "the call asked the bus to start Fcitx 5");
}

void Fcitx5ReloadTest::givenBusIsTheOneCalled()
{
    QVERIFY(QDBusConnection(QStringLiteral("fake")).registerService(kService));
    QVERIFY(Fcitx5Reloader(QDBusConnection::connectToBus(m_address, QStringLiteral("caller")))
                .reload());
    QVERIFY(!Fcitx5Reloader(QDBusConnection(QStringLiteral("never connected"))).reload());
    QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
}

QTEST_GUILESS_MAIN(Fcitx5ReloadTest)
#include "tst_fcitx5reload.moc"

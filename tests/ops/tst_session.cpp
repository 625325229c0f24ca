#include "ops/Session.h"
#include "ops/Targets.h"
#include "ops/Texts.h"
#include "support/RecordingMessages.h"
#include "support/TempStore.h"

#include <QTest>

using namespace jlex;

namespace {

// The window as a log of what happened to it, in order with the messages.
class FakeWindow : public SurveyTarget {
public:
    explicit FakeWindow(QStringList& log) : m_log(log) {}
    ControlStates controlStates() const override { return states; }
    void applySurvey(const SurveyResult& result) override
    {
        states = result.controls;
        m_log << QStringLiteral("survey");
    }
    ControlStates states;

private:
    QStringList& m_log;
};

struct Harness {
    Harness() : window(log), session(kavroTarget(Edition::Login), window, messages)
    {
        messages.onShow = [this](const QString&, const QString& text) { log << text; };
    }
    TempStore store;
    QStringList log;
    FakeWindow window;
    RecordingMessages messages;
    Session session;
};

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void startWithoutPhraseFileWarnsOnce();
    void failureIsReportedThenTheWindowRefreshed();
    void uninstallEndsOnlyAfterSuccess();
};

void SessionTest::startWithoutPhraseFileWarnsOnce()
{
    Harness h;
    h.session.runSurvey();
    QCOMPARE(h.log, (QStringList{"survey", texts::kBackupWarningText}));
    QCOMPARE(h.messages.shown.front().title, QStringLiteral("！！！！！注意！！！！！         "));
    QCOMPARE(h.messages.shown.front().text,
             QStringLiteral("             决定了\r             不备份\r             现有词条！"));
    QVERIFY(!h.window.states.check1.selected);
    // The box is already unticked now: no second warning.
    h.session.runSurvey();
    QCOMPARE(h.messages.shown.size(), size_t(1));
    QCOMPARE(h.session.heldPhrasePath(), h.store.paths.path(StoreFile::Phrases));
}

void SessionTest::failureIsReportedThenTheWindowRefreshed()
{
    Harness h;
    h.store.write(StoreFile::Phrases, "mine\r\n");
    h.session.runSurvey();
    QFile::remove(h.store.host(StoreFile::Phrases)); // gone since the window looked
    h.log.clear();
    h.session.install({});
    QCOMPARE(h.log.size(), 3);
    QVERIFY(h.log[0].startsWith(QStringLiteral("安装未能完成。")));
    QCOMPARE(h.log[1], QStringLiteral("survey"));
    // The refreshed window finds no phrase file and unticks the backup box.
    QCOMPARE(h.log[2], texts::kBackupWarningText);
    QVERIFY(!h.window.states.option1.enabled);
}

void SessionTest::uninstallEndsOnlyAfterSuccess()
{
    {
        Harness h;
        h.store.write(StoreFile::Phrases, "P");
        h.session.runSurvey();
        h.log.clear();
        QVERIFY(!h.session.uninstall());
        QCOMPARE(h.log.size(), 2);
        QVERIFY(h.log[0].startsWith(QStringLiteral("卸载未能完成。")));
        QCOMPARE(h.log[1], QStringLiteral("survey"));
    }
    {
        Harness h;
        h.store.write(StoreFile::Phrases, "P");
        h.store.write(StoreFile::InitialBackup, "I");
        h.session.runSurvey();
        h.log.clear();
        QVERIFY(h.session.uninstall());
        // No refresh: the program ends after the two messages.
        QCOMPARE(h.log, (QStringList{QStringLiteral("还原完成！"), texts::kRestartHint}));
    }
}

QTEST_GUILESS_MAIN(SessionTest)
#include "tst_session.moc"

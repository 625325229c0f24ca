#include "ops/Session.h"
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
        label5 = result.label5;
        m_log << QStringLiteral("survey");
    }
    ControlStates states;
    QString label5;

private:
    QStringList& m_log;
};

struct Harness {
    Harness() : window(log), session(store.paths, window, messages)
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
    void installRefreshesBeforeItsMessages();
    void backupAndRestoreMessages();
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

void SessionTest::installRefreshesBeforeItsMessages()
{
    Harness h;
    h.store.write(StoreFile::Phrases, "mine\r\n");
    h.session.runSurvey();
    QVERIFY(h.window.label5.endsWith(texts::kNoBackupTime));
    QString label5WhileDone;
    h.messages.onShow = [&](const QString&, const QString& text) {
        h.log << text;
        if (text == texts::kInstallDone)
            label5WhileDone = h.window.label5;
    };
    h.log.clear();
    h.session.install({});
    QCOMPARE(h.log, (QStringList{"survey", texts::kInstallDone, texts::kRestartHint}));
    QVERIFY(!label5WhileDone.endsWith(texts::kNoBackupTime));
    QVERIFY(h.window.states.option3.enabled && h.window.states.option3.selected);
    for (const auto& shown : h.messages.shown)
        QCOMPARE(shown.title, QStringLiteral("日语输入法"));
}

void SessionTest::backupAndRestoreMessages()
{
    Harness h;
    h.store.write(StoreFile::Phrases, "mine\r\n");
    h.session.runSurvey();
    h.log.clear();
    h.session.backup();
    QCOMPARE(h.log, (QStringList{"survey", QStringLiteral("备份完成！")}));
    h.log.clear();
    h.session.restore(true);
    QCOMPARE(h.log, (QStringList{"survey", QStringLiteral("还原完成！"), texts::kRestartHint}));
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

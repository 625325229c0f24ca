// Fcitx 5 Pinyin itself, typed into: what the real jlex installs is offered in
// the order `jlex lookup` gives and committed as written, its own reload
// reaches the running input method, and uninstall leaves the user's phrases.
#include "support/Fcitx5Engine.h"
#include "support/Files.h"
#include "support/JlexProcess.h"
#include "tables/PhraseIndex.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

const QString kReloaded = QStringLiteral("Fcitx 5 已重新读入自定义短语");
const QString kNotRunning = QStringLiteral("Fcitx 5 没有在运行");
// The user's own, on keys jlex does not write.
const QByteArray kUsersPhrases = "dz,1=北京市海淀区中关村大街1号\nyx,1=lin@example.com\n";

// Keys Pinyin as shipped does not give as jlex expects; each row fails as told.
// "Use V to trigger quickphrase" (VAsQuickphrase, on) makes a first v open quick
// phrase, which never looks at custom phrases.
const QStringList kQuickPhraseKeys = QString("va ve vi vo vu vya vye vyi vyo vyu").split(' ');
// "Enable Spell" (on) puts an English hint second, ahead of the phrase at
// position 2, which then also falls behind every phrase at 3 and on: the
// katakana follows the kanji. The help says so.
const QStringList kBehindTheKanji =
    QString("la a li i lu le e ca cu ku qu qi gu ke ge sa ci si ji ju su ce se ta da di du te "
            "de na ni nu ha ba pa bi pi fu hu fa bu pu he bo po ma mi mu mo ri ru re")
        .split(' ');

} // namespace

class Fcitx5EngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void installReachesTheRunningEngine();
    void everyKey_data();
    void everyKey();
    void uninstallLeavesTheUsersPhrases();
    void notRunningIsToldAndNotStarted();
    void rimeRedeploysWhenAsked();

private:
    // The real jlex on an engine's data and bus: exit status and standard error.
    QPair<int, QString> jlex(const QStringList& arguments, const QString& ime = "fcitx5",
                             Fcitx5Engine* engine = nullptr);
    void usersPhrasesWork();

    Fcitx5Engine m_engine;
};

QPair<int, QString> Fcitx5EngineTest::jlex(const QStringList& arguments, const QString& ime,
                                           Fcitx5Engine* engine)
{
    engine = engine ? engine : &m_engine;
    const Run run = runJlex(arguments + QStringList{"--ime", ime}, engine->dataHome(),
                            {"XDG_DATA_HOME=" + engine->dataHome(),
                             "DBUS_SESSION_BUS_ADDRESS=" + engine->busAddress()});
    return {run.status, run.said()};
}

void Fcitx5EngineTest::usersPhrasesWork()
{
    QCOMPARE(m_engine.candidates("dz", 1).value(0), QString("北京市海淀区中关村大街1号"));
    QCOMPARE(m_engine.commit("yx", 0), QString("lin@example.com"));
}

void Fcitx5EngineTest::initTestCase()
{
    writeFile(m_engine.dataHome() + "/fcitx5/pinyin/customphrase", kUsersPhrases);
    switch (m_engine.start(Fcitx5Engine::Kind::Pinyin)) {
    case Fcitx5Engine::Start::Ready:
        break;
    case Fcitx5Engine::Start::Unavailable:
        QSKIP(qPrintable("no Fcitx 5 Pinyin here: " + m_engine.error()));
    case Fcitx5Engine::Start::Failed:
        QFAIL(qPrintable(m_engine.error()));
    }
    usersPhrasesWork();
    QVERIFY(!m_engine.candidates("ka", 7).contains("か"));
}

void Fcitx5EngineTest::installReachesTheRunningEngine()
{
    const auto [status, said] = jlex({"install", "--tables", "greeting,kanji"});
    QCOMPARE(status, 0);
    QVERIFY2(said.contains(kReloaded), qPrintable(said));
    // At once: the reply comes after Pinyin has read the file.
    QCOMPARE(m_engine.candidates("ka", 1).value(0), QString("か"));
    usersPhrasesWork();
}

void Fcitx5EngineTest::everyKey_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("wanted"); // candidates enough to reach the last one
    const jlex::PhraseIndex index;
    QMap<QString, QStringList> texts;
    QMap<QString, int> lastPosition;
    for (const jlex::PhraseRow& row : index.rows())
        lastPosition[row.key] = std::max(lastPosition[row.key], row.position);
    for (const QString& key : lastPosition.keys()) {
        for (const jlex::PhraseRow& row : index.lookup(key))
            texts[key] << row.text;
        // A hint or two may come in between.
        QTest::newRow(qPrintable(key)) << texts[key] << texts[key].size() + lastPosition[key] + 2;
    }
}

// Each key's texts as the engine offers them, and choosing the last commits it.
void Fcitx5EngineTest::everyKey()
{
    QFETCH(QStringList, texts);
    QFETCH(int, wanted);
    const QString key = QTest::currentDataTag();
    const QStringList offered = m_engine.candidates(key, wanted);
    QStringList ours;
    for (const QString& candidate : offered) {
        if (texts.contains(candidate) && !ours.contains(candidate))
            ours << candidate;
    }
    if (kQuickPhraseKeys.contains(key))
        QEXPECT_FAIL("", "a first v opens quick phrase", Abort);
    if (kBehindTheKanji.contains(key))
        QEXPECT_FAIL("", "the English hint moves position 2 behind the kanji", Continue);
    QCOMPARE(ours, texts);
    QCOMPARE(m_engine.commit(key, int(offered.indexOf(texts.last()))), texts.last());
}

void Fcitx5EngineTest::uninstallLeavesTheUsersPhrases()
{
    const auto [status, said] = jlex({"uninstall"});
    QCOMPARE(status, 0);
    QVERIFY2(said.contains(kReloaded), qPrintable(said));
    static const QRegularExpression kana("\\p{Hiragana}|\\p{Katakana}");
    for (const char* key : {"ka", "xiexie", "ji"})
        QCOMPARE(m_engine.candidates(key, 7).filter(kana), QStringList());
    usersPhrasesWork();
}

void Fcitx5EngineTest::notRunningIsToldAndNotStarted()
{
    m_engine.stopInputMethod();
    const auto [status, said] = jlex({"install"});
    QCOMPARE(status, 0);
    QVERIFY2(said.contains(kNotRunning), qPrintable(said));
    // The bus could start it, but a phrase change is no reason to.
    QVERIFY(!m_engine.inputMethodRunning());
}

// fcitx5-rime, asked by jlex to redeploy, offers the tables a moment later.
void Fcitx5EngineTest::rimeRedeploysWhenAsked()
{
    Fcitx5Engine rime;
    // Only luna_pinyin, so the first deploy takes a second, not ten.
    writeFile(rime.dataHome() + "/fcitx5/rime/default.custom.yaml",
              "patch:\n  schema_list:\n    - schema: luna_pinyin\n");
    switch (rime.start(Fcitx5Engine::Kind::Rime)) {
    case Fcitx5Engine::Start::Ready:
        break;
    case Fcitx5Engine::Start::Unavailable:
        QSKIP(qPrintable("no fcitx5-rime here: " + rime.error()));
    case Fcitx5Engine::Start::Failed:
        QFAIL(qPrintable(rime.error()));
    }
    QVERIFY(rime.waitForInput(30000));
    QVERIFY(!rime.candidates("ka", 5).contains("か"));
    const auto [status, said] = jlex({"install"}, "rime", &rime);
    QVERIFY2(status == 0 && said.contains("已请 fcitx5-rime 重新部署"), qPrintable(said));
    QVERIFY(rime.waitForInput(10000));
    QTRY_COMPARE_WITH_TIMEOUT(rime.candidates("ka", 1).value(0), QString("か"), 10000);
    // doctor sees the running front end, and the folder deployed since the change.
    const auto doctor = [&] {
        return QString::fromUtf8(runJlex({"--ime", "rime", "doctor"}, rime.dataHome(),
                                         {"XDG_DATA_HOME=" + rime.dataHome(),
                                          "DBUS_SESSION_BUS_ADDRESS=" + rime.busAddress()})
                                     .out);
    };
    const QString seen = doctor();
    QVERIFY2(seen.contains("[正常] 正在运行的 Rime 前端：fcitx5-rime") &&
                 seen.contains("[正常] 上次部署之后短语文件是否改过"),
             qPrintable(seen));
    rime.stopInputMethod();
    QVERIFY(doctor().contains("[说明] 正在运行的 Rime 前端：没有找到"));
}

QTEST_GUILESS_MAIN(Fcitx5EngineTest)
#include "tst_fcitx5_engine.moc"

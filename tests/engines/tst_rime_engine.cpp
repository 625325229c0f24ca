// Rime itself, typed into after jlex's own Install into a user's Rime folder:
// each key offers jlex's texts first and in the tables' order, whatever the
// schema and its simplifier; the user's own phrases, comments and patches
// still work; Uninstall takes every byte of jlex's away again.
#include "support/Files.h"
#include "support/JlexProcess.h"
#include "support/RimeEngine.h"
#include "tables/PhraseIndex.h"

#include <QtTest>

#include <memory>

namespace {

// The user's own: a header of comments up to "# no comment", below which a
// '#' line is a phrase, and a phrase weighted above anything of jlex's.
const QByteArray kUserPhrases = "# Rime table\n# coding: utf-8\n# no comment\n"
                                "#井号\tjhao\n我的\two\t5\n日记\tai\t99\n";
const QByteArray kUserPatch = "patch:\n  \"menu/page_size\": 9  # mine\n";

} // namespace

class RimeEngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typing_data();
    void typing();
    void uninstallLeavesTheUsersOwn();
    void unpatchableSchemaIsLeftAndExplained();

private:
    // Runs jlex on the engine's user folder; its messages.
    QString jlex(const QStringList& arguments, int expected = 0);

    std::unique_ptr<RimeEngine> m_rime;
    QTemporaryDir m_data;
};

QString RimeEngineTest::jlex(const QStringList& arguments, int expected)
{
    const Run run =
        runJlex(QStringList{"--ime", "rime", "--rime-dir", m_rime->userDir()} + arguments,
                m_data.path(), {"XDG_DATA_HOME=" + m_data.path()});
    [&] { QVERIFY2(run.status == expected, qPrintable(run.said())); }();
    return run.said();
}

void RimeEngineTest::initTestCase()
{
    if (const QString why = RimeEngine::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    m_rime = std::make_unique<RimeEngine>();
    writeFile(m_rime->userDir() + "/custom_phrase.txt", kUserPhrases);
    writeFile(m_rime->userDir() + "/luna_pinyin.custom.yaml", kUserPatch);
    jlex({"install", "--tables", "greeting,kanji"});
    QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
}

// A sample across the tables, on the plain schema, the simplified one (whose
// simplifier would turn 愛 into 爱 without jlex's patch) and the Taiwanese one.
void RimeEngineTest::typing_data()
{
    QTest::addColumn<QString>("schema"); // "+option" switches an option on
    QTest::addColumn<QString>("keys");
    for (const char* schema :
         {"luna_pinyin", "luna_pinyin_simp", "luna_pinyin+simplification", "luna_pinyin_tw"}) {
        for (const char* keys : {"ka", "a", "i", "ji", "xiexie", "zaijian", "ltsu", "vu", "dh",
                                 "lian", "ni", "rui", "guan"})
            QTest::addRow("%s %s", schema, keys) << schema << keys;
    }
}

void RimeEngineTest::typing()
{
    QFETCH(QString, schema);
    QFETCH(QString, keys);
    const QStringList option = schema.split(u'+');
    QVERIFY(m_rime->select(option[0]));
    if (option.size() > 1)
        m_rime->setOption(qPrintable(option[1]), true);
    QStringList expected;
    for (const jlex::PhraseRow& row : jlex::PhraseIndex().lookup(keys))
        expected << row.text;
    // Every phrase of the typed code comes before Rime's own words.
    QCOMPARE(m_rime->candidates(keys).mid(0, expected.size()), expected);
    QCOMPARE(m_rime->choose(keys, 0), expected[0]);
    // The user's own: a weight of theirs outranks jlex's, a '#' line below
    // their "# no comment" is a phrase.
    QCOMPARE(m_rime->candidates("ai").value(0), "日记");
    QCOMPARE(m_rime->choose("jhao", 0), "#井号");
    QCOMPARE(m_rime->choose("wo", 0), "我的");
}

void RimeEngineTest::uninstallLeavesTheUsersOwn()
{
    jlex({"uninstall"});
    QCOMPARE(readFile(m_rime->userDir() + "/custom_phrase.txt"), kUserPhrases);
    QCOMPARE(readFile(m_rime->userDir() + "/luna_pinyin.custom.yaml"), kUserPatch);
    QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
    QVERIFY(m_rime->select("luna_pinyin"));
    QVERIFY(!m_rime->candidates("ka").contains("か"));
    QCOMPARE(m_rime->choose("jhao", 0), "#井号");
}

// A patch map in flow style is no file to edit line by line: jlex leaves it,
// says what to add, and the simplifier does turn jlex's kanji into simplified
// ones, as it says it would.
void RimeEngineTest::unpatchableSchemaIsLeftAndExplained()
{
    const QByteArray flow = "patch: {\"menu/page_size\": 9}\n";
    writeFile(m_rime->userDir() + "/luna_pinyin.custom.yaml", flow);
    QVERIFY(jlex({"install", "--tables", "kanji"}).contains("simplifier/excluded_types"));
    QCOMPARE(readFile(m_rime->userDir() + "/luna_pinyin.custom.yaml"), flow);
    QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
    QVERIFY(m_rime->select("luna_pinyin_simp"));
    const QStringList ai = m_rime->candidates("ai");
    QVERIFY(ai.contains("爱") && !ai.contains("愛"));
}

QTEST_MAIN(RimeEngineTest)
#include "tst_rime_engine.moc"

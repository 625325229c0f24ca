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
    void doctorSeesWhatRimeDoes_data();
    void doctorSeesWhatRimeDoes();
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

// Step after step on the same folder, what doctor finds against what Rime
// does: each check fails where Rime would not show jlex's phrases as written,
// and holds once put right; --fix puts the schema patch back (and Uninstall,
// next, takes it away to the byte).
void RimeEngineTest::doctorSeesWhatRimeDoes_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<int>("status");
    const auto row = [](const char* step, const QStringList& says, int status) {
        QTest::newRow(step) << step << says << status;
    };
    row("as installed and deployed",
        {"[正常] 方案 luna_pinyin 是否读入 custom_phrase.txt",
         "[正常] 上次部署之后短语文件是否改过", "[正常] 简繁转换是否改动日语汉字",
         "[正常] 字符集过滤", "[正常] 短语文件中 jlex 的短语表"},
        0);
    row("installed again", {"[有问题] 上次部署之后短语文件是否改过：改过"}, 1);
    row("deployed", {"[正常] 上次部署之后短语文件是否改过"}, 0);
    row("a schema of the user's own",
        {"[有问题] 方案 plain 是否读入 custom_phrase.txt", "[有问题] 字符集过滤是否挡住日语汉字"},
        1);
    row("luna_pinyin again", {"[正常] 方案 luna_pinyin 是否读入 custom_phrase.txt"}, 0);
    row("the patch taken out", {"[有问题] 简繁转换是否改动日语汉字", "doctor --fix 可以代劳"}, 1);
    row("fixed and deployed", {"[正常] 简繁转换是否改动日语汉字"}, 0);
}

void RimeEngineTest::doctorSeesWhatRimeDoes()
{
    QFETCH(QString, step);
    QFETCH(QStringList, says);
    QFETCH(int, status);
    const QString dir = m_rime->userDir();
    static QByteArray userYaml;
    if (step == "installed again") {
        // Rime keeps its build time in whole seconds.
        QTest::qWait(1100);
        jlex({"install", "--tables", "kanji"});
    } else if (step == "deployed") {
        QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
    } else if (step == "a schema of the user's own") {
        userYaml = readFile(dir + "/user.yaml");
        writeFile(dir + "/user.yaml", "var:\n  previously_selected_schema: plain\n");
        writeFile(dir + "/plain.schema.yaml",
                  "schema:\n  schema_id: plain\nengine:\n  translators:\n    - "
                  "script_translator\n  filters:\n    - charset_filter@gb2312\n");
    } else if (step == "luna_pinyin again") {
        writeFile(dir + "/user.yaml", userYaml);
    } else if (step == "the patch taken out") {
        writeFile(dir + "/luna_pinyin.custom.yaml", kUserPatch);
        QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
    } else if (step == "fixed and deployed") {
        QProcess* fix = startJlex({"--ime", "rime", "--rime-dir", dir, "doctor", "--fix"},
                                  m_data.path(), {"XDG_DATA_HOME=" + m_data.path()});
        fix->write("y\n");
        fix->closeWriteChannel();
        const Run fixed = finish(fix);
        QVERIFY2(fixed.said().contains("已加上"), qPrintable(fixed.said()));
        QVERIFY(readFile(dir + "/luna_pinyin.custom.yaml").startsWith(kUserPatch));
        QVERIFY(readFile(dir + "/luna_pinyin.custom.yaml").contains("user_table"));
        QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
    }
    const Run run = runJlex({"--ime", "rime", "--rime-dir", dir, "doctor"}, m_data.path(),
                            {"XDG_DATA_HOME=" + m_data.path()});
    const QString out = QString::fromUtf8(run.out);
    QVERIFY2(run.status == status, qPrintable(out));
    for (const QString& line : says)
        QVERIFY2(out.contains(line), qPrintable(line + "\n" + out));
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

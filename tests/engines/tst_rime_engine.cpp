// Rime's own reading of custom_phrase.txt, found by typing into the real
// engine: the rules a writer of that file relies on.
#include "support/Files.h"
#include "support/RimeEngine.h"

#include <QtTest>

#include <memory>
#include <utility>

class RimeEngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typing_data();
    void typing();

private:
    std::unique_ptr<RimeEngine> m_rime;
    QByteArray m_custom; // the .custom.yaml deployed
};

void RimeEngineTest::initTestCase()
{
    if (const QString why = RimeEngine::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    m_rime = std::make_unique<RimeEngine>();
    QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
}

void RimeEngineTest::typing_data()
{
    QTest::addColumn<QByteArray>("phrases"); // custom_phrase.txt
    QTest::addColumn<QByteArray>("custom");  // a .custom.yaml: its schema, a line end, its text
    QTest::addColumn<QString>("schema");     // "+option" switches an option on
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("first"); // leading candidates; the file's others show nowhere
    const auto row = [](const QByteArray& name, const QByteArray& phrases, const QByteArray& custom,
                        const QString& schema, const QString& keys, const QStringList& first) {
        QTest::newRow(name) << phrases << custom << schema << keys << first;
    };
    const QByteArray codes = "ア\tnihao\t1\nイ\tni hao\t1\nウ\tnih\t1\nエ\tnihaoa\t1\n";
    const QByteArray odd = "ッ\tltsu\nヵ\txka\nゔ\tvu\n、\tdh\n";
    QByteArray many; // one key's rows need weights of their own to keep an order
    QStringList byWeight;
    for (int i = 0; i < 20; ++i) {
        many += QByteArray::number(i) + "\tqe\t" + QByteArray::number(i * 7 % 20 + 1) + '\n';
        byWeight.prepend(QString::number(i * 3 % 20));
    }
    const QByteArray kanji = "愛してる\tqe\t3\n連絡してね\tqe\t2\n裏口\tqe\t1\n";
    const QStringList kept = {"愛してる", "連絡してね", "裏口"};
    const QStringList simplified = {"爱してる", "连络してね", "里口", "全额"};
    const QByteArray patch = "patch:\n  simplifier/excluded_types: [user_table]\n";
    const QByteArray whole =
        "luna_pinyin_simp\npatch:\n  simplifier:\n    excluded_types: [user_table]\n";

    row("comments end at '# no comment'", "# c\tqe\t9\nア\tqe\t1\n# no comment\n#イ\tqe\t2\n", {},
        "luna_pinyin", "qe", {"#イ", "ア"});
    row("byte order mark kept, no final line end", "\xEF\xBB\xBFア\tqe\t1\nイ\tqe\t2", {},
        "luna_pinyin", "qe", {"イ", QString::fromUtf8("\xEF\xBB\xBFア")});
    row("code matched whole", codes, {}, "luna_pinyin", "nihao", {"ア", "你好"});
    row("code not completed", codes, {}, "luna_pinyin", "niha", {});
    row("weights",
        "W0\tqe\t0\nWn\tqe\nW2\tqe\t2\nWm\tqe\t-1\nW1\tqe\t1\nWf\tqe\t1.5\nWx\tqe\t2147483646\n",
        {}, "luna_pinyin", "qe", {"Wx", "W2", "W1", "W0", "Wf", "Wn"});
    row("equal weights in byte order", "ん\tqe\t1\nア\tqe\t1\nあ\tqe\t1\n", {}, "luna_pinyin", "qe",
        {"あ", "ん", "ア"});
    row("20 rows of a key", many, {}, "luna_pinyin", "qe", byWeight);
    row("ours before Rime's words", "ア\tni\n", {}, "luna_pinyin", "ni", {"ア", "你"});
    row("broken rows skipped, the last duplicate wins",
        "E1\nE2\t\t5\n\tqe\t5\nD\tqe\t3\r\nX\tqe\t2\r\nD\tqe\t1\r\nY\tqe\t4\tz\r\nU\tQE\t9\n", {},
        "luna_pinyin", "qe", {"Y", "X", "D"});
    for (const auto& [keys, text] :
         {std::pair("ltsu", "ッ"), {"xka", "ヵ"}, {"vu", "ゔ"}, {"dh", "、"}})
        row(keys, odd, {}, "luna_pinyin", keys, {text});
    row("long text", QString(3000, u'あ').toUtf8() + "\tqe\n", {}, "luna_pinyin", "qe",
        {QString(3000, u'あ')});
    row("converted: luna_pinyin+simplification", kanji, {}, "luna_pinyin+simplification", "qe",
        simplified);
    row("converted: luna_pinyin_simp", kanji, {}, "luna_pinyin_simp", "qe", simplified);
    row("converted: luna_pinyin_tw", kanji, {}, "luna_pinyin_tw", "qe",
        {"愛してる", "連絡してね", "裡口", "全額"});
    for (const char* schema : {"luna_pinyin+simplification", "luna_pinyin_simp", "luna_pinyin_tw",
                               "luna_pinyin_fluency+simplification", "luna_quanpin+simplification"})
        row(QByteArray("luna_pinyin's patch, ") + schema, kanji, "luna_pinyin\n" + patch, schema,
            "qe", kept);
    row("simp's own patch", kanji, "luna_pinyin_simp\n" + patch, "luna_pinyin_simp", "qe",
        kept + QStringList{"全额"});
    row("simp's own patch leaves luna_pinyin", kanji, "luna_pinyin_simp\n" + patch,
        "luna_pinyin+simplification", "qe", simplified);
    row("simp's simplifier patched whole stops simplifying", kanji, whole, "luna_pinyin_simp", "qe",
        kept + QStringList{"全額"});
}

void RimeEngineTest::typing()
{
    QFETCH(QByteArray, phrases);
    QFETCH(QByteArray, custom);
    QFETCH(QString, schema);
    QFETCH(QString, keys);
    QFETCH(QStringList, first);
    const QDir dir(m_rime->userDir());
    const auto customFile = [&](const QByteArray& c) {
        return dir.filePath(QString::fromUtf8(c.left(c.indexOf('\n'))) + ".custom.yaml");
    };
    writeFile(dir.filePath(QStringLiteral("custom_phrase.txt")), phrases);
    // A new session reads custom_phrase.txt again; a changed .custom.yaml needs a deploy.
    if (custom != m_custom) {
        if (!m_custom.isEmpty())
            QVERIFY(QFile::remove(customFile(m_custom)));
        if (!custom.isEmpty())
            writeFile(customFile(custom), custom.mid(custom.indexOf('\n') + 1));
        m_custom = custom;
        QVERIFY2(m_rime->deploy(), qPrintable(m_rime->error()));
    }
    const QStringList option = schema.split(u'+');
    QVERIFY(m_rime->select(option[0]));
    if (option.size() > 1)
        m_rime->setOption(qPrintable(option[1]), true);

    const QStringList all = m_rime->candidates(keys);
    QCOMPARE(all.mid(0, first.size()), first);
    for (const QByteArray& line : phrases.split('\n')) {
        const QString text = QString::fromUtf8(line.left(line.indexOf('\t')));
        QVERIFY2(first.contains(text) || !all.contains(text), qPrintable(text));
    }
    if (!first.isEmpty())
        QCOMPARE(m_rime->choose(keys, 0), first[0]);
}

QTEST_MAIN(RimeEngineTest)
#include "tst_rime_engine.moc"

#include "store/Gbk.h"
#include "tables/PhraseTables.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace jlex;

namespace {

struct Entry {
    QString key;
    int position = 0;
    QString text;
};

QStringList linesOf(PhraseTable table)
{
    const QByteArrayView bytes = phraseTable(table);
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no final CR LF>")};
    QStringList lines = fromGbk(bytes.chopped(2)).split(QStringLiteral("\r\n"));
    return lines;
}

std::vector<Entry> entriesOf(const QStringList& lines)
{
    static const QRegularExpression syntax(QStringLiteral("^([a-z]+),([0-9])=([^,=]+)$"));
    std::vector<Entry> entries;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const auto m = syntax.match(line);
        if (!m.hasMatch()) {
            entries.push_back({QStringLiteral("<bad line: %1>").arg(line), -1, {}});
            continue;
        }
        entries.push_back({m.captured(1), m.captured(2).toInt(), m.captured(3)});
    }
    return entries;
}

QSet<QString> keysOf(PhraseTable table)
{
    QSet<QString> keys;
    for (const Entry& e : entriesOf(linesOf(table)))
        keys.insert(e.key);
    return keys;
}

void verifyNoRowTwice(const std::vector<Entry>& entries)
{
    QSet<QString> seen;
    for (const Entry& e : entries) {
        const QString row = e.key + QLatin1Char(',') + QString::number(e.position) + e.text;
        QVERIFY2(!seen.contains(row), qPrintable(row));
        seen.insert(row);
    }
}

// Reference lists kept beside this test, one key a line ("#" starts a comment).
QStringList referenceLines(const char* name)
{
    QFile file(QStringLiteral(JLEX_TABLE_TESTS_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", name);
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}

} // namespace

class TablesTest : public QObject {
    Q_OBJECT

private slots:
    void kanaTableIsExact();
    void kanaHiraganaMirrorsKatakana();
    void greetingTableShape();
    void greetingTexts();
    void kanjiTableHeaderAndSymbols();
    void kanjiRowsPerKeyAndPosition();
    void kanjiTexts();
    void tablesJoinLineByLine();
};

void TablesTest::kanaTableIsExact()
{
    const QByteArrayView bytes = phraseTable(PhraseTable::Kana);
    QCOMPARE(bytes.size(), 5881);
    QVERIFY(bytes.startsWith(QByteArray("\r\n") + toGbk(u"la,2=ァ\r\n")));
    const QStringList lines = linesOf(PhraseTable::Kana);
    QCOMPARE(lines.size(), 548);
    QCOMPARE(lines[0], QString());
    QCOMPARE(lines[276], QStringLiteral("xke,2=ヶ"));
    QCOMPARE(lines[277], QStringLiteral("la,1=ぁ"));
    QCOMPARE(lines[547], QStringLiteral("vyo,1=ヴょ"));

    const auto entries = entriesOf(lines);
    QCOMPARE(entries.size(), size_t(547));
    int katakana = 0;
    QSet<QString> keys;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        QCOMPARE(e.position, i < 276 ? 2 : 1);
        katakana += e.position == 2;
        keys.insert(e.key);
        QVERIFY2(toGbk(lines[qsizetype(i) + 1]).size() <= 10, qPrintable(lines[qsizetype(i) + 1]));
        // Each block runs by text in GBK order, then by key.
        if (i != 0 && i != 276) {
            const Entry& before = entries[i - 1];
            const QByteArray a = toGbk(before.text), b = toGbk(e.text);
            QVERIFY2(a < b || (a == b && before.key < e.key), qPrintable(e.key));
        }
    }
    QCOMPARE(katakana, 276);
    QCOMPARE(keys.size(), 276);
    QVERIFY(!keys.contains(QStringLiteral("n")));
    QCOMPARE(std::count_if(entries.begin(), entries.end(),
                           [](const Entry& e) { return e.key.size() == 4; }),
             2 * 1);
    for (const char* row :
         {"ltsu,2=ッ", "xtu,1=っ", "nn,2=ン", "xn,1=ん", "qwa,2=クァ", "cya,1=ちゃ", "fyi,2=フィ",
          "va,1=ヴぁ", "whe,2=ウェ", "thi,1=てぃ", "xka,2=ヵ"})
        QVERIFY2(lines.contains(QString::fromUtf8(row)), row);
}

void TablesTest::kanaHiraganaMirrorsKatakana()
{
    const auto entries = entriesOf(linesOf(PhraseTable::Kana));
    std::vector<Entry> expected;
    for (size_t i = 0; i < 276; ++i) {
        Entry e = entries[i];
        if (QStringList{"vu", "lka", "xka", "lke", "xke"}.contains(e.key))
            continue; // no hiragana form in GBK
        for (QChar& c : e.text) {
            if (c >= QChar(0x30A1) && c <= QChar(0x30F3))
                c = QChar(c.unicode() - 0x60);
        }
        e.position = 1;
        expected.push_back(e);
    }
    QCOMPARE(expected.size(), size_t(271));
    for (size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(entries[276 + i].key, expected[i].key);
        QCOMPARE(entries[276 + i].text, expected[i].text);
    }
}

void TablesTest::greetingTableShape()
{
    const QStringList lines = linesOf(PhraseTable::Greeting);
    const auto entries = entriesOf(lines);
    QCOMPARE(lines.size(), 348);
    QCOMPARE(entries.size(), size_t(348));
    const QStringList keys = referenceLines("greeting-keys.txt");
    QCOMPARE(keys.size(), 348);
    for (size_t i = 0; i < entries.size(); ++i) {
        QCOMPARE(entries[i].key, keys[qsizetype(i)]);
        QCOMPARE(entries[i].position, 1);
    }
    verifyNoRowTwice(entries);
    // A key that repeats offers a different text each time.
    QHash<QString, QSet<QString>> textsByKey;
    for (const Entry& e : entries) {
        QVERIFY2(!textsByKey[e.key].contains(e.text), qPrintable(e.key));
        textsByKey[e.key].insert(e.text);
    }
    QCOMPARE(textsByKey.size(), 329);

    QCOMPARE(lines.first(), QStringLiteral("nihao,1=こんにちは"));
    QCOMPARE(lines.last(), QStringLiteral("zhenbang,1=すばらしい"));
    const QString firstOf[][2] = {
        {"xiexie", "ありがとうございます"}, {"zhendema", "本当"}, {"bendan", "…のバカ"}};
    for (const auto& [key, text] : firstOf) {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const Entry& e) { return e.key == key; });
        QCOMPARE(it->text, text);
    }
    const int zaijian = int(lines.indexOf(QStringLiteral("zaijian,1=さようなら")));
    QVERIFY(zaijian >= 0);
    QCOMPARE(lines[zaijian + 1], QStringLiteral("zaijian,1=また後で"));
    for (const char* row :
         {"youmeiyouwangjidongxi,1=忘れ物ない", "zaishuoyici,1=すみません、もう一度お願いします",
          "lairenajiuminga,1=助けて!誰か来て", "daiwoxiangwenhao,1=…によろしく",
          "ruguobushidehuabuxing,1=おれ、…じゃなきゃダメなんだ"})
        QVERIFY2(lines.contains(QString::fromUtf8(row)), row);

    // Typing a greeting key never brings up kana or kanji, nor the reverse.
    QVERIFY(!keysOf(PhraseTable::Greeting).intersects(keysOf(PhraseTable::Kana)));
    QVERIFY(!keysOf(PhraseTable::Greeting).intersects(keysOf(PhraseTable::Kanji)));
}

void TablesTest::greetingTexts()
{
    int names = 0, exclamations = 0;
    for (const Entry& e : entriesOf(linesOf(PhraseTable::Greeting))) {
        const QString& t = e.text;
        QVERIFY2(t.size() >= 2 && t.size() <= 16, qPrintable(t));
        for (const QChar c : t) {
            const char16_t u = c.unicode();
            const bool kana =
                (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC;
            const bool kanji = u >= 0x4E00 && u <= 0x9FFF;
            const bool punctuation = QStringLiteral("、…～，々!").contains(c);
            QVERIFY2(kana || kanji || punctuation, qPrintable(e.key + QLatin1Char('=') + t));
        }
        names += t.contains(QStringLiteral("…"));
        exclamations += int(t.count(QLatin1Char('!')));
    }
    QCOMPARE(names, 7);
    QCOMPARE(exclamations, 1);
}

void TablesTest::kanjiTableHeaderAndSymbols()
{
    const QStringList lines = linesOf(PhraseTable::Kanji);
    QCOMPARE(lines.size(), 2782);
    const QStringList head = {QStringLiteral(";  时间："),
                              {},
                              {},
                              {},
                              QStringLiteral("dh,1=、"),
                              QStringLiteral("jh,1=。"),
                              QStringLiteral("lq,1=「"),
                              QStringLiteral("rq,1=」"),
                              QStringLiteral("ling,1=○"),
                              QStringLiteral("i,1=ゐ"),
                              QStringLiteral("i,1=ヰ"),
                              QStringLiteral("e,1=ゑ"),
                              QStringLiteral("e,1=ヱ"),
                              QStringLiteral("lian,1=ー"),
                              QStringLiteral("same,1=々")};
    QCOMPARE(lines.first(head.size()), head);
    QCOMPARE(lines.last(), QStringLiteral("teng,3=藤"));
    for (const QString& line : lines)
        QVERIFY2(toGbk(line).size() <= 11, qPrintable(line));
}

void TablesTest::kanjiRowsPerKeyAndPosition()
{
    const auto entries = entriesOf(linesOf(PhraseTable::Kanji).mid(15));
    QCOMPARE(entries.size(), size_t(2767));

    QStringList firstSeen;
    QHash<QString, int> rows;
    QHash<QString, QList<int>> positions;
    for (const Entry& e : entries) {
        if (!rows.contains(e.key))
            firstSeen << e.key;
        ++rows[e.key];
        positions[e.key] << e.position;
    }
    QStringList expectedOrder;
    for (const QString& line : referenceLines("kanji-keys.txt")) {
        const QString key = line.section(QLatin1Char(' '), 0, 0);
        expectedOrder << key;
        QCOMPARE(rows.value(key), line.section(QLatin1Char(' '), 1, 1).toInt());
    }
    QCOMPARE(expectedOrder.size(), 291);
    QCOMPARE(firstSeen, expectedOrder);

    // The first keys spread over positions 3 to 9; every later row is at 3.
    const QHash<QString, QList<int>> spread = {
        {"a", {3}},
        {"ai", {4, 5, 6, 7, 8, 9, 9, 9, 9, 9, 9}},
        {"an", {3, 4, 5, 6, 7, 8, 9, 9, 9}},
        {"ang", {3}},
        {"ao", {3, 4, 5, 6, 7, 8, 9}},
        {"ba", {3, 3, 4, 5, 6, 7, 8, 9, 9}},
        {"bai", {3, 4, 5, 6, 7, 8, 9}},
        {"ban", {3, 4, 5, 6, 7, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"bang", {3, 4, 5, 6, 7, 8, 9, 9}},
        {"bao", QList<int>(17, 9)},
        {"bei", QList<int>(14, 9)},
        {"beng", {3}},
        {"ben", {3, 4, 5}}};
    for (auto it = positions.begin(); it != positions.end(); ++it) {
        QList<int> used = it.value();
        std::sort(used.begin(), used.end());
        QCOMPARE(used, spread.value(it.key(), QList<int>(used.size(), 3)));
    }
    QCOMPARE(entries[1].text, QStringLiteral("癌"));
    QCOMPARE(entries[1].key, QStringLiteral("ai"));
    QCOMPARE(entries[1].position, 9);
}

void TablesTest::kanjiTexts()
{
    const QStringList lines = linesOf(PhraseTable::Kanji);
    const auto entries = entriesOf(lines.mid(15));
    verifyNoRowTwice(entries);
    QHash<QString, QSet<QString>> keysByKanji;
    for (const Entry& e : entries) {
        QCOMPARE(e.text.size(), 1);
        const char16_t u = e.text.front().unicode();
        QVERIFY2((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF), qPrintable(e.text));
        QVERIFY2(e.key != QStringLiteral("lv") && e.key != QStringLiteral("nv"), qPrintable(e.key));
        keysByKanji[e.text].insert(e.key);
    }
    for (const char* row : {"a,3=阿", "ai,9=愛", "ba,6=抜", "bian,3=辺", "cang,3=蔵"})
        QVERIFY2(lines.contains(QString::fromUtf8(row)), row);
    // Only two kanji stand under two keys.
    for (auto it = keysByKanji.begin(); it != keysByKanji.end(); ++it) {
        if (it.key() == QStringLiteral("浜"))
            QCOMPARE(it.value(), (QSet<QString>{"bang", "bin"}));
        else if (it.key() == QStringLiteral("都"))
            QCOMPARE(it.value(), (QSet<QString>{"dou", "du"}));
        else
            QVERIFY2(it.value().size() == 1, qPrintable(it.key()));
    }
    // Japanese forms, never the simplified ones.
    for (const char* simplified : {"气", "爱", "边", "拔", "发", "藏"})
        QVERIFY2(!keysByKanji.contains(QString::fromUtf8(simplified)), simplified);
}

void TablesTest::tablesJoinLineByLine()
{
    const QByteArray all = phraseTable(PhraseTable::Kana).toByteArray() +
                           phraseTable(PhraseTable::Greeting).toByteArray() +
                           phraseTable(PhraseTable::Kanji).toByteArray();
    const QStringList lines = fromGbk(all).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3678 + 1);
    QCOMPARE(lines[547], QStringLiteral("vyo,1=ヴょ"));
    QCOMPARE(lines[548], QStringLiteral("nihao,1=こんにちは"));
    QCOMPARE(lines[895], QStringLiteral("zhenbang,1=すばらしい"));
    QCOMPARE(lines[896], QStringLiteral(";  时间："));
    const QStringList kanaKanji = fromGbk(phraseTable(PhraseTable::Kana).toByteArray() +
                                          phraseTable(PhraseTable::Kanji).toByteArray())
                                      .split(QStringLiteral("\r\n"));
    QCOMPARE(kanaKanji[548], QStringLiteral(";  时间："));
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"

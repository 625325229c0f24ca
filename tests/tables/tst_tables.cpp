#include "tables/PhraseIndex.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace jlex;

namespace {

// A list kept beside this test, one item a line ("#" starts a comment).
QStringList referenceLines(const char* name)
{
    QFile file(QStringLiteral(JLEX_TABLE_TESTS_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", name);
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeIf([](const QString& l) { return l.isEmpty() || l.startsWith(QLatin1Char('#')); });
    return lines;
}

} // namespace

class TablesTest : public QObject {
    Q_OBJECT

private slots:
    void greetingKeys();
    void kanjiKeys();
    void buildRefusesLine_data();
    void buildRefusesLine();
};

// In order, each at position 1, and a key that repeats offers another text.
// With these lists, the kana table's bytes and the kanji table's generator,
// no key of one table can come to stand in another.
void TablesTest::greetingKeys()
{
    QStringList keys, entries;
    for (const PhraseRow& row : phraseRows(PhraseTable::Greeting)) {
        keys << row.key + QStringLiteral(",%1").arg(row.position);
        entries << keys.last() + row.text;
    }
    QStringList expected = referenceLines("greeting-keys.txt");
    for (QString& key : expected)
        key += QStringLiteral(",1");
    QCOMPARE(keys, expected);
    QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
}

// Its keys in the order of their first row, with their number of rows; the
// rows themselves are checked against their generator.
void TablesTest::kanjiKeys()
{
    QStringList order;
    QHash<QString, int> rows;
    for (const PhraseRow& row : phraseRows(PhraseTable::Kanji).mid(11)) {
        if (!rows.contains(row.key)) // the symbols above are skipped
            order << row.key;
        ++rows[row.key];
    }
    for (QString& key : order)
        key += QLatin1Char(' ') + QString::number(rows[key]);
    QCOMPARE(order, referenceLines("kanji-keys.txt"));
}

// The build refuses a line an input method would misread, and a table whose
// bytes were never recorded as shipped, which an Install could not replace.
void TablesTest::buildRefusesLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("refused");
    QTest::newRow("entry") << QByteArray("ai,1=愛") << false;
    QTest::newRow("entry never shipped") << QByteArray("ai,2=愛") << true;
    QTest::newRow("position 0") << QByteArray("ai,0=愛") << true;
    QTest::newRow("template") << QByteArray("nian,1=#$year") << true;
    QTest::newRow("quoted") << QByteArray("ai,1=\"愛\"") << true;
    QTest::newRow("multi-line start") << QByteArray("ai,1=") << true;
    QTest::newRow("CR LF") << QByteArray("ai,1=愛\r") << true;
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF"
                                       "ai,1=愛")
                         << true;
    QTest::newRow("not in GBK") << QByteArray("ai,1=😀") << true;
}

void TablesTest::buildRefusesLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, refused);
    const QTemporaryDir dir;
    QFile source(dir.filePath("t.txt"));
    QVERIFY(source.open(QIODevice::WriteOnly) && source.write(line + '\n') > 0);
    source.close();
    // The record of the one table shipped, in every format.
    QFile shipped(dir.filePath("shipped.txt"));
    QVERIFY(shipped.open(QIODevice::WriteOnly));
    QStringEncoder gbk("GBK");
    for (const auto& [format, bytes] :
         {std::pair{"gbk-crlf", QByteArray(gbk.encode("ai,1=愛\r\n"))},
          {"utf8-lf", QByteArray("ai,1=愛\n")},
          {"rime", QByteArray("愛\tai\t1\n")}})
        shipped.write("1.0.0\tkana\t" + QByteArray(format) + '\t' +
                      QByteArray::number(bytes.size()) + '\t' +
                      QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\n');
    shipped.close();
    QProcess gen;
    gen.start(JLEX_TABLEGEN,
              {dir.filePath("t.cpp"), shipped.fileName(), "Kana=" + source.fileName()});
    QVERIFY(gen.waitForFinished());
    QCOMPARE(gen.exitCode() != 0, refused);
    QCOMPARE(QFile::exists(dir.filePath("t.cpp")), !refused);
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"

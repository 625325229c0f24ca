#include "store/Gbk.h"
#include "tables/PhraseTables.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace jlex;

namespace {

// A table's entries as "key,position=text", or a note where it breaks the form.
QStringList entriesOf(PhraseTable table)
{
    const QByteArrayView bytes = phraseTable(table);
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no final CR LF>")};
    static const QRegularExpression entry(QStringLiteral("^[a-z]+,[0-9]=[^,=\\r\\n]+$"));
    QStringList entries;
    for (const QString& line : fromGbk(bytes.chopped(2)).split(QStringLiteral("\r\n"))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(';')))
            entries << (entry.match(line).hasMatch() ? line
                                                     : QStringLiteral("<bad: %1>").arg(line));
    }
    return entries;
}

QSet<QString> keysOf(PhraseTable table)
{
    QSet<QString> keys;
    for (const QString& entry : entriesOf(table))
        keys << entry.section(QLatin1Char(','), 0, 0);
    return keys;
}

// A reference list kept beside this test, one item a line ("#" starts a comment).
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
    void kanaTableIsExact();
    void greetingKeys();
    void kanjiKeys();
};

void TablesTest::kanaTableIsExact()
{
    const QByteArrayView bytes = phraseTable(PhraseTable::Kana);
    QCOMPARE(bytes.size(), 5881);
    QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(),
             "d2af9324f03f7f11009947915f7c58ab2e5e5d5448a85749bfb5f23e28082679");
}

void TablesTest::greetingKeys()
{
    const QStringList entries = entriesOf(PhraseTable::Greeting);
    QStringList keys;
    for (const QString& entry : entries)
        keys << entry.section(QLatin1Char('='), 0, 0);
    QStringList expected = referenceLines("greeting-keys.txt");
    for (QString& key : expected)
        key += QStringLiteral(",1");
    QCOMPARE(keys, expected);
    // A key that repeats offers a different text each time.
    QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
    // Typing a greeting key never brings up kana or kanji, nor the reverse.
    QVERIFY(!keysOf(PhraseTable::Greeting).intersects(keysOf(PhraseTable::Kana)));
    QVERIFY(!keysOf(PhraseTable::Greeting).intersects(keysOf(PhraseTable::Kanji)));
}

// Its keys in the order of their first row, with their number of rows; the
// rows themselves are checked against the generator in CI.
void TablesTest::kanjiKeys()
{
    const QStringList entries = entriesOf(PhraseTable::Kanji);
    QStringList order;
    QHash<QString, int> rows;
    for (const QString& entry : entries.mid(11)) { // after the symbols
        const QString key = entry.section(QLatin1Char(','), 0, 0);
        if (!rows.contains(key))
            order << key;
        ++rows[key];
    }
    QStringList counted;
    for (const QString& key : order)
        counted << key + QLatin1Char(' ') + QString::number(rows[key]);
    QCOMPARE(counted, referenceLines("kanji-keys.txt"));
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"

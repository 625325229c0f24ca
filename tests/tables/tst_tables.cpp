#include "store/Gbk.h"
#include "tables/PhraseTables.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace jlex;

namespace {

// A table's entries in order, "key,position=text", or cut at "=" or ","; what
// breaks the form of whole lines shows as a note.
QStringList entriesOf(PhraseTable table, QChar cut = QChar())
{
    const QByteArrayView bytes = phraseTable(table);
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no final CR LF>")};
    static const QRegularExpression entry(QStringLiteral("^[a-z]+,[0-9]=[^,=\\r\\n]+$"));
    QStringList entries;
    for (const QString& line : fromGbk(bytes.chopped(2)).split(QStringLiteral("\r\n"))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(';')))
            entries << (entry.match(line).hasMatch() ? line.section(cut, 0, cut.isNull() ? -1 : 0)
                                                     : QStringLiteral("<bad: %1>").arg(line));
    }
    return entries;
}

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

// In order, each at position 1, and a key that repeats offers another text.
// With these lists, the kana table's bytes and the kanji table's generator,
// no key of one table can come to stand in another.
void TablesTest::greetingKeys()
{
    QStringList expected = referenceLines("greeting-keys.txt");
    for (QString& key : expected)
        key += QStringLiteral(",1");
    QCOMPARE(entriesOf(PhraseTable::Greeting, QLatin1Char('=')), expected);
    const QStringList entries = entriesOf(PhraseTable::Greeting);
    QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
}

// Its keys in the order of their first row, with their number of rows; the
// rows themselves are checked against their generator.
void TablesTest::kanjiKeys()
{
    QStringList order;
    QHash<QString, int> rows;
    for (const QString& key : entriesOf(PhraseTable::Kanji, QLatin1Char(',')).mid(11)) {
        if (!rows.contains(key)) // the symbols above are skipped
            order << key;
        ++rows[key];
    }
    for (QString& key : order)
        key += QLatin1Char(' ') + QString::number(rows[key]);
    QCOMPARE(order, referenceLines("kanji-keys.txt"));
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"

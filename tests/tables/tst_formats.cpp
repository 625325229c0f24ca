#include "store/Gbk.h"
#include "tables/PhraseIndex.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace jlex;

// Holds every table to what Fcitx 5 reads from its UTF-8 form, and to the same
// rows in both forms; and the build to refusing lines that would break either.
class FormatsTest : public QObject {
    Q_OBJECT

private slots:
    void tableReadsAlikeInBothFormats_data();
    void tableReadsAlikeInBothFormats();
    void buildRefusesLine_data();
    void buildRefusesLine();
};

void FormatsTest::tableReadsAlikeInBothFormats_data()
{
    QTest::addColumn<PhraseTable>("table");
    QTest::newRow("kana") << PhraseTable::Kana;
    QTest::newRow("greeting") << PhraseTable::Greeting;
    QTest::newRow("kanji") << PhraseTable::Kanji;
}

void FormatsTest::tableReadsAlikeInBothFormats()
{
    QFETCH(PhraseTable, table);
    const QByteArrayView utf8 = phraseTable(table, PhraseFormat::Utf8Lf);
    const QByteArrayView gbk = phraseTable(table, PhraseFormat::GbkCrLf);
    QVERIFY(!utf8.startsWith("\xEF\xBB\xBF"));
    QVERIFY(!utf8.contains('\r'));
    QVERIFY(utf8.endsWith('\n') && gbk.endsWith("\r\n"));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QStringList lines = QString(decoder.decode(utf8.chopped(1))).split(QLatin1Char('\n'));
    QVERIFY(!decoder.hasError());
    QCOMPARE(fromGbk(gbk.chopped(2)).split(QStringLiteral("\r\n")), lines);

    static const QRegularExpression entry(QStringLiteral("^([a-zA-Z]+),(-?[0-9]+)=(.*)$"));
    QList<PhraseRow> rows;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        const QRegularExpressionMatch m = entry.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        const QString text = m.captured(3);
        QVERIFY2(m.captured(2).toInt() >= 1, qPrintable(line));
        QVERIFY2(!text.isEmpty() && !text.startsWith(QLatin1Char('#')), qPrintable(line));
        QVERIFY2(!(text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"')),
                 qPrintable(line));
        rows.append({table, m.captured(1), m.captured(2).toInt(), text});
    }
    QVERIFY(rows == phraseRows(table));
}

void FormatsTest::buildRefusesLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("refused");
    QTest::newRow("entry") << QByteArray("ai,1=愛") << false;
    QTest::newRow("position 0") << QByteArray("ai,0=愛") << true;
    QTest::newRow("template") << QByteArray("nian,1=#$year") << true;
    QTest::newRow("quoted") << QByteArray("ai,1=\"愛\"") << true;
    QTest::newRow("multi-line start") << QByteArray("ai,1=") << true;
    QTest::newRow("hash comment") << QByteArray("# note") << true;
    QTest::newRow("CR LF") << QByteArray("ai,1=愛\r") << true;
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF"
                                       "ai,1=愛")
                         << true;
    QTest::newRow("not in GBK") << QByteArray("ai,1=😀") << true;
}

void FormatsTest::buildRefusesLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    QFile source(dir.filePath(QStringLiteral("t.txt")));
    QVERIFY(source.open(QIODevice::WriteOnly) && source.write(line + '\n') > 0);
    source.close();
    QProcess gen;
    gen.start(QStringLiteral(JLEX_TABLEGEN),
              {dir.filePath(QStringLiteral("t.cpp")), QStringLiteral("Kana=") + source.fileName()});
    QVERIFY(gen.waitForFinished());
    QCOMPARE(gen.exitCode() != 0, refused);
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("t.cpp"))), !refused);
}

QTEST_GUILESS_MAIN(FormatsTest)
#include "tst_formats.moc"

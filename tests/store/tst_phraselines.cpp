#include "store/PhraseLines.h"

#include <QBuffer>
#include <QTest>

using namespace jlex;

namespace {

QByteArray copied(const QByteArray& input)
{
    QByteArray in = input;
    QBuffer source(&in);
    source.open(QIODevice::ReadOnly);
    QByteArray out;
    QBuffer sink(&out);
    sink.open(QIODevice::WriteOnly);
    BlockWriter writer(sink, 64);
    if (!copyPhraseLines(source, writer) || !writer.flush())
        return "<failed>";
    return out;
}

} // namespace

class PhraseLinesTest : public QObject {
    Q_OBJECT

private slots:
    void linesComeBackEndedByCrLf_data();
    void linesComeBackEndedByCrLf();
    void lineEndsSplitAcrossReadBlocks();
};

void PhraseLinesTest::linesComeBackEndedByCrLf_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty file has no lines") << QByteArray() << QByteArray();
    QTest::newRow("crlf lines pass as they are")
        << QByteArray("a,1=x\r\nb\r\n") << QByteArray("a,1=x\r\nb\r\n");
    QTest::newRow("last line without line end") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone cr ends a line") << QByteArray("a\rb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("cr at the very end") << QByteArray("a\r") << QByteArray("a\r\n");
    QTest::newRow("cr then crlf is two lines") << QByteArray("a\r\r\n") << QByteArray("a\r\n\r\n");
    QTest::newRow("lf alone is an ordinary byte")
        << QByteArray("a\nb\n") << QByteArray("a\nb\n\r\n");
    QTest::newRow("empty lines are kept")
        << QByteArray("\r\n\r\n;c\r\n") << QByteArray("\r\n\r\n;c\r\n");
    QTest::newRow("lf cr") << QByteArray("a\n\rb") << QByteArray("a\n\r\nb\r\n");
    // Not GBK, not UTF-8: bytes are never decoded.
    const QByteArray odd("\x80\xff\xfe\x00\x81\x7f\xa1", 7);
    QTest::newRow("bytes that are not gbk") << odd + "\r\n" + odd << odd + "\r\n" + odd + "\r\n";
}

void PhraseLinesTest::linesComeBackEndedByCrLf()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QCOMPARE(copied(input), expected);
}

// The reader takes the file in large blocks; a CR LF or a lone CR that falls on
// a block boundary must be read as if the file were whole.
void PhraseLinesTest::lineEndsSplitAcrossReadBlocks()
{
    const qsizetype block = qsizetype(1) << 18;
    for (qsizetype at : {block - 2, block - 1, block, block + 1}) {
        QByteArray head(at, 'x');
        QCOMPARE(copied(head + "\r\nyy"), head + "\r\nyy\r\n");
        QCOMPARE(copied(head + "\ryy"), head + "\r\nyy\r\n");
        QCOMPARE(copied(head + "\r"), head + "\r\n");
        QCOMPARE(copied(head + "\r\r\nz"), head + "\r\n\r\nz\r\n");
    }
}

QTEST_GUILESS_MAIN(PhraseLinesTest)
#include "tst_phraselines.moc"

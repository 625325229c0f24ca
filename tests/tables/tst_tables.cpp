#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TablesTest : public QObject {
    Q_OBJECT

private slots:
    void buildRefusesLine_data();
    void buildRefusesLine();
};

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
    // The records of one table shipped, "ai,1=愛", in every format the build makes.
    QFile shippedSource(dir.filePath("shipped-table.txt"));
    QVERIFY(shippedSource.open(QIODevice::WriteOnly) && shippedSource.write("ai,1=愛\n") > 0);
    shippedSource.close();
    QProcess records;
    records.start(JLEX_TABLEGEN, {"--records", "Kana=" + shippedSource.fileName()});
    QVERIFY(records.waitForFinished() && records.exitCode() == 0);
    QFile shipped(dir.filePath("shipped.txt"));
    QVERIFY(shipped.open(QIODevice::WriteOnly));
    for (const QByteArray& record : records.readAllStandardOutput().split('\n')) {
        if (!record.isEmpty())
            shipped.write("1.0.0\t" + record + '\n');
    }
    shipped.close();
    QProcess gen;
    gen.start(JLEX_TABLEGEN, {dir.filePath("t.cpp"), "--shipped=" + shipped.fileName(),
                              "Kana=" + source.fileName()});
    QVERIFY(gen.waitForFinished());
    QCOMPARE(gen.exitCode() != 0, refused);
    QCOMPARE(QFile::exists(dir.filePath("t.cpp")), !refused);
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"

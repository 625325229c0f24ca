#include "ops/Operations.h"
#include "support/StoreState.h"

#include <QTest>

using namespace jlex;

namespace {

using Operation = std::function<std::optional<OperationFailure>(const StorePaths&)>;

Operation installing(InstallChoices choices)
{
    return
        [choices](const StorePaths& p) { return install(p, p.path(StoreFile::Phrases), choices); };
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void storeTransitions_data();
    void storeTransitions();
    void addModeKeepsEveryByte_data();
    void addModeKeepsEveryByte();
};

void OperationsTest::storeTransitions_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, const Operation& op, const char* before,
                        const char* after) {
        QTest::newRow(name) << op << QString::fromUtf8(before) << QString::fromUtf8(after);
    };
    const Operation backingUp = [](const StorePaths& p) {
        return backup(p, p.path(StoreFile::Phrases));
    };
    const Operation toInitial = [](const StorePaths& p) { return restore(p, true); };
    const Operation toLatest = [](const StorePaths& p) { return restore(p, false); };
    const Operation uninstalling = [](const StorePaths& p) { return uninstall(p); };
    const InstallChoices onlyKanji{.greeting = false, .kanji = true, .addMode = false};
    const InstallChoices overwrite{.kanji = true, .addMode = false, .backupFirst = false};
    const InstallChoices onlyKana{.greeting = false, .addMode = false, .backupFirst = false};

    row("first install", installing({}), "P=mine", "P=kana+greeting+mine+crlf+crlf I=mine i=now");
    row("later install", installing(onlyKanji), "P=p I=ib L=lb i=t0 l=t1",
        "P=kana+kanji+crlf I=ib L=p i=t0 l=now");
    row("overwrite, no backup, no phrase file", installing(overwrite), "",
        "P=kana+greeting+kanji+crlf");
    row("overwrite, no backup", installing(onlyKana), "P=p I=ib i=t0", "P=kana+crlf I=ib i=t0");
    row("first backup", backingUp, "P=mine", "P=mine I=mine i=now");
    row("second backup", backingUp, "P=p I=ib i=t0", "P=p I=ib i=t0 L=p l=now");
    row("later backup", backingUp, "P=p I=ib L=lb i=t0 l=t1", "P=p I=ib L=p i=t0 l=now");
    // The backup slot follows the initial backup file, not its stamp.
    row("backup, latest only", backingUp, "P=p L=lb l=t1", "P=p I=p i=now L=lb l=t1");
    row("backup, no initial stamp", backingUp, "P=p I=ib", "P=p I=ib L=p l=now");
    row("restore initial state", toInitial, "P=p I=ib L=lb i=t0 l=t1", "P=ib I=ib L=p i=now l=t1");
    row("restore initial, no latest", toInitial, "P=p I=ib i=t0", "P=ib I=ib L=p i=now");
    row("restore latest", toLatest, "P=mine L=lb i=t0", "P=lb L=mine i=t0 l=now");
    row("uninstall", uninstalling, "P=p I=ib L=lb i=t0 l=t1", "P=ib I=ib L=p i=now l=t1");
}

void OperationsTest::storeTransitions()
{
    QFETCH(Operation, operation);
    QFETCH(QString, before);
    QFETCH(QString, after);
    TempStore store;
    layStore(store, before);
    const QDateTime start = QDateTime::currentDateTime();
    const auto failure = operation(store.paths);
    QVERIFY2(!failure, failure ? qPrintable(failureMessage({}, *failure)) : "");
    verifyStore(store, after, start);
}

// The user's lines come back after the tables as they were, each ended by
// CR LF: a lone CR ends a line, a lone LF does not, bytes are never decoded.
void OperationsTest::addModeKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("kept");
    const QByteArray odd("\x80\xff\xfe\x00\x81\x7f\xa1", 7); // neither GBK nor UTF-8
    QTest::newRow("empty file") << QByteArray("") << QByteArray();
    QTest::newRow("crlf lines") << QByteArray("a,1=x\r\nb\r\n") << QByteArray("a,1=x\r\nb\r\n");
    QTest::newRow("no last line end") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone cr") << QByteArray("a\rb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("cr at the end") << QByteArray("a\r") << QByteArray("a\r\n");
    QTest::newRow("cr then crlf") << QByteArray("a\r\r\n") << QByteArray("a\r\n\r\n");
    QTest::newRow("lone lf") << QByteArray("a\nb\n") << QByteArray("a\nb\n\r\n");
    QTest::newRow("lf cr") << QByteArray("a\n\rb") << QByteArray("a\n\r\nb\r\n");
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n;c\r\n") << QByteArray("\r\n\r\n;c\r\n");
    QTest::newRow("not gbk") << odd + "\r\n" + odd << odd + "\r\n" + odd + "\r\n";
    // The file is read in blocks; a line end on a block boundary reads as if whole.
    const qsizetype block = qsizetype(1) << 18;
    for (qsizetype at : {block - 2, block - 1, block, block + 1}) {
        const QByteArray x(at, 'x');
        QTest::addRow("crlf at %lld", at) << x + "\r\nyy" << x + "\r\nyy\r\n";
        QTest::addRow("cr at %lld", at) << x + "\ryy" << x + "\r\nyy\r\n";
        QTest::addRow("cr ending at %lld", at) << x + "\r" << x + "\r\n";
        QTest::addRow("cr crlf at %lld", at) << x + "\r\r\nz" << x + "\r\n\r\nz\r\n";
    }
}

void OperationsTest::addModeKeepsEveryByte()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, kept);
    TempStore store;
    store.write(StoreFile::Phrases, file);
    QVERIFY(!installing({.greeting = false, .addMode = true, .backupFirst = false})(store.paths));
    QCOMPARE(store.read(StoreFile::Phrases), storeBytes("kana") + kept + "\r\n");
}

QTEST_GUILESS_MAIN(OperationsTest)
#include "tst_operations.moc"

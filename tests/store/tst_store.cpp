#include "store/HostPath.h"
#include "store/Stamp.h"
#include "support/TempStore.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace jlex;

class StoreTest : public QObject {
    Q_OBJECT

private slots:
    void whereTheFilesAre();
    void stamps_data();
    void stamps();
    void stampFiles();
};

// The files' names are checked with every change to a store, and which
// directory each edition keeps them in by the failures of the public edition.
// Here: the user name is read at each use, and "C:\" is the prefix's drive_c.
void StoreTest::whereTheFilesAre()
{
    const TempStore store;
    qputenv("USERNAME", "bob");
    QCOMPARE(hostPath(store.paths.path(StoreFile::Phrases)),
             store.root() + QStringLiteral("/drive_c/Documents and Settings/bob/Application "
                                           "Data/KavroPY.users/00000001/phrases.ini"));
    qunsetenv("WINEPREFIX");
    QCOMPARE(hostPath(QStringLiteral("c:\\a")),
             QDir::homePath() + QStringLiteral("/.wine/drive_c/a"));
}

// The locale's short date and its time with seconds, with no time zone nor
// the brackets it stood in; at midnight the date alone.
void StoreTest::stamps_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected"); // a pattern: some locales use narrow spaces
    QTest::newRow("zh_CN") << "zh_CN" << QTime(9, 5, 7) << "^2026/12/6 09:05:07$";
    QTest::newRow("zh_CN midnight") << "zh_CN" << QTime(0, 0) << "^2026/12/6$";
    QTest::newRow("zh_CN past midnight") << "zh_CN" << QTime(0, 0, 1) << "^2026/12/6 00:00:01$";
    QTest::newRow("en_US") << "en_US" << QTime(21, 4, 30) << "^12/6/26 9:04:30[ \\x{202F}]PM$";
    QTest::newRow("es_ES") << "es_ES" << QTime(14, 7, 9) << "^6/12/26 14:07:09$";
    QTest::newRow("zh_HK") << "zh_HK" << QTime(14, 7, 9) << "^6/12/2026 下午2:07:09$";
    QTest::newRow("zh_TW") << "zh_TW" << QTime(14, 7, 9) << "^2026/12/6 下午2:07:09$";
}

void StoreTest::stamps()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, expected);
    const QString text = stampText(QDateTime(QDate(2026, 12, 6), time), QLocale(locale));
    QVERIFY2(text.contains(QRegularExpression(expected)), qPrintable(text));
}

// A stamp file is the text and a line end in the store's format; it shows its first line.
void StoreTest::stampFiles()
{
    const QLocale china(QLocale::Chinese, QLocale::China);
    const QDateTime when(QDate(2026, 12, 6), QTime(9, 5, 7));
    QCOMPARE(stampFileBytes(when, PhraseFormat::GbkCrLf, china), "2026/12/6 09:05:07\r\n");
    QCOMPARE(stampFileBytes(when, PhraseFormat::Utf8Lf, china), "2026/12/6 09:05:07\n");
    QCOMPARE(stampFromFileBytes("2026\xc4\xea\r\nlater\r\n", PhraseFormat::GbkCrLf),
             QStringLiteral("2026年"));
    QCOMPARE(stampFromFileBytes("first\rsecond", PhraseFormat::GbkCrLf), QStringLiteral("first"));
    QCOMPARE(stampFromFileBytes("2026年\nlater\n", PhraseFormat::Utf8Lf), QStringLiteral("2026年"));
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"

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
    void stamps();
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

// The locale's short date and its time with seconds but no zone; at midnight
// the date alone. A stamp file shows its first line, read as GBK.
void StoreTest::stamps()
{
    const QLocale china(QLocale::Chinese, QLocale::China);
    const QDate day(2026, 12, 6);
    QCOMPARE(stampFileBytes(QDateTime(day, QTime(9, 5, 7)), china), "2026/12/6 09:05:07\r\n");
    QCOMPARE(stampText(QDateTime(day, QTime(0, 0, 0)), china), QStringLiteral("2026/12/6"));
    QCOMPARE(stampText(QDateTime(day, QTime(0, 0, 1)), china),
             QStringLiteral("2026/12/6 00:00:01"));
    const QString us = stampText(QDateTime(day, QTime(21, 4, 30)),
                                 QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(us.contains(QRegularExpression(QStringLiteral("^12/6/26 9:04:30[ \\x{202F}]PM$"))),
             qPrintable(us));
    QCOMPARE(stampFromFileBytes("2026\xc4\xea\r\nlater\r\n"), QStringLiteral("2026年"));
    QCOMPARE(stampFromFileBytes("first\rsecond"), QStringLiteral("first"));
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"

#include "tables/PhraseTables.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace jlex;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The real program, in the C locale and away from any real store, so results
// must not lean on the user's settings.
Run runJlex(const QStringList& arguments)
{
    static const QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("WINEPREFIX"), home.filePath(QStringLiteral("wine")));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(JLEX_PROGRAM), arguments);
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray tables(const QList<PhraseTable>& list, PhraseFormat format)
{
    QByteArray bytes;
    for (PhraseTable table : list)
        bytes += phraseTable(table, format).toByteArray();
    return bytes;
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

private slots:
    void exportPrintsTheTables_data();
    void exportPrintsTheTables();
    void rowsFound_data();
    void rowsFound();
    void wrongUsage_data();
    void wrongUsage();
};

void CliTest::exportPrintsTheTables_data()
{
    using enum PhraseTable;
    const auto utf8 = PhraseFormat::Utf8Lf;
    const auto gbk = PhraseFormat::GbkCrLf;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("fcitx5 default") << QStringList{"export"} << tables({Kana, Greeting}, utf8);
    QTest::newRow("fcitx5 kanji") << QStringList{"export", "--tables", "kanji"}
                                  << tables({Kana, Kanji}, utf8);
    QTest::newRow("fcitx5 both, any order")
        << QStringList{"--tables", "kanji,greeting", "export", "--ime", "fcitx5"}
        << tables({Kana, Greeting, Kanji}, utf8);
    QTest::newRow("fcitx5 kana alone")
        << QStringList{"export", "--tables", "kana"} << tables({Kana}, utf8);
    QTest::newRow("kavro-login both")
        << QStringList{"--ime", "kavro-login", "export", "--tables", "greeting,kanji"}
        << tables({Kana, Greeting, Kanji}, gbk);
    QTest::newRow("kavro-public default")
        << QStringList{"export", "--ime", "kavro-public"} << tables({Kana, Greeting}, gbk);
}

void CliTest::exportPrintsTheTables()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    const Run run = runJlex(arguments);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY(run.out == expected);
}

void CliTest::rowsFound_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("status");
    // Positions reorder the rows of a table; equal positions keep file order.
    QTest::newRow("lookup ai") << QStringList{"lookup", "ai"}
                               << "kanji\tai\t4\t挨\nkanji\tai\t5\t哀\nkanji\tai\t6\t曖\n"
                                  "kanji\tai\t7\t碍\nkanji\tai\t8\t矮\nkanji\tai\t9\t癌\n"
                                  "kanji\tai\t9\t愛\nkanji\tai\t9\t埃\nkanji\tai\t9\t藹\n"
                                  "kanji\tai\t9\t隘\nkanji\tai\t9\t艾\n"
                               << 0;
    QTest::newRow("lookup xiexie") << QStringList{"lookup", "xiexie"}
                                   << "greeting\txiexie\t1\tありがとうございます\n"
                                      "greeting\txiexie\t1\tありがとう\n"
                                   << 0;
    QTest::newRow("lookup a in kana")
        << QStringList{"lookup", "--tables", "kana", "a"} << "kana\ta\t1\tあ\nkana\ta\t2\tア\n"
        << 0;
    QTest::newRow("lookup a key missing")
        << QStringList{"lookup", "zzz", "xiexie"}
        << "greeting\txiexie\t1\tありがとうございます\ngreeting\txiexie\t1\tありがとう\n"
        << 1;
    QTest::newRow("search ありがとう")
        << QStringList{"search", "ありがとう"}
        << "greeting\tshangcixiexieni\t1\t先日はありがとうございました\n"
           "greeting\txiexie\t1\tありがとうございます\ngreeting\txiexie\t1\tありがとう\n"
           "greeting\txiexienizhemeqinqie\t1\tご親切にありがとうございます\n"
           "greeting\tjintianxiexieni\t1\t今日はありがとう\n"
        << 0;
    QTest::newRow("search nothing")
        << QStringList{"search", "ありがとう", "--tables", "kanji"} << QString() << 1;
}

void CliTest::rowsFound()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QFETCH(int, status);
    const Run run = runJlex(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(QString::fromUtf8(run.out), expected);
    QCOMPARE(run.err.isEmpty(), status == 0);
}

void CliTest::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"frob"};
    QTest::newRow("unknown option") << QStringList{"export", "--gbk"};
    QTest::newRow("unknown ime") << QStringList{"export", "--ime", "kavro"};
    QTest::newRow("unknown table") << QStringList{"export", "--tables", "greeting,kanjii"};
    QTest::newRow("option of another command") << QStringList{"export", "--overwrite"};
    QTest::newRow("lookup without key") << QStringList{"lookup"};
    QTest::newRow("search without text") << QStringList{"search"};
    QTest::newRow("search empty text") << QStringList{"search", ""};
    QTest::newRow("export with operand") << QStringList{"export", "kanji"};
    QTest::newRow("restore neither") << QStringList{"restore"};
    QTest::newRow("restore both") << QStringList{"restore", "--latest", "--initial"};
}

void CliTest::wrongUsage()
{
    QFETCH(QStringList, arguments);
    const Run run = runJlex(arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!run.err.isEmpty());
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"

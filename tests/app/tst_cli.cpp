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
Run runJlex(const QStringList& arguments, const QString& root = {})
{
    static const QTemporaryDir scratch;
    const QDir home(root.isEmpty() ? scratch.path() : root);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("WINEPREFIX"), home.filePath(QStringLiteral("wine")));
    env.insert(QStringLiteral("USERNAME"), QStringLiteral("alice"));
    // Fcitx 5 is asked over a bus that is not there: never the desktop's own.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=/nonexistent"));
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
    void storeCommands_data();
    void storeCommands();
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

void CliTest::storeCommands_data()
{
    QTest::addColumn<QString>("ime");
    QTest::addColumn<QString>("dir"); // the phrase file's, under the temporary home
    QTest::addColumn<QString>("phrases");
    QTest::addColumn<QString>("backups");   // where the backups go
    QTest::addColumn<QStringList>("names"); // phrase file, initial backup, latest backup, swap
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("installed");
    const QString kavro = "wine/drive_c/Documents and Settings/alice/Application Data/"
                          "KavroPY.users/00000001/";
    QTest::newRow("kavro-login") << "kavro-login" << kavro << kavro + "phrases.ini" << kavro
                                 << QStringList{"phrases.ini", "phrases最初备份.ini",
                                                "phrases最近备份.ini", "phrasesTEMP.ini"}
                                 << QByteArray("wo,1=\xce\xd2\r\n")
                                 << tables({PhraseTable::Kana, PhraseTable::Greeting},
                                           PhraseFormat::GbkCrLf) +
                                        "wo,1=\xce\xd2\r\n\r\n";
    QTest::newRow("fcitx5") << "fcitx5"
                            << "data/fcitx5/pinyin/"
                            << "data/fcitx5/pinyin/customphrase"
                            << "data/jlex/fcitx5/"
                            << QStringList{"customphrase", "customphrase.initial-backup",
                                           "customphrase.latest-backup", "customphrase.swap"}
                            << QByteArray("wo,1=我\nold,2=")
                            << tables({PhraseTable::Kana, PhraseTable::Greeting},
                                      PhraseFormat::Utf8Lf) +
                                   "wo,1=我\nold,2=\n";
}

// Each command's effect on a store, and its exit status, in the order a user
// would meet them.
void CliTest::storeCommands()
{
    QFETCH(QString, ime);
    QFETCH(QString, dir);
    QFETCH(QString, phrases);
    QFETCH(QString, backups);
    QFETCH(QStringList, names);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, installed);
    const QTemporaryDir home;
    const auto file = [&](int which) {
        QFile f(home.filePath((which ? backups : dir) + names[which]));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    const auto jlex = [&](QStringList arguments) {
        return runJlex(arguments << QStringLiteral("--ime") << ime, home.path());
    };
    QVERIFY(QDir(home.path()).mkpath(dir));
    QFile f(home.filePath(phrases));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(user) == user.size());
    f.close();

    Run run = jlex({"install"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.startsWith("安装完成！\n"));
    QCOMPARE(file(0), installed);
    QCOMPARE(file(1), user);
    QCOMPARE(jlex({"backup"}).status, 0);
    QCOMPARE(file(2), installed);
    QCOMPARE(jlex({"restore", "--initial"}).status, 0);
    QCOMPARE(file(0), user);
    QCOMPARE(file(2), installed);
    QCOMPARE(jlex({"restore", "--latest"}).status, 0);
    QCOMPARE(file(0), installed);
    QCOMPARE(file(2), user);

    run = jlex({"status"});
    QCOMPARE(run.status, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 5);
    QVERIFY(lines[0].startsWith("phrases\tpresent\t"));
    QVERIFY(lines[2].startsWith("latest-backup\tpresent\t"));
    QCOMPARE(lines[2].split('\t').size(), 4); // with the time of the backup
    QVERIFY(lines[3].startsWith("swap\tabsent\t"));

    // A leftover swap file stops a restore, which says so and changes nothing.
    QFile swap(home.filePath(backups + names[3]));
    QVERIFY(swap.open(QIODevice::WriteOnly));
    swap.close();
    run = jlex({"restore", "--latest"});
    QCOMPARE(run.status, 1);
    QVERIFY(QString::fromUtf8(run.err).contains(QStringLiteral("还原未能完成")));
    QCOMPARE(file(0), installed);
    QCOMPARE(jlex({"uninstall"}).status, 0);
    QCOMPARE(file(0), user);
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"

// The real jlex program: each command's output and exit status, and its
// effect on the files of a Kavro and a Fcitx 5 store.
#include "support/Files.h"

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

// In the C locale and away from any real store or desktop bus, so results
// must not lean on the user's settings.
Run runJlex(const QStringList& arguments, const QString& home = QDir::tempPath() + "/jlex-none")
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("WINEPREFIX", home + "/wine");
    env.insert("USERNAME", "alice");
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(JLEX_PROGRAM, arguments);
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void wrongUsage_data();
    void wrongUsage();
    void storeCommands_data();
    void storeCommands();
};

void CliTest::results_data()
{
    using enum PhraseTable;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("status");
    const auto utf8 = PhraseFormat::Utf8Lf;
    const auto gbk = PhraseFormat::GbkCrLf;
    QTest::newRow("export fcitx5")
        << QStringList{"export"} << tableBytes(utf8, {Kana, Greeting}) << 0;
    QTest::newRow("export both, any order") << QStringList{"--tables", "kanji,greeting", "export"}
                                            << tableBytes(utf8, {Kana, Greeting, Kanji}) << 0;
    QTest::newRow("export kavro-login")
        << QStringList{"--ime", "kavro-login", "export", "--tables", "kanji"}
        << tableBytes(gbk, {Kana, Kanji}) << 0;
    QTest::newRow("export kavro-public")
        << QStringList{"export", "--ime", "kavro-public"} << tableBytes(gbk, {Kana, Greeting}) << 0;
    QByteArray ai; // positions order a key's rows; equal ones keep the table's order
    for (const QString& row : QString("4挨 5哀 6曖 7碍 8矮 9癌 9愛 9埃 9藹 9隘 9艾").split(' '))
        ai += QString("kanji\tai\t%1\t%2\n").arg(row[0]).arg(row.mid(1)).toUtf8();
    QTest::newRow("lookup ai") << QStringList{"lookup", "ai"} << ai << 0;
    QTest::newRow("lookup, one key missing")
        << QStringList{"lookup", "zzz", "--tables", "kana", "a"}
        << QString("kana\ta\t1\tあ\nkana\ta\t2\tア\n").toUtf8() << 1;
    QTest::newRow("search")
        << QStringList{"search", "ありがとうございま"}
        << QString("greeting\tshangcixiexieni\t1\t先日はありがとうございました\n"
                   "greeting\txiexie\t1\tありがとうございます\n"
                   "greeting\txiexienizhemeqinqie\t1\tご親切にありがとうございます\n")
               .toUtf8()
        << 0;
}

void CliTest::results()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    QFETCH(int, status);
    const Run run = runJlex(arguments);
    QCOMPARE(run.status, status);
    QVERIFY(run.out == expected);
    QCOMPARE(run.err.isEmpty(), status == 0);
}

void CliTest::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown ime") << QStringList{"export", "--ime", "kavro"};
    QTest::newRow("unknown table") << QStringList{"export", "--tables", "greeting,kanjii"};
    QTest::newRow("option of another command") << QStringList{"export", "--overwrite"};
    QTest::newRow("lookup without key") << QStringList{"lookup"};
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
    QTest::addColumn<QStringList>("files"); // phrase file, initial and latest backup, swap
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("installed");
    const QString kavro = "wine/drive_c/Documents and Settings/alice/Application Data/"
                          "KavroPY.users/00000001/phrases";
    QTest::newRow("kavro-login") << "kavro-login"
                                 << QStringList{kavro + ".ini", kavro + "最初备份.ini",
                                                kavro + "最近备份.ini", kavro + "TEMP.ini"}
                                 << QByteArray("wo,1=\xce\xd2\r\n")
                                 << tableBytes(PhraseFormat::GbkCrLf,
                                               {PhraseTable::Kana, PhraseTable::Greeting}) +
                                        "wo,1=\xce\xd2\r\n\r\n";
    const QString own = "data/jlex/fcitx5/customphrase.";
    QTest::newRow("fcitx5") << "fcitx5"
                            << QStringList{"data/fcitx5/pinyin/customphrase",
                                           own + "initial-backup", own + "latest-backup",
                                           own + "swap"}
                            << QByteArray("wo,1=我\nold,2=")
                            << tableBytes(PhraseFormat::Utf8Lf,
                                          {PhraseTable::Kana, PhraseTable::Greeting}) +
                                   "wo,1=我\nold,2=\n";
}

// The commands in the order a user meets them, each checked on the files.
void CliTest::storeCommands()
{
    QFETCH(QString, ime);
    QFETCH(QStringList, files);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, installed);
    const QTemporaryDir home;
    const auto read = [&](int which) { return readFile(home.filePath(files[which])); };
    writeFile(home.filePath(files[0]), user);
    struct Step {
        QStringList arguments;
        int status;
        QByteArray phrases, latest;
    };
    const Step steps[] = {
        {{"install"}, 0, installed, "<missing>"},
        {{"backup"}, 0, installed, installed},
        {{"restore", "--initial"}, 0, user, installed},
        {{"restore", "--latest"}, 0, installed, user},
        {{"uninstall"}, 0, user, installed},
    };
    for (const Step& step : steps) {
        const Run run = runJlex(step.arguments + QStringList{"--ime", ime}, home.path());
        QCOMPARE(run.status, step.status);
        QCOMPARE(read(0), step.phrases);
        QCOMPARE(read(1), user);
        QCOMPARE(read(2), step.latest);
    }
    const QList<QByteArray> status = runJlex({"status", "--ime", ime}, home.path()).out.split('\n');
    QCOMPARE(status.size(), 5);
    QVERIFY(status[0].startsWith("phrases\tpresent\t") && status[3].startsWith("swap\tabsent\t"));
    // A backup's line ends with its time.
    QVERIFY(status[2].startsWith("latest-backup\tpresent\t") && status[2].count('\t') == 3);

    // A leftover swap file stops a restore, which says so and changes nothing.
    writeFile(home.filePath(files[3]), "theirs");
    const Run refused = runJlex({"restore", "--latest", "--ime", ime}, home.path());
    QCOMPARE(refused.status, 1);
    QVERIFY(QString::fromUtf8(refused.err).contains(QStringLiteral("还原未能完成")));
    QCOMPARE(read(0), user);
    QCOMPARE(read(3), QByteArray("theirs"));
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"

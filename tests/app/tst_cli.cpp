// The real jlex program: each command's output and exit status, its effect
// on the files of a Kavro and a Fcitx 5 store, the environment and locale it
// runs in, and two of it at once.
#include "store/Stamp.h"
#include "support/FaultyDir.h"
#include "support/Files.h"
#include "support/JlexProcess.h"
#include "targets/Registry.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace jlex;

namespace {

const QString kKavroDir = "wine/drive_c/Documents and Settings/alice/Application Data/"
                          "KavroPY.users/00000001/";

// The format an input method's files are written in, as registered.
PhraseFormat formatOf(const char* ime)
{
    return registrationNamed(QString::fromLatin1(ime))->make({}).paths->format();
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
    void historyShowTellsWhy_data();
    void historyShowTellsWhy();
    void environment_data();
    void environment();
    void gbkLocale();
    void whatStatusSays();
    void twoAtOnce_data();
    void twoAtOnce();
    void doctorOnKavro_data();
    void doctorOnKavro();
};

void CliTest::results_data()
{
    using enum PhraseTable;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("status");
    const auto utf8 = kUtf8Lf;
    const auto gbk = kGbkCrLf;
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
    // As grep counts: found when any key gives anything.
    QTest::newRow("lookup, one key missing")
        << QStringList{"lookup", "zzz", "--tables", "kana", "a"}
        << QString("kana\ta\t1\tあ\nkana\ta\t2\tア\n").toUtf8() << 0;
    QTest::newRow("lookup, nothing") << QStringList{"lookup", "zzz", "qqq"} << QByteArray() << 1;
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
    QCOMPARE(run.err.isEmpty(), !arguments.contains("zzz"));
}

void CliTest::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says"); // and nothing of what was right
    QTest::newRow("no command") << QStringList{} << "缺少命令";
    QTest::newRow("unknown ime") << QStringList{"export", "--ime", "kavro"} << "kavro";
    QTest::newRow("unknown table")
        << QStringList{"export", "--tables", "greeting,kanjii"} << "未知短语表：kanjii（";
    QTest::newRow("no table") << QStringList{"export", "--tables", ""} << "至少一个表名";
    QTest::newRow("only commas") << QStringList{"install", "--tables", ",,"} << "至少一个表名";
    QTest::newRow("option of another command")
        << QStringList{"export", "--overwrite"} << "--overwrite";
    QTest::newRow("lookup without key") << QStringList{"lookup"} << "缺少按键";
    QTest::newRow("restore both") << QStringList{"restore", "--latest", "--initial"} << "三者选一";
    QTest::newRow("restore latest and from")
        << QStringList{"restore", "--latest", "--from", "abcd"} << "三者选一";
    QTest::newRow("history what") << QStringList{"history", "list"} << "history [show";
}

void CliTest::wrongUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    const Run run = runJlex(arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.said().contains(says), qPrintable(run.said()));
}

void CliTest::storeCommands_data()
{
    QTest::addColumn<QString>("ime");
    QTest::addColumn<QStringList>("files"); // phrase file, initial and latest backup, swap
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("installed");
    const QString kavro = kKavroDir + "phrases";
    QTest::newRow("kavro-login") << "kavro-login"
                                 << QStringList{kavro + ".ini", kavro + "最初备份.ini",
                                                kavro + "最近备份.ini", kavro + "TEMP.ini"}
                                 << QByteArray("wo,1=\xce\xd2\r\n")
                                 << tableBytes(kGbkCrLf,
                                               {PhraseTable::Kana, PhraseTable::Greeting}) +
                                        "wo,1=\xce\xd2\r\n\r\n";
    const QString own = "data/jlex/fcitx5/customphrase.";
    QTest::newRow("fcitx5") << "fcitx5"
                            << QStringList{"data/fcitx5/pinyin/customphrase",
                                           own + "initial-backup", own + "latest-backup",
                                           own + "swap"}
                            << QByteArray("wo,1=我\nold,2=")
                            << tableBytes(kUtf8Lf, {PhraseTable::Kana, PhraseTable::Greeting}) +
                                   "wo,1=我\nold,2=";
    const QString rime = "data/jlex/rime/custom_phrase.";
    QTest::newRow("rime") << "rime"
                          << QStringList{"data/fcitx5/rime/custom_phrase.txt",
                                         rime + "initial-backup", rime + "latest-backup",
                                         rime + "swap"}
                          << QByteArray("# no comment\n我的\two\t5\n")
                          << tableBytes(formatOf("rime"),
                                        {PhraseTable::Kana, PhraseTable::Greeting}) +
                                 "# no comment\n我的\two\t5\n";
}

// The commands in the order a user meets them, each checked on the files; then
// what the history holds, and what an interrupted run left behind.
void CliTest::storeCommands()
{
    QFETCH(QString, ime);
    QFETCH(QStringList, files);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, installed);
    const QTemporaryDir home;
    const auto read = [&](int which) { return readFile(home.filePath(files[which])); };
    const auto jlex = [&](QStringList arguments) {
        return runJlex(arguments << "--ime" << ime, home.path());
    };
    // Nothing to back up yet says so, and only where it matters.
    for (const char* command : {"backup", "uninstall"}) {
        const Run run = jlex({command});
        QVERIFY(run.status == 1 && !run.said().contains("决定了"));
    }
    writeFile(home.filePath(files[0]), user);
    struct Step {
        QStringList arguments;
        QByteArray phrases, latest;
    };
    // Installing again replaces the tables; restores write the latest stamp.
    const Step steps[] = {
        {{"install"}, installed, "<missing>"},      {{"install"}, installed, installed},
        {{"backup"}, installed, installed},         {{"restore", "--initial"}, user, installed},
        {{"restore", "--latest"}, installed, user}, {{"uninstall"}, user, installed},
    };
    for (const Step& step : steps) {
        const Run run = jlex(step.arguments);
        QVERIFY2(run.status == 0 && !run.said().contains("决定了"), qPrintable(run.said()));
        QCOMPARE(read(0), step.phrases);
        QCOMPARE(read(1), user);
        QCOMPARE(read(2), step.latest);
    }
    const QList<QByteArray> status = jlex({"status"}).out.split('\n');
    QCOMPARE(status.size(), 5);
    QVERIFY(status[0].startsWith("phrases\tpresent\t") && status[3].startsWith("swap\tabsent\t"));
    // A backup's line ends with its time, after the path and where it is here.
    QCOMPARE(status[2].split('\t').value(3).replace("\\\\", "\\"),
             home.filePath(files[2]).toUtf8());
    QVERIFY(QString(status[2].split('\t').value(4)).contains(QRegularExpression("^20\\d\\d/")));

    // Each content the phrase file held is in the history, once, newest first.
    const QList<QByteArray> history = jlex({"history"}).out.split('\n');
    QCOMPARE(history.size(), 3);
    for (const QByteArray& line : history.first(2)) {
        const QList<QByteArray> fields = line.split('\t');
        QVERIFY(fields.size() == 5 &&
                QString(fields[1]).contains(QRegularExpression("T\\d\\d:\\d\\d:\\d\\d[+-]")));
        const Run shown = jlex({"history", "show", fields[0]});
        QCOMPARE(QByteArray::number(shown.out.size()), fields[2]);
        QVERIFY(shown.out == user || shown.out == installed);
    }
    QVERIFY(jlex({"restore", "--from", history[0].left(6)}).status == 0);

    // A leftover of a killed run is reported, then cleared with its content kept.
    const QString leftover = QFileInfo(home.filePath(files[0])).absolutePath() + "/." +
                             QFileInfo(files[0]).fileName() + ".jlex-Ab12Cd";
    writeFile(leftover, "half written");
    QVERIFY(jlex({"status"}).out.contains("leftover\tpresent\t" + leftover.toUtf8()));
    QCOMPARE(jlex({"backup"}).status, 0);
    QVERIFY(!QFile::exists(leftover) && !jlex({"status"}).out.contains("leftover"));
    QVERIFY(jlex({"history"}).out.contains("\t12\t1\tcleanup\n"));
}

// A version in the history on a file system that fails its reads (FaultyDir.h)
// is not shown, and the reason is; one a signal only interrupted is shown whole.
void CliTest::historyShowTellsWhy_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("read error") << "fail-reads=*:EIO" << 1 << "：磁盘读写出错。";
    QTest::newRow("reads interrupted") << "interrupted-reads" << 0 << "";
}

void CliTest::historyShowTellsWhy()
{
    QFETCH(QString, rule);
    QFETCH(int, status);
    QFETCH(QString, says);
    const QTemporaryDir home;
    const QByteArray user = "mine,1=x\n";
    writeFile(home.filePath("data/fcitx5/pinyin/customphrase"), user);
    QCOMPARE(runJlex({"install"}, home.path()).status, 0);
    const QString id = QString(runJlex({"history"}, home.path()).out.left(12));
    const QString dir = home.filePath("data/jlex/history/fcitx5");
    QVERIFY(QFileInfo(dir).isDir() && !id.isEmpty());
    FaultyDir faulty(dir, {rule});
    if (!faulty.mounted())
        QSKIP(qPrintable(faulty.why()));
    const Run run = runJlex({"history", "show", id}, home.path());
    faulty.unmount();
    QCOMPARE(run.status, status);
    QCOMPARE(run.said(), says.isEmpty() ? QString() : "无法读取历史版本 " + id + says + "\n");
    QCOMPARE(run.out, status == 0 ? user : QByteArray());
}

// What jlex makes of its environment: relative XDG directories are ignored,
// a missing HOME is looked up, a user name that is not one directory is
// refused, stamps read the same in any locale, and the true cause of a
// failure is named.
void CliTest::environment_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("check"); // "said:TEXT", "out:TEXT", "file:PATH", "stamp"
    const QString phrases = "/.local/share/fcitx5/pinyin/customphrase";
    QTest::newRow("relative XDG_DATA_HOME") << QStringList{"XDG_DATA_HOME=rel", "HOME=@"}
                                            << QStringList{"install"} << 0 << "file:@" + phrases;
    QTest::newRow("no HOME") << QStringList{"HOME", "XDG_DATA_HOME", "as=nobody"}
                             << QStringList{"status"} << 0 << "out:\t/nonexistent" + phrases;
    QTest::newRow("HOME empty") << QStringList{"HOME=", "XDG_DATA_HOME="} << QStringList{"status"}
                                << 0 << "out:\t~" + phrases;
    for (const char* user : {"../../../outside", "dom\\user", ""})
        QTest::addRow("USERNAME=%s", user)
            << QStringList{QString("USERNAME=") + user}
            << QStringList{"--ime", "kavro-login", "install"} << 1 << "said:环境变量 USERNAME";
    QTest::newRow("relative WINEPREFIX")
        << QStringList{"WINEPREFIX=wine"} << QStringList{"--ime", "kavro-public", "status"} << 1
        << "said:环境变量 WINEPREFIX 必须是绝对路径";
    for (const char* locale : {"C", "ja_JP.UTF-8", "ko_KR.UTF-8", "ar_EG.UTF-8"})
        QTest::addRow("stamp under %s", locale)
            << QStringList{QString("LC_ALL=") + locale, QString("LANG=") + locale}
            << QStringList{"--ime", "kavro-login", "backup"} << 0 << "stamp";
    QTest::newRow("name too long") << QStringList{"XDG_DATA_HOME=@/" + QString(300, 'x')}
                                   << QStringList{"install"} << 1 << "said:文件名或路径太长";
    QTest::newRow("file in the way")
        << QStringList{"XDG_DATA_HOME=@/block"} << QStringList{"install"} << 1
        << "said:路径中的某个目录被同名的文件占用";
}

void CliTest::environment()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, check);
    if (changes.contains("as=nobody") && geteuid() != 0)
        QSKIP("needs root, to run as the user nobody");
    const QTemporaryDir home;
    QVERIFY(QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777)));
    changes.replaceInStrings("@", home.path());
    check.replace("@", home.path()).replace("~", QDir::homePath()).replace("\\t", "\t");
    writeFile(home.filePath(kKavroDir + "phrases.ini"), "wo,1=\xce\xd2\r\n");
    writeFile(home.filePath("block"), "a file where a directory should be");
    QDir(home.path()).mkdir("wd");
    QDir::setCurrent(home.filePath("wd"));
    const QDateTime start = QDateTime::currentDateTime();
    const Run run = runJlex(arguments, home.path(), changes);
    const QDateTime end = QDateTime::currentDateTime();
    QDir::setCurrent(QDir::tempPath());
    QVERIFY2(run.status == status, qPrintable(run.said()));
    if (check.startsWith("said:"))
        QVERIFY2(run.said().contains(check.mid(5)), qPrintable(run.said()));
    if (check.startsWith("out:"))
        QVERIFY2(QString::fromUtf8(run.out).contains(check.mid(4)), run.out.constData());
    if (check.startsWith("file:"))
        QVERIFY(QFile::exists(check.mid(5)));
    // Whatever the locale, the stamp is the one a Chinese desktop writes.
    if (check == "stamp") {
        const QByteArray stamp = readFile(home.filePath(kKavroDir + "time000.ini"));
        bool fits = false;
        for (QDateTime t = start.addSecs(-1); t <= end.addSecs(1); t = t.addSecs(1))
            fits = fits || stamp == stampFileBytes(t, kGbkCrLf);
        QVERIFY2(fits, stamp.constData());
    }
    // Nothing was ever written outside the places the environment names.
    for (const char* stray : {"wd/rel", "outside", "wd/.local"})
        QVERIFY2(!QFileInfo::exists(home.filePath(stray)), stray);
}

// Under a GBK locale the arguments are read, and results and messages
// written, in GBK, as a terminal there shows them.
void CliTest::gbkLocale()
{
    const QTemporaryDir home;
    QDir(home.path()).mkdir("locale");
    QProcess::execute("localedef", {"-i", "zh_CN", "-f", "GBK", home.filePath("locale/zh_CN.GBK")});
    if (!QFileInfo::exists(home.filePath("locale/zh_CN.GBK/LC_CTYPE")))
        QSKIP("localedef cannot make a zh_CN.GBK locale here (Debian package locales)");
    QStringEncoder toGbk("GBK");
    QStringDecoder fromGbk("GBK");
    // The text's bytes as octal escapes, for the shell to pass on unchanged.
    QString escaped;
    for (const char byte : QByteArray(toGbk.encode(QStringLiteral("ありがとうございま"))))
        escaped += QStringLiteral("\\%1").arg(uchar(byte), 3, 8, QLatin1Char('0'));
    QProcess shell;
    shell.setProcessEnvironment(
        jlexEnvironment(home.path(), {"LC_ALL=zh_CN.GBK", "LOCPATH=" + home.filePath("locale")}));
    shell.start("sh", {"-c", "\"$0\" search \"$(printf '" + escaped + "')\"; \"$0\" lookup zzz",
                       JLEX_PROGRAM});
    QVERIFY(shell.waitForFinished());
    QVERIFY(QString(fromGbk.decode(shell.readAllStandardOutput()))
                .contains(QStringLiteral("\txiexie\t1\tありがとうございます\n")));
    QVERIFY(QString(fromGbk.decode(shell.readAllStandardError()))
                .contains(QStringLiteral("按键 zzz 没有词条。")));
}

// status tells every kind of thing at a name apart, and keeps each path one
// field; it says so when it cannot write its result.
void CliTest::whatStatusSays()
{
    const QTemporaryDir home;
    const QString data = home.filePath("da\tta\nhome");
    const QString phrases = data + "/fcitx5/pinyin/customphrase";
    const auto state = [&] {
        const Run run = runJlex({"status"}, home.path(), {"XDG_DATA_HOME=" + data});
        const QList<QByteArray> fields = run.out.split('\n').value(0).split('\t');
        return fields.size() == 5 && fields[2].contains("da\\tta\\nhome") ? fields[1] : "?";
    };
    QVERIFY(QDir().mkpath(phrases));
    QCOMPARE(state(), "not-a-file");
    QVERIFY(QDir().rmdir(phrases) && ::mkfifo(QFile::encodeName(phrases).constData(), 0600) == 0);
    QCOMPARE(state(), "not-a-file");
    QVERIFY(QFile::remove(phrases) && QFile::link(phrases, phrases));
    QCOMPARE(state(), "not-a-file");
    QVERIFY(QFile::remove(phrases));
    writeFile(phrases, "wo,1=我\n");
    QCOMPARE(state(), "present");
    if (geteuid() == 0) {
        QVERIFY(::chmod(QFile::encodeName(phrases).constData(), 0600) == 0);
        QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7755));
        const Run run = runJlex({"status"}, home.path(), {"XDG_DATA_HOME=" + data, "as=nobody"});
        QVERIFY2(run.out.startsWith("phrases\tunreadable\t"), run.out.constData());
    }
    for (const char* option : {"status", "--version", "--help"}) {
        QProcess process;
        process.setProcessEnvironment(jlexEnvironment(home.path(), {}));
        process.setStandardOutputFile("/dev/full");
        process.start(JLEX_PROGRAM, {option});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("无法写出结果"));
    }
}

// Two jlex at once on one store: each waits for the other, and the store ends
// as some order of the two would leave it, nothing lost and nothing left over.
void CliTest::twoAtOnce_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<bool>("backups");
    QTest::newRow("two overwrites, backups there")
        << QStringList{"install", "--overwrite"} << QStringList{"install", "--overwrite"} << true;
    QTest::newRow("two adds, fresh store")
        << QStringList{"install"} << QStringList{"install"} << false;
    QTest::newRow("two restores") << QStringList{"restore", "--latest"}
                                  << QStringList{"restore", "--latest"} << true;
}

void CliTest::twoAtOnce()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(bool, backups);
    const QByteArray mine = QByteArray("mine,1=我的\n").repeated(100000);
    for (int round = 0; round < 6; ++round) {
        const QTemporaryDir home;
        const QString phrases = home.filePath("data/fcitx5/pinyin/customphrase");
        writeFile(phrases, mine);
        if (backups) {
            QCOMPARE(runJlex({"backup"}, home.path()).status, 0);
            writeFile(phrases, mine + "new,1=新加的词\n");
            QCOMPARE(runJlex({"backup"}, home.path()).status, 0);
        }
        const QByteArray before = readFile(phrases);
        QProcess* a = startJlex(first, home.path());
        QProcess* b = startJlex(second, home.path());
        const Run ra = finish(a), rb = finish(b);
        QVERIFY2(ra.status == 0 && rb.status == 0, qPrintable(ra.said() + rb.said()));
        QVERIFY(!runJlex({"status"}, home.path()).out.contains("leftover"));
        // Every content there was is still somewhere, and uninstalling gives
        // the user's own file back, byte for byte.
        QByteArray all = runJlex({"export", "--tables", "kana"}, home.path()).out;
        for (const QByteArray& line : runJlex({"history"}, home.path()).out.split('\n'))
            all += runJlex({"history", "show", line.split('\t')[0]}, home.path()).out;
        QVERIFY(all.contains(before));
        QCOMPARE(runJlex({"uninstall"}, home.path()).status, 0);
        QCOMPARE(readFile(phrases), mine);
    }
}

// What doctor finds of the Kavro IME's files, one state of the Wine prefix
// after another: each check fails where it must and holds once put right.
void CliTest::doctorOnKavro_data()
{
    QTest::addColumn<QStringList>("dirs");   // made under the home
    QTest::addColumn<QByteArray>("phrases"); // the phrase file, when there is one
    QTest::addColumn<QString>("says");
    QTest::addColumn<int>("status");
    const QString profile = "wine/drive_c/Documents and Settings/alice";
    QTest::newRow("no prefix") << QStringList{} << QByteArray() << "[有问题] Wine 前缀" << 1;
    QTest::newRow("no such user") << QStringList{"wine/drive_c"} << QByteArray()
                                  << "[有问题] Windows 用户目录" << 1;
    QTest::newRow("IME never ran")
        << QStringList{profile} << QByteArray() << "[有问题] Kavro 输入法的目录" << 1;
    QTest::newRow("saved as UTF-8")
        << QStringList{kKavroDir} << QByteArray("wo,1=我\r\n") << "它是 UTF-8 编码" << 1;
    QTest::newRow("a line not GBK")
        << QStringList{kKavroDir} << QByteArray("wo,1=\xce\xd2\r\nx,1=\x81\x20\r\n")
        << "第 2 行不是 GBK" << 1;
    QTest::newRow("no tables") << QStringList{kKavroDir} << QByteArray("wo,1=\xce\xd2\r\n")
                               << "[有问题] 短语文件中 jlex 的短语表：没有" << 1;
    QTest::newRow("installed") << QStringList{kKavroDir} << QByteArray("install")
                               << "[正常] 短语文件中 jlex 的短语表：有 kana、greeting" << 0;
}

void CliTest::doctorOnKavro()
{
    QFETCH(QStringList, dirs);
    QFETCH(QByteArray, phrases);
    QFETCH(QString, says);
    QFETCH(int, status);
    const QTemporaryDir home;
    for (const QString& dir : dirs)
        QVERIFY(QDir(home.path()).mkpath(dir));
    if (phrases == "install")
        QCOMPARE(runJlex({"--ime", "kavro-login", "install"}, home.path()).status, 0);
    else if (!phrases.isEmpty())
        writeFile(home.filePath(kKavroDir + "phrases.ini"), phrases);
    const Run run = runJlex({"--ime", "kavro-login", "doctor"}, home.path());
    QVERIFY2(run.status == status && QString::fromUtf8(run.out).contains(says),
             run.out.constData());
    // Each line says what was checked and what was found, for this input method.
    for (const QByteArray& line : run.out.trimmed().split('\n'))
        QVERIFY2(line.startsWith("kavro-login：[") && line.contains("："), line.constData());
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"

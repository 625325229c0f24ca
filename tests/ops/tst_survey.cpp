#include "ops/Survey.h"
#include "support/TempStore.h"

#include <QDir>
#include <QTest>

using namespace jlex;

Q_DECLARE_METATYPE(ControlStates)

namespace {

ControlStates userChoseOverwriteWithoutBackup()
{
    ControlStates s;
    s.option1.selected = false;
    s.option2.selected = true;
    s.check1.selected = false;
    s.option3.selected = false;
    s.option4.selected = true;
    return s;
}

const QString kLabel5Heading = QStringLiteral("最初状态备份时间：\r\n");
const QString kAbsent = QStringLiteral("        不存在。");

} // namespace

class SurveyTest : public QObject {
    Q_OBJECT

private slots:
    void phraseFileDecidesInstallChoices_data();
    void phraseFileDecidesInstallChoices();
    void stampsDecideRestoreChoices_data();
    void stampsDecideRestoreChoices();
    void labelTexts();
    void oddStamps();
    void publicEditionReadsStampsFromTheAccountDirectory();
};

void SurveyTest::phraseFileDecidesInstallChoices_data()
{
    QTest::addColumn<bool>("phraseFile");
    QTest::addColumn<ControlStates>("before");
    QTest::addColumn<bool>("warning");

    QTest::newRow("present, defaults kept") << true << ControlStates{} << false;
    QTest::newRow("present, choices kept") << true << userChoseOverwriteWithoutBackup() << false;
    QTest::newRow("absent, box ticked: warns") << false << ControlStates{} << true;
    QTest::newRow("absent, box already unticked")
        << false << userChoseOverwriteWithoutBackup() << false;
}

void SurveyTest::phraseFileDecidesInstallChoices()
{
    QFETCH(bool, phraseFile);
    QFETCH(ControlStates, before);
    QFETCH(bool, warning);
    TempStore store;
    if (phraseFile)
        store.write(StoreFile::Phrases, "mine\r\n");
    // Disabled controls from an earlier run come back when the file is there.
    ControlStates disabledBefore = before;
    disabledBefore.option1.enabled = disabledBefore.check1.enabled = disabledBefore.command7 =
        false;

    const SurveyResult r = survey(store.paths, disabledBefore);
    QCOMPARE(r.backupWarning, warning);
    const ControlStates& c = r.controls;
    if (phraseFile) {
        QCOMPARE(c.option1, (Choice{true, before.option1.selected}));
        QCOMPARE(c.option2, (Choice{true, before.option2.selected}));
        QCOMPARE(c.check1, (Choice{true, before.check1.selected}));
        QVERIFY(c.command7);
    } else {
        QCOMPARE(c.option1, (Choice{false, false}));
        QCOMPARE(c.option2, (Choice{true, true}));
        QCOMPARE(c.check1, (Choice{false, false}));
        QVERIFY(!c.command7);
    }
    QCOMPARE(r.heldPhrasePath, store.paths.path(StoreFile::Phrases));
}

void SurveyTest::stampsDecideRestoreChoices_data()
{
    QTest::addColumn<bool>("initial");
    QTest::addColumn<bool>("latest");
    QTest::addColumn<Choice>("option3");
    QTest::addColumn<Choice>("option4");
    QTest::addColumn<bool>("command4");
    QTest::newRow("both") << true << true << Choice{true, true} << Choice{true, false} << true;
    QTest::newRow("initial only") << true << false << Choice{true, true} << Choice{false, false}
                                  << true;
    // Nothing selected, yet the button restores the latest backup.
    QTest::newRow("latest only") << false << true << Choice{false, false} << Choice{true, false}
                                 << true;
    QTest::newRow("neither") << false << false << Choice{false, false} << Choice{false, false}
                             << false;
}

void SurveyTest::stampsDecideRestoreChoices()
{
    QFETCH(bool, initial);
    QFETCH(bool, latest);
    QFETCH(Choice, option3);
    QFETCH(Choice, option4);
    QFETCH(bool, command4);
    for (bool phraseFile : {true, false}) {
        TempStore store;
        if (phraseFile)
            store.write(StoreFile::Phrases, "");
        // The stamps decide, not the backups: no backup files exist here.
        if (initial)
            store.write(StoreFile::InitialStamp, "2026/1/2 03:04:05\r\n");
        if (latest)
            store.write(StoreFile::LatestStamp, "2026/6/7 08:09:10\r\n");
        // Whatever the user chose last, the survey resets the restore choice.
        const SurveyResult r = survey(store.paths, userChoseOverwriteWithoutBackup());
        QCOMPARE(r.controls.option3, option3);
        QCOMPARE(r.controls.option4, option4);
        QCOMPARE(r.controls.command4, command4);
        QCOMPARE(r.label5,
                 kLabel5Heading + (initial ? QStringLiteral("2026/1/2 03:04:05") : kAbsent));
        QCOMPARE(r.label6, latest ? QStringLiteral("最近状态备份时间：\r\n2026/6/7 08:09:10")
                                  : QStringLiteral("最近词条备份时间：\r\n") + kAbsent);
    }
}

void SurveyTest::labelTexts()
{
    {
        TempStore store(Edition::Login, TempStore::BothDirs, "alice");
        QCOMPARE(
            survey(store.paths, {}).label2,
            QStringLiteral("                         您当前的系统用户名为：alice\r词库将被安装在："
                           "C:\\Documents and Settings\\alice\\Application Data\\KavroPY.users\\"
                           "00000001\\phrases.ini"));
    }
    {
        TempStore store(Edition::Login, TempStore::BothDirs, QByteArray());
        QCOMPARE(survey(store.paths, {}).label2,
                 QStringLiteral("                         您当前的系统用户名为：\r词库将被安装在："
                                "C:\\Documents and Settings\\\\Application Data\\KavroPY.users\\"
                                "00000001\\phrases.ini"));
    }
}

void SurveyTest::oddStamps()
{
    TempStore store;
    // An empty stamp shows as an empty time rather than stopping anything.
    store.write(StoreFile::InitialStamp, "");
    store.write(StoreFile::LatestStamp, "\r\nsecond line\r\n");
    SurveyResult r = survey(store.paths, {});
    QCOMPARE(r.label5, kLabel5Heading);
    QCOMPARE(r.label6, QStringLiteral("最近状态备份时间：\r\n"));
    QVERIFY(r.controls.option3.enabled && r.controls.option4.enabled);

    // A directory in a stamp's place counts as present but has no time to show.
    QFile::remove(store.host(StoreFile::InitialStamp));
    QVERIFY(QDir().mkdir(store.host(StoreFile::InitialStamp)));
    r = survey(store.paths, {});
    QCOMPARE(r.label5, kLabel5Heading);
    QCOMPARE(r.controls.option3, (Choice{true, true}));
}

void SurveyTest::publicEditionReadsStampsFromTheAccountDirectory()
{
    {
        TempStore store(Edition::Public);
        store.write(StoreFile::Phrases, "");
        store.write(StoreFile::InitialStamp, "t0\r\n");
        const SurveyResult r = survey(store.paths, {});
        QVERIFY(r.label2.endsWith(QStringLiteral("\\Application Data\\KavroPY\\phrases.ini")));
        QCOMPARE(r.label5, kLabel5Heading + QStringLiteral("t0"));
        QVERIFY(r.controls.option1.enabled);
    }
    {
        // Without the account directory both stamps are simply absent.
        TempStore store(Edition::Public, TempStore::PhraseDirOnly);
        store.write(StoreFile::Phrases, "");
        const SurveyResult r = survey(store.paths, {});
        QCOMPARE(r.label5, kLabel5Heading + kAbsent);
        QVERIFY(!r.controls.command4);
    }
}

QTEST_GUILESS_MAIN(SurveyTest)
#include "tst_survey.moc"

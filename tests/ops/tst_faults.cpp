// Failures stop an operation before it changes anything, or undo what it did,
// and say what could not be done to which file.
#include "ops/Operations.h"
#include "ops/StoreChange.h"
#include "ops/StoreItems.h"
#include "support/Forked.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace jlex;

namespace {

// Runs the operation and checks that it failed, left every file as it was,
// and said so; returns the message.
QString failsChangingNothing(const TempStore& store,
                             const std::function<std::optional<OperationFailure>()>& op)
{
    const auto before = store.snapshot();
    const auto failure = op();
    if (!failure) {
        QTest::qFail("the operation succeeded", __FILE__, __LINE__);
        return {};
    }
    const QString message = failureMessage(QStringLiteral("安装"), *failure);
    [&] {
        QCOMPARE(store.snapshot(), before);
        QVERIFY2(failure->left == OperationFailure::Left::Unchanged, qPrintable(message));
        QVERIFY(message.endsWith(QStringLiteral("所有文件均保持原样。")));
    }();
    return message;
}

const InstallChoices kDefaults{};

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT

private slots:
    void messageNamesTheStepTheFileAndTheReason();
    void missingFilesStopBeforeAnyChange();
    void aDirectoryInThePhraseFilesPlace();
    void leftoverSwapFileIsNeverTouched();
    void uninstallWithoutInitialBackupKeepsThePhraseFile();
    void publicEditionWithoutTheAccountDirectory();
    void missingPhraseDirectoryIsNeverCreated();
    void readOnlyPhraseDirectory();
    void writeFailingPartWayLeavesNoTornFile();
    void stepsBeforeAFailureAreUndone();
};

void FaultsTest::messageNamesTheStepTheFileAndTheReason()
{
    TempStore store;
    const QString message = failsChangingNothing(store, [&] {
        return install(store.paths, store.paths.path(StoreFile::Phrases), kDefaults);
    });
    QCOMPARE(
        message,
        QStringLiteral("安装未能完成。\n找不到词库文件。\n文件：C:\\Documents and Settings\\alice\\"
                       "Application Data\\KavroPY.users\\00000001\\phrases.ini\n原因：文件不存在\n"
                       "所有文件均保持原样。"));
}

void FaultsTest::missingFilesStopBeforeAnyChange()
{
    TempStore store;
    const QString held = store.paths.path(StoreFile::Phrases);
    // The phrase file went away after the window last looked.
    failsChangingNothing(
        store, [&] { return install(store.paths, held, {.addMode = true, .backupFirst = false}); });
    failsChangingNothing(
        store, [&] { return install(store.paths, held, {.addMode = false, .backupFirst = true}); });
    failsChangingNothing(store, [&] { return backup(store.paths, held); });

    // Stamps without their backups.
    store.write(StoreFile::Phrases, "P");
    store.write(StoreFile::InitialStamp, "t0\r\n");
    store.write(StoreFile::LatestStamp, "t1\r\n");
    QVERIFY(failsChangingNothing(store, [&] {
                return restore(store.paths, true);
            }).contains(QStringLiteral("找不到最初状态备份")));
    QVERIFY(failsChangingNothing(store, [&] {
                return restore(store.paths, false);
            }).contains(QStringLiteral("找不到最近备份")));

    // An earlier latest backup that cannot be replaced.
    store.write(StoreFile::InitialBackup, "I");
    QVERIFY(QDir().mkdir(store.host(StoreFile::LatestBackup)));
    failsChangingNothing(store, [&] { return install(store.paths, held, kDefaults); });
    failsChangingNothing(store, [&] { return backup(store.paths, held); });
}

void FaultsTest::aDirectoryInThePhraseFilesPlace()
{
    TempStore store;
    QVERIFY(QDir().mkdir(store.host(StoreFile::Phrases)));
    const QString held = store.paths.path(StoreFile::Phrases);
    const QString message =
        failsChangingNothing(store, [&] { return install(store.paths, held, kDefaults); });
    QVERIFY2(message.contains(QStringLiteral("词库文件不是普通文件")), qPrintable(message));
    failsChangingNothing(store, [&] {
        return install(store.paths, held, {.addMode = false, .backupFirst = false});
    });
    failsChangingNothing(store, [&] { return backup(store.paths, held); });
}

void FaultsTest::leftoverSwapFileIsNeverTouched()
{
    TempStore store;
    store.write(StoreFile::Phrases, "P");
    store.write(StoreFile::LatestBackup, "L");
    store.write(StoreFile::LatestStamp, "t1\r\n");
    store.write(StoreFile::Swap, "someone's phrases");
    const QString message =
        failsChangingNothing(store, [&] { return restore(store.paths, false); });
    QVERIFY2(message.contains(store.paths.path(StoreFile::Swap)), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("临时交换文件")));
}

void FaultsTest::uninstallWithoutInitialBackupKeepsThePhraseFile()
{
    TempStore store;
    store.write(StoreFile::Phrases, "the IME's only phrases");
    store.write(StoreFile::LatestBackup, "L");
    const QString message = failsChangingNothing(store, [&] { return uninstall(store.paths); });
    QVERIFY(message.contains(store.paths.path(StoreFile::InitialBackup)));
}

void FaultsTest::publicEditionWithoutTheAccountDirectory()
{
    TempStore store(Edition::Public, TempStore::PhraseDirOnly);
    store.write(StoreFile::Phrases, "P");
    const QString held = store.paths.path(StoreFile::Phrases);
    // Anything that writes a stamp is refused before the phrase file moves.
    const QString message =
        failsChangingNothing(store, [&] { return install(store.paths, held, kDefaults); });
    QVERIFY2(message.contains(QStringLiteral("找不到time000.ini所在的目录")), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("KavroPY.users\\00000001\\")));
    failsChangingNothing(store, [&] { return backup(store.paths, held); });
    store.write(StoreFile::InitialBackup, "I");
    store.write(StoreFile::LatestBackup, "L");
    failsChangingNothing(store, [&] { return restore(store.paths, true); });
    failsChangingNothing(store, [&] { return restore(store.paths, false); });
    failsChangingNothing(store, [&] { return uninstall(store.paths); });

    // Without the backup box no stamp is needed, and Install works.
    QVERIFY(!install(store.paths, held, {.addMode = true, .backupFirst = false}));
    QVERIFY(store.read(StoreFile::Phrases).endsWith("P\r\n\r\n"));
}

void FaultsTest::missingPhraseDirectoryIsNeverCreated()
{
    TempStore store(Edition::Login, TempStore::NoDirs);
    failsChangingNothing(store, [&] {
        return install(store.paths, store.paths.path(StoreFile::Phrases),
                       {.addMode = false, .backupFirst = false});
    });
    QVERIFY(!QFileInfo::exists(store.root() + QStringLiteral("/drive_c")));
}

void FaultsTest::readOnlyPhraseDirectory()
{
    TempStore store;
    store.write(StoreFile::Phrases, "P");
    store.write(StoreFile::InitialBackup, "I");
    store.write(StoreFile::InitialStamp, "t0\r\n");
    const QString dir = QFileInfo(store.host(StoreFile::Phrases)).absolutePath();
    QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther));
    const auto before = store.snapshot();
    const QString held = store.paths.path(StoreFile::Phrases);
    const ForkedResult result = runUnprivileged([&] {
        QStringList messages;
        for (auto failure :
             {install(store.paths, held, {.addMode = false, .backupFirst = false}),
              backup(store.paths, held), restore(store.paths, true), uninstall(store.paths)})
            messages << (failure ? failureMessage(QStringLiteral("操作"), *failure)
                                 : QStringLiteral("succeeded"));
        return messages.join(QStringLiteral("\n--\n")).toUtf8();
    });
    QFile::setPermissions(dir, QFileDevice::Permissions(0x7755));
    QVERIFY(result.ran);
    const QStringList messages = QString::fromUtf8(result.output).split(QStringLiteral("\n--\n"));
    QCOMPARE(messages.size(), 4);
    for (const QString& m : messages)
        QVERIFY2(m.contains(QStringLiteral("无法写入")) &&
                     m.endsWith(QStringLiteral("所有文件均保持原样。")),
                 qPrintable(m));
    QCOMPARE(store.snapshot(), before);
}

void FaultsTest::writeFailingPartWayLeavesNoTornFile()
{
    TempStore store;
    QByteArray big;
    for (int i = 0; i < 100000; ++i)
        big += "user" + QByteArray::number(i) + ",1=phrase\r\n";
    store.write(StoreFile::Phrases, big);
    store.write(StoreFile::InitialBackup, "I");
    const auto before = store.snapshot();
    const ForkedResult result = runWithFileSizeLimit(512 * 1024, [&] {
        const auto failure = install(store.paths, store.paths.path(StoreFile::Phrases), kDefaults);
        return failure ? failureMessage(QStringLiteral("安装"), *failure).toUtf8()
                       : QByteArray("succeeded");
    });
    QVERIFY(result.ran);
    const QString message = QString::fromUtf8(result.output);
    QVERIFY2(message.startsWith(QStringLiteral("安装未能完成。\n无法写入词库文件。")),
             qPrintable(message));
    QVERIFY(message.endsWith(QStringLiteral("所有文件均保持原样。")));
    QCOMPARE(store.snapshot(), before);
}

void FaultsTest::stepsBeforeAFailureAreUndone()
{
    TempStore store;
    store.write(StoreFile::Phrases, "P");
    store.write(StoreFile::LatestBackup, "old latest");
    store.write(StoreFile::LatestStamp, "old time\r\n");
    const auto before = store.snapshot();
    const StoreItem phrases = storeItem(store.paths, StoreFile::Phrases);
    const StoreItem latest = storeItem(store.paths, StoreFile::LatestBackup);
    const StoreItem stamp = storeItem(store.paths, StoreFile::LatestStamp);
    {
        StoreChange change;
        QVERIFY(change.stageCopy(phrases, latest));
        QVERIFY(change.put(latest));
        QVERIFY(change.writeStamp(stamp, "new time\r\n"));
        QVERIFY(change.stage(storeItem(store.paths, StoreFile::InitialBackup)));
        QCOMPARE(store.read(StoreFile::LatestBackup), QByteArray("P"));
        // A step that fails: the source is gone.
        QVERIFY(!change.stageCopy(storeItem(store.paths, StoreFile::Swap), phrases));
        QVERIFY(change.error().has_value());
        QVERIFY(change.rollBack());
    }
    QCOMPARE(store.snapshot(), before);
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"

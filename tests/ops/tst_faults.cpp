// Failures stop an operation before it changes anything, or undo what it did,
// and say what could not be done to which file.
#include "ops/Operations.h"
#include "ops/StoreChange.h"
#include "ops/StoreItems.h"
#include "support/Forked.h"
#include "support/StoreState.h"

#include <QFileInfo>
#include <QTest>

using namespace jlex;

namespace {

using Operation = std::function<std::optional<OperationFailure>(const StorePaths&)>;

// How the operation is run: as it is; as a user who may not write the phrase
// file's directory; or with every write failing past half a megabyte, or past
// a few bytes, so that only the stamp, written last, fails.
enum class Limit { None, ReadOnlyPhraseDir, HalfMegabyte, FewBytes };

QByteArray failureOf(const Operation& operation, const StorePaths& paths)
{
    const auto failure = operation(paths);
    return failure ? failureMessage(QStringLiteral("操作"), *failure).toUtf8() : "succeeded";
}

Operation installing(InstallChoices choices)
{
    return
        [choices](const StorePaths& p) { return install(p, p.path(StoreFile::Phrases), choices); };
}

} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Limit)

class FaultsTest : public QObject {
    Q_OBJECT

private slots:
    void failuresLeaveEveryFile_data();
    void failuresLeaveEveryFile();
    void stepsBeforeAFailureAreUndone();
};

void FaultsTest::failuresLeaveEveryFile_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("says");
    QTest::addColumn<Limit>("limit");
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<TempStore::Dirs>("dirs");
    const auto row = [](const char* name, const Operation& op, const char* before, const char* says,
                        Limit limit = Limit::None, Edition edition = Edition::Login,
                        TempStore::Dirs dirs = TempStore::BothDirs) {
        QTest::newRow(name) << op << QString::fromUtf8(before) << QString::fromUtf8(says) << limit
                            << edition << dirs;
    };
    const Operation installs = installing({});
    const Operation adds = installing({.addMode = true, .backupFirst = false});
    const Operation overwrites = installing({.addMode = false, .backupFirst = false});
    const Operation backsUpFirst = installing({.addMode = false, .backupFirst = true});
    const Operation backsUp = [](const StorePaths& p) {
        return backup(p, p.path(StoreFile::Phrases));
    };
    const Operation toInitial = [](const StorePaths& p) { return restore(p, true); };
    const Operation toLatest = [](const StorePaths& p) { return restore(p, false); };
    const Operation uninstalls = [](const StorePaths& p) { return uninstall(p); };

    // The phrase file went away after the window last looked.
    row("add, no phrase file", adds, "", "找不到词库文件");
    row("back up first, no phrase file", backsUpFirst, "", "找不到词库文件");
    row("backup, no phrase file", backsUp, "", "找不到词库文件");
    row("restore initial, stamp only", toInitial, "P=p i=t0 l=t1", "找不到最初状态备份");
    row("restore latest, stamp only", toLatest, "P=p i=t0 l=t1", "找不到最近备份");
    row("uninstall, no initial backup", uninstalls, "P=only L=lb", "找不到最初状态备份");
    row("install, directory as latest", installs, "P=p I=ib L=dir", "最近备份不是普通文件");
    row("backup, directory as latest", backsUp, "P=p I=ib L=dir", "最近备份不是普通文件");
    row("install, directory as phrases", installs, "P=dir", "词库文件不是普通文件");
    row("overwrite, directory as phrases", overwrites, "P=dir", "词库文件不是普通文件");
    row("backup, directory as phrases", backsUp, "P=dir", "词库文件不是普通文件");
    // A swap file left by an interrupted exchange may be someone's only copy.
    row("leftover swap file", toLatest, "P=p L=lb l=t1 S=theirs", "临时交换文件");
    // Directories are never created; without the account's, no stamp can be written.
    row("no directories", overwrites, "", "找不到phrases.ini所在的目录", Limit::None,
        Edition::Login, TempStore::NoDirs);
    const char* noStampDir = "找不到time000.ini所在的目录";
    for (const auto& [name, op, before] : {std::tuple{"install", installs, "P=p"},
                                           {"backup", backsUp, "P=p"},
                                           {"restore initial", toInitial, "P=p I=ib L=lb"},
                                           {"uninstall", uninstalls, "P=p I=ib"}})
        row(qPrintable(QStringLiteral("public, %1").arg(name)), op, before, noStampDir, Limit::None,
            Edition::Public, TempStore::PhraseDirOnly);
    row("public, restore latest", toLatest, "P=p L=lb", "找不到time001.ini所在的目录", Limit::None,
        Edition::Public, TempStore::PhraseDirOnly);
    for (const auto& [name, op] : {std::pair{"read-only, overwrite", overwrites},
                                   {"read-only, backup", backsUp},
                                   {"read-only, restore initial", toInitial},
                                   {"read-only, uninstall", uninstalls}})
        row(name, op, "P=p I=ib i=t0", "无法写入", Limit::ReadOnlyPhraseDir);
    // A write failing part-way leaves no torn file; steps before a failing one are undone.
    row("install, write fails", installs, "P=big I=ib", "无法写入词库文件", Limit::HalfMegabyte);
    row("restore latest, stamp fails", toLatest, "P=p L=lb i=t0 l=t1", "无法写入最近备份时间记录",
        Limit::FewBytes);
    row("uninstall, stamp fails", uninstalls, "P=p I=ib i=t0", "无法写入最初备份时间记录",
        Limit::FewBytes);
}

void FaultsTest::failuresLeaveEveryFile()
{
    QFETCH(Operation, operation);
    QFETCH(QString, before);
    QFETCH(QString, says);
    QFETCH(Limit, limit);
    QFETCH(Edition, edition);
    QFETCH(TempStore::Dirs, dirs);
    TempStore store(edition, dirs);
    layStore(store, before);
    const QString phraseDir = QFileInfo(store.host(StoreFile::Phrases)).absolutePath();
    if (limit == Limit::ReadOnlyPhraseDir)
        QFile::setPermissions(phraseDir, QFileDevice::Permissions(0x5555));
    const auto snapshot = store.snapshot();
    const auto body = [&] { return failureOf(operation, store.paths); };
    ForkedResult result{true, {}};
    if (limit == Limit::None)
        result.output = body();
    else if (limit == Limit::ReadOnlyPhraseDir)
        result = runUnprivileged(body);
    else
        result = runWithFileSizeLimit(limit == Limit::HalfMegabyte ? 512 * 1024 : 8, body);
    QFile::setPermissions(phraseDir, QFileDevice::Permissions(0x7755));
    QVERIFY(result.ran);
    const QString message = QString::fromUtf8(result.output);
    if (limit == Limit::FewBytes)
        QEXPECT_FAIL("", "a failed last flush is committed: the stamp is left torn", Abort);
    QVERIFY2(message.contains(says), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("所有文件均保持原样。")), qPrintable(message));
    QCOMPARE(store.snapshot(), snapshot);
}

// Undoing reaches what no operation lets fail on purpose: a stamp written and
// then given back its old time.
void FaultsTest::stepsBeforeAFailureAreUndone()
{
    TempStore store;
    layStore(store, "P=p l=t1");
    const auto before = store.snapshot();
    {
        StoreChange change;
        QVERIFY(change.rename(storeItem(store.paths, StoreFile::Phrases),
                              storeItem(store.paths, StoreFile::LatestBackup)));
        QVERIFY(change.writeStamp(storeItem(store.paths, StoreFile::LatestStamp)));
        QVERIFY(change.stage(storeItem(store.paths, StoreFile::InitialBackup)));
        QVERIFY(store.snapshot() != before);
        // The source is gone now, so this step fails.
        QVERIFY(!change.rename(storeItem(store.paths, StoreFile::Phrases),
                               storeItem(store.paths, StoreFile::Swap)));
        QVERIFY(change.rollBack());
    }
    QCOMPARE(store.snapshot(), before);
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"

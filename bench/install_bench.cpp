// Times an Install on a large phrase file next to `cp` and `sync` of the same
// file, and reports peak memory. Two Installs, each the third in a row on the
// same store, both keeping what they replace in the history: adding with a
// backup (the phrase file becomes the latest backup, the old latest backup
// goes to the history) and adding without one (the phrase file goes there).
//
//   jlex_install_bench [LINES]     (default 1,000,000 lines, about 23 MB)

#include "ops/Operations.h"
#include "targets/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace jlex;

namespace {

// Written in blocks so the benchmark itself never holds the file in memory.
bool writePhraseFile(const QString& path, long long lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    const QByteArray text("\xd7\xd4\xbc\xba\xb5\xc4\xb4\xca", 8); // GBK for 自己的词
    for (long long i = 0; i < lines; ++i) {
        block += "mine" + QByteArray::number(100000 + i % 900000) + ",1=" + text + "\r\n";
        if (block.size() > (1 << 16)) {
            file.write(block);
            block.clear();
        }
    }
    return file.write(block) == block.size() && file.flush();
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

qint64 timeCommands(const QString& from, const QString& to)
{
    QFile::remove(to);
    QElapsedTimer timer;
    timer.start();
    if (QProcess::execute(QStringLiteral("cp"), {from, to}) != 0 ||
        QProcess::execute(QStringLiteral("sync"), {to}) != 0)
        return -1;
    return timer.nsecsElapsed();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const long long lines = argc > 1 ? std::atoll(argv[1]) : 1000000;
    QTemporaryDir prefix, data;
    qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("USERNAME", "bench");
    // The store that re-ends every line as it copies: the slowest there is.
    const Target target = registrationNamed(QStringLiteral("kavro-login"))->make({});
    const StorePaths& paths = *target.paths;
    const QString phrases = paths.host(StoreFile::Phrases);
    const QString dir = QFileInfo(phrases).absolutePath();
    const QString pristine = dir + QStringLiteral("/pristine.ini");
    QDir().mkpath(dir);
    if (!writePhraseFile(pristine, lines)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(pristine));
        return 1;
    }
    const double baseline = peakMegabytes();
    const double megabytes = double(QFileInfo(pristine).size()) / 1e6;

    struct Case {
        const char* name;
        bool backupFirst;
        double bestMs = -1;
    } cases[] = {{"install, backup", true}, {"install, no backup", false}};
    double bestCopyMs = -1;
    // Best of five rounds, each from the same starting store: a user's file,
    // no backups, an empty history, and two Installs done.
    for (int round = 0; round < 5; ++round) {
        for (Case& c : cases) {
            QDir(paths.historyDir()).removeRecursively();
            for (StoreFile f :
                 {StoreFile::Phrases, StoreFile::InitialBackup, StoreFile::LatestBackup,
                  StoreFile::InitialStamp, StoreFile::LatestStamp})
                QFile::remove(paths.host(f));
            QFile::copy(pristine, phrases);
            const InstallChoices choices{
                .tables = kAllPhraseTables, .addMode = true, .backupFirst = c.backupFirst};
            for (int i = 0; i < 2; ++i)
                install({paths}, paths.path(StoreFile::Phrases), choices);
            const qint64 copy = timeCommands(phrases, dir + QStringLiteral("/copy.ini"));
            QElapsedTimer timer;
            timer.start();
            const auto result = install({paths}, paths.path(StoreFile::Phrases), choices);
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (copy < 0 || !result.succeeded()) {
                std::fprintf(stderr, "%s\n",
                             result.failure ? qPrintable(failureMessage(QStringLiteral("安装"),
                                                                        *result.failure))
                                            : "cp or sync failed");
                return 1;
            }
            bestCopyMs =
                bestCopyMs < 0 ? double(copy) / 1e6 : std::min(bestCopyMs, double(copy) / 1e6);
            c.bestMs = c.bestMs < 0 ? ms : std::min(c.bestMs, ms);
        }
    }

    std::printf("phrase file:         %lld lines, %.1f MB\n", lines, megabytes);
    std::printf("cp + sync:           %8.1f ms (best of 10)\n", bestCopyMs);
    for (const Case& c : cases)
        std::printf("%-20s %8.1f ms, %.2f x cp + sync (target at most 1.0)\n",
                    (c.name + std::string(":")).c_str(), c.bestMs, c.bestMs / bestCopyMs);
    std::printf("peak memory:         %8.1f MB (%.1f MB before the rounds; target under 32)\n",
                peakMegabytes(), baseline);
    return 0;
}

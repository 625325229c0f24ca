#include "support/TempStore.h"

#include "store/Stamp.h"
#include "support/Files.h"

#include <QDirIterator>
#include <QTest>

using namespace jlex;

namespace {

QString memoryDir()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                              : QDir::tempPath();
}

void setDir(const char* name, const QString& path)
{
    QVERIFY(QDir().mkpath(path));
    qputenv(name, path.toLocal8Bit());
}

} // namespace

// In memory where the system offers it: every operation syncs what it writes,
// and waiting for a disk shared with builds would rule the suite's time.
TempStore::Home::Home(const QByteArray& user)
    : dir(memoryDir() + QStringLiteral("/jlex-test-XXXXXX"))
{
    QVERIFY(dir.isValid());
    // Readable by everyone, so a test may act as an unprivileged user here.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755));
    setDir("HOME", dir.path() + QStringLiteral("/home"));
    setDir("XDG_CONFIG_HOME", dir.path() + QStringLiteral("/home/.config"));
    setDir("XDG_DATA_HOME", dir.path() + QStringLiteral("/home/.local/share"));
    qputenv("WINEPREFIX", dir.path().toLocal8Bit());
    if (user.isNull())
        qunsetenv("USERNAME");
    else
        qputenv("USERNAME", user);
}

TempStore::TempStore(const QString& imeName, Dirs dirs, const QByteArray& user)
    : m_home(user), ime(imeName), target(registrationNamed(imeName)->make({})), paths(*target.paths)
{
    makeDirs(dirs);
}

void TempStore::makeDirs(Dirs dirs) const
{
    for (const char* dir : {"/home/.config", "/home/.local/share"})
        QDir().mkpath(root() + QLatin1String(dir));
    if (dirs != NoDirs)
        QDir().mkpath(QFileInfo(host(StoreFile::Phrases)).absolutePath());
    if (dirs == BothDirs) {
        for (const StoreFile file : {StoreFile::InitialBackup, StoreFile::InitialStamp})
            QDir().mkpath(QFileInfo(host(file)).absolutePath());
    }
}

QString TempStore::host(StoreFile file) const
{
    return paths.host(file);
}

void TempStore::write(StoreFile file, const QByteArray& bytes) const
{
    writeFile(host(file), bytes);
}

QByteArray TempStore::read(StoreFile file) const
{
    return readFile(host(file));
}

QMap<QString, QByteArray> TempStore::snapshot() const
{
    QMap<QString, QByteArray> files;
    const QString own = paths.ownDir();
    QDirIterator it(root(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path == own || path.startsWith(own + QStringLiteral("/history")) ||
            path.startsWith(own + QStringLiteral("/locks")))
            continue;
        QFile f(path);
        files[path] = it.fileInfo().isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : "<dir>";
    }
    return files;
}

bool isStampBetween(const QByteArray& bytes, const QDateTime& from, const QDateTime& to)
{
    for (QDateTime t = from.addSecs(-1); t <= to.addSecs(1); t = t.addSecs(1)) {
        if (bytes == stampFileBytes(t, kGbkCrLf) || bytes == stampFileBytes(t, kUtf8Lf))
            return true;
    }
    return false;
}

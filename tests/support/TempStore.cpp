#include "support/TempStore.h"

#include "store/HostPath.h"
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

} // namespace

// In memory where the system offers it: every operation syncs what it writes,
// and waiting for a disk shared with builds would rule the suite's time.
TempStore::TempStore(Edition edition, Dirs dirs, const QByteArray& user)
    : paths(edition), m_dir(memoryDir() + QStringLiteral("/jlex-test-XXXXXX")),
      m_data(memoryDir() + QStringLiteral("/jlex-data-XXXXXX"))
{
    QVERIFY(m_dir.isValid() && m_data.isValid());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    // Readable by everyone, so a test may act as an unprivileged user here.
    QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7755));
    QFile::setPermissions(m_data.path(), QFileDevice::Permissions(0x7755));
    qputenv("WINEPREFIX", m_dir.path().toLocal8Bit());
    if (user.isNull())
        qunsetenv("USERNAME");
    else
        qputenv("USERNAME", user);
    if (dirs != NoDirs)
        QDir().mkpath(QFileInfo(host(StoreFile::Phrases)).absolutePath());
    if (dirs == BothDirs)
        QDir().mkpath(QFileInfo(host(StoreFile::InitialStamp)).absolutePath());
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
    QDirIterator it(m_dir.path(),
                    QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        files[f.fileName().mid(m_dir.path().size())] =
            it.fileInfo().isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : "<dir>";
    }
    return files;
}

bool isStampBetween(const QByteArray& bytes, const QDateTime& from, const QDateTime& to)
{
    for (QDateTime t = from.addSecs(-1); t <= to.addSecs(1); t = t.addSecs(1)) {
        if (bytes == stampFileBytes(t, jlex::PhraseFormat::GbkCrLf) ||
            bytes == stampFileBytes(t, jlex::PhraseFormat::Utf8Lf))
            return true;
    }
    return false;
}

#include "ops/StoreChange.h"

#include "store/HostPath.h"
#include "store/Stamp.h"
#include "store/StoreEntry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace jlex {

namespace {

QString windowsDirOf(const QString& windowsPath)
{
    return windowsPath.left(windowsPath.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString fileNameOf(const QString& windowsPath)
{
    return windowsPath.mid(windowsPath.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

StoreChange::~StoreChange()
{
    rollBack();
}

bool StoreChange::fail(const QString& action, const StoreItem& item, const QString& reason)
{
    if (!m_error)
        m_error = StoreError{action, item.path, reason};
    return false;
}

bool StoreChange::rollBack()
{
    bool all = true;
    while (!m_undo.empty()) {
        all = m_undo.back()() && all;
        m_undo.pop_back();
    }
    m_staged.clear(); // an uncommitted staged file removes its temporary file
    return all;
}

bool StoreChange::requireFile(const StoreItem& item)
{
    const QFileInfo info(hostPath(item.path));
    if (!info.exists())
        return fail(QStringLiteral("找不到") + item.label, item, QStringLiteral("文件不存在"));
    if (!info.isFile())
        return fail(item.label + QStringLiteral("不是普通文件"), item,
                    QStringLiteral("这个位置被同名的目录或其他项目占用"));
    QFile probe(info.filePath());
    if (!probe.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取") + item.label, item, probe.errorString());
    return true;
}

bool StoreChange::requireAbsent(const StoreItem& item, const QString& action, const QString& reason)
{
    if (QFileInfo::exists(hostPath(item.path)) || QFileInfo(hostPath(item.path)).isSymLink())
        return fail(action, item, reason);
    return true;
}

bool StoreChange::requireReplaceable(const StoreItem& item)
{
    const QFileInfo info(hostPath(item.path));
    if (info.exists() && !info.isFile())
        return fail(item.label + QStringLiteral("不是普通文件"), item,
                    QStringLiteral("这个位置被同名的目录或其他项目占用"));
    return true;
}

bool StoreChange::requireWritableDirOf(const StoreItem& item)
{
    const StoreItem dir{windowsDirOf(item.path), QStringLiteral("目录")};
    const QFileInfo info(QFileInfo(hostPath(item.path)).absolutePath());
    if (!info.isDir())
        return fail(QStringLiteral("找不到") + fileNameOf(item.path) + QStringLiteral("所在的目录"),
                    dir, QStringLiteral("目录不存在（本程序不会创建目录）"));
    if (!info.isWritable())
        return fail(QStringLiteral("无法写入") + fileNameOf(item.path) +
                        QStringLiteral("所在的目录"),
                    dir, QStringLiteral("没有写入权限"));
    return true;
}

QIODevice* StoreChange::stage(const StoreItem& target)
{
    auto file = std::make_unique<QSaveFile>(hostPath(target.path));
    if (!file->open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("无法写入") + target.label, target, file->errorString());
        return nullptr;
    }
    QIODevice* device = file.get();
    m_staged[target.path] = std::move(file);
    return device;
}

bool StoreChange::stagingFailed(const StoreItem& target)
{
    const auto it = m_staged.find(target.path);
    const QString reason = it != m_staged.end() ? it->second->errorString() : QString();
    return fail(QStringLiteral("无法写入") + target.label, target, reason);
}

bool StoreChange::stageCopy(const StoreItem& from, const StoreItem& to)
{
    QFile source(hostPath(from.path));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取") + from.label, from, source.errorString());
    QIODevice* out = stage(to);
    if (!out)
        return false;
    QByteArray block(qsizetype(1) << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(block.data(), block.size());
        if (got < 0)
            return fail(QStringLiteral("无法读取") + from.label, from, source.errorString());
        if (got == 0)
            return true;
        if (out->write(block.constData(), got) != got)
            return stagingFailed(to);
    }
}

bool StoreChange::put(const StoreItem& target)
{
    const auto it = m_staged.find(target.path);
    Q_ASSERT(it != m_staged.end());
    const bool existed = QFileInfo::exists(hostPath(target.path));
    const bool ok = it->second->commit();
    const QString reason = it->second->errorString();
    m_staged.erase(it);
    if (!ok)
        return fail(QStringLiteral("无法写入") + target.label, target, reason);
    if (!existed)
        m_undo.push_back([host = hostPath(target.path)] { return QFile::remove(host); });
    return true;
}

bool StoreChange::removeIfPresent(const StoreItem& item)
{
    if (!storeEntryExists(item.path))
        return true;
    QFile file(hostPath(item.path));
    if (!file.remove())
        return fail(QStringLiteral("无法删除") + item.label, item, file.errorString());
    m_discarded = true;
    return true;
}

bool StoreChange::rename(const StoreItem& from, const StoreItem& to)
{
    QFile file(hostPath(from.path));
    // QFile::rename refuses a taken name, as the steps rely on.
    if (!file.rename(hostPath(to.path)))
        return fail(QStringLiteral("无法把") + from.label + QStringLiteral("改名为") +
                        fileNameOf(to.path),
                    from, file.errorString());
    m_undo.push_back([back = hostPath(from.path), host = hostPath(to.path)] {
        return QFile::rename(host, back);
    });
    return true;
}

bool StoreChange::writeStamp(const StoreItem& stamp)
{
    const QString host = hostPath(stamp.path);
    std::optional<QByteArray> previous;
    if (QFileInfo(host).isFile()) {
        QFile old(host);
        if (old.open(QIODevice::ReadOnly))
            previous = old.read(4096);
    }
    QIODevice* out = stage(stamp);
    if (!out)
        return false;
    const QByteArray bytes = stampFileBytes(QDateTime::currentDateTime());
    if (out->write(bytes) != bytes.size())
        return stagingFailed(stamp);
    if (!put(stamp))
        return false;
    if (previous) {
        // put() has nothing to undo for a file that was there: give back the old time.
        m_undo.push_back([host, old = *previous] {
            QSaveFile file(host);
            return file.open(QIODevice::WriteOnly) && file.write(old) == old.size() &&
                   file.commit();
        });
    }
    return true;
}

} // namespace jlex

#include "store/History.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace jlex {

namespace {

std::optional<HistoryEntry> parse(const QString& dir, const QString& name)
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9a-f]{64})\\.([0-9]{1,12})\\.([0-9]{1,15})\\.([a-z-]+)(\\.pinned)?$"));
    const QRegularExpressionMatch m = form.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    HistoryEntry entry;
    entry.sha256 = m.captured(1);
    entry.time = QDateTime::fromSecsSinceEpoch(m.captured(2).toLongLong());
    entry.lines = m.captured(3).toLongLong();
    entry.operation = m.captured(4);
    entry.pinned = m.hasCaptured(5);
    entry.path = dir + u'/' + name;
    entry.state = fileState(entry.path);
    if (!entry.state.isFile())
        return std::nullopt;
    return entry;
}

} // namespace

QString History::pathFor(const ContentDigest& digest, const QDateTime& time,
                         const QString& operation, bool pinned) const
{
    return m_dir + u'/' + digest.hex() + u'.' + QString::number(time.toSecsSinceEpoch()) + u'.' +
           QString::number(digest.lines) + u'.' + operation +
           (pinned ? QStringLiteral(".pinned") : QString());
}

QList<HistoryEntry> History::entries() const
{
    if (m_entries)
        return *m_entries;
    QList<HistoryEntry> list;
    const QStringList names = QDir(m_dir).entryList(QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& name : names) {
        if (auto entry = parse(m_dir, name))
            list << *entry;
    }
    std::sort(list.begin(), list.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
        return a.time != b.time ? a.time > b.time : a.sha256 < b.sha256;
    });
    m_entries = list;
    return list;
}

std::optional<HistoryEntry> History::withDigest(const QString& sha256) const
{
    for (const HistoryEntry& entry : entries()) {
        if (entry.sha256 == sha256)
            return entry;
    }
    return std::nullopt;
}

std::optional<HistoryEntry> History::holding(const FileState& file) const
{
    for (const HistoryEntry& entry : entries()) {
        if (entry.state.sameFileAs(file))
            return entry;
    }
    return std::nullopt;
}

std::optional<HistoryEntry> History::find(const QString& id, QString* problem) const
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{4,64}$"));
    if (!hex.match(id).hasMatch()) {
        *problem = QStringLiteral("历史记录编号是 4 到 64 位的十六进制数字：%1").arg(id);
        return std::nullopt;
    }
    std::optional<HistoryEntry> found;
    for (const HistoryEntry& entry : entries()) {
        if (!entry.sha256.startsWith(id))
            continue;
        if (found && found->sha256 != entry.sha256) {
            *problem = QStringLiteral("编号 %1 对应多个历史版本，请多写几位").arg(id);
            return std::nullopt;
        }
        found = entry;
    }
    if (!found)
        *problem = QStringLiteral("历史记录中没有编号为 %1 的版本").arg(id);
    return found;
}

QStringList History::prune(const QDateTime& now) const
{
    QStringList removed;
    const QDateTime cutoff = now.addDays(-kKeptDays);
    const QList<HistoryEntry> list = entries();
    for (qsizetype i = kKeptVersions; i < list.size(); ++i) {
        const HistoryEntry& entry = list[i];
        if (entry.pinned || entry.time >= cutoff)
            continue;
        if (removeFile(entry.path) == 0)
            removed << entry.path;
    }
    changed();
    return removed;
}

} // namespace jlex

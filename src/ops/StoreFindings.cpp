#include "ops/StoreFindings.h"

#include "ops/Survey.h"
#include "store/FileErrors.h"
#include "store/History.h"
#include "store/PhraseLink.h"

#include <unistd.h>

namespace jlex {

namespace {

Finding holds(const QString& checked, const QString& found)
{
    return {checked, found, Finding::Verdict::Holds, {}, {}};
}

Finding fails(const QString& checked, const QString& found, const QString& advice)
{
    return {checked, found, Finding::Verdict::Fails, advice, {}};
}

Finding note(const QString& checked, const QString& found)
{
    return {checked, found, Finding::Verdict::Note, {}, {}};
}

QString tableList(const QList<PhraseTable>& tables)
{
    QStringList names;
    for (const PhraseTable table : tables)
        names << tableName(table);
    return names.join(QStringLiteral("、"));
}

QString sizeText(qint64 bytes)
{
    return bytes < 1024 * 1024 ? QStringLiteral("%1 KB").arg((bytes + 1023) / 1024)
                               : QStringLiteral("%1 MB").arg(double(bytes) / 1048576.0, 0, 'f', 1);
}

} // namespace

QList<Finding> storeFindings(const Target& target, const QString& ime)
{
    const StorePaths& paths = *target.paths;
    QList<Finding> found;
    const QString checkedFile = QStringLiteral("短语文件 %1").arg(paths.path(StoreFile::Phrases));
    const QString install = QStringLiteral("运行 jlex --ime %1 install 安装短语表").arg(ime);
    const PhraseTarget phrases = resolvePhraseFile(paths.host(StoreFile::Phrases));
    const FileState state = phrases.error ? FileState{} : fileState(phrases.path);
    if (phrases.error && (phrases.error != ENOENT || phrases.linked)) {
        found << fails(checkedFile, phraseTargetReason(phrases),
                       QStringLiteral("查看这个符号链接，让它指向您自己的短语文件"));
        return found;
    }
    if (!state.exists()) {
        found << fails(checkedFile, QStringLiteral("不存在"), install);
        return found;
    }
    if (!state.isFile()) {
        found << fails(checkedFile, QStringLiteral("不是普通文件"),
                       QStringLiteral("移走这个位置上的目录或其他项目"));
        return found;
    }
    const int fd = openForReading(phrases.path);
    if (fd < 0) {
        found << fails(checkedFile, QStringLiteral("无法读取：") + reasonFor(-fd),
                       QStringLiteral("让这个文件归您所有、可读可写"));
        return found;
    }
    found << holds(checkedFile, QStringLiteral("在，%1").arg(sizeText(state.size)));

    static const TablePlacement atStart;
    const TablePlacement& placement = target.placement ? *target.placement : atStart;
    const PlacedTables placed = placement.find(fd, state.size, paths.format());
    ::close(fd);
    const QString checkedTables = QStringLiteral("短语文件中 jlex 的短语表");
    if (placed.error)
        found << fails(checkedTables, QStringLiteral("读不出来：") + reasonFor(placed.error),
                       QStringLiteral("检查这个文件所在的磁盘"));
    else if (placed.tables.isEmpty())
        found << fails(checkedTables, QStringLiteral("没有（或已被改动，认不出来）"), install);
    else if (!placed.inPlace)
        found << note(checkedTables,
                      QStringLiteral("有 %1，但已不在文件开头（输入法改写过这个文件）；"
                                     "下次安装会把它们换成新的，保留您的词条")
                          .arg(tableList(placed.tables)));
    else
        found << holds(checkedTables, QStringLiteral("有 %1").arg(tableList(placed.tables)));

    const StoreStatus status = storeStatus(paths);
    const QString checkedLeftovers = QStringLiteral("中断的操作留下的临时文件");
    if (status.leftovers.isEmpty())
        found << holds(checkedLeftovers, QStringLiteral("没有"));
    else
        found << note(checkedLeftovers,
                      QStringLiteral("%1 个（%2）；下一次操作会先把它们的内容存入历史记录，再删除")
                          .arg(status.leftovers.size())
                          .arg(status.leftovers.join(QStringLiteral("、"))));

    const History history(paths.historyDir());
    qint64 bytes = 0;
    const QList<HistoryEntry> entries = history.entries();
    for (const HistoryEntry& entry : entries)
        bytes += entry.state.size;
    found << note(QStringLiteral("历史记录 %1").arg(paths.historyDir()),
                  QStringLiteral("%1 个版本，共 %2").arg(entries.size()).arg(sizeText(bytes)));
    return found;
}

QList<Finding> allFindings(const Target& target, const QString& ime)
{
    return (target.doctor ? target.doctor->findings() : QList<Finding>()) +
           storeFindings(target, ime);
}

QString findingText(const Finding& finding)
{
    QString verdict;
    switch (finding.verdict) {
    case Finding::Verdict::Holds:
        verdict = QStringLiteral("正常");
        break;
    case Finding::Verdict::Fails:
        verdict = QStringLiteral("有问题");
        break;
    case Finding::Verdict::Note:
        verdict = QStringLiteral("说明");
        break;
    }
    QString line = u'[' + verdict + QStringLiteral("] ") + finding.checked + QStringLiteral("：") +
                   finding.found;
    if (finding.verdict == Finding::Verdict::Fails && !finding.advice.isEmpty())
        line += QStringLiteral("。办法：") + finding.advice;
    return line.replace(u'\n', u' ');
}

} // namespace jlex

#include "cli/TableCommands.h"

#include "cli/ExitStatus.h"
#include "cli/Output.h"
#include "tables/PhraseIndex.h"

namespace jlex::cli {

namespace {

// Without --tables, lookup and search see every table; with it, what an
// install of those tables would offer.
PhraseIndex indexFor(const Invocation& invocation)
{
    return PhraseIndex(invocation.tablesGiven ? tablesToInstall(invocation.tables)
                                              : kAllPhraseTables);
}

// table<TAB>key<TAB>position<TAB>text
bool writeRows(const QList<PhraseRow>& rows)
{
    for (const PhraseRow& row : rows) {
        const QString line = tableName(row.table) + QLatin1Char('\t') + row.key +
                             QLatin1Char('\t') + QString::number(row.position) + QLatin1Char('\t') +
                             row.text;
        if (!writeResultLine(line))
            return false;
    }
    return true;
}

} // namespace

int exportTables(const Invocation& invocation)
{
    const QByteArray text =
        joinedTables(tablesToInstall(invocation.tables), invocation.target().paths->format());
    return writeResult(text) ? kDone : outputFailed();
}

int lookupKeys(const Invocation& invocation)
{
    const PhraseIndex index = indexFor(invocation);
    // As grep counts: found when any key gave anything.
    bool found = false;
    for (const QString& key : invocation.operands) {
        const QList<PhraseRow> rows = index.lookup(key);
        if (rows.isEmpty())
            tell(QStringLiteral("按键 %1 没有词条。").arg(key));
        found = found || !rows.isEmpty();
        if (!writeRows(rows))
            return outputFailed();
    }
    return found ? kDone : kFailed;
}

int searchText(const Invocation& invocation)
{
    const QString& text = invocation.operands.constFirst();
    const QList<PhraseRow> rows = indexFor(invocation).search(text);
    if (rows.isEmpty()) {
        tell(QStringLiteral("没有含有“%1”的词条。").arg(text));
        return kFailed;
    }
    return writeRows(rows) ? kDone : outputFailed();
}

} // namespace jlex::cli

#include "tables/PhraseIndex.h"

#include <algorithm>

namespace jlex {

QList<PhraseRow> phraseRows(PhraseTable table)
{
    const QString text = QString::fromUtf8(phraseTable(table, kUtf8Lf));
    QList<PhraseRow> rows;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // The build lets through nothing but entries, comments and empty lines.
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char(';')) || comma < 0 || equals < comma)
            continue;
        rows.append({table, line.left(comma).toString(),
                     line.sliced(comma + 1, equals - comma - 1).toInt(),
                     line.sliced(equals + 1).toString()});
    }
    return rows;
}

PhraseIndex::PhraseIndex(const QList<PhraseTable>& tables)
{
    for (PhraseTable table : tables)
        m_rows += phraseRows(table);
}

QList<PhraseRow> PhraseIndex::lookup(QStringView key) const
{
    QList<PhraseRow> found;
    std::copy_if(m_rows.cbegin(), m_rows.cend(), std::back_inserter(found),
                 [key](const PhraseRow& row) { return row.key == key; });
    // As the input methods show them: by position across the tables, which
    // keep their order among equal positions.
    std::stable_sort(found.begin(), found.end(), [](const PhraseRow& a, const PhraseRow& b) {
        return a.position < b.position;
    });
    return found;
}

QList<PhraseRow> PhraseIndex::search(QStringView text) const
{
    QList<PhraseRow> found;
    std::copy_if(m_rows.cbegin(), m_rows.cend(), std::back_inserter(found),
                 [text](const PhraseRow& row) { return row.text.contains(text); });
    return found;
}

} // namespace jlex

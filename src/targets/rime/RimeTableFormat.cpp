// Rime's rows, text<TAB>code<TAB>weight in UTF-8 with LF, as the build makes
// them (see src/tables/TableFormats.h).
#include "tables/TableFormats.h"

#include <QHash>

#include <algorithm>

namespace {

using jlex::tablegen::TableLines;

// Rime orders one code's phrases by weight alone, and equal weights by the
// bytes of their text, so each row gets a weight of its own: what the other
// input methods show for a key, by position, then table by table (kana,
// greeting, kanji), then in file order, counted down to 1. Counted over all
// tables at once, so any choice of tables keeps that order.
QHash<QString, int> rimeWeights(const QList<TableLines>& tables)
{
    struct Row {
        int position;
        qsizetype order; // tables and lines one after the other
        QString id;      // Table:line
    };
    QHash<QString, QList<Row>> byKey;
    qsizetype order = 0;
    for (const TableLines& table : tables) {
        for (const QString& line : table.lines) {
            const qsizetype comma = line.indexOf(u',');
            if (comma > 0 && !line.startsWith(u';'))
                byKey[line.left(comma)] << Row{line[comma + 1].digitValue(), order,
                                               QString::fromLatin1(table.name) + u':' + line};
            ++order;
        }
    }
    QHash<QString, int> weights;
    for (QList<Row>& rows : byKey) {
        std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
            return a.position != b.position ? a.position < b.position : a.order < b.order;
        });
        for (qsizetype rank = 0; rank < rows.size(); ++rank)
            weights.insert(rows[rank].id, int(rows.size() - rank));
    }
    return weights;
}

// Comments become Rime's; they stand above any "# no comment" of the user's.
QByteArray rimeRows(const QList<TableLines>& tables, const TableLines& t)
{
    const QHash<QString, int> weights = rimeWeights(tables);
    return jlex::tablegen::joinLines(
        t.lines,
        [&](const QString& l) {
            if (l.isEmpty() || l.startsWith(u';'))
                return (l.isEmpty() ? QString() : u'#' + l.mid(1)).toUtf8();
            const QString id = QString::fromLatin1(t.name) + u':' + l;
            return (l.mid(l.indexOf(u'=') + 1) + u'\t' + l.left(l.indexOf(u',')) + u'\t' +
                    QString::number(weights.value(id)))
                .toUtf8();
        },
        "\n");
}

const bool kRegistered = jlex::tablegen::addTableFormat({"rime", rimeRows});

} // namespace

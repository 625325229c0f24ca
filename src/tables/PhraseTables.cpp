#include "tables/PhraseTables.h"

namespace jlex {

QList<PhraseTable> tablesToInstall(const QList<PhraseTable>& chosen)
{
    QList<PhraseTable> tables;
    for (PhraseTable table : kAllPhraseTables) {
        if (table == PhraseTable::Kana || chosen.contains(table))
            tables << table;
    }
    return tables;
}

QByteArray joinedTables(const QList<PhraseTable>& tables, const PhraseFormat& format)
{
    QByteArray text;
    for (PhraseTable table : tables)
        text += phraseTable(table, format);
    return text;
}

QString tableName(PhraseTable table)
{
    switch (table) {
    case PhraseTable::Kana:
        return QStringLiteral("kana");
    case PhraseTable::Greeting:
        return QStringLiteral("greeting");
    case PhraseTable::Kanji:
        return QStringLiteral("kanji");
    }
    return {};
}

std::optional<PhraseTable> tableNamed(QStringView name)
{
    for (PhraseTable table : kAllPhraseTables) {
        if (name == tableName(table))
            return table;
    }
    return std::nullopt;
}

} // namespace jlex

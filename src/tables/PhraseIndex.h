#pragma once

#include "tables/PhraseTables.h"

#include <QList>
#include <QString>

namespace jlex {

// One entry "key,position=text" of a table.
struct PhraseRow {
    PhraseTable table = PhraseTable::Kana;
    QString key;
    int position = 0;
    QString text;

    friend bool operator==(const PhraseRow&, const PhraseRow&) = default;
};

// The entries of a table in file order, read from its UTF-8 form.
QList<PhraseRow> phraseRows(PhraseTable table);

// The rows of some tables, for finding what to type and what typing gives.
class PhraseIndex {
public:
    explicit PhraseIndex(const QList<PhraseTable>& tables = kAllPhraseTables);

    // Table by table in the order given, each in file order.
    const QList<PhraseRow>& rows() const { return m_rows; }

    // What typing the key offers, as the input methods show it: by position;
    // equal positions in table order (kana, greeting, kanji), then file order.
    QList<PhraseRow> lookup(QStringView key) const;

    // The rows whose text contains the given text, as rows() orders them.
    QList<PhraseRow> search(QStringView text) const;

private:
    QList<PhraseRow> m_rows;
};

} // namespace jlex

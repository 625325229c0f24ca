#pragma once

// The build's side of the phrase-file formats: how a table's reviewable
// lines become the bytes a format takes. jlex_tablegen holds the common
// ones; an input method with a format of its own adds it from its folder
// (src/targets/NAME/), linked into jlex_tablegen.

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

namespace jlex::tablegen {

// A table as its text file has it: "Kana" and its lines, entries
// "key,position=text", ';' comments and empty lines.
struct TableLines {
    QByteArray name;
    QStringList lines;
};

struct TableFormat {
    QByteArray name; // as PhraseFormat and the records of shipped tables name it
    // A table's bytes, given every table too: a format may order one key's
    // rows across tables.
    std::function<QByteArray(const QList<TableLines>& all, const TableLines& table)> render;
};

// For a static initialiser in a format's own source file.
bool addTableFormat(TableFormat format);
const QList<TableFormat>& tableFormats();

// The lines one after the other, each made into bytes and ended.
QByteArray joinLines(const QStringList& lines, const std::function<QByteArray(const QString&)>& f,
                     const QByteArray& end);

} // namespace jlex::tablegen

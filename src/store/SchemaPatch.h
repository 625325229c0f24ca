#pragma once

#include <QByteArray>

#include <optional>

namespace jlex {

// Rime's simplifier turns the texts of custom phrases into simplified Chinese
// (愛 becomes 爱) unless a schema's .custom.yaml keeps user tables out of it.
// jlex adds one line of its own to the file's `patch:` map, after the user's
// own patches, and takes exactly that line away again; every other byte of
// the file stays as the user wrote it. A file jlex cannot edit soundly (a
// patch map in flow style, tabs, a simplifier patch of the user's own that
// leaves user tables in) is left alone, and the user is told what to add.
struct SchemaPatchEdit {
    enum class Result { Unchanged, Changed, Removed, CannotEdit };
    Result result = Result::Unchanged;
    QByteArray text; // the file's new content, for Changed
};

// `existing` is the file's content, or nothing when there is no file.
SchemaPatchEdit withJlexPatch(const std::optional<QByteArray>& existing);
SchemaPatchEdit withoutJlexPatch(const QByteArray& existing);

// What to tell a user whose file jlex could not edit.
QString schemaPatchAdvice(const QString& file);

} // namespace jlex

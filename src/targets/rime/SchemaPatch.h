#pragma once

#include "ops/SideFile.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace jlex {

class RimePaths;

// Rime's simplifier turns the texts of custom phrases into simplified Chinese
// (愛 becomes 爱) unless a schema's .custom.yaml keeps user tables out of it.
// jlex adds one line of its own to the file's `patch:` map, after the user's
// own patches, and takes exactly that line away again; every other byte of
// the file stays as the user wrote it. A file jlex cannot edit soundly (a
// patch map in flow style, tabs, a simplifier patch of the user's own that
// leaves user tables in) is left alone, and the user is told what to add.
using SchemaPatchEdit = SideFile::Edit;

// `existing` is the file's content, or nothing when there is no file.
SchemaPatchEdit withJlexPatch(const std::optional<QByteArray>& existing);
SchemaPatchEdit withoutJlexPatch(const QByteArray& existing);

// What to tell a user whose file jlex could not edit.
QString schemaPatchAdvice(const QString& file);

// luna_pinyin.custom.yaml in the Rime folder: its patch reaches every stock
// pinyin schema, which all build on luna_pinyin. The line is there while the
// phrase file holds any of jlex's tables.
class SchemaPatch : public SideFile {
public:
    explicit SchemaPatch(std::shared_ptr<const RimePaths> paths) : m_paths(std::move(paths)) {}

    QString path() const override;
    QString label() const override { return QStringLiteral("Rime 方案设置文件"); }
    Edit edit(const std::optional<QByteArray>& existing,
              const QList<PhraseTable>& tables) const override;
    QString advice() const override { return schemaPatchAdvice(path()); }

private:
    std::shared_ptr<const RimePaths> m_paths;
};

} // namespace jlex

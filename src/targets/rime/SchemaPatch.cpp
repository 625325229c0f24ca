#include "targets/rime/SchemaPatch.h"

#include "targets/rime/RimePaths.h"

#include <QRegularExpression>
#include <QString>

namespace jlex {

namespace {

constexpr QByteArrayView kLine("simplifier/excluded_types: [user_table]  # jlex");
constexpr QByteArrayView kCreated("# jlex: Rime 的简繁转换不改动自定义短语（jlex 的日语词条）\n"
                                  "patch:\n");

bool isComment(const QByteArray& line)
{
    return line.trimmed().isEmpty() || line.trimmed().startsWith('#');
}

QList<QByteArray> linesOf(const QByteArray& text, QByteArray* end)
{
    *end = text.contains("\r\n") ? "\r\n" : "\n";
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines, const QByteArray& end)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + end;
    return text;
}

} // namespace

SchemaPatchEdit withJlexPatch(const std::optional<QByteArray>& existing)
{
    if (!existing)
        return {SchemaPatchEdit::Result::Changed,
                kCreated.toByteArray() + "  " + kLine.toByteArray() + '\n'};
    QByteArray end;
    QList<QByteArray> lines = linesOf(*existing, &end);
    qsizetype patch = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.contains('\t'))
            return {SchemaPatchEdit::Result::CannotEdit, {}};
        if (line.trimmed().endsWith(kLine))
            return {};
        static const QRegularExpression simplifier(
            QStringLiteral("^\\s*[\"']?simplifier(/excluded_types[\"']?\\s*:|[\"']?\\s*:)"));
        if (simplifier.match(QString::fromUtf8(line)).hasMatch())
            return {line.contains("user_table") ? SchemaPatchEdit::Result::Unchanged
                                                : SchemaPatchEdit::Result::CannotEdit,
                    {}};
        if (line.startsWith("patch:")) {
            if (!isComment(line.mid(6)))
                return {SchemaPatchEdit::Result::CannotEdit, {}};
            patch = i;
        } else if (!isComment(line) && !line.startsWith(' ') && line.contains("patch")) {
            return {SchemaPatchEdit::Result::CannotEdit, {}};
        }
    }
    if (patch < 0) {
        lines << "patch:"
              << "  " + kLine.toByteArray();
        return {SchemaPatchEdit::Result::Changed, joined(lines, end)};
    }
    // After the last line of the map, indented as its first line is.
    QByteArray indent = "  ";
    qsizetype last = patch;
    for (qsizetype i = patch + 1; i < lines.size(); ++i) {
        if (isComment(lines[i]))
            continue;
        if (!lines[i].startsWith(' '))
            break;
        if (last == patch)
            indent = lines[i].left(lines[i].size() - lines[i].trimmed().size());
        last = i;
    }
    lines.insert(last + 1, indent + kLine.toByteArray());
    return {SchemaPatchEdit::Result::Changed, joined(lines, end)};
}

SchemaPatchEdit withoutJlexPatch(const QByteArray& existing)
{
    QByteArray end;
    QList<QByteArray> lines = linesOf(existing, &end);
    const qsizetype before = lines.size();
    lines.removeIf([](const QByteArray& line) { return line.trimmed() == kLine; });
    if (lines.size() == before)
        return {};
    const QByteArray text = joined(lines, end);
    if (text == kCreated)
        return {SchemaPatchEdit::Result::Removed, {}};
    return {SchemaPatchEdit::Result::Changed, text};
}

QString schemaPatchAdvice(const QString& file)
{
    return QStringLiteral(
               "Rime 的简繁转换会把日语汉字改成简体字（例如 愛 → 爱）。本程序没有改动 "
               "%1，因为其中的写法无法稳妥地自动修改。请在其中 patch: 下面自己加上一行：\n"
               "  simplifier/excluded_types: [user_table]\n然后重新部署 Rime。")
        .arg(file);
}

QString SchemaPatch::path() const
{
    return m_paths->rimeDir() + QStringLiteral("/luna_pinyin.custom.yaml");
}

SideFile::Edit SchemaPatch::edit(const std::optional<QByteArray>& existing,
                                 const QList<PhraseTable>& tables) const
{
    if (!tables.isEmpty())
        return withJlexPatch(existing);
    return existing ? withoutJlexPatch(*existing) : Edit{};
}

} // namespace jlex

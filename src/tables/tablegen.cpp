// Turns the reviewable UTF-8 tables into the bytes each input method's phrase
// file takes, as C++ source: GBK with CR LF, UTF-8 with LF, and every format
// an input method adds of its own (TableFormats.h). Fails the build on any
// line that an input method could not read back as written, and on a table
// whose bytes were never recorded as shipped: an Install recognises jlex's
// own rows in a phrase file by those records.
//
//   jlex_tablegen OUTPUT.cpp --shipped=SHIPPED.txt... NAME=TABLE.txt...
//   jlex_tablegen --records NAME=TABLE.txt...   the records to add, once the tables pass

#include "tables/TableFormats.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cctype>
#include <cstdio>
#include <functional>

namespace {

int failWith(const QString& message)
{
    std::fprintf(stderr, "jlex_tablegen: %s\n", qPrintable(message));
    return 1;
}

// Every reader reads entries "key,position=text" and skips empty lines and
// ";" comments. The GBK reader takes one digit and no ',' or '=' in the text;
// the UTF-8 reader takes no position 0, treats a text starting with '#' as a
// template and unquotes a text in double quotes, so none may appear.
bool lineIsValid(const QString& line)
{
    static const QRegularExpression entry(QStringLiteral("^[a-z]+,[1-9]=([^,=\\r\\n\\t]+)$"));
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
        return true;
    const QRegularExpressionMatch m = entry.match(line);
    const QString text = m.captured(1);
    const bool quoted =
        text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
    return m.hasMatch() && !text.startsWith(QLatin1Char('#')) && !quoted;
}

QByteArray arrayDefinition(const QByteArray& id, const QByteArray& bytes)
{
    QByteArray source = "constexpr char " + id + "[] = {";
    for (qsizetype b = 0; b < bytes.size(); ++b)
        source += (b % 24 == 0 ? "\n    " : " ") + QByteArray::number(int(bytes[b])) + ",";
    return source + "\n};\n\n";
}

using jlex::tablegen::joinLines;
using jlex::tablegen::TableFormat;
using Table = jlex::tablegen::TableLines;

// The two every key,position=text input method reads; the input methods
// with formats of their own add theirs beside their own code.
const bool kCommonFormats = [] {
    jlex::tablegen::addTableFormat({"gbk-crlf", [](const QList<Table>&, const Table& t) {
                                        return joinLines(
                                            t.lines,
                                            [](const QString& l) {
                                                QStringEncoder encoder("GBK");
                                                return QByteArray(encoder.encode(l));
                                            },
                                            "\r\n");
                                    }});
    jlex::tablegen::addTableFormat({"utf8-lf", [](const QList<Table>&, const Table& t) {
                                        return joinLines(
                                            t.lines, [](const QString& l) { return l.toUtf8(); },
                                            "\n");
                                    }});
    return true;
}();

QString readTable(const QString& path, QStringList* lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(path);
    const QByteArray utf8 = file.readAll();
    // The decoder drops a byte-order mark silently, so look at the bytes.
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(utf8);
    if (decoder.hasError() || utf8.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("%1: not plain UTF-8").arg(path);
    if (!text.endsWith(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QStringLiteral("%1: lines must end with LF only").arg(path);
    *lines = text.chopped(1).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines->size(); ++n) {
        const QString& line = (*lines)[n];
        if (!lineIsValid(line))
            return QStringLiteral("%1:%2: not an entry, comment or empty line every input "
                                  "method reads as written: %3")
                .arg(path)
                .arg(n + 1)
                .arg(line);
        QStringEncoder encoder("GBK");
        const QByteArray bytes = encoder.encode(line);
        if (encoder.hasError() || QStringDecoder("GBK").decode(bytes) != line)
            return QStringLiteral("%1:%2: a character is not in GBK: %3")
                .arg(path)
                .arg(n + 1)
                .arg(line);
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QList<Table> tables;
    QStringList shippedFiles;
    QString output;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--shipped="))) {
            shippedFiles << arg.mid(10);
            continue;
        }
        if (output.isEmpty()) {
            output = arg;
            continue;
        }
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return failWith(QStringLiteral("not NAME=TABLE.txt: %1").arg(arg));
        Table table{arg.left(eq).toLatin1(), {}};
        if (const QString problem = readTable(arg.mid(eq + 1), &table.lines); !problem.isEmpty())
            return failWith(problem);
        tables << table;
    }
    const bool recordsOnly = output == QLatin1String("--records");
    if (output.isEmpty() || tables.isEmpty() || (shippedFiles.isEmpty() && !recordsOnly))
        return failWith(QStringLiteral(
            "usage: jlex_tablegen OUTPUT.cpp --shipped=SHIPPED.txt... NAME=TABLE.txt...\n"
            "       jlex_tablegen --records NAME=TABLE.txt..."));
    if (recordsOnly) {
        for (const TableFormat& format : jlex::tablegen::tableFormats()) {
            for (const Table& table : tables) {
                const QByteArray bytes = format.render(tables, table);
                std::printf("%s\t%s\t%lld\t%s\n", table.name.toLower().constData(),
                            format.name.constData(), static_cast<long long>(bytes.size()),
                            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)
                                .toHex()
                                .constData());
            }
        }
        return 0;
    }

    // version<TAB>table<TAB>format<TAB>bytes<TAB>sha256, one line per table
    // and format ever shipped: the common formats' records beside the
    // tables, every other format's beside its input method.
    QList<QByteArrayList> shipped;
    for (const QString& name : shippedFiles) {
        QFile shippedFile(name);
        if (!shippedFile.open(QIODevice::ReadOnly))
            return failWith(QStringLiteral("cannot read %1").arg(name));
        for (const QByteArray& line : shippedFile.readAll().split('\n')) {
            if (!line.isEmpty() && !line.startsWith('#'))
                shipped << line.split('\t');
        }
    }

    QByteArray source = "// Generated by jlex_tablegen from src/tables; do not edit.\n"
                        "#include \"tables/PhraseTables.h\"\n\nnamespace {\n\n";
    QByteArray index = "struct Built {\n    jlex::PhraseTable table;\n    const char* format;\n"
                       "    const char* bytes;\n    qsizetype size;\n};\n\n"
                       "const Built kBuilt[] = {\n";
    for (const TableFormat& format : jlex::tablegen::tableFormats()) {
        for (const Table& table : tables) {
            const QByteArray bytes = format.render(tables, table);
            const QByteArray sha = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
            const QByteArray record = table.name.toLower() + '\t' + format.name + '\t' +
                                      QByteArray::number(bytes.size()) + '\t' + sha.toHex();
            const bool recorded = std::any_of(shipped.begin(), shipped.end(), [&](const auto& r) {
                return r.size() == 5 && r.mid(1).join('\t') == record;
            });
            if (!recorded)
                return failWith(
                    QStringLiteral("%1 changed in %2: record it as shipped by adding "
                                   "this line to the records of that format (%3):"
                                   "\nVERSION\t%4")
                        .arg(QString::fromLatin1(table.name), QString::fromLatin1(format.name),
                             shippedFiles.join(QStringLiteral(", ")), QString::fromLatin1(record)));
            QByteArray id = "k" + table.name + format.name;
            id.replace('-', '_');
            source += arrayDefinition(id, bytes);
            index += "    {jlex::PhraseTable::" + table.name + ", \"" + format.name + "\", " + id +
                     ", sizeof " + id + "},\n";
        }
    }
    index += "};\n\n";

    QByteArray records;
    for (const QByteArrayList& r : shipped) {
        if (r.size() != 5)
            return failWith(
                QStringLiteral("not a record: %1").arg(QString::fromUtf8(r.join('\t'))));
        QByteArray table = r[1];
        if (!table.isEmpty())
            table[0] = char(std::toupper(table[0]));
        records += "        {PhraseTable::" + table + ", \"" + r[2] + "\", " + r[3] +
                   ", QByteArray::fromHex(\"" + r[4] + "\")},\n";
    }
    source += index +
              "} // namespace\n\nnamespace jlex {\n\n"
              "QByteArrayView phraseTable(PhraseTable table, const PhraseFormat& format)\n{\n"
              "    for (const Built& built : kBuilt) {\n"
              "        if (built.table == table && format.name == built.format)\n"
              "            return {built.bytes, built.size};\n"
              "    }\n    return {};\n}\n\n"
              "const QList<ShippedTable>& shippedTables()\n{\n"
              "    static const QList<ShippedTable> list = {\n" +
              records + "    };\n    return list;\n}\n\n} // namespace jlex\n";

    QFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size())
        return failWith(QStringLiteral("cannot write %1").arg(out.fileName()));
    return 0;
}

// Turns the reviewable UTF-8 tables into the bytes each input method's phrase
// file takes, as C++ source: GBK with CR LF, UTF-8 with LF, and Rime's
// text<TAB>code<TAB>weight. Fails the build
// on any line that an input method could not read back as written, and on a
// table whose bytes were never recorded as shipped: an Install recognises
// jlex's own rows at the top of a phrase file by those records.
//
//   jlex_tablegen OUTPUT.cpp SHIPPED.txt NAME=TABLE.txt...

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

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

struct Table {
    QByteArray name; // as PhraseTable names it: Kana
    QStringList lines;
};

// Each phrase-file format: its name in the enum and in the records, and how
// a table's lines become its bytes.
struct Format {
    QByteArray name;
    QByteArray recordName;
    std::function<QByteArray(const Table&)> bytes;
};

// Rime orders one code's phrases by weight alone, and equal weights by the
// bytes of their text, so each row gets a weight of its own: what the other
// input methods show for a key, by position, then table by table (kana,
// greeting, kanji), then in file order, counted down to 1. Counted over all
// tables at once, so any choice of tables keeps that order.
QHash<QString, int> rimeWeights(const QList<Table>& tables)
{
    struct Row {
        int position;
        qsizetype order; // tables and lines one after the other
        QString id;      // Table:line
    };
    QHash<QString, QList<Row>> byKey;
    qsizetype order = 0;
    for (const Table& table : tables) {
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

QByteArray joinLines(const QStringList& lines, const std::function<QByteArray(const QString&)>& f,
                     const QByteArray& end)
{
    QByteArray out;
    for (const QString& line : lines)
        out += f(line) + end;
    return out;
}

QList<Format> formats(const QList<Table>& tables)
{
    const QHash<QString, int> weights = rimeWeights(tables);
    const auto gbk = [](const Table& t) {
        return joinLines(
            t.lines,
            [](const QString& l) {
                QStringEncoder encoder("GBK");
                return QByteArray(encoder.encode(l));
            },
            "\r\n");
    };
    const auto utf8 = [](const Table& t) {
        return joinLines(
            t.lines, [](const QString& l) { return l.toUtf8(); }, "\n");
    };
    // Comments become Rime's; they stand above any "# no comment" of the user's.
    const auto rime = [weights](const Table& t) {
        return joinLines(
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
    };
    return {{"GbkCrLf", "gbk-crlf", gbk}, {"Utf8Lf", "utf8-lf", utf8}, {"RimeTsv", "rime", rime}};
}

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
    if (argc < 4)
        return failWith(
            QStringLiteral("usage: jlex_tablegen OUTPUT.cpp SHIPPED.txt NAME=TABLE.txt..."));

    QList<Table> tables;
    for (int i = 3; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return failWith(QStringLiteral("not NAME=TABLE.txt: %1").arg(arg));
        Table table{arg.left(eq).toLatin1(), {}};
        if (const QString problem = readTable(arg.mid(eq + 1), &table.lines); !problem.isEmpty())
            return failWith(problem);
        tables << table;
    }

    // version<TAB>table<TAB>format<TAB>bytes<TAB>sha256, one line per table
    // and format ever shipped.
    QFile shippedFile(QString::fromLocal8Bit(argv[2]));
    if (!shippedFile.open(QIODevice::ReadOnly))
        return failWith(QStringLiteral("cannot read %1").arg(shippedFile.fileName()));
    QList<QByteArrayList> shipped;
    for (const QByteArray& line : shippedFile.readAll().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            shipped << line.split('\t');
    }

    QByteArray source = "// Generated by jlex_tablegen from src/tables; do not edit.\n"
                        "#include \"tables/PhraseTables.h\"\n\nnamespace {\n\n";
    QByteArray lookup = "    switch (format) {\n";
    const QList<Format> allFormats = formats(tables);
    for (const Format& format : allFormats) {
        lookup += "    case PhraseFormat::" + format.name + ":\n        switch (table) {\n";
        for (const Table& table : tables) {
            const QByteArray bytes = format.bytes(table);
            const QByteArray sha = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
            const QByteArray record = table.name.toLower() + '\t' + format.recordName + '\t' +
                                      QByteArray::number(bytes.size()) + '\t' + sha.toHex();
            const bool recorded = std::any_of(shipped.begin(), shipped.end(), [&](const auto& r) {
                return r.size() == 5 && r.mid(1).join('\t') == record;
            });
            if (!recorded)
                return failWith(QStringLiteral("%1 changed: record it as shipped by adding "
                                               "this line to %2:\nVERSION\t%3")
                                    .arg(QString::fromLatin1(table.name), shippedFile.fileName(),
                                         QString::fromLatin1(record)));
            const QByteArray id = "k" + table.name + format.name;
            source += arrayDefinition(id, bytes);
            lookup += "        case PhraseTable::" + table.name + ":\n            return {" + id +
                      ", sizeof " + id + "};\n";
        }
        lookup += "        }\n        break;\n";
    }
    lookup += "    }\n    return {};\n";

    QByteArray records;
    for (const QByteArrayList& r : shipped) {
        for (const Format& format : allFormats) {
            if (r.size() == 5 && r[2] == format.recordName)
                records += "        {PhraseFormat::" + format.name + ", " + r[3] +
                           ", QByteArray::fromHex(\"" + r[4] + "\")},\n";
        }
    }
    source += "} // namespace\n\nnamespace jlex {\n\n"
              "QByteArrayView phraseTable(PhraseTable table, PhraseFormat format)\n{\n" +
              lookup + "}\n\nconst QList<ShippedTable>& shippedTables()\n{\n" +
              "    static const QList<ShippedTable> list = {\n" + records +
              "    };\n    return list;\n}\n\n} // namespace jlex\n";

    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size())
        return failWith(QStringLiteral("cannot write %1").arg(out.fileName()));
    return 0;
}

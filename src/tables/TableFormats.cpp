#include "tables/TableFormats.h"

namespace jlex::tablegen {

namespace {

QList<TableFormat>& formats()
{
    static QList<TableFormat> list;
    return list;
}

} // namespace

bool addTableFormat(TableFormat format)
{
    formats() << std::move(format);
    return true;
}

const QList<TableFormat>& tableFormats()
{
    return formats();
}

QByteArray joinLines(const QStringList& lines, const std::function<QByteArray(const QString&)>& f,
                     const QByteArray& end)
{
    QByteArray out;
    for (const QString& line : lines)
        out += f(line) + end;
    return out;
}

} // namespace jlex::tablegen

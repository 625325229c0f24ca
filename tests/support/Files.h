#pragma once

#include "tables/PhraseTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// A file's bytes, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A whole file, its directory made first.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(QDir().mkpath(QFileInfo(path).absolutePath()) && f.open(QIODevice::WriteOnly),
             qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The tables one after the other in one format, as an install writes them.
inline QByteArray tableBytes(const jlex::PhraseFormat& format,
                             std::initializer_list<jlex::PhraseTable> list)
{
    QByteArray bytes;
    for (const jlex::PhraseTable table : list)
        bytes += jlex::phraseTable(table, format).toByteArray();
    return bytes;
}

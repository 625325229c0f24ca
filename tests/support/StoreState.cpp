#include "support/StoreState.h"

#include "tables/PhraseTables.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace jlex;

namespace {

const std::pair<char, StoreFile> kRoles[] = {
    {'P', StoreFile::Phrases}, {'I', StoreFile::InitialBackup}, {'L', StoreFile::LatestBackup},
    {'S', StoreFile::Swap},    {'i', StoreFile::InitialStamp},  {'l', StoreFile::LatestStamp}};

QString valueOf(const QString& state, char role)
{
    for (const QString& item : state.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (item.size() > 1 && item[0] == QLatin1Char(role) && item[1] == QLatin1Char('='))
            return item.mid(2);
    }
    return {};
}

} // namespace

QByteArray storeBytes(const QString& value)
{
    static const QHash<QString, QByteArray> words = {
        {"kana", phraseTable(PhraseTable::Kana).toByteArray()},
        {"greeting", phraseTable(PhraseTable::Greeting).toByteArray()},
        {"kanji", phraseTable(PhraseTable::Kanji).toByteArray()},
        {"crlf", "\r\n"},
        {"mine", "mine,1=\xce\xd2\xb5\xc4\r\n;note\r\nlast,2=x"},
        {"big", QByteArray("user,1=phrase\r\n").repeated(150000)}};
    QByteArray bytes;
    for (const QString& part : value.split(QLatin1Char('+')))
        bytes += words.value(part, part.toUtf8());
    return bytes;
}

void layStore(const TempStore& store, const QString& state)
{
    for (const auto& [role, file] : kRoles) {
        const QString value = valueOf(state, role);
        if (value == QStringLiteral("dir"))
            QVERIFY(QDir().mkdir(store.host(file)));
        else if (!value.isNull())
            store.write(file, storeBytes(value));
    }
}

void verifyStore(const TempStore& store, const QString& state, const QDateTime& since)
{
    QStringList names;
    for (const auto& [role, file] : kRoles) {
        const QString value = valueOf(state, role);
        if (value.isNull()) {
            QVERIFY2(!store.has(file), qPrintable(store.host(file)));
            continue;
        }
        names << QFileInfo(store.host(file)).fileName();
        if (value == QStringLiteral("now"))
            QVERIFY2(isStampBetween(store.read(file), since, QDateTime::currentDateTime()),
                     store.read(file).constData());
        else
            QCOMPARE(store.read(file), storeBytes(value));
    }
    // Nothing else: no file left behind, no temporary file.
    names.sort();
    QCOMPARE(store.fileNames(), names);
}

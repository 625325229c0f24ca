#include "support/StoreState.h"

#include "tables/PhraseTables.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace jlex;

namespace {

// Each role's letter and the name the IME knows its file by.
const std::tuple<char, StoreFile, const char*> kRoles[] = {
    {'P', StoreFile::Phrases, "phrases.ini"},
    {'I', StoreFile::InitialBackup, "phrases最初备份.ini"},
    {'L', StoreFile::LatestBackup, "phrases最近备份.ini"},
    {'S', StoreFile::Swap, "phrasesTEMP.ini"},
    {'i', StoreFile::InitialStamp, "time000.ini"},
    {'l', StoreFile::LatestStamp, "time001.ini"}};

QString valueOf(const QString& state, char role)
{
    return QRegularExpression(QStringLiteral("(?:^| )%1=(\\S+)").arg(QLatin1Char(role)))
        .match(state)
        .captured(1);
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
    for (const auto& [role, file, name] : kRoles) {
        const QString value = valueOf(state, role);
        if (value == QStringLiteral("dir"))
            QVERIFY(QDir().mkdir(store.host(file)));
        else if (value == QStringLiteral("dangling") || value == QStringLiteral("loop"))
            QVERIFY(QFile::link(value == "loop" ? store.host(file) : store.root() + "/gone/x",
                                store.host(file)));
        else if (value == QStringLiteral("none"))
            QFile::remove(store.host(file));
        else if (!value.isEmpty())
            store.write(file, storeBytes(value));
    }
}

void verifyStore(const TempStore& store, const QString& state, const QDateTime& since)
{
    QStringList names;
    for (const auto& [role, file, name] : kRoles) {
        const QString value = valueOf(state, role);
        if (value == QStringLiteral("now"))
            QVERIFY2(isStampBetween(store.read(file), since, QDateTime::currentDateTime()), name);
        else if (!value.isEmpty())
            QCOMPARE(name + store.read(file), name + storeBytes(value)); // named on failure
        if (!value.isEmpty())
            names << QString::fromUtf8(name);
    }
    // Nothing else: no file left behind, no temporary file.
    QStringList found;
    for (const auto& [path, bytes] : store.snapshot().asKeyValueRange())
        found << (bytes == "<dir>" ? QString() : QFileInfo(path).fileName());
    found.removeAll(QString());
    QCOMPARE(found.size(), names.size());
    for (const QString& name : names)
        QVERIFY2(found.contains(name), qPrintable(name));
}

std::optional<OperationFailure> runOperation(const QString& name, const StorePaths& paths)
{
    const QStringList words = name.split(QLatin1Char(' '));
    const QString held = paths.path(StoreFile::Phrases);
    const OperationContext context{paths};
    if (words[0] == QStringLiteral("backup"))
        return backup(context, held).failure;
    if (words[0] == QStringLiteral("restore"))
        return words.value(1) == QStringLiteral("from")
                   ? restoreFromHistory(context, words.value(2)).failure
                   : restore(context, words.value(1) == QStringLiteral("initial")).failure;
    if (words[0] == QStringLiteral("uninstall"))
        return uninstall(context).failure;
    return install(context, held,
                   {.greeting = !words.contains(QStringLiteral("-greeting")),
                    .kanji = words.contains(QStringLiteral("+kanji")),
                    .addMode = !words.contains(QStringLiteral("-add")),
                    .backupFirst = !words.contains(QStringLiteral("-backup"))})
        .failure;
}

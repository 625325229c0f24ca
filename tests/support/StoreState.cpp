#include "support/StoreState.h"

#include "tables/PhraseTables.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace jlex;

namespace {

// Each role's letter.
const std::pair<char, StoreFile> kRoles[] = {
    {'P', StoreFile::Phrases}, {'I', StoreFile::InitialBackup}, {'L', StoreFile::LatestBackup},
    {'S', StoreFile::Swap},    {'i', StoreFile::InitialStamp},  {'l', StoreFile::LatestStamp}};

QString valueOf(const QString& state, char role)
{
    return QRegularExpression(QStringLiteral("(?:^| )%1=(\\S+)").arg(QLatin1Char(role)))
        .match(state)
        .captured(1);
}

} // namespace

QByteArray storeBytes(const QString& value, const PhraseFormat& format)
{
    const QHash<QString, QByteArray> words = {
        {"kana", phraseTable(PhraseTable::Kana, format).toByteArray()},
        {"greeting", phraseTable(PhraseTable::Greeting, format).toByteArray()},
        {"kanji", phraseTable(PhraseTable::Kanji, format).toByteArray()},
        {"crlf", "\r\n"},
        {"mine", "mine,1=\xce\xd2\xb5\xc4\r\n;note\r\nlast,2=x"},
        {"lonecr", "mine,1=x\rlast,2=y\r\n"},
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
        else if (value == QStringLiteral("dangling") || value == QStringLiteral("loop"))
            QVERIFY(QFile::link(value == "loop" ? store.host(file) : store.root() + "/gone/x",
                                store.host(file)));
        else if (value == QStringLiteral("none"))
            QFile::remove(store.host(file));
        else if (!value.isEmpty())
            store.write(file, storeBytes(value, store.paths.format()));
    }
}

void verifyStore(const TempStore& store, const QString& state, const QDateTime& since)
{
    QStringList names;
    for (const auto& [role, file] : kRoles) {
        const QString value = valueOf(state, role);
        const QString name = QFileInfo(store.host(file)).fileName();
        if (value == QStringLiteral("now"))
            QVERIFY2(isStampBetween(store.read(file), since, QDateTime::currentDateTime()),
                     qPrintable(name));
        else if (!value.isEmpty()) // named on failure
            QCOMPARE(name.toUtf8() + store.read(file),
                     name.toUtf8() + storeBytes(value, store.paths.format()));
        if (!value.isEmpty())
            names << name;
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

std::optional<OperationFailure> runOperation(const QString& name, const Target& target,
                                             const StoreFingerprint* seen)
{
    const QStringList words = name.split(QLatin1Char(' '));
    const StorePaths& paths = *target.paths;
    const QString held = paths.path(StoreFile::Phrases);
    const OperationContext context{paths, seen, target.sideFiles, target.placement};
    if (words[0] == QStringLiteral("backup"))
        return backup(context, held).failure;
    if (words[0] == QStringLiteral("restore"))
        return words.value(1) == QStringLiteral("from")
                   ? restoreFromHistory(context, words.value(2)).failure
                   : restore(context, words.value(1) == QStringLiteral("initial")).failure;
    if (words[0] == QStringLiteral("uninstall"))
        return uninstall(context).failure;
    QList<PhraseTable> tables;
    if (!words.contains(QStringLiteral("-greeting")))
        tables << PhraseTable::Greeting;
    if (words.contains(QStringLiteral("+kanji")))
        tables << PhraseTable::Kanji;
    return install(context, held,
                   {.tables = tables,
                    .addMode = !words.contains(QStringLiteral("-add")),
                    .backupFirst = !words.contains(QStringLiteral("-backup"))})
        .failure;
}

#pragma once

#include "ops/Operations.h"
#include "support/TempStore.h"

#include <QDateTime>

// A store written as its files, e.g. "P=mine I=ib i=t0": P is the phrase file,
// I and L the initial and latest backups, S the swap file, i and l the initial
// and latest stamps. A value joins parts with '+': kana, greeting and kanji
// (the tables), crlf, mine (a user's phrases in GBK, the last line unended),
// lonecr (phrases a lone CR ends), big (two megabytes of phrases), or else
// the text itself. "dir" lays a
// directory, "dangling" a link to nothing, "loop" a link to itself, and
// "none" removes the file; in an expected state, "now" is a
// stamp written since the start.
void layStore(const TempStore& store, const QString& state);
void verifyStore(const TempStore& store, const QString& state, const QDateTime& since);
QByteArray storeBytes(const QString& value, const jlex::PhraseFormat& format = jlex::kGbkCrLf);

// "backup", "restore initial", "restore latest", "uninstall", or "install"
// with the window's first choices (greeting, adding, backing up first) changed
// by "+kanji", "-greeting", "-add", "-backup". The phrase file is held where
// the store has it; with `seen`, the store as the window last showed it.
std::optional<jlex::OperationFailure> runOperation(const QString& name, const jlex::Target& target,
                                                   const jlex::StoreFingerprint* seen = nullptr);

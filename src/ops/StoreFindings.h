#pragma once

#include "ops/Diagnosis.h"
#include "ops/Target.h"

namespace jlex {

// What every store is checked for: the phrase file, jlex's tables in it,
// what an interrupted run left behind, and the history's size.
QList<Finding> storeFindings(const Target& target, const QString& ime);

// Everything `jlex doctor` checks for the input method: what it checks about
// itself, then its store.
QList<Finding> allFindings(const Target& target, const QString& ime);

// "[有问题] what was checked：what was found。办法：what to do", on one line.
QString findingText(const Finding& finding);

} // namespace jlex

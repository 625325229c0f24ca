#pragma once

#include <QString>

namespace jlex {

// The phrase file may be a symbolic link, as dotfile managers make them. It
// is followed only where the kernel's own rule for shared directories would
// follow it: every link on the way belongs to the user running jlex or to
// root. A link that points nowhere, loops, or belongs to someone else is
// refused, so nothing is ever read or written through it.
struct PhraseTarget {
    QString path; // the file the name finally stands for (the name itself when no link)
    bool linked = false;
    int error = 0; // ENOENT: dangling link, ELOOP: loop, EPERM: someone else's link, or lstat's
    uid_t linkOwner = 0; // for EPERM
};

PhraseTarget resolvePhraseFile(const QString& path);

// The reason to show for a refused target.
QString phraseTargetReason(const PhraseTarget& target);

} // namespace jlex

#pragma once

#include <QList>
#include <QString>

#include <memory>

namespace jlex {

// One thing that decides whether the user will see jlex's phrases: what was
// checked, what was found, and where it fails, what to do about it.
struct Finding {
    enum class Verdict {
        Holds, // as it must be
        Fails, // the phrases will not show as written until it is put right
        Note,  // worth knowing, decides nothing
    };
    QString checked;
    QString found;
    Verdict verdict = Verdict::Note;
    QString advice; // for Fails
    QString fix;    // the name of a Fix that puts it right, if there is one
};

// A change `jlex doctor --fix` may make, once the user agreed to it: only to
// files or settings jlex already manages, or through the input method's own
// configuration call. Uninstall takes back whatever a fix left changed.
class Fix {
public:
    virtual ~Fix() = default;
    virtual QString name() const = 0;
    virtual QString question() const = 0; // asked before it is made
    // What to tell, or why it could not be made.
    virtual bool apply(QString* said) = 0;
    // At Uninstall: puts back what apply() changed, if anything is left to.
    virtual bool undo(QString* said)
    {
        Q_UNUSED(said);
        return true;
    }
};

// What an input method checks about itself on this machine.
class Doctor {
public:
    virtual ~Doctor() = default;
    // Whether the input method is there at all, for a doctor of every one.
    virtual bool present() const = 0;
    virtual QList<Finding> findings() const = 0;
    virtual QList<std::shared_ptr<Fix>> fixes() const { return {}; }
};

} // namespace jlex

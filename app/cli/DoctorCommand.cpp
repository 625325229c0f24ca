#include "cli/DoctorCommand.h"

#include "cli/ExitStatus.h"
#include "cli/Output.h"
#include "ops/StoreFindings.h"

#include <QTextStream>

#include <cstdio>

namespace jlex::cli {

namespace {

// One line a check; false when standard output failed.
bool print(const QString& ime, const QList<Finding>& findings, bool* allHold)
{
    for (const Finding& f : findings) {
        QString line = ime + QStringLiteral("：") + findingText(f);
        if (f.verdict == Finding::Verdict::Fails) {
            *allHold = false;
            if (!f.fix.isEmpty())
                line += QStringLiteral("（jlex doctor --fix 可以代劳）");
        }
        if (!writeResultLine(line))
            return false;
    }
    return true;
}

bool agreed(const QString& question)
{
    std::fprintf(stderr, "%s [y/N] ", question.toLocal8Bit().constData());
    std::fflush(stderr);
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes") ||
           answer == QStringLiteral("是");
}

// Offers each fix for what fails, once; whether any was made.
bool offerFixes(const Target& target, const QList<Finding>& findings)
{
    if (!target.doctor)
        return false;
    bool made = false;
    QStringList offered;
    for (const Finding& f : findings) {
        if (f.verdict != Finding::Verdict::Fails || f.fix.isEmpty() || offered.contains(f.fix))
            continue;
        offered << f.fix;
        for (const auto& fix : target.doctor->fixes()) {
            if (fix->name() != f.fix || !agreed(fix->question()))
                continue;
            QString said;
            made = fix->apply(&said) || made;
            if (!said.isEmpty())
                tell(said);
        }
    }
    return made;
}

} // namespace

int runDoctor(const Invocation& invocation)
{
    QList<const TargetRegistration*> chosen;
    if (invocation.imeGiven) {
        chosen << invocation.ime;
    } else {
        for (const TargetRegistration& registration : targetRegistrations()) {
            const Target target = registration.make(invocation.options);
            if (target.doctor && target.doctor->present())
                chosen << &registration;
        }
        if (chosen.isEmpty()) {
            tell(QStringLiteral("在这台机器上没有找到本程序支持的输入法；用 --ime 指定要检查的。"));
            return kFailed;
        }
    }
    bool allHold = true;
    for (const TargetRegistration* registration : chosen) {
        const Target target = registration->make(invocation.options);
        if (const QString problem = target.paths->problem(); !problem.isEmpty()) {
            tell(registration->name + QStringLiteral("：") + problem + QStringLiteral("。"));
            allHold = false;
            continue;
        }
        QList<Finding> findings = allFindings(target, registration->name);
        // A fix that changes the store's files does so as an operation, under its lock.
        if (invocation.fix && offerFixes(target, findings))
            findings = allFindings(target, registration->name);
        if (!print(registration->name, findings, &allHold))
            return outputFailed();
    }
    return allHold ? kDone : kFailed;
}

} // namespace jlex::cli

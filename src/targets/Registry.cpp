#include "targets/Registry.h"

namespace jlex {

const TargetRegistration* registrationNamed(QStringView name)
{
    for (const TargetRegistration& target : targetRegistrations()) {
        if (target.name == name)
            return &target;
    }
    return nullptr;
}

const TargetRegistration* registrationOfProgram(QStringView program)
{
    for (const TargetRegistration& target : targetRegistrations()) {
        if (target.program == program)
            return &target;
    }
    return nullptr;
}

} // namespace jlex

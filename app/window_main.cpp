#include "run.h"
#include "targets/Registry.h"

// A window program: the one for the input method registered under this
// program's name, which the build gives.
int main(int argc, char** argv)
{
    return jlex::run(*jlex::registrationOfProgram(QStringLiteral(JLEX_PROGRAM)), argc, argv);
}

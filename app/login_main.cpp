#include "ops/Targets.h"
#include "run.h"

// The Kavro edition for users signed in to the IME's account.
int main(int argc, char** argv)
{
    return jlex::run([] { return jlex::kavroTarget(jlex::Edition::Login); }, "jlex-login", argc,
                     argv);
}

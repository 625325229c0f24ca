#include "ops/Targets.h"
#include "run.h"

// The Kavro edition that works in the IME's shared data directory.
int main(int argc, char** argv)
{
    return jlex::run([] { return jlex::kavroTarget(jlex::Edition::Public); }, "jlex-public", argc,
                     argv);
}

#include "run.h"

// The edition that works in the IME's shared data directory.
int main(int argc, char** argv)
{
    return jlex::run(jlex::Edition::Public, argc, argv);
}

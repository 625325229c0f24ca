#include "run.h"

// The edition for users signed in to the IME's account.
int main(int argc, char** argv)
{
    return jlex::run(jlex::Edition::Login, argc, argv);
}

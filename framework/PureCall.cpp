#include <cstdlib>

// Called through a pure virtual slot: a program fault. The compiler's own
// runtime reports it through libstdc++'s terminate handler, which would bring
// its demangler (over 100 KB) into each program; clang refers to this
// function strongly where GCC's reference is weak and stays unresolved. So
// the programs define it themselves and end at once.
extern "C" void __cxa_pure_virtual()
{
    std::abort();
}

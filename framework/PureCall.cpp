#include <cstdlib>

// Called through a pure virtual slot, which only a program fault reaches.
// libstdc++'s version reports through its terminate handler and brings the
// demangler (over 100 KB) into every program that refers to it: clang's code
// always does, GCC's refers to it weakly and leaves it out. Ours ends at once.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the C++ ABI gives it
extern "C" void __cxa_pure_virtual()
{
    std::abort();
}

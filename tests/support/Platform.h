#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

// Where the tests run, and how long they wait. The tests run under Wine here
// and on Windows elsewhere; where the two differ, this is the one place that
// tells them apart.

// Wine's ntdll exports wine_get_version; Windows' does not.
bool RunningUnderWine();

// Whether Beep holds the thread for its tone here, as Windows does when it
// has a sound device to play it on. Wine returns at once, and a Windows
// machine without sound (a hosted runner's server VM) may fail at once: a
// test that times a tone counts it only where this holds. Measured once, with
// a short tone of its own.
bool BeepPlaysTones();

// A path of the build as this process sees it, with backslashes: under Wine
// a Unix path lies on drive Z:, on Windows the build path already is one.
std::string WinPath(const std::string& buildPath);

// The one limit for a wait on a condition. Generous: a busy machine makes
// Wine slow to start a program or deliver a message, never fast.
constexpr DWORD kWaitLimitMs = 30000;

// Polls until the condition holds; false if it did not within the limit.
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = kWaitLimitMs);

// A row of a parameterised test, named. gtest prints a row by its name (and
// ctest's test names carry that print, so it must not be raw bytes); ByName()
// makes the name the test's suffix. The constructor lets a row be written
// {"name", field, ...}: the name initialises the base without braces of its
// own, which clang's -Wmissing-braces would ask for if the base were an
// aggregate.
struct NamedRow {
    constexpr NamedRow(const char* rowName) : name(rowName) {}
    const char* name;
};
inline std::ostream& operator<<(std::ostream& os, const NamedRow& row)
{
    return os << row.name;
}
struct ByName {
    template <class Info>
    std::string operator()(const Info& info) const { return info.param.name; }
};

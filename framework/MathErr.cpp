// The C runtime's hook for errors in its math functions, which the start-up
// code installs. mingw-w64's own prints each error to stderr, which a window
// program does not have, and brings fprintf and its texts along (0.6 KB);
// the programs call no math function anyway. 0 asks for the runtime's
// default handling, which is what mingw-w64's returns too.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the runtime calls
extern "C" int _matherr(struct _exception*)
{
    return 0;
}

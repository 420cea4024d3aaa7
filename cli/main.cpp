// vexilo-calc: the formula engine on the command line.
#include <string>
#include <vector>

#include "cli/CalcCli.h"
#include "cli/StdIo.h"
#include "util/Utf8.h"

#ifdef _WIN32
#include "util/SystemLibrary.h"

// Wide arguments, so that formulas and variable texts keep every character.
int wmain(int argc, wchar_t** argv)
{
    RestrictDllSearch();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    return RunCalcCli(args, *MakeStdIo());
}
#else
int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunCalcCli(args, *MakeStdIo());
}
#endif

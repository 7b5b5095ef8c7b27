// horavel_e2e.exe --list          prints the case names, one a line
// horavel_e2e.exe <case> <exe>    runs one case against Horavel.exe at <exe>;
//                                 exits 0 when every check passed
#include <cstdio>
#include <cstring>
#include <string>

#include <windows.h>

#include "tests/e2e/driver_support.h"

int main(int argc, char** argv) {
    // Sizes are read in the screen's own pixels, at any dots per inch.
    SetProcessDPIAware();
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const e2e::Case& c : e2e::Cases()) std::printf("%s\n", c.name);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: horavel_e2e --list | horavel_e2e <case> <path to Horavel.exe>\n");
        return 2;
    }
    for (const e2e::Case& c : e2e::Cases()) {
        if (std::strcmp(c.name, argv[1]) != 0) continue;
        int result = c.run(argv[2]);
        if (result == 0 && e2e::FailureCount() > 0) result = 1;
        std::printf("%s: %s (%d failed checks)\n", c.name, result == 0 ? "ok" : "failed", e2e::FailureCount());
        return result;
    }
    std::fprintf(stderr, "no case named %s\n", argv[1]);
    return 2;
}

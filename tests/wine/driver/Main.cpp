// The end-to-end test driver: runs one scenario script of commands against the program
// under test, from outside, and reports what it finds on standard output.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "Handle.h"
#include "Session.h"

int main(int argc, char** argv) {
    using galemend::e2e::DriverError;
    using galemend::e2e::Session;
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_driver SCRIPT\n");
        return 2;
    }
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    // Plain LF line ends: the scenario scripts match whole lines.
    _setmode(_fileno(stdout), _O_BINARY);
    Session session(stdout);
    std::string line;
    int number = 0;
    try {
        while (std::getline(script, line)) {
            ++number;
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
                line.pop_back();
            }
            session.Run(line);
        }
        session.Finish();
    } catch (const DriverError& error) {
        std::printf("error line %d: %s\n", number, error.what());
        std::fflush(stdout);
        session.Abort();
        return 1;
    }
    std::printf("done\n");
    return 0;
}

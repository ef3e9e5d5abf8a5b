#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
    CommandLineResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.Options) {
        std::fputs(parsed.Output.c_str(), parsed.ExitCode == 0 ? stdout : stderr);
        return parsed.ExitCode;
    }
    // Tests make a session die mid-way to find its replay; no player sets this.
    if (const char* frame = std::getenv("KELVANE_TEST_ABORT_AT_FRAME")) {
        parsed.Options->AbortAtFrame = std::atoll(frame);
    }
    SystemClock clock;
    int status = 0;
    {
        Application application(*parsed.Options, clock);
        status = application.Run();
    }
    return status;
}

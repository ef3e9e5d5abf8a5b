#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
    const CommandLineResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.Options) {
        std::fputs(parsed.Output.c_str(), parsed.ExitCode == 0 ? stdout : stderr);
        return parsed.ExitCode;
    }
    SystemClock clock;
    int status = 0;
    {
        Application application(*parsed.Options, clock);
        status = application.Run();
    }
    return status;
}

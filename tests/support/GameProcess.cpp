#include "GameProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        const auto eq = entry.find('=');
        vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const std::string& entry : extra) {
        const auto eq = entry.find('=');
        const std::string name = entry.substr(0, eq);
        const std::string value = entry.substr(eq + 1);
        if (value.empty()) {
            vars.erase(name);
        } else {
            vars[name] = value;
        }
    }
    std::vector<std::string> merged;
    for (const auto& [name, value] : vars) {
        merged.push_back(name + "=" + value);
    }
    return merged;
}

int Spawn(const std::string& folder, const std::vector<std::string>& args,
          const std::vector<std::string>& env, const std::string& out, const std::string& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    const std::string exe = std::string(KELVANE_BIN_DIR) + "/kelvane";
    std::vector<std::string> argStrings{exe};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = MergedEnvironment(env);
    std::vector<char*> envp;
    for (std::string& e : envStrings) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Where a started game's stderr goes: nobody reads it, and it goes with the process.
std::string StartedGamesStderr() {
    static const TestFolder folder("started-games");
    return (folder / "stderr").string();
}

} // namespace

int StartGame(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    return Spawn(KELVANE_BIN_DIR, args, env, "/dev/null", StartedGamesStderr());
}

int WaitForGame(int pid, double timeoutSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

GameRun RunGame(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    return RunGameIn(KELVANE_BIN_DIR, args, env);
}

GameRun RunGameIn(const std::string& folder, const std::vector<std::string>& args,
                  const std::vector<std::string>& env) {
    const TestFolder output("game-output");
    const std::string out = (output / "stdout").string();
    const std::string err = (output / "stderr").string();
    GameRun run;
    // The game finds its Content beside itself, whatever the working folder: a test's own copy is
    // named on the command line.
    std::vector<std::string> withContent = args;
    if (folder != KELVANE_BIN_DIR) {
        withContent.insert(withContent.begin(), {"--content", folder + "/Content"});
    }
    const int pid = Spawn(folder, withContent, env, out, err);
    if (pid < 0) {
        run.Stderr = "could not start " KELVANE_BIN_DIR "/kelvane";
        return run;
    }
    run.ExitCode = WaitForGame(pid, 120.0);
    run.Stdout = Slurp(out);
    run.Stderr = Slurp(err);
    return run;
}

ContentCopy::ContentCopy() : scratch_(std::make_unique<TestFolder>("content")), folder_(scratch_->Str()) {
    std::filesystem::copy(std::string(KELVANE_BIN_DIR) + "/Content", folder_ + "/Content",
                          std::filesystem::copy_options::recursive);
}

ContentCopy::~ContentCopy() = default;

void ContentCopy::Write(const std::string& relativePath, const std::string& text) const {
    const std::filesystem::path path = std::filesystem::path(folder_) / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void ContentCopy::Remove(const std::string& relativePath) const {
    std::filesystem::remove_all(std::filesystem::path(folder_) / relativePath);
}

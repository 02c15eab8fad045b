#include "editor/PlayGame.hpp"

#include "game/Signals.hpp"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace Editor {
namespace {

std::filesystem::path GameProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("meandor") : self.parent_path() / "meandor";
}

void EndWithParent() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

int Status(int waited) {
    if (WIFSIGNALED(waited)) {
        return 128 + WTERMSIG(waited);
    }
    return WEXITSTATUS(waited);
}

// In the forked child, so only calls that are safe there. The game takes the stopping signals
// the editor has taken over back, and ends as the editor would when the editor goes first; a
// failed start is told through `report`.
[[noreturn]] void StartGame(std::vector<char*>& arguments, pid_t editor, int report) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != editor) {
        _exit(1);
    }
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &byDefault, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    pthread_sigmask(SIG_SETMASK, &none, nullptr);
    execv(arguments.front(), arguments.data());
    const int error = errno;
    [[maybe_unused]] const ssize_t told = write(report, &error, sizeof error);
    _exit(127);
}

// The errno of a failed start, 0 once the game runs.
int StartError(int report) {
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

GameRun Wait(pid_t child, int startError) {
    int waited = 0;
    while (waitpid(child, &waited, 0) < 0) {
        if (errno != EINTR) {
            return {.fault = std::strerror(errno)};
        }
    }
    if (startError != 0) {
        return {.fault = std::strerror(startError)};
    }
    return {.started = true, .status = Status(waited), .fault = {}};
}

} // namespace

GameRun PlayGame(const std::filesystem::path& folder, std::uint32_t level) {
    std::vector<std::string> words{GameProgram().string(), "--mazes", folder.string(), "--level",
                                   std::to_string(level)};
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    std::array<int, 2> report{};
    if (pipe2(report.data(), O_CLOEXEC) != 0) {
        return {.fault = std::strerror(errno)};
    }
    const Meandor::EndAtOnce endAtOnce;
    const pid_t editor = getpid();
    const pid_t child = fork();
    if (child == 0) {
        StartGame(arguments, editor, report[1]);
    }
    close(report[1]);
    if (child < 0) {
        const int error = errno;
        close(report[0]);
        return {.fault = std::strerror(error)};
    }
    const int startError = StartError(report[0]);
    close(report[0]);
    GameRun run = Wait(child, startError);
    if (!run.started) {
        run.fault = words.front() + ": " + run.fault;
    }
    return run;
}

void ChildrenEndWithEditor() {
    pthread_atfork(nullptr, nullptr, EndWithParent);
}

} // namespace Editor

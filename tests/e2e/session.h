// One run of the real program on an X server of its own, for the end-to-end tests: the
// server, a client that types and looks, and the program with its window found and focused.
#ifndef ORVENA_TESTS_E2E_SESSION_H
#define ORVENA_TESTS_E2E_SESSION_H

#include <sys/wait.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "xvfb.h"

// Generous for a loaded machine; every wait ends as soon as its event arrives.
const milliseconds patience(20000);

using environment_changes = std::map<std::string, std::optional<std::string>>;

// ORVENA_LAUNCHER, where a build defines it, runs the program: wine for the Windows build.
inline std::vector<std::string> program_command(const std::vector<std::string>& args)
{
#if defined(ORVENA_LAUNCHER)
    std::vector<std::string> command = {ORVENA_LAUNCHER, ORVENA_BINARY};
#else
    std::vector<std::string> command = {ORVENA_BINARY};
#endif
    command.insert(command.end(), args.begin(), args.end());
    return command;
}

inline environment_changes with_display(environment_changes env, const std::string& display)
{
    env.emplace("DISPLAY", display);
    return env;
}

struct session {
    // DISPLAY names the private server unless env says otherwise.
    explicit session(const std::vector<std::string>& args = {}, const environment_changes& env = {})
        : program(program_command(args), with_display(env, server.display()))
    {
    }

    // Types c and returns the console line that came for it.
    std::optional<std::string> line_for(char c)
    {
        x.type(c);
        return program.read_line(patience);
    }

    // Sends Escape and waits for the end; true if the program exited with status 0.
    bool escape_exits_cleanly()
    {
        x.type('\x1b');
        const std::optional<int> status = program.wait(patience);
        return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
    }

    xvfb server;
    x_client x{server.display()};
    child_process program;
    unsigned long window = x.wait_for_window("Orvena", patience);
};

#endif

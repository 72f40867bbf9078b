#include "support/CliRunner.h"

#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumvane::test {

CliRun RunCli(const std::vector<std::string>& arguments)
{
    return RunProgram(LUMVANE_CLI_PATH, arguments);
}

CliRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, int output)
{
    TempDir dir;
    const std::string outName = dir.File("out");
    const std::string errName = dir.File("err");
    std::vector<char*> argv;
    std::string path = program;
    argv.push_back(path.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    CliRun run;
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = output >= 0 ? output : ::open(outName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (output < 0)
        run.out = ReadFileBytes(outName);
    run.err = ReadFileBytes(errName);
    return run;
}

} // namespace lumvane::test

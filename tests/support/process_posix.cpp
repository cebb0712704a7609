#include "support/process.hpp"

#include <cstdlib>
#include <sys/wait.h>

#include "support/temp_dir.hpp"

namespace vadrel::test {

namespace {

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

RunResult run(const std::vector<std::string>& argv, const std::filesystem::path& cwd,
              const std::vector<std::string>& env)
{
    TempDir capture;
    // Appended piece by piece: GCC 12 warns (wrongly) on "literal" + temporary.
    std::string cmd = "cd ";
    cmd += quote(cwd.string());
    cmd += " && env";
    for (const auto* list : {&env, &argv})
        for (const auto& word : *list) {
            cmd += ' ';
            cmd += quote(word);
        }
    cmd += " >";
    cmd += quote((capture / "out").string());
    cmd += " 2>";
    cmd += quote((capture / "err").string());
    cmd += " </dev/null";
    int status = std::system(cmd.c_str());
    RunResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(capture / "out");
    r.err = readFile(capture / "err");
    return r;
}

bool haveProgram(const std::string& name)
{
    return std::system(("command -v " + quote(name) + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace vadrel::test

// Runs a fuzz target over every file under the given folders, so that its
// corpus and the inputs of past findings are checked in every build. A
// missing folder holds nothing to run. An input that runs longer than the
// fuzzers' own limit fails as a hang.

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

constexpr unsigned kSecondsPerInput = 10;  // as the fuzzers' -timeout
const char* current = "";

void onAlarm(int)
{
    constexpr char kHang[] = "hang (over 10 s): ";
    [[maybe_unused]] auto a = write(STDERR_FILENO, kHang, sizeof kHang - 1);
    [[maybe_unused]] auto b = write(STDERR_FILENO, current, std::strlen(current));
    [[maybe_unused]] auto c = write(STDERR_FILENO, "\n", 1);
    _exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(argv[i], ec)) {
            files.emplace_back(argv[i]);
            continue;
        }
        if (!std::filesystem::is_directory(argv[i], ec)) continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i]))
            if (entry.is_regular_file() && entry.path().filename() != ".gitkeep") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::signal(SIGALRM, onAlarm);

    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "cannot read %s\n", f.c_str());
            return 1;
        }
        // Named first, so that a crash points at its input.
        std::fprintf(stderr, "%s\n", f.c_str());
        current = f.c_str();
        alarm(kSecondsPerInput);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        alarm(0);
    }
    std::printf("%zu inputs run\n", files.size());
    return 0;
}

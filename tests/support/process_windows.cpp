#include "support/process.hpp"

#include <windows.h>

#include <cwchar>
#include <map>

#include "core/utf8_path.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {

namespace {

std::wstring wide(const std::string& utf8) { return pathFromUtf8(utf8).wstring(); }

// One argument as CommandLineToArgvW reads it back: quoted, backslashes
// doubled before a quote.
std::wstring quoted(const std::wstring& word)
{
    std::wstring q = L"\"";
    std::size_t slashes = 0;
    for (wchar_t c : word) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        q.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        q += c;
    }
    q.append(2 * slashes, L'\\');
    return q + L"\"";
}

// The test's own environment with `overrides` ("NAME=value") laid over it;
// names compare without case, as Windows does.
std::wstring environmentBlock(const std::vector<std::string>& overrides)
{
    auto less = [](const std::wstring& a, const std::wstring& b) { return ::_wcsicmp(a.c_str(), b.c_str()) < 0; };
    std::map<std::wstring, std::wstring, decltype(less)> vars(less);
    wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* v = block; *v; v += std::wcslen(v) + 1) {
        const std::wstring entry = v;
        const std::size_t eq = entry.find(L'=', 1);  // "=C:=C:\…" entries start with '='
        if (eq != std::wstring::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    ::FreeEnvironmentStringsW(block);
    for (const std::string& o : overrides) {
        const std::wstring entry = wide(o);
        const std::size_t eq = entry.find(L'=');
        if (eq != std::wstring::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    std::wstring out;
    for (const auto& [name, value] : vars) out += name + L"=" + value + L'\0';
    return out + L'\0';
}

HANDLE inheritable(const std::filesystem::path& file, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return ::CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

RunResult run(const std::vector<std::string>& argv, const std::filesystem::path& cwd,
              const std::vector<std::string>& env)
{
    RunResult r;
    if (argv.empty()) return r;
    TempDir capture;
    std::wstring line;
    for (const std::string& word : argv) line += (line.empty() ? L"" : L" ") + quoted(wide(word));
    std::wstring block = environmentBlock(env);

    HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE out = inheritable(capture / "out", GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = inheritable(capture / "err", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    const BOOL started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                          block.data(), cwd.c_str(), &si, &pi);
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (started) {
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        if (::GetExitCodeProcess(pi.hProcess, &code)) r.exitCode = static_cast<int>(code);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    r.out = readFile(capture / "out");
    r.err = readFile(capture / "err");
    return r;
}

bool haveProgram(const std::string& name)
{
    wchar_t found[MAX_PATH];
    return ::SearchPathW(nullptr, wide(name).c_str(), L".exe", MAX_PATH, found, nullptr) > 0;
}

}  // namespace vadrel::test

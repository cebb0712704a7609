#pragma once
// The operating system's file calls under file_io: a file by handle, names
// made unique beside a target, one file put in another's place. Failures
// come back as error codes (see system_errors.hpp) for the caller's message.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace vadrel::platform {

// A file open by the system's handle, closed when destroyed.
class NativeFile {
public:
    NativeFile() = default;
    ~NativeFile();
    NativeFile(NativeFile&& other) noexcept;
    NativeFile& operator=(NativeFile&& other) noexcept;
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    // An existing file, to read. Not open, and `error` set, on failure.
    static NativeFile openToRead(const std::filesystem::path& file, std::error_code& error);

    // A new file named `prefix` and six letters or digits in `folder` (on
    // POSIX the running user's alone until it takes its attributes); its
    // path in `made`. Not open, and `error` set, on failure.
    static NativeFile createUnique(const std::filesystem::path& folder, std::string_view prefix,
                                   std::filesystem::path& made, std::error_code& error);

    bool isOpen() const { return handle_ != -1; }

    // The size of a regular file; nothing for a pipe or a device.
    std::optional<std::uintmax_t> regularSize() const;

    // Up to `size` bytes into `into`: how many, 0 at the end. `error` set on
    // failure.
    std::size_t read(char* into, std::size_t size, std::error_code& error);

    // False, with `error` set, when not all of `bytes` could be written.
    bool writeAll(std::string_view bytes, std::error_code& error);

    // The attributes the replaced file had (see attributesToKeep), or an
    // ordinary new file's when there was none. A failure is ignored: the
    // bytes matter more.
    void takeAttributes(std::optional<unsigned> kept);

    // Everything written, down to the disk.
    bool flush(std::error_code& error);

    // Closed in any case; false, with `error` set, when closing reported a
    // failure of the writes before.
    bool close(std::error_code& error);

private:
    explicit NativeFile(std::intptr_t handle) : handle_(handle) {}

    // A descriptor on POSIX, a HANDLE on Windows; -1 (Windows's
    // INVALID_HANDLE_VALUE too) when none.
    std::intptr_t handle_ = -1;
};

// What replacing the file `target` keeps of it (its permissions on POSIX,
// its attributes on Windows); nothing when there is no such file. A file the
// person may not write, marked read-only included, sets `error`: it is
// refused with the reason, not replaced behind its back.
std::optional<unsigned> attributesToKeep(const std::filesystem::path& target, std::error_code& error);

// Gives the closed file `file` the attributes `kept`.
bool applyAttributes(const std::filesystem::path& file, unsigned kept, std::error_code& error);

// Puts the file `written` in the place of `target` in one step: whoever
// opens `target` finds the old file or the new one, never a part.
bool moveOver(const std::filesystem::path& written, const std::filesystem::path& target, std::error_code& error);

// Removes the file, failure ignored (it was a temporary).
void removeFile(const std::filesystem::path& file);

// A new, empty folder named `prefix` and six letters or digits inside
// `parent`; empty, with `error` set, when none could be made.
std::filesystem::path createUniqueFolder(const std::filesystem::path& parent, std::string_view prefix,
                                         std::error_code& error);

// The name of an existing file for a C library that opens it with the
// narrow calls (libxml2's catalogs): on Windows those take the ANSI code
// page, so a folder such as "C:\Users\José" is given by its short ASCII
// name when it has one. UTF-8 with "/" otherwise, and on other systems.
std::string nameForNarrowCalls(const std::filesystem::path& file);

}  // namespace vadrel::platform

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

#include "core/file_io.hpp"
#include "core/platform/native_file.hpp"
#include "core/platform/system_errors.hpp"
#include "core/platform/user_folders.hpp"
#include "support/temp_dir.hpp"
#include "support/environment.hpp"

using namespace vadrel;
using test::TempDir;

// std::filesystem reports errno in either category: both read alike.
TEST(SystemReason, ErrnoReadsAlikeInEitherCategory)
{
    const struct {
        int err;
        const char* reason;
        bool missing;
    } cases[] = {
        {EACCES, "Acceso denegado", false},
        {ENOENT, "No existe el archivo o la carpeta", true},
        {ENOSPC, "No queda espacio en el disco", false},
        {ENAMETOOLONG, "El nombre del archivo es demasiado largo", false},
    };
    for (const auto& c : cases) {
#ifdef _WIN32
        // Windows' system category holds its own error numbers, not errno's.
        const auto categories = {&std::generic_category()};
#else
        const auto categories = {&std::generic_category(), &std::system_category()};
#endif
        for (const std::error_category* category : categories) {
            const std::error_code error(c.err, *category);
            EXPECT_EQ(systemReason(error), c.reason) << category->name();
            EXPECT_EQ(platform::isMissing(error), c.missing) << c.reason;
        }
        EXPECT_EQ(systemReason(c.err), c.reason);
    }
}

// The names made unique are the ones the clean-up knows: a run killed
// half-way leaves nothing that stays for good.
TEST(UniqueNames, FilesAndFoldersOfOurPatternAreDistinctAndCleanedWhenStale)
{
    namespace fs = std::filesystem;
    TempDir dir;
    std::set<fs::path> made;
    for (int i = 0; i < 3; ++i) {
        std::error_code error;
        const fs::path folder = platform::createUniqueFolder(dir.path(), ".vadrel-mapa-", error);
        ASSERT_FALSE(error) << error.message();
        EXPECT_TRUE(fs::is_empty(folder));
        fs::path file;
        platform::NativeFile open = platform::NativeFile::createUnique(dir.path(), ".vadrel-tmp-", file, error);
        ASSERT_TRUE(open.isOpen()) << error.message();
        ASSERT_TRUE(open.writeAll("x", error));
        ASSERT_TRUE(open.close(error));
        for (const fs::path& p : {folder, file}) {
            EXPECT_EQ(p.parent_path(), dir.path());
            EXPECT_TRUE(made.insert(p).second) << p;
        }
    }
    ASSERT_EQ(made.size(), 6u);

    const fs::path young = *made.begin();
    for (const fs::path& p : made)
        if (p != young) test::makeOld(p, 5);
    limpiaTemporalesViejos(dir.path());
    for (const fs::path& p : made) EXPECT_EQ(fs::exists(p), p == young) << p;
}

TEST(UniqueNames, AMissingParentIsAnErrorNotAFolderElsewhere)
{
    TempDir dir;
    std::error_code error;
    EXPECT_EQ(platform::createUniqueFolder(dir / "falta", "x-", error), std::filesystem::path());
    EXPECT_EQ(systemReason(error), "No existe el archivo o la carpeta");
    std::filesystem::path file;
    EXPECT_FALSE(platform::NativeFile::createUnique(dir / "falta", "x-", file, error).isOpen());
    EXPECT_TRUE(platform::isMissing(error));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Only an absolute XDG_CACHE_HOME counts; without it or HOME, no folder at
// all rather than a shared one.
TEST(UserFolders, TheCacheFolderFromTheEnvironment)
{
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the cache folder is %LOCALAPPDATA%, named by the system, not by XDG_CACHE_HOME or HOME";
#endif
    const struct {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        std::string cache;
    } cases[] = {
        {"/x/cache", "/home/ana", "/x/cache"},
        {"relativa", "/home/ana", "/home/ana/.cache"},
        {"", "/home/ana", "/home/ana/.cache"},
        {std::nullopt, "/home/ana", "/home/ana/.cache"},
        {std::nullopt, "", ""},
        {std::nullopt, std::nullopt, ""},
    };
    std::optional<std::string> saved[2];
    const char* names[2] = {"XDG_CACHE_HOME", "HOME"};
    for (int i = 0; i < 2; ++i)
        if (const char* v = std::getenv(names[i])) saved[i] = v;
    auto put = [&](int i, const std::optional<std::string>& value) {
        if (value)
            test::setEnv(names[i], value->c_str());
        else
            test::unsetEnv(names[i]);
    };
    for (const auto& c : cases) {
        put(0, c.xdg);
        put(1, c.home);
        EXPECT_EQ(platform::userCacheFolder(), std::filesystem::path(c.cache)) << c.xdg.value_or("(none)");
    }
    for (int i = 0; i < 2; ++i) put(i, saved[i]);
}

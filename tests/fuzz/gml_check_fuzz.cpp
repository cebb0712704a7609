// The GML check over any file: it reports, it never crashes, and what it
// says is whole UTF-8 with a place and a message.

#include <cstdlib>

#include "check/gml_check.hpp"
#include "core/text_file.hpp"
#include "fuzz_support.hpp"

using namespace vadrel;

namespace {

// The shared catalog when there is one beside the project, so that the
// schema validation runs too; else the schema check says it cannot run.
const check::SchemaSettings& settings()
{
    static const check::SchemaSettings s = [] {
        const std::filesystem::path catalog = std::filesystem::path(VADREL_SHARED_DIR) / "schemas";
        std::error_code ec;
        if (std::filesystem::is_regular_file(catalog / "catalog.xml", ec))
            return check::SchemaSettings::fromFolder(catalog);
        check::SchemaSettings offline;
        offline.cacheDir = fuzz::scratchDir() / "sin-esquemas";
        return offline;
    }();
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = fuzz::writeScratch("in.gml", fuzz::asText(data, size));
    for (const check::Problem& p : check::checkGmlFile(file, settings())) {
        if (p.place.empty() || p.message.empty() || !isValidUtf8(check::describe(p))) std::abort();
    }
    return 0;
}

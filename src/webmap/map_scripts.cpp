#include "webmap/map_scripts.hpp"

#include <system_error>

#include "core/file_io.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

const std::vector<std::string>& scriptsMapa()
{
    static const std::vector<std::string> kScripts{
        "leaflet/leaflet.js",
        "leaflet/leaflet.css",
        "leaflet/images/layers.png",
        "leaflet/images/layers-2x.png",
        "leaflet/images/marker-icon.png",
        "leaflet/images/marker-icon-2x.png",
        "leaflet/images/marker-shadow.png",
        "leaflet.wms.js",
        "Proj4Leaflet/lib/proj4-compressed.js",
        "Proj4Leaflet/src/proj4leaflet.js",
    };
    return kScripts;
}

std::vector<std::string> copiaScriptsMapa(const std::vector<std::filesystem::path>& origenes,
                                          const std::filesystem::path& destino)
{
    namespace fs = std::filesystem;
    std::vector<std::string> faltan;
    for (const std::string& script : scriptsMapa()) {
        std::error_code ec;
        const fs::path a = destino / pathFromUtf8(script);
        // One already there is the person's or an earlier page's: left alone.
        if (fs::exists(fs::symlink_status(a, ec))) continue;
        const fs::path* desde = nullptr;
        for (const fs::path& o : origenes)
            if (!o.empty() && fs::is_regular_file(o / pathFromUtf8(script), ec)) {
                desde = &o;
                break;
            }
        if (!desde) {
            faltan.push_back(script);
            continue;
        }
        fs::create_directories(a.parent_path(), ec);
        writeFileAtomically(a, readWholeFile(*desde / pathFromUtf8(script)));
    }
    return faltan;
}

}  // namespace vadrel

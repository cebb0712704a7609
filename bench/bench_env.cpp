#include "bench_env.hpp"

#include <cstdlib>
#include <string>

#include "core/number_format.hpp"

namespace vadrel::bench {

namespace {

struct Scratch {
    std::filesystem::path dir;
    Scratch()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "vadrel-bench-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        for (const auto& entry : std::filesystem::directory_iterator(VADREL_DATA_DIR))
            if (entry.path().extension() == ".XML") std::filesystem::copy_file(entry.path(), dir / entry.path().filename());
    }
    ~Scratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Scratch& theScratch()
{
    static Scratch s;
    return s;
}

}  // namespace

const std::filesystem::path& scratch() { return theScratch().dir; }
const std::filesystem::path& templates() { return theScratch().dir; }

BenchApp::BenchApp()
{
    ui.target = scratch() / "salida.gml";
    app = std::make_unique<Aplicacion>([this](std::string_view) -> Ui& { return ui; },
                                       Entorno{scratch(), NumberFormat::batch(), {}});
}

BenchApp::~BenchApp() = default;

}  // namespace vadrel::bench

// The desktop parcel window with large rings, offscreen: "Cargar GML" of a
// 10,000 / 100,000-vertex parcel, widgets filled, and a key typed into the
// filled "Coord. X" list. The window must stay usable at these sizes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdlib>
#include <map>

#include "app/parcel_window.hpp"
#include "app/qt_ui.hpp"
#include "app/skin.hpp"
#include "bench_env.hpp"
#include "steady_memory.hpp"

namespace {

using namespace vadrel;

// Dialogs answered at once: opens take `open`, boxes are not shown.
class AnsweringUi : public app::QtUi {
public:
    using QtUi::QtUi;
    static inline std::optional<std::string> open;
    void message(const std::string&) override {}
    bool confirm(const std::string&, bool defaultYes) override { return defaultYes; }
    std::optional<std::string> openFileName(const FileFilter&) override { return open; }
};

const std::filesystem::path& parcelGml(std::size_t n)
{
    static std::map<std::size_t, std::filesystem::path> cache;
    auto [it, fresh] = cache.try_emplace(n);
    if (fresh) {
        it->second = bench::scratch() / ("ventana_" + std::to_string(n) + ".gml");
        bench::writeParcel(bench::templates(), bench::ring(n), "1234567AB1234N", it->second);
    }
    return it->second;
}

std::unique_ptr<app::Skin> program()
{
    return std::make_unique<app::Skin>(Entorno{bench::scratch(), NumberFormat::batch(), {}},
                                       [](app::WindowRegistry& w) { return std::make_unique<AnsweringUi>(w); });
}

void BM_WindowLoadsParcelGml(benchmark::State& state)
{
    AnsweringUi::open = parcelGml(static_cast<std::size_t>(state.range(0))).string();
    for (auto _ : state) {
        state.PauseTiming();
        auto skin = program();
        auto* cargar = skin->parcel->findChild<QPushButton*>("BBCargarXML");
        state.ResumeTiming();
        cargar->click();
        benchmark::DoNotOptimize(skin->parcel->findChild<QPlainTextEdit*>("MX")->blockCount());
        state.PauseTiming();
        skin.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WindowLoadsParcelGml)->Apply([](auto* b) { bench::sizes(b, {10000, 100000}); });

void BM_KeyTypedIntoFilledList(benchmark::State& state)
{
    AnsweringUi::open = parcelGml(static_cast<std::size_t>(state.range(0))).string();
    auto skin = program();
    skin->parcel->findChild<QPushButton*>("BBCargarXML")->click();
    auto* mx = skin->parcel->findChild<QPlainTextEdit*>("MX");
    QTextCursor middle(mx->document()->findBlockByNumber(mx->blockCount() / 2));
    mx->setTextCursor(middle);
    bool add = true;
    for (auto _ : state) {
        QTest::keyClick(mx, add ? Qt::Key_5 : Qt::Key_Backspace);
        add = !add;
    }
}
BENCHMARK(BM_KeyTypedIntoFilledList)->Apply([](auto* b) { bench::sizes(b, {10000, 100000}, benchmark::kMicrosecond); });

}  // namespace

int main(int argc, char** argv)
{
    bench::keepFreedMemory();
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qapp(argc, argv);
    app::identifyApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

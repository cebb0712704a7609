#include "compare/compare_forms.hpp"

#include <algorithm>

#include "compare/cadastre_service.hpp"
#include "compare/comparison.hpp"
#include "compare/comparison_picture.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/messages.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel::compare {

namespace {

constexpr double kBoxMargin = 25.0;

struct Busy {
    Ui& ui;
    explicit Busy(Ui& u) : ui(u) { ui.setBusy(true); }
    ~Busy() { ui.setBusy(false); }
};

std::vector<Shape> downloadedMap(Ui& ui, const std::vector<Shape>& fresh, int zone)
{
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const Shape& s : fresh)
        for (const Patch& p : s.patches)
            for (const Punto& v : p.rings.front()) {
                minX = std::min(minX, v.x);
                minY = std::min(minY, v.y);
                maxX = std::max(maxX, v.x);
                maxY = std::max(maxY, v.y);
            }
    const CadastreService service = CadastreService::fromEnvironment();
    Busy busy(ui);
    return service.parcelsInBox(minX - kBoxMargin, minY - kBoxMargin, maxX + kBoxMargin, maxY + kBoxMargin, zone);
}

}  // namespace

void compareParcelsInWindow(Ui& ui, const std::vector<Shape>& fresh, int zone)
{
    std::vector<Shape> map;
    if (ui.confirm(kAskDownload, true)) {
        map = downloadedMap(ui, fresh, zone);
    } else {
        const std::vector<std::string> files = ui.openFileNames(msg::kFiltroGml);
        if (files.empty()) return;
        for (const std::string& file : files) {
            std::vector<Shape> shapes = readShapes(file, Kind::Parcels);
            map.insert(map.end(), shapes.begin(), shapes.end());
        }
    }
    const ParcelComparison result = compareParcels(fresh, map);
    std::string text;
    for (const std::string& line : reportLines(result, map)) text += line + '\n';
    ui.showPictureReport("Comparación con la cartografía catastral", text, kPictureSide, [&](Canvas& canvas) {
        drawComparison(canvas, kPictureSide, partsOf(result, map, fresh));
    });
}

}  // namespace vadrel::compare

namespace vadrel {

// Here rather than with the other handlers: all of it is the comparison's.
void TFParcelgen::BBCompararClick()
{
    std::vector<Punto> points = puntosDe(MX, MY, formato);
    if (points.size() < 3) throw Failure(msg::kPocasCoordenadas);
    points.push_back(points.front());
    const std::string ref = RBRefCatas && compare::isCadastralReference(ERefCatas) ? ERefCatas : "";
    const int zone = CBHuso == "28" || CBHuso == "29" || CBHuso == "31" ? std::stoi(CBHuso) : 30;
    compare::compareParcelsInWindow(ui_, {compare::Shape{ref, {compare::Patch{{points}}}}}, zone);
}

}  // namespace vadrel

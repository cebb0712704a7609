#include "compare/compare_forms.hpp"

#include "check/check_text.hpp"
#include "compare/comparison.hpp"
#include "compare/comparison_picture.hpp"
#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::compare {

namespace {

// A name from a file, fit to print.
std::string shown(const std::string& text) { return check::printable(text, check::kLongestName); }

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

}  // namespace

WindowDownload::WindowDownload(Ui& ui)
    : service_(CadastreService::fromEnvironment()), progress_(ui.startProgress())
{
    service_.progress = progress_.get();
}

std::vector<Shape> chosenMap(Ui& ui, const std::vector<Shape>& fresh, int zone)
{
    if (ui.confirm(kAskDownload, true)) return WindowDownload(ui).service().parcelsAround(fresh, zone);
    return readAllShapes(ui.openFileNames(msg::kFiltroGml), Kind::Parcels);
}

ParcelComparison showParcelComparison(Ui& ui, const std::vector<Shape>& fresh, const std::vector<Shape>& map,
                                      std::optional<double> registered, const std::vector<Arrow>& arrows)
{
    ParcelComparison result = compareParcels(fresh, map);
    ui.showPictureReport(kComparisonTitle, joined(reportLines(result, map, registered)), kPictureSide,
                         [&](Canvas& canvas) {
                             PictureParts parts = partsOf(result, map, fresh);
                             parts.arrows = arrows;
                             drawComparison(canvas, kPictureSide, parts);
                         });
    return result;
}

std::vector<Shape> parcelNamed(const std::vector<Shape>& parcels, const std::string& ref, const std::string& file)
{
    std::vector<Shape> named;
    for (const Shape& s : parcels)
        if (s.name == ref) named.push_back(s);
    if (!named.empty()) return named;
    if (parcels.size() == 1) return parcels;
    throw Failure("Error. " + shown(utf8Of(pathFromUtf8(file).filename())) + " no contiene la parcela " +
                  shown(ref) + " del edificio.");
}

std::vector<Shape> chosenParcel(Ui& ui, const std::string& ref, int zone)
{
    const std::string parcelRef = ref.substr(0, 14);
    if (ui.confirm(kAskDownloadParcel, true)) {
        if (!isCadastralReference(parcelRef))
            throw Failure(std::string(kNoMap) + "el edificio no tiene una referencia catastral (" + shown(ref) + ").");
        return WindowDownload(ui).service().parcelOf(parcelRef, zone);
    }
    const auto file = ui.openFileName(msg::kFiltroGml);
    if (!file) return {};
    return parcelNamed(readShapes(pathFromUtf8(*file), Kind::Parcels), parcelRef, *file);
}

void showBuildingComparison(Ui& ui, const std::vector<Shape>& constructions, const std::vector<Shape>& parcel)
{
    const std::vector<ConstructionOutside> outside = compareBuilding(constructions, parcel);
    ui.showPictureReport(kComparisonTitle, joined(reportLines(outside)), kPictureSide, [&](Canvas& canvas) {
        drawComparison(canvas, kPictureSide, partsOf(outside, parcel, constructions));
    });
}

}  // namespace vadrel::compare

#pragma once
// "Comparar con Catastro" as the windows run it: the cadastral map
// downloaded or chosen, the figures shown as a report with its picture.
// Every failure to get the map throws Failure (shown by the window) and
// changes nothing.

#include <string>
#include <vector>

#include <memory>
#include <optional>

#include "compare/cadastre_service.hpp"
#include "compare/comparison.hpp"
#include "compare/comparison_picture.hpp"
#include "compare/shapes.hpp"
#include "core/ui.hpp"

namespace vadrel::compare {

inline constexpr const char* kAskDownload =
    "¿Descargar la cartografía catastral de la zona? (No: elegir un archivo GML del catastro)";
inline constexpr const char* kAskDownloadParcel =
    "¿Descargar del catastro la parcela del edificio? (No: elegir un archivo GML de la parcela)";
inline constexpr const char* kComparisonTitle = "Comparación con la cartografía catastral";

// The cadastre's service as the windows use it, for as long as this lives:
// the address from the environment, and every request in a progress box
// (no busy pointer: its "Cancelar" must look pressable) that stops the
// download before the next request.
class WindowDownload {
public:
    explicit WindowDownload(Ui& ui);
    const CadastreService& service() const { return service_; }

private:
    CadastreService service_;
    std::unique_ptr<Progress> progress_;
};

// The map around the new parcels, downloaded, or read from the cadastre
// GML files chosen. Empty when the person cancels the file dialog.
std::vector<Shape> chosenMap(Ui& ui, const std::vector<Shape>& fresh, int zone);
// The comparison's lines (with the registered area's, when given) and its
// picture (with the common points' arrows, when given); gives the figures.
ParcelComparison showParcelComparison(Ui& ui, const std::vector<Shape>& fresh, const std::vector<Shape>& map,
                                      std::optional<double> registered = std::nullopt,
                                      const std::vector<Arrow>& arrows = {});

// The parcel of the building's reference, downloaded, or taken from the
// parcel GML chosen. Empty when the person cancels the file dialog.
std::vector<Shape> chosenParcel(Ui& ui, const std::string& ref, int zone);
void showBuildingComparison(Ui& ui, const std::vector<Shape>& constructions, const std::vector<Shape>& parcel);

// The parcel named `ref` among `parcels` (several patches of one parcel
// may come as several shapes); a file of one parcel is that parcel,
// whatever its name. Throws Failure when neither holds.
std::vector<Shape> parcelNamed(const std::vector<Shape>& parcels, const std::string& ref, const std::string& file);

}  // namespace vadrel::compare

// The "Agrupar GMLs" page: two lists of file names and the grouping of the
// right-hand files into one GML, either as one parcel made of all their
// surfaces or as a collection of the parcels as they are.

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/number_format.hpp"
#include "core/numeric_text.hpp"
#include "core/spanish_order.hpp"
#include "core/utm_spain.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"
#include "shell/aplicacion.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const FileFilter kFiltroAbrirGmls{"Archivos GML|*.gml|Todos los archivos|*.*", ""};

const char* const kPocosArchivos =
    "Error. Debe haber más de un archivo GML en la columna de la derecha para poder agruparlos.";
const char* const kSinBase = "Error. No se ha podido encontrar la base para unir los GMLs";
const char* const kUnaParcela = "¿Los GML que va a agrupar forman UNA ÚNICA PARCELA?";
const char* const kCancelada = "Se ha cancelado la agrupación. No se ha realizado ninguna acción.";
const char* const kSinNombre = "Error. No ha rellenado ningún nombre/referencia";
const char* const kSinParcelas = "Error. Ningún archivo contiene parcelas.";

// A sorted list box's order: a Spanish reader's, as the file dialog's.
bool antes(const std::string& a, const std::string& b) { return antesEnEspanol(a, b); }

// The lists hold full paths and show, and sort by, the bare file names.
std::string nombreDe(const std::string& ruta) { return utf8Of(pathFromUtf8(ruta).filename()); }

void insertaOrdenado(std::vector<std::string>& list, const std::string& ruta)
{
    auto porNombre = [](const std::string& a, const std::string& b) { return antes(nombreDe(a), nombreDe(b)); };
    list.insert(std::upper_bound(list.begin(), list.end(), ruta, porNombre), ruta);
}

// The selected lines of `from`, in list order, taken out of it.
std::vector<std::string> sacaSeleccionados(std::vector<std::string>& from, std::vector<int>& seleccion)
{
    std::sort(seleccion.begin(), seleccion.end());
    seleccion.erase(std::unique(seleccion.begin(), seleccion.end()), seleccion.end());
    std::vector<std::string> taken;
    std::vector<std::string> kept;
    std::size_t next = 0;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const bool selected = next < seleccion.size() && seleccion[next] == static_cast<int>(i);
        if (selected) ++next;
        (selected ? taken : kept).push_back(from[i]);
    }
    from = std::move(kept);
    seleccion.clear();
    return taken;
}

// The file's parcels in document order: "member" elements (the download
// form) or "gml:featureMember" ones (the delivery form).
std::vector<pugi::xml_node> miembros(const pugi::xml_document& doc)
{
    return buscaTodos(doc, {"member", "gml:featureMember"});
}

// A parcel into the grouped file, always as a "member": that is the form of
// the grouped file's collection, whichever form it came in.
pugi::xml_node anadeComoMember(pugi::xml_node coleccion, pugi::xml_node member)
{
    if (std::string_view(member.name()) == "member") return coleccion.append_copy(member);
    pugi::xml_node copia = coleccion.append_child("member");
    for (pugi::xml_node c = member.first_child(); c; c = c.next_sibling()) copia.append_copy(c);
    return copia;
}

// The identifier of a parcel, prefixed or not (the writer's download form
// has it unprefixed).
pugi::xml_node identificador(pugi::xml_node member) { return buscaNodo("base:localId", "localId", member); }

// An empty box: any corner widens it, negative or beyond 10⁹ as well.
constexpr double kInf = std::numeric_limits<double>::infinity();
struct Caja {
    double minX = kInf;
    double minY = kInf;
    double maxX = -kInf;
    double maxY = -kInf;
};

// "X Y", the two separated by any white space as in a position list.
std::pair<double, double> esquina(const std::string& text, const NumberFormat& fmt)
{
    CoordList x, y;
    partirPosList(text, x, y);
    return {MiStrToFloat(x.empty() ? "" : x[0], fmt), MiStrToFloat(y.empty() ? "" : y[0], fmt)};
}

// The box of a parcel's own rings, for a parcel that carries no corners
// (the cadastre's downloads): its lower and upper corner.
std::pair<std::pair<double, double>, std::pair<double, double>> cajaDeAnillos(pugi::xml_node member,
                                                                              const NumberFormat& fmt)
{
    double minX = kInf, minY = kInf, maxX = -kInf, maxY = -kInf;
    for (pugi::xml_node posList : buscaTodos(member, {"gml:posList"})) {
        const std::string text = textOf(posList);
        std::vector<std::string> valores;
        std::size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
            std::size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
            if (i > start) valores.push_back(text.substr(start, i - start));
        }
        for (std::size_t k = 0; k + 1 < valores.size(); k += 2) {
            const double x = MiStrToFloat(valores[k], fmt), y = MiStrToFloat(valores[k + 1], fmt);
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
    }
    return {{minX, minY}, {maxX, maxY}};
}

std::string par(double x, double y) { return formatGeneral(x, '.') + " " + formatGeneral(y, '.'); }

// The zone of a ring: that of the nearest srsName at or above it, when that
// names one of Spain's UTM zones.
std::optional<int> husoDe(pugi::xml_node n)
{
    for (; n; n = n.parent()) {
        if (pugi::xml_attribute srs = n.attribute("srsName")) {
            const std::optional<int> epsg = epsgDeSrsName(srs.value());
            return epsg ? utm::zoneOfEpsg(*epsg) : std::nullopt;
        }
    }
    return std::nullopt;
}

// Every ring of the parcels to group in Spain's UTM range of its own file's
// zone, told with its values as the file holds them; a ring in any other
// system is not judged. Before anything is asked or built: a file of local
// units or swapped coordinates would otherwise be grouped as it is. The
// warning of a zone far away, once for the whole grouping.
bool coordenadasDeEspana(Ui& ui, const std::vector<std::string>& archivos, const NumberFormat& fmt)
{
    std::optional<int> lejano;
    pugi::xml_document doc;
    for (const std::string& archivo : archivos) {
        loadXml(doc, pathFromUtf8(archivo));
        for (pugi::xml_node member : miembros(doc)) {
            if (!buscaNodo("cp:CadastralParcel", member)) continue;
            for (pugi::xml_node posList : buscaTodos(member, {"gml:posList"})) {
                const std::optional<int> huso = husoDe(posList);
                if (!huso) continue;
                CoordList x, y;
                partirPosList(textOf(posList), x, y);
                utm::Review review(*huso);
                if (!compruebaUtm(ui, review, x, y, fmt)) return false;
                if (!lejano && review.awayFromMeridian()) lejano = huso;
            }
        }
    }
    if (lejano) ui.message(msg::fueraDelHuso(*lejano));
    return true;
}

}  // namespace

void TFParcelgen::BitBtn1Click()
{
    const std::vector<std::string> files = ui_.openFileNames(kFiltroAbrirGmls);
    if (files.empty()) return;
    // Each file is kept by the path it was chosen with: files of several
    // folders are grouped exactly as chosen. A file already in either list
    // is not added again.
    std::set<std::filesystem::path> presentes;
    auto clave = [](const std::string& f) {
        std::error_code ec;
        std::filesystem::path p = std::filesystem::weakly_canonical(pathFromUtf8(f), ec);
        return ec ? std::filesystem::absolute(pathFromUtf8(f)).lexically_normal() : p;
    };
    for (const auto* lista : {&LBOrigen, &LBDestino})
        for (const std::string& f : *lista) presentes.insert(clave(f));
    for (const std::string& f : files)
        if (presentes.insert(clave(f)).second) insertaOrdenado(LBOrigen, utf8Of(std::filesystem::absolute(pathFromUtf8(f))));
    LBOrigenSeleccion.clear();
}

void TFParcelgen::SpeedButton1Click()
{
    for (std::string& name : sacaSeleccionados(LBOrigen, LBOrigenSeleccion)) LBDestino.push_back(std::move(name));
}

void TFParcelgen::SpeedButton2Click()
{
    for (const std::string& name : sacaSeleccionados(LBDestino, LBDestinoSeleccion)) insertaOrdenado(LBOrigen, name);
}

void TFParcelgen::SpeedButton3Click()
{
    LBOrigen.clear();
    LBDestino.clear();
    LBOrigenSeleccion.clear();
    LBDestinoSeleccion.clear();
}

void TFParcelgen::BitBtn2Click()
{
    if (LBDestino.size() < 2) return ui_.message(kPocosArchivos);
    pugi::xml_node coleccion = buscaNodo("FeatureCollection", XMLMultiple);
    if (!coleccion) return ui_.message(kSinBase);
    if (!coordenadasDeEspana(ui_, LBDestino, formato)) return;

    // Every grouping starts from the template, also after one that stopped
    // on a file that does not load.
    auto recarga = [this] { loadXml(XMLMultiple, entorno_.plantilla(kPlantillaMultiple)); };
    try {
        const bool guardar = ui_.confirm(kUnaParcela, false) ? agrupaUna(coleccion) : agrupaVarias(coleccion);
        if (guardar)
            if (auto file = ui_.saveFileName(msg::kFiltroGml)) saveXml(XMLMultiple, pathFromUtf8(*file));
    } catch (...) {
        try {
            recarga();
        } catch (const Failure&) {
            // The failure that stopped the grouping is the one to tell.
        }
        throw;
    }
    recarga();
}

bool TFParcelgen::agrupaVarias(pugi::xml_node coleccion)
{
    bool algunaParcela = false;
    // One message per parcel whose reference came before: telling it once
    // per earlier copy made n copies n²/2 boxes to click away.
    std::set<std::string> referencias;
    for (const std::string& name : LBDestino) {
        loadXml(XMLCarga, pathFromUtf8(name));
        for (pugi::xml_node member : miembros(XMLCarga)) {
            if (!buscaNodo("cp:CadastralParcel", member)) continue;
            if (pugi::xml_node id = identificador(member)) {
                const std::string ref = textOf(id);
                if (!referencias.insert(ref).second)
                    ui_.message("Error. Referencia catastral " + ref +
                                " repetida. No puede estar la misma referencia varias veces en el mismo GML.");
            }
            anadeComoMember(coleccion, member);
            algunaParcela = true;
        }
    }
    if (!algunaParcela) ui_.message(kSinParcelas);
    return algunaParcela;
}

bool TFParcelgen::agrupaUna(pugi::xml_node coleccion)
{
    if (!app_ || ui_.showModal(*app_->FRef) != ModalResult::Ok) {
        ui_.message(kCancelada);
        return false;
    }
    const std::string nombre = app_->FRef->ERef;
    if (nombre.empty()) {
        ui_.message(kSinNombre);
        return false;
    }
    if (!compruebaCaracteres(nombre)) {
        ui_.message(msg::kCaracteresReferencia);
        return false;
    }

    double area = 0;
    Caja caja;
    std::string referencia;
    pugi::xml_node base;
    pugi::xml_node superficies;  // the base member's first gml:MultiSurface
    // The first parcel, kept aside while it has no surfaces to gather the
    // others' in (a parcel of a reference point only): the base when no
    // parcel has any.
    pugi::xml_document sinSuperficies;
    std::set<std::string> ids;   // every surface id given, so that none repeats
    // Per reference, the numbers known taken, each pointing past itself: the
    // search for a free number jumps over runs of them instead of trying
    // each again for every surface (thousands of surfaces of one reference
    // took minutes).
    std::map<std::string, std::map<int, int>> tomados;
    auto libreDesde = [](std::map<int, int>& saltos, int k) {
        std::vector<int> camino;
        for (auto it = saltos.find(k); it != saltos.end(); it = saltos.find(k)) {
            camino.push_back(k);
            k = it->second;
        }
        for (int c : camino) saltos[c] = k;  // shortened for the next search
        return k;
    };

    for (std::size_t f = 0; f < LBDestino.size(); ++f) {
        loadXml(XMLCarga, pathFromUtf8(LBDestino[f]));
        for (pugi::xml_node member : miembros(XMLCarga)) {
            // A member without a parcel (a building, a lone point) is no part
            // of the grouping: as the base it lost every surface.
            if (!buscaNodo("cp:CadastralParcel", member)) continue;
            if (!base && !buscaNodo("gml:MultiSurface", member)) {
                if (!sinSuperficies.first_child()) sinSuperficies.append_copy(member);
            } else if (!base) {
                // The base member lives in the grouped document from the start:
                // the other members' surfaces gather in it.
                base = member = anadeComoMember(coleccion, member);
                superficies = buscaNodo("gml:MultiSurface", base);
            }
            if (auto n = buscaNodo("cp:areaValue", member)) area += MiStrToFloat(textOf(n), formato);

            const auto lower = buscaNodo("gml:lowerCorner", member);
            const auto upper = buscaNodo("gml:upperCorner", member);
            std::pair<std::pair<double, double>, std::pair<double, double>> anillos;
            if (!lower || !upper) anillos = cajaDeAnillos(member, formato);
            const auto [x0, y0] = lower ? esquina(textOf(lower), formato) : anillos.first;
            const auto [x1, y1] = upper ? esquina(textOf(upper), formato) : anillos.second;
            caja.minX = std::min(caja.minX, x0);
            caja.minY = std::min(caja.minY, y0);
            caja.maxX = std::max(caja.maxX, x1);
            caja.maxY = std::max(caja.maxY, y1);

            if (auto id = identificador(member)) referencia = textOf(id);

            const std::vector<pugi::xml_node> surfaceMembers = buscaTodos(member, {"gml:surfaceMember"});
            std::map<int, int>& saltos = tomados[referencia];
            for (std::size_t i = 0; i < surfaceMembers.size(); ++i) {
                // The first number from i + 2 whose name is free; a name can
                // also be taken through another reference ("1" + "23A" is
                // "12" + "3A"), which the set of names tells.
                int numero = libreDesde(saltos, static_cast<int>(i) + 2);
                auto nombreSuperficie = [&] { return "Surface_ES.LOCAL.CP." + std::to_string(numero) + referencia; };
                while (ids.count(nombreSuperficie())) {
                    saltos[numero] = numero + 1;
                    numero = libreDesde(saltos, numero + 1);
                }
                saltos[numero] = numero + 1;
                ids.insert(nombreSuperficie());
                if (auto surface = buscaNodo("gml:Surface", surfaceMembers[i]))
                    setAttribute(surface, "gml:id", nombreSuperficie());
                if (!superficies) continue;
                if (member == base)
                    superficies.append_move(surfaceMembers[i]);
                else
                    superficies.append_copy(surfaceMembers[i]);
            }
        }
    }

    if (!base && sinSuperficies.first_child()) base = anadeComoMember(coleccion, sinSuperficies.first_child());
    if (!base) {
        ui_.message(kSinParcelas);
        return false;
    }
    if (auto n = buscaNodo("cp:areaValue", base)) setText(n, formatGeneral(area, '.'));
    // No corner and no ring anywhere leaves the box empty: the base keeps its own.
    if (caja.minX <= caja.maxX && caja.minY <= caja.maxY) {
        if (auto n = buscaNodo("gml:lowerCorner", base)) setText(n, par(caja.minX, caja.minY));
        if (auto n = buscaNodo("gml:upperCorner", base)) setText(n, par(caja.maxX, caja.maxY));
        if (auto n = buscaNodo("gml:pos", base))
            setText(n, par((caja.maxX + caja.minX) / 2, (caja.maxY + caja.minY) / 2));
    }
    if (auto n = identificador(base)) setText(n, nombre);
    // A new parcel has no cadastral reference and no label yet: the first
    // file's would name a parcel that the grouped one is not.
    if (auto n = buscaNodo("cp:nationalCadastralReference", base)) setText(n, "");
    if (auto n = buscaNodo("cp:label", base)) setText(n, "");
    // The grouped parcel is a new one with a local name, as its gml:id says;
    // left as the first file's "ES.SDGC.CP" the name would be taken for a
    // cadastral reference, which the cadastre refuses.
    if (auto n = buscaNodo("base:namespace", "namespace", base)) setText(n, "ES.LOCAL.CP");
    if (auto n = buscaNodo("cp:CadastralParcel", base)) setAttribute(n, "gml:id", "ES.LOCAL.CP." + nombre);
    if (auto n = buscaNodo("gml:MultiSurface", base)) setAttribute(n, "gml:id", "Multisurface_ES.LOCAL.CP." + nombre);
    if (auto n = buscaNodo("gml:Point", base)) setAttribute(n, "gml:id", "ReferencePoint_ES.LOCAL.CP." + nombre);
    return true;
}

}  // namespace vadrel

#include "io/dxf_polylines.hpp"

#include <charconv>

#include "core/numeric_text.hpp"
#include "core/text_file.hpp"

namespace vadrel {

namespace {

constexpr int kCerrada = 1;
constexpr int kMalla3d = 16;
constexpr int kMallaPoliforme = 64;

bool esCodigo(std::string_view line, std::string_view code) { return trimmed(line) == code; }

bool ligeraAlPrincipio(std::string_view line)
{
    std::size_t at = line.find("LWPOLYLINE");
    return at != std::string_view::npos && at < 4;
}

bool esR12(std::string_view line) { return trimmed(line) == "POLYLINE"; }

bool finDeSeccion(std::string_view line) { return line.find("ENDSEC") != std::string_view::npos; }

int flagsDe(std::string_view value)
{
    const std::string_view t = trimmed(value);
    int flags = 0;
    std::from_chars(t.data(), t.data() + t.size(), flags);
    return flags;
}

bool esMalla(int flags) { return (flags & (kMalla3d | kMallaPoliforme)) != 0; }

// Where entities are drawn: the line after a group code 0 in the ENTITIES
// section, or anywhere in a bare list of entities without sections.
class BuscaEntidad {
public:
    explicit BuscaEntidad(LineReader& reader) : reader_(reader) {}

    // Reads up to the next entity name that `es` accepts; false at the end.
    template <class Es>
    bool siguiente(Es es)
    {
        std::string_view line;
        while (reader_.next(line)) {
            const bool trasCero = esCodigo(anterior_, "0");
            anterior_ = line;
            if (trasCero && trimmed(line) == "SECTION") {
                conSecciones_ = nombreSeccion_ = true;
                tras_ = 0;
            } else if (nombreSeccion_ && ++tras_ == 2) {
                nombreSeccion_ = false;
                enEntidades_ = trimmed(line) == "ENTITIES";
            }
            if (trasCero && es(line) && (enEntidades_ || !conSecciones_)) return true;
        }
        return false;
    }

private:
    LineReader& reader_;
    std::string_view anterior_;
    bool conSecciones_ = false, nombreSeccion_ = false, enEntidades_ = false;
    int tras_ = 0;  // lines since "0" / "SECTION", when the section's name is next
};

// From an entity's name on, lines go in pairs: a group code, then its value.
bool siguientePar(LineReader& reader, std::string_view& codigo, std::string_view& valor)
{
    return reader.next(codigo) && !finDeSeccion(codigo) && reader.next(valor) && !finDeSeccion(valor);
}

// The flags of the POLYLINE whose name was just read, from its own pairs.
int flagsDeCabecera(LineReader reader)
{
    std::string_view codigo, valor;
    int flags = 0;
    while (siguientePar(reader, codigo, valor) && !esCodigo(codigo, "0"))
        if (esCodigo(codigo, "70")) flags = flagsDe(valor);
    return flags;
}

void leeLigeras(LineReader& reader, LectorPolilineas& lector)
{
    // Code 0 starts the next entity; only a polyline's 10, 20 and 42 are
    // its vertices (a text's insertion point after it is no corner).
    std::size_t k = 0, vertices = 0;
    int flags = 0;
    bool enPolilinea = lector.empieza(k);
    if (!enPolilinea) return;
    std::string_view codigo, valor;
    while (siguientePar(reader, codigo, valor)) {
        if (esCodigo(codigo, "0")) {
            if (enPolilinea) lector.termina((flags & kCerrada) != 0);
            enPolilinea = ligeraAlPrincipio(valor);
            if (enPolilinea && !lector.empieza(++k)) return;
            vertices = 0;
            flags = 0;
        } else if (!enPolilinea) {
            continue;
        } else if (esCodigo(codigo, "10")) {
            ++vertices;
            lector.valor(true, valor);
        } else if (esCodigo(codigo, "20")) {
            lector.valor(false, valor);
        } else if (esCodigo(codigo, "42")) {
            if (vertices > 0) lector.bulge(vertices - 1, valor);
        } else if (esCodigo(codigo, "70")) {
            flags = flagsDe(valor);
        }
    }
    if (enPolilinea) lector.termina((flags & kCerrada) != 0);
}

void leeR12(LineReader& reader, LectorPolilineas& lector)
{
    // The first POLYLINE's name has been read: its header comes first.
    enum class En { cabecera, vertice, otra } en = En::cabecera;
    std::size_t k = 0, vertices = 0;
    int flags = 0;
    bool abierta = false;
    const auto termina = [&] {
        if (abierta) lector.termina((flags & kCerrada) != 0);
        abierta = false;
    };
    std::string_view codigo, valor;
    while (siguientePar(reader, codigo, valor)) {
        if (esCodigo(codigo, "0")) {
            if (en == En::cabecera) {
                // The header is whole: a mesh's vertices are skipped.
                if (!esMalla(flags)) {
                    if (!lector.empieza(k++)) return;
                    abierta = true;
                }
            }
            const std::string_view nombre = trimmed(valor);
            en = En::otra;
            if (nombre == "VERTEX") {
                if (abierta) {
                    en = En::vertice;
                    ++vertices;
                }
            } else if (nombre == "SEQEND") {
                termina();
            } else if (nombre == "POLYLINE") {
                termina();
                en = En::cabecera;
                flags = 0;
                vertices = 0;
            }
        } else if (en == En::cabecera) {
            // Its own 10 and 20 are a dummy point, never a vertex.
            if (esCodigo(codigo, "70")) flags = flagsDe(valor);
        } else if (en == En::vertice) {
            if (esCodigo(codigo, "10"))
                lector.valor(true, valor);
            else if (esCodigo(codigo, "20"))
                lector.valor(false, valor);
            else if (esCodigo(codigo, "42"))
                lector.bulge(vertices - 1, valor);
        }
    }
    if (en == En::cabecera && !esMalla(flags)) {
        if (!lector.empieza(k)) return;
        abierta = true;
    }
    termina();
}

}  // namespace

ClasePolilinea recorrePolilineas(std::string_view text, LectorPolilineas& lector)
{
    {
        LineReader reader(text);
        BuscaEntidad busca(reader);
        if (busca.siguiente(ligeraAlPrincipio)) {
            leeLigeras(reader, lector);
            return ClasePolilinea::ligera;
        }
    }
    LineReader reader(text);
    BuscaEntidad busca(reader);
    while (busca.siguiente(esR12)) {
        if (esMalla(flagsDeCabecera(reader))) continue;
        leeR12(reader, lector);
        return ClasePolilinea::r12;
    }
    return ClasePolilinea::ninguna;
}

}  // namespace vadrel

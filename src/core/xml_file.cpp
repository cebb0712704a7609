#include "core/xml_file.hpp"

#include <algorithm>
#include <sstream>

#include "core/failure.hpp"
#include "core/file_io.hpp"

namespace vadrel {

namespace {

// The searches recurse once per level; real GML is a few dozen levels deep.
constexpr int kMaxDepth = 1000;

const unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi;

const char* describe(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_out_of_memory: return "no hay memoria suficiente";
    case pugi::status_unrecognized_tag: return "etiqueta no reconocida";
    case pugi::status_bad_pi: return "instrucción de proceso o declaración mal formada";
    case pugi::status_bad_comment: return "comentario mal formado";
    case pugi::status_bad_cdata: return "sección CDATA mal formada";
    case pugi::status_bad_doctype: return "declaración de tipo de documento mal formada";
    case pugi::status_bad_pcdata: return "texto mal formado";
    case pugi::status_bad_start_element: return "etiqueta de apertura mal formada";
    case pugi::status_bad_attribute: return "atributo mal formado";
    case pugi::status_bad_end_element: return "etiqueta de cierre mal formada";
    case pugi::status_end_element_mismatch: return "la etiqueta de cierre no corresponde a la de apertura";
    case pugi::status_append_invalid_root: return "raíz no válida";
    case pugi::status_no_document_element: return "el documento no tiene ningún elemento";
    default: return "error de lectura";
    }
}

int depthOf(pugi::xml_node root)
{
    int depth = 0, deepest = 0;
    pugi::xml_node node = root.first_child();
    while (node) {
        deepest = std::max(deepest, depth + 1);
        if (deepest > kMaxDepth) return deepest;
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling() && node != root) {
            node = node.parent();
            --depth;
        }
        if (!node || node == root) break;
        node = node.next_sibling();
    }
    return deepest;
}

}  // namespace

void loadXml(pugi::xml_document& doc, const std::filesystem::path& path)
{
    doc.reset();
    std::string bytes = readWholeFile(path);

    pugi::xml_parse_result res = doc.load_buffer(bytes.data(), bytes.size(), kParseOptions);
    if (res && !doc.document_element()) res.status = pugi::status_no_document_element;
    if (!res) {
        doc.reset();
        std::ostringstream msg;
        msg << "El archivo '" << path.string() << "' no es un documento XML válido: " << describe(res.status);
        if (res.status != pugi::status_no_document_element) {
            auto upTo = bytes.begin() + std::min<std::ptrdiff_t>(res.offset, static_cast<std::ptrdiff_t>(bytes.size()));
            msg << " (línea " << std::count(bytes.begin(), upTo, '\n') + 1 << ")";
        }
        msg << ".";
        throw Failure(msg.str());
    }
    if (depthOf(doc) > kMaxDepth) {
        doc.reset();
        throw Failure("El archivo '" + path.string() + "' tiene demasiados niveles de anidamiento.");
    }
}

void saveXml(const pugi::xml_document& doc, const std::filesystem::path& path)
{
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    writeFileAtomically(path, out.str());
}

bool hasRoot(const pugi::xml_document& doc) { return static_cast<bool>(doc.document_element()); }

}  // namespace vadrel

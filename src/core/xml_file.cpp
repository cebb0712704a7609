#include "core/xml_file.hpp"

#include <algorithm>
#include <exception>
#include <sstream>

#include "core/failure.hpp"
#include "core/file_io.hpp"

namespace vadrel {

namespace {

// Our searches walk any depth, but pugixml frees a removed subtree (the
// text a writer replaces) recursively; real GML is a few dozen levels deep.
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

namespace {

// Straight to the file in large pieces: the whole text never sits in memory.
// pugixml's writer cannot fail, so the first failure is kept and thrown once
// the document is out.
class FileWriter : public pugi::xml_writer {
public:
    explicit FileWriter(AtomicFile& file) : file_(file) { buffer_.reserve(kChunk); }
    void write(const void* data, std::size_t size) override
    {
        if (failure_) return;
        buffer_.append(static_cast<const char*>(data), size);
        if (buffer_.size() >= kChunk) flush();
    }
    void finish()
    {
        flush();
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    static constexpr std::size_t kChunk = 1 << 20;
    void flush()
    {
        if (failure_) return;
        try {
            file_.write(buffer_);
        } catch (...) {
            failure_ = std::current_exception();
        }
        buffer_.clear();
    }
    AtomicFile& file_;
    std::string buffer_;
    std::exception_ptr failure_;
};

}  // namespace

void saveXml(const pugi::xml_document& doc, const std::filesystem::path& path)
{
    AtomicFile file(path);
    FileWriter out(file);
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    out.finish();
    file.commit();
}

bool hasRoot(const pugi::xml_document& doc) { return static_cast<bool>(doc.document_element()); }

}  // namespace vadrel

#include "core/xml_file.hpp"

#include <algorithm>
#include <exception>
#include <sstream>

#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/numeric_text.hpp"
#include "core/text_file.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

// Our searches walk any depth, but pugixml frees a removed subtree (the
// text a writer replaces) recursively; real GML is a few dozen levels deep.
constexpr int kMaxDepth = 1000;
// A GML element carries a handful of attributes (the root its dozen
// namespaces); libxml2's check of repeated attributes grows with the square
// of their number, so a file with thousands on one element is refused here.
constexpr std::size_t kMaxAttributes = 256;

// The DOCTYPE is read only to be refused when it declares entities, and
// then dropped: no GML has one.
const unsigned kParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi | pugi::parse_doctype;

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

// The largest number of attributes on one element.
std::size_t mostAttributes(const pugi::xml_document& doc)
{
    std::size_t most = 0;
    for (pugi::xml_node n = doc.document_element(); n;) {
        std::size_t count = 0;
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) ++count;
        most = std::max(most, count);
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && !n.next_sibling()) n = n.parent();
        if (n) n = n.next_sibling();
    }
    return most;
}

bool wideText(std::string_view bytes)
{
    // A UTF-16 or UTF-32 byte-order mark, or the NUL bytes of "<" in either.
    return bytes.size() >= 2 && (bytes[0] == '\0' || bytes[1] == '\0' || bytes.substr(0, 2) == "\xFF\xFE" ||
                                 bytes.substr(0, 2) == "\xFE\xFF");
}

std::size_t lineAt(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + std::min(offset, bytes.size()), '\n')) + 1;
}

}  // namespace

std::string declaredEncoding(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.substr(0, 5) != "<?xml") return {};
    const std::string_view decl = bytes.substr(0, bytes.find("?>"));
    std::size_t at = decl.find("encoding");
    if (at == std::string_view::npos) return {};
    at = decl.find_first_of("\"'", at);
    if (at == std::string_view::npos) return {};
    const std::size_t end = decl.find(decl[at], at + 1);
    return asciiLower(decl.substr(at + 1, end == std::string_view::npos ? std::string_view::npos : end - at - 1));
}

void loadXml(pugi::xml_document& doc, const std::filesystem::path& path) { loadXml(doc, readWholeFile(path), path); }

void loadXml(pugi::xml_document& doc, std::string bytes, const std::filesystem::path& path)
{
    doc.reset();

    // pugixml takes any byte for UTF-8: a file that says it is UTF-8 (or says
    // nothing) and is not would put broken text in the fields and then in
    // the files written from them. Windows-1252, which pugixml does not
    // know, is converted; ISO-8859-1 pugixml converts itself.
    pugi::xml_encoding encoding = pugi::encoding_auto;
    const std::string declared = declaredEncoding(bytes);
    if (declared == "windows-1252" || declared == "cp1252") {
        bytes = cp1252ToUtf8(bytes);
        encoding = pugi::encoding_utf8;
    } else if (declared != "iso-8859-1" && declared != "latin1" && !wideText(bytes)) {
        if (const std::size_t bad = invalidUtf8At(bytes); bad != std::string::npos)
            throw Failure("El archivo '" + utf8Of(path) + "' no es un documento XML válido: tiene bytes que no son " +
                          "UTF-8 (línea " + std::to_string(lineAt(bytes, bad)) + ").");
    }

    pugi::xml_parse_result res = doc.load_buffer(bytes.data(), bytes.size(), kParseOptions, encoding);
    if (res && !doc.document_element()) res.status = pugi::status_no_document_element;
    if (!res) {
        doc.reset();
        std::ostringstream msg;
        msg << "El archivo '" << utf8Of(path) << "' no es un documento XML válido: " << describe(res.status);
        if (res.status != pugi::status_no_document_element)
            msg << " (línea " << lineAt(bytes, static_cast<std::size_t>(std::max<std::ptrdiff_t>(res.offset, 0))) << ")";
        msg << ".";
        throw Failure(msg.str());
    }
    // Entities expanding into others (a few lines that grow to gigabytes) or
    // naming files on this machine: pugixml expands none, but a document
    // that declares them is no GML and is not read as one.
    for (pugi::xml_node n = doc.first_child(); n;) {
        const pugi::xml_node next = n.next_sibling();
        if (n.type() == pugi::node_doctype) {
            if (std::string_view(n.value()).find("<!ENTITY") != std::string_view::npos) {
                doc.reset();
                throw Failure("El archivo '" + utf8Of(path) +
                              "' no se lee: declara entidades (<!ENTITY) en su DOCTYPE, algo que ningún GML usa.");
            }
            doc.remove_child(n);
        }
        n = next;
    }
    if (depthOf(doc) > kMaxDepth) {
        doc.reset();
        throw Failure("El archivo '" + utf8Of(path) + "' tiene demasiados niveles de anidamiento.");
    }
    if (const std::size_t most = mostAttributes(doc); most > kMaxAttributes) {
        doc.reset();
        throw Failure("Error. Un elemento del GML tiene demasiados atributos (" + std::to_string(most) + ").");
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

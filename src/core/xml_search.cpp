#include "core/xml_search.hpp"

#include <algorithm>
#include <vector>

#include "core/failure.hpp"

namespace vadrel {

namespace {

bool matches(pugi::xml_node node, std::string_view nombre)
{
    // Only elements carry a name a caller can ask for; other kinds never
    // match a qualified name, so skip building their "#..." names.
    // Compared character by character up to the first difference, without
    // measuring the node's name first.
    if (node.type() != pugi::node_element) return false;
    const char* name = node.name();
    for (char c : nombre)
        if (*name++ != c) return false;  // a shorter name stops at its NUL
    return *name == '\0';
}

}  // namespace

std::string nombreNodo(pugi::xml_node node)
{
    switch (node.type()) {
    case pugi::node_element:
    case pugi::node_pi:
    case pugi::node_declaration:
        return node.name();
    case pugi::node_pcdata:
        return "#text";
    case pugi::node_cdata:
        return "#cdata-section";
    case pugi::node_comment:
        return "#comment";
    case pugi::node_doctype:
        return "#doctype";
    case pugi::node_document:
        return "#document";
    default:
        return "";
    }
}

// The searches walk the tree with the links between nodes, never with the
// call stack: a document's depth is the sender's to choose.

namespace {

// The node after `node` in document order within the subtree of `root`,
// not counting root itself; null at the end.
pugi::xml_node siguiente(pugi::xml_node node, pugi::xml_node root)
{
    if (pugi::xml_node c = node.first_child()) return c;
    while (node != root) {
        if (pugi::xml_node s = node.next_sibling()) return s;
        node = node.parent();
    }
    return {};
}

}  // namespace

pugi::xml_node buscaNodo(std::string_view nombre, pugi::xml_node parent)
{
    for (pugi::xml_node node = parent.first_child(); node; node = siguiente(node, parent))
        if (matches(node, nombre)) return node;
    return {};
}

pugi::xml_node buscaNodo(std::string_view preferred, std::string_view fallback, pugi::xml_node parent)
{
    pugi::xml_node n = buscaNodo(preferred, parent);
    return n ? n : buscaNodo(fallback, parent);
}

std::vector<pugi::xml_node> buscaTodosAnidados(pugi::xml_node under, std::string_view nombre)
{
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node node = under.first_child(); node; node = siguiente(node, under))
        if (matches(node, nombre)) found.push_back(node);
    return found;
}

int CuentaOcurrencias(std::string_view nombre, pugi::xml_node parent)
{
    int count = 0;
    for (pugi::xml_node node = parent.first_child(); node; node = siguiente(node, parent))
        if (matches(node, nombre)) ++count;
    return count;
}

pugi::xml_node buscaOcurrencia(std::string_view nombre, pugi::xml_node parent, int posicion)
{
    // One frame per level being searched, as the counting is per level: a
    // level's search of a child's subtree asks for the occurrences still
    // missing there, and what it yields counts once.
    struct Nivel {
        pugi::xml_node hijo;  // the child being looked at
        int posicion;
        int found = 0;
        pugi::xml_node result;
    };
    std::vector<Nivel> niveles;
    niveles.push_back({parent.first_child(), posicion, 0, {}});
    pugi::xml_node yielded;
    for (;;) {
        Nivel& n = niveles.back();
        if (!n.hijo || n.found >= n.posicion) {
            yielded = n.found == 0 ? pugi::xml_node() : n.result;
            niveles.pop_back();
            if (niveles.empty()) return yielded;
            Nivel& arriba = niveles.back();
            if (yielded) {
                arriba.result = yielded;
                ++arriba.found;
            }
            arriba.hijo = arriba.hijo.next_sibling();
            continue;
        }
        if (matches(n.hijo, nombre)) {
            n.result = n.hijo;
            ++n.found;
        }
        if (n.hijo.first_child()) {
            const int falta = n.posicion - n.found;
            niveles.push_back({n.hijo.first_child(), falta, 0, {}});
            continue;
        }
        n.hijo = n.hijo.next_sibling();
    }
}

void exigeElementos(const pugi::xml_document& plantilla, std::string_view nombrePlantilla,
                    std::initializer_list<std::string_view> elementos)
{
    for (std::string_view e : elementos)
        if (!buscaNodo(e, plantilla))
            throw Failure("Error. La plantilla " + std::string(nombrePlantilla) + " no contiene el elemento " +
                          std::string(e) + ".");
}

std::vector<pugi::xml_node> buscaTodos(pugi::xml_node under, std::initializer_list<std::string_view> nombres,
                                       std::string_view sinEntrarEn)
{
    std::vector<pugi::xml_node> found;
    std::vector<pugi::xml_node> pending;  // a stack, children pushed last first: document order
    for (pugi::xml_node c = under.last_child(); c; c = c.previous_sibling()) pending.push_back(c);
    while (!pending.empty()) {
        pugi::xml_node n = pending.back();
        pending.pop_back();
        if (n.type() != pugi::node_element) continue;
        const std::string_view name = n.name();
        if (!sinEntrarEn.empty() && name == sinEntrarEn) continue;
        if (std::find(nombres.begin(), nombres.end(), name) != nombres.end()) {
            found.push_back(n);
            continue;
        }
        for (pugi::xml_node c = n.last_child(); c; c = c.previous_sibling()) pending.push_back(c);
    }
    return found;
}

}  // namespace vadrel

#include "core/xml_search.hpp"

#include <algorithm>

#include "core/failure.hpp"

namespace vadrel {

namespace {

bool matches(pugi::xml_node node, std::string_view nombre)
{
    // Only elements carry a name a caller can ask for; other kinds never
    // match a qualified name, so skip building their "#..." names.
    return node.type() == pugi::node_element && nombre == node.name();
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

pugi::xml_node buscaNodo(std::string_view nombre, pugi::xml_node parent)
{
    for (pugi::xml_node node : parent.children()) {
        if (matches(node, nombre)) return node;
        if (node.first_child())
            if (pugi::xml_node found = buscaNodo(nombre, node)) return found;
    }
    return {};
}

pugi::xml_node buscaNodo(std::string_view preferred, std::string_view fallback, pugi::xml_node parent)
{
    pugi::xml_node n = buscaNodo(preferred, parent);
    return n ? n : buscaNodo(fallback, parent);
}

int CuentaOcurrencias(std::string_view nombre, pugi::xml_node parent)
{
    int count = 0;
    for (pugi::xml_node node : parent.children()) {
        if (matches(node, nombre)) ++count;
        if (node.first_child()) count += CuentaOcurrencias(nombre, node);
    }
    return count;
}

pugi::xml_node buscaOcurrencia(std::string_view nombre, pugi::xml_node parent, int posicion)
{
    int found = 0;
    pugi::xml_node result;
    for (pugi::xml_node node = parent.first_child(); node && found < posicion; node = node.next_sibling()) {
        if (matches(node, nombre)) {
            result = node;
            ++found;
        }
        if (node.first_child()) {
            if (pugi::xml_node sub = buscaOcurrencia(nombre, node, posicion - found)) {
                result = sub;
                ++found;
            }
        }
    }
    return found == 0 ? pugi::xml_node() : result;
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

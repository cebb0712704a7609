#include "core/xml_edit.hpp"

namespace vadrel {

void setAttribute(pugi::xml_node node, const char* name, const std::string& value)
{
    pugi::xml_attribute attr = node.attribute(name);
    if (!attr) attr = node.append_attribute(name);
    attr.set_value(value.c_str());
}

void setText(pugi::xml_node node, const std::string& value)
{
    node.remove_children();
    node.append_child(pugi::node_pcdata).set_value(value.c_str());
}

namespace {

struct TextCollector : pugi::xml_tree_walker {
    std::string text;
    bool for_each(pugi::xml_node& n) override
    {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
        return true;
    }
};

}  // namespace

std::string textOf(pugi::xml_node node)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) return node.value();
    TextCollector c;
    node.traverse(c);
    return c.text;
}

std::string_view textView(pugi::xml_node node, std::string& copia)
{
    const pugi::xml_node only = node.first_child();
    const auto text = [](pugi::xml_node n) { return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata; };
    if (only && !only.next_sibling() && text(only) && !only.first_child()) return only.value();
    if (text(node)) return node.value();
    copia = textOf(node);
    return copia;
}

}  // namespace vadrel

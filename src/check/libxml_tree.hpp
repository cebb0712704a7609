#pragma once
// Walking a document as libxml2 built it.

#include <libxml/tree.h>

#include <string>

namespace vadrel::check {

inline std::string fromXml(const xmlChar* s)
{
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
}

// `root` and each element below it in order, without recursion, until
// `found` says true; that element, or none.
template <typename F>
xmlNodePtr findElement(xmlNodePtr root, F&& found)
{
    for (xmlNodePtr n = root; n;) {
        if (n->type == XML_ELEMENT_NODE && found(n)) return n;
        if (n->children && n->type == XML_ELEMENT_NODE) {
            n = n->children;
            continue;
        }
        while (n && n != root && !n->next) n = n->parent;
        if (!n || n == root) break;
        n = n->next;
    }
    return nullptr;
}

template <typename F>
void forEachElement(xmlDocPtr doc, F&& f)
{
    findElement(xmlDocGetRootElement(doc), [&](xmlNodePtr n) {
        f(n);
        return false;
    });
}

}  // namespace vadrel::check

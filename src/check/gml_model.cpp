#include "check/gml_model.hpp"

#include <cstdint>

#include "check/check_text.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"

namespace vadrel::check {

namespace {

std::string_view afterColon(std::string_view name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isPolygon(std::string_view local) { return local == "PolygonPatch" || local == "Polygon"; }

}  // namespace

pugi::xml_node nextElement(pugi::xml_node node, pugi::xml_node root, bool enter)
{
    if (enter) {
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element) return c;
    }
    while (node && node != root) {
        for (pugi::xml_node s = node.next_sibling(); s; s = s.next_sibling())
            if (s.type() == pugi::node_element) return s;
        node = node.parent();
    }
    return {};
}

namespace {

Polygon polygonOf(pugi::xml_node node)
{
    Polygon polygon{node, {}};
    int interiors = 0;
    for (pugi::xml_node side : node.children()) {
        const std::string_view local = localName(side);
        if (local != "exterior" && local != "interior") continue;
        Ring ring;
        ring.interior = local == "interior";
        ring.number = ring.interior ? ++interiors : 0;
        for (pugi::xml_node c : side.children())
            if (localName(c) == "LinearRing") ring.node = c;
        ring.node = ring.node ? ring.node : side;
        if (ring.interior)
            polygon.rings.push_back(std::move(ring));
        else
            polygon.rings.insert(polygon.rings.begin(), std::move(ring));
    }
    return polygon;
}

// The polygons below `root`, not looking into nested features, which hold
// their own.
std::vector<Polygon> polygonsBelow(pugi::xml_node root)
{
    std::vector<Polygon> polygons;
    for (pugi::xml_node n = nextElement(root, root, true); n;) {
        const std::string_view local = localName(n);
        if (isPolygon(local)) {
            polygons.push_back(polygonOf(n));
            n = nextElement(n, root, false);
        } else {
            n = nextElement(n, root, featureKind(local) == nullptr);
        }
    }
    return polygons;
}

std::string nameOf(pugi::xml_node feature, std::size_t number)
{
    for (pugi::xml_node n = nextElement(feature, feature, true); n; n = nextElement(n, feature, true)) {
        if (localName(n) == "localId") {
            const std::string text = textOf(n);
            if (!trimmed(text).empty()) return cutText(trimmed(text), kLongestName);
            break;
        }
    }
    for (pugi::xml_attribute a : feature.attributes())
        if (localName(a) == "id" && !trimmed(a.value()).empty()) return featureName({}, a.value());
    return std::to_string(number);
}

}  // namespace

const char* featureKind(std::string_view local)
{
    if (local == "CadastralParcel") return "parcela";
    if (local == "Building") return "edificio";
    if (local == "OtherConstruction") return "construcción";
    if (local == "BuildingPart") return "parte de edificio";
    return nullptr;
}

std::string featureName(std::string_view localId, std::string_view gmlId)
{
    if (!trimmed(localId).empty()) return cutText(trimmed(localId), kLongestName);
    std::string_view id = trimmed(gmlId);
    // "ES.LOCAL.CP.A1" is parcel A1.
    if (id.starts_with("ES.")) {
        const std::size_t kind = id.find('.', 3);
        const std::size_t ref = kind == std::string_view::npos ? kind : id.find('.', kind + 1);
        if (ref != std::string_view::npos && ref + 1 < id.size()) id.remove_prefix(ref + 1);
    }
    return cutText(id, kLongestName);
}

std::string_view localName(pugi::xml_node element) { return afterColon(element.name()); }
std::string_view localName(pugi::xml_attribute attribute) { return afterColon(attribute.name()); }

std::string_view namespaceAt(pugi::xml_node element, std::string_view qualifiedName)
{
    const std::size_t colon = qualifiedName.find(':');
    std::string wanted = "xmlns";
    if (colon != std::string_view::npos) {
        wanted += ':';
        wanted += qualifiedName.substr(0, colon);
    }
    for (pugi::xml_node n = element; n; n = n.parent())
        for (pugi::xml_attribute a : n.attributes())
            if (wanted == a.name()) return a.value();
    return {};
}

Model modelOf(const pugi::xml_document& doc)
{
    Model model;
    std::vector<Feature>& features = model.features;
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node n = root; n; n = nextElement(n, root, true)) {
        if (const char* kind = featureKind(localName(n))) {
            Feature f{n, kind, {}, polygonsBelow(n)};
            f.name = nameOf(n, features.size() + 1);
            model.byNode_.emplace(n.internal_object(), features.size());
            features.push_back(std::move(f));
        }
    }
    if (features.empty() && root) {
        if (std::vector<Polygon> loose = polygonsBelow(root); !loose.empty())
            features.push_back(Feature{root, "", "", std::move(loose)});
    }
    return model;
}

std::string placeOf(const Feature& feature, std::size_t polygon, const Ring* ring, std::size_t vertex)
{
    std::string place = feature.kind.empty() ? "archivo" : feature.kind + " " + feature.name;
    if (polygon != SIZE_MAX && feature.polygons.size() > 1) {
        place += ", recinto ";
        place += std::to_string(polygon + 1);
    }
    if (ring) {
        if (ring->interior) {
            place += ", anillo interior ";
            place += std::to_string(ring->number);
        } else {
            place += ", anillo exterior";
        }
    }
    if (vertex > 0) {
        place += ", vértice ";
        place += std::to_string(vertex);
    }
    return place;
}

const Feature* Model::featureOf(pugi::xml_node node) const
{
    for (pugi::xml_node n = node; n; n = n.parent())
        if (auto it = byNode_.find(n.internal_object()); it != byNode_.end()) return &features[it->second];
    return nullptr;
}

std::string Model::placeOfNode(pugi::xml_node node) const
{
    const Feature* f = featureOf(node);
    return f ? placeOf(*f) : "archivo";
}

}  // namespace vadrel::check

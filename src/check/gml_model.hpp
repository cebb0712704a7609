#pragma once
// The parts of a cadastre GML the checks look at: its features (parcels,
// buildings, other constructions), their polygons and their rings, found by
// local name so that any prefix the file binds will do.

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/geometry.hpp"

namespace vadrel::check {

std::string_view localName(pugi::xml_node element);
std::string_view localName(pugi::xml_attribute attribute);
// The URI the prefix of `qualifiedName` is bound to where `element` stands;
// empty when it is bound nowhere.
std::string_view namespaceAt(pugi::xml_node element, std::string_view qualifiedName);

// The element after `node` in document order, staying below `root`;
// `enter` false skips the subtree of `node`.
pugi::xml_node nextElement(pugi::xml_node node, pugi::xml_node root, bool enter = true);

// "parcela", "edificio", "construcción", "parte de edificio" for the local
// name of a feature's element; none for any other element.
const char* featureKind(std::string_view localName);
// What a feature is called in the places of its problems: its localId,
// else its gml:id without the "ES.SDGC.CP." in front.
std::string featureName(std::string_view localId, std::string_view gmlId);

struct Ring {
    pugi::xml_node node;  // the LinearRing
    bool interior = false;
    int number = 0;  // interiors count from 1 within their polygon
    std::vector<Punto> points;
    bool readable = false;    // its values were read as pairs of numbers
    bool closedRing = false;  // readable, four positions or more, last = first
};

struct Polygon {
    pugi::xml_node node;      // PolygonPatch or Polygon
    std::vector<Ring> rings;  // the exterior first, when there is one
};

struct Feature {
    pugi::xml_node node;
    std::string kind;  // "parcela", "edificio", "construcción", "parte de edificio"
    std::string name;  // its localId, else its gml:id, else its number in the file
    std::vector<Polygon> polygons;
};

struct Model {
    std::vector<Feature> features;

    // The innermost feature holding an element; none outside every feature.
    const Feature* featureOf(pugi::xml_node node) const;
    // The place of the feature an element belongs to, for problems found by
    // walking the document ("archivo" when none).
    std::string placeOfNode(pugi::xml_node node) const;

private:
    friend Model modelOf(const pugi::xml_document& doc);
    std::unordered_map<pugi::xml_node_struct*, std::size_t> byNode_;
};

// Every feature in document order, with the polygons its geometry holds
// (rings not yet read). A file with polygons outside any feature gives one
// nameless feature holding them.
Model modelOf(const pugi::xml_document& doc);

// "parcela 8429105VK1882N, recinto 2, anillo interior 1, vértice 7"; the
// polygon is named only when the feature has more than one, the vertex
// only when given (from 1).
std::string placeOf(const Feature& feature, std::size_t polygon = SIZE_MAX, const Ring* ring = nullptr,
                    std::size_t vertex = 0);

}  // namespace vadrel::check

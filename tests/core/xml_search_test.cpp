#include "core/xml_search.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace vadrel;

namespace {

pugi::xml_document parse(const char* xml)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml, pugi::parse_default | pugi::parse_declaration | pugi::parse_comments));
    return doc;
}

const char* const kTwoSurfaces = R"(<?xml version="1.0"?>
<r xmlns:gml="g" xmlns:base="b">
  <!-- note -->
  <gml:Surface id="s1"><gml:posList>1 2 3</gml:posList></gml:Surface>
  <gml:Surface id="s2"><gml:posList>4 5 6</gml:posList></gml:Surface>
  <base:localId>B</base:localId>
  <localId>L</localId>
</r>)";

const char* const kFiveMembers =
    "<c><member n='1'/><member n='2'/><member n='3'/><member n='4'/><member n='5'/></c>";

}  // namespace

TEST(BuscaNodo, FirstInDocumentOrder)
{
    auto doc = parse(kTwoSurfaces);
    EXPECT_STREQ(buscaNodo("gml:posList", doc).text().get(), "1 2 3");
    EXPECT_STREQ(buscaNodo("gml:Surface", doc).attribute("id").value(), "s1");
    EXPECT_FALSE(buscaNodo("posList", doc));
}

TEST(BuscaNodo, PrefixIsPartOfTheName)
{
    auto doc = parse(kTwoSurfaces);
    EXPECT_STREQ(buscaNodo("localId", doc).text().get(), "L");
    EXPECT_STREQ(buscaNodo("base:localId", doc).text().get(), "B");
    EXPECT_FALSE(buscaNodo("LocalId", doc));
}

TEST(BuscaNodo, DoesNotDescendIntoAMatch)
{
    auto doc = parse("<r><a id='outer'><a id='inner'/></a></r>");
    EXPECT_STREQ(buscaNodo("a", doc).attribute("id").value(), "outer");
    EXPECT_STREQ(buscaNodo("a", buscaNodo("a", doc)).attribute("id").value(), "inner");
}

TEST(CuentaOcurrencias, CountsNestedMatches)
{
    EXPECT_EQ(CuentaOcurrencias("a", parse("<r><a><a/></a></r>")), 2);
    EXPECT_EQ(CuentaOcurrencias("gml:posList", parse(kTwoSurfaces)), 2);
    EXPECT_EQ(CuentaOcurrencias("member", parse(kFiveMembers)), 5);
    EXPECT_EQ(CuentaOcurrencias("none", parse(kFiveMembers)), 0);
    EXPECT_EQ(CuentaOcurrencias("#comment", parse(kTwoSurfaces)), 0);
}

TEST(BuscaOcurrencia, SiblingsByPosition)
{
    auto doc = parse(kFiveMembers);
    const std::pair<int, const char*> table[] = {{1, "1"}, {3, "3"}, {5, "5"}, {9, "5"}};
    for (auto [pos, n] : table) EXPECT_STREQ(buscaOcurrencia("member", doc, pos).attribute("n").value(), n) << pos;
    EXPECT_FALSE(buscaOcurrencia("member", doc, 0));
    EXPECT_FALSE(buscaOcurrencia("member", doc, -1));
    EXPECT_FALSE(buscaOcurrencia("absent", doc, 1));
}

TEST(BuscaOcurrencia, OneMatchPerSubtreeCountsInOrder)
{
    auto doc = parse("<c><m><p n='1'/></m><m><p n='2'/></m><m><p n='3'/></m></c>");
    EXPECT_STREQ(buscaOcurrencia("p", doc, 2).attribute("n").value(), "2");
    EXPECT_STREQ(buscaOcurrencia("p", doc, 3).attribute("n").value(), "3");
}

TEST(BuscaOcurrencia, SubtreeWithSeveralMatchesCountsOnceAbove)
{
    // The first <m> yields one node at the top level however many it holds,
    // so position 2 lands on the second <m>'s match, not on n=2.
    auto doc = parse("<c><m><p n='1'/><p n='2'/></m><m><p n='3'/></m></c>");
    EXPECT_STREQ(buscaOcurrencia("p", doc, 2).attribute("n").value(), "3");
    EXPECT_STREQ(buscaOcurrencia("p", buscaNodo("m", doc), 2).attribute("n").value(), "2");
}

TEST(NombreNodo, DomNamesOfEveryKind)
{
    auto doc = parse(kTwoSurfaces);
    EXPECT_EQ(nombreNodo(doc.first_child()), "xml");
    EXPECT_EQ(nombreNodo(doc.document_element()), "r");
    EXPECT_EQ(nombreNodo(doc.document_element().first_child()), "#comment");
    EXPECT_EQ(nombreNodo(buscaNodo("localId", doc).first_child()), "#text");
}

namespace {

// The searches as first defined, recursing once per level: the walks that
// replaced them must give the same node on any tree.
pugi::xml_node buscaNodoRecursivo(std::string_view nombre, pugi::xml_node parent)
{
    for (pugi::xml_node node : parent.children()) {
        if (node.type() == pugi::node_element && nombre == node.name()) return node;
        if (pugi::xml_node found = buscaNodoRecursivo(nombre, node)) return found;
    }
    return {};
}

int cuentaRecursiva(std::string_view nombre, pugi::xml_node parent)
{
    int count = 0;
    for (pugi::xml_node node : parent.children())
        count += (node.type() == pugi::node_element && nombre == node.name()) + cuentaRecursiva(nombre, node);
    return count;
}

pugi::xml_node ocurrenciaRecursiva(std::string_view nombre, pugi::xml_node parent, int posicion)
{
    int found = 0;
    pugi::xml_node result;
    for (pugi::xml_node node = parent.first_child(); node && found < posicion; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && nombre == node.name()) {
            result = node;
            ++found;
        }
        if (pugi::xml_node sub = ocurrenciaRecursiva(nombre, node, posicion - found)) {
            result = sub;
            ++found;
        }
    }
    return found == 0 ? pugi::xml_node() : result;
}

// A random tree of "a" and "b" elements with some text, deterministic per seed.
void growRandom(pugi::xml_node node, unsigned& state, int depth)
{
    auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7FFF; };
    const unsigned children = depth > 6 ? 0 : next() % 4;
    for (unsigned i = 0; i < children; ++i) {
        if (next() % 5 == 0) node.append_child(pugi::node_pcdata).set_value("t");
        pugi::xml_node c = node.append_child(next() % 2 ? "a" : "b");
        growRandom(c, state, depth + 1);
    }
}

}  // namespace

TEST(NameSearches, SameResultsAsTheRecursiveDefinitionsOnRandomTrees)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        pugi::xml_document doc;
        unsigned state = seed;
        growRandom(doc.append_child("r"), state, 0);
        for (const char* name : {"a", "b", "r", "z"}) {
            ASSERT_EQ(buscaNodo(name, doc), buscaNodoRecursivo(name, doc)) << "seed " << seed << ' ' << name;
            ASSERT_EQ(CuentaOcurrencias(name, doc), cuentaRecursiva(name, doc)) << "seed " << seed << ' ' << name;
            for (int pos = -1; pos <= 12; ++pos)
                ASSERT_EQ(buscaOcurrencia(name, doc, pos), ocurrenciaRecursiva(name, doc, pos))
                    << "seed " << seed << ' ' << name << " position " << pos;
        }
    }
}

TEST(NameSearches, AMillionLevelsDeepDoNotExhaustTheStack)
{
    constexpr int kDepth = 1000000;
    std::string xml;
    xml.reserve(kDepth * 7 + 16);
    for (int i = 0; i < kDepth; ++i) xml += "<a>";
    xml += "<b/>";
    for (int i = 0; i < kDepth; ++i) xml += "</a>";
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(xml.data(), xml.size()));
    EXPECT_STREQ(buscaNodo("b", doc).name(), "b");
    EXPECT_FALSE(buscaNodo("c", doc));
    EXPECT_EQ(CuentaOcurrencias("a", doc), kDepth);
    // Each level's subtree yields its last "a" once: the first level's
    // search asks for the second occurrence below and gets the deepest.
    EXPECT_STREQ(buscaOcurrencia("b", doc, 1).name(), "b");
    EXPECT_TRUE(buscaOcurrencia("a", doc, 3));
}

#include "core/xml_search.hpp"

#include <gtest/gtest.h>

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

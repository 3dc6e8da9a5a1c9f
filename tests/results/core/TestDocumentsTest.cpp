#include <gtest/gtest.h>

#include "results/core/TestDocuments.h"

using namespace orv::results;

TEST(TestDocuments, TestNameIsTheTextBeforeTheFirstEquals) {
    EXPECT_EQ(TestNameOfCell(" HCV Qualitative=Negative"), "HCV Qualitative");
    EXPECT_EQ(TestNameOfCell("  a=b=c  "), "a");
    EXPECT_EQ(TestNameOfCell(" =5"), "");
    EXPECT_EQ(TestNameOfCell(" 2045"), "");
    EXPECT_EQ(TestNameOfCell(" "), "");
    EXPECT_EQ(TestNameOfCell("  تست وجواب"), "");
}

TEST(TestDocuments, KeyIsCharactersSixToTen) {
    EXPECT_EQ(DocumentKey(" ABCDE12345XY"), "12345");
    EXPECT_EQ(DocumentKey("ABCDE123"), "123");
    EXPECT_EQ(DocumentKey("ABCDEF"), "F");
    EXPECT_EQ(DocumentKey(" 12345 "), "12345");
    EXPECT_EQ(DocumentKey(""), "");
}

TEST(TestDocuments, TableGivesTheKinds) {
    EXPECT_EQ(TestDocumentTable().size(), 21u);
    EXPECT_EQ(DocumentKind("Hb Electro"), 1);
    EXPECT_EQ(DocumentKind("AFP (MoM)"), 3);
    EXPECT_EQ(DocumentKind("Double Marker"), 3);
    EXPECT_EQ(DocumentKind("Quadruple test"), 3);
    EXPECT_EQ(DocumentKind("HBV Quantitative"), 10);
    EXPECT_EQ(DocumentKind("Imm.elec.serum"), 20);
    EXPECT_EQ(DocumentKind("hb electro"), kNoDocument);
    EXPECT_EQ(DocumentKind("FBS"), kNoDocument);
    EXPECT_EQ(DocumentKind(""), kNoDocument);
}

TEST(TestDocuments, EveryKindsPaths) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"/Text Result/12/", "12345_77H.pdf"}, {"/Text Result/12/", "12345_77P.pdf"},
        {"/PDF Calvexa/", "01-6-12345.pdf"},    {"/PDF Calvexa/", "6-AFP-12345.pdf"},
        {"/PCR/", "6-HCVQL-12345.pptx"},         {"/PCR/", "6-HBVQL-12345.pptx"},
        {"/PCR/", "6-HCVG-12345.pptx"},          {"/PCR/", "6-HSVQL-12345.pptx"},
        {"/PCR/", "6-HCVQN-12345.pptx"},         {"/PCR/", "6-HBVQN-12345.pptx"},
        {"/PCR/", "6-CMVQL-12345.pptx"},         {"/PCR/", "6-CMVQN-12345.pptx"},
        {"/PCR/", "6-EBVQL-12345.pptx"},         {"/PCR/", "6-EBVQN-12345.pptx"},
        {"/PCR/", "6-HSV1-12345.pptx"},          {"/PCR/", "6-TBQL-12345.pptx"},
        {"/PCR/", "6-JAK2-12345.pptx"},          {"/PCR/", "6-HPVG-12345.pptx"},
        {"/PCR/", "6-HSV2-12345.pptx"},          {"/Text Result/12/", "12345_77I.pdf"},
    };
    for (int kind = 1; kind <= 20; ++kind) {
        const DocumentPlace place = DocumentFor(kind, "12345", "77", 1401, 6, "12", "/ws/");
        EXPECT_EQ(place.fileName, expected[kind - 1].second) << kind;
        EXPECT_EQ(place.source, expected[kind - 1].first + expected[kind - 1].second) << kind;
        EXPECT_EQ(place.dest, "/ws/" + expected[kind - 1].second) << kind;
    }
    EXPECT_EQ(DocumentFor(3, "9", "1", 1399, 12, "12", "/ws/").fileName, "99-12-9.pdf");
    EXPECT_TRUE(DocumentFor(kNoDocument, "1", "1", 1401, 6, "12", "/ws/").source.empty());
    EXPECT_TRUE(DocumentFor(0, "1", "1", 1401, 6, "12", "/ws/").source.empty());
}

TEST(TestDocuments, NamesThatWouldLeaveTheWorkspaceAreRefused) {
    EXPECT_TRUE(DocumentFor(1, "12345", "../x", 1401, 6, "12", "/ws/").dest.empty());
    EXPECT_TRUE(DocumentFor(1, "12345", "a\\b", 1401, 6, "12", "/ws/").dest.empty());
    EXPECT_TRUE(DocumentFor(5, "1/2", "7", 1401, 6, "12", "/ws/").dest.empty());
    EXPECT_TRUE(DocumentFor(5, "1\n2", "7", 1401, 6, "12", "/ws/").dest.empty());
    EXPECT_FALSE(DocumentFor(5, "1.2", "7", 1401, 6, "12", "/ws/").dest.empty());
}

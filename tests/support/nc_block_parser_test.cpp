#include "tests/support/nc_block_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace torvex::testing;

TEST(NcBlockParser, ReadsNumberWordsAndShape) {
    NcBlock block = ParseNcBlock("N0040 G01 X10 G01 Z-50.25 F120");
    EXPECT_EQ(block.Number, 40);
    EXPECT_EQ(block.Shape(), "G01 X G01 Z F");
    EXPECT_EQ(*block.Value('X'), 10);
    EXPECT_EQ(*block.Value('Z'), -50.25);
    EXPECT_FALSE(block.Value('R'));
    EXPECT_THROW(block.Value('G'), std::invalid_argument);
    EXPECT_EQ(ParseNcBlock("N0001 M03  S1200").Shape(), "M03 S");
}

TEST(NcBlockParser, RefusesWhatNoControllerReads) {
    for (const char* text : {"G01 X1", "N10 G01 X1", "N0010 G01 X1,5", "N0010 G01 Xnan",
                             "N0010 G01 Xinf", "N0010 G01 X1 ", "N0010 g01 X1", "N0010 G01 X1e3",
                             "N0010 G01 X", "N0010 G01 X.5", "N0010 G01 X1."})
        EXPECT_THROW(ParseNcBlock(text), std::invalid_argument) << text;
}

TEST(NcBlockParser, ThreeDecimalTextIsTheShortestForm) {
    for (const char* good : {"0", "40", "12.5", "0.124", "-2.5"})
        EXPECT_TRUE(IsThreeDecimalText(good)) << good;
    for (const char* bad : {"-0", "12.50", "0.1236", "1.", ".5", "1,5"})
        EXPECT_FALSE(IsThreeDecimalText(bad)) << bad;
}

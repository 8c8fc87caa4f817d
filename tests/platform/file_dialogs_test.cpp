#include "platform/file_dialogs.h"

#include <gtest/gtest.h>

using namespace torvex;
using Entries = std::vector<std::string>;

TEST(DialogFilterEntries, CaptionsThatShowTheirPatternsAreKept) {
    EXPECT_EQ(DialogFilterEntries("Model files (*.mdl)|*.mdl|All files (*.*)|*.*"),
              (Entries{"Model files (*.mdl)", "All files (*.*)"}));
}

TEST(DialogFilterEntries, OtherCaptionsGetTheirPatternsInBrackets) {
    EXPECT_EQ(DialogFilterEntries("Knives|*.knf;*.txt"), (Entries{"Knives (*.knf *.txt)"}));
}

TEST(DialogFilterEntries, AnEntryWithoutPatternMatchesEveryFile) {
    EXPECT_EQ(DialogFilterEntries("No default extension defined|"),
              (Entries{"No default extension defined (*)"}));
}

TEST(DialogFilterEntries, EmptyFiltersAndCaptionsWithoutPatternGiveNothing) {
    EXPECT_TRUE(DialogFilterEntries("").empty());
    EXPECT_TRUE(DialogFilterEntries("Lonely caption").empty());
}

#include "geometry/model.h"
#include "platform/errors.h"
#include "platform/message_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace torvex;

namespace {

TModel Built(const std::vector<std::string>& lines) {
    TModel model;
    model.LoadFromLines(lines);
    model.BuildPoints();
    return model;
}

std::filesystem::path WriteTemporary(const std::string& name, const std::string& content) {
    auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace

TEST(TModel, SharedEndsAreStoredOnceAndAClosedContourDoesNotRepeatItsStart) {
    EXPECT_EQ(Built({"line 0/0/0/10/", "line 0/10/30/10/"}).Points.Count(), 3u);
    EXPECT_EQ(Built({"line 0/0/10/0/", "line 10/0/10/5/", "line 10/5/0/0/"}).Points.Count(), 3u);
}

TEST(TModel, UpperQuarterArcHasNineteenInteriorPointsEvenInX) {
    TModel model = Built({"arc 0/0/20/20/0/10/10/20/"});
    ASSERT_EQ(model.Points.Count(), 21u);
    for (size_t k = 1; k < 20; ++k) {
        double x = 0.5 * k;
        EXPECT_DOUBLE_EQ(model.Points[k].X, x);
        EXPECT_DOUBLE_EQ(model.Points[k].Y, 10 + std::sqrt(100 - (x - 10) * (x - 10)));
    }
    EXPECT_EQ(model.Points[0].X, 0);
    EXPECT_EQ(model.Points[20].Y, 20);
}

TEST(TModel, ArcWrittenTowardsSmallerXTakesTheLowerHalf) {
    TModel model = Built({"arc 0/0/20/20/10/20/0/10/"});
    ASSERT_EQ(model.Points.Count(), 21u);
    for (size_t k = 1; k < 20; ++k) {
        double x = model.Points[k].X;
        EXPECT_DOUBLE_EQ(model.Points[k].Y, 10 - std::sqrt(100 - (x - 10) * (x - 10)));
    }
}

TEST(TModel, InconsistentArcIsClampedNotNaN) {
    // Ends off the circle: the root's argument turns negative near the ends.
    TModel model = Built({"arc 0/0/2/2/-5/1/7/1/"});
    for (const TPunct& p : model.Points)
        EXPECT_TRUE(std::isfinite(p.Y));
    // A toolpath's preview points take the root of the argument's absolute value instead.
    TObj arc;
    ParseText(arc, "arc 5/5/15/15/0/10/20/10/");
    EXPECT_DOUBLE_EQ(ArcInteriorPoints(arc, 8)[0].Y, 10);
    EXPECT_DOUBLE_EQ(ArcInteriorPoints(arc, 8, RootOffCircle::Absolute)[0].Y,
                     10 + std::sqrt(56.25 - 25));
}

TEST(TModel, VerticalLineKeepsElementOrderAndUnknownKindsAddNothing) {
    TModel model = Built({"line 0/10/0/0/", "circle 1/1/", "arc 5/5/5/5/5/5/5/5/"});
    ASSERT_EQ(model.Elements.size(), 3u);
    EXPECT_EQ(model.Elements[1].Kind, "");
    ASSERT_EQ(model.Points.Count(), 3u);
    EXPECT_EQ(model.Points[0].Y, 10);
    EXPECT_EQ(model.Points[1].Y, 0);
}

TEST(TModel, LoadFromLinesSkipsBlankLinesAndPropagatesBadNumbers) {
    TModel model;
    model.LoadFromLines({"line 0/0/0/10/", "", "   ", "line 0/10/5/10/"});
    EXPECT_EQ(model.Elements.size(), 2u);
    EXPECT_THROW(model.LoadFromLines({"line 0/0/0/10/", "line 1/x/2/2/"}), ConversionError);
    ASSERT_EQ(model.Elements.size(), 2u); // the partly filled element stays
    EXPECT_EQ(model.Elements[1].P1.X, 1);
}

TEST(TModel, LoadFromFileReadsCrLfAndLfAndKeepsWhatWasReadOnFailure) {
    RecordingMessageSink messages;
    TModel model;
    auto good =
        WriteTemporary("torvex_good.mdl", "line 0/0/0/10/\r\nline 0/10/5/10/\nline 5/10/5/0/");
    EXPECT_TRUE(model.LoadFromFile(good, messages));
    EXPECT_EQ(model.Elements.size(), 3u);
    EXPECT_TRUE(messages.Messages.empty());

    auto bad =
        WriteTemporary("torvex_bad.mdl", "line 0/0/0/10/\r\nline 0/1o/5/10/\r\nline 5/10/5/0/\r\n");
    EXPECT_FALSE(model.LoadFromFile(bad, messages));
    ASSERT_EQ(model.Elements.size(), 2u);
    EXPECT_EQ(model.Elements[1].P1.X, 0);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0], "File handling error!\n\rCheck whether in corect format.");

    EXPECT_FALSE(model.LoadFromFile("/nonexistent/torvex.mdl", messages));
    EXPECT_TRUE(model.Elements.empty());
    EXPECT_EQ(messages.Messages.size(), 2u);
    std::filesystem::remove(good);
    std::filesystem::remove(bad);
}

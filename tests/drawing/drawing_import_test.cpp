#include "drawing/drawing_import.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace torvex;
using ::testing::HasSubstr;

namespace {

std::vector<std::string> Records(const Tobjects& elements) {
    std::vector<std::string> records;
    for (const TObj& element : elements)
        records.push_back(ElementText(element));
    return records;
}

std::filesystem::path Fixture(const char* name) {
    return std::filesystem::path(TORVEX_FIXTURES) / "drawings" / name;
}

} // namespace

// Two drawings of one shaft written by Inkscape's DXF writers from an SVG: R12 with LINE entities
// (its groove flattened to lines under the collar's top), R14 with LWPOLYLINE (the groove a
// SPLINE), y turned upwards about the axis y = 30.
TEST(DrawingImport, DrawingsOfAnotherWriterImportAsTheShaftDrawn) {
    const std::vector<std::string> shaft{
        "line 0/0/0/10/",    "line 0/10/1/11/",  "line 1/11/30/11/", "line 30/11/30/18/",
        "line 30/18/60/18/", "line 60/18/60/8/", "line 60/8/80/8/",  "line 80/8/80/0/"};
    DrawingImportOptions options;
    options.Profile.AxisY = 30;
    for (const char* name : {"inkscape_r12.dxf", "inkscape_r14.dxf"})
        EXPECT_EQ(Records(ImportModel(ReadDxfFile(Fixture(name)), options).Part), shaft) << name;

    DrawingContents r14 = ReadDxfFile(Fixture("inkscape_r14.dxf"));
    EXPECT_EQ(ImportModel(r14, options).Note,
              "Skipped elements: 1 on the axis, 8 below the axis; ignored: 3 SPLINE");
    try {
        ImportModel(r14, {});
        ADD_FAILURE() << "the drawing lies above the axis y = 0";
    } catch (const DrawingError& error) {
        EXPECT_THAT(error.what(), HasSubstr("No element reaches the axis (y = 0)"));
        EXPECT_THAT(error.what(), HasSubstr("(ignored: 3 SPLINE)"));
    }
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "RangeReference.h"
#include "Vector3.h"
#include "operations/OperationTable.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::ConstantImage;
using testing::Dot;
using testing::MessageLog;
using testing::RandomImage;
using testing::ReferenceLabels;
using testing::ReferenceRangeToCoordinates;
using testing::TestImage;
using testing::ToVector;
using testing::Vec;

// A range image of a scene: `distance` tells how far along a unit ray
// (roughly the scanner's, about 60 degrees across) the scene is hit.
TestImage RangeScene(const std::function<double(Vec)>& distance) {
    TestImage image = ConstantImage(128, 128, 0);
    for (int r = 0; r < 128; ++r) {
        for (int c = 0; c < 128; ++c) {
            const Vec ray{std::tan(0.00818 * (c - 63.5)), std::tan(0.00818 * (63.5 - r)), 1};
            const double length = std::sqrt(Dot(ray, ray));
            const double d = distance({ray.x / length, ray.y / length, ray.z / length});
            image.at(c, r) = static_cast<std::uint8_t>(std::clamp(std::lround(d), 0L, 255L));
        }
    }
    return image;
}

// The plane of points p with normal . p = offset, or far away where the ray misses it.
double Plane(Vec normal, double offset, Vec ray) {
    const double facing = Dot(normal, ray);
    return facing > 0 ? offset / facing : 255;
}

double Roof(Vec ray) { return std::min(Plane({0.6, 0, 1}, 110, ray), Plane({-0.6, 0, 1}, 110, ray)); }

// Treads facing the scanner, each a band of view 0.1 wide and 15 deeper than the last.
double Staircase(Vec ray) { return (100 + 15 * std::floor(ray.x / ray.z / 0.1)) / ray.z; }

// A ball of radius 70, 160 away, in front of a wall at depth 230.
double SphereCap(Vec ray) {
    const Vec centre{0, 0, 160};
    const double along = Dot(ray, centre);
    const double clearance = along * along - (Dot(centre, centre) - 70 * 70);
    return clearance < 0 ? 230 / ray.z : along - std::sqrt(clearance);
}

OperationResult ConvertImage(const TestImage& image, MessageLog& log) {
    return FindOperationByCommand("range3d")->run({image.pixels, image.width, image.height}, {}, log.reporter());
}

bool OutsideTheLabelledRegion(std::size_t i) {
    const std::size_t r = i / 128, c = i % 128;
    return r < 19 || r > 98 || c < 20 || c > 99;
}

TEST(ConvertTo3D, LabelsRangeScenesExactlyAsTheReference) {
    const struct {
        const char* name;
        TestImage image;
    } scenes[] = {
        {"plane tilted sideways", RangeScene([](Vec ray) {
             return Plane({0.3, 0, 1}, 120, ray);
         })},
        {"plane tilted back", RangeScene([](Vec ray) {
             return Plane({0, -0.5, 1}, 100, ray);
         })},
        {"plane tilted both ways", RangeScene([](Vec ray) {
             return Plane({0.4, 0.4, 1}, 90, ray);
         })},
        {"roof", RangeScene(Roof)},
        {"staircase", RangeScene(Staircase)},
        {"sphere cap", RangeScene(SphereCap)},
        {"noise", RandomImage(128, 128, 5)},
    };
    for (const auto& scene : scenes) {
        SCOPED_TRACE(scene.name);
        MessageLog log;
        const OperationResult result = ConvertImage(scene.image, log);
        EXPECT_EQ(result.outcome, OperationOutcome::Image) << scene.name;
        EXPECT_EQ(result.width, 128);
        EXPECT_EQ(result.height, 128);
        EXPECT_TRUE(log.messages.empty());

        RangeCoordinates points;
        ReferenceRangeToCoordinates(scene.image.pixels, points);
        const std::vector<std::uint8_t> labels = ToVector(result.pixels);
        EXPECT_EQ(labels, ReferenceLabels(points)) << scene.name;
        EXPECT_GT(std::count_if(labels.begin(), labels.end(), [](std::uint8_t v) { return v != 0; }), 0) << scene.name;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (OutsideTheLabelledRegion(i)) {
                ASSERT_EQ(labels[i], 0) << scene.name << " at " << i;
            }
        }
    }
}

TEST(ConvertTo3D, FlatZeroRangeLabelsNothing) {
    // Every normal points straight back and votes for the slot after its own,
    // so no record is near any class.
    MessageLog log;
    const OperationResult result = ConvertImage(ConstantImage(128, 128, 0), log);
    ASSERT_EQ(result.outcome, OperationOutcome::Image);
    EXPECT_EQ(ToVector(result.pixels), std::vector<std::uint8_t>(kRangePixels, 0));
}

TEST(ConvertTo3D, RefusesEveryOtherSizeWithoutReadingIt) {
    // 256 x 64 has exactly as many pixels as 128 x 128 and is refused all the same.
    for (const auto& [width, height] : {std::pair{127, 128}, {128, 127}, {129, 128}, {256, 64}, {1, 1}, {0, 0}}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        MessageLog log;
        const OperationResult result = ConvertImage(ConstantImage(width, height, 7), log);
        EXPECT_EQ(result.outcome, OperationOutcome::Refused) << width << "x" << height;
        EXPECT_TRUE(result.pixels.empty());
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages[0].text, "Convert to 3D needs a 128 x 128 image.");
        EXPECT_EQ(log.messages[0].caption, "Error");
    }
}

}  // namespace
}  // namespace lumagrove

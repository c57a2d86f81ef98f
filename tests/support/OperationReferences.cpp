#include "support/OperationReferences.h"

#include <span>

#include "formats/Readers.h"
#include "frequency/FrequencyFilters.h"
#include "hough/CircleHough.h"
#include "hough/LineHough.h"
#include "imaging/EdgeDetection.h"
#include "imaging/Equalization.h"
#include "imaging/Median.h"
#include "imaging/PointOperations.h"
#include "imaging/Smoothing.h"
#include "range3d/RangeCoordinates.h"
#include "support/MessageLog.h"

namespace lumagrove::testing {
namespace {

using Values = ReferenceValues;

ImageRecord Sized(PixelArray pixels, std::int32_t width, std::int32_t height) {
    ImageRecord record;
    record.width = width;
    record.height = height;
    record.pixels = std::move(pixels);
    return record;
}

ImageRecord SameSize(const ImageRecord& source, PixelArray pixels) {
    return Sized(std::move(pixels), source.width, source.height);
}

std::span<const std::uint8_t> Pixels(const ImageRecord& source) { return {source.pixels.data(), source.pixels.size()}; }

ImageView View(const ImageRecord& s) { return {Pixels(s), s.width, s.height}; }

PixelArray Spectrum(const ImageRecord& s) {
    MessageLog log;
    return FourierSpectrum(View(s), log.reporter());
}
PixelArray HighPass(const ImageRecord& s, const Values& v) {
    MessageLog log;
    return GlobalHighPass(View(s), v.cutoffX, v.cutoffY, log.reporter());
}
PixelArray LowPass(const ImageRecord& s, const Values& v) {
    MessageLog log;
    return GlobalLowPass(View(s), v.cutoffX, v.cutoffY, log.reporter());
}
PixelArray LocalHigh(const ImageRecord& s, const Values& v) {
    MessageLog log;
    return LocalHighPass(View(s), v.cutoffX, v.cutoffY, v.fromX, v.fromY, v.toX, v.toY, log.reporter());
}
PixelArray LocalLow(const ImageRecord& s, const Values& v) {
    MessageLog log;
    return LocalLowPass(View(s), v.cutoffX, v.cutoffY, v.fromX, v.fromY, v.toX, v.toY, log.reporter());
}

enum class Votes { All, NearMenuDirection };
enum class Shown { ShapesOnly, OverImage };

// The menu's "using direction info" entries keep only edges near 100
// degrees, with a gradient threshold of 20.
ImageRecord Detect(PixelArray (*detect)(ImageView, const EdgeSettings&), const EdgeSettings& ownEdges,
                   const ImageRecord& s, Votes votes, Shown shown) {
    const EdgeSettings nearMenuDirection{.threshold = 20, .direction = 100, .byDirection = true};
    PixelArray overlay = detect(View(s), votes == Votes::NearMenuDirection ? nearMenuDirection : ownEdges);
    return SameSize(s, shown == Shown::ShapesOnly ? std::move(overlay) : Superimposed(View(s), overlay));
}

ImageRecord Lines(const ImageRecord& s, Votes votes, Shown shown) {
    return Detect(DetectLines, kLineEdges, s, votes, shown);
}

ImageRecord Circles(const ImageRecord& s, Votes votes, Shown shown) {
    return Detect(DetectCircles, kCircleEdges, s, votes, shown);
}

ImageRecord LineSpace(const ImageRecord& s) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArray space = LineHoughSpace(View(s), kLineEdges, width, height);
    return Sized(std::move(space), width, height);
}

ImageRecord CircleSpace(const ImageRecord& s, const Values& v) {
    return SameSize(s, CircleHoughSpace(View(s), kCircleEdges, v.circleRadius));
}

ImageRecord Range3d(const ImageRecord& s) {
    RangeCoordinates coordinates;
    RangeToCoordinates(Pixels(s).first<kRangePixels>(), coordinates);
    return Sized(LabelSurfaceOrientations(coordinates), kRangeSide, kRangeSide);
}

// Captureless lambdas keep each row on one line: command, menu entry, id, and
// the call that must give the same bytes.
const std::vector<OperationReference> kReferences = {
    {"negate", "Action > Negate", 40003,
     [](const ImageRecord& s, const Values&) { return SameSize(s, Negate(View(s))); }},
    {"binarize", "Action > Binarize", 40009,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, Binarize(View(s), v.threshold)); }},
    {"uniform", "Action > Smoothing > Uniform", 40005,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, SmoothUniform(View(s), v.uniformWindow)); }},
    {"median", "Action > Smoothing > Median", 40006,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, MedianFilter(View(s), v.windowSize)); }},
    {"gaussian", "Action > Smoothing > Gaussian", 40007,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, SmoothGaussian(View(s), v.sigma, v.threshold)); }},
    {"equalize", "Action > Histogram equalization > Global", 40010,
     [](const ImageRecord& s, const Values&) { return SameSize(s, EqualizeGlobal(View(s))); }},
    {"equalize-area", "Action > Histogram equalization > Selected Area", 40011,
     [](const ImageRecord& s, const Values& v) {
         return SameSize(s, EqualizeArea(View(s), s.pixels.data(), v.fromX, v.fromY, v.toX, v.toY));
     }},
    {"equalize-4", "Action > Histogram equalization > Equalize 4 Areas", 40012,
     [](const ImageRecord& s, const Values&) { return SameSize(s, EqualizeFourAreas(View(s))); }},
    {"equalize-16", "Action > Histogram equalization > Equalize 16 Areas", 40013,
     [](const ImageRecord& s, const Values&) { return SameSize(s, EqualizeSixteenAreas(View(s))); }},
    {"spectrum", "Action > Fourier Transform > Show", 40016,
     [](const ImageRecord& s, const Values&) { return SameSize(s, Spectrum(s)); }},
    {"highpass", "Action > Fourier Transform > Global high pass filter", 40017,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, HighPass(s, v)); }},
    {"lowpass", "Action > Fourier Transform > Global low pass filter", 40018,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, LowPass(s, v)); }},
    {"highpass-local", "Action > Fourier Transform > Local high pass filter", 40019,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, LocalHigh(s, v)); }},
    {"lowpass-local", "Action > Fourier Transform > Local low pass filter", 40020,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, LocalLow(s, v)); }},
    {"gradient", "Action > Edge Detection > Show Gradient image", 40021,
     [](const ImageRecord& s, const Values&) { return SameSize(s, GradientImage(View(s))); }},
    {"edges", "Action > Edge Detection > Find Edges using Gradient info", 40023,
     [](const ImageRecord& s, const Values& v) { return SameSize(s, EdgesByGradient(View(s), v.gradientThreshold)); }},
    {"edges-direction", "Action > Edge Detection > Find Edges using direction of Gradient", 40024,
     [](const ImageRecord& s, const Values& v) {
         return SameSize(s, EdgesByDirection(View(s), v.gradientThreshold, v.gradientDirection));
     }},
    {"line-space", "Action > Hough Transforms > Lines > Show Hough Space", 40031,
     [](const ImageRecord& s, const Values&) { return LineSpace(s); }},
    {"lines", "Action > Hough Transforms > Lines > Detect lines (show lines only)", 40032,
     [](const ImageRecord& s, const Values&) { return Lines(s, Votes::All, Shown::ShapesOnly); }},
    {"lines-superimposed", "Action > Hough Transforms > Lines > Detect lines (superimpose on original)", 40033,
     [](const ImageRecord& s, const Values&) { return Lines(s, Votes::All, Shown::OverImage); }},
    {"lines-direction", "Action > Hough Transforms > Lines > Detect lines using direction info", 40034,
     [](const ImageRecord& s, const Values&) { return Lines(s, Votes::NearMenuDirection, Shown::OverImage); }},
    {"circle-space", "Action > Hough Transforms > Circles > Show Hough Space", 40035,
     [](const ImageRecord& s, const Values& v) { return CircleSpace(s, v); }},
    {"circles", "Action > Hough Transforms > Circles > Detect Circles (show circles only)", 40036,
     [](const ImageRecord& s, const Values&) { return Circles(s, Votes::All, Shown::ShapesOnly); }},
    {"circles-superimposed", "Action > Hough Transforms > Circles > Detect Circles (superimpose on original)", 40037,
     [](const ImageRecord& s, const Values&) { return Circles(s, Votes::All, Shown::OverImage); }},
    {"circles-direction", "Action > Hough Transforms > Circles > Detect circles using direction info", 40038,
     [](const ImageRecord& s, const Values&) { return Circles(s, Votes::NearMenuDirection, Shown::OverImage); }},
    {"range3d", "Action > Convert to 3D", 40039, [](const ImageRecord& s, const Values&) { return Range3d(s); }},
};

}  // namespace

const std::vector<OperationReference>& OperationReferences() { return kReferences; }

const OperationReference* FindReference(const std::string& command) {
    for (const OperationReference& reference : kReferences) {
        if (command == reference.command) return &reference;
    }
    return nullptr;
}

bool NeedsRangeImage(const OperationReference& reference) { return std::string(reference.command) == "range3d"; }

::testing::AssertionResult SameImage(const ImageRecord& actual, const ImageRecord& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return ::testing::AssertionFailure() << actual.width << " x " << actual.height << " instead of "
                                             << expected.width << " x " << expected.height;
    }
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = actual.pixels.size(); i-- > 0;) {
        if (actual.pixels[i] != expected.pixels[i]) {
            ++differing;
            first = i;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    const auto width = static_cast<std::size_t>(expected.width);
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << first % width << ", "
                                         << first / width << "): " << int{actual.pixels[first]} << " instead of "
                                         << int{expected.pixels[first]};
}

std::string SamplePath(const std::string& name) { return LUMAGROVE_SOURCE_DIR "/samples/" + name; }

ImageRecord ReadSample(const std::string& name) {
    MessageLog log;
    std::optional<ImageRecord> record = ReadNetpbm(SamplePath(name), log.reporter());
    EXPECT_TRUE(record) << name;
    return record ? std::move(*record) : ImageRecord();
}

}  // namespace lumagrove::testing

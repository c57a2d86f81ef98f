#include "operations/OperationTable.h"

#include <algorithm>

#include "operations/Runners.h"

namespace lumagrove {
namespace {

using Arguments = OperationArguments;

// The command-line options, one row each. A command names the ones it takes.
constexpr OptionDescriptor kThreshold{
    .flag = "--threshold",
    .valueName = "N",
    .field = IntegerField{&Arguments::threshold},
    .help = "gray level; binarize whitens what lies above it, gaussian keeps pixels that smoothing moves further"};
constexpr OptionDescriptor kSigma{.flag = "--sigma",
                                  .valueName = "S",
                                  .field = RealField{&Arguments::sigma},
                                  .help = "spread of the Gaussian kernel; below 1/3 the image is left as it is"};
constexpr OptionDescriptor kUniformWindow{.flag = "--window",
                                          .valueName = "N",
                                          .field = IntegerField{&Arguments::uniformWindow, 1},
                                          .help = "side of the square window the mean is taken over"};
constexpr OptionDescriptor kSelectionFrom{.flag = "--from",
                                          .valueName = "X,Y",
                                          .field = PointField{&Arguments::downX, &Arguments::downY},
                                          .help = "one corner of the rectangle (where the desktop's selection starts)"};
constexpr OptionDescriptor kSelectionTo{.flag = "--to",
                                        .valueName = "X,Y",
                                        .field = PointField{&Arguments::upX, &Arguments::upY},
                                        .help = "the opposite corner (where the desktop's selection ends)"};
constexpr OptionDescriptor kCutoff{.flag = "--cutoff",
                                   .valueName = "X,Y",
                                   .field = PointField{&Arguments::cutoffX, &Arguments::cutoffY},
                                   .help = "point whose distance from the corner is the filter's radius"};
constexpr OptionDescriptor kGradientThreshold{.flag = "--threshold",
                                              .valueName = "N",
                                              .field = IntegerField{&Arguments::gradientThreshold},
                                              .help = "gradient magnitude an edge must exceed"};
constexpr OptionDescriptor kGradientDirection{
    .flag = "--direction",
    .valueName = "D",
    .field = IntegerField{&Arguments::gradientDirection},
    .help = "gradient direction in degrees; edges within 10 degrees of it, either way, are kept"};
constexpr OptionDescriptor kCircleRadius{.flag = "--radius",
                                         .valueName = "R",
                                         .field = IntegerField{&Arguments::circleRadius, 0},
                                         .help = "radius plane to show; beyond the largest, the largest"};

constexpr const OptionDescriptor* kThresholdOptions[] = {&kThreshold};
constexpr const OptionDescriptor* kUniformWindowOptions[] = {&kUniformWindow};
constexpr const OptionDescriptor* kSigmaThresholdOptions[] = {&kSigma, &kThreshold};
constexpr const OptionDescriptor* kSelectionFromSelectionToOptions[] = {&kSelectionFrom, &kSelectionTo};
constexpr const OptionDescriptor* kCutoffOptions[] = {&kCutoff};
constexpr const OptionDescriptor* kGradientThresholdOptions[] = {&kGradientThreshold};
constexpr const OptionDescriptor* kGradientThresholdGradientDirectionOptions[] = {&kGradientThreshold,
                                                                                  &kGradientDirection};
constexpr const OptionDescriptor* kCircleRadiusOptions[] = {&kCircleRadius};

using enum EntryKind;
using enum ParameterDialog;

constexpr OperationEntry kEntries[] = {
    {.menuId = 40001,
     .menuPath = "&File > Save As...",
     .menuSummary = "save the image: a grey PNG or TIFF for a name ending so, else binary PGM",
     .kind = SaveAs},
    {.menuId = 40002, .menuPath = "&File > &Close", .menuSummary = "close the window", .kind = Close},
    {.menuId = 40003,
     .menuPath = "&Action > Negate",
     .menuSummary = "invert every gray level (255 - v)",
     .command = "negate",
     .commandSummary = "invert every gray level (255 - v)",
     .kind = Operation,
     .run = runners::Negate},
    {.menuId = 40009,
     .menuPath = "&Action > Binarize",
     .menuSummary = "white above the threshold, black elsewhere",
     .command = "binarize",
     .commandSummary = "white above the threshold, black elsewhere",
     .kind = Operation,
     .options = kThresholdOptions,
     .run = runners::Binarize},
    {.menuId = 40005,
     .menuPath = "&Action > Smoothing > Uniform",
     .menuSummary = "box mean over a square window (the menu uses 5)",
     .command = "uniform",
     .commandSummary = "box mean over a square window",
     .kind = Operation,
     .options = kUniformWindowOptions,
     .run = runners::SmoothUniform},
    {.menuId = 40006,
     .menuPath = "&Action > Smoothing > Median",
     .menuSummary = "in the menu, does nothing",
     .kind = NoAction},
    {.menuId = 40007,
     .menuPath = "&Action > Smoothing > Gaussian",
     .menuSummary = "Gaussian smoothing, brightness lift and edge-preserving test (asks for its parameters first)",
     .command = "gaussian",
     .commandSummary = "Gaussian smoothing, brightness lift and edge-preserving test",
     .kind = Operation,
     .dialog = Parameters,
     .options = kSigmaThresholdOptions,
     .run = runners::SmoothGaussian},
    {.menuId = 40008,
     .menuPath = "&Action > Histogram equalization > Show histogram",
     .menuSummary = "in the menu, does nothing",
     .kind = NoAction},
    {.menuId = 40010,
     .menuPath = "&Action > Histogram equalization > Global",
     .menuSummary = "equalize the histogram of the whole image",
     .command = "equalize",
     .commandSummary = "equalize the histogram of the whole image",
     .kind = Operation,
     .run = runners::EqualizeGlobal},
    {.menuId = 40011,
     .menuPath = "&Action > Histogram equalization > Selected Area",
     .menuSummary = "equalize the histogram inside the selected rectangle",
     .command = "equalize-area",
     .commandSummary = "equalize the histogram inside the rectangle from --from to --to",
     .kind = Operation,
     .options = kSelectionFromSelectionToOptions,
     .run = runners::EqualizeSelectedArea},
    {.menuId = 40012,
     .menuPath = "&Action > Histogram equalization > Equalize 4 Areas",
     .menuSummary = "equalize each quarter of the image on its own",
     .command = "equalize-4",
     .commandSummary = "equalize each quarter of the image on its own",
     .kind = Operation,
     .run = runners::EqualizeFourAreas},
    {.menuId = 40013,
     .menuPath = "&Action > Histogram equalization > Equalize 16 Areas",
     .menuSummary = "equalize each of 4 x 4 areas on its own",
     .command = "equalize-16",
     .commandSummary = "equalize each of 4 x 4 areas on its own",
     .kind = Operation,
     .run = runners::EqualizeSixteenAreas},
    {.menuId = 40016,
     .menuPath = "&Action > Fourier Transform > Show",
     .menuSummary = "picture of the Fourier magnitudes (low frequencies in the corners)",
     .command = "spectrum",
     .commandSummary = "picture of the Fourier magnitudes (low frequencies in the corners)",
     .kind = Operation,
     .run = runners::FourierSpectrum},
    {.menuId = 40017,
     .menuPath = "&Action > Fourier Transform > Global high pass filter",
     .menuSummary = "ideal high-pass filter, radius from the cut-off point",
     .command = "highpass",
     .commandSummary = "ideal high-pass filter, radius from the --cutoff point",
     .kind = Operation,
     .options = kCutoffOptions,
     .run = runners::GlobalHighPass},
    {.menuId = 40018,
     .menuPath = "&Action > Fourier Transform > Global low pass filter",
     .menuSummary = "ideal low-pass filter, radius from the cut-off point",
     .command = "lowpass",
     .commandSummary = "ideal low-pass filter, radius from the --cutoff point",
     .kind = Operation,
     .options = kCutoffOptions,
     .run = runners::GlobalLowPass},
    {.menuId = 40019,
     .menuPath = "&Action > Fourier Transform > Local high pass filter",
     .menuSummary = "in the menu, does nothing",
     .kind = NoAction},
    {.menuId = 40020,
     .menuPath = "&Action > Fourier Transform > Local low pass filter",
     .menuSummary = "in the menu, does nothing",
     .kind = NoAction},
    {.menuId = 40021,
     .menuPath = "&Action > Edge Detection > Show Gradient image",
     .menuSummary = "Sobel gradient magnitude",
     .command = "gradient",
     .commandSummary = "Sobel gradient magnitude",
     .kind = Operation,
     .run = runners::GradientImage},
    {.menuId = 40023,
     .menuPath = "&Action > Edge Detection > Find Edges using Gradient info",
     .menuSummary = "edge map: gradient magnitude above the threshold (asks first)",
     .command = "edges",
     .commandSummary = "edge map: gradient magnitude above the threshold",
     .kind = Operation,
     .dialog = EdgeParameters,
     .options = kGradientThresholdOptions,
     .run = runners::EdgesByGradient},
    {.menuId = 40024,
     .menuPath = "&Action > Edge Detection > Find Edges using direction of Gradient",
     .menuSummary = "edge map: strong gradients near the given direction (asks first)",
     .command = "edges-direction",
     .commandSummary = "edge map: strong gradients near the given direction",
     .kind = Operation,
     .dialog = EdgeParameters,
     .options = kGradientThresholdGradientDirectionOptions,
     .run = runners::EdgesByDirection},
    {.menuId = 40031,
     .menuPath = "&Action > Hough Transforms > Lines > Show Hough Space",
     .menuSummary = "the line Hough space (distance x angle)",
     .command = "line-space",
     .commandSummary = "the line Hough space (distance x angle)",
     .kind = Operation,
     .run = runners::LineSpace},
    {.menuId = 40032,
     .menuPath = "&Action > Hough Transforms > Lines > Detect lines (show lines only)",
     .menuSummary = "detected straight lines on black",
     .command = "lines",
     .commandSummary = "detected straight lines on black",
     .kind = Operation,
     .run = runners::Lines},
    {.menuId = 40033,
     .menuPath = "&Action > Hough Transforms > Lines > Detect lines (superimpose on original)",
     .menuSummary = "detected straight lines over the image",
     .command = "lines-superimposed",
     .commandSummary = "detected straight lines over the image",
     .kind = Operation,
     .run = runners::LinesSuperimposed},
    {.menuId = 40034,
     .menuPath = "&Action > Hough Transforms > Lines > Detect lines using direction info",
     .menuSummary = "lines from direction-checked votes, over the image",
     .command = "lines-direction",
     .commandSummary = "lines from direction-checked votes, over the image",
     .kind = Operation,
     .run = runners::LinesByDirection},
    {.menuId = 40035,
     .menuPath = "&Action > Hough Transforms > Circles > Show Hough Space",
     .menuSummary = "one radius plane of the circle Hough space",
     .command = "circle-space",
     .commandSummary = "one radius plane of the circle Hough space",
     .kind = Operation,
     .options = kCircleRadiusOptions,
     .run = runners::CircleSpace},
    {.menuId = 40036,
     .menuPath = "&Action > Hough Transforms > Circles > Detect Circles (show circles only)",
     .menuSummary = "detected small circles on black",
     .command = "circles",
     .commandSummary = "detected small circles on black",
     .kind = Operation,
     .run = runners::Circles},
    {.menuId = 40037,
     .menuPath = "&Action > Hough Transforms > Circles > Detect Circles (superimpose on original)",
     .menuSummary = "detected small circles over the image",
     .command = "circles-superimposed",
     .commandSummary = "detected small circles over the image",
     .kind = Operation,
     .run = runners::CirclesSuperimposed},
    {.menuId = 40038,
     .menuPath = "&Action > Hough Transforms > Circles > Detect circles using direction info",
     .menuSummary = "circles from direction-checked votes, over the image",
     .command = "circles-direction",
     .commandSummary = "circles from direction-checked votes, over the image",
     .kind = Operation,
     .run = runners::CirclesByDirection},
    {.menuId = 40039,
     .menuPath = "&Action > Convert to 3D",
     .menuSummary = "label surface orientations of a 128 x 128 range image",
     .command = "range3d",
     .commandSummary = "label surface orientations of a 128 x 128 range image",
     .kind = Operation,
     .run = runners::ConvertTo3D},
    {.menuId = 40014,
     .menuPath = "Options > Set Threshold...",
     .menuSummary = "edit window size, sigma and threshold",
     .kind = EditSettings,
     .dialog = Parameters},
    {.menuId = 40025,
     .menuPath = "Options > Set Gradient and Gradient Direction Thresholds...",
     .menuSummary = "edit the edge detector's threshold and direction",
     .kind = EditSettings,
     .dialog = EdgeParameters},
};

}  // namespace

std::span<const OperationEntry> OperationTable() { return kEntries; }

const OperationEntry* FindOperationByMenuId(std::uint16_t menuId) {
    for (const OperationEntry& entry : kEntries) {
        if (entry.menuId == menuId) return &entry;
    }
    return nullptr;
}

const OperationEntry* FindOperationByCommand(std::string_view command) {
    for (const OperationEntry& entry : kEntries) {
        if (entry.command != nullptr && command == entry.command) return &entry;
    }
    return nullptr;
}

const OperationEntry* FindOperationByMenuPath(std::string_view path) {
    for (const OperationEntry& entry : kEntries) {
        if (PlainMenuPath(entry) == path) return &entry;
    }
    return nullptr;
}

std::string PlainMenuPath(const OperationEntry& entry) {
    std::string path(entry.menuPath);
    std::erase(path, '&');
    return path;
}

const OptionDescriptor* FindOption(const OperationEntry& entry, std::string_view flag) {
    for (const OptionDescriptor* option : entry.options) {
        if (flag == option->flag) return option;
    }
    return nullptr;
}

std::vector<const OptionDescriptor*> AllOptions() {
    std::vector<const OptionDescriptor*> options;
    for (const OperationEntry& entry : kEntries) {
        for (const OptionDescriptor* option : entry.options) {
            if (std::find(options.begin(), options.end(), option) == options.end()) options.push_back(option);
        }
    }
    return options;
}

}  // namespace lumagrove

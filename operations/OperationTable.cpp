#include "operations/OperationTable.h"

#include <array>

#include "operations/Runners.h"

namespace lumagrove {
namespace {

using enum EntryKind;
using enum OptionField;
using DialogFirst::Parameters;
using DialogFirst::EdgeParameters;
constexpr DialogFirst NoDialog = DialogFirst::None;

constexpr OperationEntry kEntries[] = {
    {40001, "File > Save As...", nullptr, "save the image as a binary PGM file", SaveAs, NoDialog, {}, nullptr},
    {40002, "File > Close", nullptr, "close the window", WindowOnly, NoDialog, {}, nullptr},
    {40003, "Action > Negate", "negate", "invert every gray level (255 - v)", Operation, NoDialog, {}, runners::Negate},
    {40009, "Action > Binarize", "binarize", "white above the threshold, black elsewhere", Operation, NoDialog, {Threshold}, runners::Binarize},
    {40005, "Action > Smoothing > Uniform", "uniform", "box mean over a square window (the menu uses 5)", Operation, NoDialog, {UniformWindow}, runners::SmoothUniform},
    {40006, "Action > Smoothing > Median", nullptr, "in the menu, does nothing", NoAction, NoDialog, {}, nullptr},
    {40007, "Action > Smoothing > Gaussian", "gaussian", "Gaussian smoothing, brightness lift and edge-preserving test (asks for its parameters first)", Operation, Parameters, {Sigma, Threshold}, runners::SmoothGaussian},
    {40008, "Action > Histogram equalization > Show histogram", nullptr, "in the menu, does nothing", NoAction, NoDialog, {}, nullptr},
    {40010, "Action > Histogram equalization > Global", "equalize", "equalize the histogram of the whole image", Operation, NoDialog, {}, runners::EqualizeGlobal},
    {40011, "Action > Histogram equalization > Selected Area", "equalize-area", "equalize the histogram inside the selected rectangle", Operation, NoDialog, {SelectionFrom, SelectionTo}, runners::EqualizeSelectedArea},
    {40012, "Action > Histogram equalization > Equalize 4 Areas", "equalize-4", "equalize each quarter of the image on its own", Operation, NoDialog, {}, runners::EqualizeFourAreas},
    {40013, "Action > Histogram equalization > Equalize 16 Areas", "equalize-16", "equalize each of 4 x 4 areas on its own", Operation, NoDialog, {}, runners::EqualizeSixteenAreas},
    {40016, "Action > Fourier Transform > Show", "spectrum", "picture of the Fourier magnitudes (low frequencies in the corners)", Operation, NoDialog, {}, runners::FourierSpectrum},
    {40017, "Action > Fourier Transform > Global high pass filter", "highpass", "ideal high-pass filter, radius from the cut-off point", Operation, NoDialog, {Cutoff}, runners::GlobalHighPass},
    {40018, "Action > Fourier Transform > Global low pass filter", "lowpass", "ideal low-pass filter, radius from the cut-off point", Operation, NoDialog, {Cutoff}, runners::GlobalLowPass},
    {40019, "Action > Fourier Transform > Local high pass filter", nullptr, "in the menu, does nothing", NoAction, NoDialog, {}, nullptr},
    {40020, "Action > Fourier Transform > Local low pass filter", nullptr, "in the menu, does nothing", NoAction, NoDialog, {}, nullptr},
    {40021, "Action > Edge Detection > Show Gradient image", "gradient", "Sobel gradient magnitude", Operation, NoDialog, {}, runners::GradientImage},
    {40023, "Action > Edge Detection > Find Edges using Gradient info", "edges", "edge map: gradient magnitude above the threshold (asks first)", Operation, EdgeParameters, {GradientThreshold}, runners::EdgesByGradient},
    {40024, "Action > Edge Detection > Find Edges using direction of Gradient", "edges-direction", "edge map: strong gradients near the given direction (asks first)", Operation, EdgeParameters, {GradientThreshold, GradientDirection}, runners::EdgesByDirection},
    {40031, "Action > Hough Transforms > Lines > Show Hough Space", "line-space", "the line Hough space (distance x angle)", Operation, NoDialog, {}, runners::LineSpace},
    {40032, "Action > Hough Transforms > Lines > Detect lines (show lines only)", "lines", "detected straight lines on black", Operation, NoDialog, {}, runners::Lines},
    {40033, "Action > Hough Transforms > Lines > Detect lines (superimpose on original)", "lines-superimposed", "detected straight lines over the image", Operation, NoDialog, {}, runners::LinesSuperimposed},
    {40034, "Action > Hough Transforms > Lines > Detect lines using direction info", "lines-direction", "lines from direction-checked votes, over the image", Operation, NoDialog, {}, runners::LinesByDirection},
    {40035, "Action > Hough Transforms > Circles > Show Hough Space", "circle-space", "one radius plane of the circle Hough space", Operation, NoDialog, {CircleRadius}, runners::CircleSpace},
    {40036, "Action > Hough Transforms > Circles > Detect Circles (show circles only)", "circles", "detected small circles on black", Operation, NoDialog, {}, runners::Circles},
    {40037, "Action > Hough Transforms > Circles > Detect Circles (superimpose on original)", "circles-superimposed", "detected small circles over the image", Operation, NoDialog, {}, runners::CirclesSuperimposed},
    {40038, "Action > Hough Transforms > Circles > Detect circles using direction info", "circles-direction", "circles from direction-checked votes, over the image", Operation, NoDialog, {}, runners::CirclesByDirection},
    {40039, "Action > Convert to 3D", "range3d", "label surface orientations of a 128 x 128 range image", Operation, NoDialog, {}, runners::ConvertTo3D},
    {40014, "Options > Set Threshold...", nullptr, "edit window size, sigma and threshold", WindowOnly, NoDialog, {}, nullptr},
    {40025, "Options > Set Gradient and Gradient Direction Thresholds...", nullptr, "edit the edge detector's threshold and direction", WindowOnly, NoDialog, {}, nullptr},
};

constexpr OptionDescription kOptions[] = {
    {Threshold, "--threshold", "N"},
    {GradientThreshold, "--threshold", "N"},
    {GradientDirection, "--direction", "D"},
    {Sigma, "--sigma", "S"},
    {UniformWindow, "--window", "N"},
    {Cutoff, "--cutoff", "X,Y"},
    {SelectionFrom, "--from", "X,Y"},
    {SelectionTo, "--to", "X,Y"},
    {CircleRadius, "--radius", "R"},
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

const OptionDescription& DescribeOption(OptionField field) {
    for (const OptionDescription& option : kOptions) {
        if (option.field == field) return option;
    }
    static constexpr OptionDescription kNone{OptionField::None, "", ""};
    return kNone;
}

}  // namespace lumagrove

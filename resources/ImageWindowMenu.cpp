#include "resources/CommandIds.h"
#include "resources/ControlIds.h"
#include "resources/Resources.h"

namespace lumagrove::resources {

namespace {

MenuItem Command(const char* text, int id) { return MenuItem{text, id, {}}; }
MenuItem Popup(const char* text, std::vector<MenuItem> items) { return MenuItem{text, 0, std::move(items)}; }

}  // namespace

// Menu bar of every image window; its second popup is also the right-click menu.
const MenuTemplate& ImageWindowMenuTemplate() {
    static const MenuTemplate menu{
        ImageWindowMenu,
        {
            Popup("&File", {Command("Save As...", command::SaveAs), Command("&Close", command::Close)}),
            Popup("&Action",
                  {
                      Command("Negate", command::Negate),
                      Command("Binarize", command::Binarize),
                      Popup("Smoothing",
                            {Command("Uniform", command::SmoothUniform), Command("Median", command::SmoothMedian),
                             Command("Gaussian", command::SmoothGaussian)}),
                      Popup("Histogram equalization",
                            {Command("Show histogram", command::ShowHistogram),
                             Command("Global", command::EqualizeGlobal),
                             Command("Selected Area", command::EqualizeSelectedArea),
                             Command("Equalize 4 Areas", command::EqualizeFourAreas),
                             Command("Equalize 16 Areas", command::EqualizeSixteenAreas)}),
                      Popup("Fourier Transform",
                            {Command("Show", command::FourierShow),
                             Command("Global high pass filter", command::GlobalHighPass),
                             Command("Global low pass filter", command::GlobalLowPass),
                             Command("Local high pass filter", command::LocalHighPass),
                             Command("Local low pass filter", command::LocalLowPass)}),
                      Popup("Edge Detection",
                            {Command("Show Gradient image", command::ShowGradient),
                             Command("Find Edges using Gradient info", command::EdgesByGradient),
                             Command("Find Edges using direction of Gradient", command::EdgesByDirection)}),
                      Popup("Hough Transforms",
                            {Popup("Lines",
                                   {Command("Show Hough Space", command::LineHoughSpace),
                                    Command("Detect lines (show lines only)", command::DetectLinesOnly),
                                    Command("Detect lines (superimpose on original)",
                                            command::DetectLinesSuperimposed),
                                    Command("Detect lines using direction info", command::DetectLinesByDirection)}),
                             Popup("Circles",
                                   {Command("Show Hough Space", command::CircleHoughSpace),
                                    Command("Detect Circles (show circles only)", command::DetectCirclesOnly),
                                    Command("Detect Circles (superimpose on original)",
                                            command::DetectCirclesSuperimposed),
                                    Command("Detect circles using direction info",
                                            command::DetectCirclesByDirection)})}),
                      Command("Convert to 3D", command::ConvertTo3D),
                  }),
            Popup("Options", {Command("Set Threshold...", command::SetThreshold),
                              Command("Set Gradient and Gradient Direction Thresholds...",
                                      command::SetGradientThresholds)}),
        }};
    return menu;
}

}  // namespace lumagrove::resources

#include "ShellTest.h"

#include <algorithm>

#include "operations/OperationTable.h"
#include "platform/Dialog.h"
#include "resources/ControlIds.h"
#include "shell/FileIntake.h"
#include "support/OperationReferences.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
namespace control = resources::control;
using testing::OperationReference;
using testing::ReferenceValues;

// The image a window shows at its top left, read back from the screen, at
// most `width` x `height`: a narrow image's window is widened to its menu bar.
// A pixel that is not a shade of gray reads as 0 and 1 in turn, so it can
// never match.
ImageRecord ShownImage(platform::Window window, std::int32_t width, std::int32_t height) {
    ImageRecord shown;
    const auto snapshot = hooks::Snapshot(window);
    if (!snapshot) return shown;
    const hooks::PresentedImage& presented = snapshot->presented;
    shown.width = std::min(presented.width, width);
    shown.height = std::min(presented.height, height);
    shown.pixels = PixelArray(static_cast<std::size_t>(shown.width) * shown.height);
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const std::uint32_t pixel = presented.pixel(x, y);
            const bool gray = (pixel >> 16 & 0xff) == (pixel >> 8 & 0xff) && (pixel >> 8 & 0xff) == (pixel & 0xff);
            shown.pixels[static_cast<std::size_t>(y) * shown.width + x] =
                static_cast<std::uint8_t>(gray ? pixel & 0xff : (x + y) % 2);
        }
    }
    return shown;
}

class MenuWiring : public ShellTest {
protected:
    // Opens a sample through the desktop's own file intake.
    platform::Window OpenSample(const std::string& name) {
        const std::string path = testing::SamplePath(name);
        LoadImageFile(path);
        return WaitForNewWindowTitled(path, 0).value_or(platform::Window{});
    }

    // Chooses the entry by its documented id in the window's popup menu,
    // accepting any parameter dialog as it stands, and checks the result
    // window against the operation called directly with `values`.
    void ExpectResultOf(platform::Window window, const std::string& sample, const OperationReference& reference,
                        const ReferenceValues& values) {
        SCOPED_TRACE(reference.menuPath);
        const std::size_t before = WindowsTitled("Processed Image").size();
        const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(reference.menuId));
        if (entry != nullptr && entry->dialog != ParameterDialog::None) hooks::AnswerNextDialog({{}, control::Ok});
        ChooseFromPopup(window, reference.menuId);
        const auto result = WaitForNewWindowTitled("Processed Image", before);
        ASSERT_TRUE(result);
        const ImageRecord expected = reference.expected(testing::ReadSample(sample), values);
        EXPECT_TRUE(testing::SameImage(ShownImage(*result, expected.width, expected.height), expected));
    }
};

// Every operation of the menu, chosen as a user chooses it on a sample the
// desktop has read, shows exactly what its operation gives with the
// desktop's starting settings, the menu's fixed values, and the selection and
// cut-off point made with the mouse.
TEST_F(MenuWiring, EveryOperationShowsWhatItsOperationGives) {
    const platform::Window scene = OpenSample("scene.pgm");
    const platform::Window range = OpenSample("range.pgm");
    ASSERT_TRUE(scene);
    ASSERT_TRUE(range);
    hooks::MouseOnClient(scene, hooks::Mouse::LeftPress, {30, 40});
    hooks::MouseOnClient(scene, hooks::Mouse::LeftRelease, {200, 170});
    ReferenceValues values{.cutoffX = 200, .cutoffY = 170, .fromX = 30, .fromY = 40, .toX = 200, .toY = 170};
    for (const OperationReference& reference : testing::OperationReferences()) {
        const bool onRange = testing::NeedsRangeImage(reference);
        ExpectResultOf(onRange ? range : scene, onRange ? "range.pgm" : "scene.pgm", reference, values);
    }
}

// Values typed into the parameter dialogs reach the operations that read them.
TEST_F(MenuWiring, DialogValuesReachTheirOperations) {
    const platform::Window scene = OpenSample("scene.pgm");
    ASSERT_TRUE(scene);
    hooks::AnswerNextDialog({{{control::Sigma, "2.5"}, {control::Threshold, "90"}}, control::Ok});
    hooks::ChooseFromMenuBar(scene, testing::FindReference("gaussian")->menuId);
    ASSERT_TRUE(WaitUntil([] { return WindowsTitled("Processed Image").size() == 1; }));
    hooks::AnswerNextDialog({{{control::GradientThreshold, "20"}, {control::GradientDirection, "100"}}, control::Ok});
    hooks::ChooseFromMenuBar(scene, testing::FindReference("edges-direction")->menuId);
    ASSERT_TRUE(WaitUntil([] { return WindowsTitled("Processed Image").size() == 2; }));

    const ReferenceValues typed{.threshold = 90, .sigma = 2.5, .gradientThreshold = 20, .gradientDirection = 100};
    for (const char* command : {"binarize", "gaussian", "edges", "edges-direction"}) {
        ExpectResultOf(scene, "scene.pgm", *testing::FindReference(command), typed);
    }
}

}  // namespace
}  // namespace lumagrove::shell::test

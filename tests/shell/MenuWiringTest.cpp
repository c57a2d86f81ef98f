#include <algorithm>

#include <QDialog>

#include "DesktopTest.h"
#include "operations/OperationTable.h"
#include "shell/ControlWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"
#include "support/OperationReferences.h"

namespace lumagrove::shell::test {
namespace {

using testing::OperationReference;
using testing::ReferenceValues;

// The image a window shows at its top left, read back from the screen, at
// most `width` x `height`: a narrow image's window is widened to its menu
// bar. A pixel that is not a shade of grey reads as 0 and 1 in turn, so it
// can never match.
ImageRecord ShownRecord(const ImageWindow* window, std::int32_t width, std::int32_t height) {
    const QImage shown = ShownView(window);
    ImageRecord record;
    record.width = std::min(shown.width(), width);
    record.height = std::min(shown.height(), height);
    record.pixels = PixelArray(static_cast<std::size_t>(record.width) * record.height);
    for (int y = 0; y < record.height; ++y) {
        for (int x = 0; x < record.width; ++x) {
            const int gray = GrayAt(shown, x, y);
            record.pixels[static_cast<std::size_t>(y) * record.width + x] =
                static_cast<std::uint8_t>(gray >= 0 ? gray : (x + y) % 2);
        }
    }
    return record;
}

// Every operation chosen from the menu, as a user chooses it, shows exactly
// what the operation called directly gives.
class MenuWiringTest : public DesktopTest {
    Q_OBJECT

    ImageWindow* openSample(const std::string& name) {
        const std::string path = testing::SamplePath(name);
        control().load({path});
        return waitForWindowTitled(QString::fromStdString(path));
    }

    // Chooses the entry by its documented id in the window's popup menu,
    // accepting any parameter dialog as it stands, and compares the result
    // window with the operation called directly with `values`.
    bool showsWhatItsOperationGives(ImageWindow* window, const std::string& sample, const OperationReference& reference,
                                    const ReferenceValues& values) {
        const std::size_t before = windowsTitled("Processed Image").size();
        ChooseFromPopup(window, reference.menuId);
        const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(reference.menuId));
        if (entry != nullptr && entry->dialog != ParameterDialog::None) {
            QDialog* dialog = WaitForParameterDialog(window);
            if (dialog == nullptr) return false;
            Press(*dialog, "ok");
        }
        const ImageWindow* result = waitForWindowTitled("Processed Image", before);
        if (result == nullptr) {
            qWarning("%s: no result", reference.menuPath);
            return false;
        }
        const ImageRecord expected = reference.expected(testing::ReadSample(sample), values);
        const auto same = testing::SameImage(ShownRecord(result, expected.width, expected.height), expected);
        if (!same) qWarning("%s: %s", reference.menuPath, same.message());
        return static_cast<bool>(same);
    }

private slots:
    // With the desktop's starting settings, the menu's fixed values, and the
    // selection and cut-off point made with the mouse.
    void everyOperationShowsWhatItsOperationGives() {
        ImageWindow* scene = openSample("scene.pgm");
        ImageWindow* range = openSample("range.pgm");
        QVERIFY(scene && range);
        QTest::mousePress(scene->view()->viewport(), Qt::LeftButton, {}, QPoint(30, 40));
        QTest::mouseRelease(scene->view()->viewport(), Qt::LeftButton, {}, QPoint(200, 170));
        const ReferenceValues values{.cutoffX = 200, .cutoffY = 170, .fromX = 30, .fromY = 40, .toX = 200, .toY = 170};
        for (const OperationReference& reference : testing::OperationReferences()) {
            const bool onRange = testing::NeedsRangeImage(reference);
            QVERIFY2(showsWhatItsOperationGives(onRange ? range : scene, onRange ? "range.pgm" : "scene.pgm", reference,
                                                values),
                     reference.menuPath);
        }
    }

    // Values typed into the parameter dialogs reach the operations that read them.
    void dialogValuesReachTheirOperations() {
        ImageWindow* scene = openSample("scene.pgm");
        QVERIFY(scene);
        Choose(scene, MenuId("Options > Set Threshold..."));
        QDialog* dialog = WaitForParameterDialog(scene);
        QVERIFY(dialog);
        TypeInto(FieldOf(*dialog, "sigma"), "2.5");
        TypeInto(FieldOf(*dialog, "threshold"), "90");
        Press(*dialog, "ok");
        Choose(scene, MenuId("Options > Set Gradient and Gradient Direction Thresholds..."));
        dialog = WaitForDialog(scene, [](QDialog* shown) { return shown->findChild<QWidget*>("gradientThreshold"); });
        QVERIFY(dialog);
        TypeInto(FieldOf(*dialog, "gradientThreshold"), "20");
        TypeInto(FieldOf(*dialog, "gradientDirection"), "100");
        Press(*dialog, "ok");
        QTRY_COMPARE_WITH_TIMEOUT(TheSettings().snapshot().gradientDirection, 100, kLongWait);

        const ReferenceValues typed{.threshold = 90, .sigma = 2.5, .gradientThreshold = 20, .gradientDirection = 100};
        for (const char* command : {"binarize", "gaussian", "edges", "edges-direction"}) {
            QVERIFY2(showsWhatItsOperationGives(scene, "scene.pgm", *testing::FindReference(command), typed), command);
        }
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(MenuWiringTest);

}  // namespace lumagrove::shell::test

#include "MenuWiringTest.moc"

#include <filesystem>

#include <QAbstractButton>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>

#include "DesktopTest.h"
#include "formats/Readers.h"
#include "shell/ControlWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"
#include "support/MessageLog.h"
#include "support/OperationReferences.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>((3 * x + y) % 256); }

// The time, the command and the file the image came from.
bool IsTimingLine(const QString& line) {
    return QRegularExpression("^Completed in [0-9]+ ms - [a-z0-9-]+, [^/]+$").match(line).hasMatch();
}

// What the menu entries of an image window do: where results go, what the
// performance list shows, and how two windows' commands live side by side.
class CommandsTest : public DesktopTest {
    Q_OBJECT

private slots:
    void aResultOpensAsProcessedImageAndItsTimeIsListedAndSelected() {
        ImageWindow* source = openImage(MakeRecord(64, 48, "ramp.pgm", Ramp));
        QVERIFY(source);
        ChooseFromPopup(source, MenuId("Action > Negate"));
        ImageWindow* negated = waitForWindowTitled("Processed Image");
        QVERIFY(negated);
        QCOMPARE(GrayAt(ShownView(negated), 10, 7), 255 - Ramp(10, 7));
        QTRY_COMPARE_WITH_TIMEOUT(performanceLines().size(), 1, kLongWait);
        QVERIFY2(IsTimingLine(performanceLines()[0]), qPrintable(performanceLines()[0]));
        QCOMPARE(control().performanceList()->currentRow(), 0);

        // A result takes commands too; its results keep the same title.
        Choose(negated, MenuId("Action > Negate"));
        ImageWindow* twice = waitForWindowTitled("Processed Image", 1);
        QVERIFY(twice);
        QCOMPARE(GrayAt(ShownView(twice), 10, 7), Ramp(10, 7));
        QTRY_COMPARE_WITH_TIMEOUT(performanceLines().size(), 2, kLongWait);
        QCOMPARE(control().performanceList()->currentRow(), 1);
        QCOMPARE(GrayAt(ShownView(source), 10, 7), Ramp(10, 7));  // the source is untouched
    }

    void saveAsAddsNoLineAndNoWindow() {
        ImageWindow* source = openImage(MakeRecord(32, 32, "quiet.pgm", Ramp));
        QVERIFY(source);
        testing::TemporaryFolder folder;
        const std::string saved = folder.file("saved.pgm");
        QFileDialog* dialog = SaveAs(source);
        QVERIFY(dialog);
        ChooseFile(dialog, saved);
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(saved), kLongWait);
        QTest::qWait(300);
        QVERIFY(performanceLines().isEmpty());
        QCOMPARE(control().imageWindows().size(), 1u);

        testing::MessageLog log;
        const std::optional<ImageRecord> back = ReadNetpbm(saved, log.reporter());
        QVERIFY(back);
        QCOMPARE(back->width, 32);
        QCOMPARE(back->pixels[33], Ramp(1, 1));
    }

    void cancellingTheDialogOfGaussianRunsNothing() {
        ImageWindow* source = openImage(MakeRecord(32, 32, "soft.pgm", Ramp));
        QVERIFY(source);
        ChooseFromPopup(source, MenuId("Action > Smoothing > Gaussian"));
        QDialog* dialog = WaitForParameterDialog(source);
        QVERIFY(dialog);
        TypeInto(FieldOf(*dialog, "sigma"), "3");
        Press(*dialog, "cancel");
        QTest::qWait(300);
        QVERIFY(performanceLines().isEmpty());
        QVERIFY(windowsTitled("Processed Image").empty());
        QCOMPARE(TheSettings().snapshot().sigma, 1.0);

        ChooseFromPopup(source, MenuId("Action > Smoothing > Gaussian"));
        dialog = WaitForParameterDialog(source);
        QVERIFY(dialog);
        TypeInto(FieldOf(*dialog, "sigma"), "2.5x");
        Press(*dialog, "ok");
        QVERIFY(waitForWindowTitled("Processed Image"));
        QCOMPARE(TheSettings().snapshot().sigma, 2.5);
        QCOMPARE(performanceLines().size(), 1);
    }

    // Window A's command waits in its dialog while window B's command runs
    // to its end; A's time includes its dialog's.
    void commandsInTwoWindowsRunAtTheSameTime() {
        ImageWindow* first = openImage(MakeRecord(32, 32, "first.pgm", Ramp));
        ImageWindow* second = openImage(MakeRecord(32, 32, "second.pgm", Ramp));
        QVERIFY(first && second);
        ChooseFromPopup(first, MenuId("Action > Edge Detection > Find Edges using Gradient info"));
        QDialog* dialog = WaitForParameterDialog(first);
        QVERIFY(dialog);

        ChooseFromPopup(second, MenuId("Action > Negate"));
        QTRY_COMPARE_WITH_TIMEOUT(performanceLines().size(), 1, kLongWait);
        QVERIFY(dialog->isVisible());  // A is still inside its command

        QTest::qWait(400);
        Press(*dialog, "ok");
        QTRY_COMPARE_WITH_TIMEOUT(performanceLines().size(), 2, kLongWait);
        const QString slow = performanceLines()[1];
        QVERIFY2(slow.section(' ', 2, 2).toInt() >= 400, qPrintable(slow));
        QTRY_COMPARE_WITH_TIMEOUT(windowsTitled("Processed Image").size(), 2u, kLongWait);
    }

    void aReleaseInAnyWindowSetsTheCutoffOfTheNextFilter() {
        ImageWindow* spectrum = openImage(MakeRecord(40, 30, "spectrum.pgm", Ramp));
        ImageWindow* other = openImage(MakeRecord(40, 30, "other.pgm", Ramp));
        QVERIFY(spectrum && other);
        QWidget* viewport = spectrum->view()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(3, 2));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(6, 4));
        QCOMPARE(TheSettings().snapshot().cutoffX, 6);

        ChooseFromPopup(other, MenuId("Action > Fourier Transform > Global low pass filter"));
        ImageWindow* filtered = waitForWindowTitled("Processed Image");
        QVERIFY(filtered);
        // The same filter with the same cut-off, called directly.
        const ImageRecord expected =
            testing::FindReference("lowpass")->expected(*MakeRecord(40, 30, "", Ramp), {.cutoffX = 6, .cutoffY = 4});
        const QImage shown = ShownView(filtered);
        for (int y = 0; y < 30; y += 7) {
            for (int x = 0; x < 40; x += 9) QCOMPARE(GrayAt(shown, x, y), int{expected.pixels[y * 40 + x]});
        }
    }

    void convertTo3DRefusesOtherSizesWithAMessageAndNoLine() {
        ImageWindow* source = openImage(MakeRecord(100, 100, "wide.pgm", Ramp));
        QVERIFY(source);
        ChooseFromPopup(source, MenuId("Action > Convert to 3D"));
        QMessageBox* box = WaitForMessageBox();
        QVERIFY(box);
        QCOMPARE(box->text(), "Convert to 3D needs a 128 x 128 image.");
        QCOMPARE(box->windowTitle(), "Error");
        box->button(QMessageBox::Ok)->click();
        QTest::qWait(300);
        QVERIFY(performanceLines().isEmpty());
        QVERIFY(windowsTitled("Processed Image").empty());
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(CommandsTest);

}  // namespace lumagrove::shell::test

#include "CommandsTest.moc"

#include <cstdlib>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "DesktopTest.h"
#include "formats/Readers.h"
#include "shell/ControlWindow.h"
#include "shell/HistogramWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"
#include "support/MessageLog.h"
#include "support/OperationReferences.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>((3 * x + y) % 256); }
// Edges everywhere: finding circles in it takes many seconds.
std::uint8_t Noise(int x, int y) { return static_cast<std::uint8_t>((x * 2654435761u + y * 40503u) >> 13); }

QString ControlLabelStarting(const ControlWindow& control, const QString& start) {
    for (const QLabel* label : control.findChildren<QLabel*>()) {
        if (label->text().startsWith(start)) return label->text();
    }
    return {};
}

// The workbench around the operations: progress and cancel, the readout, the
// histogram, the selection asked for, and the command that reproduces a window.
class WorkbenchTest : public DesktopTest {
    Q_OBJECT

private slots:
    // The copied command line, run, writes exactly what the window shows.
    void copyCommandReproducesTheWindowByteForByte() {
        const std::string scene = testing::SamplePath("scene.pgm");
        control().load({scene});
        ImageWindow* source = waitForWindowTitled(QString::fromStdString(scene));
        QVERIFY(source);
        QTest::mousePress(source->view()->viewport(), Qt::LeftButton, {}, QPoint(30, 40));
        QTest::mouseRelease(source->view()->viewport(), Qt::LeftButton, {}, QPoint(200, 170));
        ChooseFromPopup(source, MenuId("Action > Smoothing > Gaussian"));
        QDialog* dialog = WaitForParameterDialog(source);
        QVERIFY(dialog);
        TypeInto(FieldOf(*dialog, "sigma"), "2.5");
        Press(*dialog, "ok");
        ImageWindow* smooth = waitForWindowTitled("Processed Image");
        QVERIFY(smooth);
        ChooseFromPopup(smooth, MenuId("Action > Negate"));
        ImageWindow* negative = waitForWindowTitled("Processed Image", 1);
        QVERIFY(negative);

        QApplication::clipboard()->clear();
        Choose(negative, MenuId("File > Copy Command"));
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::clipboard()->text().isEmpty(), kLongWait);
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines[0], QString::fromStdString("lumagrove-cli gaussian --sigma 2.5 --threshold 150 then negate " +
                                                  scene + " out.pgm"));
        QCOMPARE(lines[1], QString::fromStdString("import lumagrove; lumagrove.write(\"out.pgm\", lumagrove.negate("
                                                  "lumagrove.gaussian(lumagrove.read(\"" +
                                                  scene + "\"), sigma=2.5, threshold=150)))"));

        testing::TemporaryFolder folder;
        const std::string out = folder.file("out.pgm");
        QString command = lines[0];
        command.replace(QRegularExpression("^lumagrove-cli"), LUMAGROVE_CLI)
            .replace(" out.pgm", QString::fromStdString(" " + out));
        QCOMPARE(std::system(command.toLocal8Bit().constData()), 0);
        testing::MessageLog log;
        const std::optional<ImageRecord> written = ReadNetpbm(out, log.reporter());
        QVERIFY(written);
        const QImage shown = ShownView(negative);
        for (int y = 0; y < written->height; ++y) {
            for (int x = 0; x < written->width; ++x) {
                QCOMPARE(GrayAt(shown, x, y), static_cast<int>(written->pixels[y * written->width + x]));
            }
        }
    }

    // A long operation shows its progress; Esc cancels it, which opens no
    // window and says how long it ran.
    void escCancelsALongOperationAndSaysSo() {
        ImageWindow* busy = openImage(MakeRecord(6000, 6000, "busy.pgm", Noise));
        QVERIFY(busy);
        ChooseFromPopup(busy, MenuId("Action > Hough Transforms > Circles > Detect Circles (show circles only)"));
        QTRY_VERIFY_WITH_TIMEOUT(busy->windowTitle().contains(" - circles "), kLongWait);
        QVERIFY(!ControlLabelStarting(control(), "busy.pgm: circles ").isEmpty());
        QTest::keyClick(busy, Qt::Key_Escape);
        QTRY_COMPARE_WITH_TIMEOUT(performanceLines().size(), 1, kLongWait);
        QVERIFY2(QRegularExpression("^Cancelled after [0-9]+ ms - circles, busy.pgm$")
                     .match(performanceLines()[0])
                     .hasMatch(),
                 qPrintable(performanceLines()[0]));
        QTRY_VERIFY_WITH_TIMEOUT(!busy->windowTitle().contains(" - circles"), kLongWait);
        QTest::qWait(300);
        QVERIFY(windowsTitled("Processed Image").empty());
    }

    void anEntryOnTheSelectionAsksForOneFirst() {
        ImageWindow* source = openImage(MakeRecord(32, 32, "plain.pgm", Ramp));
        QVERIFY(source);
        ChooseFromPopup(source, MenuId("Action > Fourier Transform > Local low pass filter"));
        QMessageBox* box = WaitForMessageBox();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), "No selection");
        QCOMPARE(box->text(), "Select a rectangle first: drag with the left button.");
        box->button(QMessageBox::Ok)->click();
        QTest::qWait(300);
        QVERIFY(performanceLines().isEmpty());
        QCOMPARE(control().imageWindows().size(), 1u);
    }

    // Of the selection when there is one; a tool window, not an image window.
    void showHistogramOpensAWindowWithTheCountsAndStatistics() {
        ImageWindow* source = openImage(MakeRecord(32, 32, "ramp.pgm", Ramp));
        QVERIFY(source);
        // (QTest takes a point of 0, 0 for the middle of the view.)
        QTest::mousePress(source->view()->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(source->view()->viewport(), Qt::LeftButton, {}, QPoint(3, 2));
        ChooseFromPopup(source, MenuId("Action > Histogram equalization > Show histogram"));
        HistogramWindow* histogram = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((histogram =
                                      [] {
                                          for (QWidget* widget : QApplication::topLevelWidgets()) {
                                              if (auto* found = qobject_cast<HistogramWindow*>(widget)) return found;
                                          }
                                          return static_cast<HistogramWindow*>(nullptr);
                                      }()) != nullptr,
                                 kLongWait);
        QCOMPARE(histogram->windowTitle(), "Histogram of ramp.pgm");
        QApplication::clipboard()->clear();
        for (QPushButton* button : histogram->findChildren<QPushButton*>()) button->click();
        // The two pixels (1,1) and (2,1): levels 4 and 7.
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.startsWith("level,count\n0,0\n1,0\n2,0\n3,0\n4,1\n5,0\n6,0\n7,1\n"));
        QVERIFY(text.endsWith("# pixels=2\n# minimum=4\n# maximum=7\n# mean=5.5\n# stddev=1.5\n# mode=4\n"));
        histogram->close();
        QVERIFY(performanceLines().isEmpty());
        QCOMPARE(control().imageWindows().size(), 1u);
    }

    // The control window shows the pixel under the mouse, the zoom and the
    // size; the title shows a zoom other than 100%; names loaded are listed.
    void theReadoutAndTheTitleShowWhatTheMousePointsAt() {
        ImageWindow* source = openImage(MakeRecord(64, 48, "ramp.pgm", Ramp));
        QVERIFY(source);
        QTest::mouseMove(source->view()->viewport(), QPoint(10, 7));
        QTRY_COMPARE_WITH_TIMEOUT(ControlLabelStarting(control(), "x="),
                                  QString("x=10 y=7 value=%1   zoom 100.0%   64 x 48").arg(Ramp(10, 7)), kLongWait);
        QTest::keyClick(source->view(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(source->windowTitle(), "ramp.pgm (150%)");

        control().load({"/no/such/b.pgm", "/no/such/a.pgm"});
        for (int box = 0; box < 2; ++box) {
            QMessageBox* shown = WaitForMessageBox();
            QVERIFY(shown);
            shown->button(QMessageBox::Ok)->click();
        }
        QCOMPARE(control().dropList()->count(), 2);
        QCOMPARE(control().dropList()->item(0)->text(), "/no/such/a.pgm");
    }
};

LUMAGROVE_TEST_CLASS(WorkbenchTest);

}  // namespace
}  // namespace lumagrove::shell::test

#include "WorkbenchTest.moc"

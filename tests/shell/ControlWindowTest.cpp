#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "DesktopTest.h"
#include "pictures/Pictures.h"
#include "shell/ControlWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

using testing::TemporaryFolder;

std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>(x * 5 + y * 3); }

void Drop(QWidget* target, const std::vector<std::string>& names) {
    QList<QUrl> urls;
    for (const std::string& name : names) urls << QUrl::fromLocalFile(QString::fromStdString(name));
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Reads the message box the reader waits on, and answers it.
QString AnswerMessageBox() {
    QMessageBox* box = WaitForMessageBox();
    if (box == nullptr) return "no message box";
    const QString said = box->windowTitle() + ": " + box->text();
    box->button(QMessageBox::Ok)->click();
    return said;
}

// The picture format the file's bytes are in; nullptr for none.
const PictureFormat* WrittenFormat(const std::string& name) {
    const std::string bytes = TemporaryFolder::read(name);
    return PictureFormatOfContent(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

ImageRecord ReadBack(const std::string& name) {
    testing::MessageLog log;
    std::optional<ImageRecord> record = ReadPicture(name, log.reporter());
    return record ? std::move(*record) : ImageRecord();
}

bool ShowsImage(const ImageWindow* window, const ImageRecord& image) {
    const QImage shown = ShownView(window);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (GrayAt(shown, x, y) != image.pixels[static_cast<std::size_t>(y) * image.width + x]) return false;
        }
    }
    return image.width > 0;
}

// What comes into the desktop and goes out of it through the control window
// and the file dialogs, and how Exit ends it all.
class ControlWindowTest : public DesktopTest {
    Q_OBJECT

private slots:
    void fourteenDroppedFilesOpenInTheOrderOfTheDrop() {
        TemporaryFolder folder;
        std::vector<std::string> names;
        // Named against the alphabet, each of its own size.
        for (int i = 0; i < 14; ++i) {
            const int side = 20 + i;
            std::string pgm = "P5\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n";
            pgm.append(static_cast<std::size_t>(side) * side, static_cast<char>(10 * i));
            names.push_back(folder.write("file-" + std::string(1, static_cast<char>('z' - i)) + ".pgm", pgm));
        }
        Drop(&control(), names);
        QTRY_COMPARE_WITH_TIMEOUT(control().imageWindows().size(), names.size(), kLongWait);
        for (std::size_t i = 0; i < names.size(); ++i) {
            ImageWindow* window = control().imageWindows()[i];
            QTRY_COMPARE_WITH_TIMEOUT(window->imageName(), QString::fromStdString(names[i]), kLongWait);
            QCOMPARE(GrayAt(ShownView(window), 3, 3), static_cast<int>(10 * i));
        }
    }

    void droppedPicturesOfEveryFormatOpenAsTheirGreyImage() {
        TemporaryFolder folder;
        const auto seed = [](const std::string& name) { return LUMAGROVE_SOURCE_DIR "/fuzz/corpus/pictures/" + name; };
        const std::string capitals = folder.file("PHOTO.PNG");  // any letter case
        std::filesystem::copy_file(seed("rgba.png"), capitals);
        const std::vector<std::string> pictures = {capitals, seed("progressive-exif-8.jpg"),
                                                   seed("rgba-planes-tiles.tif"), seed("rgb.bmp"),
                                                   seed("lossless.webp")};
        std::vector<std::string> dropped = pictures;
        const std::string damaged = seed("truncated-rgba.png");
        dropped.push_back(damaged);
        Drop(&control(), dropped);
        QCOMPARE(AnswerMessageBox(),
                 QString::fromStdString("Error: File: " + damaged + " is not a picture this program can read."));
        for (const std::string& name : pictures) {
            ImageWindow* window = waitForWindowTitled(QString::fromStdString(name));
            QVERIFY2(window, name.c_str());
            QVERIFY2(ShowsImage(window, ReadBack(name)), name.c_str());
        }
    }

    void aNameIsTakenAsItIsQuotesIncluded() {
        control().load({"\"/no/such/scan.pgm\""});
        QCOMPARE(AnswerMessageBox(), "Error: File: \"/no/such/scan.pgm\" could not be opened for reading.");
        QTest::qWait(300);
        QVERIFY(control().imageWindows().empty());
    }

    void loadImageOpensTheChosenFileAndAnXyzFileOnlyShowsItsPoint() {
        TemporaryFolder folder;
        const std::string xyz = folder.write("points.xyz", std::string(12, '\0'));
        QTest::mouseClick(controlButton("Load Image"), Qt::LeftButton);
        QFileDialog* dialog = WaitForFileDialog(&control());
        QVERIFY(dialog);
        ChooseFile(dialog, xyz);
        QCOMPARE(AnswerMessageBox(), "Coordinates: 0.000000 -----  0.000000 ----- 0.000000");
        QVERIFY(control().imageWindows().empty());

        const std::string pgm = folder.write("image.pgm", "P5\n2 2\n255\nABCD");
        QTest::mouseClick(controlButton("Load Image"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT((dialog = WaitForFileDialog(&control())) != nullptr, kLongWait);
        QCOMPARE(dialog->selectedFiles().value(0), QString::fromStdString(xyz));  // starts from the last name chosen
        QVERIFY(
            dialog->nameFilters().contains("Pictures (*.png *.PNG *.jpg *.JPG *.jpeg *.JPEG *.tif *.TIF *.tiff "
                                           "*.TIFF *.bmp *.BMP *.webp *.WEBP)"));
        ChooseFile(dialog, pgm);
        QVERIFY(waitForWindowTitled(QString::fromStdString(pgm)));
    }

    void saveAsWritesPicturesByTheNameAndPgmOtherwise() {
        ImageWindow* source = openImage(MakeRecord(33, 17, "ramp.pgm", Ramp));
        QVERIFY(source);
        TemporaryFolder folder;
        for (const std::string ending : {".png", ".TIF", ".webp", ".bmp", ".raw"}) {
            const std::string name = folder.file("saved" + ending);
            QFileDialog* dialog = SaveAs(source);
            QVERIFY(dialog);
            QCOMPARE(dialog->nameFilters().constFirst(), "PGM Files (*.pgm *.PGM)");
            QCOMPARE(dialog->nameFilters().constLast(), "All Files (*)");
            ChooseFile(dialog, name);
            QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(name), kLongWait);
            if (ending == ".raw") {  // not a picture's name
                QVERIFY(TemporaryFolder::read(name).starts_with("P5\n"));
                continue;
            }
            const PictureFormat* written = WrittenFormat(name);
            QVERIFY2(written != nullptr && EndsInOneOf(name, written->endings), name.c_str());
            QVERIFY2(ShowsImage(source, ReadBack(name)), name.c_str());
        }
    }

    // A name typed without an ending takes the type chosen in the dialog.
    void saveAsWritesTheChosenTypeForANameWithoutAnEnding() {
        ImageWindow* source = openImage(MakeRecord(33, 17, "ramp.pgm", Ramp));
        QVERIFY(source);
        TemporaryFolder folder;
        QFileDialog* dialog = SaveAs(source);
        QVERIFY(dialog);
        dialog->setDirectory(QString::fromStdString(folder.path().string()));
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        while (!types->currentText().startsWith("PNG Files") && types->currentIndex() < types->count() - 1) {
            QTest::keyClick(types, Qt::Key_Down);
        }
        TypeInto(dialog->findChild<QLineEdit*>("fileNameEdit"), "typed_noext");
        static_cast<QDialog*>(dialog)->accept();
        const std::string name = folder.file("typed_noext.png");
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(name), kLongWait);
        const PictureFormat* written = WrittenFormat(name);
        QVERIFY(written != nullptr);
        QCOMPARE(written->name, "PNG");
        QVERIFY(!std::filesystem::exists(folder.file("typed_noext.pgm")));
    }

    // The file arrives through a pipe the test holds open: until it lets go,
    // the reading cannot finish, and everything else must go on meanwhile.
    void aHugeImageLoadingLeavesTheOtherWindowsAnswering() {
        ImageWindow* other = openImage(MakeRecord(64, 48, "other.pgm", [](int, int) -> std::uint8_t { return 90; }));
        QVERIFY(other);
        TemporaryFolder folder;
        const std::string pipe = folder.file("huge.pgm");
        QCOMPARE(mkfifo(pipe.c_str(), 0600), 0);
        const int writer = open(pipe.c_str(), O_RDWR);
        QVERIFY(writer >= 0);
        // 16000 x 16000; the samples it never sends read as 255.
        const std::string header = "P5\n16000 16000\n255\n";
        QCOMPARE(write(writer, header.data(), header.size()), static_cast<ssize_t>(header.size()));
        control().load({pipe});

        ChooseFromPopup(other, MenuId("Action > Negate"));
        ImageWindow* result = waitForWindowTitled("Processed Image");
        QVERIFY(result);
        QCOMPARE(GrayAt(ShownView(result), 3, 3), 255 - 90);
        QTest::mousePress(other->view()->viewport(), Qt::LeftButton, {}, QPoint(3, 2));
        QTest::mouseRelease(other->view()->viewport(), Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(TheSettings().snapshot().cutoffX, 30);
        QTest::mouseClick(controlButton("Load Image"), Qt::LeftButton);
        QFileDialog* dialog = WaitForFileDialog(&control());
        QVERIFY(dialog);
        dialog->reject();
        QVERIFY(windowsTitled(QString::fromStdString(pipe)).empty());  // still reading

        close(writer);
        QVERIFY(AnswerMessageBox().contains("huge.pgm"));  // the file was short
        ImageWindow* huge = waitForWindowTitled(QString::fromStdString(pipe));
        QVERIFY(huge);
        QCOMPARE(GrayAt(ShownView(huge), 5, 5), 255);
        QVERIFY(huge->view()->zoom() < 1.0);
    }

    void fileCloseAndCloseAllEndTheirWindows() {
        for (int i = 0; i < 3; ++i) QVERIFY(openImage(MakeRecord(30, 20, "idle.pgm", Ramp)));
        QPushButton* closeAll = controlButton("Close All");
        QVERIFY(closeAll->isEnabled());
        Choose(control().imageWindows().front(), MenuId("File > Close"));
        QTRY_COMPARE_WITH_TIMEOUT(control().imageWindows().size(), 2u, kLongWait);
        QTest::mouseClick(closeAll, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(control().imageWindows().empty(), kLongWait);
        QVERIFY(!closeAll->isEnabled());
    }

    void exitEndsTheProgramWithTwentyIdleWindows() {
        for (int i = 0; i < 20; ++i) QVERIFY(openImage(MakeRecord(30, 20, "idle.pgm", Ramp)));
        QVERIFY(exitDesktop());
    }

    void exitEndsTheProgramWhileAWindowShowsADialogOrAMessageBox() {
        ImageWindow* dialogOwner = openImage(MakeRecord(30, 20, "dialog.pgm", Ramp));
        ImageWindow* boxOwner = openImage(MakeRecord(30, 20, "box.pgm", Ramp));
        QVERIFY(dialogOwner && boxOwner);
        Choose(dialogOwner, MenuId("Options > Set Threshold..."));
        QVERIFY(WaitForParameterDialog(dialogOwner));
        ChooseFromPopup(boxOwner, MenuId("Action > Convert to 3D"));  // refused with a message box
        QVERIFY(WaitForMessageBox());
        QVERIFY(exitDesktop());
    }

    // Exit stops the operation rather than waiting for its end: no result,
    // no time but the cancel's, and the program ends long before the
    // operation would have.
    void exitStopsARunningOperation() {
        // Edges everywhere: finding circles in it takes half a minute.
        const auto noise = [](int x, int y) { return static_cast<std::uint8_t>((x * 2654435761u + y * 40503u) >> 13); };
        ImageWindow* busy = openImage(MakeRecord(8000, 8000, "busy.pgm", noise));
        QVERIFY(busy);
        ChooseFromPopup(busy, MenuId("Action > Hough Transforms > Circles > Detect Circles (superimpose on original)"));
        QTest::qWait(1000);
        QVERIFY(exitDesktop(15000));
        for (const QString& line : performanceLines()) QVERIFY2(line.startsWith("Cancelled after "), qPrintable(line));
        QVERIFY(windowsTitled("Processed Image").empty());
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(ControlWindowTest);

}  // namespace lumagrove::shell::test

#include "ControlWindowTest.moc"

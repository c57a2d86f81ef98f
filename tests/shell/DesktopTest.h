#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>

#include "formats/ImageRecord.h"

class QDialog;
class QFileDialog;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace lumagrove::shell {
class ControlWindow;
class ImageWindow;
}  // namespace lumagrove::shell

namespace lumagrove::shell::test {

// How long a wait may take before it counts as a failure: threads do the
// work, and the machine running the tests may be busy.
inline constexpr int kLongWait = 60000;

// Every test class adds itself here; main runs them in turn. Test
// functions named on the command line run only the classes that have them.
using TestClassRun = std::function<int(int argc, char** argv)>;
std::vector<TestClassRun>& TestClasses();
int RunTestClasses(int argc, char** argv);
int RunTestClass(QObject& test, int argc, char** argv);
#define LUMAGROVE_TEST_CLASS(Class)                                                   \
    [[maybe_unused]] static const bool registered##Class = [] {                       \
        ::lumagrove::shell::test::TestClasses().push_back([](int argc, char** argv) { \
            Class test;                                                               \
            return ::lumagrove::shell::test::RunTestClass(test, argc, argv);          \
        });                                                                           \
        return true;                                                                  \
    }()

std::unique_ptr<ImageRecord> MakeRecord(int width, int height, const std::string& title,
                                        std::uint8_t (*shade)(int x, int y));
// The id of the menu entry at `path`, written as the README writes it
// ("Action > Negate"), so that tests choose entries the way a user does.
int MenuId(std::string_view path);

// The desktop as a user finds it: a control window of its own for each test,
// ended with Exit after it, every image window's thread included.
class DesktopTest : public QObject {
    Q_OBJECT

public:
    DesktopTest();
    ~DesktopTest() override;

protected:
    ControlWindow& control() const { return *control_; }
    // Opens an image window as the file reader would, and waits until it
    // shows the image; nullptr on time-out.
    ImageWindow* openImage(std::unique_ptr<ImageRecord> record) const;
    std::vector<ImageWindow*> windowsTitled(const QString& title) const;
    // Waits until more than `before` image windows carry the title; the newest.
    ImageWindow* waitForWindowTitled(const QString& title, std::size_t before = 0) const;
    QStringList performanceLines() const;
    QPushButton* controlButton(const QString& text) const;
    // Presses Exit and runs the main loop, as the program does, until every
    // thread has ended and the program would quit; false when it does not
    // within `within` milliseconds.
    bool exitDesktop(int within = kLongWait);

private slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<ControlWindow> control_;
    bool exited_ = false;
};

// Chooses an entry from the window's menu bar.
void Choose(ImageWindow* window, int menuId);
// Right-clicks the image and chooses the entry from the popup.
void ChooseFromPopup(ImageWindow* window, int menuId);

// The first shown dialog of type T (any for nullptr owner) that belongs to
// `owner`, waited for; nullptr on time-out.
QDialog* WaitForDialog(const QWidget* owner, const std::function<bool(QDialog*)>& matches);
QDialog* WaitForParameterDialog(const QWidget* owner);
QMessageBox* WaitForMessageBox();
QFileDialog* WaitForFileDialog(const QWidget* owner);
// Chooses "Save As..." and waits for its file dialog.
QFileDialog* SaveAs(ImageWindow* window);
// Chooses the file in the dialog and accepts it, as OK does.
void ChooseFile(QFileDialog* dialog, const std::string& name);
// The text field of a parameter dialog by its name; typing replaces it.
QLineEdit* FieldOf(const QDialog& dialog, const char* name);
void TypeInto(QLineEdit* field, const QString& text);
void Press(const QDialog& dialog, const char* button);  // "ok", "cancel"

// What the window's view shows now, and the grey level at a point of it:
// -1 outside, -2 for a colour.
QImage ShownView(const ImageWindow* window);
int GrayAt(const QImage& shown, int x, int y);
bool IsOutlineRed(const QImage& shown, int x, int y);

}  // namespace lumagrove::shell::test

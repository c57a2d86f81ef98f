#include "DesktopTest.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "operations/OperationTable.h"
#include "shell/ControlWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"

namespace lumagrove::shell::test {

std::vector<TestClassRun>& TestClasses() {
    static std::vector<TestClassRun> classes;
    return classes;
}

int RunTestClasses(int argc, char** argv) {
    int failed = 0;
    for (const TestClassRun& run : TestClasses()) failed += run(argc, argv) != 0 ? 1 : 0;
    return failed == 0 ? 0 : 1;
}

int RunTestClass(QObject& test, int argc, char** argv) {
    std::vector<char*> arguments{argv[0]};
    bool named = false;
    bool ours = false;
    for (int i = 1; i < argc; ++i) {
        const bool name = argv[i][0] != '-';
        const bool found = name && test.metaObject()->indexOfMethod(QByteArray(argv[i]) + "()") >= 0;
        named |= name;
        ours |= found;
        if (!name || found) arguments.push_back(argv[i]);
    }
    if (named && !ours) return 0;
    return QTest::qExec(&test, static_cast<int>(arguments.size()), arguments.data());
}

std::unique_ptr<ImageRecord> MakeRecord(int width, int height, const std::string& title,
                                        std::uint8_t (*shade)(int x, int y)) {
    auto record = std::make_unique<ImageRecord>();
    record->width = width;
    record->height = height;
    record->title = title;
    record->pixels = PixelArray(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) record->pixels[static_cast<std::size_t>(y) * width + x] = shade(x, y);
    }
    return record;
}

int MenuId(std::string_view path) {
    const OperationEntry* entry = FindOperationByMenuPath(path);
    if (entry == nullptr) qFatal("no menu entry %.*s", static_cast<int>(path.size()), path.data());
    return entry->menuId;
}

DesktopTest::DesktopTest() = default;
DesktopTest::~DesktopTest() = default;

void DesktopTest::init() {
    const Settings initial;
    TheSettings().setParameters(initial.windowSize, initial.sigma, initial.threshold);
    TheSettings().setEdgeParameters(initial.gradientThreshold, initial.gradientDirection);
    TheSettings().setCutoff(initial.cutoffX, initial.cutoffY);
    control_ = std::make_unique<ControlWindow>();
    control_->show();
    exited_ = false;
}

void DesktopTest::cleanup() {
    if (!exited_) QVERIFY(exitDesktop());
    control_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle() + " is still shown"));
        QVERIFY(qobject_cast<ImageWindow*>(window) == nullptr);
    }
}

bool DesktopTest::exitDesktop(int within) {
    exited_ = true;
    // Pressed from within the loop, so that the control window's quit ends it.
    QTimer::singleShot(0, controlButton("Exit"), &QPushButton::click);
    QTimer::singleShot(within, qApp, [] { QApplication::exit(1); });
    const int code = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Threads still running hold the windows: nothing can go on safely.
    if (code != 0) qFatal("Exit did not end every thread within %d ms", within);
    return control_->imageWindows().empty();
}

ImageWindow* DesktopTest::openImage(std::unique_ptr<ImageRecord> record) const {
    const QString title = QString::fromStdString(record->title);
    const std::size_t before = windowsTitled(title).size();
    control_->openImage(std::move(record));
    return waitForWindowTitled(title, before);
}

std::vector<ImageWindow*> DesktopTest::windowsTitled(const QString& title) const {
    std::vector<ImageWindow*> matching;
    for (ImageWindow* window : control_->imageWindows()) {
        if (window->imageName() == title) matching.push_back(window);
    }
    return matching;
}

ImageWindow* DesktopTest::waitForWindowTitled(const QString& title, std::size_t before) const {
    if (!QTest::qWaitFor([&] { return windowsTitled(title).size() > before; }, kLongWait)) return nullptr;
    return windowsTitled(title).back();
}

QStringList DesktopTest::performanceLines() const {
    QStringList lines;
    for (int row = 0; row < control_->performanceList()->count(); ++row) {
        lines << control_->performanceList()->item(row)->text();
    }
    return lines;
}

QPushButton* DesktopTest::controlButton(const QString& text) const {
    for (QPushButton* button : control_->findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    qFatal("the control window has no button %s", qPrintable(text));
}

namespace {

QAction* ActionFor(const QWidget* menu, int menuId) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            if (QAction* inner = ActionFor(action->menu(), menuId)) return inner;
        } else if (action->data().toInt() == menuId) {
            return action;
        }
    }
    return nullptr;
}

void Trigger(const QWidget* menu, int menuId) {
    QAction* action = ActionFor(menu, menuId);
    if (action == nullptr) qFatal("no menu entry with id %d", menuId);
    action->trigger();
}

}  // namespace

void Choose(ImageWindow* window, int menuId) { Trigger(window->menus(), menuId); }

void ChooseFromPopup(ImageWindow* window, int menuId) {
    QWidget* viewport = window->view()->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, 5));
    QMenu* popup = window->actionMenu();
    if (!QTest::qWaitFor([popup] { return popup->isVisible(); }, kLongWait)) qFatal("no popup menu");
    Trigger(popup, menuId);
    popup->hide();
}

QDialog* WaitForDialog(const QWidget* owner, const std::function<bool(QDialog*)>& matches) {
    QDialog* found = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(widget);
                if (dialog != nullptr && dialog->isVisible() && (owner == nullptr || dialog->parentWidget() == owner) &&
                    matches(dialog)) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        kLongWait);
    return shown ? found : nullptr;
}

QDialog* WaitForParameterDialog(const QWidget* owner) {
    return WaitForDialog(owner, [](QDialog* dialog) { return dialog->findChild<QPushButton*>("ok") != nullptr; });
}

QMessageBox* WaitForMessageBox() {
    return qobject_cast<QMessageBox*>(
        WaitForDialog(nullptr, [](QDialog* dialog) { return qobject_cast<QMessageBox*>(dialog) != nullptr; }));
}

QFileDialog* WaitForFileDialog(const QWidget* owner) {
    return qobject_cast<QFileDialog*>(
        WaitForDialog(owner, [](QDialog* dialog) { return qobject_cast<QFileDialog*>(dialog) != nullptr; }));
}

QFileDialog* SaveAs(ImageWindow* window) {
    Choose(window, MenuId("File > Save As..."));
    return WaitForFileDialog(window);
}

void ChooseFile(QFileDialog* dialog, const std::string& name) {
    // Clears the files selected in the list; the name field takes the name
    // only while it has no focus, so it is typed there as well.
    dialog->selectFile(QString::fromStdString(name));
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
    static_cast<QDialog*>(dialog)->accept();
}

QLineEdit* FieldOf(const QDialog& dialog, const char* name) {
    auto* field = dialog.findChild<QWidget*>(name);
    if (field == nullptr) qFatal("no field %s", name);
    auto* edit = qobject_cast<QLineEdit*>(field);
    return edit != nullptr ? edit : field->findChild<QLineEdit*>();
}

void TypeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void Press(const QDialog& dialog, const char* button) {
    auto* found = dialog.findChild<QPushButton*>(button);
    if (found == nullptr) qFatal("no button %s", button);
    QTest::mouseClick(found, Qt::LeftButton);
}

QImage ShownView(const ImageWindow* window) { return window->view()->viewport()->grab().toImage(); }

int GrayAt(const QImage& shown, int x, int y) {
    if (!shown.valid(x, y)) return -1;
    const QRgb pixel = shown.pixel(x, y);
    if (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel)) return -2;
    return qRed(pixel);
}

bool IsOutlineRed(const QImage& shown, int x, int y) {
    return shown.valid(x, y) && shown.pixel(x, y) == qRgb(220, 0, 0);
}

}  // namespace lumagrove::shell::test

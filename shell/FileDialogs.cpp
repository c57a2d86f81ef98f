#include "shell/FileDialogs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>

#include "pictures/Pictures.h"
#include "session/ImageFiles.h"
#include "shell/DialogRequests.h"

namespace lumagrove::shell {
namespace {

// A filter as the dialog shows and applies it: "PNG Files (*.png *.PNG)".
// Names match patterns case by case here, so each ending is offered in lower
// and in upper case.
struct FileFilter {
    std::string description;
    std::vector<std::string> endings;  // ".png"; none for every file
};

QString NameFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const std::string& ending : filter.endings) {
        const QString pattern = QString::fromStdString("*" + ending);
        patterns << pattern.toLower() << pattern.toUpper();
    }
    if (patterns.isEmpty()) patterns << "*";
    patterns.removeDuplicates();
    return QString::fromStdString(filter.description) + " (" + patterns.join(' ') + ")";
}

FileFilter FilterOf(const std::string& description, std::span<const ImageFormat> formats) {
    FileFilter filter{description, {}};
    for (const ImageFormat& format : formats) {
        for (std::string_view ending : EndingsOf(format)) filter.endings.emplace_back(ending);
    }
    return filter;
}

FileFilter FilterOf(const ImageFormat& format) {
    return FilterOf(format.dialogName != nullptr ? format.dialogName : std::string(format.name) + " Files",
                    std::span(&format, 1));
}

const FileFilter kAllFiles{"All Files", {}};
const FileFilter kXyzFiles{"XYZ Files", {".xyz"}};
// What Save As offers first: the grey map every other name is written as.
const FileFilter kPgmFiles{"PGM Files", {".pgm"}};
const char* const kDefaultEnding = "pgm";

std::vector<FileFilter> OpenFilters() {
    return {FilterOf(session::FormatForWriting("")), FilterOf("Pictures", PictureFileFormats()), kXyzFiles,
            FilterOf(session::FormatForReading("")), kAllFiles};
}

// PGM first, then every picture format written.
std::vector<FileFilter> SaveFilters() {
    std::vector<FileFilter> filters{kPgmFiles};
    for (const ImageFormat& format : PictureFileFormats()) {
        if (format.write != nullptr) filters.push_back(FilterOf(format));
    }
    filters.push_back(kAllFiles);
    return filters;
}

std::mutex lastNameMutex;
std::string lastName;

void Remember(const std::string& name) {
    const std::scoped_lock lock(lastNameMutex);
    lastName = name;
}

QFileDialog* MakeFileDialog(QWidget* owner, bool save) {
    auto* dialog = new QFileDialog(owner, save ? "Save As" : "Open");
    // Qt's own dialog: a desktop's native one, and the questions about
    // existing files, would run nested event loops. Those are asked after.
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
    const std::vector<FileFilter> filters = save ? SaveFilters() : OpenFilters();
    QStringList names;
    for (const FileFilter& filter : filters) names << NameFilter(filter);
    dialog->setNameFilters(names);
    dialog->setDefaultSuffix(kDefaultEnding);
    // A name typed without an ending is saved as the chosen type.
    const auto takeEndingOf = [dialog, filters, names](const QString& chosen) {
        const auto index = static_cast<std::size_t>(std::max<qsizetype>(names.indexOf(chosen), 0));
        const std::vector<std::string>& endings = filters[index].endings;
        dialog->setDefaultSuffix(endings.empty() ? kDefaultEnding : QString::fromStdString(endings.front().substr(1)));
    };
    if (save) QObject::connect(dialog, &QFileDialog::filterSelected, dialog, takeEndingOf);
    {
        const std::scoped_lock lock(lastNameMutex);
        if (!lastName.empty()) dialog->selectFile(QFile::decodeName(lastName.c_str()));
    }
    // Wide enough that the size, type and date columns show whole.
    dialog->resize(dialog->fontMetrics().averageCharWidth() * 110, dialog->fontMetrics().height() * 28);
    for (QTreeView* list : dialog->findChildren<QTreeView*>()) {
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    return dialog;
}

std::string ChosenName(const QFileDialog& dialog) {
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : QFile::encodeName(chosen.front()).toStdString();
}

QMessageBox* MakeQuestion(QWidget* owner, const char* caption, const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, caption, QString::fromLocal8Bit(text),
                                QMessageBox::Yes | QMessageBox::No, owner);
    DressMessageBox(*box, caption);
    return box;
}

bool Exists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(name, error);
}

std::string AskSaveFileName(QWidget* window) {
    for (;;) {
        const auto name = std::make_shared<std::string>();
        const int chosen = AskAndWait([window, name] {
            QFileDialog* dialog = MakeFileDialog(window, true);
            QObject::connect(dialog, &QDialog::accepted, dialog, [dialog, name] { *name = ChosenName(*dialog); });
            return dialog;
        });
        if (chosen != QDialog::Accepted || name->empty()) return {};
        if (!Exists(*name) || AskAndWait([&] {
                                  return MakeQuestion(window, "Save As",
                                                      *name + " already exists.\nDo you want to replace it?");
                              }) == QMessageBox::Yes) {
            Remember(*name);
            return *name;
        }
    }
}

}  // namespace

void AskToOpen(QWidget* owner, const std::function<void(const std::string&)>& load) {
    QFileDialog* dialog = MakeFileDialog(owner, false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, owner, [owner, dialog, load] {
        const std::string name = ChosenName(*dialog);
        if (name.empty()) return;
        Remember(name);
        if (Exists(name)) {
            load(name);
            return;
        }
        QMessageBox* question = MakeQuestion(owner, "Open", name + "\nThis file does not exist.\nCreate the file?");
        question->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(question, &QMessageBox::finished, owner, [name, load](int answer) {
            if (answer == QMessageBox::Yes) load(name);
        });
        question->open();
    });
    dialog->open();
}

void SaveImageAs(QWidget* window, const ImageRecord& image) {
    const std::string name = AskSaveFileName(window);
    if (!name.empty()) session::WriteImageFile(image, name, MessageBoxReporter(window), ImageFormatsWithPictures());
}

}  // namespace lumagrove::shell

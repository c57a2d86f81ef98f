#include <filesystem>

#include <QFileDialog>

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/qt/ModalLoop.h"
#include "platform/qt/SessionObserver.h"
#include "platform/qt/Text.h"
#include "platform/qt/Widgets.h"

namespace lumagrove::platform {

namespace {

// A filter as the toolkit shows and applies it: the description's name, then
// the patterns it matches, "PGM Files (*.pgm *.PGM)". Names match patterns
// case by case here, so each is offered in lower and in upper case; "*.*"
// stands for every file, with or without a dot.
QString NameFilter(const FileFilter& filter) {
    std::string name = filter.description;
    if (const std::size_t open = name.rfind(" ("); open != std::string::npos && name.back() == ')') name.erase(open);
    QStringList patterns;
    for (const QString& pattern : backend::ToQt(filter.pattern).split(';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed == QStringLiteral("*.*") || trimmed == QStringLiteral("*")) {
            patterns << QStringLiteral("*");
            continue;
        }
        patterns << trimmed.toLower() << trimmed.toUpper();
    }
    patterns.removeDuplicates();
    return backend::ToQt(name) + QStringLiteral(" (") + patterns.join(' ') + QStringLiteral(")");
}

QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& filter : filters) list << NameFilter(filter);
    return list;
}

QDialog* BuildFileDialog(const FileDialogRequest& request, bool save,
                         const std::shared_ptr<backend::PendingAnswer>& pending) {
    QWidget* parent = backend::WidgetOf(request.owner);
    const QString title = request.title.empty() ? (save ? QStringLiteral("Save As") : QStringLiteral("Open"))
                                                : backend::ToQt(request.title);
    auto* dialog = new QFileDialog(parent, title);
    // The toolkit's own dialog, taking any name: a desktop's native dialog
    // runs a nested event loop, and so do the questions the dialog would ask
    // about existing or missing files. Those are asked afterwards instead.
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(request.filters);
    dialog->setNameFilters(filters);
    if (request.initialFilter >= 0 && request.initialFilter < filters.size()) {
        dialog->selectNameFilter(filters[request.initialFilter]);
    }
    dialog->setDefaultSuffix(backend::ToQt(request.defaultExtension));
    if (!request.initialName.empty()) dialog->selectFile(backend::ToQt(request.initialName));
    dialog->setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::NonModal);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, pending](int result) {
        const QStringList chosen = dialog->selectedFiles();
        if (result == QDialog::Accepted && !chosen.isEmpty()) {
            pending->complete(1, backend::FromQt(chosen.front()));
        } else {
            pending->complete(0);
        }
    });
    return dialog;
}

std::optional<std::string> ChooseOnce(const FileDialogRequest& request, bool save) {
    if (backend::SessionObserver* const observer = backend::InstalledObserver()) {
        observer->fileDialogShown({save, request});
        if (auto answer = observer->takeFileDialogAnswer()) return std::move(*answer);
    }
    const backend::Answer answer = backend::AskThroughMainThread(
        [request, save](const auto& pending) { return BuildFileDialog(request, save, pending); });
    if (answer.value != 1) return std::nullopt;
    return answer.text;
}

// The questions asked about a chosen name; false sends the user back to the dialog.
bool Confirmed(const FileDialogRequest& request, bool save, const std::string& name) {
    std::error_code error;
    const bool exists = std::filesystem::exists(name, error);
    const std::string caption = request.title.empty() ? (save ? "Save As" : "Open") : request.title;
    if (save && request.confirmOverwrite && exists) {
        return ShowMessageBox(request.owner, name + " already exists.\nDo you want to replace it?", caption,
                              BoxIcon::Warning, BoxButtons::YesNo) == AnswerYes;
    }
    if (!save && !exists) {
        if (request.confirmCreate) {
            return ShowMessageBox(request.owner, name + "\nThis file does not exist.\nCreate the file?", caption,
                                  BoxIcon::Question, BoxButtons::YesNo) == AnswerYes;
        }
        ShowMessageBox(request.owner, name + "\nFile not found.\nCheck the file name and try again.", caption,
                       BoxIcon::Warning);
        return false;
    }
    return true;
}

std::optional<std::string> AskFileName(const FileDialogRequest& request, bool save) {
    for (;;) {
        auto name = ChooseOnce(request, save);
        if (!name || Confirmed(request, save, *name)) return name;
    }
}

}  // namespace

std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) { return AskFileName(request, false); }

std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) { return AskFileName(request, true); }

}  // namespace lumagrove::platform

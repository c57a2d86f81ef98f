#include "shell/DialogRequests.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>

#include "base/PrintableText.h"
#include "shell/FixedFrames.h"

namespace lumagrove::shell {

namespace {

// The answer one asking thread waits for.
class Answer {
public:
    void give(int value) {
        {
            const std::scoped_lock lock(mutex_);
            value_ = value;
        }
        given_.notify_all();
    }
    int wait() {
        std::unique_lock lock(mutex_);
        given_.wait(lock, [this] { return value_.has_value(); });
        return *value_;
    }

private:
    std::mutex mutex_;
    std::condition_variable given_;
    std::optional<int> value_;
};

struct OpenDialog {
    QPointer<QDialog> dialog;
    const QWidget* window;  // its parent, or the window it was asked for
};

// GUI thread only.
std::vector<OpenDialog> openDialogs;
bool refusing = false;

// Room the window manager takes in a title bar beside the caption: an icon
// and up to three buttons, with their spacing.
constexpr int kTitleBarFurniture = 128;

}  // namespace

int AskAndWait(const std::function<QDialog*()>& build, const QWidget* window) {
    const auto answer = std::make_shared<Answer>();
    QMetaObject::invokeMethod(
        qApp,
        [build, answer, window] {
            QDialog* dialog = refusing ? nullptr : build();
            const QWidget* askedFor =
                dialog != nullptr && dialog->parentWidget() != nullptr ? dialog->parentWidget() : window;
            // A window that has closed asks nothing more.
            if (dialog == nullptr || (askedFor != nullptr && !askedFor->isVisible())) {
                delete dialog;
                answer->give(0);
                return;
            }
            QObject::connect(dialog, &QDialog::finished, dialog, [dialog, answer](int result) {
                answer->give(result);
                dialog->deleteLater();
            });
            std::erase_if(openDialogs, [](const OpenDialog& open) { return open.dialog.isNull(); });
            openDialogs.push_back({dialog, askedFor});
            dialog->open();
        },
        Qt::QueuedConnection);
    return answer->wait();
}

void CancelDialogs(const QWidget* window) {
    for (const OpenDialog& open : std::vector(openDialogs)) {
        if (open.dialog && (window == nullptr || open.window == window)) open.dialog->reject();
    }
}

void SetRefusingDialogs(bool refuse) {
    refusing = refuse;
    if (refuse) CancelDialogs(nullptr);
}

void DressMessageBox(QDialog& box, const QString& caption) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarFurniture;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    OfferNoMinimiseOrMaximise(box);
}

Reporter MessageBoxReporter(const QWidget* window) {
    return [window](const Message& message) {
        AskAndWait(
            [&message] {
                const QString caption = QString::fromLocal8Bit(message.caption);
                auto* box = new QMessageBox(
                    message.icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon, caption,
                    QString::fromLocal8Bit(WithControlsEscaped(message.text)), QMessageBox::Ok);
                DressMessageBox(*box, caption);
                return box;
            },
            window);
    };
}

}  // namespace lumagrove::shell

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QTimer>

#include "platform/MessageBox.h"
#include "platform/qt/FixedFrames.h"
#include "platform/qt/ModalLoop.h"
#include "platform/qt/SessionObserver.h"
#include "platform/qt/Text.h"
#include "platform/qt/Widgets.h"

namespace lumagrove::platform {

namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information: return QMessageBox::Information;
        case BoxIcon::Warning: return QMessageBox::Warning;
        case BoxIcon::Error: return QMessageBox::Critical;
        case BoxIcon::Question: return QMessageBox::Question;
        case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

int ToAnswer(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok: return AnswerOk;
        case QMessageBox::Yes: return AnswerYes;
        case QMessageBox::No: return AnswerNo;
        default: return Dismissed;
    }
}

QMessageBox::StandardButton ToButton(int answer) {
    switch (answer) {
        case AnswerYes: return QMessageBox::Yes;
        case AnswerNo: return QMessageBox::No;
        default: return QMessageBox::Ok;
    }
}

// Room the window manager takes in a title bar beside the caption: an icon
// and up to three buttons, with their spacing.
constexpr int kTitleBarFurniture = 128;

// The caption is written in the box's title bar; a box sized for a short
// text ("255 255") would cut it off.
void LeaveRoomForCaption(QMessageBox& box, const QString& caption) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarFurniture;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
}

}  // namespace

int ShowMessageBox(Window owner, std::string_view text, std::string_view caption, BoxIcon icon, BoxButtons buttons) {
    backend::SessionObserver* const observer = backend::InstalledObserver();
    if (observer != nullptr) {
        observer->messageBoxShown({owner, std::string(text), std::string(caption), icon});
    }
    const auto build = [=, text = backend::ToQt(text), caption = backend::ToQt(caption)](
                           const std::shared_ptr<backend::PendingAnswer>& pending) -> QDialog* {
        QWidget* parent = backend::WidgetOf(owner);
        auto* box = new QMessageBox(ToQt(icon), caption, text,
                                    buttons == BoxButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                                    parent);
        box->setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::NonModal);
        LeaveRoomForCaption(*box, caption);
        backend::OfferNoMinimiseOrMaximise(*box);
        QObject::connect(box, &QMessageBox::finished, box,
                         [box, pending] { pending->complete(ToAnswer(box->standardButton(box->clickedButton()))); });
        if (const auto answer = observer != nullptr ? observer->takeMessageBoxAnswer() : std::nullopt) {
            QTimer::singleShot(0, box, [box, button = ToButton(*answer)] {
                if (QAbstractButton* pressed = box->button(button)) pressed->click();
            });
        }
        return box;
    };
    return backend::AskThroughMainThread(build).value;
}

}  // namespace lumagrove::platform

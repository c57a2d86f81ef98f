#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "platform/MessageBox.h"
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
        QObject::connect(box, &QMessageBox::finished, box, [box, pending] {
            pending->complete(ToAnswer(box->standardButton(box->clickedButton())));
        });
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

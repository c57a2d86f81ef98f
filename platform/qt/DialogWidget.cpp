#include "platform/qt/DialogWidget.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>

#include "platform/MessageQueue.h"
#include "platform/qt/DialogMetrics.h"
#include "platform/qt/Drops.h"
#include "platform/qt/FixedFrames.h"
#include "platform/qt/ScreenPlacement.h"
#include "platform/qt/SessionObserver.h"
#include "platform/qt/Text.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/UpDownControl.h"
#include "platform/qt/Widgets.h"
#include "resources/ControlIds.h"

namespace lumagrove::platform::backend {

using resources::ControlKind;
namespace style = resources::style;

namespace {

Qt::WindowFlags FrameFlags(unsigned frameStyle) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((frameStyle & resources::frame::Caption) != 0) flags |= Qt::WindowTitleHint;
    if ((frameStyle & resources::frame::SystemMenu) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

bool HasLocalFiles(const QMimeData* data) {
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return true;
    }
    return false;
}

}  // namespace

DialogWidget::DialogWidget(std::shared_ptr<WindowRecord> record, QWidget* parent)
    : QDialog(parent, FrameFlags(record->dialogTemplate->frameStyle)), record_(std::move(record)) {
    const resources::DialogTemplate& dialog = *record_->dialogTemplate;
    setWindowTitle(ToQt(record_->currentTitle()));
    setFont(DialogFont(dialog));
    const resources::BaseUnits units = DialogBaseUnits(dialog);
    for (std::size_t index = 0; index < dialog.controls.size(); ++index) {
        const resources::ControlTemplate& control = dialog.controls[index];
        QWidget* widget = createControl(control);
        const resources::PixelRect at = ControlGeometry(dialog, index, units);
        widget->setGeometry(at.x, at.y, at.width, at.height);
        if (control.id != resources::NoControlId) {
            items_[control.id] = widget;
            refreshItem(control.id);
        }
    }
    const Rect frame = record_->outerFrame();
    const Size extra = record_->frameExtra();
    setFixedSize(frame.width - extra.width, frame.height - extra.height);
    move(frame.x, frame.y);
}

QWidget* DialogWidget::createControl(const resources::ControlTemplate& control) {
    const int id = control.id;
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(ToQt(control.text), this);
            button->setAutoDefault(false);
            button->setDefault(control.kind == ControlKind::DefaultPushButton);
            connect(button, &QPushButton::clicked, this, [this, id] { post(Msg::Command, CommandWord(id)); });
            return button;
        }
        case ControlKind::StaticText: return new QLabel(ToQt(control.text), this);
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            edit->setFrame(control.has(style::Border));
            connect(edit, &QLineEdit::textChanged, this,
                    [this, id](const QString& text) { record_->items->setText(id, FromQt(text)); });
            return edit;
        }
        case ControlKind::UpDown: {
            auto* spin = new UpDownControl([this, id](bool up) { stepSpin(id, up); }, this);
            const auto state = record_->items->item(id);
            if (control.has(style::ArrowKeys) && state && items_.count(state->buddyId) != 0) {
                QWidget* buddy = items_[state->buddyId];
                spinsByBuddy_[buddy] = id;
                buddy->installEventFilter(this);
            }
            return spin;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget(this);
            list->setFrameShape(control.has(style::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
            list->setVerticalScrollBarPolicy(control.has(style::VerticalScroll) ? Qt::ScrollBarAsNeeded
                                                                                : Qt::ScrollBarAlwaysOff);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            const bool notify = control.has(style::Notify);
            connect(list, &QListWidget::currentRowChanged, this, [this, id, notify](int row) {
                record_->items->select(id, row);
                if (notify) post(Msg::Command, CommandWord(id, Notification::SelectionChanged));
            });
            if (notify) {
                connect(list, &QListWidget::itemDoubleClicked, this,
                        [this, id] { post(Msg::Command, CommandWord(id, Notification::DoubleClicked)); });
            }
            if (control.has(style::AcceptsFiles)) {
                list->setAcceptDrops(true);
                list->viewport()->setAcceptDrops(true);
                list->viewport()->installEventFilter(this);
                dropTargets_[list->viewport()] = id;
            }
            return list;
        }
    }
    return new QWidget(this);
}

QWidget* DialogWidget::itemWidget(int id) const {
    const auto found = items_.find(id);
    return found == items_.end() ? nullptr : found->second;
}

void DialogWidget::refreshItem(int id) {
    QWidget* widget = itemWidget(id);
    const auto state = record_->items->item(id);
    if (widget == nullptr || !state) return;
    // What the program sets is no user action: no notifications for it.
    const QSignalBlocker quiet(widget);
    widget->setEnabled(state->enabled);
    const QString text = ToQt(state->text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(text);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QStringList lines;
        for (const std::string& line : state->lines) lines << ToQt(line);
        QStringList shown;
        for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
        if (shown != lines) {
            list->clear();
            list->addItems(lines);
        }
        list->setCurrentRow(state->selection);
        if (QListWidgetItem* selected = list->currentItem()) list->scrollToItem(selected);
    }
}

bool DialogWidget::typeInto(int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(itemWidget(id));
    if (edit == nullptr) return false;
    edit->setText(text);
    return true;
}

bool DialogWidget::press(int id) {
    auto* button = qobject_cast<QPushButton*>(itemWidget(id));
    if (button == nullptr || !button->isEnabled()) return false;
    button->click();
    return true;
}

bool DialogWidget::stepSpin(int id, bool up) {
    const int buddy = record_->items->stepSpin(id, up);
    if (buddy == 0) return false;
    refreshItem(buddy);
    return true;
}

void DialogWidget::post(Msg id, WordParam word, LongParam data) const { PostMessage(record_->handle, id, word, data); }

void DialogWidget::closeEvent(QCloseEvent* event) {
    // The dialog's procedure decides whether it closes.
    event->ignore();
    post(Msg::Close);
}

void DialogWidget::moveEvent(QMoveEvent*) {
    std::lock_guard lock(record_->placementMutex);
    record_->position = Point{x(), y()};
}

void DialogWidget::reject() {
    // Escape cancels a modal dialog; a modeless one takes no keyboard
    // shortcuts, so the control window cannot be closed by a stray key.
    if (record_->modal) post(Msg::Close);
}

bool DialogWidget::eventFilter(QObject* watched, QEvent* event) {
    if (const auto spin = spinsByBuddy_.find(watched);
        spin != spinsByBuddy_.end() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepSpin(spin->second, key == Qt::Key_Up);
            return true;
        }
    }
    if (dropTargets_.count(watched) != 0) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (HasLocalFiles(drag->mimeData())) drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            std::vector<std::string> names;
            for (const QUrl& url : drop->mimeData()->urls()) {
                if (url.isLocalFile()) names.push_back(FromQt(url.toLocalFile()));
            }
            if (!names.empty()) {
                post(Msg::DropFiles, StoreDrop(std::move(names)));
                drop->acceptProposedAction();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CreateDialogWidget(const std::shared_ptr<WindowRecord>& record, bool centreOnScreen) {
    if (centreOnScreen) {
        const QRect area = PlacementArea();
        const Rect outer = record->outerFrame();
        std::lock_guard lock(record->placementMutex);
        record->position =
            Point{area.x() + (area.width() - outer.width) / 2, area.y() + (area.height() - outer.height) / 2};
    }
    QWidget* owner = record->owner ? WidgetOf(record->owner) : nullptr;
    auto* dialog = new DialogWidget(record, owner);
    // An owner that goes takes its dialogs' widgets along; a modal dialog
    // left without its widget must still end.
    QObject::connect(dialog, &QObject::destroyed, [record] {
        record->ended = true;
        record->queue->wake();
    });
    AddWidget(record->handle, dialog);
}

void ShowDialogWidget(Window window) {
    auto* dialog = WidgetAs<DialogWidget>(window);
    if (dialog == nullptr) return;
    // Only now: it makes the window on the display, after which a move
    // would place the window's inside rather than its frame.
    OfferNoMinimiseOrMaximise(*dialog);
    if (dialog->record().modal) {
        dialog->setWindowModality(dialog->parentWidget() != nullptr ? Qt::WindowModal : Qt::NonModal);
    }
    dialog->show();
    if (!dialog->record().modal) return;
    SessionObserver* const observer = InstalledObserver();
    if (auto answer = observer != nullptr ? observer->takeDialogAnswer() : std::nullopt) {
        QTimer::singleShot(0, dialog, [dialog, answer = std::move(*answer)] {
            for (const auto& [id, text] : answer.typed) dialog->typeInto(id, ToQt(text));
            dialog->press(answer.pressed);
        });
    }
}

}  // namespace lumagrove::platform::backend

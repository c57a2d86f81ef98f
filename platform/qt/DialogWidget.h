#pragma once

#include <map>
#include <memory>

#include <QDialog>

#include "platform/qt/WindowRecord.h"

namespace lumagrove::platform::backend {

// A dialog built from its template. It shows the state of the record's items
// and writes back what the user types, selects, drops or clicks.
class DialogWidget : public QDialog {
public:
    DialogWidget(std::shared_ptr<WindowRecord> record, QWidget* parent);

    const WindowRecord& record() const { return *record_; }
    QWidget* itemWidget(int id) const;
    // Shows the item's current state.
    void refreshItem(int id);

    // What a user does; false when there is no such item of that kind.
    bool typeInto(int id, const QString& text);
    bool press(int id);
    bool stepSpin(int id, bool up);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createControl(const resources::ControlTemplate& control);
    void post(Msg id, WordParam word = 0, LongParam data = 0) const;

    std::shared_ptr<WindowRecord> record_;
    std::map<int, QWidget*> items_;
    std::map<QObject*, int> dropTargets_;   // list viewport -> list id
    std::map<QObject*, int> spinsByBuddy_;  // edit -> up-down id
};

// With `centreOnScreen`, the dialog goes in the middle of the screen area
// windows are placed in, else where the record says.
void CreateDialogWidget(const std::shared_ptr<WindowRecord>& record, bool centreOnScreen);
// Shows the dialog; a modal one blocks its owner's input and takes the next
// answer a test has queued for dialogs.
void ShowDialogWidget(Window dialog);

}  // namespace lumagrove::platform::backend

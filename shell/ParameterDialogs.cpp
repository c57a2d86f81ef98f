#include "shell/ParameterDialogs.h"

#include <algorithm>

#include <QAbstractSpinBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "shell/DialogNumbers.h"
#include "shell/DialogRequests.h"
#include "shell/FixedFrames.h"
#include "shell/SharedSettings.h"

namespace lumagrove::shell {
namespace {

constexpr int kSmallestWindow = 3;
constexpr int kLargestWindow = 15;

// The window size: any text may be typed (an odd 21 is fine), and the arrows
// step it by one between 3 and 15.
class WindowSizeBox : public QAbstractSpinBox {
public:
    using QAbstractSpinBox::QAbstractSpinBox;

    void stepBy(int steps) override {
        const long long typed = ReadWholeNumber(text().toStdString(), true).value_or(kSmallestWindow);
        lineEdit()->setText(QString::number(std::clamp<long long>(typed + steps, kSmallestWindow, kLargestWindow)));
    }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

std::uint32_t Unsigned(const QLineEdit& field) {
    return static_cast<std::uint32_t>(ReadWholeNumber(field.text().toStdString(), false).value_or(0));
}

QLineEdit* AddField(QGridLayout& grid, int row, const char* label, QWidget* field, const char* name) {
    grid.addWidget(new QLabel(label), row, 0, Qt::AlignRight);
    field->setObjectName(name);
    grid.addWidget(field, row, 1);
    auto* edit = qobject_cast<QLineEdit*>(field);
    return edit != nullptr ? edit : field->findChild<QLineEdit*>();
}

// A dialog of labelled fields with Cancel and OK (the default) below them;
// `store` runs on OK and says whether the dialog may end.
QDialog* MakeDialog(const char* title, QWidget* parent, QGridLayout* fields,
                    const std::function<bool(QDialog&)>& store) {
    auto* dialog = new QDialog(parent);
    dialog->setWindowTitle(title);
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("OK");
    cancel->setObjectName("cancel");
    ok->setObjectName("ok");
    ok->setDefault(true);
    const int row = fields->rowCount();
    fields->addWidget(cancel, row, 0);
    fields->addWidget(ok, row, 1);
    fields->setSizeConstraint(QLayout::SetFixedSize);
    dialog->setLayout(fields);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, store] {
        if (store(*dialog)) dialog->accept();
    });
    OfferNoMinimiseOrMaximise(*dialog);
    return dialog;
}

QDialog* MakeParametersDialog(QWidget* parent) {
    const Settings settings = TheSettings().snapshot();
    auto* grid = new QGridLayout;
    QLineEdit* size = AddField(*grid, 0, "Window Size:", new WindowSizeBox, "windowSize");
    grid->addWidget(new QLabel("Gaussian Smoothing"), 1, 0, 1, 2);
    QLineEdit* sigma = AddField(*grid, 2, "Sigma:", new QLineEdit, "sigma");
    QLineEdit* threshold = AddField(*grid, 3, "Threshold:", new QLineEdit, "threshold");
    size->setText(QString::number(static_cast<std::uint32_t>(settings.windowSize)));
    sigma->setText(QString::fromStdString(FormatSigma(settings.sigma)));
    threshold->setText(QString::number(static_cast<std::uint32_t>(settings.threshold)));
    return MakeDialog("Parameters", parent, grid, [size, sigma, threshold](QDialog& dialog) {
        // An even size (text that is no number reads as 0, which is even
        // too) is refused, and the dialog stays open for a correction.
        const std::uint32_t windowSize = Unsigned(*size);
        if (windowSize % 2 == 0) {
            auto* box = new QMessageBox(QMessageBox::NoIcon, "Error", "Window size must be an odd number",
                                        QMessageBox::Ok, &dialog);
            box->setAttribute(Qt::WA_DeleteOnClose);
            DressMessageBox(*box, "Error");
            box->open();
            return false;
        }
        TheSettings().setParameters(static_cast<std::int32_t>(windowSize),
                                    ReadLeadingNumber(sigma->text().toStdString()),
                                    static_cast<std::int32_t>(Unsigned(*threshold)));
        return true;
    });
}

QDialog* MakeEdgeParametersDialog(QWidget* parent) {
    const Settings settings = TheSettings().snapshot();
    auto* grid = new QGridLayout;
    QLineEdit* threshold = AddField(*grid, 0, "Gradient threshold:", new QLineEdit, "gradientThreshold");
    QLineEdit* direction = AddField(*grid, 1, "Direction (in degrees):", new QLineEdit, "gradientDirection");
    threshold->setText(QString::number(static_cast<std::uint32_t>(settings.gradientThreshold)));
    direction->setText(QString::number(settings.gradientDirection));
    return MakeDialog("Edge Detector Parameters", parent, grid, [threshold, direction](QDialog&) {
        const auto signedValue = ReadWholeNumber(direction->text().toStdString(), true).value_or(0);
        TheSettings().setEdgeParameters(static_cast<std::int32_t>(Unsigned(*threshold)),
                                        static_cast<std::int32_t>(signedValue));
        return true;
    });
}

}  // namespace

bool AskParameters(ParameterDialog dialog, QWidget* window) {
    switch (dialog) {
        case ParameterDialog::None: return true;
        case ParameterDialog::Parameters:
            return AskAndWait([window] { return MakeParametersDialog(window); }) == QDialog::Accepted;
        case ParameterDialog::EdgeParameters:
            return AskAndWait([window] { return MakeEdgeParametersDialog(window); }) == QDialog::Accepted;
    }
    return false;
}

}  // namespace lumagrove::shell

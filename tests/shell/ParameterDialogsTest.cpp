#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include "DesktopTest.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"

namespace lumagrove::shell::test {
namespace {

std::uint8_t Gray(int, int) { return 80; }

// The two parameter dialogs of the "Options" menu: what they show, what they
// take, and what they refuse.
class ParameterDialogsTest : public DesktopTest {
    Q_OBJECT

    QDialog* openDialog(const char* entry) {
        ImageWindow* window = openImage(MakeRecord(20, 20, "p.pgm", Gray));
        if (window == nullptr) return nullptr;
        Choose(window, MenuId(entry));
        return WaitForParameterDialog(window);
    }

private slots:
    void parametersShowTheSettingsAndRefuseAnEvenWindowSize() {
        QDialog* dialog = openDialog("Options > Set Threshold...");
        QVERIFY(dialog);
        QCOMPARE(FieldOf(*dialog, "windowSize")->text(), "3");
        QCOMPARE(FieldOf(*dialog, "sigma")->text(), "1.00");
        QCOMPARE(FieldOf(*dialog, "threshold")->text(), "150");

        TypeInto(FieldOf(*dialog, "windowSize"), "4");
        Press(*dialog, "ok");
        QMessageBox* box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = dialog->findChild<QMessageBox*>()) != nullptr && box->isVisible(), kLongWait);
        QCOMPARE(box->text(), "Window size must be an odd number");
        QCOMPARE(box->windowTitle(), "Error");
        box->button(QMessageBox::Ok)->click();
        QTest::qWait(300);
        QVERIFY(dialog->isVisible());  // still open for a correction

        const QPointer<QDialog> closing(dialog);
        Press(*dialog, "cancel");
        QTRY_VERIFY_WITH_TIMEOUT(closing.isNull() || !closing->isVisible(), kLongWait);
        QCOMPARE(TheSettings().snapshot().windowSize, 3);
    }

    void theWindowSizeStepsFrom3To15AndTakesAnyOddSizeTyped() {
        QDialog* dialog = openDialog("Options > Set Threshold...");
        QVERIFY(dialog);
        auto* size = dialog->findChild<QAbstractSpinBox*>("windowSize");
        QVERIFY(size);
        QTest::keyClick(size, Qt::Key_Down);
        QCOMPARE(size->text(), "3");
        for (int step = 0; step < 14; ++step) QTest::keyClick(size, Qt::Key_Up);
        QCOMPARE(size->text(), "15");

        TypeInto(FieldOf(*dialog, "windowSize"), "21");
        TypeInto(FieldOf(*dialog, "sigma"), "2.5x");
        TypeInto(FieldOf(*dialog, "threshold"), "-5");
        Press(*dialog, "ok");
        QTRY_COMPARE_WITH_TIMEOUT(TheSettings().snapshot().windowSize, 21, kLongWait);
        QCOMPARE(TheSettings().snapshot().sigma, 2.5);
        QCOMPARE(TheSettings().snapshot().threshold, 0);
    }

    void edgeParametersKeepANegativeDirection() {
        QDialog* dialog = openDialog("Options > Set Gradient and Gradient Direction Thresholds...");
        QVERIFY(dialog);
        QCOMPARE(FieldOf(*dialog, "gradientThreshold")->text(), "30");
        QCOMPARE(FieldOf(*dialog, "gradientDirection")->text(), "45");
        QStringList labels;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        QVERIFY2(labels.contains("Direction (in degrees):"), qPrintable(labels.join(", ")));

        TypeInto(FieldOf(*dialog, "gradientThreshold"), "12");
        TypeInto(FieldOf(*dialog, "gradientDirection"), "-30");
        Press(*dialog, "ok");
        QTRY_COMPARE_WITH_TIMEOUT(TheSettings().snapshot().gradientThreshold, 12, kLongWait);
        QCOMPARE(TheSettings().snapshot().gradientDirection, -30);
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(ParameterDialogsTest);

}  // namespace lumagrove::shell::test

#include "ParameterDialogsTest.moc"

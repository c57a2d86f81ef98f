#include <atomic>
#include <thread>

#include "DesktopTest.h"
#include "shell/DialogNumbers.h"
#include "shell/SharedSettings.h"

namespace lumagrove::shell::test {
namespace {

// The settings every window's commands share, and the numbers the dialogs
// read into them.
class SharedSettingsTest : public QObject {
    Q_OBJECT

private slots:
    // A dialog's OK writes its values together; a command starting meanwhile
    // must see all of them from one OK, never some from the one before.
    void aSnapshotHoldsTheValuesOfOneDialogOnly() {
        const auto applyOk = [](SharedSettings& settings, bool first) {
            settings.setParameters(first ? 7 : 9, first ? 2.5 : 4.5, first ? 70 : 90);
            settings.setEdgeParameters(first ? 11 : 13, first ? 110 : 130);
        };
        SharedSettings settings;
        applyOk(settings, true);
        // The writer starts once the reader reads, and the reader keeps
        // reading for as long as the writer applies OKs.
        std::atomic<bool> reading = false;
        std::atomic<int> applied = 0;
        std::thread writer([&] {
            while (!reading) std::this_thread::yield();
            for (int i = 1; i <= 500000; ++i) {
                applyOk(settings, i % 2 == 0);
                applied = i;
            }
        });
        int mixtures = 0;
        while (applied < 500000) {
            const Settings seen = settings.snapshot();
            reading = true;
            const bool first = seen.windowSize == 7;
            if (seen.threshold != (first ? 70 : 90) || seen.sigma != (first ? 2.5 : 4.5)) ++mixtures;
            if (seen.gradientDirection != seen.gradientThreshold * 10) ++mixtures;
        }
        writer.join();
        QCOMPARE(mixtures, 0);
    }

    void sigmaTakesTheLeadingDecimalNumberOnly() {
        QCOMPARE(ReadLeadingNumber("2.5x"), 2.5);
        QCOMPARE(ReadLeadingNumber("  -0.75 and more"), -0.75);
        QCOMPARE(ReadLeadingNumber(".5"), 0.5);
        QCOMPARE(ReadLeadingNumber("1e1"), 10.0);
        for (const char* none : {"abc", "", "inf", "nan", "-x", "0x10", "1e999"})
            QCOMPARE(ReadLeadingNumber(none), 0.0);
        // Only the first 31 characters are read.
        QCOMPARE(ReadLeadingNumber(std::string(31, ' ') + "7"), 0.0);
        QCOMPARE(ReadLeadingNumber(std::string(30, ' ') + "78"), 7.0);
        QCOMPARE(FormatSigma(1.0), "1.00");
        QCOMPARE(FormatSigma(2.345), "2.35");
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(SharedSettingsTest);

}  // namespace lumagrove::shell::test

#include "SharedSettingsTest.moc"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <new>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/Batch.h"
#include "cli/BatchPlan.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::cli {
namespace {

using namespace std::chrono_literals;
using testing::TemporaryFolder;

std::vector<std::string> Names(std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) names.push_back("in/" + std::to_string(i) + ".pgm");
    return names;
}

// Counts the inputs being worked on at once; each one waits (a while at most)
// until `wanted` are, so a pool that never runs that many in parallel shows.
class Overlap {
public:
    explicit Overlap(std::size_t wanted) : wanted_(wanted) {}

    bool work() {
        std::unique_lock lock(mutex_);
        ++now_;
        most_ = std::max(most_, now_);
        if (now_ >= wanted_) reached_ = true;
        changed_.notify_all();
        changed_.wait_for(lock, 10s, [&] { return reached_; });
        --now_;
        return true;
    }
    std::size_t most() const { return most_; }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::size_t wanted_;
    std::size_t now_ = 0;
    std::size_t most_ = 0;
    bool reached_ = false;
};

TEST(Batch, WorksOnAtMostJobsInputsAtOnceAndUsesThemAll) {
    for (const unsigned jobs : {1u, 2u, 3u}) {
        const std::vector<std::string> inputs = Names(12);
        Overlap overlap(jobs);
        std::ostringstream err;
        BatchConsole console(err, err, inputs.size(), 0);
        const BatchSummary summary = RunBatch(
            inputs, jobs, [&](std::size_t, const Reporter&) { return overlap.work(); }, console);
        EXPECT_EQ(overlap.most(), jobs);
        EXPECT_EQ(summary.total, 12u);
        EXPECT_EQ(summary.failed, 0u);
    }
}

TEST(Batch, AFailingInputIsReportedAndTheOthersGoOn) {
    const std::vector<std::string> inputs = Names(6);
    std::atomic<int> worked{0};
    std::ostringstream err;
    BatchConsole console(err, err, inputs.size(), 0);
    const BatchSummary summary = RunBatch(
        inputs, 2,
        [&](std::size_t index, const Reporter& report) {
            ++worked;
            if (index == 2) {
                report({"File: in/2.pgm could not be opened for reading.", "Error", MessageIcon::None});
                return false;
            }
            if (index == 4) throw std::bad_alloc();
            return true;
        },
        console);
    EXPECT_EQ(worked, 6);
    EXPECT_EQ(summary.failed, 2u);
    // Messages lead with their input; no progress is drawn off a terminal,
    // and the summary ends the output.
    const std::string text = err.str();
    EXPECT_NE(text.find("lumagrove-cli: in/2.pgm: Error: File: in/2.pgm could not be opened for reading.\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("lumagrove-cli: in/4.pgm: Error: Not enough memory to complete the operation.\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find('\r'), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\nlumagrove-cli: Batch done: 4 of 6 files written, 2 failed, in 0:00\n")) << text;
}

TEST(Batch, MoreJobsThanInputsAndNoInputsAtAll) {
    std::ostringstream err;
    BatchConsole console(err, err, 0, 0);
    EXPECT_EQ(RunBatch(
                  {}, 8, [](std::size_t, const Reporter&) { return false; }, console)
                  .failed,
              0u);
    EXPECT_EQ(err.str(), "lumagrove-cli: Batch done: 0 of 0 files written, 0 failed, in 0:00\n");

    const std::vector<std::string> one = Names(1);
    std::ostringstream oneErr;
    BatchConsole oneConsole(oneErr, oneErr, 1, 0);
    EXPECT_EQ(RunBatch(
                  one, 64, [](std::size_t, const Reporter&) { return true; }, oneConsole)
                  .failed,
              0u);
}

TEST(BatchConsole, OnATerminalProgressIsRedrawnInPlaceAndClearedForMessages) {
    std::ostringstream err;
    BatchConsole console(err, err, 3, 80);
    console.started("in/a.pgm");
    console.reporterFor("in/a.pgm")({"No image.", "", MessageIcon::None});
    console.finished();
    console.close("Batch done");
    EXPECT_EQ(err.str(),
              "\r\033[Klumagrove-cli: [0/3] 0:00 in/a.pgm"  // drawn
              "\r\033[K"                                    // cleared for the message
              "lumagrove-cli: in/a.pgm: No image.\n"
              "\r\033[Klumagrove-cli: [0/3] 0:00 in/a.pgm"  // back below it
              "\r\033[Klumagrove-cli: [1/3] 0:00 in/a.pgm"
              "\r\033[Klumagrove-cli: Batch done\n");
}

TEST(BatchConsole, WhenQuietOnlyProblemsAreWritten) {
    std::ostringstream err;
    BatchConsole console(err, err, 1, 80, true);
    console.started("in/a.pgm");
    const Reporter report = console.reporterFor("in/a.pgm");
    report({"File: in/a.pgm holds 3 of 2 x 2 samples; the rest is white.", "Warning", MessageIcon::None,
            MessageKind::Notice});
    report({"No image.", "", MessageIcon::None});
    console.finished();
    console.close("Batch done");
    EXPECT_EQ(err.str(), "lumagrove-cli: in/a.pgm: No image.\n");
}

TEST(BatchConsole, ProgressFitsTheTerminalKeepingTheEndOfTheName) {
    const std::string name = "/home/someone/a/very/long/folder/name/that/goes/on/photo_0001.jpg";
    EXPECT_EQ(ProgressText(12, 200, 75s, name, 200), "[12/200] 1:15 " + name);
    const std::string cut = ProgressText(12, 200, 75s, name, 40);
    EXPECT_EQ(cut.size(), 39u);
    EXPECT_EQ(cut, "[12/200] 1:15 ...goes/on/photo_0001.jpg");
    EXPECT_EQ(ProgressText(12, 200, 75s, name, 10), "[12/200] ");
    EXPECT_EQ(ClockText(3723s), "1:02:03");
    EXPECT_EQ(ClockText(59s), "0:59");
}

TEST(BatchOutputs, OneResultPerInputNameInTheOutputFolder) {
    EXPECT_EQ(BatchOutputName("out", "photos/cat.JPG", "pgm"), "out/cat.pgm");
    EXPECT_EQ(BatchOutputName("out/", "scan", "png"), "out/scan.png");
    EXPECT_EQ(BatchOutputName("out", "a/archive.tar.gz", "tiff"), "out/archive.tar.tiff");

    // Where no file exists yet, names alone tell: a later result with an
    // earlier one's name is skipped, and a name listed again is planned once.
    const std::vector<std::string> inputs = {"in/a.png", "in/b.png", "scans/a.tif", "in/../in/a.png"};
    const std::vector<std::string> outputs = {"out/a.pgm", "out/b.pgm", "out/a.pgm", "out/a.pgm"};
    const std::vector<BatchItem> items = PlanBatch(inputs, outputs);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].conflict, "");
    EXPECT_EQ(items[1].conflict, "");
    EXPECT_EQ(items[2].input, "scans/a.tif");
    EXPECT_EQ(items[2].conflict, "its result would overwrite out/a.pgm, the result of in/a.png");
}

// Names that lead to one file, by a hard link, a symbolic link or "..", are
// that file: listed twice it is planned once; as an output it is not written.
TEST(BatchOutputs, FilesAreKnownByWhatTheyAreNotByTheirNames) {
    TemporaryFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories(folder.path() / "in");
    fs::create_directories(folder.path() / "out");
    const std::string a = folder.write("in/a.pgm", "a");
    const std::string b = folder.write("in/b.pgm", "b");
    fs::create_hard_link(a, folder.file("in/a-again.pgm"));
    fs::create_symlink("../in/b.pgm", folder.file("out/b.pgm"));  // an output that is input b
    fs::create_hard_link(a, folder.file("out/c.pgm"));            // an output that is input a
    folder.write("out/d.pgm", "d");
    fs::create_hard_link(folder.file("out/d.pgm"), folder.file("out/e.pgm"));  // two outputs, one file

    const std::vector<std::string> inputs = {a,
                                             folder.file("out/../in/a.pgm"),
                                             folder.file("in/a-again.pgm"),
                                             b,
                                             folder.file("in/c.png"),
                                             folder.file("in/d.png"),
                                             folder.file("in/e.png")};
    const std::vector<std::string> outputs = {
        folder.file("out/a.pgm"), folder.file("out/a.pgm"), folder.file("out/a-again.pgm"), folder.file("out/b.pgm"),
        folder.file("out/c.pgm"), folder.file("out/d.pgm"), folder.file("out/e.pgm")};
    const std::vector<BatchItem> items = PlanBatch(inputs, outputs);
    std::vector<std::pair<std::string, std::string>> planned;
    for (const BatchItem& item : items) planned.emplace_back(item.input, item.conflict);
    EXPECT_EQ(
        planned,
        (std::vector<std::pair<std::string, std::string>>{
            {a, ""},
            {b, "its result " + folder.file("out/b.pgm") + " would overwrite the input " + b},
            {inputs[4], "its result " + folder.file("out/c.pgm") + " would overwrite the input " + a},
            {inputs[5], ""},
            {inputs[6], "its result would overwrite " + folder.file("out/e.pgm") + ", the result of " + inputs[5]},
        }));
}

}  // namespace
}  // namespace lumagrove::cli

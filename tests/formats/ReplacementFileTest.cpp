#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "formats/ReplacementFile.h"
#include "support/TemporaryFolder.h"

namespace lumagrove {
namespace {

using testing::TemporaryFolder;

std::size_t EntriesIn(const TemporaryFolder& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
}

// Both kinds of replacement, the unnamed one and the named one that serves
// where a filesystem has no unnamed files, must behave alike.
class ReplacementFileTest : public ::testing::TestWithParam<bool> {
protected:
    bool Open(ReplacementFile& file, const TemporaryFolder& folder, mode_t mode) const {
        return GetParam() ? file.OpenNamed(folder.path(), mode) : file.Open(folder.path(), mode);
    }
    std::size_t entriesWhileOpen() const { return GetParam() ? 1 : 0; }
};

TEST_P(ReplacementFileTest, TakesTheTargetsPlaceWithTheModeOfNewFiles) {
    TemporaryFolder folder;
    const std::string target = folder.write("target.pgm", "old");
    const mode_t previous = umask(027);
    {
        ReplacementFile file;
        ASSERT_TRUE(Open(file, folder, 0666));
        EXPECT_EQ(EntriesIn(folder), 1 + entriesWhileOpen());
        ASSERT_EQ(write(file.descriptor(), "new", 3), 3);
        EXPECT_EQ(TemporaryFolder::read(target), "old");
        ASSERT_TRUE(file.Replace(target));
    }
    umask(previous);
    EXPECT_EQ(TemporaryFolder::read(target), "new");
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_EQ(EntriesIn(folder), 1u);
}

TEST_P(ReplacementFileTest, LeavesNothingWhenItNeverReplaces) {
    TemporaryFolder folder;
    {
        ReplacementFile file;
        ASSERT_TRUE(Open(file, folder, 0600));
        ASSERT_EQ(write(file.descriptor(), "abandoned", 9), 9);
    }
    EXPECT_EQ(EntriesIn(folder), 0u);
}

INSTANTIATE_TEST_SUITE_P(UnnamedAndNamed, ReplacementFileTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Named" : "Unnamed"; });

}  // namespace
}  // namespace lumagrove

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/runtime_error.h"
#include "store/file_io.h"
#include "tests/support/temp_dir.h"

namespace velmor {
namespace {

namespace fs = std::filesystem;

auto raises(int number) {
    return testing::Throws<RuntimeError>(testing::Property(&RuntimeError::number, number));
}

// Entries in a folder: a temporary file left behind would show.
long entries(const std::string& dir) {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST(WriteFileSafely, CreatesReplacesAndAppendsOnALineOfItsOwn) {
    test::TempDir dir;
    const std::tuple<std::string, bool, std::string> steps[] = {
        {"one", true, "one"}, // appending to no file creates it
        {"two\r\n", true, "one\r\ntwo\r\n"},
        {"x\r", true, "one\r\ntwo\r\nx\r"},
        {"y", true, "one\r\ntwo\r\nx\ry"},
        {"three", false, "three"},
    };
    for (const auto& [bytes, append, expected] : steps) {
        writeFileSafely(dir.file("m.txt"), bytes, append);
        EXPECT_EQ(dir.read("m.txt"), expected);
    }
    EXPECT_EQ(entries(dir.path()), 1);
}

TEST(WriteFileSafely, FailuresLeaveTheOldContentAndNoTemporaryFile) {
    test::TempDir dir;
    dir.write("keep.txt", "old");
    fs::create_directory(dir.file("folder"));
    EXPECT_THAT([&] { writeFileSafely(dir.file("missing/x.txt"), "new", false); }, raises(76));
    EXPECT_THAT([&] { writeFileSafely(dir.file("folder"), "new", false); }, raises(75));
    EXPECT_THAT([&] { writeFileSafely(dir.file("folder"), "new", true); }, raises(75));
    EXPECT_THAT([&] { writeFileSafely("/dev/null", "new", false); }, raises(75));
    EXPECT_EQ(dir.read("keep.txt"), "old");
    EXPECT_EQ(entries(dir.path()), 2);
    EXPECT_EQ(entries(dir.file("folder")), 0);
}

TEST(WriteFileSafely, KeepsPermissionBitsAndFollowsSymbolicLinks) {
    test::TempDir dir;
    fs::permissions(dir.write("target.txt", "old"), fs::perms(0640));
    fs::create_symlink(dir.file("target.txt"), dir.file("link.txt"));
    fs::create_symlink("made.txt", dir.file("dangling.txt")); // relative to the link's folder
    writeFileSafely(dir.file("link.txt"), "new", false);
    writeFileSafely(dir.file("dangling.txt"), "made", false);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")) && fs::is_symlink(dir.file("dangling.txt")));
    EXPECT_EQ(dir.read("target.txt"), "new");
    EXPECT_EQ(dir.read("made.txt"), "made");
    EXPECT_EQ(fs::status(dir.file("target.txt")).permissions(), fs::perms(0640));
}

// A save killed before its rename leaves a temporary; the next save in that folder removes
// it, but not one that may belong to a save under way now, nor a file of another pattern.
TEST(WriteFileSafely, RemovesTemporariesLeftByAKilledSave) {
    test::TempDir dir;
    const std::string killed[] = {".m.txt.velmor-123456789", ".other.txt.velmor-42"};
    const std::string kept[] = {".m.txt.velmor-7", "m.txt.velmor-1", ".m.txt.velmor-12a",
                                ".velmor-5"};
    for (const auto& name : killed) {
        dir.write(name, "partial");
        fs::last_write_time(dir.file(name),
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    for (const auto& name : kept) {
        dir.write(name, "keep");
        if (name != kept[0]) // only the recent one is spared for its age
            fs::last_write_time(dir.file(name),
                                fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    writeFileSafely(dir.file("m.txt"), "new", false);
    for (const auto& name : killed) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
    for (const auto& name : kept) EXPECT_EQ(dir.read(name), "keep") << name;
    EXPECT_EQ(dir.read("m.txt"), "new");
    EXPECT_EQ(entries(dir.path()), 5);
}

TEST(ReadFileBytes, ReadsEveryByteAndReportsFailures) {
    test::TempDir dir;
    const std::string bytes("a\0b\r\n\xff", 6);
    EXPECT_EQ(readFileBytes(dir.write("f.bin", bytes)), bytes);
    EXPECT_EQ(readFileBytes(dir.write("empty.txt", "")), "");
    EXPECT_THAT([&] { readFileBytes(dir.file("none.txt")); }, raises(53));
    EXPECT_THAT([&] { readFileBytes(dir.path()); }, raises(75));
    EXPECT_THAT([&] { readFileBytes(dir.file("f.bin/x")); }, raises(76));
    for (int n : {53, 57, 61, 70, 75, 76}) EXPECT_NE(errorDescription(n), errorDescription(1)) << n;
}

} // namespace
} // namespace velmor

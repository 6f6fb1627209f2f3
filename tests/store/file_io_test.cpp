#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/runtime_error.h"
#include "store/file_io.h"
#include "tests/support/temp_dir.h"

namespace velmor {
namespace {

namespace fs = std::filesystem;

int errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// Names in the folder, to see that no temporary file is left behind.
std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteFileSafely, CreatesReplacesAndAppends) {
    test::TempDir dir;
    const std::string path = dir.file("m.txt");
    writeFileSafely(path, "one\r\n", false);
    EXPECT_EQ(dir.read("m.txt"), "one\r\n");
    writeFileSafely(path, "two\r\n", true);
    EXPECT_EQ(dir.read("m.txt"), "one\r\ntwo\r\n");
    writeFileSafely(path, "three\r\n", false);
    EXPECT_EQ(dir.read("m.txt"), "three\r\n");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"m.txt"});
}

TEST(WriteFileSafely, AppendStartsOnANewLineAfterAnUnterminatedLastLine) {
    test::TempDir dir;
    dir.write("a.txt", " 1 2");
    writeFileSafely(dir.file("a.txt"), "# x\r\n", true);
    EXPECT_EQ(dir.read("a.txt"), " 1 2\r\n# x\r\n");
    dir.write("b.txt", " 1 2\r");
    writeFileSafely(dir.file("b.txt"), "# x\r\n", true);
    EXPECT_EQ(dir.read("b.txt"), " 1 2\r# x\r\n");
    writeFileSafely(dir.file("c.txt"), "# x\r\n", true); // appending to no file creates it
    EXPECT_EQ(dir.read("c.txt"), "# x\r\n");
}

TEST(WriteFileSafely, FailuresLeaveTheOldContentAndNoTemporaryFile) {
    test::TempDir dir;
    dir.write("keep.txt", "old");
    fs::create_directory(dir.file("folder"));
    EXPECT_EQ(errorNumberOf([&] { writeFileSafely(dir.file("missing/x.txt"), "new", false); }), 76);
    EXPECT_EQ(errorNumberOf([&] { writeFileSafely(dir.file("folder"), "new", false); }), 75);
    EXPECT_EQ(errorNumberOf([&] { writeFileSafely(dir.file("folder"), "new", true); }), 75);
    EXPECT_EQ(errorNumberOf([&] { writeFileSafely("/dev/null", "new", false); }), 75);
    EXPECT_EQ(dir.read("keep.txt"), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"folder", "keep.txt"}));
    EXPECT_TRUE(namesIn(dir.file("folder")).empty());
}

TEST(WriteFileSafely, KeepsPermissionBitsAndFollowsSymbolicLinks) {
    test::TempDir dir;
    dir.write("target.txt", "old");
    ::chmod(dir.file("target.txt").c_str(), 0640);
    fs::create_symlink(dir.file("target.txt"), dir.file("link.txt"));
    writeFileSafely(dir.file("link.txt"), "new", false);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(dir.read("target.txt"), "new");
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("target.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(ReadFileBytes, ReadsEveryByteAndReportsFailures) {
    test::TempDir dir;
    std::string bytes("a\0b\r\n\xff", 6);
    dir.write("f.bin", bytes);
    EXPECT_EQ(readFileBytes(dir.file("f.bin")), bytes);
    EXPECT_EQ(readFileBytes(dir.write("empty.txt", "")), "");
    EXPECT_EQ(errorNumberOf([&] { readFileBytes(dir.file("none.txt")); }), 53);
    EXPECT_EQ(errorNumberOf([&] { readFileBytes(dir.path()); }), 75);
    EXPECT_EQ(errorNumberOf([&] { readFileBytes(dir.file("f.bin/x")); }), 76);
}

TEST(FileErrorDescriptions, EveryNumberHasItsOwnText) {
    for (int n : {53, 57, 61, 70, 75, 76}) EXPECT_NE(errorDescription(n), errorDescription(1)) << n;
}

} // namespace
} // namespace velmor

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cvelmor.h"
#include "engine/text_case.h"
#include "tests/support/values.h"

namespace velmor {
namespace {

using test::matrix;
using Kind = EngineIssue::Kind;

// What a call reported, one line per issue: "operation kind number row column".
template <class T> std::vector<std::string> issues(const Result<T>& r) {
    std::vector<std::string> out;
    for (const EngineIssue& i : r.issues)
        out.push_back(i.operation + " " + std::to_string(int(i.kind)) + " " +
                      std::to_string(i.number) + " " + std::to_string(i.at.row.value_or(0)) + " " +
                      std::to_string(i.at.column.value_or(0)));
    return out;
}

// The engine reports without any window: the issue, where it arose, and an empty value.
TEST(EngineResults, CarryTheIssueAndWhereItArose) {
    NumberFormat format{"."};
    const CVelmor engine{format};
    const Variant bad = matrix(2, 2, {1, 2, "x", 4});
    const auto add = engine.Add(bad, bad);
    EXPECT_TRUE(add.value.isEmpty());
    EXPECT_EQ(issues(add), std::vector<std::string>{"Add 0 13 2 1"});
    EXPECT_EQ(add.issues[0].description, "A text that is not a number was used as one");
    EXPECT_EQ(issues(engine.Add(bad, matrix(1, 1, {1}))), std::vector<std::string>{"Add 2 0 0 0"});
    EXPECT_EQ(issues(engine.Invert(matrix(2, 2, {1, 2, 2, 4}))),
              std::vector<std::string>{"Invert 4 0 0 0"});
    // Each failing minor of an expansion reports and counts as 0; the sum goes on.
    std::vector<Variant> big(16, 1e150);
    for (int k = 3; k < 16; k += 4) big[k] = 1;
    const auto det = engine.GetDeterminant(matrix(4, 4, big));
    EXPECT_EQ(issues(det), std::vector<std::string>(4, "GetDeterminant 0 6 0 0"));
    EXPECT_EQ(det.value, 0);
    EXPECT_EQ(engine.GetTrace(matrix(2, 2, {1, 0, 0, 2})).position.row, 3);
}

TEST(TextCase, FoldsEveryLetterAndKeepsOtherBytes) {
    const struct {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"Matrix A", "mATRIX a", true}, {"Élan", "éLAN", true}, {"ΣΙΓΜΑ", "σιγμα", true},
        {"Жук", "жУК", true},           {"é", "e", false},      {"a\xff", "A\xff", true},
        {"\xc3", "\xc3", true},         {"abc", "abd", false},  {"ab", "abc", false},
        {"\xe2\x84\xaa", "k", true}, // the Kelvin sign lowers to an ASCII letter
    };
    for (const auto& c : cases) EXPECT_EQ(equalNoCase(c.a, c.b), c.same) << c.a << " " << c.b;
}

} // namespace
} // namespace velmor

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/runtime_error.h"
#include "store/cmatrices.h"
#include "tests/support/scripted_dialogs.h"

namespace velmor {
namespace {

using test::Box;
using test::ScriptedDialogs;

Variant matrixOf(double value) {
    Array a = Array::matrix(1, 1);
    a.at(1, 1) = Variant(value);
    return Variant(std::move(a));
}

double valueOf(const CMatrix* entry) {
    return entry->matrixRef().array().at(1, 1).number();
}

std::string existsPrompt(const std::string& name) {
    return "The matrix \"" + name +
           "\" already exists. Press OK to replace it, or Cancel to rename the new matrix or "
           "abandon changes.";
}

void expectBox(const Box& box, Box::Kind kind, const std::string& prompt, MsgButtons buttons,
               MsgIcon icon, const std::string& title) {
    EXPECT_EQ(box.kind, kind);
    EXPECT_EQ(box.prompt, prompt);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.icon, icon);
    EXPECT_EQ(box.title, title);
}

void expectExists(const Box& box, const std::string& name) {
    expectBox(box, Box::Message, existsPrompt(name), MsgButtons::OKCancel, MsgIcon::None,
              "Matrix Exists");
}

void expectRenameInput(const Box& box) {
    expectBox(box, Box::Input, "Rename the new matrix or press Cancel to skip the matrix.",
              MsgButtons::OKCancel, MsgIcon::None, "Matrix Name");
    EXPECT_EQ(box.defaultText, "");
}

void expectListError(const Box& box, const std::string& prompt) {
    expectBox(box, Box::Message, prompt, MsgButtons::OK, MsgIcon::Critical,
              "CMatrices class module");
}

void expectItemError(const Box& box, const std::string& prompt) {
    expectBox(box, Box::Message, prompt, MsgButtons::OK, MsgIcon::Exclamation,
              "CMatrices Class Module - Item function");
}

int errorOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

class MatrixList : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    CMatrices list{dialogs};

    void addABC() {
        ASSERT_EQ(list.Add("A", matrixOf(1)), CMatrices::kAdded);
        ASSERT_EQ(list.Add("B", matrixOf(2), "second"), CMatrices::kAdded);
        ASSERT_EQ(list.Add("C", matrixOf(3)), CMatrices::kAdded);
        dialogs.clear();
    }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : list) out.push_back(e->Name);
        return out;
    }
};

using Names = std::vector<std::string>;

TEST_F(MatrixList, PositionsFollowAdditionAndKeysIgnoreCase) {
    addABC();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(names(), (Names{"A", "B", "C"}));
    EXPECT_EQ(list.Item(2)->Name, "B");
    EXPECT_EQ(list.Item("b"), list.Item(2));
    EXPECT_EQ(list.Item("B"), list.Item(2));
    EXPECT_EQ(list.Item(2)->Description, "second");
    EXPECT_EQ(list.Item(1)->Description, "");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MatrixList, EntriesOwnTheirMatrices) {
    Variant m = matrixOf(5);
    list.Add("M", m);
    m.array().at(1, 1) = Variant(6.0);
    EXPECT_EQ(valueOf(list.Item(1)), 5);
    Variant copy = list.Item(1)->Matrix();
    copy.array().at(1, 1) = Variant(7.0);
    EXPECT_EQ(valueOf(list.Item(1)), 5);
}

TEST_F(MatrixList, ReplaceMovesTheNewEntryToTheEnd) {
    addABC();
    dialogs.answer(MsgResult::OK);
    EXPECT_EQ(list.Add("b", matrixOf(20), "new"), CMatrices::kReplaced);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    expectExists(dialogs.boxes[0], "b");
    EXPECT_EQ(names(), (Names{"A", "C", "b"}));
    EXPECT_EQ(valueOf(list.Item("B")), 20);
    EXPECT_EQ(list.Item(3)->Description, "new");
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(MatrixList, RenameAddsUnderTheNewName) {
    addABC();
    dialogs.answer(MsgResult::Cancel).input("D");
    EXPECT_EQ(list.Add("A", matrixOf(4)), CMatrices::kAdded);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    expectExists(dialogs.boxes[0], "A");
    expectRenameInput(dialogs.boxes[1]);
    EXPECT_EQ(names(), (Names{"A", "B", "C", "D"}));
    EXPECT_EQ(valueOf(list.Item("d")), 4);
    EXPECT_EQ(valueOf(list.Item("A")), 1);
}

TEST_F(MatrixList, RenameToATakenNameAsksAgainThenReplace) {
    addABC();
    // The answer is used exactly as typed, blanks included.
    dialogs.answer(MsgResult::Cancel).input("C").answer(MsgResult::Cancel).input(" c ");
    EXPECT_EQ(list.Add("A", matrixOf(4)), CMatrices::kAdded);
    ASSERT_EQ(dialogs.boxes.size(), 4u);
    expectExists(dialogs.boxes[2], "C");
    EXPECT_EQ(list.Item(4)->Name, " c ");

    dialogs.clear();
    dialogs.answer(MsgResult::Cancel).input("b").answer(MsgResult::OK);
    EXPECT_EQ(list.Add("a", matrixOf(5)), CMatrices::kReplaced);
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    expectExists(dialogs.boxes[0], "a");
    expectRenameInput(dialogs.boxes[1]);
    expectExists(dialogs.boxes[2], "b");
    EXPECT_EQ(names(), (Names{"A", "C", " c ", "b"}));
    EXPECT_EQ(valueOf(list.Item("B")), 5);
}

TEST_F(MatrixList, SkipNamesTheCurrentNameAndLeavesTheList) {
    addABC();
    dialogs.answer(MsgResult::Cancel).input("");
    EXPECT_EQ(list.Add("B", matrixOf(9)), CMatrices::kSkipped);
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    expectBox(dialogs.boxes[2], Box::Message, "Matrix \"B\" has been skipped.", MsgButtons::OK,
              MsgIcon::None, "Velmor");

    dialogs.clear();
    dialogs.answer(MsgResult::Cancel).input("c").answer(MsgResult::Cancel).input("");
    EXPECT_EQ(list.Add("B", matrixOf(9)), CMatrices::kSkipped);
    ASSERT_EQ(dialogs.boxes.size(), 5u);
    EXPECT_EQ(dialogs.boxes[4].prompt, "Matrix \"c\" has been skipped.");
    EXPECT_EQ(names(), (Names{"A", "B", "C"}));
    EXPECT_EQ(valueOf(list.Item("B")), 2);
}

TEST_F(MatrixList, NonMatrixFailsWithTheListErrorBox) {
    addABC();
    EXPECT_EQ(list.Add("E", Variant()), CMatrices::kFailed);
    EXPECT_EQ(list.Add("E", Variant("text")), CMatrices::kFailed);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    expectListError(dialogs.boxes[0], "Error No. - 13; Type mismatch");
    EXPECT_EQ(names(), (Names{"A", "B", "C"}));
    // A taken name with a bad matrix fails before any question.
    EXPECT_EQ(list.Add("A", Variant()), CMatrices::kFailed);
    EXPECT_EQ(dialogs.boxes.size(), 3u);
}

// A blank name could never be written to a data file and read back, so it is refused.
TEST_F(MatrixList, BlankNamesAreRefused) {
    addABC();
    for (const char* name : {"", " ", "  \t "}) {
        dialogs.clear();
        EXPECT_EQ(list.Add(name, matrixOf(1)), CMatrices::kFailed) << '"' << name << '"';
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        expectListError(dialogs.boxes[0], "Error No. - 5; Invalid procedure call or argument");
    }
    dialogs.clear();
    dialogs.answer(MsgResult::Cancel).input("   ");
    EXPECT_EQ(list.Add("A", matrixOf(8)), CMatrices::kFailed);
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    expectListError(dialogs.boxes[2], "Error No. - 5; Invalid procedure call or argument");
    EXPECT_EQ(names(), (Names{"A", "B", "C"}));
    EXPECT_EQ(valueOf(list.Item("A")), 1);
}

TEST_F(MatrixList, ItemOutsideTheListShowsTheItemBox) {
    addABC();
    EXPECT_EQ(list.Item(0), nullptr);
    EXPECT_EQ(list.Item(4), nullptr);
    EXPECT_EQ(list.Item("Z"), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    expectItemError(dialogs.boxes[0], "Error No. 9; Subscript out of range");
    expectItemError(dialogs.boxes[1], "Error No. 9; Subscript out of range");
    expectItemError(dialogs.boxes[2], "Error No. 5; Invalid procedure call or argument");
}

TEST_F(MatrixList, DeleteMovesLaterEntriesUpAndRaisesOnBadIndex) {
    addABC();
    list.Add("D", matrixOf(4));
    list.Delete(2);
    EXPECT_EQ(names(), (Names{"A", "C", "D"}));
    EXPECT_EQ(list.Item("B"), nullptr);
    dialogs.clear();
    list.Delete("c");
    EXPECT_EQ(names(), (Names{"A", "D"}));
    EXPECT_EQ(errorOf([&] { list.Delete(0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { list.Delete(3); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { list.Delete("C"); }), err::InvalidArgument);
    EXPECT_EQ(names(), (Names{"A", "D"}));
    EXPECT_TRUE(dialogs.boxes.empty());
    // A deleted name is free again.
    EXPECT_EQ(list.Add("b", matrixOf(2)), CMatrices::kAdded);
}

TEST_F(MatrixList, KeyStaysTheNameItWasAddedUnder) {
    addABC();
    list.Item(2)->Name = "Renamed";
    EXPECT_EQ(list.Item("b")->Name, "Renamed");
    list.Delete(2);
    EXPECT_EQ(list.Add("B", matrixOf(2)), CMatrices::kAdded);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MatrixList, CountIsSixteenBit) {
    for (int i = 0; i < 32767; ++i) ASSERT_EQ(list.Add("m" + std::to_string(i), matrixOf(i)), 0);
    EXPECT_EQ(list.Count(), 32767);
    EXPECT_EQ(list.Item("M32766"), list.Item(32767));
    list.Add("one more", matrixOf(0));
    EXPECT_EQ(errorOf([&] { list.Count(); }), err::Overflow);
}

} // namespace
} // namespace velmor

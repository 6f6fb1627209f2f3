#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/values.h"
#include "engine/runtime_error.h"
#include "ui/adapters/matrix_list.h"
#include "tests/support/scripted_dialogs.h"

namespace velmor {
using velmor::test::errorOf;

namespace {

using test::Box;

Variant matrixOf(double value) {
    return test::matrix(1, 1, {value});
}

// A box as one line of text, so whole lists of boxes compare at once.
std::string line(int kind, const std::string& title, MsgButtons buttons, MsgIcon icon,
                 const std::string& prompt) {
    return std::to_string(kind) + " " + title + " [" + std::to_string(int(buttons)) + " " +
           std::to_string(int(icon)) + "] " + prompt;
}
std::string exists(const std::string& name) {
    return line(Box::Message, "Matrix Exists", MsgButtons::OKCancel, MsgIcon::None,
                "The matrix \"" + name + "\" already exists. Press OK to replace it, or Cancel " +
                    "to rename the new matrix or abandon changes.");
}
const std::string rename = line(Box::Input, "Matrix Name", MsgButtons::OKCancel, MsgIcon::None,
                                "Rename the new matrix or press Cancel to skip the matrix.");
std::string skipped(const std::string& name) {
    return line(Box::Message, "Velmor", MsgButtons::OK, MsgIcon::None,
                "Matrix \"" + name + "\" has been skipped.");
}
std::string listError(const std::string& prompt) {
    return line(Box::Message, "CMatrices class module", MsgButtons::OK, MsgIcon::Critical, prompt);
}

class MatrixListTest : public ::testing::Test {
  protected:
    test::ScriptedDialogs dialogs;
    MatrixList list{dialogs};

    void addABC() {
        while (list.Count() > 0) list.Delete(1);
        list.Add("A", matrixOf(1));
        list.Add("B", matrixOf(2), "second");
        list.Add("C", matrixOf(3));
    }
    // The entries in order as "name=value", joined by '|'.
    std::string entries() const {
        std::string out;
        for (const auto& e : list)
            out += (out.empty() ? "" : "|") + e->Name + "=" +
                   std::to_string(static_cast<int>(e->matrixRef().array().at(1, 1).number()));
        return out;
    }
    void expectBoxes(const std::vector<std::string>& expected) {
        std::vector<std::string> shown;
        for (const Box& b : dialogs.boxes)
            shown.push_back(line(b.kind, b.title, b.buttons, b.icon, b.prompt) + b.defaultText);
        EXPECT_EQ(shown, expected);
        dialogs.clear();
    }
    // Adds `name` with "9 new" to the list A, B, C, answering the boxes and typing the inputs.
    void expectAdd(const std::string& name, const std::vector<MsgResult>& answers,
                   const std::vector<std::string>& inputs, int result,
                   const std::vector<std::string>& boxes, const std::string& after,
                   const Variant& m = matrixOf(9)) {
        SCOPED_TRACE("Add \"" + name + "\"");
        addABC();
        for (MsgResult r : answers) dialogs.answer(r);
        for (const std::string& text : inputs) dialogs.input(text);
        EXPECT_EQ(list.Add(name, m, "new"), result);
        expectBoxes(boxes);
        EXPECT_EQ(entries(), after);
        EXPECT_EQ(list.Item(list.Count())->Description, after.ends_with("=9") ? "new" : "");
    }
};

TEST_F(MatrixListTest, EntriesOwnTheirMatrices) {
    Variant m = matrixOf(5);
    list.Add("M", m);
    m.array().at(1, 1) = Variant(6.0);
    list.Item(1)->Matrix().array().at(1, 1) = Variant(7.0);
    EXPECT_EQ(entries(), "M=5");
}

TEST_F(MatrixListTest, AddReplacesRenamesSkipsOrFails) {
    using enum MsgResult;
    expectAdd("b", {OK}, {}, MatrixList::kReplaced, {exists("b")}, "A=1|C=3|b=9");
    expectAdd("A", {Cancel}, {"D"}, MatrixList::kAdded, {exists("A"), rename}, "A=1|B=2|C=3|D=9");
    // The answer is used as typed; a taken one asks again.
    expectAdd("A", {Cancel, Cancel}, {"C", " c "}, MatrixList::kAdded,
              {exists("A"), rename, exists("C"), rename}, "A=1|B=2|C=3| c =9");
    expectAdd("a", {Cancel, OK}, {"b"}, MatrixList::kReplaced, {exists("a"), rename, exists("b")},
              "A=1|C=3|b=9");
    expectAdd("B", {Cancel}, {""}, MatrixList::kSkipped, {exists("B"), rename, skipped("B")},
              "A=1|B=2|C=3");
    expectAdd("B", {Cancel, Cancel}, {"c", ""}, MatrixList::kSkipped,
              {exists("B"), rename, exists("c"), rename, skipped("c")}, "A=1|B=2|C=3");
    // Not a matrix fails before any question.
    expectAdd("A", {}, {}, MatrixList::kFailed,
              {listError("Error No. - 13; A text that is not a number was used as one")},
              "A=1|B=2|C=3", Variant());
    const std::string refused =
        listError("Error No. - 5; A value was given that this action cannot take");
    // A blank name could never be written to a data file and read back, so it is refused.
    expectAdd("", {}, {}, MatrixList::kFailed, {refused}, "A=1|B=2|C=3");
    expectAdd("  \t ", {}, {}, MatrixList::kFailed, {refused}, "A=1|B=2|C=3");
    expectAdd("A", {Cancel}, {"   "}, MatrixList::kFailed, {exists("A"), rename, refused},
              "A=1|B=2|C=3");
}

TEST_F(MatrixListTest, ItemOutsideTheListShowsTheItemBox) {
    addABC();
    EXPECT_EQ(list.Item(0), nullptr);
    EXPECT_EQ(list.Item(4), nullptr);
    EXPECT_EQ(list.Item("Z"), nullptr);
    auto item = [](const std::string& prompt) {
        return line(Box::Message, "CMatrices Class Module - Item function", MsgButtons::OK,
                    MsgIcon::Exclamation, prompt);
    };
    const std::string outside = item("Error No. 9; A row or column outside the matrix was used");
    expectBoxes(
        {outside, outside, item("Error No. 5; A value was given that this action cannot take")});
}

TEST_F(MatrixListTest, DeleteMovesLaterEntriesUpAndRaisesOnBadIndex) {
    addABC();
    list.Add("D", matrixOf(4));
    list.Delete(2);
    list.Delete("c");
    EXPECT_EQ(errorOf([&] { list.Delete(0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { list.Delete(3); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { list.Delete("C"); }), err::InvalidArgument);
    EXPECT_EQ(entries(), "A=1|D=4");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(list.Add("b", matrixOf(2)), MatrixList::kAdded); // a deleted name is free again
}

TEST_F(MatrixListTest, KeyStaysTheNameItWasAddedUnder) {
    addABC();
    list.Item(2)->Name = "Renamed";
    EXPECT_EQ(list.Item("b")->Name, "Renamed");
    list.Add("Élan", matrixOf(5)); // letters beyond ASCII ignore case too
    EXPECT_EQ(list.Item("éLAN")->Name, "Élan");
    list.Delete(2);
    EXPECT_EQ(list.Add("B", matrixOf(2)), MatrixList::kAdded);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MatrixListTest, CountIsSixteenBit) {
    for (int i = 0; i < 32767; ++i) ASSERT_EQ(list.Add("m" + std::to_string(i), matrixOf(i)), 0);
    EXPECT_EQ(list.Count(), 32767);
    EXPECT_EQ(list.Item("M32766"), list.Item(32767));
    list.Add("one more", matrixOf(0));
    EXPECT_EQ(errorOf([&] { list.Count(); }), err::Overflow);
}

} // namespace
} // namespace velmor

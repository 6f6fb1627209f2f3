#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/view/combo_box.h"
#include "ui/view/command_button.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"
#include "ui/view/text_box.h"

namespace velmor {
namespace {

// A form whose controls write every event they raise into one log.
struct LoggedForm {
    Form form{"frmLog"};
    TextBox text{form, "txt"};
    ComboBox list{form, "cbo", false};
    ComboBox edit{form, "cboEdit", true};
    CommandButton ok{form, "cmdOK", "OK"};
    std::vector<std::string> log;

    LoggedForm() {
        for (Control* c : form.controls()) {
            c->onGotFocus = [this, c] { log.push_back("GotFocus " + c->name()); };
            c->onLostFocus = [this, c] { log.push_back("LostFocus " + c->name()); };
        }
        text.onChange = [this] { log.push_back("Change txt=" + text.Text()); };
        list.onClick = [this] { log.push_back("Click cbo=" + std::to_string(list.ListIndex())); };
        edit.onChange = [this] { log.push_back("Change cboEdit=" + edit.Text()); };
        for (ComboBox* c : {&list, &edit}) c->AddItem("Alpha"), c->AddItem("Beta");
        form.load();
        form.setVisible(true);
    }
    // The events the action raised, taken from the log.
    std::vector<std::string> during(auto&& action) {
        log.clear();
        action();
        return log;
    }
};

TEST(ControlRuntime, EventsRunInsideTheAssignmentThatRaisedThem) {
    LoggedForm f;
    using Log = std::vector<std::string>;
    const struct {
        std::function<void()> action;
        Log events;
    } cases[] = {
        {[&] { f.text.setText("1"); }, {"Change txt=1"}},
        {[&] { f.text.setText("1"); }, {}}, // the same text again raises nothing
        {[&] { f.list.setListIndex(1); }, {"Click cbo=1"}},
        {[&] { f.list.setText("alpha"); }, {"Click cbo=0"}}, // matched without regard to case
        {[&] { f.list.setText("Gamma"); }, {}},
        {[&] { f.edit.setText("beta"); }, {"Change cboEdit=beta"}},
        {[&] { f.text.SetFocus(); }, {"GotFocus txt"}},
        {[&] { f.ok.SetFocus(); }, {"LostFocus txt", "GotFocus cmdOK"}},
        {[&] { f.form.userFocus(&f.list); }, {"LostFocus cmdOK", "GotFocus cbo"}},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k)
        EXPECT_EQ(f.during(cases[k].action), cases[k].events) << k;
    EXPECT_EQ(f.edit.ListIndex(), 1);
}

TEST(ControlRuntime, AHandlerThatMovesTheFocusRunsBeforeTheOuterEventEnds) {
    LoggedForm f;
    f.text.onChange = [&] {
        f.log.push_back("Change txt");
        f.ok.SetFocus();
        f.log.push_back("Change txt done");
    };
    EXPECT_EQ(f.during([&] { f.text.setText("x"); }),
              (std::vector<std::string>{"Change txt", "GotFocus cmdOK", "Change txt done"}));
}

// Fitting a column measures each shape of number once, with its digits at their widest, so a
// large result is fitted quickly and no number is fitted narrower than it is.
TEST(GridText, TheWidestTextIsMeasuredOncePerShapeWithTheWidestDigit) {
    Form form("frm", "Form");
    Grid grid(form, "grid");
    grid.setRows(301);
    grid.setCols(2);
    for (int r = 1; r <= 300; ++r) grid.setTextMatrix(r, 1, std::to_string(r * 7919 % 1000) + ".5");
    std::vector<std::string> measured;
    const int widest = grid.widestText(1, [&](const std::string& text) {
        measured.push_back(text);
        // Every digit 10 wide, but 8 is 11; every other character 5.
        int w = 0;
        for (char c : text) w += c == '8' ? 11 : (c >= '0' && c <= '9') ? 10 : 5;
        return w;
    });
    EXPECT_EQ(widest, 3 * 11 + 5 + 11) << "888.8, the widest digits in the longest shape";
    EXPECT_LE(measured.size(), 10u + 3u) << "ten digit runs, then one text per shape";
}

} // namespace
} // namespace velmor

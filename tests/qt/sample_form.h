#pragma once

#include <string>
#include <vector>

#include "ui/view/command_button.h"
#include "ui/view/form.h"
#include "ui/view/text_box.h"

namespace velmor::test {

// A small dialog whose focus, change and click events are logged by control name.
struct SampleForm {
    Form form{"frmSample", "Sample"};
    TextBox txtA{form, "txtA"};
    TextBox txtB{form, "txtB"};
    CommandButton cmdOK{form, "cmdOK", "&OK"};
    CommandButton cmdCancel{form, "cmdCancel", "&Cancel"};
    std::vector<std::string> log;

    SampleForm() {
        txtA.move(120, 120, 1500, 315);
        txtB.move(120, 600, 1500, 315);
        cmdOK.move(1800, 1080, 1215, 495);
        cmdCancel.move(3120, 1080, 1215, 495);
        form.setDefaultButton(&cmdOK);
        form.setCancelButton(&cmdCancel);
        form.setTabOrder({&txtA, &txtB, &cmdOK, &cmdCancel});
        form.userResize(4800, 2700);
        for (Control* c : form.controls()) {
            c->onGotFocus = [this, c] { log.push_back(c->name() + ".GotFocus"); };
            c->onLostFocus = [this, c] { log.push_back(c->name() + ".LostFocus"); };
        }
        txtA.onChange = [this] { log.push_back("txtA.Change " + txtA.Text()); };
        cmdOK.onClick = [this] { log.push_back("cmdOK.Click"); };
        cmdCancel.onClick = [this] { log.push_back("cmdCancel.Click"); };
        form.load();
    }
};

} // namespace velmor::test

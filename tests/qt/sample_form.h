#pragma once

#include <string>
#include <vector>

#include "ui/view/combo_box.h"
#include "ui/view/command_button.h"
#include "ui/view/form.h"
#include "ui/view/slider.h"
#include "ui/view/text_box.h"

namespace velmor::test {

// A small dialog with one control of each editing kind; every event is logged by name.
struct SampleForm {
    Form form{"frmSample", "Sample"};
    TextBox txtA{form, "txtA"};
    TextBox txtB{form, "txtB"};
    ComboBox cboEdit{form, "cboEdit", true};
    ComboBox cboList{form, "cboList", false};
    Slider sldWidth{form, "sldWidth", 0, 10};
    CommandButton cmdOK{form, "cmdOK", "&OK"};
    CommandButton cmdCancel{form, "cmdCancel", "&Cancel"};
    Label lblNote{form, "lblNote", "Note <b>&</b>"};
    std::vector<std::string> log;

    SampleForm() {
        txtA.move(120, 120, 1500, 315);
        txtB.move(120, 600, 1500, 315);
        cboEdit.move(1800, 120, 1500, 315);
        cboList.move(1800, 600, 1500, 315);
        sldWidth.move(120, 1080, 1575, 495);
        cmdOK.move(1800, 1080, 1215, 495);
        cmdCancel.move(3120, 1080, 1215, 495);
        lblNote.move(120, 1680, 3000, 255);
        form.setDefaultButton(&cmdOK);
        form.setCancelButton(&cmdCancel);
        form.setTabOrder({&txtA, &txtB, &cboEdit, &cboList, &sldWidth, &cmdOK, &cmdCancel});
        form.userResize(4800, 2700);
        for (Control* c : form.controls()) {
            std::string n = c->name();
            c->onGotFocus = [this, n] { log.push_back(n + ".GotFocus"); };
            c->onLostFocus = [this, n] { log.push_back(n + ".LostFocus"); };
        }
        txtA.onChange = [this] { log.push_back("txtA.Change " + txtA.Text()); };
        cboEdit.onChange = [this] { log.push_back("cboEdit.Change " + cboEdit.Text()); };
        cboEdit.onClick = [this] { log.push_back("cboEdit.Click " + cboEdit.Text()); };
        cboList.onClick = [this] { log.push_back("cboList.Click " + cboList.Text()); };
        sldWidth.onChange = [this] {
            log.push_back("sldWidth.Change " + std::to_string(sldWidth.Value()));
        };
        sldWidth.onScroll = [this] {
            log.push_back("sldWidth.Scroll " + std::to_string(sldWidth.Value()));
        };
        cmdOK.onClick = [this] { log.push_back("cmdOK.Click"); };
        cmdCancel.onClick = [this] { log.push_back("cmdCancel.Click"); };
        form.load();
    }

    bool logged(const std::string& entry) const {
        for (const auto& e : log)
            if (e == entry) return true;
        return false;
    }
};

} // namespace velmor::test

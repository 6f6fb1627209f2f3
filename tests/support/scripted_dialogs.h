#pragma once

#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ui/view/dialog_service.h"
#include "ui/view/form.h"

namespace velmor::test {

// One box, dialog or form shown through the service.
struct Box {
    enum Kind { Message, Input, Open, Save, FormShown } kind = Message;
    std::string prompt; // message or input prompt; the form's name for FormShown
    std::string title;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    std::string defaultText;
    FileDialog dialog; // the dialog's properties as they were when shown
    bool modal = true;
    int defaultButton = 0; // the button Enter answers, counted from 0
};

// The dialog service of the tests: records every box and answers from queues. A question
// with more than one button and no scripted answer fails the test; an OK box is answered OK.
// A modal form runs the next scripted action inside the show; without one it is unloaded.
class ScriptedDialogs : public DialogService {
  public:
    std::vector<Box> boxes;
    std::deque<MsgResult> answers;
    std::deque<std::string> inputs;
    std::deque<std::string> files;
    std::deque<std::function<void(Form&)>> modalActions;
    std::vector<std::string> longWork; // titles of the long work run
    bool cancelLongWork = false;       // Cancel is pressed at once

    ScriptedDialogs& answer(MsgResult r) { return answers.push_back(r), *this; }
    ScriptedDialogs& input(std::string text) { return inputs.push_back(std::move(text)), *this; }
    ScriptedDialogs& file(std::string path) { return files.push_back(std::move(path)), *this; }
    ScriptedDialogs& inModal(std::function<void(Form&)> action) {
        return modalActions.push_back(std::move(action)), *this;
    }

    // Only the message and input boxes, in order.
    std::vector<Box> messages() const {
        std::vector<Box> out;
        for (const auto& b : boxes)
            if (b.kind == Box::Message || b.kind == Box::Input) out.push_back(b);
        return out;
    }
    const Box& last() const { return boxes.back(); }
    void clear() { boxes.clear(); }

    MsgResult msgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override {
        return msgBoxDefault(prompt, buttons, icon, title, 0);
    }

    MsgResult msgBoxDefault(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                            const std::string& title, int defaultButton) override {
        boxes.push_back({Box::Message, prompt, title, buttons, icon, {}, {}, true, defaultButton});
        if (!answers.empty()) {
            MsgResult r = answers.front();
            answers.pop_front();
            return r;
        }
        if (buttons != MsgButtons::OK) ADD_FAILURE() << "unscripted question: " << prompt;
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                                  : MsgResult::OK;
    }

    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override {
        record(Box::Input, prompt, title).buttons = MsgButtons::OKCancel;
        boxes.back().defaultText = defaultText;
        if (inputs.empty()) {
            ADD_FAILURE() << "unscripted input box: " << prompt;
            return {};
        }
        std::string r = inputs.front();
        inputs.pop_front();
        return r;
    }

    void showOpen(FileDialog& d) override { fileDialog(Box::Open, d); }
    void showSave(FileDialog& d) override { fileDialog(Box::Save, d); }

    void showForm(Form& form, bool modal) override {
        record(Box::FormShown, form.name(), form.Caption()).modal = modal;
        form.load();
        form.setVisible(true);
        if (!modal) return;
        if (!modalActions.empty()) {
            auto action = std::move(modalActions.front());
            modalActions.pop_front();
            action(form);
        }
        if (form.Loaded()) form.unload();
    }

    bool runLongWork(const std::string& title,
                     const std::function<void(Progress&)>& work) override {
        longWork.push_back(title);
        SharedProgress progress;
        if (cancelLongWork) progress.cancel();
        try {
            work(progress);
        } catch (const WorkCancelled&) {
            return false;
        }
        return true;
    }

  protected:
    Box& record(Box::Kind kind, const std::string& prompt, const std::string& title) {
        Box& b = boxes.emplace_back();
        b.kind = kind, b.prompt = prompt, b.title = title;
        return b;
    }

  private:
    void fileDialog(Box::Kind kind, FileDialog& d) {
        record(kind, {}, d.DialogTitle).dialog = d;
        if (files.empty()) ADD_FAILURE() << "unscripted file dialog: " << d.DialogTitle;
        d.FileName = files.empty() ? std::string() : files.front();
        if (!files.empty()) files.pop_front();
    }
};

// A message or input box: prompt, buttons, icon, title.
using ExpectedBox = std::tuple<std::string, MsgButtons, MsgIcon, std::string>;
using Boxes = std::vector<ExpectedBox>;

inline Boxes boxes(const ScriptedDialogs& dialogs) {
    Boxes out;
    for (const auto& b : dialogs.messages()) out.emplace_back(b.prompt, b.buttons, b.icon, b.title);
    return out;
}

} // namespace velmor::test

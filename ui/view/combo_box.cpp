#include "ui/view/combo_box.h"

#include <algorithm>

#include "engine/runtime_error.h"
#include "engine/text_case.h"

namespace velmor {

ComboBox::ComboBox(Form& form, std::string name, bool editable)
    : Control(form, std::move(name), ControlKind::ComboBox), editable_(editable) {}

void ComboBox::setText(std::string text) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const std::string& item) { return equalNoCase(item, text); });
    int match = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    if (!editable_) {
        if (match >= 0) setListIndex(match);
        return;
    }
    bool changed = storeText(std::move(text));
    if (listIndex_ != match) {
        listIndex_ = match;
        notify(Prop::ListIndex);
    }
    if (!changed) return;
    notify(Prop::Text);
    if (onChange) onChange();
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw RuntimeError(err::InvalidPropertyValue);
    listIndex_ = index;
    bool changed = storeText(index >= 0 ? items_[static_cast<std::size_t>(index)] : text_);
    notify(Prop::ListIndex);
    if (changed) notify(Prop::Text);
    if (index >= 0 && onClick) onClick();
}

const std::string& ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) throw RuntimeError(err::InvalidPropertyValue);
    return items_[static_cast<std::size_t>(index)];
}

void ComboBox::AddItem(std::string item) {
    items_.push_back(std::move(item));
    notify(Prop::Items);
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) throw RuntimeError(err::InvalidArgument);
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
        if (!editable_) storeText({});
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    notify(Prop::Items);
}

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    storeText({});
    notify(Prop::Items);
}

void ComboBox::setSelLength(int length) {
    storeSelection(selStart_, length);
    notify(Prop::Selection);
}

void ComboBox::userPick(int index) {
    if (index < 0 || index >= ListCount()) return;
    setListIndex(index);
}

void ComboBox::editTo(std::string text) {
    bool changed = storeText(std::move(text));
    if (listIndex_ != -1) {
        listIndex_ = -1;
        notify(Prop::ListIndex);
    }
    if (!changed) return;
    notify(Prop::Text);
    if (onChange) onChange();
}

void ComboBox::userChar(int code) {
    code = raiseKeyPress(code);
    if (code == 0 || !editable_) return;
    if (code < 32 && code != 8) return;
    int caret = caretAfterChar(code);
    editTo(applyChar(code));
    storeSelection(caret, 0);
    notify(Prop::Selection);
}

void ComboBox::userPress(int keyCode, int shift) {
    userKeyDown(keyCode, shift);
    if (keyCode == key::Return || keyCode == key::Back) userChar(keyCode);
}

void ComboBox::userType(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        int code = decodeUtf8(text, i);
        userKeyDown(code >= 'a' && code <= 'z' ? code - 32 : code, 0);
        userChar(code);
    }
}

void ComboBox::userEdit(std::string text) {
    if (editable_) editTo(std::move(text));
}

void ComboBox::userSelect(int start, int length) {
    storeSelection(start, length);
}

} // namespace velmor

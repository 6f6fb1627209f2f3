#include "ui/view/text_box.h"

#include <algorithm>

#include "engine/utf8.h"

namespace velmor {

static std::string encodeUtf8(int code) {
    std::string out;
    appendUtf8(static_cast<char32_t>(code), out);
    return out;
}

// Decodes the next UTF-8 code point of `s` at `i`, advancing `i`.
int decodeUtf8(const std::string& s, std::size_t& i) {
    auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    int code = b & (0x3F >> extra);
    for (int k = 0; k < extra && i < s.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return code;
}

bool EditableText::storeText(std::string text) {
    if (text == text_) return false;
    text_ = std::move(text);
    // A new text shows from its start; typing places the caret itself afterwards.
    selStart_ = 0;
    selLength_ = 0;
    return true;
}

void EditableText::storeSelection(int start, int length) {
    int n = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, n);
    selLength_ = std::clamp(length, 0, n - selStart_);
}

std::string EditableText::applyChar(int code) const {
    std::string t = text_;
    auto start = static_cast<std::size_t>(selStart_);
    auto len = static_cast<std::size_t>(selLength_);
    if (code == 8) {
        if (len > 0) return t.erase(start, len);
        if (start == 0) return t;
        std::size_t from = start - 1;
        while (from > 0 && (static_cast<unsigned char>(t[from]) & 0xC0) == 0x80) --from;
        return t.erase(from, start - from);
    }
    return t.replace(start, len, encodeUtf8(code));
}

int EditableText::caretAfterChar(int code) const {
    if (code != 8) return selStart_ + static_cast<int>(encodeUtf8(code).size());
    if (selLength_ > 0 || selStart_ == 0) return selStart_;
    int from = selStart_ - 1;
    while (from > 0 && (static_cast<unsigned char>(text_[from]) & 0xC0) == 0x80) --from;
    return from;
}

TextBox::TextBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::TextBox) {}

void TextBox::setText(std::string text) {
    if (!storeText(std::move(text))) return;
    notify(Prop::Text);
    if (onChange) onChange();
}

void TextBox::setSelStart(int start) {
    storeSelection(start, 0);
    notify(Prop::Selection);
}

void TextBox::setSelLength(int length) {
    storeSelection(selStart_, length);
    notify(Prop::Selection);
}

void TextBox::setFont(std::string name, double size) {
    fontName_ = std::move(name);
    fontSize_ = size;
    notify(Prop::Font);
}

void TextBox::userChar(int code) {
    code = raiseKeyPress(code);
    if (code == 0 || locked_) return;
    if (code == 13) {
        if (!multiLine_) return;
        code = '\n';
    } else if (code < 32 && code != 8) {
        return;
    }
    int caret = caretAfterChar(code);
    setText(applyChar(code));
    storeSelection(caret, 0);
    notify(Prop::Selection);
}

void TextBox::userPress(int keyCode, int shift) {
    userKeyDown(keyCode, shift);
    if (keyCode == key::Return || keyCode == key::Back) userChar(keyCode);
}

void TextBox::userType(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        int code = decodeUtf8(text, i);
        int keyCode = code >= 'a' && code <= 'z' ? code - 32 : code;
        userKeyDown(keyCode, 0);
        userChar(code);
    }
}

void TextBox::userEdit(std::string text) {
    if (locked_) return;
    setText(std::move(text));
}

void TextBox::userSelect(int start, int length) {
    storeSelection(start, length);
}

} // namespace velmor

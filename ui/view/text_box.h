#pragma once

#include "ui/view/control.h"

namespace velmor {

// Decodes the UTF-8 code point of `s` at `i` and advances `i` past it.
int decodeUtf8(const std::string& s, std::size_t& i);

// Text editing shared by the text box and the editable combo box: the text, the selection
// (in bytes of the UTF-8 text) and the typing model (KeyPress may swallow or replace a
// character; Backspace deletes; other characters replace the selection).
class EditableText {
  public:
    virtual ~EditableText() = default;
    const std::string& Text() const { return text_; }
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }

  protected:
    // Stores the text; true when it changed. The caret moves to the start of a new text.
    bool storeText(std::string text);
    void storeSelection(int start, int length);
    // Applies one typed character code (8 is Backspace) to text and selection.
    std::string applyChar(int code) const;
    int caretAfterChar(int code) const;

    std::string text_;
    int selStart_ = 0, selLength_ = 0;
};

// Text box alignments.
inline constexpr int kTextLeft = 0, kTextRight = 1, kTextCenter = 2;

class TextBox : public Control, public EditableText {
  public:
    TextBox(Form& form, std::string name);

    // Assigning a different text raises Change before returning.
    void setText(std::string text);
    void setSelStart(int start);
    void setSelLength(int length);
    bool Locked() const { return locked_; }
    void setLocked(bool locked) { locked_ = locked; }
    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool multiLine) { multiLine_ = multiLine; }
    // Design-time, like MultiLine: set before the box is first shown.
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment) { alignment_ = alignment; }
    const std::string& FontName() const { return fontName_; }
    double FontSize() const { return fontSize_; }
    void setFont(std::string name, double size);

    std::function<void()> onChange;

    // User actions: a typed character (KeyDown is raised separately by userKeyDown), a
    // typed text (each character with KeyDown and KeyPress), an edit that replaces the
    // whole text (paste, cut, undo), and the selection the user made.
    void userChar(int code);
    void userType(const std::string& text);
    void userPress(int keyCode, int shift = 0);
    void userEdit(std::string text);
    void userSelect(int start, int length);

  private:
    bool locked_ = false, multiLine_ = false;
    int alignment_ = kTextLeft;
    std::string fontName_;
    double fontSize_ = 0;
};

} // namespace velmor

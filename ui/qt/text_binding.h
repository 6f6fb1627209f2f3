#pragma once

#include "ui/qt/control_binding.h"

class QLineEdit;
class QPlainTextEdit;

namespace velmor {

class TextBox;

// A QLineEdit (QPlainTextEdit for a multi-line box; read-only when Locked). Typed characters
// go to the text box, which applies them itself; edits Qt makes (paste, cut, Delete, undo)
// are reported as a whole new text. The caret is kept in step in UTF-8 byte offsets.
class TextBinding : public ControlBinding {
  public:
    TextBinding(FormWindow& window, TextBox& box, QWidget* parent);
    void syncAll() override;
    bool keyPress(QKeyEvent& event) override;

  protected:
    void sync(Prop prop) override;

  private:
    TextBox* box() const;
    QString text() const;
    void reportEdit();
    void reportSelection();
    void showText();
    void showSelection();

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
};

} // namespace velmor

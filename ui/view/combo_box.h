#pragma once

#include <vector>

#include "ui/view/text_box.h"

namespace velmor {

// A combo box with an editable text portion (editable) or a drop-down list only.
// Assigning ListIndex raises Click; assigning Text of the editable box raises Change when the
// text changes; clearing, adding and removing items raise nothing.
class ComboBox : public Control, public EditableText {
  public:
    ComboBox(Form& form, std::string name, bool editable);

    bool editable() const { return editable_; }

    // Editable: stores the text (Change when different); ListIndex becomes the item that
    // matches without regard to case, or -1. List only: selects the matching item (Click);
    // a text that is in no item changes nothing.
    void setText(std::string text);
    int ListIndex() const { return listIndex_; }
    // -1 deselects; an index outside the items raises run-time error 380.
    void setListIndex(int index);
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int index) const;
    const std::vector<std::string>& items() const { return items_; }
    void AddItem(std::string item);
    // Keeps the selected item selected (its index moves down when an earlier item goes).
    void RemoveItem(int index);
    void Clear();
    void setSelLength(int length);

    std::function<void()> onChange;
    std::function<void()> onClick;

    // User actions: picking an item from the list; typing or editing the text portion
    // (ListIndex becomes -1).
    void userPick(int index);
    void userChar(int code);
    void userType(const std::string& text);
    void userPress(int keyCode, int shift = 0);
    void userEdit(std::string text);
    void userSelect(int start, int length);

  private:
    void editTo(std::string text);

    bool editable_;
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

} // namespace velmor

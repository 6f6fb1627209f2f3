#pragma once

#include <string>
#include <vector>

#include "ui/qt/control_binding.h"

class QComboBox;

namespace velmor {

class ComboBox;

// A QComboBox, editable or list only. Picking an item (list, arrow keys, typed initial)
// reports a pick; characters typed into the text portion go to the combo box, which applies
// them itself; other edits are reported as a whole new text.
class ComboBinding : public ControlBinding {
  public:
    ComboBinding(FormWindow& window, ComboBox& combo, QWidget* parent);
    void syncAll() override;
    bool keyPress(QKeyEvent& event) override;

  protected:
    void sync(Prop prop) override;

  private:
    ComboBox* combo() const;
    void show();
    void showToolTip();
    void reportSelection();

    QComboBox* box_;
    std::vector<std::string> items_; // the items the widget shows
};

} // namespace velmor

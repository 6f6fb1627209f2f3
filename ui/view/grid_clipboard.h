#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/view/clipboard_text.h"
#include "ui/view/menu_item.h"

namespace velmor {

class Grid;
class PlatformServices;

// What Copy takes from a grid: the selected block, or every data cell when no more than
// one cell is selected. Empty when the grid has no data cells.
TextBlock copiedBlock(const Grid& grid);

// Puts a grid's block on the clipboard in `format`; the tab-separated text goes with an
// HTML table. False when there was nothing to copy.
bool copyGrid(const Grid& grid, CopyFormat format, PlatformServices& platform,
              std::string_view decimalSeparator);

// The "Copy As" submenu: one item per format, each raising onCopy with its format.
class CopyAsMenu {
  public:
    explicit CopyAsMenu(const std::string& name);
    CopyAsMenu(const CopyAsMenu&) = delete;
    CopyAsMenu& operator=(const CopyAsMenu&) = delete;

    MenuItem menu;
    std::function<void(CopyFormat)> onCopy;
    MenuItem& item(CopyFormat format);

  private:
    std::vector<std::pair<CopyFormat, std::unique_ptr<MenuItem>>> items_;
};

} // namespace velmor

#include "ui/view/grid_clipboard.h"

#include "ui/view/grid.h"
#include "ui/view/platform_services.h"

namespace velmor {

TextBlock copiedBlock(const Grid& grid) {
    if (grid.Rows() < 2 || grid.Cols() < 2) return {};
    CellRange range = grid.Selection();
    if (range.single()) range = {1, 1, grid.Rows() - 1, grid.Cols() - 1};
    TextBlock block;
    block.reserve(static_cast<std::size_t>(range.bottom - range.top + 1));
    for (int r = range.top; r <= range.bottom; ++r) {
        block.emplace_back();
        for (int c = range.left; c <= range.right; ++c)
            block.back().push_back(grid.TextMatrix(r, c));
    }
    return block;
}

bool copyGrid(const Grid& grid, CopyFormat format, PlatformServices& platform,
              std::string_view decimalSeparator) {
    TextBlock block = copiedBlock(grid);
    if (block.empty()) return false;
    platform.setClipboard(formatBlock(block, format, decimalSeparator),
                          format == CopyFormat::Tabs ? htmlTable(block) : std::string());
    return true;
}

CopyAsMenu::CopyAsMenu(const std::string& name) : menu(name, "Copy &As") {
    const struct {
        CopyFormat format;
        const char *suffix, *caption;
    } entries[] = {
        {CopyFormat::Csv, "Csv", "&CSV"},
        {CopyFormat::Latex, "Latex", "&LaTeX"},
        {CopyFormat::Markdown, "Markdown", "&Markdown table"},
        {CopyFormat::Matlab, "Matlab", "MATLAB/&Octave"},
        {CopyFormat::Python, "Python", "&Python/NumPy"},
        {CopyFormat::Mathematica, "Mathematica", "Mat&hematica"},
    };
    for (const auto& e : entries) {
        auto item = std::make_unique<MenuItem>(name + e.suffix, e.caption);
        item->onClick = [this, format = e.format] {
            if (onCopy) onCopy(format);
        };
        menu.add(*item);
        items_.emplace_back(e.format, std::move(item));
    }
}

MenuItem& CopyAsMenu::item(CopyFormat format) {
    for (auto& [f, item] : items_)
        if (f == format) return *item;
    return menu;
}

} // namespace velmor

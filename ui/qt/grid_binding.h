#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <QTimer>

#include "ui/qt/control_binding.h"

class QMenu;
class QTableView;

namespace velmor {

class Grid;
class GridModel;
class MenuItem;

// A QTableView over the grid's cell store. Cell, shape, width and current-cell changes only
// mark the view stale; one refresh from a zero timer (or before the next user action on the
// grid) brings it up to date, so filling a large grid cell by cell costs no view work.
// Column widths are rounded edge by edge from the grid's own twips position, so a widget
// placed over a cell from CellLeft/CellTop/CellWidth/CellHeight covers it exactly.
// A block is selected by Shift+arrows, Shift+click, a drag, a heading or Ctrl+A; a single
// cell is never highlighted. Copy and paste are the grid's context menu's, never the view's
// own one-cell copy.
class GridBinding : public ControlBinding {
  public:
    GridBinding(FormWindow& window, Grid& grid, QWidget* parent);
    ~GridBinding() override;
    void syncAll() override;
    bool keyPress(QKeyEvent& event) override;
    void flush() override;

    QTableView* view() const { return view_; }
    GridModel* model() const { return model_; }
    // Number of refreshes so far.
    int refreshCount() const { return refreshCount_; }

  protected:
    void sync(Prop prop) override;

  private:
    Grid* grid() const;
    void markStale(bool widths);
    void refresh();
    void applyWidths(bool reset);
    void showCurrentCell();
    void reportScroll();
    void fitColumn(int section);
    void reportSelection();
    void applySelection();
    void buildContextMenu(MenuItem& root);
    void addContextItems(QMenu* menu, MenuItem& parent);

    QTableView* view_;
    GridModel* model_;
    QTimer timer_;
    bool widthsStale_ = true;
    bool suppressClick_ = false;
    bool scrollStale_ = false;
    int wantTop_ = 1, wantLeft_ = 1; // scroll position asked for by code
    std::uint64_t revision_ = 0;
    std::vector<int> widths_; // section sizes the view has
    QMenu* contextMenu_ = nullptr;
    std::vector<std::pair<MenuItem*, QAction*>> contextActions_; // made here, not the menu bar's
    int refreshCount_ = 0;
};

} // namespace velmor

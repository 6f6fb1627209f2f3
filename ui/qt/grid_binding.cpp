#include "ui/qt/grid_binding.h"

#include <algorithm>
#include <climits>
#include <map>

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScreen>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>

#include "ui/qt/form_window.h"
#include "ui/qt/grid_delegate.h"
#include "ui/qt/grid_model.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/grid.h"
#include "ui/view/menu_item.h"

namespace velmor {

namespace {
constexpr int kRowPx = Grid::kRowHeight / 15; // rows are 240 twips, 16 pixels

// The grid cells spanned by a selection of the view, or `none` when it is empty.
CellRange selectedBlock(const QItemSelection& selection, CellRange none) {
    if (selection.isEmpty()) return none;
    CellRange out{INT_MAX, INT_MAX, 0, 0};
    for (const QItemSelectionRange& r : selection)
        out = {std::min(out.top, r.top() + 1), std::min(out.left, r.left() + 1),
               std::max(out.bottom, r.bottom() + 1), std::max(out.right, r.right() + 1)};
    return out;
}
} // namespace

GridBinding::GridBinding(FormWindow& window, Grid& grid, QWidget* parent)
    : ControlBinding(window, grid, new QTableView(parent)),
      view_(static_cast<QTableView*>(widget())), model_(new GridModel(grid, this)) {
    view_->setModel(model_);
    QPalette palette = view_->palette();
    model_->setCellBackground(palette.color(QPalette::Base));
    const QColor empty = palette.color(QPalette::Dark);
    palette.setColor(QPalette::Base, empty);
    view_->setPalette(palette);
    // The headers' empty ends take the colour of the empty area beside them.
    for (QHeaderView* h : {view_->horizontalHeader(), view_->verticalHeader()}) {
        QPalette p = h->palette();
        p.setColor(QPalette::Window, empty);
        p.setColor(QPalette::Base, empty);
        h->setPalette(p);
    }
    view_->setFrameShape(QFrame::NoFrame);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The current cell shows as the focus frame; only a block is highlighted.
    view_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setTabKeyNavigation(false);
    view_->setCornerButtonEnabled(true);
    view_->setWordWrap(false);
    view_->setTextElideMode(Qt::ElideNone);
    view_->setItemDelegate(new GridDelegate(view_));
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    for (QHeaderView* h : {view_->horizontalHeader(), view_->verticalHeader()}) {
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setMinimumSectionSize(0);
        // A heading selects its row or column, and brings the focus to the grid with it.
        h->setSectionsClickable(true);
        connect(h, &QHeaderView::sectionPressed, this,
                [this] { view_->setFocus(Qt::MouseFocusReason); });
        h->setHighlightSections(false);
        h->setDefaultAlignment(Qt::AlignCenter);
    }
    view_->verticalHeader()->setDefaultSectionSize(kRowPx);
    // Data columns take the width the user drags or double-clicks their heading's border to.
    QHeaderView* columns = view_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    // The view's own fit measures only some rows and knows nothing of shortened numbers.
    QObject::disconnect(columns, SIGNAL(sectionHandleDoubleClicked(int)), view_,
                        SLOT(resizeColumnToContents(int)));
    connect(columns, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int section) { fitColumn(section); });
    connect(columns, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        Grid* g = this->grid();
        if (!g || this->window().mirroring() || section >= int(widths_.size())) return;
        widths_[std::size_t(section)] = size;
        g->userColWidth(section + 1, int(pxToTwips(size)));
    });
    view_->horizontalHeader()->setFixedHeight(kRowPx);
    tabPolicy_ = view_->focusPolicy();

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
    connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        this->window().guard([&] {
            Grid* g = this->grid();
            // Shift and Ctrl with a click extend the selection; they are no click on a cell.
            if (!g || suppressClick_ ||
                (QGuiApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
                return;
            reportScroll();
            g->userClick(index.row() + 1, index.column() + 1);
        });
    });
    connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        this->window().guard([&] {
            Grid* g = this->grid();
            if (!g) return;
            // The release that ends a double click is no click of its own.
            suppressClick_ = true;
            reportScroll();
            g->userDblClick(index.row() + 1, index.column() + 1);
        });
    });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                this->window().guard([&] {
                    Grid* g = this->grid();
                    if (!g || this->window().mirroring() || !current.isValid()) return;
                    g->userCurrentCell(current.row() + 1, current.column() + 1);
                });
            });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { this->window().guard([this] { reportSelection(); }); });
    if (MenuItem* menu = grid.contextMenu()) buildContextMenu(*menu);
    for (QScrollBar* bar : {view_->verticalScrollBar(), view_->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { this->window().guard([this] { reportScroll(); }); });
}

GridBinding::~GridBinding() = default;

Grid* GridBinding::grid() const {
    return static_cast<Grid*>(control());
}

void GridBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    sync(Prop::Font);
    refresh();
}

void GridBinding::sync(Prop prop) {
    Grid* g = grid();
    if (!g) return;
    switch (prop) {
    case Prop::Cells:
    case Prop::Shape:
    case Prop::CurrentCell:
    case Prop::Selection:
        markStale(false);
        break;
    case Prop::ColWidth:
        markStale(true);
        break;
    case Prop::Scroll:
        // Kept apart from TopRow/LeftCol: showing the current cell may scroll the view (and
        // so the grid) before the refresh applies this.
        wantTop_ = g->TopRow();
        wantLeft_ = g->LeftCol();
        scrollStale_ = true;
        markStale(false);
        break;
    case Prop::Geometry:
        ControlBinding::sync(prop);
        markStale(true); // the pixel edges depend on where the grid stands
        break;
    case Prop::Font: {
        QFont font(toQt(g->FontName()));
        if (g->FontSize() > 0) font.setPointSizeF(g->FontSize());
        view_->setFont(font);
        view_->horizontalHeader()->setFont(font);
        view_->verticalHeader()->setFont(font);
        break;
    }
    default:
        ControlBinding::sync(prop);
    }
}

void GridBinding::markStale(bool widths) {
    widthsStale_ = widthsStale_ || widths;
    if (!timer_.isActive()) timer_.start(0);
}

void GridBinding::flush() {
    if (timer_.isActive()) refresh();
    suppressClick_ = false;
}

void GridBinding::refresh() {
    timer_.stop();
    Grid* g = grid();
    if (!g) return;
    FormWindow::Mirror mirror(window());
    ++refreshCount_;
    bool reset = false;
    if (g->revision() != revision_ || model_->rowCount() != g->Rows() - 1 ||
        model_->columnCount() != g->Cols() - 1) {
        revision_ = g->revision();
        reset = model_->refresh();
    }
    if (reset || widthsStale_) applyWidths(reset);
    widthsStale_ = false;
    showCurrentCell();
    if (scrollStale_) {
        scrollStale_ = false;
        view_->verticalScrollBar()->setValue(wantTop_ - 1);
        view_->horizontalScrollBar()->setValue(wantLeft_ - 1);
        reportScroll();
    }
    applySelection();
}

void GridBinding::applyWidths(bool reset) {
    Grid* g = grid();
    // Edges rounded from the form's twips, as the controls placed over cells are.
    const double left = g->Left();
    auto edge = [&](double offset) { return twipsToPx(left + offset) - twipsToPx(left); };
    double x = g->ColWidth(0);
    view_->verticalHeader()->setFixedWidth(edge(x));
    std::vector<int> sizes;
    sizes.reserve(static_cast<std::size_t>(std::max(0, g->Cols() - 1)));
    int previous = edge(x);
    for (int c = 1; c < g->Cols(); ++c) {
        x += g->ColWidth(c);
        int e = edge(x);
        sizes.push_back(e - previous);
        previous = e;
    }
    QHeaderView* header = view_->horizontalHeader();
    if (reset || widths_.size() != sizes.size()) {
        // A reset gives every section the default size: make that the most common width.
        std::map<int, int> counts;
        for (int s : sizes) ++counts[s];
        int common = header->defaultSectionSize();
        int best = 0;
        for (auto [size, n] : counts)
            if (n > best) best = n, common = size;
        header->setDefaultSectionSize(common);
        widths_.assign(sizes.size(), common);
    }
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (widths_[i] != sizes[i]) {
            header->resizeSection(static_cast<int>(i), sizes[i]);
            widths_[i] = sizes[i];
        }
}

void GridBinding::showCurrentCell() {
    Grid* g = grid();
    int r = g->Row() - 1, c = g->Col() - 1;
    if (r < 0 || c < 0 || r >= model_->rowCount() || c >= model_->columnCount()) return;
    QModelIndex index = model_->index(r, c);
    // Through the view, so that Shift+arrows extend from the cell code moved to.
    if (view_->currentIndex() == index) return;
    // A hidden view would scroll to its current cell once shown, over the position the grid
    // asks for (a result window is filled before it is shown).
    const bool hidden = !view_->isVisible();
    if (hidden) view_->setAutoScroll(false);
    view_->setCurrentIndex(index);
    if (hidden) view_->setAutoScroll(true);
}

void GridBinding::reportSelection() {
    Grid* g = grid();
    if (!g || window().mirroring()) return;
    QItemSelectionModel* model = view_->selectionModel();
    CellRange range = selectedBlock(model->selection(), {g->Row(), g->Col(), g->Row(), g->Col()});
    g->userSelect(range);
    if (range.single() && model->hasSelection()) {
        FormWindow::Mirror mirror(window());
        model->clearSelection();
    }
}

void GridBinding::applySelection() {
    CellRange want = grid()->Selection();
    QItemSelectionModel* model = view_->selectionModel();
    if (want.single()) {
        if (model->hasSelection()) model->clearSelection();
        return;
    }
    if (want.bottom > model_->rowCount() || want.right > model_->columnCount()) return;
    // Compared by its corners: a drag under way keeps the ranges Qt builds it from.
    if (model->hasSelection() && selectedBlock(model->selection(), {}) == want) return;
    model->select(QItemSelection(model_->index(want.top - 1, want.left - 1),
                                 model_->index(want.bottom - 1, want.right - 1)),
                  QItemSelectionModel::ClearAndSelect);
}

void GridBinding::buildContextMenu(MenuItem& root) {
    contextMenu_ = new QMenu(view_);
    addContextItems(contextMenu_, root);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!grid() || !window().guard([this] { flush(); })) return;
        for (auto& [item, action] : contextActions_) action->setEnabled(item->Enabled());
        contextMenu_->exec(view_->viewport()->mapToGlobal(pos));
    });
}

void GridBinding::addContextItems(QMenu* menu, MenuItem& parent) {
    for (MenuItem* item : parent.children()) {
        if (!item->children().empty()) {
            addContextItems(menu->addMenu(toQt(item->Caption())), *item);
            continue;
        }
        // The menu bar's own action where the window has one, so a key has one action.
        QAction* action = window().actionFor(*item);
        if (!action) {
            action = new QAction(toQt(item->Caption()), view_);
            if (!item->Shortcut().empty()) {
                action->setShortcut(QKeySequence(toQt(item->Shortcut())));
                action->setShortcutContext(Qt::WidgetShortcut);
                view_->addAction(action);
            }
            connect(action, &QAction::triggered, this, [this, item] {
                window().guard([&] {
                    if (grid()) item->userClick();
                });
            });
            contextActions_.emplace_back(item, action);
        }
        menu->addAction(action);
    }
}

void GridBinding::reportScroll() {
    if (Grid* g = grid())
        g->userScrolled(view_->verticalScrollBar()->value() + 1,
                        view_->horizontalScrollBar()->value() + 1);
}

void GridBinding::fitColumn(int section) {
    Grid* g = grid();
    if (!g) return;
    flush();
    const QFontMetrics metrics(view_->font());
    const int margins = cellTextPadding(view_);
    int widest = g->widestText(section + 1, [&](const std::string& text) {
        return int(pxToTwips(metrics.horizontalAdvance(toQt(text)) + margins));
    });
    // At most a third of the screen, so one long text does not push the others away.
    if (QScreen* screen = view_->screen())
        widest = std::min(widest, int(pxToTwips(screen->availableGeometry().width() / 3)));
    if (widest > 0) g->userColWidth(section + 1, widest);
}

bool GridBinding::keyPress(QKeyEvent& event) {
    Grid* g = grid();
    if (!g) return false;
    // The view would copy the current cell alone; the grid's menu copies a block.
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Paste) ||
        event.matches(QKeySequence::Cut)) {
        g->userKeyDown(virtualKeyCode(event), shiftState(event.modifiers()));
        return true;
    }
    return typeKey(
        event, [] {},
        [this](int code) {
            if (Grid* target = grid()) target->userChar(code);
        },
        false);
}

} // namespace velmor

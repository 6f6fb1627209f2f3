#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTest>

#include "engine/number_format.h"
#include "tests/qt/qt_fixture.h"
#include "tests/qt/scripted_qt_dialogs.h"
#include "tests/support/temp_dir.h"
#include "ui/main/frm_velmor.h"
#include "ui/output/frm_matrix_output.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_platform_services.h"

namespace velmor::test {

using Cells = std::vector<std::vector<std::string>>;

// The real platform services, except that ending the program is only counted: a test
// program must keep its event loop.
class RecordingQtPlatform : public QtPlatformServices {
  public:
    int quits = 0;
    void quit() override { ++quits; }
};

// The program as a user starts it: the repository's velmor.ini and exercises/ copied into a
// fresh folder that is made the current directory, the main window controller over real Qt
// windows (QtShell), boxes and file dialogs answered by the script. Everything the tests do
// goes through key and mouse events on the real widgets.
class RealMainWindow : public QtFixture {
  protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        const fs::path source(VELMOR_SOURCE_DIR);
        fs::copy_file(source / "velmor.ini", fs::path(dir.path()) / "velmor.ini");
        fs::copy(source / "exercises", fs::path(dir.path()) / "exercises");
        previousDir_ = fs::current_path();
        fs::current_path(dir.path());

        frm = std::make_unique<FrmVelmor>(dialogs, platform, format);
        ASSERT_TRUE(frm->Form_Load());
        dialogs.showForm(frm->form, false);
        main = &dialogs.windowOf(frm->form);
        activate(main->window());
        settle();
        dialogs.clear();
    }
    void TearDown() override {
        frm.reset();
        settle();
        if (!previousDir_.empty()) std::filesystem::current_path(previousDir_);
    }

    // Widgets of the main window.
    QWidget* w(const Control& c) const { return main->widgetFor(c); }
    template <class W> W* as(const Control& c) const { return qobject_cast<W*>(w(c)); }
    QString text(const Control& c) const {
        if (auto* e = as<QLineEdit>(c)) return e->text();
        if (auto* b = as<QComboBox>(c)) return b->currentText();
        if (auto* l = as<QLabel>(c)) return l->text();
        return {};
    }

    // The widget a real keyboard would type into. A window that a closing dialog hands the
    // activation back to gets it through the platform's queue: wait for it, as a user would.
    static QWidget* focused() {
        auto hasFocus = [] { return QApplication::focusWidget() != nullptr; };
        if (!hasFocus() && !QTest::qWaitFor(hasFocus, 2000))
            throw std::logic_error("no widget has the keyboard focus");
        return QApplication::focusWidget();
    }
    // A dialog counts as active for QWindow as soon as its parent is: wait for the
    // application's own active window instead.
    static void waitActive(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
            << window->objectName().toStdString();
    }
    // Types character by character, each into the widget that has the focus by then.
    static void type(const std::string& keys) {
        for (char ch : keys) QTest::keyClick(focused(), ch);
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(focused(), key, mods);
    }
    static void click(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->isVisible() && widget->isEnabled())
            << widget->objectName().toStdString();
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    void click(const Control& c) const { click(w(c)); }

    // Clicks `button` and runs `inside` in the modal window it opens, as the user would act
    // there; false, with a failure, when no modal window came up.
    bool clickModal(const Control& button, const std::function<void(Form&)>& inside) {
        bool shown = false;
        dialogs.inModal([&](Form& f) { shown = true, inside(f); });
        click(button);
        settle();
        EXPECT_TRUE(shown) << "no modal window after " << button.name();
        return shown;
    }

    // Widgets of the result window while it is up.
    FrmMatrixOutput& output() const { return *frm->frmMatrixOutput; }
    QWidget* out(const Control& c) { return dialogs.windowOf(output().form).widgetFor(c); }
    QString outText(const Control& c) { return qobject_cast<QLineEdit*>(out(c))->text(); }
    QTableView* outGrid() { return qobject_cast<QTableView*>(out(output().MSFlexGrid1)); }

    // Input, name, Enter, rows, Enter, columns, Enter, description, Enter, every cell
    // followed by Enter, Save: the user's normal path through an entry.
    void keyMatrix(const std::string& name, int rows, int cols, const std::string& description,
                   const std::vector<std::string>& cells) {
        click(frm->cmdInput);
        type(name);
        press(Qt::Key_Return);
        type(std::to_string(rows));
        press(Qt::Key_Return);
        type(std::to_string(cols));
        press(Qt::Key_Return);
        type(description);
        press(Qt::Key_Return);
        for (const auto& cell : cells) {
            type(cell);
            press(Qt::Key_Return);
        }
        click(frm->cmdSave);
    }

    // Picks an item of a selector by keyboard: focus it by a click, then arrow keys.
    void pick(const Control& selector, int index) {
        auto* box = as<QComboBox>(selector);
        ASSERT_NE(box, nullptr);
        click(box->isEditable() ? static_cast<QWidget*>(box->lineEdit()) : box);
        // A list-only box opens its list on a click: close it again with Esc.
        if (!box->isEditable()) QTest::keyClick(box->view(), Qt::Key_Escape);
        ASSERT_GE(box->count(), index + 1);
        int steps = index - box->currentIndex();
        // From no selection the first Down lands on item 0.
        if (box->currentIndex() < 0) steps = index + 1;
        for (int i = 0; i < steps; ++i) QTest::keyClick(box, Qt::Key_Down);
        for (int i = 0; i > steps; --i) QTest::keyClick(box, Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), index);
    }

    // Data cells of a real grid view, row by row, as its model shows them once the view
    // has taken in the grid's latest changes.
    static Cells cells(QTableView* view) {
        settle();
        Cells out;
        QAbstractItemModel* m = view->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            out.emplace_back();
            for (int c = 0; c < m->columnCount(); ++c)
                out.back().push_back(
                    m->data(m->index(r, c), Qt::DisplayRole).toString().toStdString());
        }
        return out;
    }
    // Column headings, then row headings, as the view's headers show them.
    static QStringList headings(QTableView* view, Qt::Orientation o) {
        QAbstractItemModel* m = view->model();
        QStringList out;
        const int n = o == Qt::Horizontal ? m->columnCount() : m->rowCount();
        for (int i = 0; i < n; ++i) out << m->headerData(i, o, Qt::DisplayRole).toString();
        return out;
    }
    static QStringList items(QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    }
    QTableView* topGrid() const { return as<QTableView>(frm->MSFlexGrid1); }
    QTableView* bottomGrid() const { return as<QTableView>(frm->MSFlexGrid2); }

    TempDir dir;
    ScriptedQtDialogs dialogs;
    RecordingQtPlatform platform;
    NumberFormat format{"."};
    std::unique_ptr<FrmVelmor> frm;
    FormWindow* main = nullptr;

  private:
    std::filesystem::path previousDir_;
};

} // namespace velmor::test

#include "ui/output/frm_matrix_output.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <string_view>
#include <unordered_map>

#include "engine/runtime_error.h"
#include "ui/adapters/engine_adapter.h"
#include "ui/adapters/error_prompt.h"
#include "ui/adapters/matrix_list.h"
#include "ui/view/combo_box.h"
#include "ui/view/platform_services.h"

namespace velmor {

namespace {

// The design size, which is the smallest the window keeps, and the grid's size in it.
constexpr double kMinWidth = 7005, kMinHeight = 5970;
constexpr double kGridWidth = 5295, kGridHeight = 2535;
// Room a vertical scroll bar takes from the grid.
constexpr double kScrollBarWidth = 255;

// A text read as a 32-bit whole number the way the precision box needs it: any decimal
// number, rounded half to even; beyond 32 bits is an overflow.
std::int32_t toInt32(const NumberFormat& format, const std::string& text) {
    double x = std::nearbyint(format.toNumber(std::string_view(text)));
    if (!(x >= std::numeric_limits<std::int32_t>::min() &&
          x <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError(err::Overflow);
    return static_cast<std::int32_t>(x);
}

} // namespace

FrmMatrixOutput::FrmMatrixOutput(MainWindowLink& main, DialogService& dialogs,
                                 const NumberFormat& format)
    : form("frmMatrixOutput", "Output Matrix"), lblMatrix(form, "lblMatrix", "Matrix"),
      txtMatrixResult(form, "txtMatrixResult"), lblPrecision(form, "lblPrecision", "Precision"),
      txtPrecision(form, "txtPrecision"), chkFractions(form, "chkFractions", "&Fractions"),
      lblDescription(form, "lblDescription", "Description"), txtDescription(form, "txtDescription"),
      MSFlexGrid1(form, "MSFlexGrid1"), lblMinimum(form, "lblMinimum", "Minimum"),
      txtMinimum(form, "txtMinimum"), lblMaximum(form, "lblMaximum", "Maximum"),
      txtMaximum(form, "txtMaximum"), lblColWidth(form, "lblColWidth", "Column Width"),
      Slider1(form, "Slider1", 0, 10), cmdSave(form, "cmdSave", "&Save"),
      cmdCancel(form, "cmdCancel", "&Cancel"), mnuGrid("mnuGrid", "Grid"),
      mnuCopy("mnuCopy", "&Copy", "Ctrl+C"), mnuCopyAs("mnuCopyAs"),
      mnuSelectAll("mnuSelectAll", "Select &All", "Ctrl+A"), main_(main), dialogs_(dialogs),
      format_(format) {
    struct Place {
        Control& c;
        double left, top, width, height;
    };
    const Place places[] = {
        {lblMatrix, 1560, 240, 1215, 375},       {txtMatrixResult, 1560, 600, 1215, 315},
        {lblPrecision, 5400, 600, 1215, 495},    {txtPrecision, 6240, 600, 500, 315},
        {chkFractions, 3960, 600, 1335, 315},    {lblDescription, 1560, 1080, 1215, 495},
        {txtDescription, 2640, 1080, 4095, 315}, {MSFlexGrid1, 1440, 1560, 5295, 2535},
        {lblMinimum, 120, 1920, 1215, 495},      {txtMinimum, 120, 2160, 1215, 315},
        {lblMaximum, 120, 2640, 1215, 495},      {txtMaximum, 120, 2880, 1215, 315},
        {lblColWidth, 2400, 4320, 1215, 375},    {Slider1, 3480, 4200, 1575, 495},
        {cmdSave, 2160, 4920, 1215, 495},        {cmdCancel, 4680, 4920, 1215, 495},
    };
    for (const auto& p : places) p.c.move(p.left, p.top, p.width, p.height);
    // The controls plus a margin, the frame and the title bar; the grid takes what the user
    // adds to that.
    form.setResizable(true);
    form.userResize(kMinWidth, kMinHeight);
    form.setCancelButton(&cmdCancel);

    txtPrecision.setToolTipText("decimal precision");
    txtDescription.setMultiLine(true);
    txtMinimum.setLocked(true);
    txtMaximum.setLocked(true);
    Slider1.setSteps(1, 5);
    chkFractions.setEnabled(false);
    form.setTabOrder({&txtMatrixResult, &txtDescription, &cmdSave, &cmdCancel, &chkFractions,
                      &txtPrecision, &Slider1, &MSFlexGrid1, &txtMinimum, &txtMaximum});

    mnuGrid.add(mnuCopy);
    mnuGrid.add(mnuCopyAs.menu);
    mnuGrid.add(mnuSelectAll);
    MSFlexGrid1.setContextMenu(&mnuGrid);
    mnuCopy.onClick = [this] { mnuCopyAs_Click(CopyFormat::Tabs); };
    mnuCopyAs.onCopy = [this](CopyFormat f) { mnuCopyAs_Click(f); };
    mnuSelectAll.onClick = [this] { MSFlexGrid1.selectAll(); };

    form.onLoad = [this] { Form_Load(); };
    form.onResize = [this] { Form_Resize(); };
    form.onUnload = [this](int& cancel) { Form_Unload(cancel); };
    txtPrecision.onChange = [this] { txtPrecision_Change(); };
    txtPrecision.onKeyPress = [this](int& k) { txtPrecision_KeyPress(k); };
    txtMatrixResult.onGotFocus = [this] { txtMatrixResult_GotFocus(); };
    txtMatrixResult.onKeyDown = [this](int& k, int s) { txtMatrixResult_KeyDown(k, s); };
    txtMatrixResult.onKeyPress = [this](int& k) { txtMatrixResult_KeyPress(k); };
    txtDescription.onKeyDown = [this](int& k, int s) { txtDescription_KeyDown(k, s); };
    // Enter leaves the description for Save; in a multi-line box its character would
    // otherwise land in the description and split the entry's line in a data file.
    txtDescription.onKeyPress = [](int& k) {
        if (k == key::Return) k = 0;
    };
    Slider1.onChange = [this] { Slider1_Change(); };
    Slider1.onScroll = [this] { Slider1_Change(); };
    cmdSave.onClick = [this] { cmdSave_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    chkFractions.onClick = [this] { chkFractions_Click(); };
}

FrmMatrixOutput::~FrmMatrixOutput() {
    // The grid view reads its cells until the window is gone.
    form.releaseWindow();
}

void FrmMatrixOutput::Form_Load() {
    MSFlexGrid1.setColWidth(0, 550);
    mobjMain = &main_;
    mobjMain->engine().FlexGrid = &MSFlexGrid1;
}

void FrmMatrixOutput::Form_Resize() {
    if (form.Width() < kMinWidth || form.Height() < kMinHeight) {
        // Back to the design size; each assignment raises a resize of its own.
        if (form.Width() < kMinWidth) form.setWidth(kMinWidth);
        if (form.Height() < kMinHeight) form.setHeight(kMinHeight);
        return;
    }
    const double wider = form.Width() - kMinWidth, taller = form.Height() - kMinHeight;
    MSFlexGrid1.setWidth(kGridWidth + wider);
    MSFlexGrid1.setHeight(kGridHeight + taller);
    // What stands below the grid moves down with its bottom edge.
    const std::pair<Control*, double> below[] = {
        {&lblColWidth, 4320}, {&Slider1, 4200}, {&cmdSave, 4920}, {&cmdCancel, 4920}};
    for (auto [control, top] : below) control->setTop(top + taller);
}

void FrmMatrixOutput::FitColumns() {
    PlatformServices& platform = main_.platformServices();
    const int cap = platform.screenWidth() / 3;
    const int least = main_.state().gintStdColWidth;
    double needed = MSFlexGrid1.ColWidth(0);
    // The columns of a large result share most shapes of number (and the digit runs that
    // find the widest digit): each text is measured once for all of them.
    std::unordered_map<std::string, int> measured;
    for (int c = 1; c < MSFlexGrid1.Cols(); ++c) {
        int widest = MSFlexGrid1.widestText(c, [&](const std::string& text) {
            auto [at, fresh] = measured.try_emplace(text, 0);
            if (fresh)
                at->second =
                    platform.cellTextWidth(text, MSFlexGrid1.FontName(), MSFlexGrid1.FontSize());
            return at->second;
        });
        MSFlexGrid1.setColWidth(c, std::clamp(widest, least, std::max(least, cap)));
        needed += MSFlexGrid1.ColWidth(c);
    }
    if (double(MSFlexGrid1.Rows()) * Grid::kRowHeight > MSFlexGrid1.Height())
        needed += kScrollBarWidth;
    const double width =
        std::min(form.Width() + needed - MSFlexGrid1.Width(), double(platform.screenWidth()));
    if (width > form.Width()) form.setWidth(width);
}

void FrmMatrixOutput::Form_Unload(int&) {
    mfValuesRead = false;
    mobjMain = nullptr;
}

void FrmMatrixOutput::txtPrecision_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        Slider1.SetFocus();
    } else if (KeyAscii == key::Back) {
        // Backspace edits the box.
    } else if (KeyAscii < '0' || KeyAscii > '9') {
        KeyAscii = 0;
    }
}

void FrmMatrixOutput::txtPrecision_Change() {
    if (txtPrecision.Text().empty()) return;
    MainWindowState& g = main_.state();
    try {
        // Every precision starts again from the texts the result was shown with, never from
        // an earlier rounding of them.
        if (!mfValuesRead) {
            EngineAdapter& engine = main_.engine();
            engine.FlexGrid = &MSFlexGrid1;
            mvarValues = engine.GridToArray();
            mfValuesRead = true;
        }
        // The number format refuses more decimals than it can write (error 5).
        std::int32_t decimals = toInt32(format_, txtPrecision.Text());
        const Array& values = mvarValues.array();
        // The loop moves the current cell over every cell; the user's block stays selected.
        const CellRange selected = MSFlexGrid1.Selection();
        for (int r = 1; r <= g.gintNo_Rows; ++r) {
            mintRow = static_cast<std::int16_t>(r);
            for (int c = 1; c <= g.gintNo_Columns; ++c) {
                mintCol = static_cast<std::int16_t>(c);
                MSFlexGrid1.setRow(r);
                MSFlexGrid1.setCol(c);
                double x = format_.toNumber(values.at(r, c));
                // A zero keeps its cell text whatever the precision.
                if (x != 0) MSFlexGrid1.setText(format_.fixed(x, decimals));
            }
        }
        MSFlexGrid1.scrollHome();
        if (!selected.single()) MSFlexGrid1.setSelection(selected);
        txtMinimum.setText(
            format_.fixed(format_.toNumber(std::string_view(g.gstrMinValue)), decimals));
        txtMaximum.setText(
            format_.fixed(format_.toNumber(std::string_view(g.gstrMaxValue)), decimals));
    } catch (const RuntimeError&) {
        dialogs_.message("Integer numbers only are allowed.");
        txtPrecision.setText("");
        txtPrecision.SetFocus();
    }
}

void FrmMatrixOutput::Slider1_Change() {
    MainWindowState& g = main_.state();
    form.setMousePointer(kPointerHourglass);
    g.gintCellWidth = cellWidthFor(Slider1.Value(), g.gintStdColWidth);
    for (int c = 1; c <= g.gintNo_Columns; ++c) {
        mintCol = static_cast<std::int16_t>(c);
        MSFlexGrid1.setColWidth(c, g.gintCellWidth);
    }
    form.setMousePointer(g.gintCursor);
}

void FrmMatrixOutput::txtMatrixResult_GotFocus() {
    // Typing replaces the proposed name.
    txtMatrixResult.setSelStart(0);
    txtMatrixResult.setSelLength(100);
}

void FrmMatrixOutput::txtMatrixResult_KeyDown(int& KeyCode, int) {
    if (KeyCode == key::Return) txtDescription.SetFocus();
}

void FrmMatrixOutput::txtMatrixResult_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) KeyAscii = 0;
}

void FrmMatrixOutput::txtDescription_KeyDown(int& KeyCode, int) {
    if (KeyCode == key::Return) cmdSave.SetFocus();
}

void FrmMatrixOutput::cmdSave_Click() {
    MainWindowState& g = main_.state();
    try {
        // The list would refuse the name and the window would close with the result: ask for
        // a name instead and keep both.
        if (isBlankName(txtMatrixResult.Text())) {
            dialogs_.msgBox("Enter a name for the matrix.", MsgButtons::OK, MsgIcon::Exclamation,
                            kAppTitle);
            txtMatrixResult.SetFocus();
            return;
        }
        form.setMousePointer(kPointerHourglass);
        EngineAdapter& engine = main_.engine();
        engine.FlexGrid = &MSFlexGrid1;
        mvarValues = engine.GridToArray();

        MatrixList& list = main_.matrices();
        std::int32_t r = list.Add(txtMatrixResult.Text(), mvarValues, txtDescription.Text());
        if (r == MatrixList::kAdded || r == MatrixList::kReplaced) {
            ComboBox& first = main_.firstSelector();
            ComboBox& second = main_.secondSelector();
            first.Clear();
            second.Clear();
            for (int k = 1; k <= list.Count(); ++k) {
                CMatrix* entry = list.Item(k);
                if (!entry) throw RuntimeError(err::ObjectNotSet);
                first.AddItem(entry->Name);
                second.AddItem(entry->Name);
            }
            // Each assignment runs the selector's Click: both main grids show the result,
            // possibly after the main window's unsaved-changes question.
            first.setListIndex(list.Count() - 1);
            second.setListIndex(list.Count() - 1);
        }
        if (r == MatrixList::kSkipped) {
            // Stay open so that the user can give another name or cancel.
            txtMatrixResult.SetFocus();
            form.setMousePointer(g.gintCursor);
            return;
        }
        form.setMousePointer(g.gintCursor);
        form.unload();
        main_.TabStopMatrixOps();
        g.gfMatricesSaved = false;
    } catch (const RuntimeError& e) {
        dialogs_.msgBox(errorPrompt(e), MsgButtons::OK, MsgIcon::Exclamation,
                        "frmMatrixOutput - cmdSave_Click");
        form.setMousePointer(g.gintCursor);
    }
}

void FrmMatrixOutput::mnuCopyAs_Click(CopyFormat format) {
    try {
        copyGrid(MSFlexGrid1, format, main_.services(), format_.decimalSeparator());
    } catch (const std::bad_alloc&) {
        dialogs_.msgBox(errorPrompt(RuntimeError(err::OutOfMemory)), MsgButtons::OK,
                        MsgIcon::Critical, "frmMatrixOutput - mnuCopy_Click");
    }
}

void FrmMatrixOutput::cmdCancel_Click() {
    form.unload();
    main_.Show();
}

void FrmMatrixOutput::setExactSource(exact::Operation op, const Variant& first,
                                     const Variant* second, const std::string& scalar) {
    const std::string why = exact::fractionsUnavailable(first, second, format_);
    // Only operands that can be shown exactly are kept: large ones are not copied.
    if (why.empty())
        exactSource_ =
            ExactSource{op, first, second ? *second : Variant(), second != nullptr, scalar};
    else
        exactSource_.reset();
    chkFractions.setEnabled(why.empty());
    chkFractions.setToolTipText(why.empty() ? "show the result as exact fractions" : why);
}

void FrmMatrixOutput::chkFractions_Click() {
    // Ticking computes; a failure puts the tick back, whose Click then finds nothing shown.
    try {
        if (chkFractions.Value() && !fractionsShown_)
            showFractions();
        else if (!chkFractions.Value() && fractionsShown_)
            showDecimals();
    } catch (const RuntimeError& e) {
        fractionFailed(e.number());
    }
}

void FrmMatrixOutput::fractionFailed(int error) {
    form.setMousePointer(main_.state().gintCursor);
    dialogs_.msgBox(errorPrompt(RuntimeError(error)), MsgButtons::OK, MsgIcon::Exclamation,
                    "frmMatrixOutput - chkFractions_Click");
    if (fractionsShown_) showDecimals();
    chkFractions.setValue(0);
}

void FrmMatrixOutput::showFractions() {
    MainWindowState& g = main_.state();
    if (!exactSource_) {
        chkFractions.setValue(0);
        return;
    }
    form.setMousePointer(kPointerHourglass);
    const ExactSource& s = *exactSource_;
    exact::Fractions f =
        exact::fractions(s.op, s.first, s.hasSecond ? &s.second : nullptr, s.scalar, format_);
    form.setMousePointer(g.gintCursor);
    if (f.singular) {
        // The decimal inverse passed its pivot threshold on rounding noise; it stays shown.
        dialogs_.msgBox("The matrix is singular.", MsgButtons::OK, MsgIcon::Critical, kAppTitle);
        chkFractions.setValue(0);
        return;
    }
    if (f.error) {
        fractionFailed(f.error);
        return;
    }
    const Array& texts = f.matrix.array();
    const int rows = texts.ubound(1), cols = texts.ubound(2);
    decimalCells_.clear();
    decimalMinimum_ = txtMinimum.Text();
    decimalMaximum_ = txtMaximum.Text();
    fractionsShown_ = true; // from the first cell written, so that a failure puts all back
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            decimalCells_.push_back(MSFlexGrid1.TextMatrix(r, c));
            MSFlexGrid1.setTextMatrix(r, c, texts.at(r, c).text());
        }
    // Fractions are often wider than the decimals the columns were fitted to.
    FitColumns();
    txtMinimum.setText(f.minimum);
    txtMaximum.setText(f.maximum);
    // A precision applies to decimals only.
    txtPrecision.setEnabled(false);
}

void FrmMatrixOutput::showDecimals() {
    MainWindowState& g = main_.state();
    std::size_t k = 0;
    for (int r = 1; r <= g.gintNo_Rows; ++r)
        for (int c = 1; c <= g.gintNo_Columns && k < decimalCells_.size(); ++c)
            MSFlexGrid1.setTextMatrix(r, c, decimalCells_[k++]);
    txtMinimum.setText(decimalMinimum_);
    txtMaximum.setText(decimalMaximum_);
    txtPrecision.setEnabled(true);
    fractionsShown_ = false;
}

} // namespace velmor

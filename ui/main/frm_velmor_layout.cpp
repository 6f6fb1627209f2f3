#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

// The smallest outer size the window keeps.
constexpr float kMinWidth = 9840 + kNameRoom;
constexpr float kMinHeight = 8370;

// Runs one layout statement; a statement the platform refuses (a minimised window) is
// skipped and the next one runs.
template <class Statement> void attempt(Statement&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

// Geometry is computed in single precision, so a grid can come out half a twip high.
float single(double twips) {
    return static_cast<float>(twips);
}

} // namespace

void FrmVelmor::Form_Resize() {
    float W = 0, H = 0;
    attempt([&] { W = single(form.Width()); });
    attempt([&] { H = single(form.Height()); });

    if (!(W >= kMinWidth && H >= kMinHeight)) {
        // Both dimensions snap back, the one that was large enough too. Each assignment
        // raises a resize of its own; an unchanged size raises none.
        attempt([&] {
            if (single(form.Width()) != kMinWidth) form.setWidth(kMinWidth);
        });
        attempt([&] {
            if (single(form.Height()) != kMinHeight) form.setHeight(kMinHeight);
        });
        return;
    }

    for (CommandButton* b : {&cmdSave, &cmdCancel, &cmdClear, &cmdDelete, &cmdDeleteAll})
        attempt([&] { b->setLeft(single(form.Width()) - 1545.0f); });
    attempt([&] { MSFlexGrid1.setWidth(single(form.Width()) - 4760.0f - kNameRoom); });
    attempt([&] { MSFlexGrid2.setWidth(single(form.Width()) - 4760.0f - kNameRoom); });
    attempt([&] { txtDescription.setWidth(single(form.Width()) - 5720.0f - kNameRoom); });
    attempt([&] { txtDescription2.setWidth(single(form.Width()) - 5720.0f - kNameRoom); });
    attempt([&] { MSFlexGrid1.setHeight((single(form.Height()) - 4020.0f) / 2.0f); });
    attempt([&] { MSFlexGrid2.setHeight(single(MSFlexGrid1.Height())); });
    attempt([&] { MSFlexGrid2.setTop(single(MSFlexGrid1.Height()) + 2505.0f); });
    attempt([&] { Slider1.setTop(single(MSFlexGrid1.Height()) + 1305.0f); });
    attempt([&] {
        Slider1.setLeft(single(MSFlexGrid1.Width()) / 2.0f + single(MSFlexGrid1.Left()) - 788.0f);
    });
    attempt([&] { lblColWidth.setTop(single(MSFlexGrid1.Height()) + 1425.0f); });
    attempt([&] { lblColWidth.setLeft(single(Slider1.Left()) - 1200.0f); });

    // The bottom half hangs from the bottom grid's top.
    struct Offset {
        Control& control;
        float fromGridTop;
    };
    const Offset bottomHalf[] = {
        {txtDescription2, -480}, {lblDescription2, -720}, {txtNo_Columns2, -480},
        {lblColumns2, -720},     {lblRows2, -240},        {txtNo_Rows2, 0},
        {lblMatrixBottom, 360},  {cboMatrixInput2, 600},
    };
    for (const Offset& o : bottomHalf)
        attempt([&] { o.control.setTop(single(MSFlexGrid2.Top()) + o.fromGridTop); });
}

void FrmVelmor::Slider1_Change() {
    busy();
    if (txtNo_Columns.Text().empty()) MSFlexGrid1.setCols(2);
    g.gintNo_Columns = toInt16(MSFlexGrid1.Cols() - 1);
    setColumnWidths(MSFlexGrid1, g.gintNo_Columns);
    // A bottom grid that has never shown a matrix is left alone.
    if (MSFlexGrid2.Visible()) {
        if (txtNo_Columns2.Text().empty()) MSFlexGrid2.setCols(2);
        g.gintNo_Columns = toInt16(MSFlexGrid2.Cols() - 1);
        setColumnWidths(MSFlexGrid2, g.gintNo_Columns);
    }
    restorePointer();
}

} // namespace velmor

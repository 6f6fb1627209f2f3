#include "ui/dialogs/frm_properties.h"

#include "engine/exact_fractions.h"
#include "engine/runtime_error.h"

namespace velmor {

FrmProperties::FrmProperties(DialogService& dialogs)
    : form("frmProperties", "Matrix Properties"),
      lblDeterminant(form, "lblDeterminant", "Determinant"), txtDeterminant(form, "txtDeterminant"),
      lblTrace(form, "lblTrace", "Trace"), txtTrace(form, "txtTrace"),
      chkFractions(form, "chkFractions", "&Fractions"), cmdOK(form, "cmdOK", "OK"),
      dialogs_(dialogs) {
    lblDeterminant.move(240, 600, 975, 255);
    txtDeterminant.move(1320, 480, 1935, 375);
    lblTrace.move(240, 1080, 975, 255);
    txtTrace.move(1320, 960, 1935, 375);
    chkFractions.move(1320, 1380, 1935, 255);
    cmdOK.move(1200, 1680, 1215, 495);
    txtDeterminant.setLocked(true);
    txtTrace.setLocked(true);
    chkFractions.setEnabled(false);
    form.setDefaultButton(&cmdOK);
    form.setCancelButton(&cmdOK);
    form.userResize(3600, 2700);
    cmdOK.onClick = [this] { cmdOK_Click(); };
    chkFractions.onClick = [this] { chkFractions_Click(); };
}

void FrmProperties::cmdOK_Click() {
    form.unload();
}

void FrmProperties::setMatrix(const Variant& matrix, const NumberFormat& format) {
    fractionsShown_ = false;
    chkFractions.setValue(0);
    matrix_ = matrix;
    format_ = &format;
    const std::string why = exact::fractionsUnavailable(matrix, nullptr, format);
    chkFractions.setEnabled(why.empty());
    chkFractions.setToolTipText(why.empty() ? "show the values as exact fractions" : why);
}

void FrmProperties::chkFractions_Click() {
    if (chkFractions.Value() && !fractionsShown_ && format_) {
        try {
            std::string determinant = exact::determinantFraction(matrix_, *format_);
            std::string trace = exact::traceFraction(matrix_, *format_);
            decimalDeterminant_ = txtDeterminant.Text();
            decimalTrace_ = txtTrace.Text();
            txtDeterminant.setText(determinant);
            txtTrace.setText(trace);
            fractionsShown_ = true;
        } catch (const RuntimeError& e) {
            dialogs_.msgBox("Error No. " + std::to_string(e.number()) + "; " + e.description(),
                            MsgButtons::OK, MsgIcon::Exclamation,
                            "frmProperties - chkFractions_Click");
            chkFractions.setValue(0);
        }
    } else if (!chkFractions.Value() && fractionsShown_) {
        txtDeterminant.setText(decimalDeterminant_);
        txtTrace.setText(decimalTrace_);
        fractionsShown_ = false;
    }
}

} // namespace velmor

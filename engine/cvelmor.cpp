#include "engine/cvelmor.h"

namespace velmor {

CVelmor::CVelmor(DialogService& dialogs, const NumberFormat& format)
    : dialogs_(dialogs), format_(format) {}

void CVelmor::reportError(const RuntimeError& e, const std::string& method,
                          const std::string& location) {
    ++reports_;
    dialogs_.msgBox(errorPrompt(e, location), MsgButtons::OK, MsgIcon::Exclamation,
                    "CVelmor class module - " + method);
}

std::string CVelmor::rowColumnLocation() const {
    return "; Row-" + std::to_string(mintRow) + " Column-" + std::to_string(mintColumn);
}

} // namespace velmor

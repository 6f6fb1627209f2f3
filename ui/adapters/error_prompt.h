#pragma once

#include <string>

#include "engine/runtime_error.h"

namespace velmor {

// Prompt of the standard error box: "Error No. " + number + location + "; " + description.
std::string errorPrompt(const RuntimeError& e, const std::string& location = {});
// Same with the "Error No. - " form used by the window handlers and the list.
std::string errorPromptDash(const RuntimeError& e);

} // namespace velmor

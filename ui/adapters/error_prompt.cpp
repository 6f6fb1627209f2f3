#include "ui/adapters/error_prompt.h"

namespace velmor {

std::string errorPrompt(const RuntimeError& e, const std::string& location) {
    return "Error No. " + std::to_string(e.number()) + location + "; " + e.description();
}

std::string errorPromptDash(const RuntimeError& e) {
    return "Error No. - " + std::to_string(e.number()) + "; " + e.description();
}

} // namespace velmor

#include "engine/runtime_error.h"

namespace velmor {

std::string errorDescription(int number) {
    switch (number) {
    case err::InvalidArgument:
        return "Invalid procedure call or argument";
    case err::Overflow:
        return "Overflow";
    case err::OutOfMemory:
        return "Out of memory";
    case err::SubscriptOutOfRange:
        return "Subscript out of range";
    case err::DivisionByZero:
        return "Division by zero";
    case 91:
        return "Object variable or With block variable not set";
    case err::TypeMismatch:
        return "Type mismatch";
    case err::FileNotFound:
        return "File not found";
    case err::BadFileMode:
        return "Bad file mode";
    case err::DeviceIO:
        return "Device I/O error";
    case err::InternalError:
        return "Internal error";
    case 61:
        return "Disk full";
    case 75:
        return "Path/File access error";
    case err::PermissionDenied:
        return "Permission denied";
    case err::PathNotFound:
        return "Path not found";
    case err::InvalidPropertyValue:
        return "Invalid property value";
    case err::KeyExists:
        return "This key is already associated with an element of this collection";
    default:
        return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, errorDescription(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

std::string errorPrompt(const RuntimeError& e, const std::string& location) {
    return "Error No. " + std::to_string(e.number()) + location + "; " + e.description();
}

std::string errorPromptDash(const RuntimeError& e) {
    return "Error No. - " + std::to_string(e.number()) + "; " + e.description();
}

} // namespace velmor

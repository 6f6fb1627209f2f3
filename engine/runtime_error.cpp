#include "engine/runtime_error.h"

namespace velmor {

std::string errorDescription(int number) {
    switch (number) {
    case err::InvalidArgument:
        return "A value was given that this action cannot take";
    case err::Overflow:
        return "The number is too large";
    case err::OutOfMemory:
        return "There is not enough memory for this";
    case err::SubscriptOutOfRange:
        return "A row or column outside the matrix was used";
    case err::DivisionByZero:
        return "A number was divided by zero";
    case 91:
        return "Something the action needs is missing";
    case err::TypeMismatch:
        return "A text that is not a number was used as one";
    case err::FileNotFound:
        return "The file was not found";
    case err::BadFileMode:
        return "The file cannot be used this way";
    case err::DeviceIO:
        return "The file could not be read or written";
    case err::InternalError:
        return "An internal error stopped the action";
    case 61:
        return "The disk is full";
    case 75:
        return "The file or folder cannot be used";
    case err::PermissionDenied:
        return "Permission to use the file was denied";
    case err::PathNotFound:
        return "The folder was not found";
    case err::InvalidPropertyValue:
        return "The value is not allowed here";
    case err::KeyExists:
        return "The name is already in the list";
    default:
        return "An unexpected error occurred";
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

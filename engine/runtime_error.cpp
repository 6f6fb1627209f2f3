#include "engine/runtime_error.h"

#include <utility>

namespace velmor {

namespace {

constexpr std::pair<int, const char*> kErrorTable[] = {
    {err::InvalidArgument, "A value was given that this action cannot take"},
    {err::Overflow, "The number is too large"},
    {err::OutOfMemory, "There is not enough memory for this"},
    {err::SubscriptOutOfRange, "A row or column outside the matrix was used"},
    {err::DivisionByZero, "A number was divided by zero"},
    {err::TypeMismatch, "A text that is not a number was used as one"},
    {err::InternalError, "An internal error stopped the action"},
    {err::FileNotFound, "The file was not found"},
    {err::BadFileMode, "The file cannot be used this way"},
    {err::DeviceIO, "The file could not be read or written"},
    {err::DiskFull, "The disk is full"},
    {err::PermissionDenied, "Permission to use the file was denied"},
    {err::PathFileAccess, "The file or folder cannot be used"},
    {err::PathNotFound, "The folder was not found"},
    {err::ObjectNotSet, "Something the action needs is missing"},
    {err::InvalidPropertyValue, "The value is not allowed here"},
    {err::KeyExists, "The name is already in the list"},
    {err::InvalidRowValue, "Invalid Row value"},
    {err::InvalidColValue, "Invalid Col value"},
};

} // namespace

std::string errorDescription(int number) {
    for (const auto& [n, text] : kErrorTable)
        if (n == number) return text;
    return "An unexpected error occurred";
}

RuntimeError::RuntimeError(int number)
    : std::runtime_error(errorDescription(number)), number_(number),
      description_(errorDescription(number)) {}

} // namespace velmor

#include "engine/runtime_error.h"

#include <utility>

namespace velmor {

namespace {

constexpr std::pair<int, const char*> kErrorTable[] = {
    {err::InvalidArgument, "Invalid procedure call or argument"},
    {err::Overflow, "Overflow"},
    {err::OutOfMemory, "Out of memory"},
    {err::SubscriptOutOfRange, "Subscript out of range"},
    {err::DivisionByZero, "Division by zero"},
    {err::TypeMismatch, "Type mismatch"},
    {err::FileNotFound, "File not found"},
    {err::BadFileMode, "Bad file mode"},
    {err::DeviceIO, "Device I/O error"},
    {err::DiskFull, "Disk full"},
    {err::PermissionDenied, "Permission denied"},
    {err::PathFileAccess, "Path/File access error"},
    {err::PathNotFound, "Path not found"},
    {err::ObjectNotSet, "Object variable or With block variable not set"},
    {err::InvalidPropertyValue, "Invalid property value"},
    {err::KeyExists, "This key is already associated with an element of this collection"},
    {err::InvalidRowValue, "Invalid Row value"},
    {err::InvalidColValue, "Invalid Col value"},
};

} // namespace

std::string errorDescription(int number) {
    for (const auto& [n, text] : kErrorTable)
        if (n == number) return text;
    return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(int number)
    : std::runtime_error(errorDescription(number)), number_(number),
      description_(errorDescription(number)) {}

} // namespace velmor

#pragma once

#include <stdexcept>
#include <string>

namespace velmor {

// A trapped run-time failure: a number plus the one fixed description of that number.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(int number);

    int number() const { return number_; }
    const std::string& description() const { return description_; }

  private:
    int number_;
    std::string description_;
};

// Error numbers used across the system; errorDescription holds the text of each.
namespace err {
inline constexpr int InvalidArgument = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int DeviceIO = 57;
inline constexpr int DiskFull = 61;
inline constexpr int PathFileAccess = 75;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int KeyExists = 457;
inline constexpr int InvalidRowValue = 30009;
inline constexpr int InvalidColValue = 30010;
} // namespace err

// The fixed one-line description of an error number: the system's one error table.
std::string errorDescription(int number);

} // namespace velmor

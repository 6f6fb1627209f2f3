#include "engine/number_format.h"

#include "engine/runtime_error.h"

namespace velmor {

// Placeholder until the conversions are implemented.
NumberFormat::NumberFormat(std::string decimalSeparator) : sep_(std::move(decimalSeparator)) {}
std::string NumberFormat::toText(double) const { return {}; }
std::string NumberFormat::toText(const Variant&) const { return {}; }
double NumberFormat::toNumber(std::string_view) const { return 0; }
bool NumberFormat::tryToNumber(std::string_view, double&) const { return false; }
double NumberFormat::toNumber(const Variant&) const { return 0; }
std::string NumberFormat::fixed(double, int) const { return {}; }

} // namespace velmor

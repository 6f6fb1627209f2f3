#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/runtime_error.h"

namespace velmor {

// Where an operation's element loops left their 16-bit indices; a loop that never started
// leaves its index unset.
struct LoopPosition {
    std::optional<std::int16_t> row, column;
};

// Something an engine call has to tell its caller: a trapped run-time error, or one of the
// conditions under which an operation has no result. The engine only reports; the window
// layer decides how the user hears of it.
struct EngineIssue {
    enum class Kind {
        Error,            // run-time error `number`
        NotSquare,        // rows differ from columns where a square matrix is needed
        ShapesDiffer,     // two operands of different sizes
        Singular,         // no inverse: the elimination ran out of pivots
        SingularDivision, // no inverse: a pivot too small to divide by
    };
    Kind kind = Kind::Error;
    std::string operation; // the method that raised it
    int number = 0;
    std::string description;
    // The element being worked on when the error arose, where the method tracks it.
    LoopPosition at;

    static EngineIssue error(std::string operation, const RuntimeError& e, LoopPosition at = {}) {
        return {Kind::Error, std::move(operation), e.number(), e.description(), at};
    }
    static EngineIssue condition(std::string operation, Kind kind) {
        return {kind, std::move(operation), 0, {}, {}};
    }
};

// The value of an engine call and what it reported on the way, in the order it arose. A
// failed call leaves `value` at its empty state (the empty Variant, or 0). A determinant
// whose minors failed still has a value: each failing minor counts as 0.
template <class T> struct Result {
    T value{};
    std::vector<EngineIssue> issues;
    LoopPosition position; // where the element loops stopped, for the methods that have them

    void fail(std::string operation, const RuntimeError& e) {
        value = T{};
        issues.push_back(EngineIssue::error(std::move(operation), e, position));
    }
    void refuse(std::string operation, EngineIssue::Kind kind) {
        value = T{};
        issues.push_back(EngineIssue::condition(std::move(operation), kind));
    }
};

} // namespace velmor

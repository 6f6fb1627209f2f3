#include "ui/adapters/engine_adapter.h"

#include <string>

#include "ui/adapters/error_prompt.h"

namespace velmor {

namespace {

const char* const kEngineTitle = "CVelmor class module - ";

// The location part of an operation's error prompt, from the loop indices it stopped at.
std::string location(const std::string& operation, const LoopIndices& at) {
    const std::string row = std::to_string(at.row), column = std::to_string(at.column);
    if (operation == "Multiply") return " Column-" + column;
    if (operation == "GetTrace" || operation == "GetDeterminant" ||
        operation == "GetCofactorMatrix" || operation == "Invert")
        return {};
    return "; Row-" + row + " Column-" + column;
}

} // namespace

void EngineAdapter::showIssue(const EngineIssue& issue) {
    using Kind = EngineIssue::Kind;
    switch (issue.kind) {
    case Kind::Error: {
        LoopIndices at = at_;
        if (issue.at.row) at.row = *issue.at.row;
        if (issue.at.column) at.column = *issue.at.column;
        dialogs_.msgBox(errorPrompt(RuntimeError(issue.number), location(issue.operation, at)),
                        MsgButtons::OK, MsgIcon::Exclamation, kEngineTitle + issue.operation);
        break;
    }
    case Kind::NotSquare:
        dialogs_.message("The number of rows of the matrix does not equal the number of columns.");
        break;
    case Kind::ShapesDiffer:
        dialogs_.message("The number of rows and/or columns of the two matrices are not equal.");
        break;
    case Kind::Singular:
        dialogs_.msgBox("The matrix is singular.", MsgButtons::OK, MsgIcon::Critical, kAppTitle);
        break;
    case Kind::SingularDivision:
        dialogs_.msgBox("Division by zero. The matrix is singular.", MsgButtons::OK,
                        MsgIcon::Critical, kAppTitle);
        break;
    }
}

Variant EngineAdapter::GridToArray() {
    try {
        return gridToArray(FlexGrid, at_);
    } catch (const RuntimeError& e) {
        showIssue(EngineIssue::error("GridToArray", e));
        return {};
    }
}

void EngineAdapter::ArrayToGrid(const Variant& matrix) {
    arrayToGrid(FlexGrid, matrix, format_, at_);
}

} // namespace velmor

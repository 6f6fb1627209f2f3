// libFuzzer entry for the data file reader, the writer-then-reader round trip and the
// settings reader. The first byte picks the job and the delimiter; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"
#include "store/settings_reader.h"

namespace {

using namespace velmor;

// Smaller than a file's budget, so that a run reaches it often and stays within memory.
constexpr long long kCellBudget = 1'000'000;
constexpr std::string_view kDelimiters[] = {" ", ",", ";", "", "; ", "\t", "-", "#"};

// The list as text: a written file that reads back differently shows up as a difference.
std::string describe(const MatrixFileContents& contents) {
    std::string out;
    for (const auto& m : contents.matrices) {
        const Array& a = m.matrix.array();
        out += m.name + '\n' + m.description + '\n';
        for (int i = 1; i <= a.ubound(1); ++i)
            for (int j = 1; j <= a.ubound(2); ++j) {
                const Variant& v = a.cell(i, j);
                out += v.isText() ? v.text() : std::string();
                out += '\t';
            }
        out += '\n';
    }
    return out;
}

// Whatever the writer accepts reads back as the list it wrote.
void roundTrip(const NumberFormat& format, std::string_view delimiter, std::string_view file) {
    const std::string d(delimiter);
    MatrixFileContents first = MatrixFileReader(format, d, kCellBudget).parse(file);
    MatrixFileWriter writer(format, d);
    std::string written;
    writer.header(written, "1/2/2026 3:04:05 AM");
    for (const auto& m : first.matrices) {
        if (writer.findUnreadable(m.matrix)) return; // the save procedure refuses these
        writer.entry(written, m.name, m.description, m.matrix);
    }
    writer.footer(written);
    if (describe(MatrixFileReader(format, d, kCellBudget).parse(written)) != describe(first))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const NumberFormat format(".");
    const std::string_view delimiter = kDelimiters[data[0] % 8];
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] / 8 % 3) {
    case 0:
        MatrixFileReader(format, std::string(delimiter), kCellBudget).parse(file);
        break;
    case 1:
        roundTrip(format, delimiter, file);
        break;
    default: {
        std::string input = " ", output = " ";
        try {
            SettingsReader(input, output).readText(file);
        } catch (const RuntimeError&) { // a key line without a quote: error 9, as intended
        }
    }
    }
    return 0;
}

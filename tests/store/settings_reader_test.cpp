#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/runtime_error.h"
#include "store/settings_reader.h"
#include "store/text_encoding.h"
#include "tests/support/temp_dir.h"

namespace velmor {
namespace {

constexpr const char* kUnset = "<unset>";

struct Outcome {
    std::string input = kUnset, output = kUnset;
    int error = 0; // run-time error number, 0 when read through
    bool operator==(const Outcome&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Outcome& o) {
        return os << "[" << o.input << "] [" << o.output << "] error " << o.error;
    }
};

// What reading `source` (a text or a file path) gives.
template <auto Read> Outcome read(const std::string& source) {
    Outcome o;
    try {
        (SettingsReader(o.input, o.output).*Read)(source);
    } catch (const RuntimeError& e) {
        o.error = e.number();
    }
    return o;
}
Outcome readText(const std::string& text) {
    return read<&SettingsReader::readText>(text);
}
Outcome readFile(const std::string& path) {
    return read<&SettingsReader::readFile>(path);
}

struct TextCase {
    const char* name;
    std::string text;
    Outcome expected;
};

TEST(SettingsReader, ReadsTheSettingsTexts) {
    const TextCase cases[] = {
        {"standard CR LF", "Input_Delimiter = \" \"\r\nOutput_Delimiter = \",\"\r\n", {" ", ","}},
        {"CR only", "Input_Delimiter=\";\"\rOutput_Delimiter=\"|\"\r", {";", "|"}},
        {"LF only", "Input_Delimiter=\";\"\nOutput_Delimiter=\"|\"\n", {";", "|"}},
        {"no final line end", "Input_Delimiter=\";\"\r\nOutput_Delimiter=\"|\"", {";", "|"}},
        {"only the output key", "Output_Delimiter\",\"\r\n", {kUnset, ","}},
        {"empty file", "", {kUnset, kUnset}},
        {"no key", "[Delimiters]\r\nDelimiter = \";\"\r\n\r\n", {kUnset, kUnset}},
        {"empty value", "Output_Delimiter = \"\"\r\n", {kUnset, ""}},
        {"both keys on one line", "Input_Delimiter Output_Delimiter = \";\"\r\n", {";", ";"}},
        {"blanks around the line", "   Input_Delimiter = \" , \"   \r\n", {" , ", kUnset}},
        {"value before the key", "\"\t\" is the Output_Delimiter\r\n", {kUnset, "\t"}},
        {"only one quote", "Input_Delimiter = \"ab c  \r\n", {"ab c", kUnset}},
        {"text after the closing quote", "Input_Delimiter = \"x\" \"y\"\r\n", {"x", kUnset}},
        {"later line wins", "Input_Delimiter=\"a\"\r\nInput_Delimiter=\"b\"\r\n", {"b", kUnset}},
        {"key matched with case",
         "input_delimiter = \";\"\r\nOUTPUT_DELIMITER=\";\"\r\n",
         {kUnset, kUnset}},
        {"key without quote", "Input_Delimiter = ;\r\n", {kUnset, kUnset, 9}},
        {"quote-less line without key", "Delimiters\r\nOutput_Delimiter=\",\"\r\n", {kUnset, ","}},
    };
    for (const auto& c : cases) EXPECT_EQ(readText(c.text), c.expected) << c.name;
}

TEST(SettingsReader, ReadsFilesAsLatin1OrUtf8AndReportsAMissingOne) {
    test::TempDir dir;
    // A single-byte file is taken as Latin-1: the section sign comes out as UTF-8.
    EXPECT_EQ(readFile(dir.write("a.ini", "Input_Delimiter = \"\xA7\"\r\n")),
              (Outcome{"\xC2\xA7", kUnset, 0}));
    EXPECT_EQ(readFile(dir.write("b.ini", "Input_Delimiter = \"\xC2\xA7\"\n")),
              (Outcome{"\xC2\xA7", kUnset, 0}));
    EXPECT_EQ(readFile(dir.file("missing.ini")).error, 53);
    // A key without its quote (9) and a file failing on read (57): see the start-up boxes.
}

// Random mutations of settings texts. The reader must either read the text through or
// stop with error 9; a value never holds a quote or a line end; a text without keys
// changes nothing; the kind of line end never matters; and a file reads like its text.
TEST(SettingsReader, FuzzMutatedSettings) {
    int iterations = 2000;
    if (const char* env = std::getenv("VELMOR_FUZZ_ITERATIONS")) iterations = std::atoi(env);
    std::mt19937 rng(20260512);
    const std::vector<std::string> seeds = {
        "Input_Delimiter = \" \"\r\nOutput_Delimiter = \" \"\r\n",
        "Output_Delimiter\",\"\rInput_Delimiter\";\"\r",
        "; settings\n  Input_Delimiter = \"\t\"  \nOutput_Delimiter=\"\"\n", ""};
    // clang-format off
    const std::vector<std::string> pieces = {"\"", "\r", "\n", "\r\n", " ", ",", "=", "a",
        "Input_Delimiter", "Output_Delimiter", "_Delimiter", std::string(1, '\0'), "\xff"};
    // clang-format on
    test::TempDir dir;
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };

    for (int i = 0; i < iterations; ++i) {
        std::string text = seeds[pick(seeds.size())];
        const std::size_t mutations = 1 + pick(6);
        for (std::size_t m = 0; m < mutations; ++m) {
            const std::size_t at = text.empty() ? 0 : pick(text.size() + 1);
            switch (pick(3)) {
            case 0:
                text.insert(at, pieces[pick(pieces.size())]);
                break;
            case 1:
                if (!text.empty()) text.erase(std::min(at, text.size() - 1), 1 + pick(4));
                break;
            default:
                if (!text.empty()) {
                    const std::size_t from = pick(text.size());
                    text.insert(at, text.substr(from, 1 + pick(8)));
                }
            }
        }
        SCOPED_TRACE("text: " + text);
        const Outcome o = readText(text);
        ASSERT_TRUE(o.error == 0 || o.error == 9) << o.error;
        if (o.error == 0) {
            for (const std::string* v : {&o.input, &o.output})
                ASSERT_EQ(v->find_first_of("\"\r\n"), std::string::npos) << *v;
        }
        ASSERT_TRUE(text.find("Input_Delimiter") != std::string::npos || o.input == kUnset);
        ASSERT_TRUE(text.find("Output_Delimiter") != std::string::npos || o.output == kUnset);

        std::string crOnly = text;
        std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
        ASSERT_EQ(readText(crOnly), o);
        if (i % 64 == 0) {
            const Outcome asText = isValidUtf8(text) ? o : readText(latin1ToUtf8(text));
            ASSERT_EQ(readFile(dir.write("velmor.ini", text)), asText);
        }
    }
}

} // namespace
} // namespace velmor

// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for the command-line splitter, which makes the arguments
// of a started program out of its parameter text. Beyond "no crash", every
// split keeps:
// - the arguments written back quoted (each quote inside doubled), one blank
//   or tab apart, split into the same arguments;
// - no character lost or made up: the arguments hold the text's characters
//   but its quotes and blanks, in their order;
// - quotes only join words: never more arguments than the text has words
//   between blanks, and exactly those words in a text without a quote;
// - a quote in an argument stands for two in the text.

#include "launch/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool blank(char c) {
    return c == ' ' || c == '\t';
}

Arguments words(std::string_view text) {
    Arguments words;
    for (std::size_t i = 0; i < text.size();) {
        if (blank(text[i])) {
            ++i;
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(" \t", i), text.size());
        words.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

std::string withoutQuotesAndBlanks(std::string_view text) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return c != '"' && !blank(c); });
    return kept;
}

std::size_t quotes(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '"'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Arguments arguments = tallywick::splitCommandLine(text);

    std::string written;
    const char separator = size % 2 == 0 ? ' ' : '\t';
    for (const std::string& argument : arguments) {
        if (!written.empty()) {
            written += separator;
        }
        written += '"';
        for (const char c : argument) {
            written += c;
            if (c == '"') {
                written += '"';
            }
        }
        written += '"';
    }
    check(tallywick::splitCommandLine(written) == arguments);

    std::string kept;
    std::size_t quotesKept = 0;
    for (const std::string& argument : arguments) {
        kept += withoutQuotesAndBlanks(argument);
        quotesKept += quotes(argument);
    }
    check(kept == withoutQuotesAndBlanks(text));
    check(2 * quotesKept <= quotes(text));

    const Arguments plain = words(text);
    check(arguments.size() <= plain.size());
    if (quotes(text) == 0) {
        check(arguments == plain);
    }
    return 0;
}

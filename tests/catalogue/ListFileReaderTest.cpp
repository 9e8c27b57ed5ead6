// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "FakeListFiles.h"
#include "base/TextDecoding.h"
#include "base/Utf8Validator.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListFileLoader.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

using Entries = std::vector<std::string>;

// Reads bytes as a list file, in one piece and byte by byte; both must agree.
Entries read(const std::string& bytes) {
    testing::Journal journal;
    testing::FakeListFiles files(journal);
    files.files["list.txt"] = bytes;
    Entries whole = loadListFile(files, "list.txt");

    ListFieldParser parser(kMaxListEntries);
    for (char c : bytes) {
        parser.feed(std::string_view(&c, 1));
    }
    parser.finish();
    Entries byteWise;
    for (const auto& field : parser.fields()) {
        byteWise.push_back(decodeListText(field));
    }
    EXPECT_EQ(whole, byteWise) << "chunking changed the entries";
    return whole;
}

TEST(ListFileReaderTest, linesAndCommasSeparateFields) {
    EXPECT_EQ(read("Alpha\r\nBeta\r\n"), (Entries{"Alpha", "Beta"}));
    EXPECT_EQ(read("Alpha, Beta\r\n"), (Entries{"Alpha", "Beta"}));
    EXPECT_EQ(read("Alpha\r\nBeta"), read("Alpha\r\nBeta\r\n"));
    EXPECT_EQ(read("a,b,c\r\nd"), (Entries{"a", "b", "c", "d"}));
}

TEST(ListFileReaderTest, emptyFieldsAreEntries) {
    EXPECT_EQ(read("Alpha\r\n\r\nBeta\r\n"), (Entries{"Alpha", "", "Beta"}));
    EXPECT_EQ(read("Alpha,\r\nBeta\r\n"), (Entries{"Alpha", "", "Beta"}));
    EXPECT_EQ(read("Alpha,"), (Entries{"Alpha", ""}));
    EXPECT_EQ(read(",,"), (Entries{"", "", ""}));
    EXPECT_EQ(read("\r\n"), (Entries{""}));
    EXPECT_EQ(read("   \r\nx"), (Entries{"", "x"}));
}

TEST(ListFileReaderTest, emptyFileAndTrailingBlanksGiveNoEntry) {
    EXPECT_EQ(read(""), Entries{});
    EXPECT_EQ(read("Alpha\r\n   "), (Entries{"Alpha"}));
    EXPECT_EQ(read("Alpha\r\n \t "), (Entries{"Alpha"}));
    EXPECT_EQ(read("Alpha,  "), (Entries{"Alpha", ""}));
}

TEST(ListFileReaderTest, blanksAroundUnquotedFieldsAreDropped) {
    EXPECT_EQ(read("  Alpha  ,\tBeta\t\r\n"), (Entries{"Alpha", "Beta"}));
    EXPECT_EQ(read("Alpha One  Two"), (Entries{"Alpha One  Two"}));
}

TEST(ListFileReaderTest, loneCarriageReturnOrLineFeedEndsALine) {
    EXPECT_EQ(read("a\rb\nc\r\nd"), (Entries{"a", "b", "c", "d"}));
    EXPECT_EQ(read("a\n\nb"), (Entries{"a", "", "b"}));
    EXPECT_EQ(read("a\r\rb"), (Entries{"a", "", "b"}));
    EXPECT_EQ(read("a\n\r\nb"), (Entries{"a", "", "b"}));
}

TEST(ListFileReaderTest, quotedFieldsKeepCommasBlanksAndLineEnds) {
    EXPECT_EQ(read("\"Plum Card, Amex\"\r\nNext"), (Entries{"Plum Card, Amex", "Next"}));
    EXPECT_EQ(read("  \" padded \" , x"), (Entries{" padded ", "x"}));
    EXPECT_EQ(read("\"two\r\nlines\",x"), (Entries{"two\r\nlines", "x"}));
    EXPECT_EQ(read("\"\""), (Entries{""}));
}

TEST(ListFileReaderTest, oddQuotingIsReadWithoutLoss) {
    // After the closing quote, everything up to the next comma is dropped.
    EXPECT_EQ(read("\"Alpha\"junk,Beta"), (Entries{"Alpha", "Beta"}));
    // A quote inside an unquoted field is an ordinary character.
    EXPECT_EQ(read("Joe's \"Best\" Card,x"), (Entries{"Joe's \"Best\" Card", "x"}));
    // An unclosed quote runs to the end of the file.
    EXPECT_EQ(read("a,\"unclosed, still\r\ngoing"), (Entries{"a", "unclosed, still\r\ngoing"}));
    // Two quotes in a row close the field and open nothing new.
    EXPECT_EQ(read("\"a\"\"b\",c"), (Entries{"a", "c"}));
}

TEST(ListFileReaderTest, byteOrderMarkIsSkippedOnlyAtTheStart) {
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "Alpha\r\n"),
              (Entries{"Alpha"}));
    EXPECT_EQ(read("\xEF\xBB"), (Entries{"\xC3\xAF\xC2\xBB"})); // a partial mark is text
    EXPECT_EQ(read("x\r\n\xEF\xBB\xBF"), (Entries{"x", "\xEF\xBB\xBF"}));
}

TEST(ListFileReaderTest, invalidUtf8IsReadAsWindows1252) {
    EXPECT_EQ(read("Caf\xC3\xA9"), (Entries{"Caf\xC3\xA9"}));                  // UTF-8 kept
    EXPECT_EQ(read("Caf\xE9"), (Entries{"Caf\xC3\xA9"}));                      // 1252 e acute
    EXPECT_EQ(read("\x80 \x99"), (Entries{"\xE2\x82\xAC \xE2\x84\xA2"}));      // euro, trade mark
    EXPECT_EQ(decodeListText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC"); // no surrogates
    EXPECT_EQ(decodeListText("\xC0\xAF"), "\xC3\x80\xC2\xAF");                 // no overlong forms
    EXPECT_EQ(decodeListText("\xF4\x90\x80\x80"),
              "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"); // nothing past U+10FFFF
}

// Fed in two pieces split at each place, and byte by byte: whether the
// validator calls the text well-formed UTF-8, and whether any byte was not
// ASCII, the same way each time.
std::pair<bool, bool> validateInPieces(const std::string& text) {
    Utf8Validator whole;
    whole.feed(text);
    const std::pair<bool, bool> verdict{whole.valid(), whole.sawNonAscii()};
    for (std::size_t split = 0; split <= text.size(); ++split) {
        Utf8Validator twoPieces;
        twoPieces.feed(std::string_view(text).substr(0, split));
        twoPieces.feed(std::string_view(text).substr(split));
        EXPECT_EQ(std::make_pair(twoPieces.valid(), twoPieces.sawNonAscii()), verdict)
            << "split at " << split;
    }
    Utf8Validator byteWise;
    for (char c : text) {
        byteWise.feed(std::string_view(&c, 1));
    }
    EXPECT_EQ(std::make_pair(byteWise.valid(), byteWise.sawNonAscii()), verdict) << "byte by byte";
    return verdict;
}

TEST(Utf8ValidatorTest, followsSequencesAcrossPiecesAndRejectsWhatIsNotUtf8) {
    // One to four bytes: A, e acute, euro, U+10FFFF (the highest).
    EXPECT_EQ(validateInPieces("A\xC3\xA9\xE2\x82\xAC\xF4\x8F\xBF\xBF."),
              std::make_pair(true, true));
    EXPECT_EQ(validateInPieces("Plain ASCII"), std::make_pair(true, false));
    EXPECT_EQ(validateInPieces(""), std::make_pair(true, false));
    EXPECT_EQ(validateInPieces("Caf\xE9"), std::make_pair(false, true));          // Windows-1252
    EXPECT_EQ(validateInPieces("\xA9 alone"), std::make_pair(false, true));       // continuation
    EXPECT_EQ(validateInPieces("\xC0\xAF"), std::make_pair(false, true));         // overlong
    EXPECT_EQ(validateInPieces("\xED\xA0\x80"), std::make_pair(false, true));     // surrogate
    EXPECT_EQ(validateInPieces("\xF4\x90\x80\x80"), std::make_pair(false, true)); // past U+10FFFF
    EXPECT_EQ(validateInPieces("\xE2\x82("), std::make_pair(false, true));        // broken off
    EXPECT_EQ(validateInPieces("ends in \xE2\x82"), std::make_pair(false, true)); // cut off
    Utf8Validator validator;
    EXPECT_FALSE(validator.feed("\x80"));
    EXPECT_FALSE(validator.feed("well-formed after a fault is still a fault"));
    EXPECT_FALSE(validator.valid());
}

TEST(ListFileReaderTest, binaryBytesNeverBreakTheReader) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.push_back(static_cast<char>((i * 7919) & 0xFF));
    }
    const Entries entries = read(bytes);
    EXPECT_FALSE(entries.empty());
    EXPECT_EQ(read(std::string("a\0b,c", 5)), (Entries{std::string("a\0b", 3), "c"}));
}

TEST(ListFileReaderTest, fullListIsAcceptedAndOneMoreFieldOverflows) {
    std::string full;
    for (std::size_t i = 0; i < kMaxListEntries; ++i) {
        full += "x\r\n";
    }
    EXPECT_EQ(read(full).size(), kMaxListEntries);

    testing::Journal journal;
    testing::FakeListFiles files(journal);
    files.files["buslist.txt"] = full + "y";
    try {
        (void)loadListFile(files, "buslist.txt");
        FAIL() << "an overlong list was accepted";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
        EXPECT_EQ(error.description(), "Overflow: buslist.txt holds more than 32,767 entries");
    }
}

TEST(ListFileReaderTest, hugeFileOfCommasStopsAtTheLimit) {
    // 50 MB: the reader must stop early rather than collect millions of fields.
    const std::string commas(50u << 20, ',');
    ListFieldParser parser(kMaxListEntries);
    std::size_t fed = 0;
    while (fed < commas.size() && parser.feed(std::string_view(commas).substr(fed, 65536))) {
        fed += 65536;
    }
    EXPECT_TRUE(parser.overflowed());
    EXPECT_LE(fed, 65536u);
    EXPECT_EQ(parser.fields().size(), kMaxListEntries);
}

TEST(ListFileReaderTest, longFieldsHaveNoLimitOfTheirOwn) {
    const std::string longField(5u << 20, 'q');
    const Entries entries = read(longField + ",\"" + longField + "\"");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size(), longField.size());
    EXPECT_EQ(entries[1].size(), longField.size());
}

} // namespace
} // namespace tallywick

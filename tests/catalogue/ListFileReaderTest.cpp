// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "FakeListFiles.h"
#include "base/TextDecoding.h"
#include "base/Utf8Validator.h"
#include "catalogue/FieldEndScan.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListFileLoader.h"

#include <array>
#include <gtest/gtest.h>
#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

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

#if __has_include(<iconv.h>)
// A byte that is no UTF-8 reads as the C library's Windows-1252 says, and the
// five bytes Windows-1252 leaves undefined as the C1 controls of the same
// value, as Windows' own conversion does.
TEST(ListFileReaderTest, everyWindows1252ByteReadsAsTheCLibrarySays) {
    const iconv_t converter = ::iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char in = static_cast<char>(byte);
        std::array<char, 8> out{};
        char* inPointer = &in;
        std::size_t inLeft = 1;
        char* outPointer = out.data();
        std::size_t outLeft = out.size();
        const bool defined =
            ::iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != std::size_t(-1);
        const std::string expected =
            defined ? std::string(out.data(), out.size() - outLeft)
                    : std::string{static_cast<char>(0xC2), static_cast<char>(byte)};
        EXPECT_EQ(decodeListText(std::string(1, in)), expected) << "byte " << byte;
        EXPECT_EQ(defined,
                  byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D)
            << "byte " << byte;
    }
    ::iconv_close(converter);
}
#endif

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

// The lists' counts are 16-bit signed numbers.
TEST(ListFileReaderTest, fullListIsAcceptedAndOneMoreFieldOverflows) {
    std::string full;
    for (int i = 0; i < 32767; ++i) {
        full += "x\r\n";
    }
    EXPECT_EQ(read(full).size(), 32767u);
    EXPECT_EQ(read(full + "   ").size(), 32767u) << "blanks after the last line make no field";

    for (const std::string& overlong : {full + "y", full + ",", full + "\r\n"}) {
        testing::Journal journal;
        testing::FakeListFiles files(journal);
        files.files["buslist.txt"] = overlong;
        try {
            (void)loadListFile(files, "buslist.txt");
            ADD_FAILURE() << "a list of 32,768 entries was accepted";
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::Overflow);
            EXPECT_EQ(error.description(), "Overflow: buslist.txt holds more than 32,767 entries");
        }
    }
}

TEST(ListFileReaderTest, readFailureInTheMiddleIsDeviceError) {
    testing::Journal journal;
    testing::FakeListFiles files(journal);
    files.files["buslistb.txt"] = "Alpha\r\nBeta\r\nGamma\r\nDelta\r\n";
    files.failAfter["buslistb.txt"] = 14;
    try {
        (void)loadListFile(files, "buslistb.txt");
        FAIL() << "a failed read went unnoticed";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(static_cast<int>(error.number()), 57);
        EXPECT_EQ(error.description(), "Device I/O error: buslistb.txt");
    }
    EXPECT_EQ(journal.back(), "close buslistb.txt") << "the file is closed all the same";
}

// The fast field-end scan against its byte-by-byte twin, over every length
// up to a few blocks, at every alignment, with a field end (or none) at every
// position, among bytes that look like field ends to a careless comparison.
TEST(FieldEndScanTest, agreesWithTheByteWiseScan) {
    constexpr std::array<char, 8> kFillers = {'a',    ' ',    '"',    '\x80',
                                              '\xAC', '\xFF', '\x0B', '\x2D'};
    constexpr std::array<char, 3> kEnds = {',', '\r', '\n'};
    std::array<char, 64 + 16> storage{};
    for (std::size_t alignment = 0; alignment < 16; ++alignment) {
        for (std::size_t length = 0; length <= 64; ++length) {
            char* const begin = storage.data() + alignment;
            for (std::size_t i = 0; i < length; ++i) {
                begin[i] = kFillers[(i + length) % kFillers.size()];
            }
            const auto check = [&] {
                EXPECT_EQ(findFieldEnd(begin, begin + length),
                          findFieldEndByteWise(begin, begin + length))
                    << "length " << length << ", alignment " << alignment;
            };
            check();
            for (std::size_t at = 0; at < length; ++at) {
                begin[at] = kEnds[at % kEnds.size()];
                check();
                begin[(at * 7) % length] = ','; // a second end, before or after
                check();
                for (std::size_t i = 0; i < length; ++i) {
                    begin[i] = kFillers[(i + length) % kFillers.size()];
                }
            }
        }
    }
    // And they find what they should.
    const std::string text = "0123456789abcdefghij\r";
    EXPECT_EQ(findFieldEnd(text.data(), text.data() + text.size()) - text.data(), 20);
    EXPECT_EQ(findFieldEnd(text.data(), text.data() + 20), text.data() + 20);
}

TEST(ListFileReaderTest, hugeFileOfCommasStopsAtTheLimit) {
    // 50 MB: the reader must stop early rather than collect millions of fields.
    const std::string commas(50u << 20, ',');
    ListFieldParser parser(32767);
    std::size_t fed = 0;
    while (fed < commas.size() && parser.feed(std::string_view(commas).substr(fed, 65536))) {
        fed += 65536;
    }
    EXPECT_TRUE(parser.overflowed());
    EXPECT_LE(fed, 65536u);
    EXPECT_EQ(parser.fields().size(), 32767u);
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

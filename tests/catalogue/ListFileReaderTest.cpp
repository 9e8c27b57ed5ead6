// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "FakeListFiles.h"
#include "base/TextDecoding.h"
#include "catalogue/FieldEndScan.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListFileLoader.h"
#include "catalogue/ShownEntry.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

namespace tallywick {
namespace {

using Entries = std::vector<std::string>;

// Reads bytes as a list file. The entries must come out the same when the
// text is split into a buffer of its own rather than in place.
Entries read(const std::string& bytes) {
    testing::Journal journal;
    testing::FakeListFiles files(journal);
    files.files["list.txt"] = bytes;
    Entries entries = testing::loadEntryTexts(files, "list.txt");

    if (validUtf8Prefix(bytes) == bytes.size() && !bytes.starts_with(kUtf8ByteOrderMark)) {
        std::string out(bytes.size(), '\0');
        GrowingArray<std::size_t> ends;
        if (splitListFields(bytes.data(), bytes.data() + bytes.size(), out.data(), kMaxListEntries,
                            ends)) {
            Entries apart;
            for (std::size_t i = 0, start = 0; i < ends.size(); start = ends[i++]) {
                apart.push_back(out.substr(start, ends[i] - start));
            }
            EXPECT_EQ(entries, apart) << "splitting in place changed the entries";
        }
    }
    return entries;
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
    // A file marked as UTF-8 stays UTF-8: a byte that is none reads as U+FFFD.
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "Caf\xE9,\xC3\xA9"),
              (Entries{"Caf\xEF\xBF\xBD", "\xC3\xA9"}));
}

// The entries written beside the files of tests/corpus/encodings, for the
// legacy code page given: "[file]" sections hold for every code page,
// "[file page]" ones for that page alone.
std::map<std::string, Entries> expectedEntries(const std::string& folder,
                                               const std::string& codePage) {
    std::ifstream in(folder + "/expected.txt");
    std::map<std::string, Entries> expected;
    Entries* section = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('[')) {
            std::istringstream header(line.substr(1, line.find(']') - 1));
            std::string file;
            std::string page;
            header >> file >> page;
            section = page.empty() || page == codePage ? &expected[file] : nullptr;
        } else if (line.starts_with('=') && section != nullptr) {
            section->push_back(line.substr(1));
        }
    }
    return expected;
}

// Every kind of file Notepad saves, and the broken ones, read as one rule
// says: a mark decides, then well-formed UTF-8, then the legacy code page.
TEST(ListFileReaderTest, eachEncodingOfTheCorpusReadsAsExpected) {
    const char* corpus = std::getenv("TALLYWICK_ENCODING_CORPUS");
    ASSERT_NE(corpus, nullptr) << "TALLYWICK_ENCODING_CORPUS names no folder";
    const auto expected = expectedEntries(corpus, "1252");
    ASSERT_EQ(expected.size(), 11u) << "the corpus' expectations could not be read";
    for (const auto& [file, entries] : expected) {
        std::ifstream in(std::string(corpus) + "/" + file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        EXPECT_EQ(read({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}),
                  entries)
            << file;
    }
}

TEST(ListFileReaderTest, oneByteThatIsNoUtf8MakesTheWholeFileLegacy) {
    EXPECT_EQ(read("Caf\xC3\xA9"), (Entries{"Caf\xC3\xA9"}));
    EXPECT_EQ(read("Caf\xC3\xA9,Caf\xE9"), (Entries{"Caf\xC3\x83\xC2\xA9", "Caf\xC3\xA9"}));
    EXPECT_EQ(read("\x80 \x99"), (Entries{"\xE2\x82\xAC \xE2\x84\xA2"})); // euro, trade mark
    // A UTF-16 mark decides only at the very start.
    EXPECT_EQ(read("x\xFF\xFE"), (Entries{"x\xC3\xBF\xC3\xBE"}));
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
        GrowingArray<char> decoded;
        appendWindows1252AsUtf8({&in, 1}, decoded);
        EXPECT_EQ(std::string(decoded.data(), decoded.size()), expected) << "byte " << byte;
        EXPECT_EQ(defined,
                  byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D)
            << "byte " << byte;
    }
    ::iconv_close(converter);
}
#endif

// Well-formed UTF-8 at the edges of each sequence length, found wherever the
// sequence lies after plain ASCII (the scan takes ASCII a word at a time).
TEST(TextDecodingTest, utf8IsWellFormedExactlyWithinItsEdges) {
    struct Case {
        std::string bytes;
        std::size_t wellFormed; // bytes of it that are
    };
    const std::array<Case, 22> cases = {{
        {"\x7F", 1},             // the last ASCII
        {"\xC2\x80", 2},         // U+0080, the first of two bytes
        {"\xDF\xBF", 2},         // U+07FF, the last of two bytes
        {"\xC0\x80", 0},         // overlong NUL
        {"\xC1\xBF", 0},         // overlong U+007F
        {"\xE0\xA0\x80", 3},     // U+0800
        {"\xE0\x9F\xBF", 0},     // overlong U+07FF
        {"\xED\x9F\xBF", 3},     // U+D7FF, before the surrogates
        {"\xED\xA0\x80", 0},     // U+D800, a surrogate
        {"\xED\xBF\xBF", 0},     // U+DFFF, a surrogate
        {"\xEE\x80\x80", 3},     // U+E000, after them
        {"\xEF\xBF\xBF", 3},     // U+FFFF
        {"\xF0\x90\x80\x80", 4}, // U+10000
        {"\xF0\x8F\xBF\xBF", 0}, // overlong U+FFFF
        {"\xF4\x8F\xBF\xBF", 4}, // U+10FFFF, the last code point
        {"\xF4\x90\x80\x80", 0}, // U+110000
        {"\xF5\x80\x80\x80", 0}, // a lead beyond U+10FFFF
        {"\xFF", 0},             // never in UTF-8
        {"\x80", 0},             // a continuation alone
        {"\xE2\x82", 0},         // cut short at the end
        {"\xF0\x90\x80", 0},     // cut short at the end
        {"\xE2\x82(", 0},        // broken off by ASCII
    }};
    for (const Case& c : cases) {
        for (std::size_t before = 0; before < 40; ++before) {
            const std::string text = std::string(before, 'a') + c.bytes;
            EXPECT_EQ(validUtf8Prefix(text), before + c.wellFormed)
                << before << " bytes before " << ::testing::PrintToString(c.bytes);
        }
    }
}

// Only a high surrogate (D800 to DBFF) followed by a low one (DC00 to DFFF)
// is a pair; any other surrogate stands alone and reads as U+FFFD, in either
// byte order.
TEST(TextDecodingTest, onlyAHighSurrogateFollowedByALowOneMakesAPair) {
    const std::string replacement = "\xEF\xBF\xBD";
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"\xD83D\xDCB3", "\xF0\x9F\x92\xB3"},                     // U+1F4B3
        {u"\xD800\xDC00", "\xF0\x90\x80\x80"},                     // U+10000
        {u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},                     // U+10FFFF
        {u"\xDCB3\xDCB3", replacement + replacement},              // low, low
        {u"\xDC00\xD800\xDC00", replacement + "\xF0\x90\x80\x80"}, // low, pair
        {u"\xD83D\xD83D\xDCB3", replacement + "\xF0\x9F\x92\xB3"}, // high, pair
        {u"\xDFFF\x0041", replacement + "A"},
        {u"\xD83D", replacement},
    };
    for (const auto& [units, expected] : cases) {
        for (const ByteOrder order : {ByteOrder::LittleEndian, ByteOrder::BigEndian}) {
            std::string bytes;
            for (const char16_t unit : units) {
                const auto high = static_cast<char>(unit >> 8);
                const auto low = static_cast<char>(unit & 0xFF);
                bytes += order == ByteOrder::LittleEndian ? std::string{low, high}
                                                          : std::string{high, low};
            }
            GrowingArray<char> decoded;
            appendUtf16AsUtf8(bytes, order, decoded);
            EXPECT_EQ(std::string(decoded.data(), decoded.size()), expected)
                << ::testing::PrintToString(bytes);
        }
    }
}

// The word-at-a-time scan for bytes that are not ASCII against a byte-wise
// one, over every length up to a few rounds, at every alignment, with such a
// byte (or none) at every position.
TEST(TextDecodingTest, nonAsciiScanAgreesWithTheByteWiseScan) {
    std::array<char, 96 + 8> storage{};
    for (std::size_t alignment = 0; alignment < 8; ++alignment) {
        char* const begin = storage.data() + alignment;
        for (std::size_t length = 0; length <= 96; ++length) {
            for (std::size_t at = 0; at <= length; ++at) {
                std::fill(begin, begin + length, '\x7F');
                if (at < length) {
                    begin[at] = static_cast<char>(0x80 | (at * 37 % 128));
                }
                EXPECT_EQ(findNonAscii({begin, length}), at)
                    << "length " << length << ", alignment " << alignment;
            }
        }
    }
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
            (void)loadListEntries(files, "buslist.txt");
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
        (void)loadListEntries(files, "buslistb.txt");
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

// A file that gives more than it claims, as a sparse file or one under
// /proc may: commas for ever, counted as they are read.
class EndlessCommas final : public ListFilePort {
public:
    explicit EndlessCommas(std::uint64_t claimed, std::size_t length = SIZE_MAX)
        : claimed_(claimed), length_(length) {}
    std::unique_ptr<ListFile> open(const std::string& /*name*/) override {
        return std::make_unique<File>(*this);
    }
    std::size_t bytesRead = 0;

private:
    class File final : public ListFile {
    public:
        explicit File(EndlessCommas& source) : source_(source) {}
        std::size_t read(char* buffer, std::size_t size) override {
            const std::size_t n = std::min(size, source_.length_ - source_.bytesRead);
            std::fill_n(buffer, n, ',');
            source_.bytesRead += n;
            return n;
        }
        [[nodiscard]] std::uint64_t claimedSize() const override { return source_.claimed_; }

    private:
        EndlessCommas& source_;
    };
    std::uint64_t claimed_;
    std::size_t length_;
};

TEST(ListFileReaderTest, fileLargerThan64MBIsRefusedOnWhatIsRead) {
    constexpr std::size_t k64MB = std::size_t{64} << 20;
    // Whatever the file claims, it is read no further than one piece over.
    for (const std::uint64_t claimed : {std::uint64_t{0}, std::uint64_t{100} << 30}) {
        EndlessCommas endless(claimed);
        try {
            (void)loadListEntries(endless, "buslist.txt");
            ADD_FAILURE() << "an endless file was accepted";
        } catch (const RunTimeError& error) {
            EXPECT_EQ(static_cast<int>(error.number()), 7);
            EXPECT_EQ(error.description(), "Out of memory: buslist.txt is larger than 64 MB");
        }
        EXPECT_GT(endless.bytesRead, k64MB) << "claimed " << claimed;
        EXPECT_LE(endless.bytesRead, k64MB + 65536) << "claimed " << claimed;
    }
    // Up to the limit the file is read; so many commas are too many fields.
    EndlessCommas full(0, k64MB);
    try {
        (void)loadListEntries(full, "buslistb.txt");
        ADD_FAILURE() << "64 MB of commas were accepted";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(static_cast<int>(error.number()), 6);
    }
}

// A field has no length of its own to exceed: it is kept whole, and the
// window shows its start, at a cost that does not grow with its length.
TEST(ListFileReaderTest, longFieldsAreKeptWholeAndShownByTheirStart) {
    const std::string longField(5u << 20, 'q');
    const Entries entries = read(longField + ",\"" + longField + "\"");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size(), longField.size());
    EXPECT_EQ(entries[1].size(), longField.size());
    EXPECT_EQ(shownEntryText(entries[1]), std::string(256, 'q') + "\xE2\x80\xA6");
}

} // namespace
} // namespace tallywick

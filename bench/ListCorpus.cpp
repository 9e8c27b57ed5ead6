// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ListCorpus.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tallywick::bench {

namespace {

// A fixed linear congruential sequence: the corpus must not change between
// runs or machines.
class Sequence {
public:
    std::uint32_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    std::size_t below(std::size_t n) { return next() % n; }

private:
    std::uint64_t state_ = 0x7A11'7E1C'5EEDULL;
};

constexpr std::array<std::string_view, 12> kIssuers = {
    "American Express", "Capital One", "Chase",    "Citi", "Wells Fargo",   "Bank of America",
    "U.S. Bank",        "Discover",    "Barclays", "PNC",  "Crédit Mutuel", "Société Générale",
};

constexpr std::array<std::string_view, 10> kProducts = {
    "Business Gold",   "Business Platinum",  "Spark Cash",    "Ink Business Preferred",
    "Business Green",  "Blue Business Plus", "SkyMiles Gold", "Bonvoy Business",
    "Costco Anywhere", "Business Advantage",
};

constexpr std::array<std::string_view, 4> kKinds = {"Card", "Credit Card", "Rewards Card",
                                                    "Charge Card"};

constexpr std::string_view kProse =
    "Earn points on shipping, advertising, travel and office supplies, with no preset spending "
    "limit, employee cards at no extra cost, and an annual fee waived for the first year. ";

} // namespace

std::string typicalList(std::size_t entries) {
    Sequence random;
    std::string out;
    out.reserve(entries * 48);
    for (std::size_t i = 0; i < entries; ++i) {
        std::size_t issuer = random.below(kIssuers.size());
        // Accented issuers come up about one entry in fifty.
        if (issuer >= 10 && random.below(5) != 0) {
            issuer = random.below(10);
        }
        const std::string_view product = kProducts[random.below(kProducts.size())];
        const std::string_view kind = kKinds[random.below(kKinds.size())];
        const std::string number = std::to_string(i + 1);
        if (random.below(8) == 0) {
            out += '"';
            out += product;
            out += ' ';
            out += kind;
            out += ", ";
            out += kIssuers[issuer];
            out += ' ';
            out += number;
            out += '"';
        } else {
            out += kIssuers[issuer];
            out += ' ';
            out += product;
            out += ' ';
            out += kind;
            out += ' ';
            out += number;
        }
        out += "\r\n";
    }
    return out;
}

std::string longQuotedList(std::size_t entries) {
    Sequence random;
    std::string out;
    out.reserve(entries * 780);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t length = 500 + random.below(501);
        out += '"';
        out += kIssuers[random.below(10)];
        out += ' ';
        out += std::to_string(i + 1);
        out += ",\r\n";
        const std::size_t start = out.size();
        while (out.size() - start < length) {
            const std::size_t room = length - (out.size() - start);
            out.append(kProse.substr(0, room < kProse.size() ? room : kProse.size()));
        }
        out += "\"\r\n";
    }
    return out;
}

} // namespace tallywick::bench

// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/WebTargets.h"

#include "base/ProductFacts.h"

#include <algorithm>
#include <array>

namespace tallywick {

namespace {

// The publisher, its partners and the affiliate network are fictional, so
// their pages live under reserved .example domains. Affiliate account A is
// 10427, account B 20981.
constexpr auto kAddresses = std::to_array<std::string_view>({
    "https://www.tallywick.example/",
    "https://www.americanexpress.com/us/credit-cards/business/",
    "https://www.capitalone.com/small-business/credit-cards/",
    "https://www.homedepot.com/c/credit-center",
    "https://www.tallywick.example/business-credit/",
    "https://track.affiliate-network.example/click?aid=10427&oid=3in1-instant-report",
    "https://track.affiliate-network.example/click?aid=10427&oid=free-personal-report",
    "https://www.tallywick.example/credit-audit/",
    "https://track.affiliate-network.example/click?aid=20981&oid=debt-saviors",
    "https://track.affiliate-network.example/click?aid=10427&oid=lowerbillsnow",
    "https://track.affiliate-network.example/click?aid=10427&oid=preferred-financial-solutions",
    "https://track.affiliate-network.example/click?aid=10427&oid=credit-card-consolidators",
    "https://track.affiliate-network.example/click?aid=10427&oid=junum-credit-management",
    "https://apply.consolidation-partner.example/product/application?affid=TWK-5120",
    "https://www.community-bank.example/business/calculators/",
    "https://www.tallywick.example/loans/",
    "https://downloads.quillpress.example/quillpress-setup.exe",
    "https://www.tallywick.example/order-full-version/",
});
static_assert(kAddresses.size() == static_cast<std::size_t>(WebTarget::Count),
              "one address for each target, in the order of WebTarget");
static_assert(std::none_of(kAddresses.begin(), kAddresses.end(),
                           [](std::string_view address) { return address.empty(); }));
// The title bar names the publisher's site: its home page lies there.
static_assert(kAddresses[static_cast<std::size_t>(WebTarget::PublisherHome)].find(
                  kPublisherSiteName) != std::string_view::npos);

} // namespace

std::string_view webAddress(WebTarget target) noexcept {
    return kAddresses[static_cast<std::size_t>(target)];
}

} // namespace tallywick

// The product whose system requirements QuarvelSysTest checks.
#pragma once

#include <cstddef>
#include <string_view>

// An argument of several language strings (captions, summaries).
inline constexpr std::u16string_view kProductName = u"Quarvel 2012";

// The product version of the meta line: the product name without "Quarvel ".
inline constexpr size_t kProductNamePrefixLength = 8;
inline constexpr std::u16string_view kProductVersion =
    kProductName.substr(kProductNamePrefixLength);

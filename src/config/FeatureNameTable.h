#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plintor {

// The features a model family may offer, as bits of `UtilityConfig::features`.
enum Feature : std::uint32_t {
    FeatureIp = 1u << 0,
    FeatureWireless = 1u << 1,
    FeatureFax = 1u << 2,
    FeaturePanel = 1u << 3,   // operation-panel language
};

struct FeatureNameRow {
    std::uint32_t bit;        // a `Feature` value
    std::string_view name;    // as written in SUPPORT_FEATURE
};

// "IP", "Wireless", "FAX", "Panel", in bit order.
std::span<const FeatureNameRow> FeatureNameTable();

// The bit of the feature whose name equals `name` without regard to case, or 0.
// The name is not trimmed: " FAX" names no feature.
std::uint32_t FeatureBitOfName(std::string_view name);

}

#include "config/FeatureNameTable.h"

#include "config/TextCompare.h"

namespace plintor {

namespace {

constexpr FeatureNameRow featureNames[] = {
    {FeatureIp, "IP"},
    {FeatureWireless, "Wireless"},
    {FeatureFax, "FAX"},
    {FeaturePanel, "Panel"},
};

}

std::span<const FeatureNameRow> FeatureNameTable()
{
    return featureNames;
}

std::uint32_t FeatureBitOfName(std::string_view name)
{
    for (const FeatureNameRow& row : featureNames) {
        if (EqualsNoCase(row.name, name))
            return row.bit;
    }
    return 0;
}

}

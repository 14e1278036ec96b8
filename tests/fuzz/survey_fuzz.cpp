// libFuzzer target for the access point survey answer: whatever the printer answers, the
// survey read and its key=value fields give only access points that the answer names in
// full (SSID, a known encryption mode and link quality, an index below the count), in
// index order, with their SSIDs as valid UTF-8.
//
// Input: three shape bytes (chunk size, character set, reply cap), then the answer bytes.
#include "FuzzSupport.h"

#include "settings/ApSurvey.h"
#include "settings/KeywordTables.h"

#include <cstdio>
#include <map>

using namespace plintor;
using namespace plintor::fuzz;

namespace {

void CheckFields(const ApSurveyResult& result, const std::vector<std::string>& lines)
{
    // The key is the text before the first "="; the first line of a key gives its value,
    // one pair of surrounding quotes taken off.
    std::map<std::string, std::string> expected;
    for (const std::string& line : lines) {
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        expected.emplace(line.substr(0, equals), value);
    }
    Check(result.answerFields == expected, "the fields are the key=value lines, the first of a key winning");
}

void CheckAccessPoints(ApSurveyResult& result, int found)
{
    std::int32_t count = -1;
    if (!GetAnswerNumber(result, "FINDDATANUM", count) || count < 0) {
        Check(found == -1, "without a count no access point is read");
        return;
    }
    // Every index below the count whose SSID, encryption mode and link quality are all
    // there and known gives one access point, in index order.
    std::map<long long, AccessPointInfo> expected;
    for (const auto& [key, ssid] : result.answerFields) {
        long long i = -1;
        if (std::sscanf(key.c_str(), "DATA %lld SSID", &i) != 1 || i < 0 || i >= count
            || key != "DATA " + std::to_string(i) + " SSID")
            continue;
        std::string prefix = "DATA " + std::to_string(i) + " ";
        std::string security, quality;
        if (!GetAnswerField(result, prefix + "Encryption Mode", security)
            || !GetAnswerField(result, prefix + "Link Quality", quality))
            continue;
        const CodedKeyword* s = CodedRowOfKeyword(ApSecurityTable, security);
        const CodedKeyword* q = CodedRowOfKeyword(LinkQualityTable, quality);
        if (s && q)
            expected[i] = AccessPointInfo{ssid, s->code, q->code};
    }
    std::vector<AccessPointInfo> points;
    for (const auto& [index, point] : expected)
        points.push_back(point);
    Check(found == static_cast<int>(result.accessPoints.size()), "the number read is the number kept");
    Check(result.accessPoints == points, "the access points are the complete entries below the count, in order");
    for (const AccessPointInfo& point : result.accessPoints)
        Check(IsValidUtf8(point.ssid), "an SSID is valid UTF-8");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    ReadShape shape = TakeReadShape(input);

    std::vector<PjlRequest> requests{PjlRequest{kApSurveyRequest, {}}};
    PjlExchange exchange;
    exchange.command = kApSurveyRequest;
    if (!CheckedBatchRead(input.Rest(), shape, exchange, requests))
        return 0;
    const std::vector<std::string>& lines = requests.front().lines;

    // The steps of the survey after its read, as the survey takes them.
    ApSurveyResult result;
    ParseAnswerFields(result, lines);
    CheckFields(result, lines);
    bool status = ReadDataStatus(result);
    std::string value;
    Check(status == GetAnswerField(result, "DATASTATUS", value), "the status is read when DATASTATUS is there");
    Check(result.dataStatus == (value == "1" ? 1 : value == "0" ? 0 : -1), "the status is 1, 0 or unknown");
    CheckAccessPoints(result, ParseAccessPoints(result));
    return 0;
}

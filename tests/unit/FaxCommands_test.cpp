#include "settings/FaxCommands.h"

#include "config/UtilityConfig.h"
#include "settings/FaxRead.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

UtilityConfig AllFaxValues()
{
    UtilityConfig config;
    config.faxCountries = {244, 94, 84};
    config.faxLineTypes = {1, 2};
    config.faxDialTypes = {1, 2, 3};
    config.faxReceiveModes = {1, 2, 3, 4, 5};
    config.faxDrpdPatterns = {1, 2, 3, 4, 5, 6, 7};
    config.faxDefaults.country = 244;
    config.faxDefaults.drpdPattern = 4;
    return config;
}

std::vector<PjlRequest> Requests(std::int32_t variant)
{
    std::string job;
    std::vector<PjlRequest> requests;
    BuildFaxReadJob(&job, requests, variant);
    return requests;
}

void Answer(std::vector<PjlRequest>& requests, const std::string& command, std::vector<std::string> lines)
{
    for (PjlRequest& request : requests) {
        if (request.command == command)
            request.lines = std::move(lines);
    }
}

constexpr std::int64_t kGermany = 94;

TEST(FaxCommands, ReadJobsLongAndShort)
{
    std::string job = "X";
    std::vector<PjlRequest> requests;
    BuildFaxReadJob(&job, requests, 1);
    EXPECT_EQ(job,
              "X@PJL DINQUIRE IWAFAXFUNC\r\n"
              "@PJL DINQUIRE FAX_SET_COUNTRY\r\n"
              "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n"
              "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n"
              "@PJL DINQUIRE FAX_SET_RCV_MODE\r\n"
              "@PJL DINQUIRE FAX_SET_DRPD\r\n"
              "@PJL DINQUIRE FAX_SET_SD_HEAD_NAME\r\n"
              "@PJL DINQUIRE FAX_SET_G3ID\r\n");
    ASSERT_EQ(requests.size(), 8u);
    EXPECT_EQ(requests[0].command, "@PJL DINQUIRE IWAFAXFUNC\r\n");
    EXPECT_EQ(requests[7].command, "@PJL DINQUIRE FAX_SET_G3ID\r\n");
    EXPECT_EQ(Requests(0).size(), 7u);
    EXPECT_EQ(Requests(-1).size(), 7u);
    EXPECT_EQ(Requests(-1)[0].command, "@PJL DINQUIRE FAX_SET_COUNTRY\r\n");
    EXPECT_TRUE(Requests(2).empty());
    requests.clear();
    BuildFaxReadJob(nullptr, requests, 1);
    EXPECT_TRUE(requests.empty());
}

TEST(FaxCommands, AnswersBecomeCodes)
{
    UtilityConfig config = AllFaxValues();
    std::vector<PjlRequest> requests = Requests(-1);
    Answer(requests, "@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {"france"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n", {"PSTN"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n", {"DP10"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_RCV_MODE\r\n", {"FAX"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_DRPD\r\n", {"PAT2", "ignored"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_SD_HEAD_NAME\r\n", {" Acme \"Ltd\" "});
    Answer(requests, "@PJL DINQUIRE FAX_SET_G3ID\r\n", {"+49 30 1234"});
    FaxSettings record = config.faxDefaults;
    record.lineType = 2;
    ApplyFaxAnswers(requests, record, config, [] { return -1; });
    EXPECT_EQ(record.country, 84u);
    EXPECT_EQ(record.lineType, 1u);
    EXPECT_EQ(record.dialType, 2u);
    EXPECT_EQ(record.receiveMode, 2u);
    EXPECT_EQ(record.drpdPattern, 2u);
    EXPECT_EQ(record.companyName, " Acme \"Ltd\" ");
    EXPECT_EQ(record.faxNumber, "+49 30 1234");
    EXPECT_EQ(record.faxEnabled, 1u);  // the short job never changes it
}

TEST(FaxCommands, LowerCaseAndUnofferedValues)
{
    UtilityConfig config = AllFaxValues();
    config.faxDialTypes = {1};
    std::vector<PjlRequest> requests = Requests(1);
    Answer(requests, "@PJL DINQUIRE IWAFAXFUNC\r\n", {"off"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n", {"pbx"});
    Answer(requests, "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n", {"DP20"});  // not offered
    Answer(requests, "@PJL DINQUIRE FAX_SET_RCV_MODE\r\n", {"VOICE"});  // no such row
    Answer(requests, "@PJL DINQUIRE FAX_SET_SD_HEAD_NAME\r\n", {""});
    FaxSettings record = config.faxDefaults;
    record.companyName = "default";
    ApplyFaxAnswers(requests, record, config, [] { return -1; });
    EXPECT_EQ(record.faxEnabled, 0u);
    EXPECT_EQ(record.lineType, 2u);
    EXPECT_EQ(record.dialType, 1u);
    EXPECT_EQ(record.receiveMode, 2u);
    EXPECT_EQ(record.companyName, "");  // an empty first line is a value
    Answer(requests, "@PJL DINQUIRE IWAFAXFUNC\r\n", {"MAYBE"});
    ApplyFaxAnswers(requests, record, config, [] { return -1; });
    EXPECT_EQ(record.faxEnabled, 0u);
}

TEST(FaxCommands, CountryFallsBackToTheWorkstationNation)
{
    UtilityConfig config = AllFaxValues();
    auto inGermany = [] { return kGermany; };
    // An answer that names no country row.
    std::vector<PjlRequest> requests = Requests(-1);
    Answer(requests, "@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {"ATLANTIS"});
    FaxSettings record = config.faxDefaults;
    ApplyFaxAnswers(requests, record, config, inGermany);
    EXPECT_EQ(record.country, 94u);
    // No answer at all for the country request also falls back.
    requests = Requests(-1);
    record = config.faxDefaults;
    ApplyFaxAnswers(requests, record, config, inGermany);
    EXPECT_EQ(record.country, 94u);
    // Germany not offered: the default stays; an unknown nation likewise.
    config.faxCountries = {244, 84};
    record = config.faxDefaults;
    ApplyFaxAnswers(requests, record, config, inGermany);
    EXPECT_EQ(record.country, 244u);
    ApplyFaxAnswers(requests, record, config, [] { return -1; });
    EXPECT_EQ(record.country, 244u);
    // A country the printer names but the configuration does not offer also falls back.
    Answer(requests, "@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {"GERMANY"});
    config.faxCountries = {244, 84};
    ApplyFaxAnswers(requests, record, config, [] { return 84; });
    EXPECT_EQ(record.country, 84u);
}

TEST(FaxCommands, SaveLinesWithTheDrpdRule)
{
    UtilityConfig config = AllFaxValues();
    config.faxDefaults.drpdPattern = 4;
    FaxSettings fax;
    fax.country = 244;
    fax.lineType = 2;
    fax.dialType = 3;
    fax.receiveMode = 3;
    fax.drpdPattern = 6;
    fax.companyName = "Acme \"Ltd\"";
    fax.faxNumber = "+1 555 0100";
    std::string job = "A\r\n";
    ASSERT_TRUE(AppendFaxCommands(fax, &job, config));
    EXPECT_EQ(job,
              "A\r\n"
              "@PJL DEFAULT IWAFAXFUNCSAVE=ON\r\n"
              "@PJL DEFAULT FAX_SET_COUNTRY_SAVE=UNITEDSTATES\r\n"
              "@PJL DEFAULT FAX_SET_LINE_TYPE_SAVE=PBX\r\n"
              "@PJL DEFAULT FAX_SET_DIAL_TYPE_SAVE=DP20\r\n"
              "@PJL DEFAULT FAX_SET_RCV_MODE_SAVE=TELFAX\r\n"
              "@PJL DEFAULT FAX_SET_DRPD_SAVE=PAT4\r\n"
              "@PJL DEFAULT FAX_SET_SD_HEAD_NAME_SAVE=\"Acme \"Ltd\"\"\r\n"
              "@PJL DEFAULT FAX_SET_G3ID_SAVE=\"+1 555 0100\"\r\n"
              "@PJL NVMINIT FAXSAVE\r\n");
    fax.receiveMode = 5;
    job.clear();
    ASSERT_TRUE(AppendFaxCommands(fax, &job, config));
    EXPECT_NE(job.find("@PJL DEFAULT FAX_SET_RCV_MODE_SAVE=DRPD\r\n@PJL DEFAULT FAX_SET_DRPD_SAVE=PAT6\r\n"),
              std::string::npos);
}

TEST(FaxCommands, DeclinedFaxAndCodesOutsideTheTables)
{
    UtilityConfig config = AllFaxValues();
    FaxSettings fax;
    fax.country = 94;
    fax.faxEnabled = 0;
    std::string job;
    EXPECT_TRUE(AppendFaxCommands(fax, &job, config));
    EXPECT_TRUE(job.empty());
    EXPECT_FALSE(AppendFaxCommands(fax, nullptr, config));
    fax.faxEnabled = 1;
    fax.lineType = 9;
    EXPECT_FALSE(AppendFaxCommands(fax, &job, config));
    EXPECT_TRUE(job.empty());
    fax.lineType = 1;
    fax.country = FaxSettings::kNoCountry;
    EXPECT_FALSE(AppendFaxCommands(fax, &job, config));
    EXPECT_TRUE(job.empty());
}

TEST(FaxCommands, MembershipInTheConfiguration)
{
    UtilityConfig config = AllFaxValues();
    EXPECT_TRUE(IsCountryAllowed(config, 94));
    EXPECT_FALSE(IsCountryAllowed(config, 122));
    EXPECT_FALSE(IsCountryAllowed(config, -1));
    EXPECT_TRUE(IsFaxValueAllowed(config, FaxTableKind::RingPattern, 7));
    config.faxDrpdPatterns = {1};
    EXPECT_FALSE(IsFaxValueAllowed(config, FaxTableKind::RingPattern, 7));
    EXPECT_TRUE(IsFaxValueAllowed(config, FaxTableKind::LineType, 2));
}

}
}

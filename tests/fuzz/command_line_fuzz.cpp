// libFuzzer target for the command line: any arguments are split into the front ends'
// "--" options and start-up's command line without losing or inventing a word, and start-up
// reads that line, in any letter case alike, into run options within their ranges and a
// start page of the wizard (or none).
//
// Input: the arguments, separated by NUL bytes.
#include "FuzzSupport.h"

#include "app/CPlintorApp.h"
#include "app/CommandLine.h"
#include "config/TextCompare.h"
#include "wizard/PageIndex.h"

#include <algorithm>
#include <cctype>

using namespace plintor;
using namespace plintor::fuzz;

namespace {

struct RunOptions {
    bool parsed = false;
    std::int32_t hasOptions, optConnection, optBackButton, faxPageVariant, optCheckWlan, fileMode;
    std::uint32_t optConfigure;
    std::uint16_t optLanguage;
    bool operator==(const RunOptions&) const = default;
};

RunOptions ReadOptions(const std::string& commandLine, CPlintorApp& app)
{
    app.commandLine = commandLine;
    RunOptions o;
    o.parsed = app.ParseCommandLine();
    o.hasOptions = app.hasOptions;
    o.optConnection = app.optConnection;
    o.optBackButton = app.optBackButton;
    o.faxPageVariant = app.faxPageVariant;
    o.optCheckWlan = app.optCheckWlan;
    o.fileMode = app.fileMode;
    o.optConfigure = app.optConfigure;
    o.optLanguage = app.optLanguage;
    return o;
}

void CheckStartUp(const std::string& commandLine)
{
    CPlintorApp app{StartUpServices{}};
    app.config = SampleConfiguration();
    RunOptions options = ReadOptions(commandLine, app);

    std::string lower = ToLowerAscii(commandLine);
    auto has = [&](std::string_view option) { return lower.find(option) != std::string::npos; };
    Check(options.parsed == (has("/select") || !has("/ip") || !has("/wireless")),
          "the command line is refused exactly for /ip with /wireless without /select");

    std::string upper = commandLine;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    CPlintorApp again{StartUpServices{}};
    again.config = app.config;
    Check(ReadOptions(upper, again) == options, "letter case does not matter in the command line");
    if (!options.parsed)
        return;

    Check(options.hasOptions == 0 || options.hasOptions == 1, "options are given or not");
    Check(options.optConnection >= -1 && options.optConnection <= 2, "the connection option is select, USB or network");
    Check(options.faxPageVariant >= -1 && options.faxPageVariant <= 1, "the FAX page option is top or flow");
    Check(options.optConfigure <= 0x1F, "the configuration option holds only the five kinds");
    Check(options.optBackButton <= 1 && options.optCheckWlan <= 1 && options.fileMode <= 1, "switches are 0 or 1");

    app.ResolveRunOptions();
    Check(app.connectionMode >= -1 && app.connectionMode <= 2, "the connection mode is one of the four");
    Check(app.configureFlags != 0 && app.configureFlags <= 0x1F, "something is configured, and only the five kinds");
    Check(app.backButtonFlag <= 1 && app.checkWlan <= 1, "run switches are 0 or 1");
    int page = app.ComputeStartPage();
    Check(page >= kPageNone && page < kPageCount, "the start page is a page of the wizard, or none");

    for (std::string_view prefix : {"/langid:", "/mode:", "/run:"}) {
        std::string value = GetOptionValue(commandLine, prefix);
        Check(value == ToLowerAscii(value), "an option value is lower-cased");
        Check(value.find_first_of(" \t/") == std::string::npos, "an option value ends at a blank or a slash");
        Check(value.empty() || (value.front() != '"' && value.back() != '"'), "an option value loses its quotes");
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments{"plintor"};
    while (!text.empty() && arguments.size() < 32) {
        std::size_t nul = text.find('\0');
        arguments.emplace_back(text.substr(0, nul));
        text.remove_prefix(nul == std::string_view::npos ? text.size() : nul + 1);
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    ProgramArguments split = SplitProgramArguments(static_cast<int>(arguments.size()), argv.data());

    // Without any "--" argument every argument reaches start-up, in order, quoted when it
    // holds blanks, one blank before each once the line has begun; "--" options never do.
    bool frontEndOptions = std::any_of(arguments.begin() + 1, arguments.end(),
                                       [](const std::string& a) { return a.starts_with("--"); });
    if (!frontEndOptions) {
        std::string joined;
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            bool quote = arguments[i].find_first_of(" \t") != std::string::npos;
            joined += (joined.empty() ? "" : " ") + std::string(quote ? "\"" : "") + arguments[i] + (quote ? "\"" : "");
        }
        Check(split.commandLine == joined, "without \"--\" options every argument reaches start-up");
        Check(!split.help && !split.version && split.scriptPath.empty() && split.frontEnd.empty(),
              "without \"--\" options the front ends get none");
    }
    for (const std::string& option : split.frontEnd)
        Check(option.starts_with("--") && std::find(arguments.begin(), arguments.end(), option) != arguments.end(),
              "a front-end option is one of the \"--\" arguments");
    Check(!split.help || std::any_of(arguments.begin() + 1, arguments.end(),
                                     [](const std::string& a) { return a.starts_with("--help"); }),
          "help is asked for only by --help");

    CheckStartUp(split.commandLine);
    return 0;
}

#include "app/CommandLine.h"

#include "config/TextCompare.h"

namespace plintor {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Front-end options that take the next argument as their value.
constexpr std::string_view kValueOptions[] = {"--script"};

bool TakesValue(std::string_view option)
{
    for (std::string_view name : kValueOptions) {
        if (option == name)
            return true;
    }
    return false;
}

}

std::string GetOptionValue(std::string_view line, std::string_view prefix)
{
    std::string lowerLine = ToLowerAscii(line);
    std::string lowerPrefix = ToLowerAscii(prefix);
    if (lowerPrefix.empty())
        return {};
    std::size_t at = lowerLine.find(lowerPrefix);
    if (at == std::string::npos)
        return {};
    std::string_view rest = std::string_view(lowerLine).substr(at + lowerPrefix.size());
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]) && rest[end] != '/')
        ++end;
    std::string_view value = rest.substr(0, end);
    while (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    while (!value.empty() && (IsBlank(value.back()) || value.back() == '"'))
        value.remove_suffix(1);
    return std::string(value);
}

ProgramArguments SplitProgramArguments(int argc, const char* const* argv)
{
    ProgramArguments result;
    for (int i = 1; i < argc && argv != nullptr; ++i) {
        if (argv[i] == nullptr)
            break;
        std::string_view argument = argv[i];
        if (argument.starts_with("--")) {
            std::string_view name = argument.substr(0, argument.find('='));
            bool inlineValue = name.size() < argument.size();
            std::string value;
            if (TakesValue(name)) {
                if (inlineValue) {
                    value = argument.substr(name.size() + 1);
                } else if (i + 1 < argc && argv[i + 1] != nullptr) {
                    value = argv[++i];
                } else {
                    result.error = std::string(name) + " needs a value";
                    continue;
                }
            }
            if (name == "--help")
                result.help = true;
            else if (name == "--version")
                result.version = true;
            else if (name == "--script")
                result.scriptPath = value;
            else
                result.frontEnd.emplace_back(argument);
            continue;
        }
        if (!result.commandLine.empty())
            result.commandLine += ' ';
        // An argument with blanks is quoted, as it was typed.
        bool quote = argument.find_first_of(" \t") != std::string_view::npos;
        if (quote)
            result.commandLine += '"';
        result.commandLine += argument;
        if (quote)
            result.commandLine += '"';
    }
    return result;
}

std::string ProgramUsage()
{
    return "Usage: plintor [OPTION...]\n"
           "Configures a multifunction printer over the network or a USB cable.\n"
           "\n"
           "Options (letter case does not matter):\n"
           "  /langid:N         show the interface in language N (a decimal LANGID, e.g. 1031)\n"
           "  /mode:KIND        connection: select (ask), usb or network\n"
           "  /select           let the user choose what to configure\n"
           "  /ip               configure the IP address settings\n"
           "  /wireless         configure the wireless LAN settings (not with /ip)\n"
           "  /fax              configure the FAX settings\n"
           "  /panel            set the operation panel's language\n"
           "  /no_backbtn       the first page has no Back button\n"
           "  /run:top|flow     the FAX settings page to use\n"
           "  /check:wlan       offer only printers with a wireless adapter\n"
           "  /filemode         write the settings job to a file instead of the printer\n"
           "\n"
           "  --script FILE     run the wizard headless from a script\n"
           "  --discover        list the printers discovery finds, one per line, and exit\n"
           "  --release-queues  resume the print queues that a run left paused\n"
           "                    (after a crash or a power cut) and exit\n"
           "  --help            show this text and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "The configuration file is plintor.ini beside the program, else /etc/plintor/plintor.ini.\n";
}

}

// Prints how fast the configuration reader parses files: the sample configuration, a file
// of many short keys, and a file of megabyte lines.
#include "config/IniFile.h"
#include "config/LoadConfiguration.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace plintor;

namespace {

template <typename Body>
double Seconds(int rounds, Body body)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
}

void Report(const char* name, const std::string& text, int rounds)
{
    double s = Seconds(rounds, [&] { IniFile::Parse(text); });
    std::printf("%-28s %10zu bytes  %10.3f ms  %8.1f MB/s\n", name, text.size(), s * 1e3, text.size() / s / 1e6);
}

}

int main(int argc, char** argv)
{
    // The sample configuration: the first argument, or the one of this source tree.
    std::string source = __FILE__;
    std::string samplePath = argc > 1 ? argv[1]
                                      : source.substr(0, source.rfind("/tests/")) + "/resources/plintor.ini";
    std::ifstream in(samplePath);
    std::stringstream sample;
    sample << in.rdbuf();
    Report("sample plintor.ini", sample.str(), 2000);

    std::string many = "[Utility Language Setting]\n";
    for (int i = 0; i < 200000; ++i)
        many += "UTIL_LANG_" + std::to_string(i) + "=1033\n";
    Report("200000 short keys", many, 5);

    std::string huge = "[General Setting]\n";
    for (int i = 0; i < 16; ++i)
        huge += "KEY" + std::to_string(i) + "=" + std::string(4u << 20, 'v') + "\n";
    Report("16 lines of 4 MiB", huge, 3);

    UtilityConfig config;
    IniFile file = IniFile::Parse(sample.str());
    double s = Seconds(2000, [&] {
        config = {};
        LoadConfiguration(config, file, [](std::uint16_t) { return true; });
    });
    std::printf("%-28s %10.3f us\n", "LoadConfiguration (sample)", s * 1e6);
    return 0;
}

// Benchmark (not a test): the time of 1,000 Query round trips against the stand-in printer
// on loopback, and the peak memory of an exchange fed an oversized answer.
//
//   channel_query_bench [ROUNDS]
//
// Runs plintor-printer from its own folder on 127.0.0.1 with an ephemeral port. Run it in a
// namespace of its own: unshare --net -- sh -c 'ip link set lo up; ./channel_query_bench'

#include "channel/CNetConnect.h"
#include "platform/ProgramPath.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Printer {
    pid_t pid = -1;
    int port = 0;
    std::string folder;

    explicit Printer(std::vector<std::string> extra)
    {
        std::string pattern = (fs::temp_directory_path() / "plintor-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data()) ? pattern : std::string();
        std::string ready = folder + "/ready";
        std::vector<std::string> arguments = {plintor::platform::ProgramFolder() + "/plintor-printer",
                                              "--bind", "127.0.0.1", "--pjl-port", "0",
                                              "--port-file", ready};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        pid = fork();
        if (pid == 0) {
            execv(argv[0], argv.data());
            _exit(127);
        }
        auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline && !fs::exists(ready))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::ifstream(ready) >> port;
    }

    ~Printer()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

// A field of /proc/self/status in kB.
long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size());
    return -1;
}

double Percentile(const std::vector<double>& sorted, double p)
{
    double index = p * (sorted.size() - 1);
    std::size_t low = static_cast<std::size_t>(std::floor(index));
    std::size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (sorted[high] - sorted[low]) * (index - low);
}

}

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (rounds < 1)
        rounds = 1000;

    Printer printer({});
    if (printer.port <= 0) {
        std::fprintf(stderr, "channel_query_bench: the stand-in printer did not start\n");
        return 1;
    }
    std::vector<double> micros;
    micros.reserve(rounds);
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        plintor::CNetConnect channel;
        channel.port = std::to_string(printer.port);
        auto start = Clock::now();
        bool ok = channel.Query("127.0.0.1", "@PJL INFO ID\r\n");
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        failures += !ok;
    }
    std::sort(micros.begin(), micros.end());
    double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / micros.size();
    double variance = 0;
    for (double m : micros)
        variance += (m - mean) * (m - mean);
    double deviation = std::sqrt(variance / micros.size());
    std::printf("Query round trips on loopback: %d (failed %d)\n", rounds, failures);
    std::printf("  median %.1f us   p10 %.1f us   p90 %.1f us   p99 %.1f us\n", Percentile(micros, 0.5),
                Percentile(micros, 0.1), Percentile(micros, 0.9), Percentile(micros, 0.99));
    std::printf("  min %.1f us   max %.1f us   mean %.1f us   stddev %.1f us   IQR %.1f us\n", micros.front(),
                micros.back(), mean, deviation, Percentile(micros, 0.75) - Percentile(micros, 0.25));

    // Oversized answer: 8 MiB to a batch read, which accumulates (and stops at the cap).
    Printer flood({"--fault", "oversized=8388608"});
    if (flood.port <= 0) {
        std::fprintf(stderr, "channel_query_bench: the oversized stand-in did not start\n");
        return 1;
    }
    std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak resident size
    long before = StatusKb("VmHWM:");
    long rssBefore = StatusKb("VmRSS:");
    std::size_t kept = 0;
    bool answered = false;
    double millis = 0;
    {
        plintor::CNetConnect channel;
        channel.port = std::to_string(flood.port);
        channel.bounds.pause = std::chrono::milliseconds(0);
        std::vector<plintor::PjlRequest> requests{{"@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {}}};
        auto start = Clock::now();
        answered = channel.QueryBatch("127.0.0.1", "@PJL DINQUIRE FAX_SET_COUNTRY\r\n", requests);
        millis = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        kept = channel.exchange.reply.size();
    }
    long peak = StatusKb("VmHWM:");
    std::printf("Oversized answer (8 MiB sent) to QueryBatch: result %s, kept %zu bytes, %.0f ms\n",
                answered ? "success" : "failure", kept, millis);
    std::printf("  resident before %ld kB, peak during the exchange %ld kB (+%ld kB; peak before %ld kB)\n",
                rssBefore, peak, peak - rssBefore, before);
    return 0;
}

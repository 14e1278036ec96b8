// Benchmark (not a test): the time of Query round trips against the stand-in printer on
// loopback (answering in segments, as by default, and in one write), the peak memory of an
// exchange fed an oversized answer, the batch matcher's time on a 1 MiB answer read in
// 1 KiB chunks, and the wall time of a USB search pass with and without a silent device.
//
//   channel_query_bench [ROUNDS]
//
// Runs plintor-printer from its own folder on 127.0.0.1 with an ephemeral port. Run it in a
// namespace of its own: unshare --net -- sh -c 'ip link set lo up; ./channel_query_bench'

#include "channel/CNetConnect.h"
#include "channel/PjlFraming.h"
#include "channel/PjlReads.h"
#include "config/UtilityConfig.h"
#include "core/ConfigureFlags.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/UsbDiscovery.h"
#include "platform/AnsiCodePage.h"
#include "platform/ProgramPath.h"
#include "settings/FaxCommands.h"

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

    // `usbTree`: also a USB printer in that folder's fake class tree.
    explicit Printer(std::vector<std::string> extra, const std::string& usbTree = {})
    {
        std::string pattern = (fs::temp_directory_path() / "plintor-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data()) ? pattern : std::string();
        std::string ready = folder + "/ready";
        std::vector<std::string> arguments = {plintor::platform::ProgramFolder() + "/plintor-printer",
                                              "--bind", "127.0.0.1", "--pjl-port", "0",
                                              "--port-file", ready};
        if (!usbTree.empty()) {
            arguments.push_back("--usb");
            arguments.push_back(usbTree);
        }
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

// Query round trips against a stand-in started with `extra`; false when it did not start.
bool QueryRoundTrips(const char* title, std::vector<std::string> extra, int rounds)
{
    Printer printer(std::move(extra));
    if (printer.port <= 0) {
        std::fprintf(stderr, "channel_query_bench: the stand-in printer did not start\n");
        return false;
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
    std::printf("Query round trips on loopback, %s: %d (failed %d)\n", title, rounds, failures);
    std::printf("  median %.1f us   p10 %.1f us   p90 %.1f us   p99 %.1f us\n", Percentile(micros, 0.5),
                Percentile(micros, 0.1), Percentile(micros, 0.9), Percentile(micros, 0.99));
    std::printf("  min %.1f us   max %.1f us   mean %.1f us   stddev %.1f us   IQR %.1f us\n", micros.front(),
                micros.back(), mean, deviation, Percentile(micros, 0.75) - Percentile(micros, 0.25));
    return true;
}

// The FAX inquiry's batch answer grown to 1 MiB by short status blocks ahead of the answer
// blocks (a chatty printer), read in 1 KiB chunks: the accumulating read with its
// incremental matcher, against re-running the whole-reply matcher after every chunk that
// completes a block, as the read used to.
void BatchMatcherOnALargeAnswer()
{
    std::string job;
    std::vector<plintor::PjlRequest> requests;
    plintor::BuildFaxReadJob(&job, requests, 1);
    const std::size_t target = std::size_t(1) << 20;
    std::string answers;
    for (const auto& request : requests)
        answers += request.command + "VALUE\r\n?\r\n\x0c";
    const std::string status = "@PJL USTATUS JOB\r\nEND\r\n\x0c";
    std::string answer;
    while (answer.size() + status.size() + answers.size() <= target)
        answer += status;
    answer += answers;
    const std::size_t chunk = 1024;
    plintor::platform::CAnsiCodePage latin1("ISO-8859-1");

    std::size_t offset = 0;
    plintor::ChunkReader reader = [&](std::string& bytes, std::chrono::milliseconds) {
        if (offset >= answer.size()) {
            bytes.clear();
            return plintor::platform::IoResult::Closed;
        }
        bytes = answer.substr(offset, chunk);
        offset += bytes.size();
        return plintor::platform::IoResult::Ok;
    };
    plintor::PjlExchange exchange;
    plintor::ChannelBounds bounds;
    bounds.maxReplyBytes = answer.size() + 1;
    auto incremental = requests;
    auto start = Clock::now();
    bool complete = plintor::ReadUntilComplete(exchange, incremental, latin1, bounds, reader);
    double newMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

    auto rescanned = requests;
    plintor::PjlExchange again;
    start = Clock::now();
    bool finished = true;
    for (std::size_t end = chunk; end < answer.size() + chunk; end += chunk) {
        again.reply.assign(answer, 0, std::min(end, answer.size()));
        plintor::MatchBatch(again, rescanned);
        if (std::chrono::duration<double>(Clock::now() - start).count() > 120) {
            finished = false; // enough to show the difference
            break;
        }
    }
    double oldMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    bool agree = true;
    for (std::size_t i = 0; i < requests.size(); ++i)
        agree = agree && incremental[i].lines == rescanned[i].lines;
    std::printf("Batch matcher, FAX inquiry (%zu requests), %zu-byte answer (%zu status blocks first) in %zu-byte chunks:\n",
                requests.size(), answer.size(), (answer.size() - answers.size()) / status.size(), chunk);
    std::printf("  accumulating read with the incremental matcher %.1f ms (every request answered: %s)\n", newMs,
                complete ? "yes" : "no");
    std::printf("  whole-reply matcher after every chunk %.1f ms%s; same lines: %s\n", oldMs,
                finished ? "" : " (stopped after 120 s)", finished ? (agree ? "yes" : "NO") : "not compared");
}

// The wall time of USB search passes over stand-ins in one fake class tree.
void UsbSearchPasses()
{
    std::string pattern = (fs::temp_directory_path() / "plintor-bench-usb-XXXXXX").string();
    std::string tree = mkdtemp(pattern.data()) ? pattern : std::string();
    plintor::UtilityConfig config;
    config.usbIds = {"PLINTOR MFP 9000"};
    plintor::platform::UsbRoots roots;
    roots.sysRoot = tree + "/sys";
    roots.devRoot = tree + "/dev";
    auto pass = [&](const char* title) {
        plintor::PrinterList list;
        plintor::DiscoveryContext context;
        context.config = &config;
        context.printers = &list;
        context.configureFlags = plintor::kConfigureIp;
        context.configFilePath = tree + "/absent.ini";
        context.usbRoots = roots;
        int noModule = 0;
        auto start = Clock::now();
        int found = plintor::DiscoverUsb(context, noModule);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("  %-40s %d listed, %.3f s\n", title, found, seconds);
    };
    std::printf("USB search pass (identification and capability query, search bound %lld ms):\n",
                static_cast<long long>(plintor::UsbSearchQuery.count()));
    {
        Printer answering({}, tree);
        pass("one answering printer, no silent device:");
        Printer silent({"--fault", "silent"}, tree);
        pass("one answering printer, one silent device:");
    }
    std::error_code ignored;
    fs::remove_all(tree, ignored);
}

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    if (rounds < 1)
        rounds = 200;

    if (!QueryRoundTrips("answers in segments 10 ms apart (the stand-in's default)", {}, rounds))
        return 1;
    if (!QueryRoundTrips("answers in segments 50 ms apart", {"--segment-pause", "50"}, rounds / 4 + 1))
        return 1;
    if (!QueryRoundTrips("answers in one write", {"--segment-pause", "0"}, rounds))
        return 1;
    BatchMatcherOnALargeAnswer();
    UsbSearchPasses();

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

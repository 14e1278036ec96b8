#include "platform/NameLookup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <netinet/in.h>

namespace plintor::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A resolver that hangs until the test lets it go, as one behind an unreachable name
// server does; it answers with one IPv4 address when let go.
struct HangingResolver {
    struct Gate {
        std::mutex mutex;
        std::condition_variable changed;
        bool open = false;
        bool returned = false;
        int calls = 0;
    };
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();

    Resolver Get() const
    {
        return [gate = gate](const std::string&, const std::string&, const LookupHints&) {
            std::unique_lock lock(gate->mutex);
            ++gate->calls;
            gate->changed.wait(lock, [&] { return gate->open; });
            ResolvedAddress address;
            address.family = AF_INET;
            address.length = sizeof(sockaddr_in);
            reinterpret_cast<sockaddr_in&>(address.address).sin_family = AF_INET;
            gate->returned = true;
            gate->changed.notify_all();
            return std::vector<ResolvedAddress>{address};
        };
    }

    void Release() const
    {
        std::lock_guard lock(gate->mutex);
        gate->open = true;
        gate->changed.notify_all();
    }

    bool WaitReturned() const
    {
        std::unique_lock lock(gate->mutex);
        return gate->changed.wait_for(lock, 5s, [&] { return gate->returned; });
    }
};

TEST(NameLookup, AHangingResolverCostsTheCallerOnlyItsBoundAndIsAbandonedSafely)
{
    HangingResolver hanging;
    auto start = Clock::now();
    {
        CNameLookup lookup(hanging.Get());
        EXPECT_TRUE(lookup.Resolve("printer.example", "9100", LookupHints{}, 150ms).empty());
    } // the lookup object is gone while its resolver still runs
    auto waited = Clock::now() - start;
    EXPECT_GE(waited, 150ms);
    EXPECT_LT(waited, 5s);
    // The abandoned lookup finishes later without anybody waiting for it.
    hanging.Release();
    EXPECT_TRUE(hanging.WaitReturned());
    EXPECT_EQ(hanging.gate->calls, 1);
}

TEST(NameLookup, NumericAddressesNeverReachTheResolver)
{
    HangingResolver hanging;
    hanging.Release();
    CNameLookup lookup(hanging.Get());
    LookupHints stream;
    stream.socketType = SOCK_STREAM;
    auto v4 = lookup.Resolve("127.0.0.1", "9100", stream, 1s);
    ASSERT_EQ(v4.size(), 1u);
    EXPECT_EQ(v4[0].family, AF_INET);
    EXPECT_EQ(ntohs(reinterpret_cast<const sockaddr_in&>(v4[0].address).sin_port), 9100);
    auto v6 = lookup.Resolve("::1", {}, stream, 1s);
    ASSERT_FALSE(v6.empty());
    EXPECT_EQ(v6[0].family, AF_INET6);
    EXPECT_EQ(hanging.gate->calls, 0);
    // A name goes to the resolver, whose answer comes back within the bound.
    EXPECT_EQ(lookup.Resolve("printer.example", {}, stream, 5s).size(), 1u);
    EXPECT_EQ(hanging.gate->calls, 1);
    EXPECT_TRUE(lookup.Resolve("", {}, stream, 1s).empty());
}

}
}

#include "discovery/SnmpClient.h"
#include "discovery/SnmpCodec.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace plintor;

namespace {

// A scripted agent on 127.0.0.1: for every request it reads it calls the script, which
// sends what the test wants from where the test wants.
class ScriptedAgent {
public:
    struct Request {
        sockaddr_in from;
        std::int32_t requestId;
        std::vector<std::uint8_t> bytes;
    };
    using Script = std::function<void(ScriptedAgent&, const Request&)>;

    explicit ScriptedAgent(Script script) : script(std::move(script))
    {
        fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t length = sizeof a;
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
        port = ntohs(a.sin_port);
        worker = std::thread([this] { Serve(); });
    }
    ~ScriptedAgent()
    {
        stop = true;
        worker.join();
        close(fd);
    }

    std::uint16_t Port() const { return port; }
    int Requests() const { return requests; }

    // Sends bytes to the requester from 127.0.0.1 (the agent's socket) or from another
    // loopback address.
    void SendFrom(const char* source, const Request& to, const std::vector<std::uint8_t>& bytes)
    {
        int out = fd;
        if (source) {
            out = socket(AF_INET, SOCK_DGRAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            inet_pton(AF_INET, source, &a.sin_addr);
            bind(out, reinterpret_cast<sockaddr*>(&a), sizeof a);
        }
        sendto(out, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to.from),
               sizeof to.from);
        if (source)
            close(out);
    }

private:
    void Serve()
    {
        while (!stop) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            Request r{};
            std::uint8_t buffer[2048];
            socklen_t length = sizeof r.from;
            ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&r.from),
                                 &length);
            if (n <= 0)
                continue;
            r.bytes.assign(buffer, buffer + n);
            // The request id follows "30 LL 02 01 00 04 06 public A0 LL 02 01".
            r.requestId = n > 17 ? buffer[17] : -1;
            ++requests;
            script(*this, r);
        }
    }

    Script script;
    int fd = -1;
    std::uint16_t port = 0;
    std::atomic<bool> stop{false};
    std::atomic<int> requests{0};
    std::thread worker;
};

std::vector<std::uint8_t> Tlv(std::uint8_t tag, const std::vector<std::uint8_t>& content)
{
    std::vector<std::uint8_t> out{tag};
    if (content.size() >= 128)
        out.push_back(0x81);
    out.push_back(static_cast<std::uint8_t>(content.size()));
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

// A GetResponse with one binding of the given value element.
std::vector<std::uint8_t> Answer(std::int32_t requestId, const std::vector<std::uint8_t>& value)
{
    std::vector<std::uint8_t> bind = Tlv(0x06, {0x2B, 6, 1, 2, 1, 1, 2, 0});
    bind.insert(bind.end(), value.begin(), value.end());
    std::vector<std::uint8_t> pdu{0x02, 0x01, static_cast<std::uint8_t>(requestId), 2, 1, 0, 2, 1, 0};
    std::vector<std::uint8_t> list = Tlv(0x30, Tlv(0x30, bind));
    pdu.insert(pdu.end(), list.begin(), list.end());
    std::vector<std::uint8_t> message{0x02, 0x01, 0x00, 0x04, 0x06, 'p', 'u', 'b', 'l', 'i', 'c'};
    std::vector<std::uint8_t> p = Tlv(0xA2, pdu);
    message.insert(message.end(), p.begin(), p.end());
    return Tlv(0x30, message);
}

const std::vector<std::uint8_t> kModelValue = Tlv(0x06, {0x2B, 6, 1, 4, 1, 0x83, 0xD4, 0x5F, 1, 1});
const char* kModelText = "1.3.6.1.4.1.59999.1.1";

class SnmpSessionTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        unsetenv("PLINTOR_TEST_SNMP_PORT");
        unsetenv("PLINTOR_TEST_SNMP_BROADCAST");
    }
    void UsePort(std::uint16_t port)
    {
        setenv("PLINTOR_TEST_SNMP_PORT", std::to_string(port).c_str(), 1);
    }
};

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}

TEST_F(SnmpSessionTest, UnicastSendsTheDiscoveryRequestAndReadsTheIdentifier)
{
    std::vector<std::uint8_t> seen;
    ScriptedAgent agent([&](ScriptedAgent& a, const ScriptedAgent::Request& r) {
        seen = r.bytes;
        a.SendFrom(nullptr, r, Answer(r.requestId, kModelValue));
    });
    UsePort(agent.Port());
    SnmpClient client;
    ASSERT_EQ(client.Setup("127.0.0.1", "1.3.6.1.2.1.1.2.0", 6), 1);
    EXPECT_EQ(client.Run(), 1);
    const std::uint8_t golden[] = {0x30, 0x27, 0x02, 0x01, 0x00, 0x04, 0x06, 'p', 'u', 'b', 'l',
        'i', 'c', 0xA0, 0x1A, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0F,
        0x30, 0x0D, 0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x02, 0x00, 0x06, 0x01, 0x00};
    EXPECT_EQ(seen, std::vector<std::uint8_t>(std::begin(golden), std::end(golden)));
    ASSERT_EQ(client.AnswerCount(), 1);
    EXPECT_STREQ(client.AnswerAddress(), "127.0.0.1");
    EXPECT_STREQ(reinterpret_cast<const char*>(client.AnswerValue()), kModelText);
    EXPECT_EQ(client.AnswerLength(), static_cast<int>(std::strlen(kModelText)));
    // The workstation's own address is never loopback.
    EXPECT_NE(ntohl(client.LocalAddress()) >> 24, 127u);
}

TEST_F(SnmpSessionTest, DropsForeignRequestIdsTrailingBytesAndJunkThenTakesTheAnswer)
{
    ScriptedAgent agent([&](ScriptedAgent& a, const ScriptedAgent::Request& r) {
        a.SendFrom(nullptr, r, Answer(r.requestId + 1, kModelValue));
        std::vector<std::uint8_t> trailing = Answer(r.requestId, kModelValue);
        trailing.push_back(0);
        a.SendFrom(nullptr, r, trailing);
        a.SendFrom(nullptr, r, {0x30, 0x82, 0xFF, 0xFF, 1, 2, 3});
        a.SendFrom(nullptr, r, std::vector<std::uint8_t>(2048, 0x30));
        std::vector<std::uint8_t> counter64 = Answer(r.requestId, {0x46, 0x01, 0x05});
        a.SendFrom(nullptr, r, counter64);
        a.SendFrom(nullptr, r, Answer(r.requestId, Tlv(0x06, {0x2B, 6, 1, 4, 1, 9})));
    });
    UsePort(agent.Port());
    SnmpClient client;
    ASSERT_EQ(client.Setup("127.0.0.1", "1.3.6.1.2.1.1.2.0", 6), 1);
    ASSERT_EQ(client.Run(), 1);
    EXPECT_EQ(client.AnswerCount(), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(client.AnswerValue()), "1.3.6.1.4.1.9");
}

TEST_F(SnmpSessionTest, UnicastToASilentAgentEndsAfterTwoQuietSeconds)
{
    ScriptedAgent agent([](ScriptedAgent&, const ScriptedAgent::Request&) {});
    UsePort(agent.Port());
    SnmpClient client;
    ASSERT_EQ(client.Setup("127.0.0.1", "1.3.6.1.2.1.1.2.0", 6), 1);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.Run(), 0);
    double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 10.0);
    EXPECT_EQ(client.Session().errorKind, kSnmpErrorTimeout);
    EXPECT_EQ(agent.Requests(), 1);
    EXPECT_EQ(client.AnswerCount(), 0);
}

TEST_F(SnmpSessionTest, MacRequestCopiesRawOctetsAndNullGivesAnEmptyText)
{
    ScriptedAgent agent([&](ScriptedAgent& a, const ScriptedAgent::Request& r) {
        bool mac = r.bytes.size() == 43;
        a.SendFrom(nullptr, r, Answer(r.requestId, mac ? Tlv(0x04, {0, 0x1B, 0xA9, 0xFE, 0x01, 0x7F})
                                                       : std::vector<std::uint8_t>{0x05, 0x00}));
    });
    UsePort(agent.Port());
    SnmpClient mac;
    ASSERT_EQ(mac.Setup("127.0.0.1", "1.3.6.1.2.1.2.2.1.6.1", 4), 1);
    ASSERT_EQ(mac.Run(), 1);
    ASSERT_EQ(mac.AnswerLength(), 6);
    EXPECT_EQ(std::memcmp(mac.AnswerValue(), "\x00\x1B\xA9\xFE\x01\x7F", 6), 0);

    SnmpClient id;
    ASSERT_EQ(id.Setup("127.0.0.1", "1.3.6.1.2.1.1.2.0", 6), 1);
    ASSERT_EQ(id.Run(), 1);
    EXPECT_EQ(id.AnswerLength(), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(id.AnswerValue()), "");
}

TEST_F(SnmpSessionTest, GroupPassKeepsTheFirst64DistinctAnswersSortedByAddressText)
{
    // 70 agents behind one request, each answering from its own loopback address; the
    // first one answers twice (as if heard on two interfaces) and counts once.
    ScriptedAgent agent([&](ScriptedAgent& a, const ScriptedAgent::Request& r) {
        for (int k = 70; k >= 1; --k) {
            std::string source = "127.0.1." + std::to_string(k);
            a.SendFrom(source.c_str(), r, Answer(r.requestId, kModelValue));
            if (k == 70)
                a.SendFrom(source.c_str(), r, Answer(r.requestId, kModelValue));
        }
    });
    UsePort(agent.Port());
    setenv("PLINTOR_TEST_SNMP_BROADCAST", "127.0.0.1", 1);
    SnmpClient client;
    ASSERT_EQ(client.Setup("255.255.255.255", "1.3.6.1.2.1.1.2.0", 6), 1);
    ASSERT_EQ(client.Run(), 1);
    ASSERT_EQ(client.AnswerCount(), 64);
    std::vector<std::string> addresses;
    client.First();
    do {
        addresses.push_back(client.AnswerAddress());
    } while (client.Next());
    ASSERT_EQ(addresses.size(), 64u);
    // The ones sent first (70 down to 7) are kept; text order puts .10 before .9.
    // Ascending text order, where a text that is a prefix of its neighbour counts as equal.
    for (std::size_t i = 0; i + 1 < addresses.size(); ++i) {
        const std::string& a = addresses[i];
        const std::string& b = addresses[i + 1];
        bool prefix = a.compare(0, b.size(), b) == 0 || b.compare(0, a.size(), a) == 0;
        EXPECT_TRUE(a < b || prefix) << a << " before " << b;
    }
    EXPECT_EQ(addresses.front(), "127.0.1.10");
    EXPECT_EQ(std::count(addresses.begin(), addresses.end(), "127.0.1.70"), 1);
    EXPECT_EQ(std::count(addresses.begin(), addresses.end(), "127.0.1.6"), 0);
    EXPECT_EQ(std::count(addresses.begin(), addresses.end(), "127.0.1.7"), 1);
    // Past the last answer Next stays there.
    EXPECT_EQ(client.Next(), 0);
    EXPECT_EQ(client.Next(), 0);
    EXPECT_STREQ(client.AnswerAddress(), "");
}

TEST(SnmpSessionOrder, ExchangeSortTreatsAPrefixAsEqual)
{
    auto slots = std::make_unique<SnmpAnswerSlot[]>(4);
    const char* texts[] = {"10.0.0.9", "10.0.0.10", "10.0.0", "10.0.0.1"};
    for (int i = 0; i < 4; ++i) {
        std::memset(&slots[i], 0, sizeof slots[i]);
        std::strcpy(slots[i].address, texts[i]);
        slots[i].integerValue = i;
    }
    SnmpSortAnswers(slots.get(), 4);
    // "10.0.0" is a prefix of every other text, so it counts as equal to them and the
    // pairs that reach it do not move it past them.
    std::vector<std::string> got;
    for (int i = 0; i < 4; ++i)
        got.push_back(slots[i].address);
    EXPECT_EQ(got, (std::vector<std::string>{"10.0.0.10", "10.0.0.1", "10.0.0", "10.0.0.9"}));
}

TEST(SnmpSessionOid, ParsesArcsAtEverySeparator)
{
    std::int32_t arcs[kSnmpMaxArcs];
    int first = 0;
    EXPECT_EQ(SnmpParseOid("1.3,6 1\t2", arcs, first), 5);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(arcs[4], 2);
    EXPECT_EQ(SnmpParseOid("..", arcs, first), 0);
    std::string many;
    for (int i = 0; i < 70; ++i)
        many += "1.";
    EXPECT_EQ(SnmpParseOid(many.c_str(), arcs, first), kSnmpMaxArcs);
}

// Winsock's form of the socket, the lookups and the interface list, on 127.0.0.1 only.
#include "platform/NetInterfaces.h"
#include "platform/Socket.h"

#include "platform/windows/WinsockSession.h"

#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <chrono>

namespace plintor::platform {
namespace {

using namespace std::chrono_literals;

// A listening socket on 127.0.0.1 and an ephemeral port.
class LoopbackListener {
public:
    LoopbackListener()
    {
        listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        bind(listener, reinterpret_cast<sockaddr*>(&address), length);
        listen(listener, 4);
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        port = std::to_string(ntohs(address.sin_port));
    }
    ~LoopbackListener()
    {
        if (peer != INVALID_SOCKET)
            closesocket(peer);
        closesocket(listener);
    }

    bool Accept()
    {
        peer = accept(listener, nullptr, nullptr);
        return peer != INVALID_SOCKET;
    }
    std::string Receive()
    {
        char buffer[4096];
        int got = recv(peer, buffer, sizeof buffer, 0);
        return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
    }
    void Send(std::string_view bytes) { send(peer, bytes.data(), static_cast<int>(bytes.size()), 0); }
    void ClosePeer()
    {
        closesocket(peer);
        peer = INVALID_SOCKET;
    }
    void CloseListener()
    {
        closesocket(listener);
        listener = INVALID_SOCKET;
    }

    std::string port;

private:
    windows::WinsockSession session;
    SOCKET listener = INVALID_SOCKET;
    SOCKET peer = INVALID_SOCKET;
};

TEST(WindowsSocket, ExchangeOnLoopbackWithinItsBoundsAndThePeersClose)
{
    LoopbackListener printer;
    auto addresses = ResolveStream(" [127.0.0.1] ", printer.port, 1000ms);
    ASSERT_EQ(addresses.size(), 1u);
    EXPECT_EQ(NumericHost(addresses[0]), "127.0.0.1");

    CSocket socket;
    ASSERT_EQ(socket.Connect(addresses[0], 2000ms), IoResult::Ok);
    ASSERT_TRUE(printer.Accept());
    ASSERT_EQ(socket.SendAll("@PJL INFO ID\r\n", 2000ms), IoResult::Ok);
    EXPECT_EQ(printer.Receive(), "@PJL INFO ID\r\n");

    std::string bytes = "stale";
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(socket.Receive(bytes, 1024, 300ms), IoResult::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 290ms);
    EXPECT_TRUE(bytes.empty());

    printer.Send("@PJL INFO ID\r\n\x0c");
    ASSERT_EQ(socket.Receive(bytes, 1024, 2000ms), IoResult::Ok);
    EXPECT_EQ(bytes, "@PJL INFO ID\r\n\x0c");
    printer.ClosePeer();
    EXPECT_EQ(socket.Receive(bytes, 1024, 2000ms), IoResult::Closed);

    CSocket moved = std::move(socket);
    EXPECT_FALSE(socket.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    moved.Close();
    EXPECT_EQ(moved.SendAll("x", 100ms), IoResult::Failed);
}

TEST(WindowsSocket, RefusedConnectFailsInsteadOfWaitingForItsBound)
{
    LoopbackListener closed;
    std::string port = closed.port;
    closed.CloseListener();
    auto addresses = ResolveStream("127.0.0.1", port, 1000ms);
    ASSERT_EQ(addresses.size(), 1u);
    CSocket socket;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(socket.Connect(addresses[0], 10s), IoResult::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_FALSE(socket.IsOpen());
}

TEST(WindowsNameLookup, NumericAddressesResolveAtOnceAndALookupThatHangsIsAbandoned)
{
    LookupHints hints;
    hints.socketType = SOCK_STREAM;
    auto v6 = CNameLookup().Resolve("::1", "9100", hints, 1000ms);
    ASSERT_EQ(v6.size(), 1u);
    EXPECT_EQ(v6[0].family, AF_INET6);
    EXPECT_EQ(ntohs(reinterpret_cast<const sockaddr_in6&>(v6[0].address).sin6_port), 9100);

    CNameLookup hanging([](const std::string&, const std::string&, const LookupHints&) {
        Sleep(3000);
        return std::vector<ResolvedAddress>{};
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(hanging.Resolve("printer.invalid", "9100", hints, 200ms).empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST(WindowsNetInterfaces, LoopbackIsListedButNotExternal)
{
    auto all = ListNetInterfaces();
    bool loopback = false;
    for (const NetInterface& i : all) {
        if (i.loopback) {
            loopback = true;
            EXPECT_FALSE(i.hasIpv4Broadcast);
        }
    }
    EXPECT_TRUE(loopback);
    for (const NetInterface& i : ListExternalInterfaces()) {
        EXPECT_TRUE(i.up);
        EXPECT_FALSE(i.loopback);
    }
}

}
}

// Winsock's form of the SNMP exchange's datagrams and of the route command, on 127.0.0.1.
#include "platform/Datagram.h"
#include "platform/Ipv4Address.h"
#include "platform/RouteCommand.h"

#include "platform/windows/WinsockSession.h"

#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>

namespace plintor::platform {
namespace {

using namespace std::chrono_literals;

TEST(WindowsDatagram, RequestAndAnswerOnLoopbackWithBoundedWaits)
{
    windows::WinsockSession session;
    SOCKET agent = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in agentAddress{};
    agentAddress.sin_family = AF_INET;
    agentAddress.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof agentAddress;
    ASSERT_EQ(bind(agent, reinterpret_cast<sockaddr*>(&agentAddress), length), 0);
    getsockname(agent, reinterpret_cast<sockaddr*>(&agentAddress), &length);

    ResolvedAddress target = Ipv4DatagramAddress(htonl(INADDR_LOOPBACK), ntohs(agentAddress.sin_port));
    DatagramSocket client = OpenDatagramSocket(target);
    ASSERT_NE(client, kNoDatagramSocket);
    int error = 0;
    ASSERT_TRUE(BindDatagramSocket(client, Ipv4DatagramAddress(0, 0), error)) << SocketErrorText(error);

    const std::array<std::uint8_t, 3> request{0x30, 0x01, 0x00};
    ASSERT_EQ(SendDatagram(client, request, target, 1000ms), 0);
    char got[16];
    sockaddr_in from{};
    int fromLength = sizeof from;
    ASSERT_EQ(recvfrom(agent, got, sizeof got, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), 3);

    const std::array<DatagramSocket, 1> sockets{client};
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForDatagrams(sockets, 200ms), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 190ms);
    std::array<std::uint8_t, 2> small{};
    ResolvedAddress sender;
    EXPECT_EQ(ReceiveDatagram(client, small, sender), -1);   // nothing waiting

    sendto(agent, "\x30\x05\x01\x02\x03", 5, 0, reinterpret_cast<sockaddr*>(&from), fromLength);
    ASSERT_GT(WaitForDatagrams(sockets, 2000ms), 0);
    EXPECT_EQ(ReceiveDatagram(client, small, sender), 2);   // cut to the buffer
    EXPECT_EQ(small[0], 0x30);
    EXPECT_EQ(DatagramSenderText(sender), "127.0.0.1");
    std::uint32_t address = 0;
    ASSERT_TRUE(Ipv4OfAddress(sender, address));
    EXPECT_EQ(Ipv4Text(address), "127.0.0.1");

    CloseDatagramSocket(client, DatagramClose::Abort);
    closesocket(agent);
    EXPECT_FALSE(WorkstationHostName().empty());
    EXPECT_FALSE(SocketErrorText(WSAECONNREFUSED).empty());
}

TEST(WindowsRouteCommand, OnLinkRouteGoesThroughTheInterfaceIndexWithTheOwnAddressAsGateway)
{
    RouteProgram program = FindRouteProgram();
    EXPECT_EQ(program.name, "route");
    std::uint32_t own = 0;
    ASSERT_TRUE(ParseIpv4("192.0.2.7", own));
    EXPECT_EQ(LinkLocalRouteCommand(program, RouteChange::Add, "12", own),
              (std::vector<std::string>{program.path, "ADD", "169.254.0.0", "MASK", "255.255.0.0", "192.0.2.7", "IF",
                                        "12"}));
    EXPECT_EQ(LinkLocalRouteCommand(program, RouteChange::Remove, "12", own)[1], "DELETE");
    EXPECT_TRUE(InterfaceHoldingIpv4(own).empty());
}

}
}

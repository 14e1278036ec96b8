// The Windows spooler's form of the queue service, as far as Wine's spooler plays it.
#include "platform/PrintQueues.h"
#include "platform/ServiceResolve.h"

#include <gtest/gtest.h>

#include <chrono>

namespace plintor::platform {
namespace {

using namespace std::chrono_literals;

TEST(WindowsPrintQueues, DeviceUrisAreCutAsTheUpkeepReadsThem)
{
    DeviceUriParts parts;
    ASSERT_TRUE(SplitDeviceUri("socket://192.0.2.7", parts));
    EXPECT_EQ(parts.scheme, "socket");
    EXPECT_EQ(parts.host, "192.0.2.7");
    EXPECT_EQ(parts.resource, "/");
    ASSERT_TRUE(SplitDeviceUri("ipp://user@[fe80::1%2512]:631/ipp/print?x=1", parts));
    EXPECT_EQ(parts.host, "[fe80::1%2512]");
    EXPECT_EQ(parts.resource, "/ipp/print?x=1");
    ASSERT_TRUE(SplitDeviceUri("usb://Maker%20One/MFP%2010?serial=A1", parts));
    EXPECT_EQ(parts.host, "Maker%20One");
    EXPECT_EQ(parts.resource, "/MFP%2010?serial=A1");
    EXPECT_FALSE(SplitDeviceUri("no uri at all", parts));
    EXPECT_FALSE(SplitDeviceUri("://host/", parts));
}

TEST(WindowsPrintQueues, LocalSpoolerAnswersAndAMissingQueueIsNotFound)
{
    PrintServer local = CurrentPrintServer();
    EXPECT_TRUE(local.host.empty());
    CPrintServerConnection connection(local, 5s);
    ASSERT_TRUE(connection.Connected());
    for (const PrintQueue& queue : connection.Queues())
        EXPECT_FALSE(queue.name.empty());
    EXPECT_EQ(connection.Pause("plintor no such queue", "held"), QueueAnswer::NotFound);
    EXPECT_EQ(connection.Resume("plintor no such queue"), QueueAnswer::NotFound);

    CPrintServerConnection remote({"printserver.invalid", 631}, 1s);
    EXPECT_FALSE(remote.Connected());
    EXPECT_EQ(remote.Resume("any"), QueueAnswer::Refused);
}

TEST(WindowsServiceResolve, ServiceWithoutAnAnswerEndsAtItsBound)
{
    EXPECT_FALSE(ResolveServiceUri("socket://192.0.2.7", 1s));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ResolveServiceUri("dnssd://No%20Such%20Printer._ipp._tcp.local/?uuid=1", 500ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

}
}

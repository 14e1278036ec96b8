#include "PjlPeer.h"

#include "StandInPrinter.h"

#include <cerrno>

#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace plintor::printer {

namespace {

constexpr std::string_view Uel = "\x1b%-12345X";

// The end-of-file character of the USB stand-in's terminal, which is in canonical mode when
// zero-length packets are asked for (CUsbStandIn): at the start of a line it makes the
// host's read return 0 bytes, as usblp's read does for a zero-length packet; after text it
// hands that text over without a line end.
constexpr char TerminalEof = '\x04';

// N zero-length packets before the answer, and every piece of it pushed to the host as it
// is sent (a canonical terminal would otherwise hold text that does not end a line).
void AddZeroLengthPackets(AnswerPlan& plan, int count)
{
    if (plan.steps.empty())
        return;
    plan.steps.front().bytes.insert(0, std::string(static_cast<std::size_t>(count), TerminalEof));
    for (AnswerStep& step : plan.steps)
        if (!step.bytes.empty() && step.bytes.back() != '\n')
            step.bytes.push_back(TerminalEof);
}
constexpr std::size_t EndlessChunk = 64 * 1024;

}

CPjlPeer::CPjlPeer(CStandInPrinter& owner, int descriptor, Kind peerKind, std::function<void()> whenGone)
    : printer(owner), fd(descriptor), kind(peerKind), onGone(std::move(whenGone))
{
    printer.Loop().Watch(fd, POLLIN, [this](short revents) { OnEvents(revents); });
}

CPjlPeer::~CPjlPeer()
{
    CancelAnswer();
    printer.Loop().Unwatch(fd);
    FlushPartialToLog();
    ::close(fd);
}

void CPjlPeer::FlushPartialToLog()
{
    printer.Log().Append(inbox);
    inbox.clear();
}

void CPjlPeer::Gone()
{
    if (gone)
        return;
    gone = true;
    CancelAnswer();
    printer.Loop().Unwatch(fd);
    // The owner destroys this peer; do it from the loop, outside this object's own calls.
    auto notify = onGone;
    printer.Loop().After(std::chrono::milliseconds(0), [notify] { notify(); });
}

void CPjlPeer::OnEvents(short revents)
{
    if (revents & POLLIN)
        ReadAvailable();
    if (gone)
        return;
    if (revents & POLLOUT)
        Flush();
    if (gone)
        return;
    if ((revents & (POLLERR | POLLHUP | POLLNVAL)) && !(revents & POLLIN))
        Gone();
}

void CPjlPeer::ReadAvailable()
{
    char buffer[16384];
    while (true) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            inbox.append(buffer, static_cast<std::size_t>(got));
            if (got < static_cast<ssize_t>(sizeof buffer))
                break;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // End of the connection, or an error.
        TakeJobs();
        Gone();
        return;
    }
    TakeJobs();
}

void CPjlPeer::TakeJobs()
{
    while (true) {
        auto open = inbox.find(Uel);
        if (open == std::string::npos)
            return;
        auto close = inbox.find(Uel, open + Uel.size());
        if (close == std::string::npos)
            return;
        std::size_t end = close + Uel.size();
        printer.Log().Append(std::string_view(inbox).substr(0, end));
        std::string job = inbox.substr(open + Uel.size(), close - open - Uel.size());
        inbox.erase(0, end);
        StartAnswer(job);
        if (gone)
            return;
    }
}

void CPjlPeer::CancelAnswer()
{
    for (auto id : timers)
        printer.Loop().Cancel(id);
    timers.clear();
    endless = false;
    closeWhenSent = false;
}

void CPjlPeer::StartAnswer(const std::string& job)
{
    if (kind == Kind::Usb) {
        // A new job on the device: what the last one left unread is dropped, as a printer
        // drops an answer that nobody collected.
        CancelAnswer();
        outbox.clear();
        outboxSent = 0;
        printer.DiscardUnreadUsbInput();
    }
    std::string answer = printer.Responder().Answer(job);
    const Faults& faults = printer.Options().faults;
    AnswerPlan plan = faults.Plan(faults.Shape(answer));
    if (answer.empty() && !plan.closeAfter)
        return;
    if (printer.IsOffline())
        return;
    if (kind == Kind::Usb && faults.zeroLength > 0)
        AddZeroLengthPackets(plan, faults.zeroLength);
    std::chrono::milliseconds at{0};
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        at += plan.steps[i].delay;
        bool last = i + 1 == plan.steps.size();
        std::string bytes = std::move(plan.steps[i].bytes);
        bool closeAfter = last && plan.closeAfter;
        bool endlessAfter = last && plan.endless;
        auto send = [this, bytes, closeAfter, endlessAfter]() mutable {
            Queue(std::move(bytes));
            if (closeAfter)
                closeWhenSent = true;
            if (endlessAfter)
                endless = true;
            Flush();
        };
        if (at.count() == 0)
            send();
        else
            timers.push_back(printer.Loop().After(at, std::move(send)));
        if (gone)
            return;
    }
}

void CPjlPeer::Queue(std::string bytes)
{
    if (outboxSent > 0 && outboxSent == outbox.size()) {
        outbox.clear();
        outboxSent = 0;
    }
    outbox += bytes;
}

void CPjlPeer::Flush()
{
    while (!gone) {
        if (outboxSent == outbox.size()) {
            outbox.clear();
            outboxSent = 0;
            if (endless) {
                for (std::size_t n = 0; n < EndlessChunk; n += FillerLine.size())
                    outbox += FillerLine;
                continue;
            }
            if (closeWhenSent) {
                closeWhenSent = false;
                Gone(); // over USB the owner unplugs the device
                return;
            }
            break;
        }
        ssize_t written = ::write(fd, outbox.data() + outboxSent, outbox.size() - outboxSent);
        if (written > 0) {
            outboxSent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        Gone();
        return;
    }
    UpdateEvents();
}

void CPjlPeer::UpdateEvents()
{
    if (gone)
        return;
    bool pending = outboxSent < outbox.size() || endless;
    printer.Loop().SetEvents(fd, pending ? POLLIN | POLLOUT : POLLIN);
}

}

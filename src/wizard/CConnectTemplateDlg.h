#pragma once

#include "wizard/CTemplateDlg.h"
#include "wizard/CWorkerThread.h"

#include <atomic>
#include <memory>

namespace plintor {

// The base of the two cable pages (CConnectDlg: plug in the cable; CDisconnectDlg: leave
// one printer connected). While a cable page is shown a watcher thread repeats the USB
// search every kUsbWatchInterval; the first time the result (printers N, printers left out
// for lacking a wireless adapter W) differs from the previous search, it posts
// WM_USER+1 (N, W) to the page and ends. The page then moves on by itself: to the first
// settings page for exactly one printer, to the disconnect page for several, to the cable
// page for none (with the adapter message on the cable page when W > 0), or starts a new
// watcher when it stays. Next is hidden; Back leads past the cable pages.
//
// The watcher rewrites the printer list while the page is shown; the main thread does not
// read the list then and waits for the watcher's end (kWatcherStopLimit) before it moves
// on, so the list has one writer at a time.
class CConnectTemplateDlg : public CTemplateDlg {
public:
    // The watcher's report and the page's own request for the adapter message.
    static constexpr unsigned WM_USB_COUNT = WM_USER + 1;      // wParam N, lParam W
    static constexpr unsigned WM_NO_ADAPTER = WM_USER + 2;

    CConnectTemplateDlg();
    ~CConnectTemplateDlg() override;

    // True while the page wants its watcher to run.
    bool IsWatching() const;
    bool WatcherRunning() const { return watcher.IsRunning(); }

    // The results of the previous USB search, shared by both cable pages; 0 when the
    // frame is built and whenever a cable page is hidden.
    static std::atomic<int> lastUsbCount;
    static std::atomic<int> lastNoAdapterCount;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnDestroy() override;

    void StartWatcher();
    void StopWatcher();

private:
    struct Watch;
    void OnUsbCount(int printers, int noAdapter);

    std::shared_ptr<Watch> watching;   // the running watcher's switch, null when none
    CWorkerThread watcher;
};

}

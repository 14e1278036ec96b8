#include "wizard/CConnectTemplateDlg.h"

#include "resources/dialogs/CommonPageIds.h"
#include "wizard/CWizardFrame.h"
#include "wizard/FirstSettingsPage.h"
#include "wizard/Messages.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunState.h"
#include "wizard/WizardBounds.h"

#include <condition_variable>
#include <mutex>

namespace plintor {

std::atomic<int> CConnectTemplateDlg::lastUsbCount{0};
std::atomic<int> CConnectTemplateDlg::lastNoAdapterCount{0};

// The switch between the page and one watcher. `on` is written by the main thread; the
// watcher sleeps on `changed` between searches so that switching off wakes it at once.
struct CConnectTemplateDlg::Watch {
    std::mutex mutex;
    std::condition_variable changed;
    bool on = true;

    bool IsOn()
    {
        std::lock_guard lock(mutex);
        return on;
    }
    void SwitchOff()
    {
        {
            std::lock_guard lock(mutex);
            on = false;
        }
        changed.notify_all();
    }
    // Sleeps one interval; false when switched off meanwhile.
    bool Pause()
    {
        std::unique_lock lock(mutex);
        return !changed.wait_for(lock, kUsbWatchInterval, [&] { return !on; });
    }
};

CConnectTemplateDlg::CConnectTemplateDlg()
{
    lastUsbCount = 0;
    lastNoAdapterCount = 0;
}

CConnectTemplateDlg::~CConnectTemplateDlg()
{
    StopWatcher();
}

bool CConnectTemplateDlg::IsWatching() const
{
    return watching && watching->IsOn();
}

bool CConnectTemplateDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();
    if (CWindow* next = GetDlgItem(IDC_NEXT)) {
        next->ShowWindow(false);
        next->EnableWindow(false);
    }
    // The flag stays 0 so that the page after this one hides its Back button too: Back
    // there would find only this page, which is never gone back to.
    if (wizard && wizard->app)
        ApplyBackButtonRule(wizard->app->backButtonFlag, BackButtonFlag::Keep);
    return true;
}

void CConnectTemplateDlg::OnShowWindow(bool show)
{
    if (show) {
        if (CWindow* cancel = GetDlgItem(IDC_CANCEL))
            cancel->SetFocus();
        StopWatcher();
        StartWatcher();
        return;
    }
    lastUsbCount = 0;
    lastNoAdapterCount = 0;
    StopWatcher();
}

void CConnectTemplateDlg::OnDestroy()
{
    StopWatcher();
    CTemplateDlg::OnDestroy();
}

void CConnectTemplateDlg::StartWatcher()
{
    RunState* app = App();
    if (!app || !Exists())
        return;
    auto watch = std::make_shared<Watch>();
    WindowHandle page = Handle();
    auto discoverUsb = app->operations.discoverUsb;
    bool started = watcher.Start([watch, page, app, discoverUsb] {
        while (watch->IsOn()) {
            int noAdapter = 0;
            int printers = discoverUsb ? discoverUsb(*app, noAdapter) : 0;
            bool changed = printers != lastUsbCount.load() || noAdapter != lastNoAdapterCount.load();
            lastUsbCount = printers;
            lastNoAdapterCount = noAdapter;
            if (changed && watch->IsOn()) {
                CWindow::PostMessage(page, WM_USB_COUNT, static_cast<std::uintptr_t>(printers), noAdapter);
                return;
            }
            if (!watch->Pause())
                return;
        }
    });
    watching = started ? watch : nullptr;
}

void CConnectTemplateDlg::StopWatcher()
{
    if (watching)
        watching->SwitchOff();
    watcher.WaitForEnd(kWatcherStopLimit);
    watching = nullptr;
}

std::intptr_t CConnectTemplateDlg::OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case WM_USB_COUNT:
        OnUsbCount(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case WM_NO_ADAPTER:
        ShowMessage(language, this, MSG_ERR_NOT_CONNECT_WLMODULE, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    default:
        return CTemplateDlg::OnMessage(message, wParam, lParam);
    }
}

void CConnectTemplateDlg::OnUsbCount(int printers, int noAdapter)
{
    RunState* app = App();
    // A report that arrives after the page was left (or switched its watcher off) is old.
    if (!app || !IsWindowVisible() || !IsWatching())
        return;
    // The watcher has posted and is ending: wait for it, so that nothing else writes
    // the printer list from now on.
    StopWatcher();
    int target;
    if (printers == 1) {
        target = FirstSettingsPage(*app);
    } else if (printers >= 2) {
        target = kPageDisconnect;
    } else {
        target = kPageConnect;
        if (noAdapter > 0 && wizard->currentPage == kPageConnect)
            SendMessage(WM_NO_ADAPTER);
    }
    if (target == wizard->currentPage || wizard->GoToPage(target) == -1) {
        // Staying here (also when no settings page fits): keep watching.
        if (IsWindowVisible())
            StartWatcher();
    }
}

}

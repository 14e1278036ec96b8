#pragma once

#include "ui/CFrontEnd.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace plintor {

class CDialog;
class CWindow;

// The result of a driver action: false with a reason when the action could not be done
// (no such control, disabled, hidden, wrong kind, ...).
struct DriveResult {
    bool ok = true;
    std::string why;
    explicit operator bool() const { return ok; }
    static DriveResult Fail(std::string reason) { return {false, std::move(reason)}; }
};

// The front end without a display, and the driver that tests and the script front end use.
//
// It installs itself for its lifetime. Modal loops run the message queue; when the queue
// is idle they call the idle action (the script front end runs its next line there, a test
// may act on a nested modal dialog there). Message boxes take the next queued answer, or
// their default button when none is queued. The driver acts on the dialog in front: the
// innermost modal dialog (or, when no modal loop runs, the root the test opened), and on
// the page that this dialog shows when it holds pages.
class CHeadlessFrontEnd : public CFrontEnd {
public:
    struct ShownMessage {
        std::string caption;
        std::string text;
        std::uint32_t style = 0;
        int answer = 0;
        bool defaulted = false;     // no queued answer: the default button was taken
        bool refused = false;       // the queued answer was no button of this box
    };

    // A modal loop gives up (ends its dialog with IDCANCEL) after this long without any
    // message and without anything for the idle action to do.
    static constexpr std::chrono::seconds kModalIdleLimit{60};

    CHeadlessFrontEnd();
    ~CHeadlessFrontEnd() override;
    CHeadlessFrontEnd(const CHeadlessFrontEnd&) = delete;
    CHeadlessFrontEnd& operator=(const CHeadlessFrontEnd&) = delete;

    // CFrontEnd
    void CreatePeer(CDialog& dialog) override;
    void UpdatePeer(CWindow& window, unsigned changes) override;
    void DestroyPeer(CWindow& window) override;
    void RunModalLoop(CDialog& dialog) override;
    void EndModalLoop(CDialog& dialog) override;
    int ShowMessageBox(const MessageBoxRequest& request) override;
    void WakeUp() override {}
    void PageShown(CDialog& frame, int index, const std::string& className) override;

    // Which dialog the driver acts on.
    void SetRoot(CDialog* dialog) { root = dialog; }
    CDialog* FrontDialog() const;      // innermost modal dialog, else the root
    CDialog* FrontPage() const;        // the page shown inside FrontDialog, else FrontDialog
    CWindow* Control(int id) const;    // a control of FrontPage, else of FrontDialog
    int ModalDepth() const { return static_cast<int>(modalStack.size()); }
    // True when the dialog in front takes no input (a "please wait" popup).
    bool FrontDialogIsBusy() const;

    // User actions on the dialog in front.
    DriveResult Click(int id);
    DriveResult Check(int id);          // clicks a check box or radio button to check it
    DriveResult Uncheck(int id);        // clicks a checked check box to clear it
    DriveResult Type(int id, const std::string& text);   // edit text, or "a.b.c.d"
    DriveResult Select(int id, int index);               // combo item or list row
    DriveResult PressKey(int virtualKey);                // to the focused control
    DriveResult Close();                                 // the title bar's close button

    // Message boxes.
    void QueueAnswer(int answer) { answers.push_back(answer); }
    std::size_t QueuedAnswers() const { return answers.size(); }
    const std::vector<ShownMessage>& Messages() const { return messages; }

    // Pages of the paged dialog (the wizard frame).
    int CurrentPage() const { return currentPage; }
    const std::string& CurrentPageClass() const { return currentPageClass; }
    // Runs the message queue until page `index` is shown; false after `limit`.
    bool WaitForPage(int index, std::chrono::milliseconds limit);
    // Runs what the message queue holds now.
    int Pump();

    // What a modal loop calls when the queue is idle; it returns false when it has
    // nothing to do.
    void SetIdleAction(std::function<bool(CDialog&)> action) { idleAction = std::move(action); }
    // From now on every modal loop ends at once with IDCANCEL (a script that failed).
    void AbandonAll();
    bool Abandoned() const { return abandoned; }
    // True when a modal loop gave up for lack of anything to do.
    bool LoopGaveUp() const { return gaveUp; }

    // Observers for the script front end's transcript.
    std::function<void(const ShownMessage&)> onMessage;
    std::function<void(int index, const std::string& className)> onPage;
    std::function<void(CDialog& dialog, int depthAfter)> onModalEnd;

    // One line per control of `dialog`: `ID KIND enabled|disabled visible|hidden "TEXT"`,
    // then the checked state, or the items and the selection of lists.
    static std::vector<std::string> DumpControls(const CWindow& dialog);
    static std::string DescribeControl(const CWindow& control);
    // A text in double quotes with C escapes.
    static std::string Quote(const std::string& text);
    static const char* KindName(const CWindow& control);
    static const char* AnswerName(int answer);

    int LivePeers() const { return livePeers; }

private:
    DriveResult Reach(int id, CWindow*& control) const;

    CDialog* root = nullptr;
    std::vector<CDialog*> modalStack;
    std::deque<int> answers;
    std::vector<ShownMessage> messages;
    int currentPage = -1;
    std::string currentPageClass;
    std::function<bool(CDialog&)> idleAction;
    bool abandoned = false;
    bool gaveUp = false;
    int livePeers = 0;
};

}

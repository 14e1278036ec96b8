#pragma once

// The system's side of a tour of the Windows front end's windows: running the thread's
// messages, a timer that fires inside any message loop of the thread (the front end's
// modal loops and the system's message box alike), the thread's top-level windows, and
// the message boxes among them. Windows are handles as plain pointers: this header names no
// system type, so that files which include the window model can use it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plintor::win32 {

// Runs the thread's queued messages (the front end's wake-ups among them) until none is left.
void RunQueuedMessages();

// Calls `tick` about every `milliseconds` on this thread, from whatever message loop runs
// there, while the object lives. One at a time.
class CThreadTimer {
public:
    CThreadTimer(int milliseconds, std::function<void()> tick);
    ~CThreadTimer();
    CThreadTimer(const CThreadTimer&) = delete;
    CThreadTimer& operator=(const CThreadTimer&) = delete;

private:
    std::uintptr_t id = 0;
};

// The font a window draws its text in (WM_GETFONT): its face, its height in points at the
// window's dots per inch, its weight and underline. False for a window without a font.
struct WindowFont {
    std::string face;
    int points = 0;
    int weight = 0;
    bool underline = false;
};
bool FontOfWindow(void* window, WindowFont& font);

// The calling thread's visible top-level windows, the one in front first.
std::vector<void*> VisibleThreadWindows();

// The system's message box (a dialog of the system's class that shows its text under the
// message box's own control id), its text in UTF-8, and its answer as a person pressing
// Escape gives it: Cancel, the only OK, or else the default button.
bool IsMessageBox(void* window);
std::string MessageBoxText(void* window);
void AnswerWithEscape(void* messageBox);

}

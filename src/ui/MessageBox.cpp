#include "ui/MessageBox.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace plintor {

namespace {

std::mutex handlerMutex;
MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

int ButtonsOfType(std::uint32_t type, int index)
{
    // The buttons of each box type, left to right.
    static const int buttons[][3] = {
        {IDOK, 0, 0},                     // MB_OK
        {IDOK, IDCANCEL, 0},              // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},     // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},          // MB_YESNOCANCEL
        {IDYES, IDNO, 0},                 // MB_YESNO
        {IDRETRY, IDCANCEL, 0},           // MB_RETRYCANCEL
    };
    if (type > MB_RETRYCANCEL)
        type = MB_OK;
    return buttons[type][index];
}

}

int DefaultMessageBoxResult(std::uint32_t style)
{
    std::uint32_t type = style & MB_TYPEMASK;
    int index = static_cast<int>((style & MB_DEFMASK) >> 8);
    if (index > 2)
        index = 0;
    int result = ButtonsOfType(type, index);
    return result != 0 ? result : ButtonsOfType(type, 0);
}

int ShowMessageBox(const MessageBoxRequest& request)
{
    MessageBoxHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = Handler();
    }
    if (handler)
        return handler(request);
    std::fprintf(stderr, "%s\n%s\n", request.caption.c_str(), request.text.c_str());
    return DefaultMessageBoxResult(request.style);
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    std::lock_guard lock(handlerMutex);
    Handler() = std::move(handler);
}

}

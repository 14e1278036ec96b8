#pragma once

#include "core/LangId.h"

#include <cstdint>
#include <functional>
#include <string>

namespace plintor {

class CWindow;

// Message box styles and results, with the values that the dialog framework uses, so that
// callers combine them as `MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2`.
enum MessageBoxStyle : std::uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
};

enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

struct MessageBoxRequest {
    CWindow* owner = nullptr;    // none allowed
    std::string text;            // UTF-8
    std::string caption;
    std::uint32_t style = MB_OK;
    std::uint16_t language = LANG_ENGLISH_US;  // button texts are shown in this language
};

// The button that a box of this style takes when nobody presses one (its default button).
int DefaultMessageBoxResult(std::uint32_t style);

// Shows a message box through the installed front end and returns the button pressed.
// Without a front end the box is written to stderr as its caption and text, and the
// default button is the answer.
int ShowMessageBox(const MessageBoxRequest& request);

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Installs the front end's message box; an empty handler restores the stderr form.
void SetMessageBoxHandler(MessageBoxHandler handler);

}

#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"

#include <cstdint>
#include <string>

namespace plintor {

class CWindow;

// Shows a message box whose text and caption are strings `textId` and `titleId` loaded in
// exactly `language` (each empty when missing there), with `style` (MB_* of
// ui/MessageBox.h) and button texts in `language`. `owner` may be null. Returns the
// button pressed (IDOK, IDYES, ...).
int ShowMessage(LangId language, CWindow* owner, StringId textId, StringId titleId,
                std::uint32_t style);

// The same with a text that the caller has composed (for example two strings joined).
int ShowMessageText(LangId language, CWindow* owner, const std::string& text, StringId titleId,
                    std::uint32_t style);

}

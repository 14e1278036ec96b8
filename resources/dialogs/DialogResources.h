#pragma once

#include <cstdint>
#include <span>

#include "ui/DialogTemplate.h"

namespace plintor {

// The dialog layout in exactly the given language, or nullptr when the program holds no
// template of that id in that language (there is no fallback to another language).
// The templates live as long as the program.
const DialogTemplate* FindDialogTemplate(int id, std::uint16_t language);

// The languages in which the program holds its dialog templates.
std::span<const std::uint16_t> DialogTemplateLanguages();

// The ids of every dialog template, frame first.
std::span<const int> DialogTemplateIds();

}

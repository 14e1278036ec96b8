#pragma once

#include <cstdint>

namespace plintor::resources {

// The caption of a message box button in `language`: `button` is one of the dialog
// results IDOK (1), IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO (7). An "&" marks
// the mnemonic letter. A language without button texts gets the English ones; an unknown
// button gets an empty text.
const char* MessageBoxButtonText(int button, std::uint16_t language);

}

#pragma once

#include "ui/MessageBox.h"

#include <QString>

class QWidget;

namespace plintor::qt {

// The text of a message box button (IDOK, IDCANCEL, IDYES, ...) in an interface language;
// English for a language without a table.
QString MessageBoxButtonText(int buttonId, std::uint16_t language);

// Shows a modal message box over `owner` (none allowed) with the buttons, icon and default
// button of the request's style, its buttons in the request's language, and returns the
// button pressed. Closing the box counts as its cancel button, or as the default button
// when it has none.
int ShowQtMessageBox(const MessageBoxRequest& request, QWidget* owner);

}

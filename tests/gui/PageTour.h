#pragma once

#include "core/LangId.h"

#include <functional>
#include <string>

class QWidget;

namespace plintor {
class CDialog;
class CWizardDlg;
}

namespace plintor::qt::testing {

// Called for every page a tour shows: the scene and page ("network-06"), the frame, and
// the page in front.
using PageVisit = std::function<void(const std::string& name, CWizardDlg& wizard, CDialog& page)>;
// Called for every message box or popup dialog that comes up during a tour, before the
// tour closes it (message boxes) or lets it finish (wait dialogs).
using PopupVisit = std::function<void(const std::string& name, QWidget& popup)>;

// Shows every page of the real wizard in `language` under the desktop front end, in the
// states that change their texts: the settings pages of a network printer with all four
// configuration kinds, the wireless pages with WEP and with a passphrase, the cable pages
// and the completion page of a USB printer, and the method page under each flow title.
// The printer operations are stand-ins (no search leaves the process).
void TourEveryPage(LangId language, const PageVisit& visitPage, const PopupVisit& visitPopup = {});

// The wait popup (both of its messages) and the address dialog in `language`.
void TourDialogs(LangId language, const PopupVisit& visitDialog);

}

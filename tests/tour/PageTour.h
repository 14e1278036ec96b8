#pragma once

// A tour of every page and dialog of the real wizard, for any desktop front end: which
// pages, in which states, with which stand-in printer operations. The front end supplies
// only what differs between toolkits (CTourFrontEnd): how queued work runs and how a popup
// is found, shown to the visitor and answered.

#include "core/LangId.h"

#include <functional>
#include <memory>
#include <string>

namespace plintor {
class CDialog;
class CWizardDlg;
}

namespace plintor::tour {

// Called for every page a tour shows: the scene and page ("network-06"), the frame, and
// the page in front.
using PageVisit = std::function<void(const std::string& name, CWizardDlg& wizard, CDialog& page)>;
// Called for each dialog of TourDialogs ("wait IDS_WAIT_MSG", "address dialog").
using DialogVisit = std::function<void(const std::string& name, CDialog& dialog)>;

// Watches for popups while it lives (see CTourFrontEnd::WatchPopups).
class CPopupWatch {
public:
    virtual ~CPopupWatch() = default;
};

class CTourFrontEnd {
public:
    virtual ~CTourFrontEnd() = default;
    // Makes and installs the front end once; later calls do nothing.
    virtual void Install() = 0;
    // Runs what is queued (pages post their start messages) for a moment.
    virtual void Settle() = 0;
    // Until the watch ends, every message box or popup dialog that comes up is handed to
    // the front end's own visitor under the name `where` holds at that moment followed by
    // " message TEXT" (a message box, then answered with its escape button, or its default
    // button where it has none) or " popup" (once; it ends by itself, as the wait popup).
    virtual std::unique_ptr<CPopupWatch> WatchPopups(const std::string& where) = 0;
};

// Shows every page of the real wizard in `language` under `frontEnd`, in the states that
// change their texts: the settings pages of a network printer with all four configuration
// kinds, the wireless pages with WEP and with a passphrase, the cable pages and the
// completion page of a USB printer, and the method page under each flow title. The printer
// operations are stand-ins (no search leaves the process).
void TourEveryPage(CTourFrontEnd& frontEnd, LangId language, const PageVisit& visitPage);

// The wait popup (both of its messages) and the address dialog in `language`.
void TourDialogs(CTourFrontEnd& frontEnd, LangId language, const DialogVisit& visitDialog);

// Every message the program shows in a message box (MSG_*), in `language`, with the buttons
// it is shown with, each under the popup name "message-MSG_NAME"; returns how many.
int TourMessageBoxes(CTourFrontEnd& frontEnd, LangId language);

// Clicks every visible, enabled "What's this?" link of `page`: each opens its guide in a
// message box, which a popup watch sees. Returns how many.
int OpenEveryGuide(CDialog& page);

// The file name of a tour's picture: "choose-00.png", the popup's scene with a serial
// number ("fax-popup-7.png"), "dialog-wait-3.png"; `prefix` goes in front ("de-").
std::string PictureName(const std::string& prefix, const std::string& name, int serial);

}

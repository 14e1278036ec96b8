#pragma once

namespace plintor {

class CPlintorApp;

// Where the printer was chosen: on a USB page (the method page or a cable page, with
// exactly one USB printer connected) or on the printer selection page.
enum class ChosenOn { UsbPages, SelectionPage };

// The first settings page for the chosen printer, by configureFlags in the order
// wireless, IP, FAX: the wireless page (the access point page instead when the printer
// was found on USB and the configuration surveys access points over USB), the IP page,
// or a FAX page by faxPageVariant after the printer's FAX settings were read. -1 when no
// page fits (a run for the panel language only, or an unknown FAX page variant).
int NextSettingsPage(CPlintorApp& app, ChosenOn chosenOn);

// The USB pages' rule: printer 0 becomes the chosen one, then NextSettingsPage.
int FirstSettingsPage(CPlintorApp& app);

}

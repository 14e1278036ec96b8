#pragma once

#include <cstdint>

namespace plintor {

struct RunState;

// Where the printer was chosen: on a USB page (start-up, the method page or a cable page,
// with exactly one USB printer connected) or on the printer selection page.
enum class ChosenOn { UsbPages, SelectionPage };

// The FAX page of a FaxPageVariant: the FAX page proper for "top" (and when none was
// given), the page with the "I don't use FAX" box for "flow"; kPageNone for any other.
int FaxPageOf(std::int32_t faxPageVariant);

// The first settings page for the chosen printer, by configureFlags in the order
// wireless, IP, FAX: the wireless page (the access point page instead when the printer
// was found on USB and the configuration surveys access points over USB), the IP page,
// or the FAX page of the run's variant after the printer's FAX settings were read
// (run.operations.readFaxSettings). kPageNone when no page fits (a run for the panel
// language only, or an unknown FAX page variant).
int NextSettingsPage(RunState& run, ChosenOn chosenOn);

// The USB pages' rule: printer 0 becomes the chosen one, then NextSettingsPage.
int FirstSettingsPage(RunState& run);

}

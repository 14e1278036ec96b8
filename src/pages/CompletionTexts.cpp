#include "pages/CompletionTexts.h"

#include "core/ConfigureFlags.h"
#include "core/StringTable.h"

#include <initializer_list>

namespace plintor {

namespace {

constexpr const char* kParagraphBreak = "\r\n\r\n";
constexpr std::int32_t kConnectionNetwork = 2;

// How a run of the "flow" variant ends, by the kinds it configured.
enum class FlowEnding {
    PrintReport,     // the report can be printed; the user goes on with "Next"
    Network,         // sent over the network; the user goes on with "Next"
    FaxDeclined,     // only FAX, and the user declined it: nothing but the panel language went
};

std::string Join(std::initializer_list<std::string> parts)
{
    std::string joined;
    bool first = true;
    for (const std::string& part : parts) {
        if (!first)
            joined += kParagraphBreak;
        joined += part;
        first = false;
    }
    return joined;
}

FlowEnding FlowEndingFor(const CompletionInput& input)
{
    // The panel language rides along with any kind and takes no part in the decision.
    std::uint32_t kinds = input.configureFlags & ~static_cast<std::uint32_t>(kConfigurePanelLanguage);
    bool onlyFax = kinds == kConfigureFax;
    if (input.connectionMode != kConnectionNetwork)
        return onlyFax && input.faxEnabled == 0 ? FlowEnding::FaxDeclined : FlowEnding::PrintReport;
    if (onlyFax && input.faxEnabled == 1)
        return FlowEnding::PrintReport;
    if (onlyFax && input.faxEnabled == 0)
        return FlowEnding::FaxDeclined;
    return FlowEnding::Network;
}

}

CompletionView ComposeCompletion(const CompletionInput& input, LangId language)
{
    auto text = [language](StringId id) { return LoadText(language, id); };
    const std::string continueText = input.continueToInstall ? text(IDS_COMPLETE_DLG_CONTINUE_TEXT) : std::string();
    const bool ipConfigured = (input.configureFlags & kConfigureIp) != 0;

    CompletionView view;
    if (input.faxPageVariant != kFaxPageFlow) {
        view.nextCaption = IDS_FINISH_BUTTON;
        if (input.connectionMode == kConnectionNetwork) {
            view.anotherButton = true;
            if (ipConfigured) {
                // The printer's address may have changed: no cable or link quality advice.
                view.upper = Join({text(IDS_COMPLETE_DLG_FINISHED), text(IDS_COMPLETE_DLG_CHECK_REPORT),
                                   text(IDS_COMPLETE_DLG_ANOTHER_PRINTER)});
                view.lower = continueText;
            } else {
                view.upper = Join({text(IDS_COMPLETE_DLG_FINISHED), text(IDS_COMPLETE_DLG_CHECK_REPORT),
                                   text(IDS_COMPLETE_DLG_CHECK_LINK_QUALITY), text(IDS_COMPLETE_DLG_ANOTHER_PRINTER)});
                view.lower = Join({text(IDS_COMPLETE_DLG_DISCONNECT_ETHERNET), continueText});
            }
        } else {
            view.printButton = true;
            view.upper = Join({text(IDS_COMPLETE_DLG_FINISHED), text(IDS_COMPLETE_DLG_CHECK_REPORT_PRINT)});
            view.lower = Join({text(IDS_COMPLETE_DLG_DISCONNECT_USB), continueText});
        }
        return view;
    }

    view.nextCaption = IDS_NEXT_BUTTON;
    switch (FlowEndingFor(input)) {
    case FlowEnding::PrintReport:
        view.printButton = true;
        view.upper = Join({text(IDS_COMPLETE_DLG_FINISHED), text(IDS_COMPLETE_DLG_CHECK_REPORT_PRINT)});
        view.lower = Join({text(IDS_COMPLETE_DLG_CLICK_NEXT), continueText});
        break;
    case FlowEnding::Network:
        view.upper = Join({text(IDS_COMPLETE_DLG_FINISHED), text(IDS_COMPLETE_DLG_CHECK_REPORT),
                           text(IDS_COMPLETE_DLG_CHECK_LINK_QUALITY), text(IDS_COMPLETE_DLG_CLICK_NEXT), continueText});
        break;
    case FlowEnding::FaxDeclined:
        view.upper = Join({text(IDS_COMPLETE_DLG_FINISHED_CONFIGURING), text(IDS_COMPLETE_DLG_CLICK_NEXT), continueText});
        break;
    }
    return view;
}

}

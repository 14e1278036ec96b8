#include "app/CPlintorApp.h"

#include "app/CommandLine.h"
#include "app/Language.h"
#include "app/OsVersionCode.h"
#include "config/ConfigReader.h"
#include "config/GeneralSettings.h"
#include "config/LoadConfiguration.h"
#include "config/TextCompare.h"
#include "core/ConfigureFlags.h"
#include "platform/Administrator.h"
#include "ui/MessageBox.h"
#include "wizard/FirstSettingsPage.h"
#include "wizard/Messages.h"
#include "wizard/PageIndex.h"

#include <bit>
#include <utility>

namespace plintor {

namespace {

// The option table rows: value text and number.
struct OptionValueRow {
    std::string_view text;
    std::int32_t number;
};
constexpr OptionValueRow kModeValues[] = {{"select", 0}, {"usb", 1}, {"network", 2}};
constexpr OptionValueRow kRunValues[] = {{"top", 0}, {"flow", 1}};

template <std::size_t N>
bool FindOptionValue(const OptionValueRow (&rows)[N], std::string_view value, std::int32_t& number)
{
    for (const OptionValueRow& row : rows) {
        if (EqualsNoCase(row.text, value)) {
            number = row.number;
            return true;
        }
    }
    return false;
}

bool Occurs(std::string_view line, std::string_view option)
{
    return line.find(option) != std::string_view::npos;
}

// 1 USB only, 2 network only, 0 both.
std::int32_t SingleConnection(const UtilityConfig& config)
{
    bool usb = config.HasConnectionType(ConnectionUsb);
    bool net = config.HasConnectionType(ConnectionNet);
    if (usb && !net)
        return 1;
    if (net && !usb)
        return 2;
    return 0;
}

// Exactly one feature, or exactly two of which one is Panel.
bool HasSingleFeature(const UtilityConfig& config)
{
    int count = std::popcount(config.features & (FeatureIp | FeatureWireless | FeatureFax | FeaturePanel));
    return count == 1 || (count == 2 && config.HasFeature(FeaturePanel));
}

std::uint32_t FlagsOfFeatures(const UtilityConfig& config)
{
    std::uint32_t flags = 0;
    if (config.HasFeature(FeatureIp))
        flags |= kConfigureIp;
    if (config.HasFeature(FeatureWireless))
        flags |= kConfigureWireless;
    if (config.HasFeature(FeatureFax))
        flags |= kConfigureFax;
    if (config.HasFeature(FeaturePanel))
        flags |= kConfigurePanelLanguage;
    return flags;
}

}

StartUpServices DefaultStartUpServices()
{
    StartUpServices services;
    services.configFilePath = [] { return ConfigFilePath(); };
    services.osVersionCode = [] { return GetOsVersionCode(); };
    services.isAdministrator = [] { return platform::IsProcessAdministrator(); };
    services.isUsableLanguage = [](std::uint16_t langId) { return IsUsableLanguage(langId); };
    services.defaultLanguage = [] { return ChooseDefaultLanguage(); };
    services.uiLanguage = [](const CPlintorApp& app) {
        return ChooseUiLanguage(app.optLanguage, app.config.utilityLanguages);
    };
    services.showMessage = [](std::uint16_t langId, unsigned textId, unsigned titleId, std::uint32_t style) {
        return ShowMessage(langId, nullptr, static_cast<StringId>(textId), static_cast<StringId>(titleId), style);
    };
    return services;
}

CPlintorApp::CPlintorApp() : CPlintorApp(DefaultStartUpServices()) {}

CPlintorApp::CPlintorApp(StartUpServices startUpServices) : services(std::move(startUpServices)) {}

CPlintorApp::CPlintorApp(StartUpServices startUpServices, PrinterOperations printerOperations)
    : RunState(std::move(printerOperations))
    , services(std::move(startUpServices))
{
}

CPlintorApp::~CPlintorApp() = default;

void CPlintorApp::ShowStartUpMessage(unsigned textId)
{
    startUpMessage = textId;
    if (services.showMessage)
        services.showMessage(uiLanguage, textId, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
}

bool CPlintorApp::InitInstance()
{
    // The window model needs no registration of control classes and the framework no
    // start-up of its own (the front end is installed before the application starts).
    configFilePath = services.configFilePath ? services.configFilePath() : std::string();
    if (services.defaultLanguage)
        uiLanguage = services.defaultLanguage();

    // Each step that fails shows its message and leaves the block.
    do {
        int systemCode = services.osVersionCode ? services.osVersionCode() : 0;
        if (systemCode < kOsCodeFirstSupported) {
            ShowStartUpMessage(MSG_ERR_NOT_SUPPORT_OS);
            break;
        }
        std::string mutexName;
        if (!ReadMutexName(configFilePath, mutexName)) {
            ShowStartUpMessage(MSG_ERR_INCORRECT_INFO);
            break;
        }
        instanceLock = CreateInstanceLock(systemCode, mutexName);
        if (!instanceLock.Held()) {
            ShowStartUpMessage(MSG_ERR_ALREADY_STARTED);
            break;
        }
        platform::PauseWhileHoldingLockForTests();
        if (!IsUserAdministrator()) {
            ShowStartUpMessage(MSG_ERR_NOT_ADMIN);
            break;
        }
        if (hooks.releaseLeftovers)
            hooks.releaseLeftovers(*this);
        if (!LoadConfiguration(config, configFilePath, services.isUsableLanguage)) {
            ShowStartUpMessage(MSG_ERR_INCORRECT_INFO);
            break;
        }
        if (!ParseCommandLine()) {
            ShowStartUpMessage(MSG_ERR_INCORRECT_ARG);
            break;
        }
        if (services.uiLanguage)
            uiLanguage = services.uiLanguage(*this);
        if (config.HasPanelLanguage(uiLanguage))
            currentPrinter.panelLanguage = uiLanguage;
        ResolveRunOptions();
        RunWizard();
    } while (false);

    instanceLock.Release();
    return false;
}

int CPlintorApp::ExitInstance()
{
    if (hooks.restorePrinters)
        hooks.restorePrinters(*this);
    printersToRestore.clear();
    return startUpMessage != 0 ? 1 : 0;
}

std::string CPlintorApp::InstanceLockName(int systemCode, const std::string& name)
{
    return systemCode > kOsCodeNt4 ? "Global\\" + name : name;
}

platform::InstanceLock CPlintorApp::CreateInstanceLock(int systemCode, const std::string& name)
{
    if (name.empty())
        return {};
    return platform::InstanceLock::Acquire(InstanceLockName(systemCode, name));
}

bool CPlintorApp::IsUserAdministrator() const
{
    return services.isAdministrator && services.isAdministrator();
}

bool CPlintorApp::ParseCommandLine()
{
    if (commandLine.empty()) {
        hasOptions = 0;
        return true;
    }
    std::string line = ToLowerAscii(commandLine);
    std::int32_t any = 0;

    std::string value = GetOptionValue(line, "/langid:");
    if (!value.empty()) {
        optLanguage = static_cast<std::uint16_t>(TextToInt(value));
        any = 1;
    }
    if (FindOptionValue(kModeValues, GetOptionValue(line, "/mode:"), optConnection))
        any = 1;

    if (Occurs(line, "/select")) {
        optConfigure |= kOptSelect;
        any = 1;
    } else {
        constexpr std::pair<std::string_view, std::uint32_t> kinds[] = {
            {"/ip", kOptIp}, {"/wireless", kOptWireless}, {"/fax", kOptFax}, {"/panel", kOptPanel}};
        for (const auto& [option, bit] : kinds) {
            if (Occurs(line, option)) {
                optConfigure |= bit;
                any = 1;
            }
        }
        if ((optConfigure & kOptIp) && (optConfigure & kOptWireless))
            return false;
    }

    if (Occurs(line, "/no_backbtn")) {
        optBackButton = 0;
        any = 1;
    }
    if (FindOptionValue(kRunValues, GetOptionValue(line, "/run:"), faxPageVariant))
        any = 1;
    if (Occurs(line, "/check:wlan")) {
        optCheckWlan = 1;
        any = 1;
    } else {
        optCheckWlan = config.checkWlanDefault;
    }
    if (Occurs(line, "/filemode"))
        fileMode = 1;

    hasOptions = any;
    return true;
}

void CPlintorApp::ResolveRunOptions()
{
    std::int32_t single = SingleConnection(config);
    auto flagsFromFeatures = [&](bool setBackButton) {
        if (HasSingleFeature(config)) {
            configureFlags = FlagsOfFeatures(config);
            if (setBackButton)
                backButtonFlag = 0;
        } else {
            configureFlags = kConfigureChoose;
            if (config.HasFeature(FeaturePanel))
                configureFlags |= kConfigurePanelLanguage;
            if (setBackButton)
                backButtonFlag = 1;
        }
    };

    if (hasOptions == 0) {
        connectionMode = single;
        flagsFromFeatures(true);
        checkWlan = config.checkWlanDefault;
        return;
    }
    connectionMode = optConnection != -1 ? optConnection : single;
    if (optConfigure != 0)
        configureFlags |= optConfigure;
    else
        flagsFromFeatures(false);
    backButtonFlag = optBackButton;
    checkWlan = config.checkWlanDefault ? optCheckWlan : 0;
}

int CPlintorApp::ComputeStartPage()
{
    if (configureFlags & kConfigureChoose)
        return kPageWelcome;
    if (connectionMode == 0 || connectionMode == -1)
        return kPageSelectMethod;
    if (connectionMode == 2)
        return kPageConnectCom;
    if (connectionMode != 1)
        return kPageNone;

    int noAdapterCount = 0;
    int found = operations.discoverUsb ? operations.discoverUsb(*this, noAdapterCount) : 0;
    bool panelOnly = configureFlags == kConfigurePanelLanguage;
    if (found != 1) {
        if (panelOnly)
            return kPageNone;
        return found <= 0 ? kPageConnect : kPageDisconnect;
    }

    int page = FirstSettingsPage(*this);
    if (page != kPageNone || !panelOnly)
        return page;
    // A run for the panel language only sends it at once, without a wizard.
    PrinterEntry entry;
    if (printers.GetPrinter(selectedPrinter, entry)) {
        entry.panelLanguage = uiLanguage;
        printers.ReplacePrinter(selectedPrinter, entry);
        if (operations.applyPanelLanguage)
            operations.applyPanelLanguage(*this);
    }
    return kPageNone;
}

bool CPlintorApp::RunWizard()
{
    int startPage = ComputeStartPage();
    if (startPage == kPageNone)
        return false;
    // The frame loads its template in uiLanguage and runs modally; without a frame there
    // is no wizard to show.
    if (!hooks.runWizardFrame)
        return false;
    return hooks.runWizardFrame(*this, startPage);
}

}

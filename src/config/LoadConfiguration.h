#pragma once

#include "config/IniFile.h"
#include "config/UtilityConfig.h"

#include <cstdint>
#include <functional>
#include <string>

namespace plintor {

// Whether the program can show its interface in a language (it holds the wizard frame
// in exactly that language). Interface languages that fail it are dropped on loading.
using LanguageUsableTest = std::function<bool(std::uint16_t langId)>;

// Reads the configuration file at `path` into `config` (which should be empty). True
// when every required part was read. On false the record may be partly filled; start-up
// then stops with message 218.
//
// Required: SUPPORT_CONNECTIONTYPE ("USB" and/or "NET"), the search lists of each
// connection type, SUPPORT_FEATURE (not Panel alone), the interface languages, and for
// each enabled feature its section (panel languages; FAX countries, the four FAX code
// lists; the two wireless switches). Unsupported languages, countries and FAX codes are
// dropped silently. Sections of features or connection types not offered are not read.
bool LoadConfiguration(UtilityConfig& config, const std::string& path, const LanguageUsableTest& usable);

// The same over a file already parsed (the path rule aside).
bool LoadConfiguration(UtilityConfig& config, const IniFile& file, const LanguageUsableTest& usable);

}

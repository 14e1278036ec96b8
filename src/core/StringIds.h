#pragma once

#include <cstdint>

namespace plintor {

// The string ids of the program, named by their symbolic names (IDS_ for texts, MSG_ for
// messages): `MSG_CANCEL_DLG` is 216, `IDS_WND_TITLE` is 546. The ids, names and English
// texts are listed in resources/strings/Strings.def. A number that comes from a table
// becomes a StringId by an explicit cast.
enum StringId : std::uint16_t {
#define PLINTOR_STRING(id, name, text) name = id,
#include "resources/strings/Strings.def"
#undef PLINTOR_STRING
};

}

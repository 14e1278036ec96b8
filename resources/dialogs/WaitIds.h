#pragma once

// "Please wait" popup (dialog 137), shown while a worker thread searches.

namespace plintor {

inline constexpr int IDC_WAIT_MESSAGE = 1103;

}

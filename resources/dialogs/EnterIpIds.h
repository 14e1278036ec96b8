#pragma once

// Printer address entry (dialog 30011), a modal dialog of its own.

namespace plintor {

inline constexpr int IDC_ENTER_IP_OK = 1;             // "OK", the default button
inline constexpr int IDC_ENTER_IP_CANCEL = 2;         // "Cancel"
inline constexpr int IDC_ENTER_IP_PROMPT = 1053;
inline constexpr int IDC_ENTER_IP_LABEL = 1052;       // "&IP Address:"
inline constexpr int IDC_ENTER_IP_EDIT = 1051;        // at most 39 characters

inline constexpr int ENTER_IP_MAX_CHARS = 39;

}

#pragma once

// Controls that every page template lays out at the same place (a page may lack some).

namespace plintor {

inline constexpr int IDC_BACK = 1;             // "< &Back"
inline constexpr int IDC_NEXT = 2;             // "&Next >", the default button
inline constexpr int IDC_CANCEL = 3;           // "Cancel"
inline constexpr int IDC_SEPARATOR = 4;        // etched line above the buttons
inline constexpr int IDC_BANNER_BACK = 1000;   // banner background picture
inline constexpr int IDC_BANNER_LEFT = 1104;   // banner left picture
inline constexpr int IDC_BANNER_RIGHT = 1003;  // banner right picture
inline constexpr int IDC_BANNER_TEXT = 1005;
inline constexpr int IDC_FLOW_TITLE = 1004;
inline constexpr int IDC_PAGE_TITLE = 1002;
inline constexpr int IDC_SIDE_TITLE = 1006;
inline constexpr int IDC_SIDE_MESSAGE = 1007;

}

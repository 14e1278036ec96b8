#pragma once

#include "resources/dialogs/CommonPageIds.h"

// FAX settings page (dialog 30012); the FAX controls are shared with dialog 30016.

namespace plintor {

inline constexpr int IDC_FAX_REGION_LABEL = 1054;     // "&Region:"
inline constexpr int IDC_FAX_REGION = 1055;           // drop-down list, sorted
inline constexpr int IDC_FAX_REGION_HELP = 1056;
inline constexpr int IDC_FAX_LINE_TYPE_LABEL = 1057;  // "&Line Type:"
inline constexpr int IDC_FAX_LINE_TYPE = 1058;
inline constexpr int IDC_FAX_LINE_TYPE_HELP = 1059;
inline constexpr int IDC_FAX_DIAL_TYPE_LABEL = 1060;  // "D&ial Type:"
inline constexpr int IDC_FAX_DIAL_TYPE = 1061;
inline constexpr int IDC_FAX_DIAL_TYPE_HELP = 1062;
inline constexpr int IDC_FAX_RECEIVE_MODE_LABEL = 1063;  // "R&eceive Mode:"
inline constexpr int IDC_FAX_RECEIVE_MODE = 1064;
inline constexpr int IDC_FAX_RECEIVE_MODE_HELP = 1065;
inline constexpr int IDC_FAX_DRPD_LABEL = 1066;       // "&DRPD Pattern:"
inline constexpr int IDC_FAX_DRPD = 1067;
inline constexpr int IDC_FAX_DRPD_HELP = 1068;
inline constexpr int IDC_FAX_COMPANY_LABEL = 1069;    // "C&ompany Name:"
inline constexpr int IDC_FAX_COMPANY = 1070;          // edit, at most 23 characters
inline constexpr int IDC_FAX_COMPANY_HELP = 1071;
inline constexpr int IDC_FAX_NUMBER_LABEL = 1073;     // "F&ax Number:"
inline constexpr int IDC_FAX_NUMBER = 1072;           // edit, at most 20 characters
inline constexpr int IDC_FAX_NUMBER_HELP = 1074;

inline constexpr int FAX_COMPANY_MAX_CHARS = 23;
inline constexpr int FAX_NUMBER_MAX_CHARS = 20;

}

#pragma once

// Every Windows form takes the system's headers without their rarely used parts (which
// would also bring the old Winsock 1 in beside Winsock 2) and without the min and max
// macros, which would break std::min and std::max. Included before any system header.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

// The administrator test over the process token: the SID of the built-in domain's
// Administrators alias (SECURITY_NT_AUTHORITY, sub-authorities SECURITY_BUILTIN_DOMAIN_RID
// 32 and DOMAIN_ALIAS_RID_ADMINS 544) is compared with every group of the token
// (GetTokenInformation with TokenGroups, first asked for the size). The group's attributes
// are not looked at: under User Account Control a non-elevated administrator holds the
// alias as a deny-only group and still counts, as the start-up rule asks. Exercised under
// Wine by the Windows unit tests (Wine's token holds the alias).
#include "platform/Administrator.h"

#include "platform/windows/WinText.h"

#include <vector>

namespace plintor::platform {

bool IsProcessAdministrator()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                  0, 0, 0, &administrators))
        return false;
    bool found = false;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
        if (size > 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
            // TOKEN_GROUPS holds pointers: the buffer is aligned for them.
            std::vector<ULONG_PTR> buffer((size + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
            auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
            if (GetTokenInformation(token, TokenGroups, groups, size, &size)) {
                for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
                    found = EqualSid(groups->Groups[i].Sid, administrators) != FALSE;
            }
        }
        CloseHandle(token);
    }
    FreeSid(administrators);
    return found;
}

}

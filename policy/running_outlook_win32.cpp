#include <windows.h>

#include <tlhelp32.h>

#include "policy/running_outlook.h"

namespace sarvell::policy {

std::vector<Process> OutlookProcesses() {
    std::vector<Process> found;
    DWORD session = 0, theirs = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) return found;
    const HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (all == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(all, &entry); more; more = Process32NextW(all, &entry)) {
        if (CompareStringOrdinal(entry.szExeFile, -1, L"OUTLOOK.EXE", -1, TRUE) != CSTR_EQUAL ||
            !ProcessIdToSessionId(entry.th32ProcessID, &theirs) || theirs != session) {
            continue;
        }
        FILETIME created{}, unused{};
        const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (process != nullptr) {
            GetProcessTimes(process, &created, &unused, &unused, &unused);
            CloseHandle(process);
        }
        found.emplace_back(entry.th32ProcessID, (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime);
    }
    CloseHandle(all);
    return found;
}

}  // namespace sarvell::policy

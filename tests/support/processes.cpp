// Living and ended processes, the POSIX way (fork) and the Windows way (CreateProcess).
#include "support/processes.h"
#include "support/windows_api.h"

#ifdef _WIN32
#include <string>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vestrel::testing {

#ifdef _WIN32
namespace {
// This test program itself, started suspended: it never runs a line of its own.
PROCESS_INFORMATION startSuspendedChild() {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &child))
        return {};
    ::CloseHandle(child.hThread);
    return child;
}
}  // namespace

LivingProcess::LivingProcess() {
    const PROCESS_INFORMATION child = startSuspendedChild();
    m_id = static_cast<long>(child.dwProcessId);
    m_handle = child.hProcess;
}

LivingProcess::~LivingProcess() {
    if (!m_handle) return;
    ::TerminateProcess(m_handle, 0);
    ::WaitForSingleObject(m_handle, INFINITE);
    ::CloseHandle(m_handle);
}

long endedProcessId() {
    const PROCESS_INFORMATION child = startSuspendedChild();
    if (!child.hProcess) return 0;
    ::TerminateProcess(child.hProcess, 0);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::CloseHandle(child.hProcess);  // the last handle: the system forgets the process
    return static_cast<long>(child.dwProcessId);
}
#else
LivingProcess::LivingProcess() : m_id(static_cast<long>(::getppid())) {}

LivingProcess::~LivingProcess() = default;

long endedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<long>(child);
}
#endif

}  // namespace vestrel::testing

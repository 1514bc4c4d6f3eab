// Processes for the tests of the writer's clean-up: one that still runs and one that has
// ended.
#pragma once

namespace vestrel::testing {

// A process other than this one that runs while the test does (the parent on POSIX, a
// suspended child on Windows, ended when the object goes).
class LivingProcess {
public:
    LivingProcess();
    ~LivingProcess();
    LivingProcess(const LivingProcess&) = delete;
    LivingProcess& operator=(const LivingProcess&) = delete;
    long id() const { return m_id; }

private:
    long m_id = 0;
    void* m_handle = nullptr;
};
// The id of a process that has ended and is no longer known to the system.
long endedProcessId();

}  // namespace vestrel::testing

#pragma once

#include <string>

namespace velmar::cli {

// A temporary file next to `target`, renamed over it by commit() and removed otherwise, so
// that a failed or refused write never damages what was at the target.
class AtomicOutput {
public:
    explicit AtomicOutput(const std::string& target);
    ~AtomicOutput();
    AtomicOutput(const AtomicOutput&) = delete;
    AtomicOutput& operator=(const AtomicOutput&) = delete;

    const std::string& temporaryPath() const { return m_temporary; }
    void commit();

private:
    std::string m_target;
    std::string m_temporary;
    bool m_committed = false;
};

}  // namespace velmar::cli

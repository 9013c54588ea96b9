#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velmar::test {

// Slot of a virtual member function, as the interfaces number them: under the Itanium C++
// ABI a pointer to a virtual member holds 1 + its vtable offset in bytes, and the virtual
// destructor takes two entries at slot 0, so slot k sits at entry k + 1.
template <typename MemberFunction>
std::ptrdiff_t virtualSlot(MemberFunction member) {
    struct {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } raw{};
    static_assert(sizeof(MemberFunction) == sizeof(raw));
    std::memcpy(&raw, &member, sizeof raw);
    if ((raw.pointer & 1u) == 0)
        return -1;  // not virtual
    return static_cast<std::ptrdiff_t>((raw.pointer - 1) / sizeof(void*)) - 1;
}

}  // namespace velmar::test

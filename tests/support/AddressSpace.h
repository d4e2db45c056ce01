#pragma once

// Proving that an operation's memory is bounded without needing the memory: the operation runs
// where the address space may grow only by a set amount beyond what the process holds (RLIMIT_AS).

#include <sys/resource.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "tests/support/Unprivileged.h"

namespace korvane::testing_support {

// The address space the process holds now, in bytes.
inline uint64_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

// Runs `body` in a forked child whose address space may grow by `extra` bytes only.
inline void WithAddressSpaceCap(uint64_t extra, const std::function<void()>& body) {
  InForkedChild(
      [extra] {
        rlimit cap{};
        if (::getrlimit(RLIMIT_AS, &cap) != 0) return false;
        cap.rlim_cur = AddressSpaceInUse() + extra;
        return ::setrlimit(RLIMIT_AS, &cap) == 0;
      },
      body, "with capped memory");
}

}  // namespace korvane::testing_support

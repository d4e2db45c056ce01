#pragma once

// Proving that an operation's memory is bounded without needing the memory: the operation runs
// where the address space may grow only by a set amount beyond what the process holds (RLIMIT_AS).

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace korvane::testing_support {

// The address space the process holds now, in bytes.
inline uint64_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

// Runs `body` in a forked child whose address space may grow by `extra` bytes only; the child
// prints its own failed expectations and they fail the test through its exit status.
inline void WithAddressSpaceCap(uint64_t extra, const std::function<void()>& body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit cap{};
    bool capped = ::getrlimit(RLIMIT_AS, &cap) == 0;
    cap.rlim_cur = AddressSpaceInUse() + extra;
    capped = capped && ::setrlimit(RLIMIT_AS, &cap) == 0;
    if (capped) body();
    std::fflush(nullptr);
    ::_exit(capped && !testing::Test::HasFailure() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the part run with capped memory failed (see above)";
}

}  // namespace korvane::testing_support

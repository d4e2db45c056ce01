#pragma once

// File permissions do not stop root, and the tests often run as root: a test of what the editor
// does when it is refused a file runs its part as an ordinary user.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace korvane::testing_support {

// The user and group "nobody".
inline constexpr uid_t kNobody = 65534;

// Runs `body` in a forked child once `enter` has set it up; the child prints its own failed
// expectations and they fail the test through its exit status, with `what` saying which part.
inline void InForkedChild(const std::function<bool()>& enter, const std::function<void()>& body,
                          const char* what) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool entered = enter();
    if (entered) body();
    std::fflush(nullptr);
    ::_exit(entered && !testing::Test::HasFailure() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the part run " << what << " failed (see above)";
}

// Runs `body` here when the test is not root. As root it runs in a forked child that has become
// "nobody" first. Files the child must reach have to be open to "nobody".
inline void AsUnprivilegedUser(const std::function<void()>& body) {
  if (::geteuid() != 0) return body();
  InForkedChild(
      [] {
        return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
      },
      body, "as an unprivileged user");
}

}  // namespace korvane::testing_support

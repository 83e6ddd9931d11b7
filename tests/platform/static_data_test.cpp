// The program's static data mapped in at start: a first write to a page of
// it then takes no page fault. Each case runs in a child process of its own,
// whose pages start as the parent left them (never written here).

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>

#include "platform/static_data.h"

namespace rivo {
namespace {

constexpr std::size_t kPage = 4096, kPages = 256;
char g_untouched[kPages * kPage];  // static, zero: mapped in only when first written

// The page faults a child takes writing a byte to every page, after mapping
// the static data in or not; -1 when the system cannot map it in.
int FaultsOfFirstWrites(bool mapped_in) {
  const pid_t child = fork();
  if (child == 0) {
    if (mapped_in && !MapStaticDataIn()) _exit(255);
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    for (std::size_t i = 0; i < sizeof g_untouched; i += kPage) g_untouched[i] = 1;
    getrusage(RUSAGE_SELF, &after);
    const long faults = after.ru_minflt + after.ru_majflt - before.ru_minflt - before.ru_majflt;
    _exit(static_cast<int>(std::min<long>(faults / 2, 254)));  // halved to fit an exit code
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -2;
  return WEXITSTATUS(status) == 255 ? -1 : 2 * WEXITSTATUS(status);
}

TEST(StaticData, FirstWritesAfterItIsMappedInTakeNoPageFaults) {
  const int plain = FaultsOfFirstWrites(false);
  const int mapped = FaultsOfFirstWrites(true);
  if (mapped == -1) GTEST_SKIP() << "this system cannot map pages in ahead";
  ASSERT_GE(plain, static_cast<int>(kPages) - 2);
  // Sanitizer builds still fault in the shadow of the data as they check
  // it, an eighth of its size.
  EXPECT_LE(mapped, plain / 4);
}

}  // namespace
}  // namespace rivo

#include "server/sandbox.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/landlock.h>
#include <seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/limited_run.h"

namespace {

// Truncating a file, a right of Landlock's third version (Debian 12's headers know the second).
#ifndef LANDLOCK_ACCESS_FS_TRUNCATE
#define LANDLOCK_ACCESS_FS_TRUNCATE (1ULL << 14)
#endif

bool Limit(int resource, rlim_t value) {
  const rlimit r{value, value};
  return setrlimit(resource, &r) == 0;
}

// Writes only beneath folder; false when the kernel has no Landlock.
bool WriteOnlyBeneath(const char* folder) {
  const long abi = syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
  if (abi < 1) return false;
  uint64_t writes = LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_DIR |
                    LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_CHAR |
                    LANDLOCK_ACCESS_FS_MAKE_DIR | LANDLOCK_ACCESS_FS_MAKE_REG |
                    LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_MAKE_FIFO |
                    LANDLOCK_ACCESS_FS_MAKE_BLOCK | LANDLOCK_ACCESS_FS_MAKE_SYM;
  if (abi >= 2) writes |= LANDLOCK_ACCESS_FS_REFER;
  if (abi >= 3) writes |= LANDLOCK_ACCESS_FS_TRUNCATE;
  landlock_ruleset_attr attr{};
  attr.handled_access_fs = writes;
  const int ruleset = static_cast<int>(syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0));
  if (ruleset < 0) return false;
  landlock_path_beneath_attr beneath{};
  beneath.allowed_access = writes;
  beneath.parent_fd = open(folder, O_PATH | O_CLOEXEC);
  const bool ok = beneath.parent_fd >= 0 &&
                  syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &beneath, 0) == 0 &&
                  syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
  if (beneath.parent_fd >= 0) close(beneath.parent_fd);
  close(ruleset);
  return ok;
}

}  // namespace

bool EnterSandbox(const TChildLimits& limits, const char* folder) {
  if (!Limit(RLIMIT_CPU, static_cast<rlim_t>(limits.CpuSeconds)) ||
      (!kAddressSanitizer && !Limit(RLIMIT_AS, static_cast<rlim_t>(limits.MemoryMb) << 20)) ||
      !Limit(RLIMIT_CORE, 0))
    return false;
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return false;
  const bool landlock = WriteOnlyBeneath(folder);
  scmp_filter_ctx ctx = seccomp_init(SCMP_ACT_ALLOW);
  if (!ctx) return false;
  const uint32_t refuse = SCMP_ACT_ERRNO(EACCES);
  bool ok = true;
  auto rule = [&](int call) { ok = ok && seccomp_rule_add(ctx, refuse, call, 0) == 0; };
  // No network, nor a socket of any kind; no other process looked into.
  for (int call : {SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind),
                   SCMP_SYS(ptrace), SCMP_SYS(process_vm_writev), SCMP_SYS(process_vm_readv)})
    rule(call);
  if (!landlock) {
    // Without Landlock nothing may be written at all: nothing made, renamed or removed, and no
    // file opened with a write bit.
    for (int call :
         {SCMP_SYS(creat), SCMP_SYS(rename), SCMP_SYS(renameat), SCMP_SYS(renameat2),
          SCMP_SYS(unlink), SCMP_SYS(unlinkat), SCMP_SYS(mkdir), SCMP_SYS(mkdirat),
          SCMP_SYS(rmdir), SCMP_SYS(link), SCMP_SYS(linkat), SCMP_SYS(symlink),
          SCMP_SYS(symlinkat), SCMP_SYS(truncate), SCMP_SYS(ftruncate), SCMP_SYS(chmod),
          SCMP_SYS(fchmodat), SCMP_SYS(mknod), SCMP_SYS(mknodat)})
      rule(call);
    for (const unsigned flag : {unsigned{O_WRONLY}, unsigned{O_RDWR}, unsigned{O_CREAT},
                                unsigned{O_TRUNC}}) {
      ok = ok &&
           seccomp_rule_add(ctx, refuse, SCMP_SYS(open), 1,
                            SCMP_A1(SCMP_CMP_MASKED_EQ, flag, flag)) == 0 &&
           seccomp_rule_add(ctx, refuse, SCMP_SYS(openat), 1,
                            SCMP_A2(SCMP_CMP_MASKED_EQ, flag, flag)) == 0;
    }
    // openat2 hides its flags where the filter can't read them: the C library falls back.
    ok = ok && seccomp_rule_add(ctx, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(openat2), 0) == 0;
  }
  ok = ok && seccomp_load(ctx) == 0;
  seccomp_release(ctx);
  return ok;
}

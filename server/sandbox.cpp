#include "server/sandbox.h"

#include <errno.h>
#include <fcntl.h>
#include <seccomp.h>
#include <sys/resource.h>

namespace {

bool Limit(int resource, rlim_t value) {
  const rlimit r{value, value};
  return setrlimit(resource, &r) == 0;
}

}  // namespace

bool EnterSandbox(const TChildLimits& limits) {
  if (!Limit(RLIMIT_CPU, static_cast<rlim_t>(limits.CpuSeconds)) ||
      !Limit(RLIMIT_AS, static_cast<rlim_t>(limits.MemoryMb) << 20) || !Limit(RLIMIT_CORE, 0) ||
      !Limit(RLIMIT_FSIZE, 0))
    return false;
  scmp_filter_ctx ctx = seccomp_init(SCMP_ACT_ALLOW);
  if (!ctx) return false;
  const uint32_t refuse = SCMP_ACT_ERRNO(EACCES);
  bool ok = true;
  auto rule = [&](int call) { ok = ok && seccomp_rule_add(ctx, refuse, call, 0) == 0; };
  // No network, nor a socket of any kind.
  for (int call : {SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind)})
    rule(call);
  // Nothing made, renamed or removed.
  for (int call :
       {SCMP_SYS(creat), SCMP_SYS(rename), SCMP_SYS(renameat), SCMP_SYS(renameat2),
        SCMP_SYS(unlink), SCMP_SYS(unlinkat), SCMP_SYS(mkdir), SCMP_SYS(mkdirat),
        SCMP_SYS(rmdir), SCMP_SYS(link), SCMP_SYS(linkat), SCMP_SYS(symlink),
        SCMP_SYS(symlinkat), SCMP_SYS(truncate), SCMP_SYS(ftruncate), SCMP_SYS(chmod),
        SCMP_SYS(fchmodat), SCMP_SYS(mknod), SCMP_SYS(mknodat), SCMP_SYS(ptrace)})
    rule(call);
  // No file opened to be written: the flags' write bits refused on open and openat.
  for (const unsigned flag : {unsigned{O_WRONLY}, unsigned{O_RDWR}, unsigned{O_CREAT},
                              unsigned{O_TRUNC}}) {
    ok = ok &&
         seccomp_rule_add(ctx, refuse, SCMP_SYS(open), 1, SCMP_A1(SCMP_CMP_MASKED_EQ, flag, flag)) ==
             0 &&
         seccomp_rule_add(ctx, refuse, SCMP_SYS(openat), 1,
                          SCMP_A2(SCMP_CMP_MASKED_EQ, flag, flag)) == 0;
  }
  // openat2 hides its flags in a structure the filter can't read: refused whole, and the C
  // library falls back to openat.
  ok = ok && seccomp_rule_add(ctx, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(openat2), 0) == 0;
  ok = ok && seccomp_load(ctx) == 0;
  seccomp_release(ctx);
  return ok;
}

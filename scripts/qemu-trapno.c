/* Preloaded into 32-bit Wine when QEMU emulates the root. QEMU's user mode leaves the trap number
 * in the signal context at -1, and Wine tells a page fault from other faults by it, so a program's
 * own handled access violation became "Unhandled illegal instruction". This wraps the fault
 * handlers Wine installs and fills the trap number from si_code first, as the kernel would.
 *
 * Built by the host's compiler without a 32-bit C library: no headers, dlsym and the real
 * sigaction come from the root's libc at run time. */

#define SIGILL 4
#define SIGTRAP 5
#define SIGBUS 7
#define SIGFPE 8
#define SIGSEGV 11
#define SIGNALS 65
#define SA_SIGINFO 4
#define SI_KERNEL 0x80
#define RTLD_NEXT ((void*)-1)

/* i386 trap numbers. */
#define TRAP_DIVIDE 0
#define TRAP_DEBUG 1
#define TRAP_BREAKPOINT 3
#define TRAP_OVERFLOW 4
#define TRAP_INVALID_OPCODE 6
#define TRAP_PROTECTION 13
#define TRAP_PAGE_FAULT 14
#define TRAP_FPU 16
#define TRAP_ALIGNMENT 17

typedef void handler_t(int, void*, void*);

/* glibc's struct sigaction on i386. */
struct action {
  handler_t* handler;
  unsigned long mask[32];
  int flags;
  void (*restorer)(void);
};

struct info {
  int signo;
  int error;
  int code;
};

/* ucontext_t: flags, link, stack (3 words), then the general registers. */
enum { GREGS = 5, REG_TRAPNO = 12 };

extern void* dlsym(void* handle, const char* name);

static handler_t* wine_handlers[SIGNALS];

static int trap_number(int signal, int code) {
  switch (signal) {
    case SIGSEGV:
      return code == SI_KERNEL ? TRAP_PROTECTION : TRAP_PAGE_FAULT;
    case SIGBUS:
      return code == 1 /* BUS_ADRALN */ ? TRAP_ALIGNMENT : TRAP_PAGE_FAULT;
    case SIGILL:
      return TRAP_INVALID_OPCODE;
    case SIGTRAP:
      return code == 2 /* TRAP_TRACE */ ? TRAP_DEBUG : TRAP_BREAKPOINT;
    default: /* SIGFPE */
      return code == 1 ? TRAP_DIVIDE : code == 2 ? TRAP_OVERFLOW : TRAP_FPU;
  }
}

static void mend_then_call(int signal, void* info, void* context) {
  int* gregs = (int*)context + GREGS;
  if (gregs[REG_TRAPNO] == -1) gregs[REG_TRAPNO] = trap_number(signal, ((struct info*)info)->code);
  wine_handlers[signal](signal, info, context);
}

static int is_fault(int signal) {
  return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGTRAP ||
         signal == SIGFPE;
}

int sigaction(int signal, const struct action* action, struct action* old) {
  static int (*real)(int, const struct action*, struct action*);
  if (!real)
    real = (int (*)(int, const struct action*, struct action*))dlsym(RTLD_NEXT, "sigaction");
  /* SIG_DFL and SIG_IGN are 0 and 1. */
  if (!action || !is_fault(signal) || !(action->flags & SA_SIGINFO) ||
      (unsigned long)action->handler <= 1)
    return real(signal, action, old);
  struct action wrapped = *action;
  wine_handlers[signal] = action->handler;
  wrapped.handler = mend_then_call;
  return real(signal, &wrapped, old);
}

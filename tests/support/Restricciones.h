#pragma once
// Faults made in the test process itself, for the length of a scope.
// DiscoLleno: a write that would take a file past `bytes` fails with EFBIG,
// as on a full disk (SIGXFSZ ignored); children started meanwhile inherit it.
// SinPrivilegios: root would write into a read-only folder anyway; this drops
// the capabilities that let it from the effective set (back at the end).

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

struct DiscoLleno {
    explicit DiscoLleno(rlim_t bytes) : senal(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &antes);
        rlimit r = antes;
        r.rlim_cur = bytes < antes.rlim_max ? bytes : antes.rlim_max;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DiscoLleno()
    {
        setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, senal);
    }
    void (*senal)(int);
    rlimit antes{};
};

struct SinPrivilegios {
    SinPrivilegios()
    {
        syscall(SYS_capget, &cabecera, antes);
        __user_cap_data_struct menos[2] = {antes[0], antes[1]};
        menos[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &cabecera, menos);
    }
    ~SinPrivilegios() { syscall(SYS_capset, &cabecera, antes); }
    __user_cap_header_struct cabecera{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct antes[2]{};
};

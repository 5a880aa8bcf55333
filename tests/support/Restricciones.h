#pragma once
// Faults of the disk and of permissions, made in the test process itself
// without root, mounts or a real full disk. Each lasts for its scope.
//
// DiscoLleno: every write that would take a file past `bytes` fails with
// EFBIG, as on a full disk (SIGXFSZ is ignored so that the write fails
// instead of the process dying). Children started meanwhile inherit both.
//
// SinPrivilegios: a test run as root would write into a read-only folder
// anyway; this drops the capabilities that let it (from the effective set
// only, so that they come back at the end). Without root it changes nothing.

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

class DiscoLleno {
public:
    explicit DiscoLleno(rlim_t bytes)
    {
        senal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &antes_);
        rlimit r = antes_;
        r.rlim_cur = bytes < antes_.rlim_max ? bytes : antes_.rlim_max;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DiscoLleno()
    {
        setrlimit(RLIMIT_FSIZE, &antes_);
        std::signal(SIGXFSZ, senal_);
    }
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

private:
    rlimit antes_{};
    void (*senal_)(int) = SIG_DFL;
};

class SinPrivilegios {
public:
    SinPrivilegios()
    {
        syscall(SYS_capget, &cabecera_, antes_);
        __user_cap_data_struct menos[2] = {antes_[0], antes_[1]};
        menos[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &cabecera_, menos);
    }
    ~SinPrivilegios() { syscall(SYS_capset, &cabecera_, antes_); }
    SinPrivilegios(const SinPrivilegios&) = delete;
    SinPrivilegios& operator=(const SinPrivilegios&) = delete;

private:
    __user_cap_header_struct cabecera_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct antes_[2]{};
};

#pragma once
// A full disk as a test meets it: a limit on the size of the files the
// process writes (RLIMIT_FSIZE), past which a write fails with EFBIG instead
// of the process being killed (SIGXFSZ is ignored). The limit binds root too.

#include <csignal>
#include <sys/resource.h>

// For a child process, from now on: no file written beyond `bytes`.
void limitaOsArquivos(rlim_t bytes);

// For this process, while the object lives.
class DiscoCheio {
public:
    explicit DiscoCheio(rlim_t bytes);
    ~DiscoCheio();
    DiscoCheio(const DiscoCheio&) = delete;
    DiscoCheio& operator=(const DiscoCheio&) = delete;

private:
    rlimit limiteAntes_{};
    struct sigaction sinalAntes_ {};
};

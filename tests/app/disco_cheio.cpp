#include "disco_cheio.h"

void limitaOsArquivos(rlim_t bytes)
{
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limite{};
    ::getrlimit(RLIMIT_FSIZE, &limite);
    limite.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limite);
}

DiscoCheio::DiscoCheio(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &limiteAntes_);
    struct sigaction ignora {};
    ignora.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignora, &sinalAntes_);
    limitaOsArquivos(bytes);
}

DiscoCheio::~DiscoCheio()
{
    ::setrlimit(RLIMIT_FSIZE, &limiteAntes_);
    ::sigaction(SIGXFSZ, &sinalAntes_, nullptr);
}

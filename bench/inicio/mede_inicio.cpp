// Starts a program and measures, from the start, when each of the named
// windows is mapped on the X display, and the program's peak resident memory
// once the last of them is.
//   mede_inicio <nome da janela>... -- <programa> [argumentos]
// prints one line: the milliseconds of each window, then the peak RSS in kB.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

std::string nomeDa(Display* tela, Window janela)
{
    char* nome = nullptr;
    std::string resultado;
    if (XFetchName(tela, janela, &nome) && nome) {
        resultado = nome;
        XFree(nome);
    }
    return resultado;
}

long picoDeMemoriaKb(pid_t processo)
{
    std::ifstream status("/proc/" + std::to_string(processo) + "/status");
    std::string linha;
    while (std::getline(status, linha)) {
        if (linha.rfind("VmHWM:", 0) == 0)
            return std::stol(linha.substr(6));
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> nomes;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        nomes.push_back(argv[i]);
    if (nomes.empty() || i + 1 >= argc) {
        std::fprintf(stderr, "uso: mede_inicio <nome da janela>... -- <programa> [argumentos]\n");
        return 2;
    }
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) {
        std::fprintf(stderr, "mede_inicio: sem display\n");
        return 1;
    }
    XSelectInput(tela, DefaultRootWindow(tela), SubstructureNotifyMask);
    XSync(tela, False);

    const Relogio::time_point inicio = Relogio::now();
    const pid_t programa = fork();
    if (programa == 0) {
        execvp(argv[i + 1], argv + i + 1);
        _exit(127);
    }
    std::map<std::string, double> mapeadas;
    while (mapeadas.size() < nomes.size()) {
        XEvent evento;
        XNextEvent(tela, &evento);
        if (evento.type != MapNotify)
            continue;
        const double ms = std::chrono::duration<double, std::milli>(Relogio::now() - inicio).count();
        const std::string nome = nomeDa(tela, evento.xmap.window);
        for (const std::string& procurado : nomes) {
            if (nome == procurado && !mapeadas.count(nome))
                mapeadas[nome] = ms;
        }
    }
    const long memoria = picoDeMemoriaKb(programa);
    kill(programa, SIGTERM);
    waitpid(programa, nullptr, 0);
    for (const std::string& nome : nomes)
        std::printf("%.1f ", mapeadas[nome]);
    std::printf("%ld\n", memoria);
    XCloseDisplay(tela);
    return 0;
}

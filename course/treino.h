#pragma once
// Practice outside the course, without a screen. One line at a time is made
// for the student from the characters met in the course so far: everyday
// words chosen by the characters they hold, each character drawn by how
// unsure the student is of it, and drills of a weak character with another
// where too few words can be typed yet. The line is typed under the typing
// field's rules and judged at ENTER as a course line is; it is never a
// lesson record, but what it costs each character goes to the key
// statistics, and weighs on the next line at once.

#include "course/campo.h"
#include "course/estatisticas.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace treino {

// The practice's words, in the course folder.
inline const QString kArquivoPalavras = QStringLiteral("palavras.txt");
// A student who has passed no exercise has no key to practise yet.
inline const QString kTreinoSemExercicio =
    QStringLiteral("O treino usa as teclas dos exercícios já feitos.\rFaça antes o primeiro exercício do curso.");
// A line is at most this long.
inline constexpr int kTamanhoDaLinha = 48;
// Fewer words than this that the student can type: drills come in among them.
inline constexpr int kMinimoDePalavras = 40;
// Even a sure character keeps this weight, so that it still comes now and then.
inline constexpr double kPesoMinimo = 0.02;
// A character whose confidence rose by this much over a practice improved.
inline constexpr double kMelhora = 0.05;

// The words of the course folder's list (UTF-8, one a line), in Windows-1252.
std::vector<QByteArray> CarregaPalavras();

// Which characters (Windows-1252) a student may be given.
using Ensinados = std::array<bool, 256>;

// The characters of the lines of the catalogue's exercises 1 to ate, the
// musical keyboard's left out, and ";" too: the field turns it into "ç".
Ensinados CaracteresDoCurso(int ate);

// How much a character is wanted in the lines: (1 - confidence)², at least
// kPesoMinimo.
double Peso(const estatisticas::FigurasDoCaractere& figuras);

class GeradorDeLinhas {
public:
    GeradorDeLinhas(const std::vector<QByteArray>& palavras, const Ensinados& ensinados, std::uint32_t semente);

    // The characters' weights from the student's figures.
    void Pesa(const estatisticas::TeclasDoAluno& teclas);
    // A new line; empty when nothing has been taught.
    QByteArray Linha();

private:
    QByteArray token(char foco);
    QByteArray palavraCom(char foco);
    QByteArray exercicio(char foco);
    char sorteia();
    QByteArray umaDe(const std::vector<int>& indices);

    std::vector<QByteArray> palavras_;  // those the student can type
    std::array<std::vector<int>, 256> com_;        // the words that hold each character
    std::array<std::vector<int>, 256> comecamCom_;  // the words that begin with it
    std::vector<char> focos_;            // the characters a token is made for
    std::vector<double> pesos_;          // theirs, in the same order
    std::discrete_distribution<size_t> sorteio_;
    bool comBranco_ = false;
    std::mt19937 acaso_;
};

// What ENTER on a typed line showed.
struct LinhaFeita {
    int caracteres = 0;  // in the line asked for
    int certos = 0;      // of them, typed right at their place
    int tm = 0;          // keystrokes per minute, pauses left out
    QString resultado;   // for the list of results
};

class Treino {
public:
    // historico: the student's figures before the practice; sessao: the moment it began.
    Treino(std::int32_t codAluno, estatisticas::TeclasDoAluno historico, GeradorDeLinhas gerador, double sessao);

    struct Resposta {
        std::optional<StatusDoCampo> status;  // nothing: the status bar is not touched
        std::optional<LinhaFeita> linhaFeita;  // ENTER ended a line; the next one is on view
    };

    const QByteArray& Linha() const { return linha_; }
    // One character typed; ENTER ends the line.
    Resposta Digita(char caractere);
    const QByteArray& Campo() const { return campo_.Texto(); }
    // What the line asks for at the field's end; nothing: ENTER is next.
    std::optional<QChar> ProximoCaractere() const;
    int LinhasFeitas() const { return linhasFeitas_; }

    // The characters typed in the practice whose confidence rose, the most improved first.
    std::vector<QChar> Melhoraram() const;
    // Appends what the lines ended since the last time cost each character to
    // the key statistics.
    void GravaToques();

private:
    Resposta TeclaEnter();
    estatisticas::TeclasDoAluno agora() const;
    void proximaLinha();

    std::int32_t codAluno_;
    estatisticas::TeclasDoAluno historico_;
    GeradorDeLinhas gerador_;
    double sessao_;
    estatisticas::ContagemDaSessao daPratica_;  // every line of the practice
    estatisticas::ContagemDaSessao pendente_;   // not yet in the file
    CampoDeDigitacao campo_;
    QByteArray linha_;
    int linhasFeitas_ = 0;
};

}  // namespace treino

#pragma once
// Practice outside the course, without a screen. One line at a time is made
// for the student from the characters met in the course so far, each
// character drawn by how unsure the student is of it: short everyday
// phrases whose characters have all been taught, or a run of everyday words
// that hold the character, the more frequent ones first; a drill of a weak
// character with another only where no word or phrase can carry it yet. A
// capital comes only where Portuguese writes one (a phrase's start, a name)
// or in a drill of that capital. The line is typed under the typing field's
// rules and judged at ENTER as a course line is; it is never a lesson
// record, but what it costs each character goes to the key statistics, and
// weighs on the next line at once.

#include "course/campo.h"
#include "course/estatisticas.h"
#include "data/records.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace treino {

// The practice's words and phrases, in the course folder.
inline const QString kArquivoPalavras = QStringLiteral("palavras.txt");
inline const QString kArquivoFrases = QStringLiteral("frases.txt");
// A student who has passed no exercise has no key to practise yet.
inline const QString kTreinoSemExercicio =
    QStringLiteral("O treino usa as teclas dos exercícios já feitos.\rFaça antes o primeiro exercício do curso.");
// A line is at most this long.
inline constexpr int kTamanhoDaLinha = 48;
// Of the lines whose first character both a phrase and a word can carry, this part are phrases.
inline constexpr double kParteDeFrases = 0.5;
// Among the words that hold a character, the first this many (the most
// frequent) come about as often as all the next 3 × this many.
inline constexpr double kPalavrasFrequentes = 40;
// Even a sure character keeps this weight, so that it still comes now and then.
inline constexpr double kPesoMinimo = 0.02;
// A character whose confidence rose by this much over a practice improved.
inline constexpr double kMelhora = 0.05;

// The words of the course folder's list (UTF-8, one a line, the most
// frequent first), in Windows-1252; a line that begins with "#" is a comment.
// The list is read as the data files are, never through a link; a list that
// cannot be read throws AppError with the cause in Portuguese.
std::vector<QByteArray> CarregaPalavras();
// The phrases of the course folder's list, read as the words are. A folder
// without the list (one prepared before the practice had phrases) has none.
std::vector<QByteArray> CarregaFrases();

// Which characters (Windows-1252) a student may be given.
using Ensinados = std::array<bool, 256>;

// The characters of the lines of the catalogue's first ate exercises, the
// musical keyboard's left out, and ";" too: the field turns it into "ç".
Ensinados CaracteresDoCurso(std::span<const tExercicio> catalogo, int ate);

// How much a character is wanted in the lines: (1 - confidence)², at least
// kPesoMinimo.
double Peso(const estatisticas::FigurasDoCaractere& figuras);

class GeradorDeLinhas {
public:
    // palavras in frequency order; a word or phrase with a character not
    // taught, and a phrase longer than a line, are left out.
    GeradorDeLinhas(const std::vector<QByteArray>& palavras, const std::vector<QByteArray>& frases,
                    const Ensinados& ensinados, std::uint32_t semente);

    // The characters' weights from the student's figures.
    void Pesa(const estatisticas::TeclasDoAluno& teclas);
    // A new line; empty when nothing has been taught.
    QByteArray Linha();

private:
    using Sorteio = std::discrete_distribution<size_t>;

    QByteArray linhaDeFrases(char foco);
    QByteArray linhaDePalavras(char foco);
    QByteArray fraseCom(char foco, qsizetype cabem, const QByteArray& linha);
    QByteArray palavraCom(char foco, const QByteArray& linha);
    QByteArray umaDasFrequentes(const std::vector<int>& indices);
    QByteArray exercicio(char foco);
    bool temPalavra(char c) const;
    bool temFrase(char c) const;
    bool servePalavras(char c) const;
    char sorteia(Sorteio& sorteio);

    std::vector<QByteArray> palavras_;              // those the student can type, the most frequent first
    std::array<std::vector<int>, 256> comPalavra_;  // the words that hold each character, in the same order
    std::vector<QByteArray> frases_;                // those the student can type
    std::array<std::vector<int>, 256> comFrase_;    // the phrases that hold each character
    std::vector<double> pesoDaFrase_;               // the mean weight of a phrase's characters
    std::deque<int> recentes_;                      // the phrases last drawn, the latest last
    std::vector<char> focos_;                       // the characters a line is made for
    std::array<double, 256> peso_{};                // each one's weight
    Sorteio sorteio_;                               // a line's first character, among all
    Sorteio sorteioNasPalavras_;                    // the next ones of a line of words
    bool comBranco_ = false;
    std::mt19937 acaso_;
};

// What ENTER on a typed line showed.
struct LinhaFeita {
    int caracteres = 0;   // in the line asked for
    int alcancadas = 0;   // of them, reached by the typing (an early ENTER reaches fewer)
    int certos = 0;       // of those, typed right: nothing left out, added or replaced
    int tm = 0;           // keystrokes per minute, pauses left out
    QByteArray erradas;   // the characters asked for that were wrong, each once, in the line's order
    QString resultado;    // for the list of results
};

// "Erros: f, a, espaço", or "sem erros"; a full stop and a comma are named too.
QString TextoDosErros(const QByteArray& erradas);

// What a practice came to, for the box shown at its end.
struct ResumoDoTreino {
    int linhas = 0;
    int caracteres = 0;  // asked for in those lines
    int certos = 0;
    int toques = 0;      // timed keystrokes, pauses left out
    double ms = 0;       // their time
    std::vector<QChar> melhoraram;

    int porCento() const;  // of the characters asked for, how many were typed right
    int tm() const;        // keystrokes per minute over the practice
};

// The box's text: the figures, then the keys that improved.
QString TextoDoResumo(const ResumoDoTreino& resumo);

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
    int LinhasFeitas() const { return resumo_.linhas; }

    // The characters typed in the practice whose confidence rose, the most improved first.
    std::vector<QChar> Melhoraram() const;
    // The lines typed, their accuracy and speed, and what improved.
    ResumoDoTreino Resumo() const;
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
    ResumoDoTreino resumo_;  // the lines ended so far, what improved left empty
};

}  // namespace treino

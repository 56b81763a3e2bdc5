#pragma once
// The typing field's rules, without a screen, shared by the course's lessons
// and the practice: no correction, no paste, no blank at a line's start, a
// second blank in a row turned into "_", ";" into "ç", and the status that
// counts the characters and warns at the line's end. The field's text, and
// the time of day at which each character went in, live here; ENTER is the
// caller's.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// What the status bar shows, and in which colours.
enum class CoresDoStatus {
    Mantem,         // the colours stay as they are
    TextoDeJanela,  // the text in the window's text colour, the background kept
    Contagem,       // black on the button face
    FimDaLinha,     // red on aqua
    Certa,          // navy on yellow
    Errada,         // red on pink
};

struct StatusDoCampo {
    QString texto;
    CoresDoStatus cores = CoresDoStatus::Mantem;
};

class CampoDeDigitacao {
public:
    // The field holds this many characters.
    static constexpr int kCapacidade = 80;

    // A key that would move the caret (End, Home and the arrows) is refused
    // with a status; any other key passes.
    static std::optional<StatusDoCampo> TeclaDeMovimento(int codigo);

    // One character of normal typing, not ENTER: refused, replaced or taken
    // by the rules. Nothing: the status bar is not touched.
    std::optional<StatusDoCampo> Digita(char caractere);
    // The character as a plain field takes it: backspace deletes, a control
    // character inserts nothing.
    void Toma(char caractere);
    void Cola(const QByteArray& texto);

    // The line the field is typed against is this long.
    void MudaTamanhoDaLinha(int tamanho) { tamanhoLinha_ = tamanho; }
    int TamanhoLinha() const { return tamanhoLinha_; }
    // The line was ended: its clock stops until the next character.
    void ParaTempo() { tempoIniciado_ = false; }
    // After an accepted ENTER: an empty field for the next line.
    void Esvazia();

    const QByteArray& Texto() const { return texto_; }
    const std::vector<double>& Momentos() const { return momentos_; }
    bool TempoIniciado() const { return tempoIniciado_; }
    const QByteArray& TeclasDigitadas() const { return teclasDigitadas_; }

private:
    std::optional<char> regraDoBranco();
    StatusDoCampo regraDaDigitacao(char caractere);
    void acrescentaTeclasDigitadas(char caractere);
    void iniciaTempo();

    QByteArray texto_;
    std::vector<double> momentos_;  // the time of day each character went in
    QByteArray teclasDigitadas_;    // accepted in the line, plain blanks left out
    int tamanhoLinha_ = 0;
    bool tempoIniciado_ = false;    // the line's first character started its clock
};

#pragma once
// One lesson of the typing course, with no screen: the state of the exercise
// being practised (ExercicioAtual), the text of the typing field, and the
// rules that judge every character and every ENTER. The exercise screen
// forwards what the student types, shows what the lesson answers, and asks
// the student what only a box can ask.

#include "course/campo.h"
#include "course/estatisticas.h"
#include "platform/sound.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class Licao {
public:
    // What the status bar shows, and in which colours.
    using Cores = CoresDoStatus;
    using Status = StatusDoCampo;

    // The verdict of the ENTER step.
    struct Veredito {
        enum class Tipo { CampoVazio, Certa, Errada };
        Tipo tipo = Tipo::CampoVazio;
        Status status;
        QString resultado;               // the line for the list of results
        std::int32_t seguidasPerdidas = 0;  // the passes a wrong line threw away
        QString letrasErradas;           // the wrong letters of a wrong line
        bool ofereceLetras = false;      // two passes or more lost: the letters may be seen
        bool completo = false;           // the exercise is passed: PassaExercicio follows
    };

    // What one character did.
    struct Resposta {
        std::optional<Status> status;  // nothing: the status bar is not touched
        bool cola = false;             // the field takes the clipboard's text (Licao::Cola)
        QString aviso;                 // for an information box; empty: none
        std::optional<Veredito> veredito;  // the character was ENTER, and this its step
    };

    // What passing the exercise led to.
    struct Passagem {
        bool fimDoCurso = false;  // it was the catalogue's last: the lesson ends
        Status status;            // for the next exercise
    };

    // The musical keyboard of a machine without sound, told once a lesson.
    static inline const QString kNotasSemSom = QStringLiteral(
        "Não foi possível abrir o som deste computador: as notas ficarão em silêncio.\r"
        "Continue digitando normalmente.");

    // A lesson opened on ExercicioAtual: the mode it is chosen now, for the
    // whole lesson, whatever exercise comes later.
    void Abre();
    bool Aberta() const { return aberta_; }

    // A key that would move the caret (End, Home and the arrows) is refused
    // with a status; any other key passes.
    std::optional<Status> TeclaDeMovimento(int codigo) const { return CampoDeDigitacao::TeclaDeMovimento(codigo); }
    // One character typed into the field (Windows-1252). ENTER in normal mode
    // is the ENTER step: for a typed line its time, its verdict, the count of
    // passes, and an empty field.
    Resposta Digita(char caractere);
    // The first line of the clipboard, in the musical keyboard's field.
    void Cola(const QByteArray& texto);

    // After a verdict that completes the exercise: its lesson record, with
    // its speed, then the next exercise of the catalogue, unless the course
    // ends with it. When the append fails the count stays where it is, and
    // the next complete right pass completes the exercise again.
    Passagem PassaExercicio();
    // Appends what the lines judged since the last time cost each character
    // to the key statistics, and starts counting anew.
    void GravaToques();
    // The number of the pass under way, for the line-number box.
    std::int32_t PassagemEmCurso() const;
    // What the line asks for at the field's end, as typed so far whatever
    // was typed; nothing once the line is long enough: ENTER is next.
    std::optional<QChar> ProximoCaractere() const;

    const QByteArray& Campo() const { return campo_.Texto(); }
    std::uint8_t LinhaAtual() const { return linhaAtual_; }
    std::int32_t LinhasSeguidas() const { return linhasSeguidas_; }
    std::int32_t TamanhoLinha() const { return campo_.TamanhoLinha(); }
    bool TempoIniciado() const { return campo_.TempoIniciado(); }
    const QByteArray& TeclasDigitadas() const { return campo_.TeclasDigitadas(); }
    bool ModoSom() const { return modoSom_; }

private:
    Veredito TeclaEnter();
    bool ExercicioCompleto() const;
    void GravaPassagem();
    Status ProximoExercicio();
    void FechaEnter();
    bool tocaNota(char caractere);
    MediaPlayer& som();
    void medeLinha();
    void LinhaCerta(Veredito& veredito);
    void LinhaErrada(Veredito& veredito);
    QString letrasErradas() const;
    QString resultado(const QString& veredito) const;

    std::uint8_t linhaAtual_ = 1;      // the line to be typed next, 1 to 4
    std::int32_t linhasSeguidas_ = 0;  // complete error-free passes in a row
    bool gravacaoPendente_ = false;    // the exercise was complete, its record failed
    bool modoSom_ = false;             // the field is a musical keyboard
    bool silencioAvisado_ = false;     // the student knows the notes are silent
    CampoDeDigitacao campo_;           // the typing field, its text and rules
    estatisticas::ContagemDaSessao toques_;  // not yet in the key statistics
    double sessao_ = 0;                // the moment the lesson opened
    bool aberta_ = false;              // Abre has run
    std::unique_ptr<MediaPlayer> som_;  // made with the first note
};

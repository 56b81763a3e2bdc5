#include "course/campo.h"

#include "course/aula.h"
#include "course/codigosdetecla.h"
#include "platform/clock.h"
#include "platform/system.h"

namespace {

constexpr char kEspaco = ' ';
constexpr char kSublinhado = '_';
constexpr char kCedilha = '\xE7';  // "ç"
constexpr char kEnter = '\r';
constexpr char kApaga = '\b';
constexpr char kCola = '\x16';

bool ehControle(char caractere)
{
    const auto codigo = static_cast<unsigned char>(caractere);
    return codigo < 32 || codigo == 127;
}

StatusDoCampo aviso(const char* texto)
{
    return {QString::fromUtf8(texto), CoresDoStatus::Mantem};
}

}  // namespace

std::optional<StatusDoCampo> CampoDeDigitacao::TeclaDeMovimento(int codigo)
{
    if (codigo >= teclas::End && codigo <= teclas::Down)
        return aviso("Não pode tentar mover sobre o texto. Apenas continue a digitar.");
    return std::nullopt;
}

std::optional<StatusDoCampo> CampoDeDigitacao::Digita(char caractere)
{
    switch (caractere) {
    case kApaga:
        return aviso("Não pode apagar letras para tentar corrigir. Prossiga, mesmo com o erro.");
    case kCola:
        return aviso("Não pode tentar colar um texto inteiro para ir mais rápido.");
    case kEspaco:
        if (const std::optional<char> branco = regraDoBranco())
            Toma(*branco);
        return std::nullopt;
    case ';':
        acrescentaTeclasDigitadas(kCedilha);
        UltimaTecla = kCedilha;
        Toma(kCedilha);
        return std::nullopt;
    default: {
        const StatusDoCampo status = regraDaDigitacao(caractere);
        Toma(caractere);
        return status;
    }
    }
}

std::optional<char> CampoDeDigitacao::regraDoBranco()
{
    char caractere = kEspaco;
    if (UltimaTecla == kEspaco) {
        caractere = kSublinhado;
        acrescentaTeclasDigitadas(kSublinhado);
    }
    // nothing but blanks accepted in the line yet: no blank at its start
    if (teclasDigitadas_.isEmpty())
        return std::nullopt;
    UltimaTecla = caractere;
    return caractere;
}

StatusDoCampo CampoDeDigitacao::regraDaDigitacao(char caractere)
{
    acrescentaTeclasDigitadas(caractere);
    const qsizetype posicao = texto_.size() + 1;
    UltimaTecla = caractere;
    if (posicao < tamanhoLinha_) {
        // the line's first character starts its clock
        const double decorrido = tempoIniciado_ ? timeOfDay() - InicioLinha : 0.0;
        return {QStringLiteral("Já foram digitados ") + QString::number(posicao) + QStringLiteral(" caracteres em ")
                    + longTime(decorrido) + QStringLiteral(" minutos."),
                CoresDoStatus::Contagem};
    }
    beep();
    return {QStringLiteral("A digitação chegou ao final"), CoresDoStatus::FimDaLinha};
}

void CampoDeDigitacao::acrescentaTeclasDigitadas(char caractere)
{
    if (teclasDigitadas_.size() < kCapacidade)
        teclasDigitadas_.append(caractere);
}

// What the field does with a character that the rules let through: ENTER and
// the other control characters insert nothing; the musical keyboard's field
// also deletes with backspace.
void CampoDeDigitacao::Toma(char caractere)
{
    if (caractere == kApaga)
        texto_.chop(1);
    else if (!ehControle(caractere) && texto_.size() < kCapacidade)
        texto_.append(caractere);
    momentos_.resize(size_t(texto_.size()), timeOfDay());
    iniciaTempo();
}

void CampoDeDigitacao::Cola(const QByteArray& texto)
{
    texto_.append(texto.left(kCapacidade - texto_.size()));
    momentos_.resize(size_t(texto_.size()), timeOfDay());
    iniciaTempo();
}

// A line's clock starts when its first character is in the field: the time
// spent reading the exercise or a box before it is not the line's.
void CampoDeDigitacao::iniciaTempo()
{
    if (!tempoIniciado_ && !texto_.isEmpty()) {
        tempoIniciado_ = true;
        InicioLinha = timeOfDay();
    }
}

void CampoDeDigitacao::Esvazia()
{
    texto_.clear();
    momentos_.clear();
    teclasDigitadas_.clear();
    UltimaTecla = kEnter;
}

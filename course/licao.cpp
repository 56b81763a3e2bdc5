#include "course/licao.h"

#include "course/aula.h"
#include "course/notas.h"
#include "course/teclas.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/system.h"

#include <algorithm>

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

Licao::Status aviso(const char* texto)
{
    return {QString::fromUtf8(texto), Licao::Cores::Mantem};
}

Licao::Resposta comStatus(const Licao::Status& status)
{
    Licao::Resposta resposta;
    resposta.status = status;
    return resposta;
}

}  // namespace

void Licao::Abre()
{
    tamanhoLinha_ = ExercicioAtual.Linha1.size();
    modoSom_ = ExercicioAtual.Numero >= kPrimeiroExercicioMusical;
    TempoMaximo = 0;  // the speed is the exercise's own
    aberta_ = true;
}

std::optional<Licao::Status> Licao::TeclaDeMovimento(int codigo) const
{
    if (codigo >= teclas::End && codigo <= teclas::Down)
        return aviso("Não pode tentar mover sobre o texto. Apenas continue a digitar.");
    return std::nullopt;
}

Licao::Resposta Licao::Digita(char caractere)
{
    if (caractere == kEnter && !modoSom_) {
        Resposta resposta;
        resposta.veredito = TeclaEnter();
        return resposta;
    }
    if (modoSom_) {
        // every character sounds, then the field handles it as a plain field would
        const bool avisaSilencio = tocaNota(caractere);
        campoToma(caractere);
        Resposta resposta;
        resposta.cola = caractere == kCola;
        if (avisaSilencio)
            resposta.aviso = kNotasSemSom;
        return resposta;
    }
    switch (caractere) {
    case kApaga:
        return comStatus(aviso("Não pode apagar letras para tentar corrigir. Prossiga, mesmo com o erro."));
    case kCola:
        return comStatus(aviso("Não pode tentar colar um texto inteiro para ir mais rápido."));
    case kEspaco:
        if (const std::optional<char> branco = regraDoBranco())
            campoToma(*branco);
        return {};
    case ';':
        acrescentaTeclasDigitadas(kCedilha);
        UltimaTecla = kCedilha;
        campoToma(kCedilha);
        return {};
    default: {
        const Status status = regraDaDigitacao(caractere);
        campoToma(caractere);
        return comStatus(status);
    }
    }
}

std::optional<char> Licao::regraDoBranco()
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

Licao::Status Licao::regraDaDigitacao(char caractere)
{
    acrescentaTeclasDigitadas(caractere);
    const qsizetype posicao = campo_.size() + 1;
    UltimaTecla = caractere;
    if (posicao < tamanhoLinha_) {
        // the line's first character starts its clock
        const double decorrido = tempoIniciado_ ? timeOfDay() - InicioLinha : 0.0;
        return {QStringLiteral("Já foram digitados ") + QString::number(posicao) + QStringLiteral(" caracteres em ")
                    + longTime(decorrido) + QStringLiteral(" minutos."),
                Cores::Contagem};
    }
    beep();
    return {QStringLiteral("A digitação chegou ao final"), Cores::FimDaLinha};
}

void Licao::acrescentaTeclasDigitadas(char caractere)
{
    if (teclasDigitadas_.size() < kCapacidadeCampo)
        teclasDigitadas_.append(caractere);
}

// True when the note has just turned out silent: the student is told once.
bool Licao::tocaNota(char caractere)
{
    MediaPlayer& tocador = som();
    const QString arquivo = ArquivoDaNota(caractere);
    if (arquivo.isEmpty())
        tocador.Stop();  // any other key replays the last note
    else
        tocador.FileName = arquivo;
    tocador.Open();
    tocador.Play();
    UltimaTecla = caractere;
    const bool avisa = tocador.isSilent() && !silencioAvisado_;
    silencioAvisado_ = silencioAvisado_ || avisa;
    return avisa;
}

MediaPlayer& Licao::som()
{
    if (!som_)
        som_ = newMediaPlayer();
    return *som_;
}

// What the field does with a character that the rules let through: ENTER and
// the other control characters insert nothing; the musical keyboard's field
// also deletes with backspace.
void Licao::campoToma(char caractere)
{
    if (caractere == kApaga)
        campo_.chop(1);
    else if (!ehControle(caractere) && campo_.size() < kCapacidadeCampo)
        campo_.append(caractere);
    iniciaTempo();
}

void Licao::Cola(const QByteArray& texto)
{
    campo_.append(texto.left(kCapacidadeCampo - campo_.size()));
    iniciaTempo();
}

// A line's clock starts when its first character is in the field: the time
// spent reading the exercise or a box before it is not the line's.
void Licao::iniciaTempo()
{
    if (!tempoIniciado_ && !campo_.isEmpty()) {
        tempoIniciado_ = true;
        InicioLinha = timeOfDay();
    }
}

// From the line's first character to its ENTER. A line that spans midnight
// gives no positive time and counts for nothing.
void Licao::medeLinha()
{
    const double tempoDaLinha = timeOfDay() - InicioLinha;
    if (tempoDaLinha > TempoMaximo)
        TempoMaximo = tempoDaLinha;
    tempoIniciado_ = false;
}

Licao::Veredito Licao::TeclaEnter()
{
    Veredito veredito;
    if (campo_.isEmpty()) {
        // nothing typed, nothing measured
        veredito.status = {QStringLiteral("Digite a linha para teclar ENTER!"), Cores::TextoDeJanela};
        return veredito;
    }

    medeLinha();
    teclasDigitadas_.clear();
    // what is typed after the line's length is not looked at
    if (campo_.startsWith(LinhaDoExercicio(linhaAtual_)))
        LinhaCerta(veredito);
    else
        LinhaErrada(veredito);
    FechaEnter();
    veredito.completo = ExercicioCompleto();
    return veredito;
}

void Licao::LinhaCerta(Veredito& veredito)
{
    veredito.tipo = Veredito::Tipo::Certa;
    const int linhas = ContaLinhas();
    if (linhaAtual_ == linhas) {
        // a pass made again after its record failed keeps the count and
        // tries the record again
        if (gravacaoPendente_)
            gravacaoPendente_ = false;
        else
            ++linhasSeguidas_;
        const QString faltam = QString::number(ExercicioAtual.LinhasExigidas - linhasSeguidas_);
        const QString feitas = linhasSeguidas_ == 1 ? QStringLiteral(" Linha sequencial digitada sem erro!")
                                                    : QStringLiteral(" Linhas sequenciais digitadas sem erros!");
        veredito.status = {QString::number(linhasSeguidas_) + feitas + QStringLiteral(" Faltam ") + faltam
                               + QStringLiteral(" Linhas para terminar."),
                           Cores::Certa};
    } else {
        veredito.status = {
            QStringLiteral("Termine a digitação de todas as linhas para contar como se fosse um acerto completo."),
            Cores::TextoDeJanela};
    }
    if (linhas > 1)
        linhaAtual_ = linhaAtual_ >= linhas ? 1 : linhaAtual_ + 1;
    tamanhoLinha_ = LinhaDoExercicio(linhaAtual_).size();
    veredito.resultado = QString::number(campo_.size()) + QStringLiteral(" - Certa: [") + fromCp1252(campo_) + u']';
}

void Licao::LinhaErrada(Veredito& veredito)
{
    veredito.tipo = Veredito::Tipo::Errada;
    veredito.status = {QStringLiteral("Linha digitada com erros!"), Cores::Errada};
    veredito.seguidasPerdidas = linhasSeguidas_;
    veredito.ofereceLetras = linhasSeguidas_ > 1;
    veredito.letrasErradas = letrasErradas();
    veredito.resultado = QString::number(campo_.size()) + QStringLiteral(" - Errada: [") + fromCp1252(campo_) + u']';
    linhasSeguidas_ = 0;
    gravacaoPendente_ = false;
    linhaAtual_ = 1;
    tamanhoLinha_ = ExercicioAtual.Linha1.size();
}

QString Licao::letrasErradas() const
{
    const QByteArray linha = LinhaDoExercicio(linhaAtual_);
    // typed past the end of the line never makes a line wrong: not listed
    const qsizetype ate = std::min(campo_.size(), linha.size());
    QString lista;
    for (qsizetype i = 0; i < ate; ++i) {
        if (campo_[i] != linha[i]) {
            lista += QStringLiteral("Letra na posição ") + QString::number(i + 1) + QStringLiteral(" (\"")
                     + fromCp1252(campo_.mid(i, 1)) + QStringLiteral("\") errada\r");
        }
    }
    return lista;
}

bool Licao::ExercicioCompleto() const
{
    return !gravacaoPendente_ && linhasSeguidas_ == ExercicioAtual.LinhasExigidas;
}

std::int32_t Licao::PassagemEmCurso() const
{
    // an exercise whose record failed is on its last pass again
    if (linhasSeguidas_ == ExercicioAtual.LinhasExigidas)
        return std::max<std::int32_t>(linhasSeguidas_, 1);
    return linhasSeguidas_ + 1;
}

// After the catalogue's last exercise the lesson ends with the course: no
// empty slot beyond it is shown or recorded.
Licao::Passagem Licao::PassaExercicio()
{
    GravaPassagem();
    Passagem passagem;
    passagem.fimDoCurso = CursoTerminaAntes(NumExercicio + 1);
    if (!passagem.fimDoCurso)
        passagem.status = ProximoExercicio();
    return passagem;
}

void Licao::GravaPassagem()
{
    clearRecord(AulaAtual);
    AulaAtual.CodAluno = CodAlunoAtual;
    AulaAtual.Data = today();
    AulaAtual.Tempo = Velocidade(ExercicioAtual.NumToques, TempoMaximo);
    AulaAtual.NumExerc = std::uint8_t(NumExercicio);
    // until the record is on disk the exercise stays passed but not recorded
    gravacaoPendente_ = true;
    GravaAula();
    gravacaoPendente_ = false;
}

Licao::Status Licao::ProximoExercicio()
{
    ++NumExercicio;
    ExercicioAtual = Exercicios[NumExercicio];
    linhasSeguidas_ = 0;
    TempoMaximo = 0;
    tamanhoLinha_ = LinhaDoExercicio(linhaAtual_).size();
    return {QStringLiteral("Parabéns! Você conseguiu. Preste atenção neste novo exercício."), Cores::TextoDeJanela};
}

std::optional<QChar> Licao::ProximoCaractere() const
{
    const QByteArray linha = LinhaDoExercicio(linhaAtual_);
    if (campo_.size() >= linha.size())
        return std::nullopt;
    return fromCp1252(linha.mid(campo_.size(), 1)).front();
}

void Licao::FechaEnter()
{
    campo_.clear();
    UltimaTecla = kEnter;
}

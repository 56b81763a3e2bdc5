#include "course/licao.h"

#include "course/aula.h"
#include "course/notas.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/system.h"

#include <algorithm>

namespace {

constexpr char kEnter = '\r';
constexpr char kCola = '\x16';

}  // namespace

void Licao::Abre()
{
    campo_.MudaTamanhoDaLinha(ExercicioAtual.Linha1.size());
    modoSom_ = ExercicioAtual.Numero >= kPrimeiroExercicioMusical;
    TempoMaximo = 0;  // the speed is the exercise's own
    sessao_ = today() + timeOfDay();
    aberta_ = true;
}

Licao::Resposta Licao::Digita(char caractere)
{
    Resposta resposta;
    if (caractere == kEnter && !modoSom_) {
        resposta.veredito = TeclaEnter();
        return resposta;
    }
    if (!modoSom_) {
        resposta.status = campo_.Digita(caractere);
        return resposta;
    }
    // every character sounds, then the field handles it as a plain field would
    const bool avisaSilencio = tocaNota(caractere);
    campo_.Toma(caractere);
    resposta.cola = caractere == kCola;
    if (avisaSilencio)
        resposta.aviso = kNotasSemSom;
    return resposta;
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

void Licao::Cola(const QByteArray& texto)
{
    campo_.Cola(texto);
}

// From the line's first character to its ENTER. A line that spans midnight
// gives no positive time and counts for nothing.
void Licao::medeLinha()
{
    const double tempoDaLinha = timeOfDay() - InicioLinha;
    if (tempoDaLinha > TempoMaximo)
        TempoMaximo = tempoDaLinha;
    campo_.ParaTempo();
}

Licao::Veredito Licao::TeclaEnter()
{
    Veredito veredito;
    if (campo_.Texto().isEmpty()) {
        // nothing typed, nothing measured
        veredito.status = {QStringLiteral("Digite a linha para teclar ENTER!"), Cores::TextoDeJanela};
        return veredito;
    }

    medeLinha();
    toques_.contaLinha(LinhaDoExercicio(linhaAtual_), campo_.Texto(), campo_.Momentos());
    // what is typed after the line's length is not looked at
    if (campo_.Texto().startsWith(LinhaDoExercicio(linhaAtual_)))
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
    campo_.MudaTamanhoDaLinha(LinhaDoExercicio(linhaAtual_).size());
    veredito.resultado = resultado(QStringLiteral(" - Certa: ["));
}

void Licao::LinhaErrada(Veredito& veredito)
{
    veredito.tipo = Veredito::Tipo::Errada;
    veredito.status = {QStringLiteral("Linha digitada com erros!"), Cores::Errada};
    veredito.seguidasPerdidas = linhasSeguidas_;
    veredito.ofereceLetras = linhasSeguidas_ > 1;
    veredito.letrasErradas = letrasErradas();
    veredito.resultado = resultado(QStringLiteral(" - Errada: ["));
    linhasSeguidas_ = 0;
    gravacaoPendente_ = false;
    linhaAtual_ = 1;
    campo_.MudaTamanhoDaLinha(ExercicioAtual.Linha1.size());
}

// The line for the list of results: the count of characters typed, then the text.
QString Licao::resultado(const QString& veredito) const
{
    return QString::number(campo_.Texto().size()) + veredito + fromCp1252(campo_.Texto()) + u']';
}

QString Licao::letrasErradas() const
{
    const QByteArray linha = LinhaDoExercicio(linhaAtual_);
    // typed past the end of the line never makes a line wrong: not listed
    const QByteArray& campo = campo_.Texto();
    const qsizetype ate = std::min(campo.size(), linha.size());
    QString lista;
    for (qsizetype i = 0; i < ate; ++i) {
        if (campo[i] != linha[i]) {
            lista += QStringLiteral("Letra na posição ") + QString::number(i + 1) + QStringLiteral(" (\"")
                     + fromCp1252(campo.mid(i, 1)) + QStringLiteral("\") errada\r");
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
    campo_.MudaTamanhoDaLinha(LinhaDoExercicio(linhaAtual_).size());
    return {QStringLiteral("Parabéns! Você conseguiu. Preste atenção neste novo exercício."), Cores::TextoDeJanela};
}

std::optional<QChar> Licao::ProximoCaractere() const
{
    const QByteArray linha = LinhaDoExercicio(linhaAtual_);
    const qsizetype digitados = campo_.Texto().size();
    if (digitados >= linha.size())
        return std::nullopt;
    return fromCp1252(linha.mid(digitados, 1)).front();
}

void Licao::GravaToques()
{
    ::GravaToques(toques_.registros(CodAlunoAtual, sessao_, OrigemDoToque::Curso));
    toques_.esvazia();
}

void Licao::FechaEnter()
{
    campo_.Esvazia();
}

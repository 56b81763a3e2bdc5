#include "course/treino.h"

#include "course/aula.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/errors.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace treino {

namespace {

constexpr char kEnter = '\r';
constexpr double kMsPorDia = 24.0 * 60 * 60 * 1000;
// signs that follow a word in a sentence
constexpr char kPontuacao[] = ",.:!?";

unsigned char codigo(char c)
{
    return static_cast<unsigned char>(c);
}

bool cabe(const QByteArray& palavra, const Ensinados& ensinados)
{
    return std::all_of(palavra.begin(), palavra.end(), [&](char c) { return ensinados[codigo(c)]; });
}

// keystrokes per minute over the timed keystrokes of a line, pauses left out
int velocidade(const std::vector<double>& momentos)
{
    double ms = 0;
    int toques = 0;
    for (size_t i = 1; i < momentos.size(); ++i) {
        const double intervalo = (momentos[i] - momentos[i - 1]) * kMsPorDia;
        if (intervalo >= 0 && intervalo <= estatisticas::kPausaMaximaMs) {
            ms += intervalo;
            ++toques;
        }
    }
    return ms > 0 ? int(std::lround(toques * 60000 / ms)) : 0;
}

}  // namespace

std::vector<QByteArray> CarregaPalavras()
{
    QFile arquivo(kArquivoPalavras);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("A lista de palavras do treino, %1, não está na pasta do curso")
                           .arg(kArquivoPalavras));
    std::vector<QByteArray> palavras;
    for (const QByteArray& linha : arquivo.readAll().split('\n')) {
        const QString palavra = QString::fromUtf8(linha).trimmed();
        if (!palavra.isEmpty())
            palavras.push_back(toCp1252(palavra));
    }
    return palavras;
}

Ensinados CaracteresDoCurso(int ate)
{
    Ensinados ensinados{};
    for (int numero = 1; numero <= std::min(ate, Exercicios.size); ++numero) {
        const tExercicio& exercicio = Exercicios[numero];
        if (exercicio.Numero >= kPrimeiroExercicioMusical)
            continue;
        for (const auto* linha : {&exercicio.Linha1, &exercicio.Linha2, &exercicio.Linha3, &exercicio.Linha4}) {
            for (const char c : linha->bytes())
                ensinados[codigo(c)] = codigo(c) >= 32 && c != ';';
        }
    }
    return ensinados;
}

double Peso(const estatisticas::FigurasDoCaractere& figuras)
{
    const double confianca = figuras.conhecida() ? figuras.confianca() : 0.5;
    return std::max(kPesoMinimo, (1 - confianca) * (1 - confianca));
}

GeradorDeLinhas::GeradorDeLinhas(const std::vector<QByteArray>& palavras, const Ensinados& ensinados,
                                 std::uint32_t semente)
    : comBranco_(ensinados[' ']), acaso_(semente)
{
    for (const QByteArray& palavra : palavras) {
        if (palavra.isEmpty() || !cabe(palavra, ensinados))
            continue;
        const int indice = int(palavras_.size());
        palavras_.push_back(palavra);
        comecamCom_[codigo(palavra[0])].push_back(indice);
        for (const char c : palavra) {
            std::vector<int>& lista = com_[codigo(c)];
            if (lista.empty() || lista.back() != indice)
                lista.push_back(indice);
        }
    }
    for (int c = 0; c < 256; ++c) {
        if (ensinados[size_t(c)] && c != ' ')
            focos_.push_back(char(c));
    }
    Pesa({});
}

void GeradorDeLinhas::Pesa(const estatisticas::TeclasDoAluno& teclas)
{
    pesos_.clear();
    for (const char c : focos_)
        pesos_.push_back(Peso(teclas.figuras(c)));
    sorteio_ = std::discrete_distribution<size_t>(pesos_.begin(), pesos_.end());
}

char GeradorDeLinhas::sorteia()
{
    return focos_[sorteio_(acaso_)];
}

QByteArray GeradorDeLinhas::umaDe(const std::vector<int>& indices)
{
    std::uniform_int_distribution<size_t> qual(0, indices.size() - 1);
    return palavras_[size_t(indices[qual(acaso_)])];
}

QByteArray GeradorDeLinhas::Linha()
{
    QByteArray linha;
    if (focos_.empty())
        return linha;
    for (;;) {
        const QByteArray proximo = token(sorteia());
        const qsizetype tamanho = linha.size() + (linha.isEmpty() ? 0 : 1) + proximo.size();
        if (!linha.isEmpty() && (tamanho > kTamanhoDaLinha || !comBranco_))
            return linha;
        if (!linha.isEmpty())
            linha += ' ';
        linha += proximo;
    }
}

// A word that holds the character while enough words can be typed; among
// few words, a drill now and then in their place.
QByteArray GeradorDeLinhas::token(char foco)
{
    const bool poucas = int(palavras_.size()) < kMinimoDePalavras;
    if (poucas && std::uniform_int_distribution<int>(0, kMinimoDePalavras - 1)(acaso_) >= int(palavras_.size()))
        return exercicio(foco);
    const QByteArray palavra = palavraCom(foco);
    return palavra.isEmpty() ? exercicio(foco) : palavra;
}

// A word with the character in it; a capital begins a word, a sign of
// punctuation ends one. Empty when no word can carry it.
QByteArray GeradorDeLinhas::palavraCom(char foco)
{
    if (!com_[codigo(foco)].empty())
        return umaDe(com_[codigo(foco)]);
    const QString maiuscula = fromCp1252(QByteArrayView(&foco, 1));
    const QByteArray minuscula = toCp1252(maiuscula.toLower());
    if (maiuscula.front().isUpper() && minuscula.size() == 1 && !comecamCom_[codigo(minuscula[0])].empty())
        return foco + umaDe(comecamCom_[codigo(minuscula[0])]).mid(1);
    if (QByteArrayView(kPontuacao).contains(foco) && !palavras_.empty())
        return palavras_[std::uniform_int_distribution<size_t>(0, palavras_.size() - 1)(acaso_)] + foco;
    return {};
}

// The character with another one drawn as the characters are, twice over:
// "çaça". A weak one goes with weak ones, never with itself.
QByteArray GeradorDeLinhas::exercicio(char foco)
{
    std::vector<double> pesos = pesos_;
    const auto proprio = std::find(focos_.begin(), focos_.end(), foco);
    if (proprio != focos_.end() && focos_.size() > 1)
        pesos[size_t(proprio - focos_.begin())] = 0;
    const char par = focos_[std::discrete_distribution<size_t>(pesos.begin(), pesos.end())(acaso_)];
    return QByteArray(1, foco) + par + foco + par;
}

Treino::Treino(std::int32_t codAluno, estatisticas::TeclasDoAluno historico, GeradorDeLinhas gerador, double sessao)
    : codAluno_(codAluno), historico_(std::move(historico)), gerador_(std::move(gerador)), sessao_(sessao)
{
    historico_.comecaSessao();
    gerador_.Pesa(historico_);
    proximaLinha();
}

void Treino::proximaLinha()
{
    linha_ = gerador_.Linha();
    campo_.MudaTamanhoDaLinha(int(linha_.size()));
}

estatisticas::TeclasDoAluno Treino::agora() const
{
    estatisticas::TeclasDoAluno teclas = historico_;
    for (const tToque& registro : daPratica_.registros(codAluno_, sessao_, OrigemDoToque::Treino))
        teclas.soma(registro);
    return teclas;
}

Treino::Resposta Treino::Digita(char caractere)
{
    if (caractere == kEnter)
        return TeclaEnter();
    Resposta resposta;
    resposta.status = campo_.Digita(caractere);
    return resposta;
}

// A line ended: its figures, the statistics it adds, and the next line,
// made with them. A pause leaves the line as it was.
Treino::Resposta Treino::TeclaEnter()
{
    Resposta resposta;
    const QByteArray& digitada = campo_.Texto();
    if (digitada.isEmpty()) {
        resposta.status = StatusDoCampo{QStringLiteral("Digite a linha para teclar ENTER!"), CoresDoStatus::TextoDeJanela};
        return resposta;
    }
    LinhaFeita feita;
    feita.caracteres = int(linha_.size());
    for (qsizetype i = 0; i < linha_.size(); ++i)
        feita.certos += i < digitada.size() && digitada[i] == linha_[i];
    feita.tm = velocidade(campo_.Momentos());
    const int porCento = feita.caracteres > 0 ? 100 * feita.certos / feita.caracteres : 0;
    const QString figuras = QStringLiteral("%1 % certa, %2 t/m").arg(porCento).arg(feita.tm);
    ++linhasFeitas_;
    feita.resultado = QStringLiteral("Linha %1 - %2: [%3]").arg(linhasFeitas_).arg(figuras, fromCp1252(digitada));
    resposta.status = StatusDoCampo{QStringLiteral("Linha %1: %2. Agora a próxima.").arg(linhasFeitas_).arg(figuras),
                                    feita.certos == feita.caracteres ? CoresDoStatus::Certa : CoresDoStatus::Errada};
    resposta.linhaFeita = feita;

    daPratica_.contaLinha(linha_, digitada, campo_.Momentos());
    pendente_.contaLinha(linha_, digitada, campo_.Momentos());
    campo_.ParaTempo();
    campo_.Esvazia();
    gerador_.Pesa(agora());
    proximaLinha();
    return resposta;
}

std::optional<QChar> Treino::ProximoCaractere() const
{
    const qsizetype digitados = campo_.Texto().size();
    if (digitados >= linha_.size())
        return std::nullopt;
    return fromCp1252(linha_.mid(digitados, 1)).front();
}

std::vector<QChar> Treino::Melhoraram() const
{
    const estatisticas::TeclasDoAluno depois = agora();
    std::vector<std::pair<double, char>> melhoras;
    for (int c = 0; c < 256; ++c) {
        const char caractere = char(c);
        if (caractere == ' ' || daPratica_.de(caractere).esperadas == 0)
            continue;
        const estatisticas::FigurasDoCaractere antes = historico_.figuras(caractere);
        const double confiancaAntes = antes.conhecida() ? antes.confianca() : 0;
        const double ganho = depois.figuras(caractere).confianca() - confiancaAntes;
        if (ganho >= kMelhora)
            melhoras.push_back({-ganho, caractere});
    }
    std::sort(melhoras.begin(), melhoras.end());
    std::vector<QChar> lista;
    for (const auto& [ganho, caractere] : melhoras)
        lista.push_back(fromCp1252(QByteArrayView(&caractere, 1)).front());
    return lista;
}

void Treino::GravaToques()
{
    ::GravaToques(pendente_.registros(codAluno_, sessao_, OrigemDoToque::Treino));
    pendente_.esvazia();
}

}  // namespace treino

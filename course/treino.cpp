#include "course/treino.h"

#include "course/aula.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/causes.h"
#include "platform/errors.h"
#include "platform/recordfile.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace treino {

namespace {

constexpr char kEnter = '\r';
constexpr double kMsPorDia = 24.0 * 60 * 60 * 1000;
// a line of phrases tries this many times more for one that fits what is left
constexpr int kTentativasDeFrase = 6;
// a word already in the line is drawn again this many times at most
constexpr int kTentativasDePalavra = 3;
// a phrase of this many of the last ones drawn waits while others can come
constexpr size_t kFrasesRecentes = 20;

unsigned char codigo(char c)
{
    return static_cast<unsigned char>(c);
}

bool cabe(const QByteArray& texto, const Ensinados& ensinados)
{
    return std::all_of(texto.begin(), texto.end(), [&](char c) { return ensinados[codigo(c)]; });
}

QChar letra(char c)
{
    return fromCp1252(QByteArrayView(&c, 1)).front();
}

bool maiuscula(char c)
{
    return letra(c).isUpper();
}

// A draw is possible: some weight is not 0.
bool algumPeso(const std::vector<double>& pesos)
{
    return std::any_of(pesos.begin(), pesos.end(), [](double peso) { return peso > 0; });
}

// Each character of the text once, under the text's number.
void indexa(std::array<std::vector<int>, 256>& com, const QByteArray& texto, int indice)
{
    for (const char c : texto) {
        std::vector<int>& lista = com[codigo(c)];
        if (lista.empty() || lista.back() != indice)
            lista.push_back(indice);
    }
}

// A word is in a line of words by itself or before a comma.
bool naLinha(const QByteArray& linha, const QByteArray& palavra)
{
    const QList<QByteArray> itens = linha.split(' ');
    return itens.contains(palavra) || itens.contains(palavra + ',');
}

AppError naoPodeSerLida(const QString& lista, const QString& nome, const QString& motivo)
{
    return AppError(QStringLiteral("A lista de %1 do treino, %2, não pode ser lida: %3").arg(lista, nome, motivo));
}

// The list's bytes, read as the course's data files are: never through a
// link, nothing but a regular file. A failure names the list and its cause.
QByteArray conteudoDaLista(const QString& lista, const QString& nome)
{
    if (const std::optional<QString> outraCoisa = naoEArquivoComum(shownFileName(nome)))
        throw naoPodeSerLida(lista, nome, *outraCoisa);
    try {
        RecordFile arquivo(nome, 1, RecordFile::Access::Read);
        const QByteArray conteudo = arquivo.readUpTo(arquivo.recordCount());
        arquivo.close();
        return conteudo;
    } catch (const IoError& falha) {
        throw naoPodeSerLida(lista, nome, motivoDoSistema(falha.systemError()));
    }
}

// The non-empty lines of a list in UTF-8, comments left out, in Windows-1252.
std::vector<QByteArray> linhasDaLista(const QByteArray& conteudo)
{
    std::vector<QByteArray> linhas;
    for (const QByteArray& linha : conteudo.split('\n')) {
        const QString texto = QString::fromUtf8(linha).trimmed();
        if (!texto.isEmpty() && !texto.startsWith(u'#'))
            linhas.push_back(toCp1252(texto));
    }
    return linhas;
}

int toquesPorMinuto(int toques, double ms)
{
    return ms > 0 ? int(std::lround(toques * 60000 / ms)) : 0;
}

// The timed keystrokes of a line and their time, pauses left out.
std::pair<int, double> tempoDaLinha(const std::vector<double>& momentos)
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
    return {toques, ms};
}

// A blank, and the signs that would read as the list's own, by name: a
// screen reader may say no punctuation at all.
QString nomeDoCaractere(QChar c)
{
    switch (c.unicode()) {
    case u' ':
        return QStringLiteral("espaço");
    case u'.':
        return QStringLiteral("ponto");
    case u',':
        return QStringLiteral("vírgula");
    default:
        return QString(c);
    }
}

// "100 % certa, 180 t/m, sem erros" or "92 % certa, 180 t/m. Erros: f, a",
// and a word on a line left unfinished.
QString avaliacao(const LinhaFeita& feita)
{
    const int porCento = feita.caracteres > 0 ? 100 * feita.certos / feita.caracteres : 0;
    const QString erros = TextoDosErros(feita.erradas);
    QString texto = QStringLiteral("%1 % certa, %2 t/m%3%4")
                        .arg(porCento)
                        .arg(feita.tm)
                        .arg(feita.erradas.isEmpty() ? QStringLiteral(", ") : QStringLiteral(". "), erros);
    if (feita.alcancadas < feita.caracteres)
        texto += QStringLiteral(". Faltou o fim da linha");
    return texto;
}

}  // namespace

std::vector<QByteArray> CarregaPalavras()
{
    if (!fileExists(kArquivoPalavras))
        throw AppError(QStringLiteral("A lista de palavras do treino, %1, não está na pasta do curso")
                           .arg(kArquivoPalavras));
    return linhasDaLista(conteudoDaLista(QStringLiteral("palavras"), kArquivoPalavras));
}

std::vector<QByteArray> CarregaFrases()
{
    if (!fileExists(kArquivoFrases))
        return {};
    return linhasDaLista(conteudoDaLista(QStringLiteral("frases"), kArquivoFrases));
}

Ensinados CaracteresDoCurso(std::span<const tExercicio> catalogo, int ate)
{
    Ensinados ensinados{};
    const size_t feitos = std::min(size_t(std::max(ate, 0)), catalogo.size());
    for (const tExercicio& exercicio : catalogo.first(feitos)) {
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

GeradorDeLinhas::GeradorDeLinhas(const std::vector<QByteArray>& palavras, const std::vector<QByteArray>& frases,
                                 const Ensinados& ensinados, std::uint32_t semente)
    : comBranco_(ensinados[' ']), acaso_(semente)
{
    for (const QByteArray& palavra : palavras) {
        if (palavra.isEmpty() || !cabe(palavra, ensinados))
            continue;
        indexa(comPalavra_, palavra, int(palavras_.size()));
        palavras_.push_back(palavra);
    }
    for (const QByteArray& frase : frases) {
        if (frase.isEmpty() || frase.size() > kTamanhoDaLinha || !cabe(frase, ensinados))
            continue;
        indexa(comFrase_, frase, int(frases_.size()));
        frases_.push_back(frase);
    }
    for (int c = 0; c < 256; ++c) {
        if (ensinados[size_t(c)] && c != ' ')
            focos_.push_back(char(c));
    }
    Pesa({});
}

bool GeradorDeLinhas::temPalavra(char c) const
{
    return !comPalavra_[codigo(c)].empty();
}

bool GeradorDeLinhas::temFrase(char c) const
{
    return !comFrase_[codigo(c)].empty();
}

// What a line of words can give the character: a word that holds it, a
// comma or a full stop after a word, or, when no phrase can carry it
// either, a drill.
bool GeradorDeLinhas::servePalavras(char c) const
{
    return temPalavra(c) || ((c == ',' || c == '.') && !palavras_.empty()) || !temFrase(c);
}

void GeradorDeLinhas::Pesa(const estatisticas::TeclasDoAluno& teclas)
{
    std::vector<double> todos;
    std::vector<double> nasPalavras;
    for (const char c : focos_) {
        peso_[codigo(c)] = Peso(teclas.figuras(c));
        todos.push_back(peso_[codigo(c)]);
        nasPalavras.push_back(servePalavras(c) ? peso_[codigo(c)] : 0);
    }
    sorteio_ = Sorteio(todos.begin(), todos.end());
    // a line of words is never made when every character goes to the phrases
    if (algumPeso(nasPalavras))
        sorteioNasPalavras_ = Sorteio(nasPalavras.begin(), nasPalavras.end());
    pesoDaFrase_.clear();
    for (const QByteArray& frase : frases_) {
        double soma = 0;
        int caracteres = 0;
        for (const char c : frase) {
            if (c != ' ') {
                soma += peso_[codigo(c)];
                ++caracteres;
            }
        }
        pesoDaFrase_.push_back(caracteres > 0 ? soma / caracteres : kPesoMinimo);
    }
}

char GeradorDeLinhas::sorteia(Sorteio& sorteio)
{
    return focos_[sorteio(acaso_)];
}

// The first character drawn decides the line: phrases when a phrase can
// carry it (half the time when a word can too), else words.
QByteArray GeradorDeLinhas::Linha()
{
    if (focos_.empty())
        return {};
    const char foco = sorteia(sorteio_);
    if (temFrase(foco) && (!servePalavras(foco) || std::bernoulli_distribution(kParteDeFrases)(acaso_)))
        return linhaDeFrases(foco);
    return linhaDePalavras(foco);
}

// A phrase that holds the character, then more phrases for other characters
// drawn as they fit.
QByteArray GeradorDeLinhas::linhaDeFrases(char foco)
{
    QByteArray linha = fraseCom(foco, kTamanhoDaLinha, {});
    for (int tentativa = 0; comBranco_ && tentativa < kTentativasDeFrase; ++tentativa) {
        const QByteArray outra = fraseCom(sorteia(sorteio_), kTamanhoDaLinha - linha.size() - 1, linha);
        if (!outra.isEmpty())
            linha += ' ' + outra;
    }
    return linha;
}

// Of the phrases that hold the character, fit in so many characters and are
// not in the line yet, one drawn by the weight of its characters, one of the
// last lines' only when no other will do; empty when there is none.
QByteArray GeradorDeLinhas::fraseCom(char foco, qsizetype cabem, const QByteArray& linha)
{
    const std::vector<int>& indices = comFrase_[codigo(foco)];
    const auto pesos = [&](bool tambemRecentes) {
        std::vector<double> lista;
        for (const int indice : indices) {
            const QByteArray& frase = frases_[size_t(indice)];
            const bool recente = std::find(recentes_.begin(), recentes_.end(), indice) != recentes_.end();
            const bool serve = frase.size() <= cabem && !linha.contains(frase) && (tambemRecentes || !recente);
            lista.push_back(serve ? pesoDaFrase_[size_t(indice)] : 0);
        }
        return lista;
    };
    std::vector<double> lista = pesos(false);
    if (!algumPeso(lista))
        lista = pesos(true);
    if (!algumPeso(lista))
        return {};
    const int escolhida = indices[Sorteio(lista.begin(), lista.end())(acaso_)];
    recentes_.push_back(escolhida);
    if (recentes_.size() > kFrasesRecentes)
        recentes_.pop_front();
    return frases_[size_t(escolhida)];
}

// Words for the characters drawn, apart by blanks, while they fit: a comma
// drawn follows a word, a full stop drawn ends the line after its last word.
QByteArray GeradorDeLinhas::linhaDePalavras(char foco)
{
    QByteArray linha;
    bool ponto = false;
    bool terminaEmPalavra = false;
    for (char c = foco;; c = sorteia(sorteioNasPalavras_)) {
        const bool sinal = (c == ',' || c == '.') && !palavras_.empty();
        QByteArray proximo;
        if (temPalavra(c))
            proximo = palavraCom(c, linha);
        else if (sinal)
            proximo = palavraCom(0, linha) + (c == ',' ? "," : "");
        else
            proximo = exercicio(c);
        const bool comPonto = ponto || (sinal && c == '.');
        const qsizetype tamanho = linha.size() + (linha.isEmpty() ? 0 : 1) + proximo.size() + (comPonto ? 1 : 0);
        if (!linha.isEmpty() && (tamanho > kTamanhoDaLinha || !comBranco_))
            break;
        if (!linha.isEmpty())
            linha += ' ';
        linha += proximo;
        ponto = comPonto;
        terminaEmPalavra = temPalavra(c) || sinal;
    }
    // a comma ends no line
    if (linha.endsWith(','))
        linha.chop(1);
    if (ponto && terminaEmPalavra)
        linha += '.';
    return linha;
}

// A word that holds the character (any word for 0), the more frequent the
// likelier, drawn again while it is already in the line.
QByteArray GeradorDeLinhas::palavraCom(char foco, const QByteArray& linha)
{
    const std::vector<int>* indices = foco ? &comPalavra_[codigo(foco)] : nullptr;
    const size_t quantas = indices ? indices->size() : palavras_.size();
    QByteArray palavra;
    for (int tentativa = 0; tentativa < kTentativasDePalavra; ++tentativa) {
        // a word's chance falls with its place: the one at kPalavrasFrequentes has half the first one's
        const double u = std::uniform_real_distribution<double>(0, 1)(acaso_);
        const double lugar = kPalavrasFrequentes * (std::pow(1 + double(quantas) / kPalavrasFrequentes, u) - 1);
        const size_t k = std::min(quantas - 1, size_t(lugar));
        palavra = palavras_[indices ? size_t((*indices)[k]) : k];
        if (!naLinha(linha, palavra))
            break;
    }
    return palavra;
}

// The character with another one drawn as the characters are, twice over:
// "çaça". The other is a small letter when one was taught, never a capital,
// never the character itself while there is another.
QByteArray GeradorDeLinhas::exercicio(char foco)
{
    const auto pesosDosPares = [&](auto serve) {
        std::vector<double> pesos;
        for (const char c : focos_)
            pesos.push_back(c != foco && serve(c) ? peso_[codigo(c)] : 0);
        return pesos;
    };
    std::vector<double> pesos = pesosDosPares([](char c) { return letra(c).isLower(); });
    if (!algumPeso(pesos))
        pesos = pesosDosPares([](char c) { return !maiuscula(c); });
    const char par = algumPeso(pesos) ? focos_[Sorteio(pesos.begin(), pesos.end())(acaso_)] : foco;
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

// A line ended: its figures, the characters it got wrong, the statistics it
// adds, and the next line, made with them. A pause leaves the line as it was.
Treino::Resposta Treino::TeclaEnter()
{
    Resposta resposta;
    const QByteArray& digitada = campo_.Texto();
    if (digitada.isEmpty()) {
        resposta.status = StatusDoCampo{QStringLiteral("Digite a linha para teclar ENTER!"), CoresDoStatus::TextoDeJanela};
        return resposta;
    }
    const estatisticas::Alinhamento alinhamento = estatisticas::Alinha(linha_, digitada);
    LinhaFeita feita;
    feita.caracteres = int(linha_.size());
    feita.alcancadas = int(alinhamento.alcancadas);
    feita.certos = feita.alcancadas - alinhamento.erros();
    for (qsizetype i = 0; i < alinhamento.alcancadas; ++i) {
        if (alinhamento.errada[size_t(i)] && !feita.erradas.contains(linha_[i]))
            feita.erradas += linha_[i];
    }
    const auto [toques, ms] = tempoDaLinha(campo_.Momentos());
    feita.tm = toquesPorMinuto(toques, ms);

    ++resumo_.linhas;
    resumo_.caracteres += feita.caracteres;
    resumo_.certos += feita.certos;
    resumo_.toques += toques;
    resumo_.ms += ms;
    const QString figuras = avaliacao(feita);
    feita.resultado = QStringLiteral("Linha %1 - %2. [%3]").arg(resumo_.linhas).arg(figuras, fromCp1252(digitada));
    resposta.status = StatusDoCampo{QStringLiteral("Linha %1: %2. Agora a próxima.").arg(resumo_.linhas).arg(figuras),
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
        lista.push_back(letra(caractere));
    return lista;
}

ResumoDoTreino Treino::Resumo() const
{
    ResumoDoTreino resumo = resumo_;
    resumo.melhoraram = Melhoraram();
    return resumo;
}

void Treino::GravaToques()
{
    ::GravaToques(pendente_.registros(codAluno_, sessao_, OrigemDoToque::Treino));
    pendente_.esvazia();
}

QString TextoDosErros(const QByteArray& erradas)
{
    if (erradas.isEmpty())
        return QStringLiteral("sem erros");
    QStringList nomes;
    for (const char c : erradas)
        nomes << nomeDoCaractere(letra(c));
    return QStringLiteral("Erros: %1").arg(nomes.join(QStringLiteral(", ")));
}

int ResumoDoTreino::porCento() const
{
    return caracteres > 0 ? 100 * certos / caracteres : 0;
}

int ResumoDoTreino::tm() const
{
    return toquesPorMinuto(toques, ms);
}

QString TextoDoResumo(const ResumoDoTreino& resumo)
{
    const QString linhas = resumo.linhas == 1 ? QStringLiteral("1 linha digitada")
                                              : QStringLiteral("%1 linhas digitadas").arg(resumo.linhas);
    QString texto = QStringLiteral("Treino terminado.\r%1, %2 % de acerto, %3 t/m em média.\r")
                        .arg(linhas)
                        .arg(resumo.porCento())
                        .arg(resumo.tm());
    if (resumo.melhoraram.empty())
        return texto + QStringLiteral("Nenhuma tecla melhorou o bastante desta vez: continue treinando.");
    QStringList teclas;
    for (const QChar c : resumo.melhoraram)
        teclas << nomeDoCaractere(c);
    return texto + QStringLiteral("Melhoraram: %1").arg(teclas.join(QStringLiteral("  ")));
}

}  // namespace treino

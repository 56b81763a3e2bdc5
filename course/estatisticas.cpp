#include "course/estatisticas.h"

#include "data/text.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace estatisticas {

namespace {

constexpr double kMsPorDia = 24.0 * 60 * 60 * 1000;

std::uint32_t somaSemEstourar(std::uint32_t a, double b)
{
    return std::uint32_t(std::min<double>(double(a) + b, double(UINT32_MAX)));
}

// For every i and j, what it costs at least to turn the characters asked
// for from i on into the keys typed from j on: first the mistakes, then the
// characters left unreached (once the typed keys run out the rest of the
// line was never reached), so that among paths of as few mistakes the one
// that reaches furthest costs least. A key typed past the line's end is a
// mistake. Only the cells within faixa of the diagonal are worked out: a
// path with no more mistakes than that never leaves them; the others cost
// kForaDaFaixa.
class TabelaDeCustos {
public:
    static constexpr std::uint32_t kForaDaFaixa = UINT32_MAX / 4;

    TabelaDeCustos(QByteArrayView pedida, QByteArrayView digitada, qsizetype faixa)
        // a mistake outweighs every character the line could leave unreached
        : erro_(std::uint32_t(pedida.size() + 1)), colunas_(digitada.size() + 1), custos_(memoria())
    {
        const qsizetype n = pedida.size();
        const qsizetype m = digitada.size();
        // kept from line to line: a judged line allocates nothing
        custos_.resize(std::max(custos_.size(), size_t((n + 1) * colunas_)));
        const auto naFaixa = [faixa](qsizetype i, qsizetype j) { return std::abs(i - j) <= faixa; };
        std::uint32_t* ultima = linha(n);
        for (qsizetype j = 0; j <= m; ++j)
            ultima[j] = naFaixa(n, j) ? std::uint32_t(m - j) * erro_ : kForaDaFaixa;
        for (qsizetype i = n - 1; i >= 0; --i) {
            std::uint32_t* esta = linha(i);
            const std::uint32_t* seguinte = linha(i + 1);
            const char pedido = pedida[i];
            const qsizetype primeira = std::max<qsizetype>(0, i - faixa);
            const qsizetype ultimaColuna = std::min(m - 1, i + faixa);
            esta[m] = naFaixa(i, m) ? std::uint32_t(n - i) : kForaDaFaixa;
            // the cells beside the band, which the next rows and the walk read
            if (ultimaColuna + 1 < m)
                esta[ultimaColuna + 1] = kForaDaFaixa;
            if (primeira > 0)
                esta[primeira - 1] = kForaDaFaixa;
            for (qsizetype j = ultimaColuna; j >= primeira; --j) {
                const std::uint32_t trocada = seguinte[j + 1] + (pedido != digitada[j] ? erro_ : 0);
                esta[j] = std::min(trocada, std::min(esta[j + 1], seguinte[j]) + erro_);
            }
        }
    }

    std::uint32_t erro() const { return erro_; }
    std::uint32_t at(qsizetype i, qsizetype j) const { return custos_[size_t(i * colunas_ + j)]; }
    // the mistakes of the best path from the start, as far as the band shows it
    std::uint32_t erros() const { return at(0, 0) / erro_; }

private:
    static std::vector<std::uint32_t>& memoria()
    {
        thread_local std::vector<std::uint32_t> custos;
        return custos;
    }
    std::uint32_t* linha(qsizetype i) { return custos_.data() + i * colunas_; }

    std::uint32_t erro_;
    qsizetype colunas_;
    std::vector<std::uint32_t>& custos_;
};

// A band a few mistakes wide first. Should the best path in it have more
// mistakes than that, the best of all has at most as many as it, and a band
// that wide holds it.
TabelaDeCustos tabelaDe(QByteArrayView pedida, QByteArrayView digitada)
{
    constexpr qsizetype kFaixaEstreita = 8;
    TabelaDeCustos estreita(pedida, digitada, kFaixaEstreita);
    const qsizetype erros = estreita.erros();
    if (erros <= kFaixaEstreita)
        return estreita;
    return TabelaDeCustos(pedida, digitada, std::min(erros, std::max(pedida.size(), digitada.size())));
}

}  // namespace

int Alinhamento::erros() const
{
    return int(std::count(errada.begin(), errada.end(), true));
}

// Walked from the start, as the keys came, and among paths of fewest
// mistakes that reach as far the first of: a key on its character, a key in
// the place of another, a key added, a key left out. So a doubled key is the second one,
// charged to the character asked for after it, and two keys swapped are two
// keys replaced.
Alinhamento Alinha(QByteArrayView pedida, QByteArrayView digitada)
{
    // what both begin with needs no table: a line typed right costs a pass
    qsizetype comum = 0;
    while (comum < pedida.size() && comum < digitada.size() && pedida[comum] == digitada[comum])
        ++comum;
    Alinhamento alinhamento;
    alinhamento.digitada.reserve(size_t(pedida.size()));
    alinhamento.errada.reserve(size_t(pedida.size()));
    for (qsizetype k = 0; k < comum; ++k) {
        alinhamento.digitada.push_back(k);
        alinhamento.errada.push_back(false);
    }

    const QByteArrayView p = pedida.sliced(comum);
    const QByteArrayView d = digitada.sliced(comum);
    const TabelaDeCustos custos = tabelaDe(p, d);
    bool teclaAMais = false;  // a key added waits for the character asked for after it
    qsizetype i = 0;
    qsizetype j = 0;
    while (j < d.size()) {
        const std::uint32_t custo = custos.at(i, j);
        if (i < p.size() && custo == custos.at(i + 1, j + 1) + (p[i] != d[j] ? custos.erro() : 0)) {
            alinhamento.digitada.push_back(comum + j);
            alinhamento.errada.push_back(teclaAMais || p[i] != d[j]);
            teclaAMais = false;
            ++i;
            ++j;
        } else if (custo == custos.at(i, j + 1) + custos.erro()) {
            teclaAMais = true;
            ++j;
        } else {
            alinhamento.digitada.push_back(-1);
            alinhamento.errada.push_back(true);
            teclaAMais = false;
            ++i;
        }
    }
    // keys added past the line's end stood where ENTER was asked for, which is not counted
    alinhamento.alcancadas = qsizetype(alinhamento.digitada.size());
    return alinhamento;
}

void ContagemDaSessao::contaLinha(QByteArrayView pedida, QByteArrayView digitada, std::span<const double> momentos)
{
    const Alinhamento alinhamento = Alinha(pedida, digitada);
    for (qsizetype i = 0; i < alinhamento.alcancadas; ++i) {
        Contagem& contagem = contagens_[static_cast<unsigned char>(pedida[i])];
        contagem.esperadas = somaSemEstourar(contagem.esperadas, 1);
        if (alinhamento.errada[size_t(i)])
            contagem.erradas = somaSemEstourar(contagem.erradas, 1);
        // a key left out has no time, nor has the line's first keystroke
        const qsizetype tecla = alinhamento.digitada[size_t(i)];
        if (tecla < 1 || size_t(tecla) >= momentos.size())
            continue;
        const double ms = std::round((momentos[size_t(tecla)] - momentos[size_t(tecla - 1)]) * kMsPorDia);
        // a line across midnight gives no time
        if (ms >= 0 && ms <= kPausaMaximaMs) {
            contagem.cronometradas = somaSemEstourar(contagem.cronometradas, 1);
            contagem.milissegundos = somaSemEstourar(contagem.milissegundos, ms);
        }
    }
}

std::vector<tToque> ContagemDaSessao::registros(std::int32_t codAluno, double sessao, OrigemDoToque origem) const
{
    std::vector<tToque> lista;
    for (int codigo = 0; codigo < 256; ++codigo) {
        const Contagem& c = contagens_[size_t(codigo)];
        if (c.esperadas == 0)
            continue;
        tToque registro{};
        registro.CodAluno = codAluno;
        registro.Caractere = std::uint8_t(codigo);
        registro.Origem = std::uint8_t(origem);
        registro.Sessao = sessao;
        registro.Esperadas = c.esperadas;
        registro.Erradas = c.erradas;
        registro.Cronometradas = c.cronometradas;
        registro.Milissegundos = c.milissegundos;
        lista.push_back(registro);
    }
    return lista;
}

double FigurasDoCaractere::taxaDeErro() const
{
    return pesoEsperadas > 0 ? pesoErradas / pesoEsperadas : 0;
}

double FigurasDoCaractere::msPorToque() const
{
    return pesoCronometradas > 0 ? pesoMilissegundos / pesoCronometradas : 0;
}

double FigurasDoCaractere::confianca() const
{
    const double acerto = 1 - taxaDeErro();
    const double ms = msPorToque();
    // a key never timed counts at half speed; one timed at no time at all is fast
    double velocidade = 0.5;
    if (pesoCronometradas > 0)
        velocidade = ms > 0 ? std::min(1.0, 60000 / ms / kAlvoTm) : 1.0;
    return std::pow(acerto, 4) * velocidade;
}

namespace {

// Past this the units are brought back to 1: far below overflow.
constexpr double kEscalaMaxima = 1e150;

void multiplicaPesos(FigurasDoCaractere& f, double fator)
{
    f.pesoEsperadas *= fator;
    f.pesoErradas *= fator;
    f.pesoCronometradas *= fator;
    f.pesoMilissegundos *= fator;
}

}  // namespace

void TeclasDoAluno::novaSessao()
{
    escala_ /= kDesbotamento;
    if (escala_ < kEscalaMaxima)
        return;
    for (FigurasDoCaractere& f : caracteres_)
        multiplicaPesos(f, 1 / escala_);
    escala_ = 1;
}

void TeclasDoAluno::comecaSessao()
{
    novaSessao();
    algumaSessao_ = false;
}

// A damaged record counts only what could be true: no more wrong or timed
// keystrokes than expected ones, no keystroke longer than a pause.
void TeclasDoAluno::soma(const tToque& registro)
{
    // sittings are told apart by their moment; the first one starts at 0
    if (algumaSessao_ && !(registro.Sessao == ultimaSessao_))
        novaSessao();
    algumaSessao_ = true;
    ultimaSessao_ = registro.Sessao;

    const std::uint32_t esperadas = registro.Esperadas;
    const std::uint32_t erradas = std::min(registro.Erradas, esperadas);
    const std::uint32_t cronometradas = std::min(registro.Cronometradas, esperadas);
    const std::uint64_t milissegundos =
        std::min<std::uint64_t>(registro.Milissegundos, cronometradas * std::uint64_t(kPausaMaximaMs));

    FigurasDoCaractere& f = caracteres_[registro.Caractere];
    f.esperadas += esperadas;
    f.erradas += erradas;
    f.cronometradas += cronometradas;
    f.milissegundos += milissegundos;
    f.pesoEsperadas += esperadas * escala_;
    f.pesoErradas += erradas * escala_;
    f.pesoCronometradas += cronometradas * escala_;
    f.pesoMilissegundos += double(milissegundos) * escala_;
}

FigurasDoCaractere TeclasDoAluno::figuras(char caractere) const
{
    FigurasDoCaractere f = caracteres_[static_cast<unsigned char>(caractere)];
    multiplicaPesos(f, 1 / escala_);
    return f;
}

std::vector<char> TeclasDoAluno::conhecidas() const
{
    std::vector<char> lista;
    for (int codigo = 0; codigo < 256; ++codigo) {
        if (caracteres_[size_t(codigo)].conhecida())
            lista.push_back(char(codigo));
    }
    return lista;
}

std::vector<TeclasDoAluno> TeclasDosAlunos(const std::vector<std::int32_t>& codigos)
{
    std::vector<TeclasDoAluno> alunos(codigos.size());
    // a repeated number (a damaged student file) gives its records to the first holder
    QHash<std::int32_t, size_t> posicao;
    for (size_t i = 0; i < codigos.size(); ++i) {
        if (!posicao.contains(codigos[i]))
            posicao.insert(codigos[i], i);
    }
    // the records of a sitting lie together: the last student found is the likely next
    std::int32_t ultimoCodigo = 0;
    TeclasDoAluno* ultimo = nullptr;
    LeToques([&](const tToque& registro) {
        if (!ultimo || registro.CodAluno != ultimoCodigo) {
            const auto achado = posicao.constFind(registro.CodAluno);
            ultimoCodigo = registro.CodAluno;
            ultimo = achado != posicao.constEnd() ? &alunos[*achado] : nullptr;
        }
        if (ultimo)
            ultimo->soma(registro);
    });
    return alunos;
}

namespace {

// A blank is no key to train, and a control character (NUL, a line feed)
// is no key at all: only a damaged file holds one.
bool treinavel(QChar tecla)
{
    return tecla.isPrint() && !tecla.isSpace();
}

}  // namespace

std::vector<QChar> TeclasATreinar(const TeclasDoAluno& teclas)
{
    struct Candidata {
        QChar tecla;
        double confianca;
    };
    std::vector<Candidata> candidatas;
    for (const char caractere : teclas.conhecidas()) {
        const QChar tecla = fromCp1252(QByteArrayView(&caractere, 1)).front();
        const FigurasDoCaractere f = teclas.figuras(caractere);
        if (treinavel(tecla) && f.esperadas >= kMinimoParaTreinar)
            candidatas.push_back({tecla, f.confianca()});
    }
    std::stable_sort(candidatas.begin(), candidatas.end(),
                     [](const Candidata& a, const Candidata& b) { return a.confianca < b.confianca; });
    std::vector<QChar> lista;
    for (const Candidata& c : candidatas) {
        if (int(lista.size()) == kTeclasATreinar)
            break;
        lista.push_back(c.tecla);
    }
    return lista;
}

QString TextoDasTeclasATreinar(const TeclasDoAluno& teclas)
{
    QStringList partes;
    for (const QChar c : TeclasATreinar(teclas))
        partes << QString(c);
    return partes.join(u' ');
}

}  // namespace estatisticas

// The class report laid out on A4: every heading and cell whole, the
// students without a pass in a compact table, every page numbered, and no
// control character of a damaged file printed.

#include "students/folhasdorelatorio.h"
#include "support/fixture.h"
#include "support/rawrecords.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

const QString kNomeLongo = QStringLiteral("Maria Aparecida dos Santos de Oliveira");
// forty letters without a blank: the most a damaged or careless name holds
const QString kNomeSemEspacos = QString(40, u'W');

TEST(LargurasDasColunas, EachColumnHasItsWidestWordAndTheRestIsShared)
{
    struct Caso {
        const char* nome;
        std::vector<double> minimas, naturais;
        double largura;
        std::vector<double> esperadas;
    };
    const Caso casos[] = {
        {"room for every text on one line", {10, 20}, {20, 40}, 120, {40, 80}},
        {"room for every word, not for every text", {10, 20}, {20, 60}, 50, {14, 36}},
        {"just the widest words", {10, 20}, {30, 40}, 30, {10, 20}},
        {"no room even for the widest words", {10, 50, 30}, {10, 90, 30}, 60, {10, 25, 25}},
        {"the narrowest too wide for an equal share", {40, 50}, {40, 50}, 30, {15, 15}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const std::vector<double> larguras = largurasDasColunas(caso.minimas, caso.naturais, caso.largura);
        ASSERT_EQ(larguras.size(), caso.esperadas.size());
        for (size_t i = 0; i < larguras.size(); ++i)
            EXPECT_NEAR(larguras[i], caso.esperadas[i], 1e-9) << "column " << i;
        EXPECT_NEAR(std::accumulate(larguras.begin(), larguras.end(), 0.0), caso.largura, 1e-9);
    }
}

TEST(QuebraEmLinhas, BreaksAtBlanksAndSplitsOnlyAWordWiderThanALine)
{
    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setPointSize(10);
    const QFontMetricsF medida(fonte);
    const auto largo = [&](const QString& texto) { return medida.horizontalAdvance(texto); };
    struct Caso {
        QString texto;
        double largura;
        QStringList linhas;
    };
    const Caso casos[] = {
        {QStringLiteral("Melhor velocidade (t/m)"), largo(QStringLiteral("Melhor velocidade (t/m)")),
         {QStringLiteral("Melhor velocidade (t/m)")}},
        {QStringLiteral("Melhor velocidade (t/m)"), largo(QStringLiteral("velocidade")),
         {QStringLiteral("Melhor"), QStringLiteral("velocidade"), QStringLiteral("(t/m)")}},
        {QStringLiteral("Ana  Luz "), largo(QStringLiteral("Ana Luz")), {QStringLiteral("Ana Luz")}},
        {QStringLiteral("WWWWWW"), largo(QStringLiteral("WWWW")), {QStringLiteral("WWWW"), QStringLiteral("WW")}},
        {QStringLiteral("a WWWWWW b"), largo(QStringLiteral("WWWW")),
         {QStringLiteral("a"), QStringLiteral("WWWW"), QStringLiteral("WW b")}},
        {QString(), 100, {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.texto.toStdString());
        EXPECT_EQ(quebraEmLinhas(caso.texto, medida, caso.largura), caso.linhas);
    }
}

Passagem passagem(int dia, int exercicio, int velocidade)
{
    return {QDate(2026, 12, dia), exercicio, velocidade};
}

// Keys a damaged statistics file counts: NUL, a line feed and a carriage
// return scoring worst of all, then a ";" and a quote a line may ask for.
estatisticas::TeclasDoAluno teclasDanificadas()
{
    estatisticas::TeclasDoAluno teclas;
    for (tToque r : {storedKeyCount('\0', 40, 40, 4000), storedKeyCount('\n', 40, 40, 4000),
                     storedKeyCount('\r', 40, 40, 4000), storedKeyCount(';', 40, 30, 900),
                     storedKeyCount('"', 40, 20, 900), storedKeyCount('a', 40, 0, 300)}) {
        r.Sessao = 1;
        teclas.soma(r);
    }
    return teclas;
}

Desempenho aluno(std::int32_t codigo, const QString& nome, std::vector<Passagem> passagens = {})
{
    Desempenho d;
    d.codigo = codigo;
    d.nome = nome;
    d.cadastro = QDate(2026, 11, 30);
    for (const Passagem& p : passagens) {
        d.ultimoExercicio = p.exercicio;
        d.ultimaVelocidade = p.velocidade;
        d.melhorVelocidade = std::max(d.melhorVelocidade, p.velocidade);
    }
    if (!passagens.empty()) {
        d.primeiraAula = passagens.front().data;
        d.ultimaAula = passagens.back().data;
        d.diasDePratica = 1;
    }
    d.passagens = std::move(passagens);
    d.teclas = teclasDanificadas();
    return d;
}

// The report's A4 pages as the PDF gets them.
class Folhas : public ::testing::Test {
protected:
    Folhas()
        : pdf_(&saida_)
    {
        preparaFolhas(pdf_);
        pdf_.setResolution(300);
    }

    std::vector<FolhaDoRelatorio> folhas(const std::vector<Desempenho>& turma)
    {
        return folhasDoRelatorio(pdf_, turma, QStringLiteral("/srv/escola/laboratorio-de-informatica/quiravo"),
                                 QDate(2026, 12, 10));
    }

    QBuffer saida_;
    QPdfWriter pdf_;
};

// What of a text is cut: a line wider than its box, more lines than the box
// is tall, a box outside its frame or the page.
QStringList cortes(const TextoNaFolha& texto, const QPaintDevice& folhas)
{
    QStringList achados;
    const QFontMetricsF medida(texto.fonte, &folhas);
    const QString nome = u'"' + texto.linhas.join(u'|') + u'"';
    constexpr double kFolga = 0.01;
    for (const QString& linha : texto.linhas) {
        if (medida.horizontalAdvance(linha) > texto.caixa.width() + kFolga)
            achados << QStringLiteral("%1: \"%2\" needs %3, has %4")
                           .arg(nome, linha)
                           .arg(medida.horizontalAdvance(linha))
                           .arg(texto.caixa.width());
    }
    if (double(texto.linhas.size()) * medida.lineSpacing() > texto.caixa.height() + kFolga)
        achados << QStringLiteral("%1: %2 lines in a height of %3")
                       .arg(nome)
                       .arg(texto.linhas.size())
                       .arg(texto.caixa.height());
    const QRectF pagina(0, 0, folhas.width(), folhas.height());
    if (!texto.moldura.isEmpty() && !texto.moldura.contains(texto.caixa))
        achados << nome + QStringLiteral(": outside its frame");
    if (!pagina.contains(texto.moldura.isEmpty() ? texto.caixa : texto.moldura))
        achados << nome + QStringLiteral(": outside the page");
    return achados;
}

// The text of a cell without its line breaks, to compare with what went in.
QString semQuebras(const QStringList& linhas)
{
    return linhas.join(QString()).remove(u' ');
}

bool temControle(const QString& texto)
{
    return std::any_of(texto.begin(), texto.end(), [](QChar c) { return !c.isPrint(); });
}

TEST_F(Folhas, EveryHeadingAndCellIsWholeAndHoldsEveryWord)
{
    std::vector<Desempenho> turma = {
        aluno(1, kNomeLongo, {passagem(1, 1, 120), passagem(2, 2, 135)}),
        aluno(1234567, kNomeSemEspacos, {passagem(3, 1, 99)}),
        aluno(3, QStringLiteral("Ana"), {passagem(3, 1, 1999)}),
        aluno(4, kNomeLongo),
        aluno(2147483647, kNomeSemEspacos),
    };
    const std::vector<FolhaDoRelatorio> paginas = folhas(turma);
    QStringList todos;
    QStringList textos;
    for (const FolhaDoRelatorio& pagina : paginas) {
        for (const TextoNaFolha& texto : pagina.textos) {
            todos << cortes(texto, pdf_);
            textos << semQuebras(texto.linhas);
        }
    }
    EXPECT_EQ(todos, QStringList());
    // the headings of both tables, the longest name and a name of one long
    // word, all their letters
    for (const QString& inteiro :
         {QStringLiteral("Código"), QStringLiteral("Passagens"), QStringLiteral("Melhorvelocidade(t/m)"),
          QStringLiteral("Últimavelocidade(t/m)"), QStringLiteral("Teclasatreinar"), QStringLiteral("Cadastro"),
          QString(kNomeLongo).remove(u' '), kNomeSemEspacos, QStringLiteral("2147483647"),
          QStringLiteral("/srv/escola/laboratorio-de-informatica/quiravo")}) {
        EXPECT_TRUE(textos.contains(inteiro) || textos.contains(QStringLiteral("Pastadocurso:") + inteiro))
            << inteiro.toStdString();
    }
}

// Seventy students of whom five passed an exercise: five charts, the other
// sixty-five a line each. A line of the compact table is a line of 8-point
// type and 3 mm of room, under 7 mm, so that more than 35 of them go on a
// page of 267 mm: after the first page, two more at most.
TEST_F(Folhas, StudentsWithoutAPassTakeALineEachAndEveryPageIsNumbered)
{
    std::vector<Desempenho> turma;
    for (int codigo = 1; codigo <= 70; ++codigo) {
        const QString nome = QStringLiteral("Aluno %1").arg(codigo);
        turma.push_back(codigo % 14 == 0 ? aluno(codigo, nome, {passagem(1, 1, 100), passagem(2, 2, 110)})
                                         : aluno(codigo, nome));
    }
    const std::vector<FolhaDoRelatorio> paginas = folhas(turma);
    EXPECT_LE(paginas.size(), 3u);
    size_t graficos = 0;
    QStringList nomes;
    for (size_t n = 0; n < paginas.size(); ++n) {
        SCOPED_TRACE(n + 1);
        for (const GraficoNaFolha& g : paginas[n].graficos) {
            EXPECT_FALSE(turma[g.aluno].passagens.empty());
            ++graficos;
        }
        for (const TextoNaFolha& texto : paginas[n].textos) {
            if (texto.linhas.join(u' ').startsWith(QStringLiteral("Aluno ")))
                nomes << texto.linhas.join(u' ');
        }
        // the number at the foot, below everything else
        const TextoNaFolha& pe = paginas[n].textos.back();
        EXPECT_EQ(pe.linhas, QStringList{QStringLiteral("Página %1 de %2").arg(n + 1).arg(paginas.size())});
        for (const TextoNaFolha& texto : paginas[n].textos) {
            if (&texto != &pe) {
                EXPECT_LE((texto.moldura.isEmpty() ? texto.caixa : texto.moldura).bottom(), pe.caixa.top());
            }
        }
        for (const GraficoNaFolha& g : paginas[n].graficos)
            EXPECT_LE(g.area.bottom(), pe.caixa.top());
    }
    EXPECT_EQ(graficos, 5u);
    // each student once
    EXPECT_EQ(nomes.size(), 70);
    nomes.removeDuplicates();
    EXPECT_EQ(nomes.size(), 70);
}

// The key statistics of every student are damaged: no page shows a control
// character, while the ";" and the quote still show as keys to train.
TEST_F(Folhas, NoControlCharacterOfADamagedFileIsPrinted)
{
    const std::vector<Desempenho> turma = {aluno(1, QStringLiteral("Ana\nLuz\x01"), {passagem(1, 1, 100)}),
                                           aluno(2, QStringLiteral("Bia\rSol\t"))};
    QStringList teclas;
    for (const FolhaDoRelatorio& pagina : folhas(turma)) {
        for (const TextoNaFolha& texto : pagina.textos) {
            for (const QString& linha : texto.linhas)
                EXPECT_FALSE(temControle(linha)) << linha.toStdString();
            if (texto.linhas.join(u' ').startsWith(u';'))
                teclas << texto.linhas.join(u' ');
        }
    }
    EXPECT_EQ(teclas, QStringList(2, QStringLiteral("; \" a")));
}

}  // namespace

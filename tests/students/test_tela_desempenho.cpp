// The progress screen and its chart, shown with real keys and mouse help events.

#include "students/grafico.h"
#include "students/secoes.h"
#include "students/uDesempenho.h"
#include "ui/uAjusta.h"
#include "platform/system.h"

#include "support/fixture.h"
#include "support/teclado.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QTableView>
#include <QTest>
#include <QToolTip>

namespace {

const QDate kSegunda(2026, 12, 7);

Desempenho bia()
{
    Desempenho figuras;
    figuras.codigo = 2;
    figuras.nome = QStringLiteral("Bia");
    figuras.passagens = {{kSegunda, 1, 90}, {kSegunda, 2, 130}, {kSegunda.addDays(2), 3, 110}};
    figuras.ultimoExercicio = 3;
    figuras.diasDePratica = 2;
    figuras.primeiraAula = kSegunda;
    figuras.ultimaAula = kSegunda.addDays(2);
    figuras.melhorVelocidade = 130;
    figuras.ultimaVelocidade = 110;
    return figuras;
}

class TelaDesempenho : public InTempDir {
protected:
    void abre(Desempenho figuras, int exercicios)
    {
        tela = std::make_unique<TfDesempenho>(std::move(figuras), exercicios);
        tela->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tela.get()));
    }

    QString texto(const char* nome) const { return tela->findChild<QLabel*>(QLatin1String(nome))->text(); }

    std::unique_ptr<TfDesempenho> tela;
};

TEST_F(TelaDesempenho, ShowsTheFiguresAndListsTheNewestPassFirst)
{
    abre(bia(), 5);

    EXPECT_EQ(texto("lbNome"), QStringLiteral("Bia"));
    EXPECT_EQ(texto("lbExercicio"), QStringLiteral("Exercício 3 de 5"));
    const auto* barra = tela->findChild<QProgressBar*>(QStringLiteral("pgExercicio"));
    EXPECT_EQ(barra->value(), 3);
    EXPECT_EQ(barra->maximum(), 5);
    EXPECT_EQ(texto("lbPassagens"), QStringLiteral("3"));
    EXPECT_EQ(texto("lbDias"), QStringLiteral("2"));
    EXPECT_EQ(texto("lbPrimeiraAula"), QStringLiteral("07/12/2026"));
    EXPECT_EQ(texto("lbUltimaAula"), QStringLiteral("09/12/2026"));
    EXPECT_EQ(texto("lbMelhor"), QStringLiteral("130 t/m"));
    EXPECT_EQ(texto("lbUltima"), QStringLiteral("110 t/m"));

    const QAbstractItemModel* lista = tela->findChild<QTableView*>(QStringLiteral("sgPassagens"))->model();
    ASSERT_EQ(lista->rowCount(), 3);
    const auto linha = [lista](int i) {
        return QStringList{lista->index(i, 0).data().toString(), lista->index(i, 1).data().toString(),
                           lista->index(i, 2).data().toString()};
    };
    EXPECT_EQ(linha(0), (QStringList{QStringLiteral("09/12/2026"), QStringLiteral("3"), QStringLiteral("110")}));
    EXPECT_EQ(linha(2), (QStringList{QStringLiteral("07/12/2026"), QStringLiteral("1"), QStringLiteral("90")}));
}

TEST_F(TelaDesempenho, AStudentWithoutPassesShowsZerosAndEmptyDates)
{
    Desempenho figuras;
    figuras.nome = QStringLiteral("Caio");
    abre(figuras, 42);

    EXPECT_EQ(texto("lbExercicio"), QStringLiteral("Exercício 0 de 42"));
    EXPECT_EQ(texto("lbPassagens"), QStringLiteral("0"));
    EXPECT_EQ(texto("lbPrimeiraAula"), QString());
    EXPECT_EQ(texto("lbUltimaAula"), QString());
    EXPECT_EQ(texto("lbMelhor"), QStringLiteral("0 t/m"));
    EXPECT_EQ(tela->findChild<QTableView*>(QStringLiteral("sgPassagens"))->model()->rowCount(), 0);
}

TEST_F(TelaDesempenho, EscAndF10CloseIt)
{
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F10}) {
        abre(bia(), 5);
        tecla(key);
        EXPECT_FALSE(tela->isVisible()) << key;
    }
}

// The mouse resting on a point tells its exercise, date and speed.
TEST_F(TelaDesempenho, TheChartTellsThePassUnderTheMouse)
{
    abre(bia(), 5);
    QWidget* grafico = tela->findChild<QWidget*>(QStringLiteral("pbGrafico"));
    const EixosDoGrafico eixos =
        eixosDoGrafico(QRectF(grafico->rect()), QFontMetricsF(grafico->font()), bia().passagens, 130);

    const QPoint ponto(int(eixos.x(1)), int(eixos.y(130)));
    QHelpEvent ajuda(QEvent::ToolTip, ponto, grafico->mapToGlobal(ponto));
    QApplication::sendEvent(grafico, &ajuda);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Exercício 2\n07/12/2026\n130 t/m"));
    QToolTip::hideText();
}

// A paint device that keeps each text drawn on it and draws nothing else.
class TextosDesenhados : public QPaintDevice {
public:
    explicit TextosDesenhados(QSize tamanho) : tamanho_(tamanho) {}
    ~TextosDesenhados() override = default;

    QPaintEngine* paintEngine() const override { return &motor_; }
    const QStringList& textos() const { return motor_.textos; }

protected:
    int metric(PaintDeviceMetric medida) const override
    {
        switch (medida) {
        case PdmWidth: return tamanho_.width();
        case PdmHeight: return tamanho_.height();
        case PdmWidthMM: return tamanho_.width() * 254 / 960;
        case PdmHeightMM: return tamanho_.height() * 254 / 960;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 96;  // the resolutions of a screen
        }
    }

private:
    struct Motor : QPaintEngine {
        Motor() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& texto) override { textos << texto.text(); }
        Type type() const override { return User; }
        QStringList textos;
    };
    QSize tamanho_;
    mutable Motor motor_;
};

// One pass of every exercise up to the musical keyboard's: every section of
// the course, several of them a few passes wide.
Desempenho peloCursoTodo()
{
    Desempenho figuras;
    figuras.nome = QStringLiteral("Caio");
    for (int exercicio = 1; exercicio <= 45; ++exercicio)
        figuras.passagens.push_back({kSegunda.addDays(exercicio / 3), exercicio, 100 + exercicio * 3});
    figuras.ultimoExercicio = 45;
    figuras.melhorVelocidade = 235;
    figuras.ultimaVelocidade = 235;
    return figuras;
}

// At every width band, each section the history went through is named whole,
// however narrow its band: in the legend, beside its number.
TEST_F(TelaDesempenho, TheChartNamesEverySectionWhole)
{
    const QScopedValueRollback<int> larguraDaTela(LarguraTela);
    ASSERT_EQ(SecoesDoCurso().size(), 10u);
    for (int largura : {800, 1024, 1280}) {
        SCOPED_TRACE(largura);
        LarguraTela = largura;
        systemseam::setDisplayWidth(largura);
        abre(peloCursoTodo(), 45);
        const QWidget* grafico = tela->findChild<QWidget*>(QStringLiteral("pbGrafico"));
        TextosDesenhados folha(grafico->size());
        QPainter pintor(&folha);
        pintor.setFont(grafico->font());
        desenhaGrafico(pintor, QRectF(grafico->rect()), peloCursoTodo().passagens, 235);
        pintor.end();

        const QString desenhado = folha.textos().join(u'|');
        for (const Secao& secao : SecoesDoCurso())
            EXPECT_TRUE(desenhado.contains(secao.nome)) << secao.nome.toStdString() << " in " << desenhado.toStdString();
        EXPECT_FALSE(desenhado.contains(u'…')) << desenhado.toStdString();
    }
}

// The chart's line colour, blended at its edges.
bool daLinha(const QColor& cor)
{
    return cor.blue() > 120 && cor.red() < 120;
}

// What was drawn in the plane in the chart's line colour, column by column.
std::vector<bool> colunasComALinha(const QImage& imagem, const EixosDoGrafico& eixos)
{
    std::vector<bool> colunas;
    for (int x = int(eixos.plano.left()) + 2; x < int(eixos.plano.right()) - 2; ++x) {
        bool achou = false;
        for (int y = int(eixos.plano.top()) + 2; y < int(eixos.plano.bottom()) - 2 && !achou; ++y)
            achou = daLinha(imagem.pixelColor(x, y));
        colunas.push_back(achou);
    }
    return colunas;
}

struct Desenho {
    QImage imagem{600, 240, QImage::Format_RGB32};
    EixosDoGrafico eixos;

    explicit Desenho(const std::vector<Passagem>& passagens, int melhor)
    {
        imagem.fill(Qt::white);
        QPainter pintor(&imagem);
        desenhaGrafico(pintor, QRectF(imagem.rect()), passagens, melhor);
        eixos = eixosDoGrafico(QRectF(imagem.rect()), QFontMetricsF(pintor.font()), passagens, melhor);
    }
};

TEST_F(TelaDesempenho, ASinglePassShowsAsADot)
{
    const Desenho desenho({{kSegunda, 1, 80}}, 80);
    const QPoint centro(int(desenho.eixos.x(0)), int(desenho.eixos.y(80)));
    EXPECT_TRUE(daLinha(desenho.imagem.pixelColor(centro)));
}

// A million passes: one column of pixels holds thousands of them, and the
// line still runs from the first to the last.
TEST_F(TelaDesempenho, AMillionPassesDrawALineAcrossThePlane)
{
    std::vector<Passagem> passagens(1'000'000, Passagem{kSegunda, 20, 0});
    for (size_t i = 0; i < passagens.size(); ++i)
        passagens[i].velocidade = 100 + int(i % 97);
    const Desenho desenho(passagens, 196);
    const std::vector<bool> colunas = colunasComALinha(desenho.imagem, desenho.eixos);
    EXPECT_EQ(std::count(colunas.begin(), colunas.end(), false), 0);
}

}  // namespace

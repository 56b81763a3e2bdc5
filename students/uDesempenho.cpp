#include "students/uDesempenho.h"

#include "course/aula.h"
#include "data/records.h"
#include "platform/clock.h"
#include "students/grafico.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/caixas.h"
#include "ui/tecladonatela.h"
#include "ui/uAjusta.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <utility>

using namespace aparencia;

namespace {

constexpr int kLargura = 860;
constexpr int kAltura = 850;

QString velocidade(int tm)
{
    return QString::number(tm) + QStringLiteral(" t/m");
}

// The chart; a pass's exercise, date and speed show where the mouse rests.
class QuadroDoGrafico : public QWidget {
public:
    QuadroDoGrafico(const Desempenho& figuras, QWidget* parent) : QWidget(parent), figuras_(figuras)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter pintor(this);
        pintor.fillRect(rect(), palette().window());
        desenhaGrafico(pintor, QRectF(rect()), figuras_.passagens, figuras_.melhorVelocidade);
    }

    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        const auto* ajuda = static_cast<QHelpEvent*>(event);
        const EixosDoGrafico eixos =
            eixosDoGrafico(QRectF(rect()), QFontMetricsF(font()), figuras_.passagens, figuras_.melhorVelocidade);
        const long i = eixos.passagemEm(ajuda->pos().x());
        if (i < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const Passagem& passagem = figuras_.passagens[size_t(i)];
        QToolTip::showText(ajuda->globalPos(),
                           QStringLiteral("Exercício %1\n%2\n%3")
                               .arg(passagem.exercicio)
                               .arg(shortDate(passagem.data), velocidade(passagem.velocidade)),
                           this);
        return true;
    }

private:
    const Desempenho& figuras_;
};

// The passes, the newest in the first row; rows are made as they are shown,
// so that a long history costs nothing to open.
class ModeloDasPassagens : public QAbstractTableModel {
public:
    ModeloDasPassagens(const std::vector<Passagem>& passagens, QObject* parent)
        : QAbstractTableModel(parent), passagens_(passagens)
    {
    }

    int rowCount(const QModelIndex& pai) const override { return pai.isValid() ? 0 : int(passagens_.size()); }
    int columnCount(const QModelIndex& pai) const override { return pai.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& indice, int papel) const override
    {
        const Passagem& passagem = passagens_[passagens_.size() - 1 - size_t(indice.row())];
        if (papel == Qt::TextAlignmentRole)
            return QVariant(indice.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                 : Qt::AlignRight | Qt::AlignVCenter);
        if (papel != Qt::DisplayRole)
            return {};
        switch (indice.column()) {
        case 0: return shortDate(passagem.data);
        case 1: return passagem.exercicio;
        default: return passagem.velocidade;
        }
    }

    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override
    {
        if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole)
            return {};
        static const QString titulos[] = {QStringLiteral("Data"), QStringLiteral("Exercício"),
                                          QStringLiteral("Velocidade (t/m)")};
        return titulos[secao];
    }

private:
    const std::vector<Passagem>& passagens_;
};

}  // namespace

TfDesempenho::TfDesempenho(Desempenho figuras, int exerciciosNoCurso, QWidget* parent)
    : QDialog(parent), figuras_(std::move(figuras))
{
    montaDialogoFixo(this, QStringLiteral("fDesempenho"), QStringLiteral("Desempenho"), arial(13),
                     QSize(kLargura, kAltura));
    criaCabecalho(exerciciosNoCurso);
    criaCaixas();
    criaGrafico();
    criaLista();
    criaMapa();
    criaBotoes();
    FormCreate();
}

void TfDesempenho::criaCabecalho(int exerciciosNoCurso)
{
    lbNome = new QLabel(figuras_.nome, this);
    lbNome->setObjectName(QStringLiteral("lbNome"));
    lbNome->setTextFormat(Qt::PlainText);
    lbNome->setGeometry(24, 12, 812, 30);
    lbNome->setFont(impact(22));
    pinta(lbNome, QPalette::WindowText, kMarinho);

    const int feito = std::clamp(figuras_.ultimoExercicio, 0, std::max(exerciciosNoCurso, 0));
    lbExercicio = new QLabel(QStringLiteral("Exercício %1 de %2").arg(feito).arg(exerciciosNoCurso), this);
    lbExercicio->setObjectName(QStringLiteral("lbExercicio"));
    lbExercicio->setGeometry(24, 50, 190, 22);

    pgExercicio = new QProgressBar(this);
    pgExercicio->setObjectName(QStringLiteral("pgExercicio"));
    pgExercicio->setGeometry(220, 50, 616, 22);
    pgExercicio->setRange(0, std::max(exerciciosNoCurso, 1));
    pgExercicio->setValue(feito);
    pgExercicio->setTextVisible(false);
}

void TfDesempenho::criaCaixas()
{
    struct Caixa {
        QLabel*& valor;
        const char* nome;
        QString titulo;
        QString texto;
    };
    const Caixa caixas[] = {
        {lbPassagens, "lbPassagens", QStringLiteral("Passagens"), QString::number(figuras_.passagens.size())},
        {lbDias, "lbDias", QStringLiteral("Dias de prática"), QString::number(figuras_.diasDePratica)},
        {lbPrimeiraAula, "lbPrimeiraAula", QStringLiteral("Primeira aula"), shortDate(figuras_.primeiraAula)},
        {lbUltimaAula, "lbUltimaAula", QStringLiteral("Última aula"), shortDate(figuras_.ultimaAula)},
        {lbMelhor, "lbMelhor", QStringLiteral("Melhor velocidade"), velocidade(figuras_.melhorVelocidade)},
        {lbUltima, "lbUltima", QStringLiteral("Última velocidade"), velocidade(figuras_.ultimaVelocidade)},
    };
    int x = 24;
    for (const Caixa& caixa : caixas) {
        caixa.valor = caixaDeValor(this, QRect(x, 80, 132, 76), caixa.titulo, QLatin1String(caixa.nome), 24);
        caixa.valor->setText(caixa.texto);
        x += 136;
    }
}

void TfDesempenho::criaGrafico()
{
    pbGrafico = new QuadroDoGrafico(figuras_, this);
    pbGrafico->setObjectName(QStringLiteral("pbGrafico"));
    pbGrafico->setGeometry(24, 162, 812, 258);
}

void TfDesempenho::criaLista()
{
    lbLista = new QLabel(QStringLiteral("Passagens, da mais recente à primeira:"), this);
    lbLista->setObjectName(QStringLiteral("lbLista"));
    lbLista->setGeometry(24, 428, 400, 20);

    sgPassagens = new QTableView(this);
    sgPassagens->setObjectName(QStringLiteral("sgPassagens"));
    sgPassagens->setGeometry(24, 450, 540, 130);
    sgPassagens->setModel(new ModeloDasPassagens(figuras_.passagens, sgPassagens));
    sgPassagens->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgPassagens->setSelectionMode(QAbstractItemView::SingleSelection);
    sgPassagens->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgPassagens->setTabKeyNavigation(false);
    sgPassagens->verticalHeader()->hide();
    sgPassagens->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgPassagens->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void TfDesempenho::criaMapa()
{
    lbMapa = new QLabel(QStringLiteral("Mapa das teclas (o mouse sobre uma tecla mostra os números):"), this);
    lbMapa->setObjectName(QStringLiteral("lbMapa"));
    lbMapa->setGeometry(24, 590, 540, 20);

    rbErros = new QRadioButton(QStringLiteral("Erros"), this);
    rbErros->setObjectName(QStringLiteral("rbErros"));
    rbErros->setGeometry(600, 590, 90, 20);
    rbErros->setChecked(true);
    rbVelocidade = new QRadioButton(QStringLiteral("Velocidade"), this);
    rbVelocidade->setObjectName(QStringLiteral("rbVelocidade"));
    rbVelocidade->setGeometry(700, 590, 136, 20);

    tnMapa = new TecladoNaTela(this);
    tnMapa->setObjectName(QStringLiteral("tnMapa"));
    tnMapa->setGeometry(24, 614, 560, 208);

    lbTeclasATreinar = caixaDeValor(this, QRect(600, 614, 236, 76), QStringLiteral("Teclas a treinar"),
                                    QStringLiteral("lbTeclasATreinar"), 28);
    const QString treinar = estatisticas::TextoDasTeclasATreinar(figuras_.teclas);
    lbTeclasATreinar->setText(treinar.isEmpty() ? QStringLiteral("-") : treinar);
    lbLegenda = new QLabel(this);
    lbLegenda->setObjectName(QStringLiteral("lbLegenda"));
    lbLegenda->setGeometry(600, 696, 236, 90);
    lbLegenda->setWordWrap(true);
    lbLegenda->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    conectaAcao(rbErros, &QRadioButton::toggled, this, [this](bool erros) {
        mostraMapa(erros ? mapa::Vista::Erros : mapa::Vista::Velocidade);
    });
    mostraMapa(mapa::Vista::Erros);
}

void TfDesempenho::mostraMapa(mapa::Vista vista)
{
    std::vector<QColor> cores;
    std::vector<QString> textos;
    for (const mapa::FigurasDaTecla& tecla : mapa::PorTecla(figuras_.teclas)) {
        cores.push_back(TecladoNaTela::corDoCalor(mapa::Calor(tecla, vista)));
        textos.push_back(mapa::Descricao(tecla));
    }
    tnMapa->mostraCores(std::move(cores), std::move(textos), mapa::Titulo(vista));
    lbLegenda->setText(mapa::Legenda(vista));
}

void TfDesempenho::criaBotoes()
{
    bbFechar = botao(this, QStringLiteral("bbFechar"), QStringLiteral("Fechar - F10"), QRect(706, 792, 130, 30),
                     QStringLiteral(":/assets/icons/correndo.svg"), QStyle::SP_DialogCloseButton);
    Fechar1 = itemDeMenu(this, QStringLiteral("Fechar1"), QStringLiteral("Fechar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    conectaBotaoEItem(bbFechar, Fechar1, this, &TfDesempenho::bbFecharClick);
}

void TfDesempenho::FormCreate()
{
    AjustaTela(this);
    setFixedSize(size());
    // a row as high as its text at the size the screen was given
    sgPassagens->verticalHeader()->setDefaultSectionSize(QFontMetrics(sgPassagens->font()).height() + 4);
    bbFechar->setFocus();
}

void TfDesempenho::bbFecharClick()
{
    reject();
}

void MostraDesempenho(QWidget* parent)
{
    TfDesempenho tela(DesempenhoDosAlunos({AlunoAtual}).front(), ExerciciosNoCurso(), parent);
    tela.exec();
}

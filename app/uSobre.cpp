#include "app/uSobre.h"

#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/uAjusta.h"
#include "ui/jpeg.h"
#include "ui/pecas.h"
#include "platform/system.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

TfSobre* fSobre = nullptr;

using namespace aparencia;

namespace {

constexpr QSize kTamanhoProjeto(302, 287);
constexpr int kEsperaExposicaoMs = 1000;

const QString kFoto = QStringLiteral(":/assets/fotos/paisagem.jpg");
const QString kLogo = QStringLiteral(":/assets/icons/logo.svg");

// Ends a wait as soon as the window system shows the window.
class AoSerExposta : public QObject {
public:
    AoSerExposta(QWindow* janela, QEventLoop& espera) : janela_(janela), espera_(espera)
    {
        janela->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return filtraAcao([&] {
            if (event->type() == QEvent::Expose && janela_->isExposed())
                espera_.quit();
            return QObject::eventFilter(watched, event);
        });
    }

private:
    QWindow* janela_;
    QEventLoop& espera_;
};

}  // namespace

TfSobre::TfSobre(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fSobre"));
    setWindowTitle(QStringLiteral("Sobre"));
    // neither instance ends the program when it closes
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(arial(16));
    resize(kTamanhoProjeto);
    criaControles();
    FormCreate();
}

TfSobre::~TfSobre()
{
    if (fSobre == this)
        fSobre = nullptr;
}

void TfSobre::criaControles()
{
    Panel1 = new Moldura(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(QRect(QPoint(0, 0), kTamanhoProjeto));
    Panel1->adicionaBorda(Moldura::Borda::Linha, 1);
    Panel1->adicionaBorda(Moldura::Borda::Elevada, 2);
    Panel1->adicionaBorda(Moldura::Borda::Rebaixada, 2);

    Image1 = new Imagem(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setImagem(CarregaJpeg(kFoto));
    Panel1->setPreenchimento(Image1);
    conectaAcao(Image1, &Imagem::clicado, this, &TfSobre::reject);

    Image2 = new ImagemSvg(kLogo, Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(12, 8, 105, 77);

    const auto esquerda = Qt::AlignLeft | Qt::AlignTop;
    const auto direita = Qt::AlignRight | Qt::AlignTop;
    Label1 = criaRotulo(QStringLiteral("Label1"), QStringLiteral("Quiravo"), {124, 8, 170, 36}, 31, true,
                        kPreto, esquerda);
    Label2 = criaRotulo(QStringLiteral("Label2"), QStringLiteral("Curso de Digitação"), {124, 48, 170, 22},
                        19, false, kPreto, esquerda);
    Label4 = criaRotulo(QStringLiteral("Label4"), QStringLiteral("Curso de Digitação completo"),
                        {77, 168, 204, 18}, 15, true, kBranco, direita);
    Label3 = criaRotulo(QStringLiteral("Label3"), QStringLiteral("Versão 2.1"), {216, 184, 65, 16}, 13, true,
                        kBranco, direita);
    Label5 = criaRotulo(QStringLiteral("Label5"), QStringLiteral("contato@quiravo.com.br"), {129, 240, 156, 15},
                        12, true, kBranco, direita);
    Label7 = criaRotulo(QStringLiteral("Label7"), QStringLiteral("www.quiravo.com.br"), {105, 256, 180, 15}, 12,
                        true, kBranco, direita);

    Button1 = new Botao(QStringLiteral("OK"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(12, 240, 77, 29);
    conectaAcao(Button1, &QPushButton::clicked, this, &TfSobre::reject);
    Button1->setFocus();
}

QLabel* TfSobre::criaRotulo(const QString& nome, const QString& texto, QRect caixa, int pixels, bool negrito,
                            const QColor& cor, Qt::Alignment alinhamento)
{
    auto* rotulo = new QLabel(texto, Panel1);
    rotulo->setObjectName(nome);
    rotulo->setGeometry(caixa);
    rotulo->setFont(arial(pixels, negrito));
    rotulo->setAlignment(alinhamento);
    pinta(rotulo, QPalette::WindowText, cor);
    return rotulo;
}

void TfSobre::FormCreate()
{
    AjustaTela1024(this);
}

void TfSobre::showEvent(QShowEvent* event)
{
    CentraNaTela(this);
    QDialog::showEvent(event);
}

void TfSobre::MostraJa()
{
    show();
    QWindow* janela = windowHandle();
    if (janela && !janela->isExposed()) {
        // the window system maps the window asynchronously: wait for it (at
        // most a second), handling nothing the user does meanwhile
        QEventLoop espera;
        QTimer::singleShot(kEsperaExposicaoMs, &espera, &QEventLoop::quit);
        const AoSerExposta aoSerExposta(janela, espera);
        espera.exec(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
}

// A screen that closes while it has the focus, or whose modal display ends,
// hands the focus on: the rule applies first, so the screen stays on view
// for the wait. The hiding that follows is then no second loss of focus.
void TfSobre::reject()
{
    if (fechando_) {
        QDialog::reject();
        return;
    }
    const QScopedValueRollback fechando(fechando_, true);
    if (isModal() || isActiveWindow())
        RegraPerdaFoco();
    if (isVisible())
        QDialog::reject();
}

bool TfSobre::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        FormDeactivate();
    return QDialog::event(event);
}

// Losing the focus to another screen of the program while staying open.
void TfSobre::FormDeactivate()
{
    const QWidget* ativa = QApplication::activeWindow();
    if (isVisible() && !fechando_ && ativa && ativa != this)
        RegraPerdaFoco();
}

void TfSobre::RegraPerdaFoco()
{
    sleepBlocking(kEsperaPerdaFocoMs);
    if (fSobre)
        fSobre->close();
}

#include "app/uInstrucoes.h"

#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/uAjusta.h"
#include "app/uSobre.h"
#include "ui/pecas.h"
#include "ui/tecladonatela.h"
#include "ui/dialogs.h"

#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

TfInstrucoes* fInstrucoes = nullptr;

using namespace aparencia;

namespace {

constexpr QSize kTamanhoProjeto(688, 492);

constexpr int kAbaDoTeclado = 3;

const std::array<QString, 7> kAbas = {
    QStringLiteral("Instruções Gerais"),
    QStringLiteral("o \"Ç\""),
    QStringLiteral("A posição dos dedos"),
    QStringLiteral("O Teclado"),
    QStringLiteral("A Digitação"),
    QStringLiteral("O Método"),
    QStringLiteral("Postura"),
};

// The help text of page n (1 to 7), kept with the pictures.
QString textoDaAba(int n)
{
    QFile arquivo(QStringLiteral(":/assets/help/aba%1.txt").arg(n));
    if (!arquivo.open(QIODevice::ReadOnly))
        return QStringLiteral("Texto em preparação.");
    return QString::fromUtf8(arquivo.readAll());
}

// A read-only text area that keeps Enter for itself, so Enter in the text
// does not press the screen's default button.
class Memo : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

QPlainTextEdit* criaMemo(int n, QWidget* pagina)
{
    auto* memo = new Memo(pagina);
    memo->setObjectName(QStringLiteral("Memo%1").arg(n));
    memo->setGeometry(20, 16, 641, 373);
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFont(arial(13));
    pinta(memo, QPalette::Base, kAmarelo);
    pinta(memo, QPalette::Text, kMarrom);
    memo->setPlainText(textoDaAba(n));
    return memo;
}

}  // namespace

TfInstrucoes::TfInstrucoes(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fInstrucoes"));
    setWindowTitle(QStringLiteral("Instruções"));
    setFont(arial(13));
    setFixedSize(kTamanhoProjeto);
    criaPaginas();
    criaBotoes();
    FormCreate();
}

void TfInstrucoes::criaPaginas()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 0, 688, 441);
    for (int i = 0; i < int(kAbas.size()); ++i) {
        auto* pagina = new QWidget;
        pagina->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        Memos[size_t(i)] = criaMemo(i + 1, pagina);
        PageControl1->addTab(pagina, kAbas[size_t(i)]);
    }
    mostraTecladoNaPagina(PageControl1->widget(kAbaDoTeclado), Memos[size_t(kAbaDoTeclado)]);
}

// The keyboard page shows the keyboard itself, its text below it.
void TfInstrucoes::mostraTecladoNaPagina(QWidget* pagina, QPlainTextEdit* memo)
{
    auto* teclado = new TecladoNaTela(pagina);
    const QRect texto = memo->geometry();
    const int altura = qRound(texto.width() * double(TecladoNaTela::kTamanhoProjeto.height())
                              / TecladoNaTela::kTamanhoProjeto.width());
    teclado->setGeometry(texto.x(), texto.y(), texto.width(), altura);
    teclado->mostraDedos();
    memo->setGeometry(texto.adjusted(0, altura + 6, 0, 0));
}

void TfInstrucoes::criaBotoes()
{
    BitBtn1 = new QPushButton(QIcon(QStringLiteral(":/assets/icons/andando.svg")), QStringLiteral("Voltar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(236, 452, 105, 30);
    conectaAcao(BitBtn1, &QPushButton::clicked, this, &TfInstrucoes::BitBtn1Click);

    BitBtn2 = new QPushButton(QIcon(QStringLiteral(":/assets/icons/certo.svg")), QStringLiteral("Sobre"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(348, 452, 105, 30);
    BitBtn2->setDefault(true);
    conectaAcao(BitBtn2, &QPushButton::clicked, this, &TfInstrucoes::BitBtn2Click);

    setTabOrder(PageControl1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
}

void TfInstrucoes::FormCreate()
{
    AjustaTela1024(this);
}

// Every opening starts on the first page with each text at its top.
void TfInstrucoes::showEvent(QShowEvent* event)
{
    PageControl1->setCurrentIndex(0);
    for (QPlainTextEdit* memo : Memos) {
        memo->moveCursor(QTextCursor::Start);
        memo->verticalScrollBar()->setValue(0);
    }
    CentraNaTela(this);
    QDialog::showEvent(event);
}

void TfInstrucoes::BitBtn1Click()
{
    close();
}

void TfInstrucoes::BitBtn2Click()
{
    const int aba = PageControl1->currentIndex();
    if (fSobre)
        fSobre->exec();
    PageControl1->setCurrentIndex(aba);
    requestFocus(this);
}

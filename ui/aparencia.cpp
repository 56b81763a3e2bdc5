#include "ui/aparencia.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>

namespace aparencia {

Botao::Botao(const QString& texto, QWidget* parent)
    : QPushButton(texto, parent)
{
    setAutoDefault(false);
}

Botao::Botao(const QIcon& figura, const QString& texto, QWidget* parent)
    : QPushButton(figura, texto, parent)
{
    setAutoDefault(false);
}

void Botao::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

QColor faceDeBotao()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor textoDeJanela()
{
    return QApplication::palette().color(QPalette::WindowText);
}

namespace {

// The widget's own palette already gives the role this colour in every group.
bool jaPintado(const QWidget* widget, QPalette::ColorRole papel, const QColor& cor)
{
    if (!widget->testAttribute(Qt::WA_SetPalette))
        return false;
    const QPalette& paleta = widget->palette();
    for (const QPalette::ColorGroup grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (!paleta.isBrushSet(grupo, papel) || paleta.color(grupo, papel) != cor)
            return false;
    }
    return true;
}

}  // namespace

void pinta(QWidget* widget, QPalette::ColorRole papel, const QColor& cor)
{
    // a status line is painted again at every key, mostly in the colours it has
    if (jaPintado(widget, papel, cor))
        return;
    QPalette paleta = widget->palette();
    paleta.setColor(papel, cor);
    widget->setPalette(paleta);
}

void pintaFundo(QWidget* widget, const QColor& cor)
{
    widget->setAutoFillBackground(true);
    pinta(widget, QPalette::Window, cor);
}

namespace {

// The application's look, with "*" for each hidden character of a password.
class EstiloDeSenha : public QProxyStyle {
public:
    int styleHint(StyleHint dica, const QStyleOption* opcao, const QWidget* widget,
                  QStyleHintReturn* retorno) const override
    {
        if (dica == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(dica, opcao, widget, retorno);
    }
};

QStyle* estiloDeSenha()
{
    static QPointer<EstiloDeSenha> estilo;
    if (!estilo) {
        estilo = new EstiloDeSenha;
        estilo->setParent(qApp);
    }
    return estilo;
}

}  // namespace

void mostraAsteriscos(QLineEdit* caixa)
{
    caixa->setEchoMode(QLineEdit::Password);
    caixa->setStyle(estiloDeSenha());
}

void coresDeFoco(QLineEdit* caixa)
{
    pinta(caixa, QPalette::Text, kAzul);
    pinta(caixa, QPalette::Base, kAgua);
}

void coresSemFoco(QLineEdit* caixa)
{
    const QPalette sistema = QApplication::palette(caixa);
    pinta(caixa, QPalette::Text, sistema.color(QPalette::Text));
    pinta(caixa, QPalette::Base, sistema.color(QPalette::Base));
}

QLabel* rotulo(QWidget* pai, const QString& nome, const QRect& lugar, const QString& texto)
{
    auto* label = new QLabel(texto, pai);
    label->setObjectName(nome);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(lugar);
    return label;
}

QLabel* rotulo(QWidget* pai, const QString& nome, const QRect& lugar, const QString& texto, const QFont& fonte,
               const QColor& cor, Qt::Alignment alinhamento)
{
    QLabel* label = rotulo(pai, nome, lugar, texto);
    label->setFont(fonte);
    label->setAlignment(alinhamento | Qt::AlignVCenter);
    pinta(label, QPalette::WindowText, cor);
    return label;
}

QLabel* titulo(QWidget* pai, const QString& nome, const QRect& lugar, const QString& texto, const QFont& fonte,
               const QColor& cor)
{
    QLabel* label = rotulo(pai, nome, lugar, texto, fonte, cor, Qt::AlignHCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pintaFundo(label, kFundoTitulo);
    return label;
}

QFrame* painel(QWidget* pai, const QString& nome, const QRect& lugar, const QColor& cor)
{
    auto* frame = new QFrame(pai);
    frame->setObjectName(nome);
    frame->setGeometry(lugar);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pintaFundo(frame, cor);
    return frame;
}

QLineEdit* caixaDeTexto(QWidget* pai, const QString& nome, const QRect& lugar)
{
    auto* caixa = new QLineEdit(pai);
    caixa->setObjectName(nome);
    caixa->setGeometry(lugar);
    return caixa;
}

QPushButton* botao(QWidget* tela, const QString& nome, const QString& texto, const QRect& lugar,
                   const QString& figura, int padrao)
{
    auto* b = new Botao(icone(figura, padrao), texto, tela);
    b->setObjectName(nome);
    b->setGeometry(lugar);
    return b;
}

QPushButton* botaoSemFoco(QWidget* tela, const QString& nome, const QString& texto, const QRect& lugar,
                          const QString& figura, int padrao)
{
    QPushButton* b = botao(tela, nome, texto, lugar, figura, padrao);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QIcon icone(const QString& recurso, int padrao)
{
    if (QFile::exists(recurso))
        return QIcon(recurso);
    return QApplication::style()->standardIcon(QStyle::StandardPixmap(padrao));
}

void montaDialogoFixo(QDialog* tela, const QString& nome, const QString& titulo,
                      const QFont& fonteBase, QSize tamanho)
{
    tela->setObjectName(nome);
    tela->setWindowTitle(titulo);
    tela->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    tela->setFont(fonteBase);
    pinta(tela, QPalette::Window, faceDeBotao());
    tela->resize(tamanho);
}

QAction* itemDeMenu(QWidget* tela, const QString& nome, const QString& texto,
                    const QKeySequence& tecla)
{
    auto* acao = new QAction(texto, tela);
    acao->setObjectName(nome);
    acao->setShortcut(tecla);
    acao->setShortcutContext(Qt::WindowShortcut);
    tela->addAction(acao);
    return acao;
}

bool seguraEsc(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}

}  // namespace aparencia

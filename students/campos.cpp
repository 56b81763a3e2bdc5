#include "students/campos.h"

#include "students/acesso.h"
#include "students/ritmo.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/dialogs.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QValidator>

using namespace aparencia;

namespace {

class SoCp1252 : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& texto, int&) const override { return CabeNoArquivo(texto) ? Acceptable : Invalid; }
};

// Tab and Shift+Tab enter the group at the choice made, not at its first.
class EntraPelaEscolhida : public QObject {
public:
    explicit EntraPelaEscolhida(QButtonGroup* grupo)
        : QObject(grupo), grupo_(grupo)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return filtraAcao([&] {
            if (event->type() == QEvent::FocusIn) {
                const auto motivo = static_cast<QFocusEvent*>(event)->reason();
                QAbstractButton* escolhida = grupo_->checkedButton();
                if ((motivo == Qt::TabFocusReason || motivo == Qt::BacktabFocusReason) && escolhida
                    && escolhida != watched)
                    escolhida->setFocus(motivo);
            }
            return QObject::eventFilter(watched, event);
        });
    }

private:
    QButtonGroup* grupo_;
};

}  // namespace

void limitaAoArquivo(QLineEdit* caixa, int tamanho)
{
    caixa->setMaxLength(tamanho);
    caixa->setValidator(new SoCp1252(caixa));
}

GrupoDePeriodo criaGrupoDePeriodo(QWidget* tela, const QRect& lugar)
{
    auto* caixa = new QGroupBox(QStringLiteral("Período Mínimo: "), tela);
    caixa->setObjectName(QStringLiteral("rgPeriodo"));
    caixa->setGeometry(lugar);
    caixa->setFlat(true);
    QFont negrito = tela->font();
    negrito.setBold(true);
    caixa->setFont(negrito);
    pintaFundo(caixa, kLima);
    pinta(caixa, QPalette::WindowText, kVermelho);
    pinta(caixa, QPalette::ButtonText, kVermelho);

    auto* escolhas = new QButtonGroup(tela);
    auto* entrada = new EntraPelaEscolhida(escolhas);
    for (int i = 0; i < kPeriodos; ++i) {
        auto* escolha = new QRadioButton(NomeDoPeriodo(i), caixa);
        escolha->setObjectName(QStringLiteral("rgPeriodo%1").arg(i));
        // below the title in its legible type at the smallest width
        escolha->setGeometry(8, 20 + 23 * i, lugar.width() - 16, 21);
        escolhas->addButton(escolha, i);
        escolha->installEventFilter(entrada);
    }
    return {caixa, escolhas};
}

bool SenhaConferida(const QString& senha)
{
    if (inputBox(QStringLiteral("Conferência de Senha"), QStringLiteral("Digite a senha novamente para conferir"),
                 QString(), InputEcho::Password)
        == senha)
        return true;
    showMessage(BoxKind::Error, kErroSenhasDiferentes);
    return false;
}

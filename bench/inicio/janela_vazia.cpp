// The floors of the measurements of the real program under Xvfb.
//   quiravo_janela_vazia                    a bare window of the main menu's size (start-up)
//   quiravo_janela_vazia LARGURA ALTURA     a window of that size holding one line edit with the
//                                           focus, where the exercise screen has its typing field,
//                                           in the field's type (a key's cost)

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

namespace {

// the exercise screen's typing field at design size, which a display 1280
// pixels wide leaves as it is
const QRect kLugarDoCampo(36, 308, 592, 30);
constexpr int kPixelsDoCampo = 19;

void poeCampo(QWidget* janela)
{
    auto* campo = new QLineEdit(janela);
    campo->setGeometry(kLugarDoCampo);
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(kPixelsDoCampo);
    campo->setFont(fonte);
    // emptied at ENTER, as the typing field is after each line
    QObject::connect(campo, &QLineEdit::returnPressed, campo, &QLineEdit::clear);
    campo->setFocus();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget janela;
    janela.setWindowTitle(QStringLiteral("janela vazia"));
    if (argc == 3) {
        janela.setFixedSize(QString::fromLocal8Bit(argv[1]).toInt(), QString::fromLocal8Bit(argv[2]).toInt());
        poeCampo(&janela);
    } else {
        janela.setFixedSize(594, 324);
    }
    janela.show();
    return app.exec();
}

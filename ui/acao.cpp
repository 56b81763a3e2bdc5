#include "ui/acao.h"

#include "platform/errors.h"
#include "ui/dialogs.h"

#include <exception>

bool executaAcao(const std::function<void()>& acao) noexcept
{
    try {
        acao();
        return true;
    } catch (const AppError& error) {
        showErrorReport(error.message());
    } catch (const std::exception& error) {
        showErrorReport(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

bool filtraAcao(const std::function<bool()>& acao) noexcept
{
    bool tratado = true;
    executaAcao([&] { tratado = acao(); });
    return tratado;
}

#pragma once
// The error boundary of a user action. Every handler that Qt runs for the
// program (a slot, an event, a timer, a filter) does its work through here:
// an error of the program ends the action at the step that failed and is shown
// in the error report, and nothing throws through Qt's own frames.

#include <QAbstractButton>
#include <QAction>
#include <QObject>

#include <functional>
#include <type_traits>
#include <utility>

// Runs one user action; false when an error ended it.
bool executaAcao(const std::function<void()>& acao) noexcept;

// An event filter's work: its answer, or "handled" when an error ended it,
// so that the event goes no further.
bool filtraAcao(const std::function<bool()>& acao) noexcept;

namespace detalhe {

// A slot may take the signal's arguments or none.
template <class Slot, class Receiver, class... Args>
void chama(Slot& slot, Receiver* receiver, Args&&... args)
{
    if constexpr (std::is_member_function_pointer_v<Slot>) {
        if constexpr (std::is_invocable_v<Slot&, Receiver*, Args...>)
            std::invoke(slot, receiver, std::forward<Args>(args)...);
        else
            std::invoke(slot, receiver);
    } else if constexpr (std::is_invocable_v<Slot&, Args...>) {
        std::invoke(slot, std::forward<Args>(args)...);
    } else {
        std::invoke(slot);
    }
}

}  // namespace detalhe

// connect() for a user action: the slot (a member of the receiver, or a
// function) runs through the boundary.
template <class Sender, class Signal, class Receiver, class Slot>
QMetaObject::Connection conectaAcao(Sender* sender, Signal signal, Receiver* receiver, Slot slot)
{
    return QObject::connect(sender, signal, receiver, [receiver, slot](auto&&... args) mutable {
        executaAcao([&] { detalhe::chama(slot, receiver, std::forward<decltype(args)>(args)...); });
    });
}

// A screen's button and the item of its menu that stand for one action.
template <class Receiver, class Slot>
void conectaBotaoEItem(QAbstractButton* botao, QAction* item, Receiver* receiver, Slot slot)
{
    conectaAcao(botao, &QAbstractButton::clicked, receiver, slot);
    conectaAcao(item, &QAction::triggered, receiver, slot);
}

#include "support/somgravado.h"

#include "platform/errors.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace recordedsound {

namespace {

struct Record {
    bool withoutDevice = false;
    std::vector<Request> requests;
    std::vector<std::pair<Kind, QString>> failures;
};

Record& record()
{
    static Record r;
    return r;
}

// Records the request; returns the queued failure text for it, empty if none.
QString ask(Kind kind, const QString& argument = {})
{
    Record& r = record();
    r.requests.push_back({kind, argument});
    const auto failure = std::find_if(r.failures.begin(), r.failures.end(),
                                      [kind](const auto& f) { return f.first == kind; });
    if (failure == r.failures.end())
        return {};
    const QString message = failure->second;
    r.failures.erase(failure);
    return message;
}

}  // namespace

bool Player::hasDevice()
{
    return !record().withoutDevice;
}

void Player::openSound(const QString& fileName)
{
    const QString failure = ask(Kind::Open, fileName);
    if (!failure.isEmpty())
        throw AppError(failure);
}

void Player::playSound()
{
    playing_ = ask(Kind::Play).isEmpty();
}

void Player::stopSound()
{
    if (ask(Kind::Stop).isEmpty())
        playing_ = false;
}

bool Player::closeSound()
{
    if (!ask(Kind::Close).isEmpty())
        return false;
    playing_ = false;
    return true;
}

void install()
{
    soundseam::setFactory([] { return std::make_unique<Player>(); });
}

void uninstall()
{
    soundseam::setFactory({});
    clear();
}

const std::vector<Request>& requests()
{
    return record().requests;
}

void failNext(Kind kind, const QString& message)
{
    record().failures.emplace_back(kind, message);
}

void withoutDevice()
{
    record().withoutDevice = true;
}

void clear()
{
    record() = Record{};
}

}  // namespace recordedsound

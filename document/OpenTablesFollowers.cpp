#include "document/OpenTablesFollowers.h"

#include <QPointer>

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<QPointer<QObject>, std::function<void()>>>& Followers()
{
    static std::vector<std::pair<QPointer<QObject>, std::function<void()>>> followers;
    return followers;
}

} // namespace

void FollowOpenTables(QObject* receiver, std::function<void()> tell)
{
    Followers().emplace_back(receiver, std::move(tell));
}

void TellOpenTablesFollowers()
{
    auto& followers = Followers();
    std::erase_if(followers, [](const auto& follower) { return follower.first.isNull(); });
    // A copy: a follower may start or stop following as it hears.
    const auto present = followers;
    for (const auto& [receiver, tell] : present) {
        if (!receiver.isNull()) {
            tell();
        }
    }
}

#include "settings/UserButtons.h"

std::optional<UserButtonVisibility> userButtonPlan(const std::array<QString, 6>& names)
{
    // The named users must be 1..k with no gap.
    int named = 0;
    while (named < 6 && !names[static_cast<std::size_t>(named)].isEmpty()) {
        ++named;
    }
    for (int user = named; user < 6; ++user) {
        if (!names[static_cast<std::size_t>(user)].isEmpty()) {
            return std::nullopt;
        }
    }
    UserButtonVisibility shown{};
    if (named >= 2) {
        for (int user = 0; user < named; ++user) {
            shown[static_cast<std::size_t>(user)] = true;
        }
    }
    return shown;
}

void applyUserButtonPlan(UserButtons& buttons, const std::array<QString, 6>& names)
{
    const std::optional<UserButtonVisibility> plan = userButtonPlan(names);
    if (!plan) {
        return;
    }
    for (int user = 1; user <= 6; ++user) {
        const auto index = static_cast<std::size_t>(user - 1);
        if ((*plan)[index]) {
            buttons.setUserButtonVisible(user, true);
            buttons.setUserButtonCaption(user, names[index]);
        } else {
            buttons.setUserButtonVisible(user, false);
        }
    }
}

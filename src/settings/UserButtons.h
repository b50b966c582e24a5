#pragma once

#include <QString>

#include <array>
#include <optional>

// The main window's six user buttons as the settings window sets them after
// a save. Users are numbered 1 to 6.
class UserButtons
{
public:
    virtual ~UserButtons() = default;
    virtual void setUserButtonVisible(int user, bool visible) = 0;
    virtual void setUserButtonCaption(int user, const QString& caption) = 0;
};

// Which buttons the six names show: users 1..k named and the rest unnamed
// shows buttons 1..k (k >= 2) and hides the others; no name or user 1 alone
// hides all six; any other set (an unnamed user before a named one) changes
// nothing (nullopt). A name counts when it is not the empty text (spaces
// count). Index 0 is user 1.
using UserButtonVisibility = std::array<bool, 6>;
std::optional<UserButtonVisibility> userButtonPlan(const std::array<QString, 6>& names);

// Applies the plan in the order 1 to 6: a shown button is made visible, then
// captioned with the user's name; a hidden button keeps its caption.
void applyUserButtonPlan(UserButtons& buttons, const std::array<QString, 6>& names);

#pragma once

#include <QString>

#include <functional>

// Tells the user, in a short notice that blocks nothing, what could not be done.
using TellUser = std::function<void(const QString &)>;

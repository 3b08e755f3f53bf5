#pragma once

#include <QIcon>

// The application's icon: a handheld meter with its display, painted in several sizes.
QIcon appIcon();

#pragma once

#include <QIcon>

// The program's own icon, at every size it is drawn in: for the windows' captions, the About box and
// the application as a whole.
QIcon appIcon();

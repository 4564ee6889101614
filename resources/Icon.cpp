#include "resources/Templates.h"

#include <QIcon>

QIcon ProgramIcon() { return QIcon(":/pelorin/Pelorin.png"); }

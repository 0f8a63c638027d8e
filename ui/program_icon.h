// The program's icon (the picture of porukano.svg) for the window captions and the about box.
#pragma once

#include <QIcon>
#include <QPixmap>

QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

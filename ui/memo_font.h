// The fixed-pitch Japanese font of the text box memos, 13 pixels high.
#pragma once

#include <QFont>

QFont MemoFont();

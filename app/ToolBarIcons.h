#pragma once

#include <QIcon>
#include <QPixmap>

// The tool bars' pictures, 16 × 16, painted by the program.
enum class ToolBarPicture {
    First,
    Previous,
    Next,
    Last,
    Clear,
    Open,
    Save,
    SavePicture,
    Print,
    Detach,
    Dock,
};

QPixmap toolBarPixmap(ToolBarPicture picture);
QIcon toolBarIcon(ToolBarPicture picture);

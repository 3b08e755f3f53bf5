#include "TCEdit.h"

TCEdit::TCEdit(QWidget* parent) : QLineEdit(parent) { applyAlignment(); }

void TCEdit::setAlignmentMode(TAlignment alignment) {
    if (alignment == m_alignment) {
        return;
    }
    m_alignment = alignment;
    applyAlignment();
}

void TCEdit::applyAlignment() {
    // Qt's AlignLeft/AlignRight already follow the layout direction, which gives the
    // right-to-left swap.
    switch (m_alignment) {
    case taLeftJustify:
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case taRightJustify:
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case taCenter:
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        break;
    }
}

#pragma once

#include <QLineEdit>

// An edit box with a text-alignment property: left-justified, right-justified or
// centred (left and right swap for right-to-left reading).
class TCEdit : public QLineEdit {
    Q_OBJECT
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };

    explicit TCEdit(QWidget* parent = nullptr);

    TAlignment alignmentMode() const { return m_alignment; }
    void setAlignmentMode(TAlignment alignment);

private:
    void applyAlignment();

    TAlignment m_alignment = taLeftJustify;
};

#include "TChartPane.h"

#include "TCEdit.h"

#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* addButton(QToolBar* bar, const char* name, const QString& hint) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

} // namespace

TChartPane::TChartPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlChartParent"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setFixedHeight(27);
    ToolBar2->setIconSize(QSize(16, 16));

    edtRange = new TCEdit(ToolBar2);
    edtRange->setObjectName(QStringLiteral("edtRange"));
    edtRange->setFixedWidth(35);
    edtRange->setAlignmentMode(TCEdit::taRightJustify);
    edtRange->setText(QStringLiteral("100"));
    edtRange->setToolTip(QStringLiteral("Range"));
    ToolBar2->addWidget(edtRange);
    ToolBar2->addSeparator();
    btnFirst = addButton(ToolBar2, "btnFirst", QStringLiteral("First"));
    btnPrevious = addButton(ToolBar2, "btnPrevious", QStringLiteral("Previous"));
    edtCurPage = new TCEdit(ToolBar2);
    edtCurPage->setObjectName(QStringLiteral("edtCurPage"));
    edtCurPage->setFixedWidth(35);
    edtCurPage->setAlignmentMode(TCEdit::taCenter);
    edtCurPage->setReadOnly(true);
    edtCurPage->setFrame(false);
    edtCurPage->setText(QStringLiteral("1"));
    edtCurPage->setToolTip(QStringLiteral("CurrentPage"));
    ToolBar2->addWidget(edtCurPage);
    btnNext = addButton(ToolBar2, "btnNext", QStringLiteral("Next"));
    btnLast = addButton(ToolBar2, "btnLast", QStringLiteral("Last"));
    ToolBar2->addSeparator();
    btnNew = addButton(ToolBar2, "btnNew", QStringLiteral("Clear"));
    btnSave = addButton(ToolBar2, "btnSave", QStringLiteral("Save"));
    btnFly = addButton(ToolBar2, "btnFly", QString());
    btnChartZoomOut = addButton(ToolBar2, "btnChartZoomOut", QString());
    btnChartZoomOut->setVisible(false);
    ToolBar2->addSeparator();
    layout->addWidget(ToolBar2);

    Chart1 = new QWidget(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setAutoFillBackground(true);
    layout->addWidget(Chart1, 1);

    connect(btnNew, &QToolButton::clicked, this, &TChartPane::clearRequested);
    connect(btnFly, &QToolButton::clicked, this, &TChartPane::flyRequested);
    connect(btnChartZoomOut, &QToolButton::clicked, this, &TChartPane::zoomOutRequested);
}

void TChartPane::plotValue(double displayValue, int fullScale) {
    (void)displayValue;
    (void)fullScale;
}

int TChartPane::clearChart() {
    edtCurPage->setText(QStringLiteral("1"));
    return 1;
}

#include "TRecordPane.h"

#include "TCEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QTableView>
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

TRecordPane::TRecordPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlRecordParent"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar4 = new QToolBar(this);
    ToolBar4->setObjectName(QStringLiteral("ToolBar4"));
    ToolBar4->setFixedHeight(26);
    ToolBar4->setIconSize(QSize(16, 16));

    cbRepeat = new QCheckBox(QStringLiteral("Repeat"), ToolBar4);
    cbRepeat->setObjectName(QStringLiteral("cbRepeat"));
    cbRepeat->setFixedWidth(89);
    cbRepeat->setChecked(true);
    ToolBar4->addWidget(cbRepeat);
    cbInterval = new QCheckBox(QStringLiteral("Sampling Interval"), ToolBar4);
    cbInterval->setObjectName(QStringLiteral("cbInterval"));
    cbInterval->setFixedWidth(104);
    ToolBar4->addWidget(cbInterval);
    edtRecInterval = new TCEdit(ToolBar4);
    edtRecInterval->setObjectName(QStringLiteral("edtRecInterval"));
    edtRecInterval->setFixedWidth(40);
    edtRecInterval->setAlignmentMode(TCEdit::taRightJustify);
    edtRecInterval->setText(QStringLiteral("1"));
    ToolBar4->addWidget(edtRecInterval);
    lblSeconds = new QLabel(QStringLiteral(" S  "), ToolBar4);
    ToolBar4->addWidget(lblSeconds);
    ToolBar4->addSeparator();
    btnRecordNew = addButton(ToolBar4, "btnRecordNew", QStringLiteral("Clear"));
    btnRecordOpen = addButton(ToolBar4, "btnRecordOpen", QStringLiteral("Open"));
    btnRecordSave = addButton(ToolBar4, "btnRecordSave", QStringLiteral("Save"));
    btnRecordPrint = addButton(ToolBar4, "btnRecordPrint", QStringLiteral("Print"));
    btnRecordFly = addButton(ToolBar4, "btnRecordFly", QString());
    btnGridZoomout = addButton(ToolBar4, "btnGridZoomout", QString());
    btnGridZoomout->setVisible(false);
    layout->addWidget(ToolBar4);

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    layout->addWidget(DBGrid1, 1);

    connect(cbRepeat, &QCheckBox::toggled, this, &TRecordPane::repeatChanged);
    connect(cbInterval, &QCheckBox::toggled, this, &TRecordPane::samplingChanged);
    connect(btnRecordNew, &QToolButton::clicked, this, &TRecordPane::clearRequested);
    connect(btnRecordPrint, &QToolButton::clicked, this, &TRecordPane::printRequested);
    connect(btnRecordFly, &QToolButton::clicked, this, &TRecordPane::flyRequested);
    connect(btnGridZoomout, &QToolButton::clicked, this, &TRecordPane::zoomOutRequested);
}

void TRecordPane::appendRecord(const MeterReading& reading) { (void)reading; }

void TRecordPane::clearRecords() {}

bool TRecordPane::repeatChecked() const { return cbRepeat->isChecked(); }

bool TRecordPane::samplingChecked() const { return cbInterval->isChecked(); }

void TRecordPane::setInformationHandler(std::function<void(const QString&)> handler) {
    m_information = std::move(handler);
}
